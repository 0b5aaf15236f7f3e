#pragma once
// The per-thread runtime record, created on first use and kept in thread-local storage.

#include <cstdint>

namespace runtime {

struct ThreadRecord {
  std::uintptr_t errorStatementStart = 0;  // location of the last run-time error
  std::uintptr_t errorStatementEnd = 0;
  std::int32_t dialogFont = 1;  // current dialog font number
  std::uint32_t codePage = 0;   // for text conversions; 0 is the system's ANSI code page
};

// The calling thread's record, created (and filled from the main thread's) on first use.
// Null only when memory ran out.
ThreadRecord* CurrentThreadRecord();

}  // namespace runtime
