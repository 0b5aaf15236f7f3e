// The native stand-in for the Windows file calls. Handles are file descriptors plus one (so
// neither 0 nor INVALID_HANDLE_VALUE is ever a valid handle). Share mode 0 is emulated with a
// non-blocking exclusive flock: a second opener that also locks is refused with the sharing
// violation, as Windows refuses a second handle.

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>

#include "platform/files.h"
#include "platform/native/files.h"
#include "platform/native/open_files.h"

namespace platform {

using posix::ErrorForName;
using posix::Fail;
using posix::Holders;
using posix::HoldersOf;
using posix::NameProbe;
using posix::PathOf;

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;
std::atomic<UINT> errorMode{0};

struct ErrnoMeaning {
  int errnum;
  DWORD code;
};

// By meaning, not by number: each POSIX failure becomes the Windows code a Windows program
// would have seen for the same situation.
constexpr ErrnoMeaning kErrnoMeanings[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},
    {EROFS, ERROR_WRITE_PROTECT},
    {ETXTBSY, ERROR_SHARING_VIOLATION},
    {ENOSPC, ERROR_DISK_FULL},
    {EDQUOT, ERROR_DISK_FULL},
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {EBADF, ERROR_INVALID_HANDLE},
    {EXDEV, ERROR_NOT_SAME_DEVICE},
    {EEXIST, ERROR_ALREADY_EXISTS},
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
    {EBUSY, ERROR_BUSY},
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {ELOOP, ERROR_CANT_RESOLVE_FILENAME},
    {EFBIG, ERROR_FILE_TOO_LARGE},
    {EIO, ERROR_GEN_FAILURE},
    {ENXIO, ERROR_NOT_READY},
    {EOPNOTSUPP, ERROR_NOT_SUPPORTED},
};

int DescriptorOf(HANDLE handle) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(handle) - 1);
}

HANDLE HandleOf(int descriptor) {
  // A handle is a number here, never an address.
  return reinterpret_cast<HANDLE>(  // NOLINT(performance-no-int-to-ptr)
      static_cast<std::intptr_t>(descriptor) + 1);
}

int AccessFlags(DWORD desiredAccess) {
  bool reads = (desiredAccess & GENERIC_READ) != 0;
  bool writes = (desiredAccess & GENERIC_WRITE) != 0;
  if (reads && writes) return O_RDWR;
  return writes ? O_WRONLY : O_RDONLY;
}

// Opens by the Windows creation disposition; `existed` tells whether the file was there.
int OpenByDisposition(const std::string& path, int flags, DWORD disposition, bool& existed) {
  constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as for any new file
  existed = false;
  switch (disposition) {
    case CREATE_NEW:
      return open(path.c_str(), flags | O_CREAT | O_EXCL, kNewFileMode);
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING:
      existed = true;
      return open(path.c_str(), flags);
    case CREATE_ALWAYS:
    case OPEN_ALWAYS:
      // Create first, so that "it existed" is known without a race.
      for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = open(path.c_str(), flags | O_CREAT | O_EXCL, kNewFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
        fd = open(path.c_str(), flags);
        if (fd >= 0 || errno != ENOENT) {
          existed = fd >= 0;
          return fd;
        }
      }
      return open(path.c_str(), flags | O_CREAT, kNewFileMode);
    default:
      errno = EINVAL;
      return -1;
  }
}

