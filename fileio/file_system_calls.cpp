#include "fileio/file_system_calls.h"

namespace fileio {
namespace {

constexpr FileSystemCalls kPlatformCalls = {
    platform::CreateFileW,        platform::GetFileType,  platform::SetFilePointer,
    platform::SetEndOfFile,       platform::WriteFile,    platform::CloseHandle,
    platform::MoveFileExW,        platform::DeleteFileW,  platform::GetFileAttributesW,
    platform::SetFileAttributesW, platform::ReplaceFileW, platform::GetFullPathNameW,
    platform::FlushFileBuffers,
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
