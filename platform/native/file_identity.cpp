// The native stand-in for the calls that keep a file's identity. Attributes follow the model
// Wine uses on Linux: read-only is the absence of every write permission bit, hidden and system
// live in the "user.DOSATTRIB" extended attribute, and any other file counts as an archive.
// A creation time a program sets is kept in an extended attribute of its own; without one the
// file's birth time counts, where the file system records it, else its last change.

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/native/files.h"
#include "platform/native/open_files.h"

namespace platform {

using posix::ErrorForName;
using posix::Fail;
using posix::PathOf;

namespace {

constexpr const char* kDosAttributes = "user.DOSATTRIB";
constexpr DWORD kStoredAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kPermissionBits = 07777;
// The creation time a program set, which Linux keeps nowhere else: 100-ns units since 1601.
constexpr const char* kCreationTime = "user.creation_time";
constexpr std::uint64_t kUnitsPerSecond = 10000000;
constexpr std::uint64_t kUnixEpochUnits = 116444736000000000;  // 1970 in units since 1601

DWORD StoredAttributes(const std::string& path) {
  char value[32] = {};
  if (getxattr(path.c_str(), kDosAttributes, value, sizeof value - 1) <= 0) return 0;
  return static_cast<DWORD>(std::strtoul(value, nullptr, 16)) & kStoredAttributes;
}

// 0, or the errno of the failed change. Setting a user attribute needs write permission, so
// callers store before they take the write bits away.
int StoreAttributes(const std::string& path, DWORD attributes) {
  const DWORD stored = attributes & kStoredAttributes;
  if (stored == 0) {
    bool gone = removexattr(path.c_str(), kDosAttributes) == 0 || errno == ENODATA;
    return gone ? 0 : errno;
  }
  char value[16];
  (void)std::snprintf(value, sizeof value, "0x%x", static_cast<unsigned>(stored));
  return setxattr(path.c_str(), kDosAttributes, value, std::strlen(value), 0) == 0 ? 0 : errno;
}

BOOL Refuse(DWORD code) {
  Fail(code);
  return FALSE;
}

BOOL FailFor(int errnum, const std::string& path) {
  return Refuse(ErrorForName(errnum, path));
}

FILETIME FileTimeOf(std::uint64_t units) {
  return {static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
}

std::uint64_t UnitsOf(const statx_timestamp& stamp) {
  return kUnixEpochUnits + static_cast<std::uint64_t>(stamp.tv_sec) * kUnitsPerSecond +
         stamp.tv_nsec / 100;
}

std::uint64_t CreationUnits(const std::string& path, const struct statx& info) {
  char value[24] = {};
  if (getxattr(path.c_str(), kCreationTime, value, sizeof value - 1) > 0) {
    return std::strtoull(value, nullptr, 16);
  }
  return UnitsOf((info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime : info.stx_ctime);
}

void AppendUnits(std::u16string& out, const std::string& utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
}

}  // namespace

DWORD GetFileAttributesW(const char16_t* fileName) {
  std::string path = PathOf(fileName);
  struct stat info = {};
  if (path.empty()) {
    Fail(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (stat(path.c_str(), &info) != 0) {
    FailFor(errno, path);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (posix::IsDeletePending(path)) {  // its name stays, but the file is no longer to be had
    Fail(ERROR_ACCESS_DENIED);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  struct stat link = {};
  if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    attributes |= FILE_ATTRIBUTE_REPARSE_POINT;  // a symbolic link, as Windows marks one
  }
  if ((info.st_mode & kWriteBits) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes | StoredAttributes(path);
}

BOOL GetFileAttributesExW(const char16_t* fileName, GET_FILEEX_INFO_LEVELS level,
                          void* information) {
  if (level != GetFileExInfoStandard || information == nullptr) {
    return Refuse(ERROR_INVALID_PARAMETER);
  }
  const DWORD attributes = GetFileAttributesW(fileName);
  if (attributes == INVALID_FILE_ATTRIBUTES) return FALSE;  // its error is recorded
  std::string path = PathOf(fileName);
  struct statx info = {};
  if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
    return FailFor(errno, path);
  }
  auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(information);
  data->dwFileAttributes = attributes;
  data->ftCreationTime = FileTimeOf(CreationUnits(path, info));
  data->ftLastAccessTime = FileTimeOf(UnitsOf(info.stx_atime));
  data->ftLastWriteTime = FileTimeOf(UnitsOf(info.stx_mtime));
  data->nFileSizeHigh = static_cast<DWORD>(info.stx_size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(info.stx_size);
  return TRUE;
}

// Only the creation time is kept here; the other two are left as the writes made them.
BOOL SetFileTime(HANDLE file, const FILETIME* creationTime, const FILETIME* /*lastAccessTime*/,
                 const FILETIME* /*lastWriteTime*/) {
  if (creationTime == nullptr) return TRUE;
  const std::uint64_t units =
      static_cast<std::uint64_t>(creationTime->dwHighDateTime) << 32 | creationTime->dwLowDateTime;
  char value[24];
  (void)std::snprintf(value, sizeof value, "%llx", static_cast<unsigned long long>(units));
  const int fd = static_cast<int>(reinterpret_cast<std::intptr_t>(file) - 1);
  if (fsetxattr(fd, kCreationTime, value, std::strlen(value), 0) != 0) {
    return Refuse(WindowsErrorFromErrno(errno));
  }
  return TRUE;
}

BOOL SetFileAttributesW(const char16_t* fileName, DWORD attributes) {
  std::string path = PathOf(fileName);
  struct stat info = {};
  if (path.empty()) return Refuse(ERROR_PATH_NOT_FOUND);
  if (stat(path.c_str(), &info) != 0) return FailFor(errno, path);
  const mode_t mode = info.st_mode & kPermissionBits;
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  mode_t wanted = readOnly ? mode & ~kWriteBits : mode;
  if (!readOnly && (mode & kWriteBits) == 0) wanted |= S_IWUSR;
  if (!readOnly && wanted != mode && chmod(path.c_str(), wanted) != 0) return FailFor(errno, path);
  if (int refused = StoreAttributes(path, attributes); refused != 0) {
    return FailFor(refused, path);
  }
  if (readOnly && wanted != mode && chmod(path.c_str(), wanted) != 0) return FailFor(errno, path);
  return TRUE;
}

// Relative names are taken from the current folder; nothing else is normalised.
DWORD GetFullPathNameW(const char16_t* fileName, DWORD bufferLength, char16_t* buffer,
                       char16_t** filePart) {
  if (fileName == nullptr || fileName[0] == 0) {
    Fail(ERROR_INVALID_NAME);
    return 0;
  }
  std::u16string full;
  if (fileName[0] != u'/') {
    // glibc allocates the folder's name when given no buffer.
    char* folder = getcwd(nullptr, 0);  // NOLINT(clang-analyzer-unix.StdCLibraryFunctions)
    if (folder == nullptr) {
      Fail(WindowsErrorFromErrno(errno));
      return 0;
    }
    AppendUnits(full, folder);
    std::free(folder);  // NOLINT(cppcoreguidelines-no-malloc): getcwd's own allocation
    full += u'/';
  }
  full += fileName;
  const auto length = static_cast<DWORD>(full.size());
  if (buffer == nullptr || bufferLength <= length) return length + 1;
  std::memcpy(buffer, full.c_str(), (full.size() + 1) * sizeof(char16_t));
  if (filePart != nullptr) *filePart = buffer + full.rfind(u'/') + 1;
  return length;
}

DWORD GetFinalPathNameByHandleW(HANDLE file, char16_t* buffer, DWORD bufferLength,
                                DWORD /*flags*/) {
  const int descriptor = static_cast<int>(reinterpret_cast<std::intptr_t>(file) - 1);
  const std::string name = posix::NameOfDescriptor(descriptor);
  if (name.empty()) {
    Fail(ERROR_INVALID_HANDLE);
    return 0;
  }
  std::u16string units;
  AppendUnits(units, name);
  const auto length = static_cast<DWORD>(units.size());
  if (buffer == nullptr || bufferLength <= length) return length + 1;
  std::memcpy(buffer, units.c_str(), (units.size() + 1) * sizeof(char16_t));
  return length;
}

}  // namespace platform
