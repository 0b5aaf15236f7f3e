#pragma once
// The file-system calls the channels and the file replacement make, as one table. The platform's
// calls are in use; tests put a failing call in place of a real one (a full disk, a failing
// SetEndOfFile, a rename refused for a moment) to reach failure paths the file system will not
// produce on demand, and a clock of their own in place of Sleep.

#include "platform/files.h"
#include "platform/named_mutex.h"
#include "platform/process.h"

namespace fileio {

struct FileSystemCalls {
  decltype(&platform::CreateFileW) createFile;
  decltype(&platform::GetFileType) getFileType;
  decltype(&platform::SetFilePointer) setFilePointer;
  decltype(&platform::SetEndOfFile) setEndOfFile;
  decltype(&platform::WriteFile) writeFile;
  decltype(&platform::ReadFile) readFile;
  decltype(&platform::CloseHandle) closeHandle;
  decltype(&platform::MoveFileExW) moveFileEx;
  decltype(&platform::DeleteFileW) deleteFile;
  decltype(&platform::SetFileRenameInfoEx) setFileRenameInfoEx;
  decltype(&platform::GetFinalPathNameByHandleW) getFinalPathNameByHandle;
  decltype(&platform::GetFileAttributesW) getFileAttributes;
  decltype(&platform::GetFileAttributesExW) getFileAttributesEx;
  decltype(&platform::SetFileAttributesW) setFileAttributes;
  decltype(&platform::SetFileTime) setFileTime;
  decltype(&platform::GetFullPathNameW) getFullPathName;
  decltype(&platform::FlushFileBuffers) flushFileBuffers;
  decltype(&platform::CreateMutexW) createMutex;
  decltype(&platform::WaitForSingleObject) waitForSingleObject;
  decltype(&platform::ReleaseMutex) releaseMutex;
  decltype(&platform::Sleep) sleep;
};

const FileSystemCalls& PlatformFileSystemCalls();
const FileSystemCalls& CurrentFileSystemCalls();
// Puts `calls` in use (null: the platform's again) and returns the table that was in use.
const FileSystemCalls* UseFileSystemCalls(const FileSystemCalls* calls);

}  // namespace fileio
