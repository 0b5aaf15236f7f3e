#pragma once
// File-system calls under their Windows names. Names are UTF-16, zero-terminated. The native
// backend gives POSIX equivalents and reports its failures as the Windows error codes of the
// same meaning, so callers translate one set of codes on every build.

#include "platform/win_types.h"

#ifndef _WIN32
#include <cstdint>

struct OVERLAPPED;

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  void* lpSecurityDescriptor;
  BOOL bInheritHandle;
};

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
constexpr DWORD FILE_ATTRIBUTE_OFFLINE = 0x1000;
constexpr DWORD FILE_ATTRIBUTE_NOT_CONTENT_INDEXED = 0x2000;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_TYPE_UNKNOWN = 0;
constexpr DWORD FILE_TYPE_DISK = 1;
constexpr DWORD FILE_TYPE_CHAR = 2;
constexpr DWORD FILE_TYPE_PIPE = 3;
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD REPLACEFILE_IGNORE_MERGE_ERRORS = 0x2;
constexpr DWORD REPLACEFILE_IGNORE_ACL_ERRORS = 0x4;

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_INVALID_FUNCTION = 1;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr DWORD ERROR_WRITE_PROTECT = 19;
constexpr DWORD ERROR_NOT_READY = 21;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_LOCK_VIOLATION = 33;
constexpr DWORD ERROR_NOT_SUPPORTED = 50;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr DWORD ERROR_BUSY = 170;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_FILE_TOO_LARGE = 223;
constexpr DWORD ERROR_DIRECTORY = 267;
constexpr DWORD ERROR_UNABLE_TO_REMOVE_REPLACED = 1175;
constexpr DWORD ERROR_UNABLE_TO_MOVE_REPLACEMENT = 1176;
constexpr DWORD ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 = 1177;
constexpr DWORD ERROR_CANT_RESOLVE_FILENAME = 1921;
#endif

namespace platform {

HANDLE CreateFileW(const char16_t* fileName, DWORD desiredAccess, DWORD shareMode,
                   SECURITY_ATTRIBUTES* security, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
DWORD GetFileType(HANDLE file);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod);
BOOL SetEndOfFile(HANDLE file);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten,
               OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE object);
BOOL MoveFileExW(const char16_t* existingName, const char16_t* newName, DWORD flags);
BOOL DeleteFileW(const char16_t* fileName);

// What keeps a file's identity when its contents are replaced: its attributes, and a
// replacement that takes over attributes, security and creation time of the file it replaces.
DWORD GetFileAttributesW(const char16_t* fileName);
BOOL SetFileAttributesW(const char16_t* fileName, DWORD attributes);
BOOL ReplaceFileW(const char16_t* replacedName, const char16_t* replacementName,
                  const char16_t* backupName, DWORD flags, void* exclude, void* reserved);
DWORD GetFullPathNameW(const char16_t* fileName, DWORD bufferLength, char16_t* buffer,
                       char16_t** filePart);

UINT SetErrorMode(UINT mode);
void SetLastError(DWORD code);
DWORD GetLastError();

#ifndef _WIN32
// The Windows error code that means what `errnum` means (ENOSPC: ERROR_DISK_FULL, ...).
DWORD WindowsErrorFromErrno(int errnum);
#endif

}  // namespace platform
