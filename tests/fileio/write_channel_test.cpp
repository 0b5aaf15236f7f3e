#include <string>

#include "file_test_support.h"
#include "fileio/file_channels.h"

namespace {

using fileio::CloseChannel;
using fileio::FindOpenChannel;
using fileio::OpenChannel;
using fileio::WriteChannelText;
using filetest::ReadWholeFile;
using filetest::ScratchFolder;
using runtime::DynString;
using runtime::ErrorSlot;

constexpr auto kGreeting = runtime::MakeLiteral("hola");

TEST(WriteChannelText, WritesEveryByteAsGivenAndCountsThePosition) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::int16_t number = filetest::OpenOnFreshNumber(folder / "bytes.bin", slot);
  ASSERT_EQ(slot.number(), 0);
  const std::string pieces[] = {
      std::string("a\xF1os\r\n", 6),
      std::string("\0\x01\xFF\n", 4),
      std::string(70000, '\x7F'),
  };
  std::string expected;
  for (const std::string& piece : pieces) {
    WriteChannelText(slot, number, DynString::Copy(piece));
    expected += piece;
    EXPECT_EQ(FindOpenChannel(number)->position, expected.size());
  }
  WriteChannelText(slot, number, DynString::Borrow(kGreeting));
  expected += "hola";
  CloseChannel(slot, number);
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(ReadWholeFile(folder / "bytes.bin"), expected);
}

TEST(WriteChannelText, EmptyTextOnAnOpenChannelWritesNothing) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::int16_t number = filetest::OpenOnFreshNumber(folder / "empty.bin", slot);
  WriteChannelText(slot, number, DynString());
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(FindOpenChannel(number)->position, 0u);
  CloseChannel(slot, number);
  EXPECT_EQ(filetest::fs::file_size(folder / "empty.bin"), 0u);
}

// Text or no text, a number that is not open is an error; the owned text is still released
// (the native build's leak checker fails the run otherwise).
TEST(WriteChannelText, RefusesNumbersNeverOpenedWith52) {
  const std::int16_t never = -77;
  ErrorSlot withText;
  WriteChannelText(withText, never, DynString::Copy("lost?"));
  EXPECT_EQ(withText.number(), 52);
  ErrorSlot empty;
  WriteChannelText(empty, never, DynString());
  EXPECT_EQ(empty.number(), 52);
}

TEST(WriteChannelText, RefusesAClosedChannelWith52) {
  ScratchFolder folder;
  ErrorSlot slot;
  std::int16_t number = filetest::OpenOnFreshNumber(folder / "closed.bin", slot);
  CloseChannel(slot, number);
  WriteChannelText(slot, number, DynString::Copy("late"));
  EXPECT_EQ(slot.number(), 52);
  EXPECT_EQ(filetest::fs::file_size(folder / "closed.bin"), 0u);
}

TEST(CloseChannel, IgnoresANumberNeverOpened) {
  ErrorSlot slot;
  CloseChannel(slot, 31000);
  CloseChannel(slot, -3);
  EXPECT_EQ(slot.word(), 0);
}

// A device is not a disk: nothing is emptied or cut, and no position is kept.
TEST(WriteChannelText, WritesToADeviceWithoutKeepingAPosition) {
#ifdef _WIN32
  const char* device = "NUL";
#else
  const char* device = "/dev/null";
#endif
  ErrorSlot slot;
  std::int16_t number = filetest::FreshNumber();
  OpenChannel(slot, DynString::Copy(device), number);
  ASSERT_EQ(slot.number(), 0);
  EXPECT_EQ(FindOpenChannel(number)->fileType, fileio::kOtherFile);
  WriteChannelText(slot, number, DynString::Copy("into the void"));
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(FindOpenChannel(number)->position, 0u);
  CloseChannel(slot, number);
  EXPECT_EQ(slot.number(), 0);
}

}  // namespace
