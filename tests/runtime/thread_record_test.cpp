#include "runtime/thread_record.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/thread_storage.h"

namespace {

using runtime::CurrentThreadRecord;
using runtime::ThreadRecord;

// Runs `body` on a new thread, which frees its record before it ends.
template <typename Body>
void OnAnotherThread(Body body) {
  std::thread thread([&] {
    body();
    runtime::ReleaseCurrentThreadRecord();
  });
  thread.join();
}

class ThreadRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(runtime::InitThreadRecords()); }
  void TearDown() override { runtime::ReleaseThreadRecords(); }
};

TEST_F(ThreadRecordTest, StartUpGivesTheMainThreadFontOneAndTheAnsiCodePage) {
  ThreadRecord* record = CurrentThreadRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->dialogFont, 1);
  EXPECT_EQ(record->codePage, 0u);
  EXPECT_EQ(record->errorStatementStart, 0u);
  EXPECT_EQ(record->errorStatementEnd, 0u);
}

TEST_F(ThreadRecordTest, ASecondCallOnTheSameThreadReturnsTheSameRecord) {
  EXPECT_EQ(CurrentThreadRecord(), CurrentThreadRecord());
}

TEST_F(ThreadRecordTest, ALaterThreadGetsItsOwnRecordWithTheMainThreadsSettings) {
  ThreadRecord* main = CurrentThreadRecord();
  main->dialogFont = 3;
  main->codePage = 1252;
  ThreadRecord* other = nullptr;
  int otherFont = 0;
  std::uint32_t otherCodePage = 0;
  OnAnotherThread([&] {
    other = CurrentThreadRecord();
    ASSERT_NE(other, nullptr);
    otherFont = other->dialogFont;
    otherCodePage = other->codePage;
    other->dialogFont = 2;  // stays with that thread
  });
  EXPECT_NE(other, main);
  EXPECT_EQ(otherFont, 3);
  EXPECT_EQ(otherCodePage, 1252u);
  EXPECT_EQ(main->dialogFont, 3);
}

TEST_F(ThreadRecordTest, NoMemoryForALaterThreadsRecordRecordsErrorSeven) {
  runtime::ErrorSlot slot;
  ThreadRecord* record = reinterpret_cast<ThreadRecord*>(1);
  OnAnotherThread([&] {
    platform::FailNextGlobalAllocations(1);
    record = CurrentThreadRecord(slot);
  });
  EXPECT_EQ(record, nullptr);
  EXPECT_EQ(slot.number(), 7);
  // The next attempt, with memory, succeeds.
  OnAnotherThread([&] { record = CurrentThreadRecord(slot); });
  EXPECT_NE(record, nullptr);
}

TEST_F(ThreadRecordTest, NoMemoryAtStartUpFailsStartUp) {
  runtime::ReleaseThreadRecords();
  platform::FailNextGlobalAllocations(1);
  EXPECT_FALSE(runtime::InitThreadRecords());
  EXPECT_TRUE(runtime::InitThreadRecords());
}

TEST_F(ThreadRecordTest, ShutdownReleasesTheRecordAndALaterUseStartsAfresh) {
  CurrentThreadRecord()->dialogFont = 2;
  runtime::ReleaseThreadRecords();
  ThreadRecord* fresh = CurrentThreadRecord();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->dialogFont, 1);
}

}  // namespace
