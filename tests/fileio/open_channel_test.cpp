#include <string>

#include "file_test_support.h"
#include "fileio/file_channels.h"
#include "platform/ole_strings.h"
#include "runtime/thread_record.h"

namespace {

using fileio::CloseChannel;
using fileio::FindOpenChannel;
using fileio::OpenChannel;
using filetest::NameOf;
using filetest::ReadWholeFile;
using filetest::ScratchFolder;
using filetest::WriteWholeFile;
using runtime::DynString;
using runtime::ErrorSlot;

TEST(OpenChannel, CreatesAMissingFileEmptyOnADiskChannel) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::int16_t number = filetest::FreshNumber();
  OpenChannel(slot, NameOf(folder / "new.bin"), number);
  ASSERT_EQ(slot.number(), 0);
  const fileio::FileChannel* channel = FindOpenChannel(number);
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(channel->fileType, fileio::kDiskFile);
  EXPECT_EQ(channel->mode, fileio::ChannelMode::kOutput);
  EXPECT_EQ(channel->position, 0u);
  std::string expectedName = (folder / "new.bin").string();
  EXPECT_EQ(channel->name.View(), std::u16string(expectedName.begin(), expectedName.end()));
  CloseChannel(slot, number);
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(FindOpenChannel(number), nullptr);
  EXPECT_TRUE(filetest::fs::exists(folder / "new.bin"));
  EXPECT_EQ(filetest::fs::file_size(folder / "new.bin"), 0u);
}

// An existing file counts as opened although the system reports that it already exists.
TEST(OpenChannel, EmptiesAnExisting1000ByteFile) {
  ScratchFolder folder;
  WriteWholeFile(folder / "old.bin", std::string(1000, 'x'));
  ErrorSlot slot;
  std::int16_t number = filetest::OpenOnFreshNumber(folder / "old.bin", slot);
  ASSERT_EQ(slot.number(), 0);
  CloseChannel(slot, number);
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(filetest::fs::file_size(folder / "old.bin"), 0u);
}

TEST(OpenChannel, CutsALongNameTo255Characters) {
  ScratchFolder folder;
  std::string full = (folder.path() / "").string();
  full += std::string(300 - full.size(), 'n');
  ASSERT_EQ(full.size(), 300u);
  ErrorSlot slot;
  std::int16_t number = filetest::FreshNumber();
  OpenChannel(slot, DynString::Copy(full), number);
  ASSERT_EQ(slot.number(), 0);
  EXPECT_EQ(FindOpenChannel(number)->name.Length(), 255u);
  CloseChannel(slot, number);
  EXPECT_TRUE(filetest::fs::exists(full.substr(0, 255)));
  EXPECT_EQ(folder.EntryCount(), 1u);
}

struct BadName {
  const char* label;
  std::string name;       // relative to the scratch folder; empty means an empty name
  bool padTo300 = false;  // the folder and `name` padded with "n" to 300, `name` at the end
};

// 300 characters: the folder, "n"s, then `tail`; so the tail's wildcard lies past the cut.
std::string PaddedTo300(const std::string& full, const std::string& tail) {
  std::string folder = full.substr(0, full.size() - tail.size());
  return folder + std::string(300 - full.size(), 'n') + tail;
}

// Refused before anything reaches the disk: nothing is created, an existing file keeps its
// bytes, and no channel is left on the number.
TEST(OpenChannel, RefusesEmptyWildcardAndZeroByteNamesWith64) {
  const BadName cases[] = {
      {"empty", ""},
      {"question mark", "a?b"},
      {"star", "*"},
      {"star inside", "kept*.txt"},
      {"question mark after an existing name", "kept.txt?"},
      {"zero byte", std::string("kept.txt\0tail", 13)},
      // Checked before the cut: opened under its first 255 characters the name would be valid.
      {"question mark at 280 of 300", "?" + std::string(20, 'q'), true},
      {"star at 300 of 300", "*", true},
      {"zero byte past the cut", std::string("\0tail", 5), true},
  };
  for (const BadName& bad : cases) {
    SCOPED_TRACE(bad.label);
    ScratchFolder folder;
    WriteWholeFile(folder / "kept.txt", "contents");
    std::string name = bad.name.empty() ? "" : (folder.path() / "").string() + bad.name;
    if (bad.padTo300) name = PaddedTo300(name, bad.name);
    ErrorSlot slot;
    std::int16_t number = filetest::FreshNumber();
    OpenChannel(slot, DynString::Copy(name), number);
    EXPECT_EQ(slot.number(), 64);
    EXPECT_EQ(FindOpenChannel(number), nullptr);
    EXPECT_EQ(folder.EntryCount(), 1u);
    EXPECT_EQ(ReadWholeFile(folder / "kept.txt"), "contents");
  }
}

