#include "fileio/file_moves.h"

#include <string>

#include "file_test_support.h"

namespace {

using fileio::MoveFileReplacing;
using fileio::RemoveFile;
using filetest::NameOf;
using filetest::ReadWholeFile;
using filetest::ScratchFolder;
using filetest::WriteWholeFile;
using runtime::DynString;
using runtime::ErrorSlot;

TEST(FileMoves, MoveReplacesAnExistingTarget) {
  ScratchFolder folder;
  WriteWholeFile(folder / "new.tmp", "new picture");
  WriteWholeFile(folder / "target.bmp", "old picture");
  ErrorSlot slot;
  MoveFileReplacing(slot, NameOf(folder / "new.tmp"), NameOf(folder / "target.bmp"));
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(ReadWholeFile(folder / "target.bmp"), "new picture");
  EXPECT_FALSE(filetest::fs::exists(folder / "new.tmp"));
}

TEST(FileMoves, MoveOntoAMissingTargetCreatesIt) {
  ScratchFolder folder;
  WriteWholeFile(folder / "new.tmp", "picture");
  ErrorSlot slot;
  MoveFileReplacing(slot, NameOf(folder / "new.tmp"), NameOf(folder / "target.bmp"));
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(ReadWholeFile(folder / "target.bmp"), "picture");
}

// A target held open without sharing (an open channel) is not replaced; both files stay.
TEST(FileMoves, MoveOntoATargetHeldByAChannelRaises70AndChangesNothing) {
  ScratchFolder folder;
  WriteWholeFile(folder / "new.tmp", "new picture");
  ErrorSlot slot;
  std::int16_t number = filetest::OpenOnFreshNumber(folder / "target.bmp", slot);
  fileio::WriteChannelText(slot, number, DynString::Copy("held picture"));
  ASSERT_EQ(slot.number(), 0);
  MoveFileReplacing(slot, NameOf(folder / "new.tmp"), NameOf(folder / "target.bmp"));
  EXPECT_EQ(slot.number(), 70);
  fileio::CloseChannel(slot, number);
  EXPECT_EQ(ReadWholeFile(folder / "target.bmp"), "held picture");
  EXPECT_EQ(ReadWholeFile(folder / "new.tmp"), "new picture");
}

TEST(FileMoves, RemoveDeletesAFile) {
  ScratchFolder folder;
  WriteWholeFile(folder / "gone.tmp", "x");
  ErrorSlot slot;
  RemoveFile(slot, NameOf(folder / "gone.tmp"));
  EXPECT_EQ(slot.number(), 0);
  EXPECT_FALSE(filetest::fs::exists(folder / "gone.tmp"));
}

struct Refusal {
  const char* label;
  std::string name;  // relative to the scratch folder
  int error;
  bool move;  // else remove
};

TEST(FileMoves, RefusalsRaiseTheErrorOfTheirMeaning) {
  const Refusal cases[] = {
      {"remove a missing file", "absent.txt", 53, false},
      {"remove in a missing folder", "absent-folder/absent.txt", 76, false},
      {"move a missing file", "absent.txt", 53, true},
      {"move from a missing folder", "absent-folder/absent.txt", 76, true},
      {"remove a wildcard", "*.txt", 64, false},
      {"move a wildcard", "?.txt", 64, true},
      {"remove an empty name", "", 64, false},
  };
  for (const Refusal& refusal : cases) {
    SCOPED_TRACE(refusal.label);
    ScratchFolder folder;
    WriteWholeFile(folder / "a.txt", "kept");
    DynString name = refusal.name.empty() ? DynString() : NameOf(folder / refusal.name);
    ErrorSlot slot;
    if (refusal.move) {
      MoveFileReplacing(slot, name, NameOf(folder / "target.txt"));
    } else {
      RemoveFile(slot, name);
    }
    EXPECT_EQ(slot.number(), refusal.error);
    EXPECT_EQ(ReadWholeFile(folder / "a.txt"), "kept");
    EXPECT_FALSE(filetest::fs::exists(folder / "target.txt"));
  }
}

}  // namespace
