#include "fileio/file_replacement.h"

#include "fileio/file_names.h"
#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "fileio/in_place_rewrite.h"
#include "fileio/unique_file.h"
#include "runtime/error_numbers.h"
#include "runtime/wide_string.h"

namespace fileio {
namespace {

// The attributes a replacement takes over; the others describe how the file is stored.
// ARCHIVE is not among them: new contents are a change a backup has yet to see.
constexpr DWORD kCarriedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY |
                                     FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kComparedAttributes = kCarriedAttributes | FILE_ATTRIBUTE_ARCHIVE;

const FileSystemCalls& Calls() {
  return CurrentFileSystemCalls();
}

int ErrorOf(BOOL succeeded, std::uint8_t error) {
  if (error != 0) return error;
  return succeeded ? 0 : runtime::error::kInternalError;
}

DWORD AttributesOf(const char16_t* name) {
  return GuardedSystemCall([&] { return Calls().getFileAttributes(name); }).value;
}

// The file being replaced, as found before anything is written.
struct Target {
  const runtime::WideString& name;
  DWORD attributes = INVALID_FILE_ATTRIBUTES;  // INVALID_FILE_ATTRIBUTES: there is none

  bool Exists() const { return attributes != INVALID_FILE_ATTRIBUTES; }
};

// What one way of writing achieved.
struct Outcome {
  bool written = false;  // the target holds exactly the blocks
  int error = 0;
};

// 0 when the target may be replaced: absent, or writable and held open by no one. It is asked
// the way a channel would open it, without emptying it: a rename or ReplaceFileW would not
// look at the read-only flag or at other programs' handles everywhere.
int CheckTarget(Target& target) {
  target.attributes = AttributesOf(target.name.Text());
  if (target.Exists() && (target.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return runtime::error::kPermissionDenied;
  }
  auto opened = GuardedSystemCall([&] {
    return Calls().createFile(target.name.Text(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  });
  if (opened.value != INVALID_HANDLE_VALUE) {
    GuardedSystemCall([&] { return Calls().closeHandle(opened.value); });
    return 0;
  }
  if (opened.error == runtime::error::kFileNotFound) {
    target.attributes = INVALID_FILE_ATTRIBUTES;
    return 0;
  }
  return opened.error != 0 ? opened.error : runtime::error::kPermissionDenied;
}

int WriteBlocks(HANDLE file, std::span<const FileBlock> blocks) {
  for (const FileBlock& block : blocks) {
    if (block.empty()) continue;
    const auto count = static_cast<DWORD>(block.size());
    DWORD written = 0;
    auto wrote = GuardedSystemCall(
        [&] { return Calls().writeFile(file, block.data(), count, &written, nullptr); });
    if (wrote.error != 0) return wrote.error;
    if (written < count) return runtime::error::kDiskFull;
  }
  return 0;
}

// The whole file: written, on the medium, then closed, all without an error. It is flushed
// before it takes the old file's name, so that after a power cut the name holds the old
// picture or the new one, never a new entry over data that never reached the disk.
int WriteWhole(UniqueFile& fresh, std::span<const FileBlock> blocks) {
  int error = WriteBlocks(fresh.handle, blocks);
  if (error == 0) {
    auto flushed = GuardedSystemCall([&] { return Calls().flushFileBuffers(fresh.handle); });
    error = ErrorOf(flushed.value, flushed.error);
  }
  auto closed = GuardedSystemCall([&] { return Calls().closeHandle(fresh.handle); });
  return error != 0 ? error : ErrorOf(closed.value, closed.error);
}

void Remove(const runtime::WideString& name) {
  GuardedSystemCall([&] { return Calls().deleteFile(name.Text()); });
}

// A full name: given a relative one, some platforms' ReplaceFileW looks for a scratch file of
// its own in no folder at all. The name as given when the full one cannot be had.
runtime::WideString FullName(const runtime::WideString& name) {
  auto needed =
      GuardedSystemCall([&] { return Calls().getFullPathName(name.Text(), 0, nullptr, nullptr); });
  runtime::WideString full = runtime::WideString::Allocate(needed.value);
  if (needed.value == 0 || full.IsEmpty()) return runtime::WideString::Copy(name.View());
  auto got = GuardedSystemCall([&] {
    return Calls().getFullPathName(name.Text(), needed.value, full.MutableText(), nullptr);
  });
  if (got.value == 0 || got.value >= needed.value) return runtime::WideString::Copy(name.View());
  full.MutableText()[got.value] = 0;
  return runtime::WideString::Copy({full.Text(), got.value});
}

// The old file's attributes on the new one, where the platform's replacement did not carry
// them over itself, and ARCHIVE set as any write sets it: a replacement copies the old file's
// attributes, so a backup tool that had cleared the flag would take the new picture as saved.
int CarryAttributes(const Target& target) {
  const DWORD wanted = (target.attributes & kCarriedAttributes) | FILE_ATTRIBUTE_ARCHIVE;
  if ((AttributesOf(target.name.Text()) & kComparedAttributes) == wanted) return 0;
  auto set =
      GuardedSystemCall([&] { return Calls().setFileAttributes(target.name.Text(), wanted); });
  return ErrorOf(set.value, set.error);
}

Outcome MoveInto(const Target& target, const UniqueFile& fresh) {
  auto moved = GuardedSystemCall(
      [&] { return Calls().moveFileEx(fresh.name.Text(), target.name.Text(), 0); });
  return {moved.value != FALSE, ErrorOf(moved.value, moved.error)};
}

// ReplaceFileW keeps the old file's identity. When it fails after the old file lost its name
// (it may, without a backup name), the new file takes the free name rather than leave none.
// No REPLACEFILE_IGNORE_* flags, as callers pass by default: with them a replacement that
// cannot carry the security settings over would succeed without them, where a refusal leads
// to the in-place rewrite, which keeps them.
Outcome Replace(const Target& target, const UniqueFile& fresh) {
  runtime::WideString fullTarget = FullName(target.name);
  runtime::WideString fullFresh = FullName(fresh.name);
  auto replaced = GuardedSystemCall([&] {
    return Calls().replaceFile(fullTarget.Text(), fullFresh.Text(), nullptr, 0, nullptr, nullptr);
  });
  Outcome outcome{replaced.value != FALSE, ErrorOf(replaced.value, replaced.error)};
  if (!outcome.written && AttributesOf(target.name.Text()) == INVALID_FILE_ATTRIBUTES) {
    outcome.written = MoveInto(target, fresh).written;
  }
  if (outcome.written) {
    int carried = CarryAttributes(target);
    if (outcome.error == 0) outcome.error = carried;
  }
  return outcome;
}

Outcome RewriteTarget(const Target& target, std::span<const FileBlock> blocks) {
  Rewrite rewrite = RewriteInPlace(target.name.Text(), blocks);
  return {rewrite.written, rewrite.error};
}

// The fresh file, whole, takes the target's place, or is removed. It stays only when the old
// file is gone and it holds the one picture left. A target that may be written but not
// replaced (a folder that lets no one but a file's owner rename it, a share that lets no
// entry change) is rewritten where it is: CheckTarget found it writable.
Outcome PutInPlace(const Target& target, const UniqueFile& fresh,
                   std::span<const FileBlock> blocks) {
  if (!target.Exists()) {
    Outcome moved = MoveInto(target, fresh);
    if (!moved.written) Remove(fresh.name);
    return moved;
  }
  Outcome outcome = Replace(target, fresh);
  if (!outcome.written && AttributesOf(target.name.Text()) != INVALID_FILE_ATTRIBUTES) {
    Remove(fresh.name);
    return RewriteTarget(target, blocks);
  }
  return outcome;
}

Outcome ReplaceNamed(const runtime::WideString& name, std::span<const FileBlock> blocks) {
  Target target{name};
  if (int refused = CheckTarget(target); refused != 0) return {false, refused};
  UniqueFile fresh;
  int error = CreateUniqueFileBeside(name, fresh);
  // No fresh file can be had beside it (the folder takes no new file, or the longer name
  // passes the path limit), but the file itself may be written: write it where it is.
  bool noFreshFile = error == runtime::error::kPermissionDenied || fresh.nameRefused;
  if (error != 0 && noFreshFile && target.Exists()) return RewriteTarget(target, blocks);
  if (error != 0) return {false, error};
  error = WriteWhole(fresh, blocks);
  if (error != 0) {
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
