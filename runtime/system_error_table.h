#pragma once
// The run-time error number for a Windows error code as GetLastError reports it.

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "runtime/error_numbers.h"

namespace runtime {

// Codes 0 to 39 by index; code 0 means success and maps to no error.
inline constexpr std::array<std::uint8_t, 40> kSystemErrorNumbers = {
    0,                            // 0 success
    error::kPathFileAccessError,  // 1 invalid function
    error::kFileNotFound,         // 2
    error::kPathNotFound,         // 3
    error::kTooManyFiles,         // 4 too many open files
    error::kPermissionDenied,     // 5 access denied
    error::kDeviceIoError,        // 6 invalid handle
    error::kFatalSystemError,     // 7 arena trashed
    error::kOutOfMemory,          // 8 not enough memory
    error::kFatalSystemError,     // 9 invalid block
    error::kFatalSystemError,     // 10 bad environment
    error::kInternalError,        // 11 bad format
    error::kInternalError,        // 12 invalid access
    error::kInternalError,        // 13 invalid data
    error::kOutOfMemory,          // 14 out of memory
    error::kDeviceUnavailable,    // 15 invalid drive
    error::kPathFileAccessError,  // 16 current directory
    error::kRenameAcrossDisks,    // 17 not same device
    error::kFileNotFound,         // 18 no more files
    error::kPermissionDenied,     // 19 write protect
    error::kDeviceUnavailable,    // 20 bad unit
    error::kDiskNotReady,         // 21 not ready
    error::kInternalError,        // 22 bad command
    error::kDiskMediaError,       // 23 CRC
    error::kInternalError,        // 24 bad length
    error::kDiskMediaError,       // 25 seek
    error::kDiskMediaError,       // 26 not a DOS disk
    error::kDiskMediaError,       // 27 sector not found
    error::kDiskMediaError,       // 28 out of paper
    error::kDiskMediaError,       // 29 write fault
    error::kDiskMediaError,       // 30 read fault
    error::kDiskMediaError,       // 31 general failure
    error::kPermissionDenied,     // 32 sharing violation
    error::kPermissionDenied,     // 33 lock violation
    error::kDiskMediaError,       // 34 wrong disk
    error::kDiskMediaError,       // 35
    error::kPermissionDenied,     // 36 sharing buffer exceeded
    error::kPathFileAccessError,  // 37
    error::kInputPastEndOfFile,   // 38 handle EOF
    error::kDiskFull,             // 39 handle disk full
};

constexpr std::uint8_t SystemErrorTable(std::uint32_t code) {
  if (code < kSystemErrorNumbers.size()) return kSystemErrorNumbers[code];
  if (code == ERROR_INVALID_PARAMETER) return error::kInvalidProcedureCall;
  if (code == ERROR_DISK_FULL) return error::kDiskFull;
  return error::kPathFileAccessError;
}

}  // namespace runtime