DWORD OpenError(int errnum, const std::string& path, DWORD disposition) {
  // With O_CREAT a missing entry can only be a missing folder.
  bool creates =
      disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  if (errnum == ENOENT && creates) return ERROR_PATH_NOT_FOUND;
  if (errnum == EEXIST && disposition == CREATE_NEW) return ERROR_FILE_EXISTS;
  return ErrorForName(errnum, path);
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// A name that does not exist: Windows tells a missing file in an existing folder from a
// missing folder.
DWORD MissingNameError(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  struct stat info = {};
  bool folderExists = stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  return folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// A file this process holds without sharing delete, or, where it holds none, that another
// process holds (which the lock alone tells, whatever it shares).
bool DeniesDelete(const std::string& path) {
  const Holders holders = HoldersOf(path);
  if (holders != Holders::kNone) return holders == Holders::kSomeDenyDelete;
  return NameProbe(path).HeldElsewhere();
}

// A rename that replaces; which of the two names is missing decides between file and path
// not found.
BOOL RenameReplacing(const std::string& from, const std::string& to) {
  if (rename(from.c_str(), to.c_str()) != 0) {
    int errnum = errno;
    struct stat info = {};
    bool sourceMissing = errnum == ENOENT && lstat(from.c_str(), &info) != 0;
    Fail(ErrorForName(errnum, sourceMissing ? from : to));
    return FALSE;
  }
  return TRUE;
}

}  // namespace

namespace posix {

DWORD Fail(DWORD code) {
  lastError = code;
  return code;
}

std::string PathOf(const char16_t* name) {
  std::string path;
  if (name == nullptr) return path;
  for (const char16_t* p = name; *p != 0; ++p) {
    char32_t code = *p;
    bool high = code >= 0xD800 && code <= 0xDBFF;
    bool low = code >= 0xDC00 && code <= 0xDFFF;
    if (high && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (p[1] - 0xDC00);
      ++p;
    } else if (high || low) {
      code = 0xFFFD;
    }
    AppendUtf8(path, code);
  }
  return path;
}

DWORD ErrorForName(int errnum, const std::string& path) {
  return errnum == ENOENT ? MissingNameError(path) : WindowsErrorFromErrno(errnum);
}

std::string NameOfDescriptor(int descriptor) {
  std::string link = "/proc/self/fd/" + std::to_string(descriptor);
  char name[4096];
  const ssize_t length = readlink(link.c_str(), name, sizeof name);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof name) return {};
  return {name, static_cast<std::size_t>(length)};
}

NameProbe::NameProbe(const std::string& path)
    : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
  held_ = fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

NameProbe::~NameProbe() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace posix

DWORD WindowsErrorFromErrno(int errnum) {
  for (const ErrnoMeaning& meaning : kErrnoMeanings) {
    if (meaning.errnum == errnum) return meaning.code;
  }
  return ERROR_INVALID_FUNCTION;  // any other failure
}

HANDLE CreateFileW(const char16_t* fileName, DWORD desiredAccess, DWORD shareMode,
                   SECURITY_ATTRIBUTES* security, DWORD creationDisposition,
                   DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/) {
  std::string path = PathOf(fileName);
  if (path.empty()) {
    Fail(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  // A file deleted while held keeps its name, and refuses every open, until it is gone.
  if (posix::IsDeletePending(path)) {
    Fail(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  int flags = AccessFlags(desiredAccess);
  if (security == nullptr || security->bInheritHandle == FALSE) flags |= O_CLOEXEC;
  bool existed = false;
  int fd = OpenByDisposition(path, flags, creationDisposition, existed);
  if (fd < 0) {
    Fail(OpenError(errno, path, creationDisposition));
    return INVALID_HANDLE_VALUE;
  }
  // Other processes see only the lock; this one's handles are checked as Windows checks them.
  const bool touchesData = (desiredAccess & (GENERIC_READ | GENERIC_WRITE | DELETE)) != 0;
  int lockKind = shareMode == 0 ? LOCK_EX : LOCK_SH;
  if (touchesData && flock(fd, lockKind | LOCK_NB) != 0) {
    int errnum = errno;
    close(fd);
    Fail(errnum == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : WindowsErrorFromErrno(errnum));
    return INVALID_HANDLE_VALUE;
  }
  if (DWORD refused = posix::Admit(fd, desiredAccess, shareMode); refused != ERROR_SUCCESS) {
    close(fd);
    Fail(refused);
    return INVALID_HANDLE_VALUE;
  }
  bool truncates = creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
  if (truncates && ftruncate(fd, 0) != 0) {
    int errnum = errno;
    close(fd);
    Fail(WindowsErrorFromErrno(errnum));
    return INVALID_HANDLE_VALUE;
  }
  bool reportsExisting = creationDisposition == OPEN_ALWAYS || creationDisposition == CREATE_ALWAYS;
  lastError = existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
  return HandleOf(fd);
}

DWORD GetFileType(HANDLE file) {
  struct stat info = {};
  if (fstat(DescriptorOf(file), &info) != 0) {
    Fail(ERROR_INVALID_HANDLE);
    return FILE_TYPE_UNKNOWN;
  }
  if (S_ISREG(info.st_mode) || S_ISBLK(info.st_mode)) return FILE_TYPE_DISK;
  if (S_ISCHR(info.st_mode)) return FILE_TYPE_CHAR;
  if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return FILE_TYPE_PIPE;
  return FILE_TYPE_UNKNOWN;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod) {
  std::int64_t offset = distance;
  if (distanceHigh != nullptr) {
    offset = static_cast<std::int64_t>(static_cast<std::uint64_t>(*distanceHigh) << 32 |
                                       static_cast<DWORD>(distance));
  }
  int whence = moveMethod == FILE_CURRENT ? SEEK_CUR : moveMethod == FILE_END ? SEEK_END : SEEK_SET;
  off_t reached = lseek(DescriptorOf(file), offset, whence);
  if (reached < 0) {
    Fail(errno == EINVAL ? ERROR_NEGATIVE_SEEK : WindowsErrorFromErrno(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(reached >> 32);
  return static_cast<DWORD>(reached);
}

BOOL SetEndOfFile(HANDLE file) {
  int fd = DescriptorOf(file);
  off_t here = lseek(fd, 0, SEEK_CUR);
  if (here < 0 || ftruncate(fd, here) != 0) {
    Fail(WindowsErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

// All bytes or a failure, as a Windows disk write: short kernel writes are continued, and
// the count reports what reached the file before a failure.
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten,
               OVERLAPPED* overlapped) {
  if (bytesWritten != nullptr) *bytesWritten = 0;
  if (overlapped != nullptr || (buffer == nullptr && bytesToWrite != 0)) {
    Fail(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const char* bytes = static_cast<const char*>(buffer);
  DWORD done = 0;
  while (done < bytesToWrite) {
    ssize_t wrote = write(DescriptorOf(file), bytes + done, bytesToWrite - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) {
      Fail(WindowsErrorFromErrno(errno));
      if (bytesWritten != nullptr) *bytesWritten = done;
      return FALSE;
    }
    if (wrote == 0) break;  // no progress: report the short count
    done += static_cast<DWORD>(wrote);
  }
  if (bytesWritten != nullptr) *bytesWritten = done;
  return TRUE;
}

// Short kernel reads are continued up to the count or the end of the file.
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* overlapped) {
  if (bytesRead != nullptr) *bytesRead = 0;
  if (overlapped != nullptr || (buffer == nullptr && bytesToRead != 0)) {
    Fail(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  char* bytes = static_cast<char*>(buffer);
  DWORD done = 0;
  while (done < bytesToRead) {
    ssize_t got = read(DescriptorOf(file), bytes + done, bytesToRead - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      Fail(WindowsErrorFromErrno(errno));
      if (bytesRead != nullptr) *bytesRead = done;
      return FALSE;
    }
    if (got == 0) break;  // the end of the file
    done += static_cast<DWORD>(got);
  }
  if (bytesRead != nullptr) *bytesRead = done;
  return TRUE;
}

BOOL CloseHandle(HANDLE object) {
  const std::string deleted = posix::Forget(DescriptorOf(object));
  // On Linux the descriptor is gone even when close reports EINTR: never close it twice.
  const bool closed = close(DescriptorOf(object)) == 0 || errno == EINTR;
  const int errnum = errno;
  if (!deleted.empty()) unlink(deleted.c_str());  // its last handle is gone, and so is its name
  if (!closed) {
    Fail(WindowsErrorFromErrno(errnum));
    return FALSE;
  }
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
  if (fsync(DescriptorOf(file)) != 0) {
    Fail(WindowsErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFileExW(const char16_t* existingName, const char16_t* newName, DWORD flags) {
  std::string from = PathOf(existingName);
  std::string to = PathOf(newName);
  if (from.empty() || to.empty()) {
    Fail(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  // The source is opened for delete, which its holders must share; a target open at all is
  // not replaced, and one whose holders do not share delete is not even opened.
  if (DeniesDelete(from) || DeniesDelete(to)) {
    Fail(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  struct stat info = {};
  if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && lstat(to.c_str(), &info) == 0) {
    Fail(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (HoldersOf(to) == Holders::kAllShareDelete) {
    Fail(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return RenameReplacing(from, to);
}

BOOL SetFileRenameInfoEx(HANDLE file, const char16_t* newName, DWORD flags) {
  std::string from = posix::NameOfDescriptor(DescriptorOf(file));
  std::string to = PathOf(newName);
  if (from.empty() || to.empty()) {
    Fail(from.empty() ? ERROR_INVALID_HANDLE : ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if ((posix::AccessOf(DescriptorOf(file)) & DELETE) == 0) {
    Fail(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // POSIX semantics replace a file whose holders all share delete; without them, as a move.
  const bool posix = (flags & FILE_RENAME_FLAG_POSIX_SEMANTICS) != 0;
  struct stat info = {};
  if ((flags & FILE_RENAME_FLAG_REPLACE_IF_EXISTS) == 0 && lstat(to.c_str(), &info) == 0) {
    Fail(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (DeniesDelete(to)) {
    Fail(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (HoldersOf(to) == Holders::kAllShareDelete && !posix) {
    Fail(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return RenameReplacing(from, to);
}

BOOL DeleteFileW(const char16_t* fileName) {
  std::string path = PathOf(fileName);
  if (path.empty()) {
    Fail(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  const Holders holders = HoldersOf(path);
  if (DeniesDelete(path)) {
    Fail(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (holders == Holders::kAllShareDelete) {
    posix::MarkDeletePending(path);  // gone with its last handle; the name stays until then
    return TRUE;
  }
  if (unlink(path.c_str()) != 0) {
    Fail(ErrorForName(errno, path));
    return FALSE;
  }
  return TRUE;
}

UINT SetErrorMode(UINT mode) {
  return errorMode.exchange(mode);
}

void SetLastError(DWORD code) {
  lastError = code;
}

DWORD GetLastError() {
  return lastError;
}

}  // namespace platform
