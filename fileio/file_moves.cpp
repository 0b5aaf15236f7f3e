#include "fileio/file_moves.h"

#include "fileio/file_names.h"
#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "runtime/error_numbers.h"
#include "runtime/wide_string.h"

namespace fileio {
void MoveFileReplacing(runtime::ErrorSlot& slot, const runtime::DynString& source,
                       const runtime::DynString& target) {
  runtime::WideString from;
  runtime::WideString to;
  int error = WidenFileName(source, from);
  if (error == 0) error = WidenFileName(target, to);
  if (error == 0) {
    const FileSystemCalls& calls = CurrentFileSystemCalls();
    auto moved = GuardedSystemCall(
        [&] { return calls.moveFileEx(from.Text(), to.Text(), MOVEFILE_REPLACE_EXISTING); });
    error = ErrorOf(moved);
  }
  from.Free();
  to.Free();
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

void RemoveFile(runtime::ErrorSlot& slot, const runtime::DynString& fileName) {
  runtime::WideString name;
  int error = WidenFileName(fileName, name);
  if (error == 0) {
    const FileSystemCalls& calls = CurrentFileSystemCalls();
    auto removed = GuardedSystemCall([&] { return calls.deleteFile(name.Text()); });
    error = ErrorOf(removed);
  }
  name.Free();
  if (error != 0) runtime::RaiseRuntimeError(slot, error, RUNTIME_RETURN_ADDRESS());
}

}  // namespace fileio
