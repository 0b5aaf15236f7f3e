// The file replacement on real files, with single calls of the table replaced where a fault
// cannot be had on demand. Every case checks what a user would find in the folder afterwards:
// the target's bytes, its attributes, and that nothing else appeared or went away.

#include "fileio/file_replacement.h"

#include <algorithm>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "file_test_support.h"
#include "platform/ole_strings.h"
#include "runtime/thread_record.h"

namespace {

using fileio::FileBlock;
using filetest::FaultyCalls;
using filetest::NameOf;
using filetest::Picture;
using filetest::ReadWholeFile;
using filetest::ScratchFolder;
using filetest::WriteWholeFile;
using filetest::fs::path;
using runtime::DynString;
using runtime::ErrorSlot;

const fileio::FileSystemCalls& Real() {
  return fileio::PlatformFileSystemCalls();
}

std::u16string Wide(const path& file) {
  const std::string narrow = file.string();  // the tests use ASCII paths
  return {narrow.begin(), narrow.end()};
}

std::string Narrow(const char16_t* name) {
  std::string narrow;
  for (; *name != 0; ++name) narrow += static_cast<char>(*name);
  return narrow;
}

DWORD AttributesOf(const path& file) {
  return platform::GetFileAttributesW(Wide(file).c_str());
}

bool SetAttributes(const path& file, DWORD attributes) {
  return platform::SetFileAttributesW(Wide(file).c_str(), attributes) != FALSE;
}

// What the injected calls do; reset by every test.
struct Injection {
  int squatters = 0;     // CREATE_NEW names another program takes just before the call
  int pending = 0;       // CREATE_NEW names held by a file being deleted, refused as Windows does
  int failingWrite = 0;  // the write (counted from 1) that fails; 0: none
  int failingClose = 0;  // the same for CloseHandle
  bool failingFlush = false;
  DWORD code = 0;  // the last error a failure reports
  bool shortWrite = false;
  bool createDenied = false;      // the folder takes no new file
  DWORD newNameRefusal = 0;       // every CREATE_NEW fails with this code (the name past a limit)
  DWORD replaceRefusal = 0;       // ReplaceFileW fails with this code, the old file kept
  bool heldAfterReplace = false;  // another program opens the target once ReplaceFileW failed
  bool replaceTried = false;
  int writes = 0;
  int closes = 0;
  std::vector<std::string> squatted;
  std::vector<std::string> pendingNames;
  std::vector<std::string> createdNew;  // names created with CREATE_NEW
  std::vector<std::string> events;      // "write", "flush", "replace", "move", in call order
};
Injection injection;

BOOL Failing(DWORD code) {
  platform::SetLastError(code);
  return FALSE;
}

bool IsPending(const std::string& name) {
  for (const std::string& pending : injection.pendingNames) {
    if (pending == name) return true;
  }
  return false;
}

HANDLE InjectedCreate(const char16_t* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* sa,
                      DWORD disposition, DWORD flags, HANDLE templateFile) {
  if (disposition == CREATE_NEW && (injection.createDenied || injection.newNameRefusal != 0)) {
    Failing(injection.createDenied ? ERROR_ACCESS_DENIED : injection.newNameRefusal);
    return INVALID_HANDLE_VALUE;
  }
  if (disposition == CREATE_NEW && injection.pending > 0) {
    --injection.pending;
    injection.pendingNames.push_back(Narrow(name));
    Failing(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  if (disposition == OPEN_EXISTING && injection.heldAfterReplace && injection.replaceTried) {
    Failing(ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
  }
  if (disposition == CREATE_NEW && injection.squatters > 0) {
    --injection.squatters;
    injection.squatted.push_back(Narrow(name));
    WriteWholeFile(Narrow(name), "someone else's " + Narrow(name));
  }
  HANDLE handle = Real().createFile(name, access, share, sa, disposition, flags, templateFile);
  if (disposition == CREATE_NEW && handle != INVALID_HANDLE_VALUE) {
    injection.createdNew.push_back(Narrow(name));
  }
  return handle;
}

// A name being deleted is invisible but not free: Windows answers access denied.
DWORD InjectedAttributes(const char16_t* name) {
  if (IsPending(Narrow(name))) {
    platform::SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_FILE_ATTRIBUTES;
  }
  return Real().getFileAttributes(name);
}

BOOL InjectedFlush(HANDLE file) {
  injection.events.emplace_back("flush");
  if (injection.failingFlush) return Failing(injection.code);
  return Real().flushFileBuffers(file);
}

BOOL InjectedWrite(HANDLE file, const void* bytes, DWORD count, DWORD* written, OVERLAPPED* o) {
  injection.events.emplace_back("write");
  if (++injection.writes == injection.failingWrite && injection.shortWrite) {
    return Real().writeFile(file, bytes, count / 2, written, o);
  }
  if (injection.writes == injection.failingWrite) {
    *written = 0;
    return Failing(injection.code);
  }
  return Real().writeFile(file, bytes, count, written, o);
}

BOOL InjectedClose(HANDLE handle) {
  BOOL closed = Real().closeHandle(handle);
  if (++injection.closes == injection.failingClose) return Failing(injection.code);
  return closed;
}

BOOL RefusingReplace(const char16_t*, const char16_t*, const char16_t*, DWORD, void*, void*) {
  injection.replaceTried = true;
  return Failing(injection.code);
}

BOOL LoggedReplace(const char16_t* replaced, const char16_t* replacement, const char16_t* backup,
                   DWORD flags, void* exclude, void* reserved) {
  injection.events.emplace_back("replace");
  if (injection.replaceRefusal != 0) {
    injection.replaceTried = true;
    return Failing(injection.replaceRefusal);
  }
  return Real().replaceFile(replaced, replacement, backup, flags, exclude, reserved);
}

BOOL LoggedMove(const char16_t* from, const char16_t* to, DWORD flags) {
  injection.events.emplace_back("move");
  return Real().moveFileEx(from, to, flags);
}

// Loses the old file, then fails, as ReplaceFileW without a backup name may (1176).
BOOL LosingReplace(const char16_t* replaced, const char16_t*, const char16_t*, DWORD, void*,
                   void*) {
  Real().deleteFile(replaced);
  return Failing(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
}

// A replacement that carries nothing over from the old file: a plain rename.
BOOL RenamingReplace(const char16_t* replaced, const char16_t* replacement, const char16_t*, DWORD,
                     void*, void*) {
  return Real().moveFileEx(replacement, replaced, MOVEFILE_REPLACE_EXISTING);
}

BOOL RefusingMove(const char16_t*, const char16_t*, DWORD) {
  return Failing(injection.code);
}

// The fresh file's data reached the medium after its last write and before its name was put
// over the old one.
bool FlushedBeforePutInPlace(const std::vector<std::string>& events) {
  auto put = std::find_if(events.begin(), events.end(),
                          [](const std::string& e) { return e == "replace" || e == "move"; });
  if (put == events.end()) return false;
  auto flush = std::find(events.begin(), put, "flush");
  return flush != put && std::find(flush, put, "write") == put;
}

class FileReplacement : public testing::Test {
 protected:
  void SetUp() override {
    injection = Injection{};
    InjectDefaults(faulty);
    faulty.Install();
  }
  static void InjectDefaults(FaultyCalls& calls) {
    calls.calls = Real();
    calls.calls.createFile = InjectedCreate;
    calls.calls.writeFile = InjectedWrite;
    calls.calls.closeHandle = InjectedClose;
    calls.calls.flushFileBuffers = InjectedFlush;
    calls.calls.getFileAttributes = InjectedAttributes;
    calls.calls.replaceFile = LoggedReplace;
    calls.calls.moveFileEx = LoggedMove;
  }
  void TearDown() override {
    // Read-only files would outlive the scratch folder on Windows.
    for (const auto& entry : filetest::fs::directory_iterator(folder.path())) {
      SetAttributes(entry.path(), FILE_ATTRIBUTE_NORMAL);
    }
  }

  bool Replace(const DynString& name, ErrorSlot& slot, const Picture& picture = Picture()) {
    std::vector<FileBlock> blocks = picture.Blocks();
    return fileio::ReplaceFileContents(slot, name, blocks);
  }

  ScratchFolder folder;
  FaultyCalls faulty;
  path target = folder / "target.bmp";
};

TEST_F(FileReplacement, WritesTheBlocksWholeOverAnyOldFileAndLeavesNothingBeside) {
  const struct {
    const char* label;
    bool old;
    std::string contents;
  } cases[] = {
      {"no old file", false, ""},
      {"an empty old file", true, ""},
      {"a shorter old file", true, "old"},
      {"a longer old file", true, std::string(1 << 20, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    filetest::fs::remove(target);
    if (c.old) WriteWholeFile(target, c.contents);
    Picture picture(c.contents.size() % 5000 + 3);
    injection.events.clear();
    ErrorSlot slot;
    EXPECT_TRUE(Replace(NameOf(target), slot, picture));
    EXPECT_EQ(slot.number(), 0);
    EXPECT_TRUE(ReadWholeFile(target) == picture.Whole());
    EXPECT_EQ(folder.EntryCount(), 1u);
    EXPECT_TRUE(FlushedBeforePutInPlace(injection.events))
        << testing::PrintToString(injection.events);
  }
  EXPECT_EQ(injection.writes, 3 * 4) << "one write per block";
}

// Another program's files beside the target, whatever their names, are never opened, emptied,
// removed or taken over, and none of them keeps the target from being replaced.
TEST_F(FileReplacement, FilesThatWereThereBeforeSurviveByteForByteAndDoNotBlock) {
  const struct {
    const char* label;
    const char* name;
    bool readOnly;
    bool held;
  } cases[] = {
      {"the old temporary name", "target.bmp.tmp", false, false},
      {"the old temporary name, read-only", "target.bmp.tmp", true, false},
      {"the old temporary name, held open", "target.bmp.tmp", false, true},
      {"a numbered name", "target.bmp.1.tmp", true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const path neighbour = folder / c.name;
    WriteWholeFile(target, "old picture");
    WriteWholeFile(neighbour, std::string("mine, not yours\0\xFF", 17));
    if (c.readOnly) {
      ASSERT_TRUE(SetAttributes(neighbour, FILE_ATTRIBUTE_READONLY));
    }
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (c.held) {
      holder = Real().createFile(Wide(neighbour).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    }
    ErrorSlot slot;
    EXPECT_TRUE(Replace(NameOf(target), slot));
    EXPECT_EQ(slot.number(), 0);
    if (holder != INVALID_HANDLE_VALUE) Real().closeHandle(holder);
    EXPECT_TRUE(ReadWholeFile(target) == Picture().Whole());
    EXPECT_EQ(ReadWholeFile(neighbour), std::string("mine, not yours\0\xFF", 17));
    EXPECT_EQ(folder.EntryCount(), 2u);
    SetAttributes(neighbour, FILE_ATTRIBUTE_NORMAL);
    filetest::fs::remove(neighbour);
  }
}

// Names taken by someone else between the choice and the creation are stepped over, and so
// are names a file being deleted still holds (refused with access denied, which is not a
// folder that takes no new file); only the file this call created is ever gone afterwards.
// The target is replaced, not rewritten: a second name of the old file keeps the old picture.
TEST_F(FileReplacement, NamesTakenJustBeforeCreationAreLeftToTheirOwner) {
  const struct {
    const char* label;
    int squatters;
    int pending;
    int error;
  } cases[] = {
      {"three taken", 3, 0, 0},
      {"every name tried taken", 1000, 0, 75},
      {"three being deleted", 0, 3, 0},
      {"taken and being deleted", 2, 2, 0},
      {"every name tried being deleted", 0, 1000, 75},
  };
  const path link = folder / "second-name.bmp";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    injection = Injection{};
    injection.squatters = c.squatters;
    injection.pending = c.pending;
    WriteWholeFile(target, "old picture");
    filetest::fs::create_hard_link(target, link);
    ErrorSlot slot;
    EXPECT_EQ(Replace(NameOf(target), slot), c.error == 0);
    EXPECT_EQ(slot.number(), c.error);
    EXPECT_TRUE(ReadWholeFile(target) == (c.error == 0 ? Picture().Whole() : "old picture"));
    EXPECT_TRUE(ReadWholeFile(link) == "old picture") << "replaced, not rewritten in place";
    ASSERT_FALSE(injection.squatted.empty() && injection.pendingNames.empty());
    for (const std::string& name : injection.squatted) {
      EXPECT_EQ(ReadWholeFile(name), "someone else's " + name);
      EXPECT_EQ(path(name).parent_path(), folder.path()) << "beside the target";
    }
    EXPECT_EQ(folder.EntryCount(), 2 + injection.squatted.size());
    for (const std::string& name : injection.squatted) filetest::fs::remove(name);
    filetest::fs::remove(link);
  }
}

// The target's attributes as Windows keeps them, for file systems that keep no ARCHIVE flag:
// ReplaceFileW leaves them on the entry of the old name, that is, carries them over.
std::string modelledName;
DWORD modelledAttributes = 0;

DWORD ModelGetAttributes(const char16_t* name) {
  DWORD real = InjectedAttributes(name);
  return real == INVALID_FILE_ATTRIBUTES || Narrow(name) != modelledName ? real
                                                                         : modelledAttributes;
}

BOOL ModelSetAttributes(const char16_t* name, DWORD attributes) {
  if (Narrow(name) != modelledName) return Real().setFileAttributes(name, attributes);
  modelledAttributes = attributes;
  return TRUE;
}

// Hidden and system stay set after a replacement, also where the platform's replacement
// carries nothing over, as a plain rename does; ARCHIVE is set on the new file whatever the old
// one had, also where the replacement copied the old file's cleared flag.
TEST_F(FileReplacement, TheTargetKeepsItsHiddenAndSystemAttributes) {
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD attributeSets[] = {FILE_ATTRIBUTE_HIDDEN, kept, FILE_ATTRIBUTE_NORMAL,
                                 FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE};
  enum class Kind { kPlatform, kRenaming, kCopyingAttributes };
  for (Kind kind : {Kind::kPlatform, Kind::kRenaming, Kind::kCopyingAttributes}) {
    const bool modelled = kind == Kind::kCopyingAttributes;
    faulty.calls.replaceFile = kind == Kind::kRenaming ? RenamingReplace : Real().replaceFile;
    faulty.calls.getFileAttributes = modelled ? ModelGetAttributes : InjectedAttributes;
    faulty.calls.setFileAttributes = modelled ? ModelSetAttributes : Real().setFileAttributes;
    faulty.Install();
    for (DWORD attributes : attributeSets) {
      SCOPED_TRACE("replacement kind " + std::to_string(static_cast<int>(kind)) + ", attributes " +
                   std::to_string(attributes));
      WriteWholeFile(target, "old picture");
      modelledName = modelled ? target.string() : "";
      modelledAttributes = attributes;
      if (!modelled) {
        ASSERT_TRUE(SetAttributes(target, attributes))
            << "the file system keeps no attributes here";
      }
      auto attributesNow = [&] { return faulty.calls.getFileAttributes(Wide(target).c_str()); };
      ASSERT_EQ(attributesNow() & kept, attributes & kept);
      ErrorSlot slot;
      EXPECT_TRUE(Replace(NameOf(target), slot));
      EXPECT_EQ(slot.number(), 0);
      EXPECT_EQ(attributesNow() & kept, attributes & kept);
      EXPECT_NE(attributesNow() & FILE_ATTRIBUTE_ARCHIVE, 0u) << "the new picture is unsaved";
      EXPECT_TRUE(ReadWholeFile(target) == Picture().Whole());
      EXPECT_EQ(folder.EntryCount(), 1u);
      SetAttributes(target, FILE_ATTRIBUTE_NORMAL);
    }
  }
}

#ifndef _WIN32
// The native stand-in's security settings are the permission bits and the owner: the new
// picture keeps those of the old file, not the ones a new file would get.
TEST_F(FileReplacement, TheTargetKeepsItsPermissionsAndOwner) {
  WriteWholeFile(target, "old picture");
  ASSERT_EQ(chmod(target.c_str(), 0604), 0);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(target.c_str(), 65534, 65534), 0);  // nobody
  }
  struct stat before = {};
  ASSERT_EQ(stat(target.c_str(), &before), 0);
  ErrorSlot slot;
  EXPECT_TRUE(Replace(NameOf(target), slot));
  EXPECT_EQ(slot.number(), 0);
  struct stat after = {};
  ASSERT_EQ(stat(target.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0604u);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(folder.EntryCount(), 1u);
}
#endif

struct Refusal {
  const char* label;
  void (*prepare)(const path& target, HANDLE& holder);
  std::string name;  // relative to the folder; "" is the target itself, "-" an empty name
  int error;
};

void OldFile(const path& target, HANDLE&) {
  WriteWholeFile(target, "old picture");
}

// Refused before anything is written: the folder holds what it held, byte for byte.
TEST_F(FileReplacement, RefusedTargetsAndNamesLeaveTheFolderAsItWas) {
  const Refusal cases[] = {
      {"read-only",
       [](const path& t, HANDLE& h) {
         OldFile(t, h);
         SetAttributes(t, FILE_ATTRIBUTE_READONLY);
       },
       "", 70},
      {"held open without sharing",
       [](const path& t, HANDLE& h) {
         OldFile(t, h);
         h = Real().createFile(Wide(t).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
       },
       "", 70},
      {"a folder of that name", [](const path& t, HANDLE&) { filetest::fs::create_directory(t); },
       "", 70},
      {"a missing folder", OldFile, "missing/target.bmp", 76},
      {"an empty name", OldFile, "-", 64},
      {"a wildcard", OldFile, "t?rget.bmp", 64},
      {"a zero byte", OldFile, std::string("target.bmp\0x", 12), 64},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.label);
    HANDLE holder = INVALID_HANDLE_VALUE;
    c.prepare(target, holder);
    const std::size_t entries = folder.EntryCount();
    DynString name = c.name == "-"    ? DynString()
                     : c.name.empty() ? NameOf(target)
                                      : DynString::Copy((folder.path() / "").string() + c.name);
    ErrorSlot slot;
    EXPECT_FALSE(Replace(name, slot));
    EXPECT_EQ(slot.number(), c.error);
    if (holder != INVALID_HANDLE_VALUE) Real().closeHandle(holder);
    EXPECT_EQ(folder.EntryCount(), entries);
    if (filetest::fs::is_regular_file(target)) {
      EXPECT_EQ(ReadWholeFile(target), "old picture");
    }
    EXPECT_TRUE(injection.createdNew.empty());
    SetAttributes(target, FILE_ATTRIBUTE_NORMAL);
    filetest::fs::remove_all(target);
  }
}

// A name that does not convert is an empty name (64); no memory for the name is 7.
TEST_F(FileReplacement, UnconvertibleNamesAre64AndNoMemoryIs7) {
  WriteWholeFile(target, "old picture");
  runtime::ThreadRecord* record = runtime::CurrentThreadRecord();
  ASSERT_NE(record, nullptr);
  const std::uint32_t saved = record->codePage;
  record->codePage = 12345;  // no such code page
  ErrorSlot unconvertible;
  EXPECT_FALSE(Replace(NameOf(target), unconvertible));
  record->codePage = saved;
  EXPECT_EQ(unconvertible.number(), 64);

  const DynString name = NameOf(target);
  platform::FailNextStringAllocations(1);
  ErrorSlot noMemory;
  EXPECT_FALSE(Replace(name, noMemory));
  EXPECT_EQ(noMemory.number(), 7);
  EXPECT_EQ(ReadWholeFile(target), "old picture");
  EXPECT_EQ(folder.EntryCount(), 1u);
}

struct LateFault {
  const char* label;
  void (*inject)(FaultyCalls& faulty);
  int error;
  bool old;  // an old file is there
};

// Failures once the fresh file exists: the old file (or its absence) stays as it was and the
// fresh file is gone.
TEST_F(FileReplacement, FailuresAfterTheFreshFileWasMadeKeepTheOldFile) {
  const LateFault cases[] = {
      {"disk full at the first block",
       [](FaultyCalls&) {
         injection.failingWrite = 1;
         injection.code = ERROR_DISK_FULL;
       },
       61, true},
      {"disk full at the pixel rows",
       [](FaultyCalls&) {
         injection.failingWrite = 3;
         injection.code = ERROR_DISK_FULL;
       },
       61, true},
      {"a short write",
       [](FaultyCalls&) {
         injection.failingWrite = 2;
         injection.shortWrite = true;
       },
       61, true},
      {"the close reports lost data",
       [](FaultyCalls&) {
         injection.failingClose = 2;
         injection.code = ERROR_DISK_FULL;
       },
       61, true},
      {"the flush reports lost data",
       [](FaultyCalls&) {
         injection.failingFlush = true;
         injection.code = ERROR_GEN_FAILURE;
       },
       72, true},
      {"ReplaceFileW cannot remove the old file, which another program then holds",
       [](FaultyCalls& f) {
         f.calls.replaceFile = RefusingReplace;
         injection.code = ERROR_UNABLE_TO_REMOVE_REPLACED;
         injection.heldAfterReplace = true;
       },
       70, true},
      {"ReplaceFileW is refused, and the disk has no room to rewrite the old file",
       [](FaultyCalls& f) {
         f.calls.replaceFile = RefusingReplace;
         injection.code = ERROR_ACCESS_DENIED;
         injection.failingWrite = 4;  // three blocks to the fresh file, then the room
         injection.shortWrite = true;
       },
       61, true},
      {"no old file and the rename is refused",
       [](FaultyCalls& f) {
         f.calls.moveFileEx = RefusingMove;
         injection.code = ERROR_ACCESS_DENIED;
       },
       70, false},
  };
  for (const LateFault& c : cases) {
    SCOPED_TRACE(c.label);
    injection = Injection{};
    InjectDefaults(faulty);
    c.inject(faulty);
    faulty.Install();
    filetest::fs::remove(target);
    if (c.old) WriteWholeFile(target, "old picture");
    ErrorSlot slot;
    EXPECT_FALSE(Replace(NameOf(target), slot));
    EXPECT_EQ(slot.number(), c.error);
    EXPECT_EQ(injection.createdNew.size(), 1u) << "the fresh file was made";
    EXPECT_EQ(folder.EntryCount(), c.old ? 1u : 0u) << "the fresh file is gone";
    if (c.old) {
      EXPECT_EQ(ReadWholeFile(target), "old picture");
    }
  }
}

// ReplaceFileW may lose the old file and then fail: the new picture then takes the free name.
TEST_F(FileReplacement, AReplacementThatLosesTheOldFileLeavesTheNewOneInItsPlace) {
  faulty.calls.replaceFile = LosingReplace;
  faulty.Install();
  WriteWholeFile(target, "old picture");
  ASSERT_TRUE(SetAttributes(target, FILE_ATTRIBUTE_HIDDEN));
  ErrorSlot slot;
  EXPECT_TRUE(Replace(NameOf(target), slot));
  EXPECT_EQ(slot.number(), 75);
  EXPECT_TRUE(ReadWholeFile(target) == Picture().Whole());
  EXPECT_NE(AttributesOf(target) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(folder.EntryCount(), 1u);
}

// Where the target cannot be replaced (the folder takes no new file, the fresh name passes a
// limit, ReplaceFileW is refused while the old file stays) a writable target is rewritten where
// it is, so a second name of the same file sees the new picture, and nothing else is left in
// the folder. Anything else is refused untouched. The rewrite finds a full disk before it
// touches the old picture, cuts a longer old file to the new length, and after a failed write
// leaves a file no shorter than its new header says.
TEST_F(FileReplacement, AFolderThatTakesNoNewFileGetsAWritableTargetRewrittenInPlace) {
  const std::string longName(200, 'n');  // with the folder, past 255 units
  const std::string longOld(1 << 20, 'o');
  enum class Left { kOld, kNew, kTorn };  // torn: new length, neither picture
  const struct {
    const char* label;
    void (*refuse)();
    path file;
    bool old;
    bool readOnly;
    Left left;
    int error;
    std::string oldContents = "old picture";
  } cases[] = {
      {"a writable old file", [] { injection.createDenied = true; }, target, true, false,
       Left::kNew, 0},
      {"no old file", [] { injection.createDenied = true; }, target, false, false, Left::kOld, 70},
      {"a read-only old file", [] { injection.createDenied = true; }, target, true, true,
       Left::kOld, 70},
      {"a name past 255 units, under its whole name", [] { injection.createDenied = true; },
       folder / (longName + ".bmp"), true, false, Left::kNew, 0},
      {"a longer old file is cut to the new length", [] { injection.createDenied = true; }, target,
       true, false, Left::kNew, 0, longOld},
      {"ReplaceFileW refused, the old file kept (a folder only owners rename in)",
       [] { injection.replaceRefusal = ERROR_ACCESS_DENIED; }, target, true, false, Left::kNew, 0},
      {"ReplaceFileW cannot remove the old file",
       [] { injection.replaceRefusal = ERROR_UNABLE_TO_REMOVE_REPLACED; }, target, true, false,
       Left::kNew, 0},
      {"the fresh name passes the length limit",
       [] { injection.newNameRefusal = ERROR_FILENAME_EXCED_RANGE; }, target, true, false,
       Left::kNew, 0},
      {"the fresh name passes the path limit",
       [] { injection.newNameRefusal = ERROR_PATH_NOT_FOUND; }, target, true, false, Left::kNew, 0},
      {"no room for the new picture",
       [] {
         injection.createDenied = true;
         injection.failingWrite = 1;
         injection.code = ERROR_DISK_FULL;
       },
       target, true, false, Left::kOld, 61},
      {"room for part of the new picture",
       [] {
         injection.createDenied = true;
         injection.failingWrite = 2;  // the second of the writes that make the room
         injection.shortWrite = true;
       },
       target, true, false, Left::kOld, 61},
      {"ReplaceFileW refused, then no room for the new picture",
       [] {
         injection.replaceRefusal = ERROR_ACCESS_DENIED;
         injection.failingWrite = 4;  // three blocks to the fresh file, then the room
         injection.shortWrite = true;
       },
       target, true, false, Left::kOld, 61},
      {"a device error at the pixel rows, once the room was had",
       [] {
         injection.createDenied = true;
         injection.failingWrite = 5;  // two writes of room, two blocks, then the rows
         injection.code = ERROR_GEN_FAILURE;
       },
       target, true, false, Left::kTorn, 72},
  };
  const path link = folder / "second-name.bmp";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    injection = Injection{};
    InjectDefaults(faulty);
    c.refuse();
    faulty.Install();
    if (c.old) {
      WriteWholeFile(c.file, c.oldContents);
      filetest::fs::create_hard_link(c.file, link);
      if (c.readOnly) {
        ASSERT_TRUE(SetAttributes(c.file, FILE_ATTRIBUTE_READONLY));
      }
    }
    const Picture picture;
    ErrorSlot slot;
    EXPECT_EQ(Replace(NameOf(c.file), slot, picture), c.left == Left::kNew);
    EXPECT_EQ(slot.number(), c.error);
    EXPECT_EQ(folder.EntryCount(), c.old ? 2u : 0u) << "nothing is left beside the file";
    if (c.old) {
      const std::string now = ReadWholeFile(c.file);
      EXPECT_TRUE(ReadWholeFile(link) == now) << "the same file, rewritten in place";
      if (c.left == Left::kTorn) {
        EXPECT_EQ(now.size(), picture.Whole().size());
        EXPECT_TRUE(now.substr(0, 54) == picture.Whole().substr(0, 54));
      } else {
        EXPECT_TRUE(now == (c.left == Left::kNew ? picture.Whole() : c.oldContents));
      }
    }
    SetAttributes(c.file, FILE_ATTRIBUTE_NORMAL);
    filetest::fs::remove(c.file);
    filetest::fs::remove(link);
  }
}

}  // namespace
