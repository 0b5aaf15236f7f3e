#include "platform/files.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "platform/win/call.h"

namespace platform {
namespace {

LPCWSTR Wide(const char16_t* text) {
  return reinterpret_cast<LPCWSTR>(text);
}

}  // namespace

HANDLE CreateFileW(const char16_t* fileName, DWORD desiredAccess, DWORD shareMode,
                   SECURITY_ATTRIBUTES* security, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile) {
  return AfterCall(::CreateFileW(Wide(fileName), desiredAccess, shareMode, security,
                                 creationDisposition, flagsAndAttributes, templateFile));
}

DWORD GetFileType(HANDLE file) {
  return AfterCall(::GetFileType(file));
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
  return AfterCall(::SetFilePointer(file, distance, distanceHigh, moveMethod));
}

BOOL SetEndOfFile(HANDLE file) {
  return AfterCall(::SetEndOfFile(file));
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten,
               OVERLAPPED* overlapped) {
  return AfterCall(::WriteFile(file, buffer, bytesToWrite, bytesWritten, overlapped));
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* overlapped) {
  return AfterCall(::ReadFile(file, buffer, bytesToRead, bytesRead, overlapped));
}

BOOL CloseHandle(HANDLE object) {
  return AfterCall(::CloseHandle(object));
}

BOOL FlushFileBuffers(HANDLE file) {
  return AfterCall(::FlushFileBuffers(file));
}

BOOL MoveFileExW(const char16_t* existingName, const char16_t* newName, DWORD flags) {
  return AfterCall(::MoveFileExW(Wide(existingName), Wide(newName), flags));
}

BOOL DeleteFileW(const char16_t* fileName) {
  return AfterCall(::DeleteFileW(Wide(fileName)));
}

namespace {

// FILE_RENAME_INFO with the flags that Windows 10 put in place of ReplaceIfExists; the SDK
// declares the union only for Windows 10 targets.
struct RenameInfoEx {
  DWORD flags;
  HANDLE rootDirectory;
  DWORD fileNameLength;  // in bytes
  WCHAR fileName[1];
};
static_assert(offsetof(RenameInfoEx, fileName) == offsetof(FILE_RENAME_INFO, FileName));
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

}  // namespace

BOOL SetFileRenameInfoEx(HANDLE file, const char16_t* newName, DWORD flags) {
  const std::size_t length = std::char_traits<char16_t>::length(newName);
  const std::size_t size = offsetof(RenameInfoEx, fileName) + (length + 1) * sizeof(WCHAR);
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[size]());
  if (buffer == nullptr) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return AfterCall(FALSE);
  }
  auto* info = reinterpret_cast<RenameInfoEx*>(buffer.get());
  info->flags = flags;
  info->fileNameLength = static_cast<DWORD>(length * sizeof(WCHAR));
  std::memcpy(info->fileName, newName, length * sizeof(WCHAR));
  return AfterCall(
      ::SetFileInformationByHandle(file, kFileRenameInfoEx, info, static_cast<DWORD>(size)));
}

DWORD GetFinalPathNameByHandleW(HANDLE file, char16_t* buffer, DWORD bufferLength, DWORD flags) {
  return AfterCall(
      ::GetFinalPathNameByHandleW(file, reinterpret_cast<LPWSTR>(buffer), bufferLength, flags));
}

DWORD GetFileAttributesW(const char16_t* fileName) {
  return AfterCall(::GetFileAttributesW(Wide(fileName)));
}

BOOL SetFileAttributesW(const char16_t* fileName, DWORD attributes) {
  return AfterCall(::SetFileAttributesW(Wide(fileName), attributes));
}

BOOL GetFileAttributesExW(const char16_t* fileName, GET_FILEEX_INFO_LEVELS level,
                          void* information) {
  return AfterCall(::GetFileAttributesExW(Wide(fileName), level, information));
}

BOOL SetFileTime(HANDLE file, const FILETIME* creationTime, const FILETIME* lastAccessTime,
                 const FILETIME* lastWriteTime) {
  return AfterCall(::SetFileTime(file, creationTime, lastAccessTime, lastWriteTime));
}

DWORD GetFullPathNameW(const char16_t* fileName, DWORD bufferLength, char16_t* buffer,
                       char16_t** filePart) {
  return AfterCall(::GetFullPathNameW(Wide(fileName), bufferLength,
                                      reinterpret_cast<LPWSTR>(buffer),
                                      reinterpret_cast<LPWSTR*>(filePart)));
}

UINT SetErrorMode(UINT mode) {
  return AfterCall(::SetErrorMode(mode));
}

void SetLastError(DWORD code) {
  ::SetLastError(code);
  AfterCall();
}

DWORD GetLastError() {
  return AfterCall(::GetLastError());
}

}  // namespace platform
