// The file replacement on real files, with single calls of the table replaced where a fault
// cannot be had on demand. Every case checks what a user would find in the folder afterwards:
// the target's bytes, its attributes, and that nothing else appeared or went away.

#include "fileio/file_replacement.h"

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
  int failingWrite = 0;  // the write (counted from 1) that fails; 0: none
  int failingClose = 0;  // the same for CloseHandle
  DWORD code = 0;        // the last error a failure reports
  bool shortWrite = false;
  bool createDenied = false;  // the folder takes no new file
  int writes = 0;
  int closes = 0;
  std::vector<std::string> squatted;
  std::vector<std::string> createdNew;  // names created with CREATE_NEW
};
Injection injection;

BOOL Failing(DWORD code) {
  platform::SetLastError(code);
  return FALSE;
}

HANDLE InjectedCreate(const char16_t* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* sa,
                      DWORD disposition, DWORD flags, HANDLE templateFile) {
  if (disposition == CREATE_NEW && injection.createDenied) {
    Failing(ERROR_ACCESS_DENIED);
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

BOOL InjectedWrite(HANDLE file, const void* bytes, DWORD count, DWORD* written, OVERLAPPED* o) {
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
  return Failing(injection.code);
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

class FileReplacement : public testing::Test {
 protected:
  void SetUp() override {
    injection = Injection{};
    faulty.calls.createFile = InjectedCreate;
    faulty.calls.writeFile = InjectedWrite;
    faulty.calls.closeHandle = InjectedClose;
    faulty.Install();
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
    ErrorSlot slot;
    EXPECT_TRUE(Replace(NameOf(target), slot, picture));
    EXPECT_EQ(slot.number(), 0);
    EXPECT_TRUE(ReadWholeFile(target) == picture.Whole());
    EXPECT_EQ(folder.EntryCount(), 1u);
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

// Names taken by someone else between the choice and the creation are stepped over; only the
// file this call created is ever gone afterwards.
TEST_F(FileReplacement, NamesTakenJustBeforeCreationAreLeftToTheirOwner) {
  const struct {
    const char* label;
    int squatters;
    int error;
  } cases[] = {{"three taken", 3, 0}, {"every name tried taken", 1000, 75}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    injection = Injection{};
    injection.squatters = c.squatters;
    WriteWholeFile(target, "old picture");
    ErrorSlot slot;
    EXPECT_EQ(Replace(NameOf(target), slot), c.error == 0);
    EXPECT_EQ(slot.number(), c.error);
    EXPECT_EQ(ReadWholeFile(target), c.error == 0 ? Picture().Whole() : "old picture");
    ASSERT_FALSE(injection.squatted.empty());
    for (const std::string& name : injection.squatted) {
      EXPECT_EQ(ReadWholeFile(name), "someone else's " + name);
      EXPECT_EQ(path(name).parent_path(), folder.path()) << "beside the target";
    }
    EXPECT_EQ(folder.EntryCount(), 1 + injection.squatted.size());
    for (const std::string& name : injection.squatted) filetest::fs::remove(name);
  }
}

// Hidden and system stay set after a replacement, also where the platform's replacement
// carries nothing over, as a plain rename does.
TEST_F(FileReplacement, TheTargetKeepsItsHiddenAndSystemAttributes) {
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD attributeSets[] = {FILE_ATTRIBUTE_HIDDEN, kept, FILE_ATTRIBUTE_NORMAL};
  for (bool renaming : {false, true}) {
    faulty.calls.replaceFile = renaming ? RenamingReplace : Real().replaceFile;
    faulty.Install();
    for (DWORD attributes : attributeSets) {
      SCOPED_TRACE(std::string(renaming ? "renaming" : "platform") + " replacement, attributes " +
                   std::to_string(attributes));
      WriteWholeFile(target, "old picture");
      ASSERT_TRUE(SetAttributes(target, attributes)) << "the file system keeps no attributes here";
      ASSERT_EQ(AttributesOf(target) & kept, attributes & kept);
      ErrorSlot slot;
      EXPECT_TRUE(Replace(NameOf(target), slot));
      EXPECT_EQ(slot.number(), 0);
      EXPECT_EQ(AttributesOf(target) & kept, attributes & kept);
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
  struct stat before {};
  ASSERT_EQ(stat(target.c_str(), &before), 0);
  ErrorSlot slot;
  EXPECT_TRUE(Replace(NameOf(target), slot));
  EXPECT_EQ(slot.number(), 0);
  struct stat after {};
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
      {"ReplaceFileW cannot remove the old file",
       [](FaultyCalls& f) {
         f.calls.replaceFile = RefusingReplace;
         injection.code = ERROR_UNABLE_TO_REMOVE_REPLACED;
       },
       75, true},
      {"ReplaceFileW is refused",
       [](FaultyCalls& f) {
         f.calls.replaceFile = RefusingReplace;
         injection.code = ERROR_ACCESS_DENIED;
       },
       70, true},
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
    faulty.calls = Real();
    faulty.calls.createFile = InjectedCreate;
    faulty.calls.writeFile = InjectedWrite;
    faulty.calls.closeHandle = InjectedClose;
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

// Where the folder takes no new file, a writable target is emptied and rewritten where it is,
// so a second name of the same file sees the new picture; anything else is refused untouched.
TEST_F(FileReplacement, AFolderThatTakesNoNewFileGetsAWritableTargetRewrittenInPlace) {
  const std::string longName(200, 'n');  // with the folder, past 255 units
  const struct {
    const char* label;
    path file;
    bool old;
    bool readOnly;
    bool written;
  } cases[] = {
      {"a writable old file", target, true, false, true},
      {"no old file", target, false, false, false},
      {"a read-only old file", target, true, true, false},
      {"a name a channel would cut", folder / (longName + ".bmp"), true, false, false},
  };
  injection.createDenied = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const path link = folder / "second-name.bmp";
    if (c.old) {
      WriteWholeFile(c.file, "old picture");
      filetest::fs::create_hard_link(c.file, link);
      if (c.readOnly) {
        ASSERT_TRUE(SetAttributes(c.file, FILE_ATTRIBUTE_READONLY));
      }
    }
    ErrorSlot slot;
    EXPECT_EQ(Replace(NameOf(c.file), slot), c.written);
    EXPECT_EQ(slot.number(), c.written ? 0 : 70);
    EXPECT_EQ(folder.EntryCount(), c.old ? 2u : 0u);
    if (c.old) {
      const std::string expected = c.written ? Picture().Whole() : "old picture";
      EXPECT_TRUE(ReadWholeFile(c.file) == expected);
      EXPECT_TRUE(ReadWholeFile(link) == expected) << "the same file, rewritten in place";
    }
    SetAttributes(c.file, FILE_ATTRIBUTE_NORMAL);
    filetest::fs::remove(c.file);
    filetest::fs::remove(link);
  }
}

}  // namespace
