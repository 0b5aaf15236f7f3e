#pragma once
// Counts and prints the checks of a test program that is not a GoogleTest one; the last line is
// "N passed, M failed" as scripts/test counts it.

#include <cstdarg>
#include <cstdio>

namespace support {

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

// Prints the last line, "N passed, M failed" with ", K skipped" when any were; returns the exit
// code: 0 when nothing failed.
inline int Finish() {
  const Tally& t = Results();
  if (t.skipped > 0) {
    std::printf("%d passed, %d failed, %d skipped\n", t.passed, t.failed, t.skipped);
  } else {
    std::printf("%d passed, %d failed\n", t.passed, t.failed);
  }
  std::fflush(stdout);
  return t.failed == 0 ? 0 : 1;
}

inline void Skip(const char* name, const char* why) {
  ++Results().skipped;
  std::printf("skip %s: %s\n", name, why);
  std::fflush(stdout);
}

}  // namespace support
