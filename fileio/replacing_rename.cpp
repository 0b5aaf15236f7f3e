#include "fileio/replacing_rename.h"

#include <cstdint>

#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/error_numbers.h"

namespace fileio {
namespace {

const FileSystemCalls& Calls() {
  return CurrentFileSystemCalls();
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Answers of a system or file system that has no POSIX-semantics rename by handle.
bool NotOffered(DWORD code) {
  return code == ERROR_INVALID_PARAMETER || code == ERROR_NOT_SUPPORTED ||
         code == ERROR_CALL_NOT_IMPLEMENTED;
}

class Rename {
 public:
  Rename(const char16_t* fresh, const char16_t* target) : fresh_(fresh), target_(target) {}

  GuardedResult<BOOL> Once() {
    if (byHandle_) {
      auto renamed = ByHandle();
      if (Succeeded(renamed.value) || !NotOffered(renamed.code)) return renamed;
      byHandle_ = false;
    }
    return GuardedSystemCall([&] {
      return Calls().moveFileEx(fresh_, target_,
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    });
  }

 private:
  // A fresh file that cannot be opened for this is renamed by name instead.
  GuardedResult<BOOL> ByHandle() {
    auto opened = GuardedSystemCall([&] {
      return Calls().createFile(fresh_, DELETE, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    });
    if (!Succeeded(opened.value)) return {FALSE, 0, ERROR_NOT_SUPPORTED};
    auto renamed = GuardedSystemCall([&] {
      return Calls().setFileRenameInfoEx(
          opened.value, target_,
          FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS);
    });
    GuardedSystemCall([&] { return Calls().closeHandle(opened.value); });
    return renamed;
  }

  const char16_t* fresh_;
  const char16_t* target_;
  bool byHandle_ = true;
};

enum class Refusal : std::uint8_t { kHeld, kForbidden, kNobodyHolds, kOther };

// Opening the target for delete while sharing nothing meets every other program's handle, as
// the rename did, but also asks the right to delete it.
Refusal ProbeTarget(const char16_t* target) {
  auto opened = GuardedSystemCall([&] {
    return Calls().createFile(target, DELETE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  });
  if (Succeeded(opened.value)) {
    GuardedSystemCall([&] { return Calls().closeHandle(opened.value); });
    return Refusal::kNobodyHolds;
  }
  switch (opened.code) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return Refusal::kHeld;
    case ERROR_ACCESS_DENIED:
      return Refusal::kForbidden;
    case ERROR_FILE_NOT_FOUND:
      return Refusal::kNobodyHolds;
    default:
      return Refusal::kOther;
  }
}

// Windows refuses a rename onto a held file with a sharing violation when a holder does not
// share delete, and with access denied when all do; Wine with access denied either way, as it
// does in a folder that lets only owners rename.
Refusal RefusalOf(DWORD code, const char16_t* target) {
  switch (code) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return Refusal::kHeld;
    case ERROR_ACCESS_DENIED:
      return ProbeTarget(target);
    default:
      return Refusal::kOther;
  }
}

}  // namespace

Renamed RenameReplacing(const char16_t* fresh, const char16_t* target) {
  Rename rename(fresh, target);
  bool nobodyHeldIt = false;
  std::size_t waits = 0;
  for (;;) {
    auto renamed = rename.Once();
    if (Succeeded(renamed.value)) return {true, false, 0};
    const int error = ErrorOf(renamed);
    switch (RefusalOf(renamed.code, target)) {
      case Refusal::kNobodyHolds:
        // A holder may have let go between the two: one more try tells.
        if (nobodyHeldIt) return {false, true, error};
        nobodyHeldIt = true;
        break;
      case Refusal::kHeld:
        if (waits == kHeldRetryDelays.size()) return {false, false, error};
        Calls().sleep(kHeldRetryDelays[waits++]);
        break;
      case Refusal::kForbidden:
        return {false, true, error};
      case Refusal::kOther:
        return {false, false, error};
    }
  }
}

}  // namespace fileio
