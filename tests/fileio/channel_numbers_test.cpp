#include <bitset>
#include <cstdint>
#include <vector>

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

BOOL NothingToClose(HANDLE) {
  return TRUE;
}

// With every number open the search stops after one full cycle with 67 and a number that
// no operation accepts, and it leaves the lock free: the next call finds a number closed
// meanwhile instead of waiting for ever. The channels reach no file (32767 files would need
// as many descriptors) and are linked directly, as 32767 opens would search the list as often.
TEST(ChannelNumbers, WithEveryNumberOpenRaise67AfterOneCycleAndLeaveTheLockFree) {
  filetest::FaultyCalls faulty;
  faulty.calls.closeHandle = NothingToClose;
  faulty.Install();
  std::bitset<32768> open;
  fileio::MarkOpenNumbers(open);
  std::vector<std::int16_t> linked;
  for (int n = 1; n <= 32767; ++n) {
    const auto number = static_cast<std::int16_t>(n);
    if (open.test(static_cast<std::size_t>(n))) continue;
    auto* channel = new fileio::FileChannel;
    channel->number = number;
    channel->mode = fileio::ChannelMode::kOutput;
    channel->fileType = fileio::kOtherFile;
    fileio::LinkChannel(channel);
    linked.push_back(number);
  }
  ErrorSlot full;
  const std::int16_t none = FreeChannelNumber(full);
  EXPECT_EQ(full.number(), 67);
  EXPECT_EQ(none, -1);
  ErrorSlot refused;
  fileio::OpenChannel(refused, runtime::DynString::Copy("never-created.bin"), none);
  EXPECT_EQ(refused.number(), 52) << "a caller that goes on opens nothing";

  const std::int16_t freed = linked[linked.size() / 2];
  ErrorSlot slot;
  fileio::CloseChannel(slot, freed);
  EXPECT_EQ(FreeChannelNumber(slot), freed);
  EXPECT_EQ(slot.number(), 0);
  // Newest first, each at the head of the list.
  for (auto number = linked.rbegin(); number != linked.rend(); ++number) {
    if (*number != freed) fileio::CloseChannel(slot, *number);
  }
  EXPECT_EQ(slot.number(), 0);
}

}  // namespace
