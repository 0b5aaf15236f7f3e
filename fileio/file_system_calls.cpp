#include "fileio/file_system_calls.h"

namespace fileio {
namespace {

constexpr FileSystemCalls kPlatformCalls = {
    platform::CreateFileW,
    platform::GetFileType,
    platform::SetFilePointer,
    platform::SetEndOfFile,
    platform::WriteFile,
    platform::ReadFile,
    platform::CloseHandle,
    platform::MoveFileExW,
    platform::DeleteFileW,
    platform::SetFileRenameInfoEx,
    platform::GetFinalPathNameByHandleW,
    platform::GetFileAttributesW,
    platform::GetFileAttributesExW,
    platform::SetFileAttributesW,
    platform::SetFileTime,
    platform::GetFullPathNameW,
    platform::FlushFileBuffers,
    platform::CreateMutexW,
    platform::WaitForSingleObject,
    platform::ReleaseMutex,
    platform::Sleep,
};

const FileSystemCalls* callsInUse = &kPlatformCalls;

}  // namespace

const FileSystemCalls& PlatformFileSystemCalls() {
  return kPlatformCalls;
}

const FileSystemCalls& CurrentFileSystemCalls() {
  return *callsInUse;
}

const FileSystemCalls* UseFileSystemCalls(const FileSystemCalls* calls) {
  const FileSystemCalls* previous = callsInUse;
  callsInUse = calls != nullptr ? calls : &kPlatformCalls;
  return previous;
}

}  // namespace fileio
