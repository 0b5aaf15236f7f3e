#include "fileio/file_replacement.h"

#include <utility>

#include "fileio/file_contents.h"
#include "fileio/file_names.h"
#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "fileio/in_place_rewrite.h"
#include "fileio/replacing_rename.h"
#include "fileio/retried_call.h"
#include "fileio/unique_file.h"
#include "fileio/write_turn.h"
#include "runtime/error_numbers.h"
#include "runtime/wide_string.h"

namespace fileio {
namespace {

// The attributes the new picture takes over; the others describe how the file is stored, and
// a read-only file is never replaced. ARCHIVE is not among them: new contents are a change a
// backup has yet to see.
constexpr DWORD kCarriedAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kComparedAttributes = kCarriedAttributes | FILE_ATTRIBUTE_ARCHIVE;

const FileSystemCalls& Calls() {
  return CurrentFileSystemCalls();
}

// The file being replaced, as found before anything is written.
struct Target {
  const runtime::WideString& name;
  bool exists = false;
  WIN32_FILE_ATTRIBUTE_DATA found = {};
};

// What one way of writing achieved.
struct Outcome {
  bool written = false;  // the target holds exactly the blocks
  int error = 0;
};

// 0 when the target may be replaced: absent, or neither read-only nor a folder. Looked up by
// name only: opening it would refuse, and be refused by, the programs that read it meanwhile.
// Whether another program holds it is the rename's to find out.
int LookAt(Target& target) {
  auto looked = GuardedSystemCall([&] {
    return Calls().getFileAttributesEx(target.name.Text(), GetFileExInfoStandard, &target.found);
  });
  target.exists = looked.value != FALSE;
  const DWORD attributes = target.found.dwFileAttributes;
  if (target.exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return runtime::error::kPermissionDenied;
  }
  if (target.exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return runtime::error::kPermissionDenied;
  }
  return 0;
}

// The creation time is part of what the picture was, as Windows' own replacement keeps it.
int CarryCreationTime(const Target& target, HANDLE fresh) {
  if (!target.exists) return 0;
  auto set = GuardedSystemCall(
      [&] { return Calls().setFileTime(fresh, &target.found.ftCreationTime, nullptr, nullptr); });
  return ErrorOf(set);
}

// The whole file: written, given the old file's creation time, on the medium, then closed, all
// without an error. It is flushed before it takes the old file's name, so that after a power
// cut the name holds the old picture or the new one, never a new entry over data that never
// reached the disk.
int WriteWhole(const Target& target, UniqueFile& fresh, std::span<const FileBlock> blocks) {
  int error = Contents(blocks).WriteWhole(fresh.handle);
  if (error == 0) error = CarryCreationTime(target, fresh.handle);
  if (error == 0) {
    auto flushed = GuardedSystemCall([&] { return Calls().flushFileBuffers(fresh.handle); });
    error = ErrorOf(flushed);
  }
  auto closed = GuardedSystemCall([&] { return Calls().closeHandle(fresh.handle); });
  return error != 0 ? error : ErrorOf(closed);
}

// The old file's attributes on the new one before it takes the name, and ARCHIVE set as any
// write sets it, so that no reader ever finds the name without them.
int CarryAttributes(const Target& target, const UniqueFile& fresh) {
  const DWORD carried = target.exists ? target.found.dwFileAttributes & kCarriedAttributes : 0;
  const DWORD wanted = carried | FILE_ATTRIBUTE_ARCHIVE;
  auto now = GuardedSystemCall([&] { return Calls().getFileAttributes(fresh.name.Text()); });
  if (now.value != INVALID_FILE_ATTRIBUTES && (now.value & kComparedAttributes) == wanted) return 0;
  auto set =
      GuardedSystemCall([&] { return Calls().setFileAttributes(fresh.name.Text(), wanted); });
  return ErrorOf(set);
}

void Remove(const runtime::WideString& name) {
  RetriedSystemCall([&] { return Calls().deleteFile(name.Text()); });
}

// Text handed out the Windows way: asked with no room, `fill` answers the room the text needs,
// its terminator included; given that room, the length it wrote. Empty when either answer fails
// or the text grew in between.
template <typename Fill>
runtime::WideString AskedText(Fill fill) {
  auto needed = GuardedSystemCall([&] { return fill(nullptr, DWORD{0}); });
  if (needed.value == 0) return {};
  runtime::WideString room = runtime::WideString::Allocate(needed.value);
  if (room.IsEmpty()) return {};
  auto got = GuardedSystemCall([&] { return fill(room.MutableText(), needed.value); });
  if (got.value == 0 || got.value >= needed.value) return {};
  return runtime::WideString::Copy({room.Text(), got.value});
}

// A full name, so that every spelling of one file waits for the same turn; the name as given
// when the full one cannot be had.
runtime::WideString FullName(const runtime::WideString& name) {
  runtime::WideString full = AskedText([&](char16_t* text, DWORD room) {
    return Calls().getFullPathName(name.Text(), room, text, nullptr);
  });
  return full.IsEmpty() ? runtime::WideString::Copy(name.View()) : std::move(full);
}

Outcome RewriteTarget(const Target& target, std::span<const FileBlock> blocks) {
  Rewrite rewrite = RewriteInPlace(target.name.Text(), blocks);
  return {rewrite.written, rewrite.error};
}

// The fresh file, whole and dressed as the old one, takes the name, or is removed. A fresh file
// that cannot wear the old one's attributes does not take its place: a hidden picture that
// turned visible would not be the file the user had.
Outcome PutInPlace(const Target& target, const UniqueFile& fresh,
                   std::span<const FileBlock> blocks) {
  if (int error = CarryAttributes(target, fresh); error != 0) {
    Remove(fresh.name);
    return {false, error};
  }
  const Renamed renamed = RenameReplacing(fresh.name.Text(), target.name.Text());
  if (renamed.done) return {true, 0};
  Remove(fresh.name);
  if (target.exists && renamed.forbidden) return RewriteTarget(target, blocks);
  return {false, renamed.error};
}

// The name of the file a symbolic link or junction finally leads to; empty when `name` is no
// link or where it leads cannot be told.
runtime::WideString LinkedName(const runtime::WideString& name) {
  auto found = GuardedSystemCall([&] { return Calls().getFileAttributes(name.Text()); });
  if (found.value == INVALID_FILE_ATTRIBUTES || (found.value & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return {};
  }
  // No access asked, so no other program's handle refuses this open, nor is refused by it.
  auto opened = GuardedSystemCall([&] {
    return Calls().createFile(name.Text(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  });
  if (!Succeeded(opened.value)) return {};
  HANDLE file = opened.value;
  runtime::WideString linked = AskedText([&](char16_t* text, DWORD room) {
    return Calls().getFinalPathNameByHandle(file, text, room, FILE_NAME_NORMALIZED);
  });
  GuardedSystemCall([&] { return Calls().closeHandle(file); });
  return linked;
}

// A link named as the picture stays a link, and the file it leads to takes the new picture,
// on both ways of writing it: replaced beside itself, or rewritten in place.
Outcome ReplaceNamed(const runtime::WideString& givenName, std::span<const FileBlock> blocks) {
  runtime::WideString linked = LinkedName(givenName);
  const runtime::WideString& name = linked.IsEmpty() ? givenName : linked;
  const WriteTurn turn(FullName(name));
  Target target{name};
  if (int refused = LookAt(target); refused != 0) return {false, refused};
  UniqueFile fresh;
  const int created = CreateUniqueFileBeside(name, fresh);
  const bool noFreshFile = created == runtime::error::kPermissionDenied || fresh.nameRefused;
  if (created != 0 && noFreshFile && target.exists) return RewriteTarget(target, blocks);
  if (created != 0) return {false, created};
  if (int error = WriteWhole(target, fresh, blocks); error != 0) {
    Remove(fresh.name);
    return {false, error};
  }
  return PutInPlace(target, fresh, blocks);
}

}  // namespace

bool ReplaceFileContents(runtime::ErrorSlot& slot, const runtime::DynString& fileName,
                         std::span<const FileBlock> blocks) {
  Outcome outcome;
  {
    runtime::WideString name;
    outcome.error = WidenFileName(fileName, name);
    if (outcome.error == 0) outcome = ReplaceNamed(name, blocks);
  }
  if (outcome.error != 0) runtime::RaiseRuntimeError(slot, outcome.error, RUNTIME_RETURN_ADDRESS());
  return outcome.written;
}

}  // namespace fileio
