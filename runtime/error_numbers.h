#pragma once
// The run-time error numbers the program records (RaiseRuntimeError, and the error results of
// the file operations), by meaning. Windows error codes keep their Windows names (ERROR_...);
// SystemErrorTable turns one into one of these.

namespace runtime::error {

inline constexpr int kInvalidProcedureCall = 5;  // a Windows call refused its arguments
inline constexpr int kOutOfMemory = 7;
// Also what a failure without a number of its own, or an error number of 0 or beyond 8 bits,
// records.
inline constexpr int kInternalError = 51;
inline constexpr int kBadFileNameOrNumber = 52;  // no channel is open under that number
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;      // the channel is not open for output
inline constexpr int kFileAlreadyOpen = 55;  // the channel number is in use
inline constexpr int kDeviceIoError = 57;    // a device took fewer bytes than written
inline constexpr int kDiskFull = 61;         // also a disk file that took fewer bytes
inline constexpr int kInputPastEndOfFile = 62;
inline constexpr int kBadFileName = 64;
inline constexpr int kTooManyFiles = 67;
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDiskNotReady = 71;
inline constexpr int kDiskMediaError = 72;
inline constexpr int kRenameAcrossDisks = 74;
inline constexpr int kPathFileAccessError = 75;  // also: every unique name tried is taken
inline constexpr int kPathNotFound = 76;
// A Windows failure the program cannot go on from (its memory or environment is corrupt).
inline constexpr int kFatalSystemError = 241;

// This number and every higher one end the process at once.
inline constexpr int kFirstFatal = 241;

// The exit code of a process the runtime ends itself: a fatal error, or a refused start.
inline constexpr unsigned kFatalExitCode = 255;

}  // namespace runtime::error
