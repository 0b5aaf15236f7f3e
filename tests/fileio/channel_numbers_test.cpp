#include "file_test_support.h"
#include "fileio/file_channels.h"

namespace {

using fileio::FreeChannelNumber;
using runtime::ErrorSlot;

std::int16_t Following(std::int16_t number) {
  return number == 32767 ? 1 : static_cast<std::int16_t>(number + 1);
}

TEST(ChannelNumbersDeathTest, TheFirstTwoNumbersOfAProcessAreOneAndTwo) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, counter untouched
  EXPECT_EXIT(
      {
        ErrorSlot slot;
        std::int16_t first = FreeChannelNumber(slot);
        std::int16_t second = FreeChannelNumber(slot);
        std::exit(first == 1 && second == 2 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

// Closing a channel does not give its number back; an open number is stepped over.
TEST(ChannelNumbers, CountOnwardAndStepOverOpenNumbers) {
  filetest::ScratchFolder folder;
  std::int16_t first = filetest::FreshNumber();
  ErrorSlot slot;
  fileio::OpenChannel(slot, filetest::NameOf(folder / "a.bin"), first);
  ASSERT_EQ(slot.number(), 0);
  fileio::CloseChannel(slot, first);
  EXPECT_EQ(filetest::FreshNumber(), Following(first));

  std::int16_t blocked = Following(Following(first));
  fileio::OpenChannel(slot, filetest::NameOf(folder / "b.bin"), blocked);
  ASSERT_EQ(slot.number(), 0);
  EXPECT_EQ(filetest::FreshNumber(), Following(blocked));
  fileio::CloseChannel(slot, blocked);
}

TEST(ChannelNumbers, WrapFrom32767ToOneAndNeverHandOutZeroOrNegatives) {
  std::int16_t number = filetest::FreshNumber();
  for (int i = 0; i < 32767 && number != 32767; ++i) {
    ASSERT_GT(number, 0);
    number = filetest::FreshNumber();
  }
  ASSERT_EQ(number, 32767);
  EXPECT_EQ(filetest::FreshNumber(), 1);
  EXPECT_EQ(filetest::FreshNumber(), 2);
}

}  // namespace