// A name that does not convert widens to the empty name, which is refused like any empty
// name; only memory running out is 7.
TEST(OpenChannel, AnUnconvertibleNameIs64AndNoMemoryForItIs7) {
  ScratchFolder folder;
  const DynString name = NameOf(folder / "never.bin");
  runtime::ThreadRecord* record = runtime::CurrentThreadRecord();
  ASSERT_NE(record, nullptr);
  const std::uint32_t saved = record->codePage;
  record->codePage = 12345;  // no such code page
  ErrorSlot unconvertible;
  std::int16_t number = filetest::FreshNumber();
  OpenChannel(unconvertible, name, number);
  record->codePage = saved;
  EXPECT_EQ(unconvertible.number(), 64);

  platform::FailNextStringAllocations(1);
  ErrorSlot noMemory;
  OpenChannel(noMemory, name, number);
  EXPECT_EQ(noMemory.number(), 7);
  EXPECT_EQ(FindOpenChannel(number), nullptr);
  EXPECT_EQ(folder.EntryCount(), 0u);
}

TEST(OpenChannel, ChecksTheNameBeforeTheNumber) {
  ErrorSlot slot;
  OpenChannel(slot, DynString::Copy("x?"), -1);
  EXPECT_EQ(slot.number(), 64);
}

TEST(OpenChannel, RefusesANegativeNumberWith52AndAcceptsZero) {
  ScratchFolder folder;
  ErrorSlot slot;
  OpenChannel(slot, NameOf(folder / "minus.bin"), -5);
  EXPECT_EQ(slot.number(), 52);
  EXPECT_EQ(FindOpenChannel(-5), nullptr);
  EXPECT_FALSE(filetest::fs::exists(folder / "minus.bin"));

  ErrorSlot zeroSlot;
  OpenChannel(zeroSlot, NameOf(folder / "zero.bin"), 0);
  EXPECT_EQ(zeroSlot.number(), 0);
  EXPECT_NE(FindOpenChannel(0), nullptr);
  CloseChannel(zeroSlot, 0);
  EXPECT_EQ(zeroSlot.number(), 0);
}

TEST(OpenChannel, RefusesANumberAlreadyOpenWith55AndKeepsTheOpenChannel) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::int16_t number = filetest::OpenOnFreshNumber(folder / "first.txt", slot);
  ASSERT_EQ(slot.number(), 0);
  OpenChannel(slot, NameOf(folder / "second.txt"), number);
  EXPECT_EQ(slot.number(), 55);
  EXPECT_FALSE(filetest::fs::exists(folder / "second.txt"));

  ErrorSlot writeSlot;
  fileio::WriteChannelText(writeSlot, number, DynString::Copy("still here"));
  CloseChannel(writeSlot, number);
  EXPECT_EQ(writeSlot.number(), 0);
  EXPECT_EQ(ReadWholeFile(folder / "first.txt"), "still here");
}

// A second handle on a file opened without sharing is refused by the system; the refused
// open must not empty the file under the first channel.
TEST(OpenChannel, RefusesAFileHeldByAnotherHandleWith70) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::int16_t first = filetest::OpenOnFreshNumber(folder / "held.txt", slot);
  ASSERT_EQ(slot.number(), 0);
  fileio::WriteChannelText(slot, first, DynString::Copy("written first"));
  ASSERT_EQ(slot.number(), 0);

  std::int16_t second = filetest::FreshNumber();
  OpenChannel(slot, NameOf(folder / "held.txt"), second);
  EXPECT_EQ(slot.number(), 70);
  EXPECT_EQ(FindOpenChannel(second), nullptr);

  ErrorSlot closeSlot;
  CloseChannel(closeSlot, first);
  EXPECT_EQ(closeSlot.number(), 0);
  EXPECT_EQ(ReadWholeFile(folder / "held.txt"), "written first");
}

