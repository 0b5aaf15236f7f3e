#pragma once
// The per-thread runtime record, created on first use and kept in thread-local storage.

#include <cstdint>

#include "runtime/error_slot.h"

namespace runtime {

struct ThreadRecord {
  std::uintptr_t errorStatementStart = 0;  // location of the last run-time error
  std::uintptr_t errorStatementEnd = 0;
  std::int32_t dialogFont = 1;  // current dialog font number
  std::uint32_t codePage = 0;   // for text conversions; 0 is the system's ANSI code page
};

// The calling thread's record, created (and filled from the main thread's) on first use.
// Null only when no slot or no memory could be had.
ThreadRecord* CurrentThreadRecord();
// The same, recording run-time error 7 in `slot` when the record cannot be had.
ThreadRecord* CurrentThreadRecord(ErrorSlot& slot);

// Start-up, on the main thread: allocates the thread-record slot and creates the main
// thread's record (dialog font 1, code page 0), releasing first whatever an earlier use left.
// False when either fails; start-up then ends the process with exit code 255. Without this
// call the first record made becomes the main thread's, so code run without start-up (tests)
// still works.
bool InitThreadRecords();

// Shutdown, on the main thread: frees the calling thread's record, clears and frees the slot.
// A later CurrentThreadRecord starts afresh.
void ReleaseThreadRecords();

// A thread other than the main one frees its record before it ends.
void ReleaseCurrentThreadRecord();

}  // namespace runtime
