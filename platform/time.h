#pragma once
// Conversions between SYSTEMTIME and FILETIME (100-nanosecond units since 1 January 1601,
// proleptic Gregorian, no time zone). On Windows they are the KERNEL32 calls; natively
// platform/native/time.cpp computes the same rules.

#include "platform/win_types.h"

namespace platform {

// Fails (FALSE, output untouched) unless every field names an existing moment of the years
// 1601 to 30827. The day of the week is ignored.
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);

// Fills all eight fields, the day of the week included. Fails (FALSE, record untouched) for
// a count of 2^63 or more.
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);

}  // namespace platform
