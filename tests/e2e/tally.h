#pragma once
// Counts and prints the driver's checks; the last line is "N passed, M failed".

#include <cstdarg>
#include <cstdio>

namespace e2e {

struct Tally {
  int passed = 0;
  int failed = 0;
  int skipped = 0;
};

inline Tally& Results() {
  static Tally tally;
  return tally;
}

// Records one check; `detail` (printf format) is shown when it fails.
inline bool Check(bool ok, const char* name, const char* detail = "", ...) {
  if (ok) {
    ++Results().passed;
    std::printf("ok   %s\n", name);
  } else {
    ++Results().failed;
    std::printf("FAIL %s: ", name);
    va_list args;
    va_start(args, detail);
    std::vprintf(detail, args);
    va_end(args);
    std::printf("\n");
  }
  std::fflush(stdout);
  return ok;
}

inline void Skip(const char* name, const char* why) {
  ++Results().skipped;
  std::printf("skip %s: %s\n", name, why);
  std::fflush(stdout);
}

}  // namespace e2e
