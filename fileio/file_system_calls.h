#pragma once
// The file-system calls the channels and the file replacement make, as one table. The platform's
// calls are in use; tests put a failing call in place of a real one (a full disk, a failing
// SetEndOfFile) to reach failure paths the file system will not produce on demand.

#include "platform/files.h"

namespace fileio {

struct FileSystemCalls {
  decltype(&platform::CreateFileW) createFile;
  decltype(&platform::GetFileType) getFileType;
  decltype(&platform::SetFilePointer) setFilePointer;
  decltype(&platform::SetEndOfFile) setEndOfFile;
  decltype(&platform::WriteFile) writeFile;
  decltype(&platform::CloseHandle) closeHandle;
  decltype(&platform::MoveFileExW) moveFileEx;
  decltype(&platform::DeleteFileW) deleteFile;
  decltype(&platform::GetFileAttributesW) getFileAttributes;
  decltype(&platform::SetFileAttributesW) setFileAttributes;
  decltype(&platform::ReplaceFileW) replaceFile;
  decltype(&platform::GetFullPathNameW) getFullPathName;
  decltype(&platform::FlushFileBuffers) flushFileBuffers;
};

const FileSystemCalls& PlatformFileSystemCalls();
const FileSystemCalls& CurrentFileSystemCalls();
// Puts `calls` in use (null: the platform's again) and returns the table that was in use.
const FileSystemCalls* UseFileSystemCalls(const FileSystemCalls* calls);

}  // namespace fileio