TEST(OpenChannel, RefusesAFileHeldByAPlatformHandleWithoutSharing) {
  ScratchFolder folder;
  WriteWholeFile(folder / "locked.txt", "locked contents");
  std::string path = (folder / "locked.txt").string();
  std::u16string wide(path.begin(), path.end());
  HANDLE holder = platform::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ErrorSlot slot;
  filetest::OpenOnFreshNumber(folder / "locked.txt", slot);
  EXPECT_EQ(slot.number(), 70);
  platform::CloseHandle(holder);
  EXPECT_EQ(ReadWholeFile(folder / "locked.txt"), "locked contents");
}

struct SystemRefusal {
  const char* label;
  std::string name;  // relative to the scratch folder, which holds a folder "dir"
  int error;
};

TEST(OpenChannel, MapsSystemRefusalsToTheirRunTimeErrors) {
  const SystemRefusal cases[] = {
      {"missing folder", "missing/file.txt", 76},
      {"a folder, not a file", "dir", 70},
  };
  for (const SystemRefusal& refusal : cases) {
    SCOPED_TRACE(refusal.label);
    ScratchFolder folder;
    filetest::fs::create_directory(folder / "dir");
    ErrorSlot slot;
    std::int16_t number = filetest::FreshNumber();
    OpenChannel(slot, NameOf(folder / refusal.name), number);
    EXPECT_EQ(slot.number(), refusal.error);
    EXPECT_EQ(FindOpenChannel(number), nullptr);
  }
}

// After a failed open the number is free and the next statement can use it.
TEST(OpenChannel, LeavesTheNumberFreeAfterAFailure) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::int16_t number = filetest::FreshNumber();
  OpenChannel(slot, NameOf(folder / "missing" / "x.txt"), number);
  ASSERT_EQ(slot.number(), 76);
  ErrorSlot retry;
  OpenChannel(retry, NameOf(folder / "x.txt"), number);
  EXPECT_EQ(retry.number(), 0);
  CloseChannel(retry, number);
  EXPECT_EQ(retry.number(), 0);
}

}  // namespace

namespace {

// The 8-bit name is read in the program's code page: "a\xF1o" is the Spanish word for year.
TEST(OpenChannel, ReadsTheNameInTheProgramsCodePage) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::string name = (folder.path() / "").string() + "a\xF1o.txt";
  std::int16_t number = filetest::FreshNumber();
  OpenChannel(slot, DynString::Copy(name), number);
  ASSERT_EQ(slot.number(), 0);
  EXPECT_EQ(FindOpenChannel(number)->name.View().back(), u't');
  EXPECT_NE(FindOpenChannel(number)->name.View().find(u"a\u00F1o.txt"), std::u16string_view::npos);
  CloseChannel(slot, number);
  EXPECT_TRUE(filetest::fs::exists(folder.path() / filetest::fs::path(u"a\u00F1o.txt")));
}

}  // namespace

namespace {

// The error is raised for the return address in the calling procedure: inside its body the
// flags are 0xB0, and 0x30 for a procedure whose declared body does not hold that address.
TEST(OpenChannel, RaisesForTheReturnAddressInTheCaller) {
  const struct {
    runtime::ProcedureExtent extent;
    std::uint8_t flags;
  } cases[] = {{{0, UINTPTR_MAX}, runtime::kRaisedInsideBody},
               {{0, 1}, runtime::kRaisedOutsideBody}};
  for (const auto& c : cases) {
    ErrorSlot slot(c.extent);
    OpenChannel(slot, DynString::Copy("*"), filetest::FreshNumber());
    EXPECT_EQ(slot.number(), 64);
    EXPECT_EQ(slot.flags(), c.flags);
  }
}

}  // namespace
