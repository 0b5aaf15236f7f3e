// The native stand-in for the calls that keep a file's identity. Attributes follow the model
// Wine uses on Linux: read-only is the absence of every write permission bit, hidden and system
// live in the "user.DOSATTRIB" extended attribute, and any other file counts as an archive.
// What a Windows replacement carries over from the replaced file (its security settings and
// attributes) is here its permission bits, its owner and that extended attribute.

#include <errno.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/native/files.h"

namespace platform {

using posix::ErrorForName;
using posix::Fail;
using posix::NameProbe;
using posix::PathOf;

namespace {

constexpr const char* kDosAttributes = "user.DOSATTRIB";
constexpr DWORD kStoredAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kPermissionBits = 07777;
constexpr DWORD kIgnoreMergeErrors =
    REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;

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

// The replacement takes over what makes the replaced file itself; the errno of the first
// change refused, or 0.
int TakeOverIdentity(const std::string& replacement, const struct stat& replaced,
                     DWORD attributes) {
  struct stat fresh = {};
  if (stat(replacement.c_str(), &fresh) != 0) return errno;
  if (int refused = StoreAttributes(replacement, attributes); refused != 0) return refused;
  bool otherOwner = fresh.st_uid != replaced.st_uid || fresh.st_gid != replaced.st_gid;
  if (otherOwner && chown(replacement.c_str(), replaced.st_uid, replaced.st_gid) != 0) return errno;
  if (chmod(replacement.c_str(), replaced.st_mode & kPermissionBits) != 0) return errno;
  return 0;
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
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if ((info.st_mode & kWriteBits) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes | StoredAttributes(path);
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

// Windows' contract: the replaced file must exist and be writable; the replacement takes over
// its attributes and security, then its name. A failure before the last rename leaves both
// files under their names; with a backup name the replaced file may already wear it (1177).
BOOL ReplaceFileW(const char16_t* replacedName, const char16_t* replacementName,
                  const char16_t* backupName, DWORD flags, void* /*exclude*/, void* /*reserved*/) {
  std::string replaced = PathOf(replacedName);
  std::string replacement = PathOf(replacementName);
  if (replaced.empty() || replacement.empty()) return Refuse(ERROR_INVALID_PARAMETER);
  struct stat old = {};
  struct stat fresh = {};
  if (stat(replaced.c_str(), &old) != 0) return FailFor(errno, replaced);
  if (stat(replacement.c_str(), &fresh) != 0) return FailFor(errno, replacement);
  if (S_ISDIR(old.st_mode) || S_ISDIR(fresh.st_mode)) return Refuse(ERROR_ACCESS_DENIED);
  NameProbe replacedProbe(replaced);
  NameProbe replacementProbe(replacement);
  if (replacedProbe.HeldElsewhere() || replacementProbe.HeldElsewhere()) {
    return Refuse(ERROR_SHARING_VIOLATION);
  }
  if ((old.st_mode & kWriteBits) == 0 || access(replaced.c_str(), W_OK) != 0) {
    return Refuse(ERROR_ACCESS_DENIED);
  }
  int refused = TakeOverIdentity(replacement, old, StoredAttributes(replaced));
  if (refused != 0 && (flags & kIgnoreMergeErrors) == 0) return FailFor(refused, replacement);
  std::string backup = PathOf(backupName);
  if (!backup.empty() && rename(replaced.c_str(), backup.c_str()) != 0) {
    return FailFor(errno, backup);
  }
  if (rename(replacement.c_str(), replaced.c_str()) != 0) {
    if (!backup.empty()) return Refuse(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FailFor(errno, replaced);
  }
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

}  // namespace platform
