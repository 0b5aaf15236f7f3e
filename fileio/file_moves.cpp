#include "fileio/file_moves.h"

#include <string_view>

#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/wide_string.h"

namespace fileio {
namespace {

constexpr int kErrorBadFileName = 64;
constexpr int kErrorFailedWithoutCode = 51;

// 0 when `name` widened to a name the system can take; else the error to raise.
int WidenName(const runtime::DynString& name, runtime::WideString& wide) {
  std::string_view bytes = name.View();
  if (bytes.empty() || bytes.find_first_of(std::string_view("*?\0", 3)) != bytes.npos) {
    return kErrorBadFileName;
  }
  wide = runtime::WidenText(bytes);
  return wide.IsEmpty() ? runtime::kErrorOutOfMemory : 0;
}

int ErrorOf(BOOL succeeded, std::uint8_t error) {
  if (error != 0) return error;
  return succeeded ? 0 : kErrorFailedWithoutCode;
}

}  // namespace

void MoveFileReplacing(runtime::ErrorSlot& slot, const runtime::DynString& source,
                       const runtime::DynString& target) {
  runtime::WideString from;
  runtime::WideString to;
  int error = WidenName(source, from);
  if (error == 0) error = WidenName(target, to);
  if (error == 0) {
    const FileSystemCalls& calls = CurrentFileSystemCalls();
    auto moved = GuardedSystemCall(
        [&] { return calls.moveFileEx(from.Text(), to.Text(), MOVEFILE_REPLACE_EXISTING); });
    error = ErrorOf(moved.value, moved.error);
  }
  from.Free();
  to.Free();
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

void RemoveFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName) {
  runtime::WideString name;
  int error = WidenName(fileName, name);
  if (error == 0) {
    const FileSystemCalls& calls = CurrentFileSystemCalls();
    auto removed = GuardedSystemCall([&] { return calls.deleteFile(name.Text()); });
    error = ErrorOf(removed.value, removed.error);
  }
  name.Free();
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

}  // namespace fileio
