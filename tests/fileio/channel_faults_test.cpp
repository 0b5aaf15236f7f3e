// Failures the file system will not produce on demand, injected in place of single calls;
// every other call is the real one, so the files on disk show what the channel did.

#include <algorithm>
#include <string>
#include <vector>

#include "file_test_support.h"
#include "fileio/file_channels.h"

namespace {

using fileio::CloseChannel;
using fileio::FindOpenChannel;
using fileio::OpenChannel;
using fileio::WriteChannelText;
using filetest::FaultyCalls;
using filetest::NameOf;
using filetest::ReadWholeFile;
using filetest::ScratchFolder;
using runtime::DynString;
using runtime::ErrorSlot;

// What the injected calls do; reset by every test.
struct Injection {
  DWORD errorCode = 0;  // the last error an injected failure reports
  DWORD shortBy = 0;    // bytes a short write leaves out
  int writeCalls = 0;
  std::vector<HANDLE> created;
  std::vector<HANDLE> closed;
};
Injection injection;

const fileio::FileSystemCalls& Real() {
  return fileio::PlatformFileSystemCalls();
}

HANDLE RecordingCreate(const char16_t* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* sa,
                       DWORD disposition, DWORD flags, HANDLE templateFile) {
  HANDLE handle = Real().createFile(name, access, share, sa, disposition, flags, templateFile);
  if (handle != INVALID_HANDLE_VALUE) injection.created.push_back(handle);
  return handle;
}

HANDLE FailingCreate(const char16_t*, DWORD, DWORD, SECURITY_ATTRIBUTES*, DWORD, DWORD, HANDLE) {
  platform::SetLastError(injection.errorCode);
  return INVALID_HANDLE_VALUE;
}

BOOL RecordingClose(HANDLE handle) {
  injection.closed.push_back(handle);
  return Real().closeHandle(handle);
}

// Closes for real, then reports a failure, as a close that lost buffered data would.
BOOL FailingClose(HANDLE handle) {
  RecordingClose(handle);
  platform::SetLastError(injection.errorCode);
  return FALSE;
}

DWORD FailingSeek(HANDLE, LONG, LONG*, DWORD) {
  platform::SetLastError(injection.errorCode);
  return INVALID_SET_FILE_POINTER;
}

BOOL FailingSetEnd(HANDLE) {
  platform::SetLastError(injection.errorCode);
  return FALSE;
}

BOOL FailingWrite(HANDLE, const void*, DWORD, DWORD* written, OVERLAPPED*) {
  *written = 0;
  platform::SetLastError(injection.errorCode);
  return FALSE;
}

// Writes all but the last `shortBy` bytes and reports success with the short count.
BOOL ShortWrite(HANDLE file, const void* bytes, DWORD count, DWORD* written, OVERLAPPED* o) {
  return Real().writeFile(file, bytes, count - std::min(count, injection.shortBy), written, o);
}

BOOL CountingWrite(HANDLE file, const void* bytes, DWORD count, DWORD* written, OVERLAPPED* o) {
  ++injection.writeCalls;
  return Real().writeFile(file, bytes, count, written, o);
}

DWORD CharacterDeviceType(HANDLE) {
  return FILE_TYPE_CHAR;
}

class ChannelFaults : public testing::Test {
 protected:
  void SetUp() override {
    injection = Injection{};
    faulty.calls.createFile = RecordingCreate;
    faulty.calls.closeHandle = RecordingClose;
  }

  bool WasClosed(HANDLE handle) const {
    return std::find(injection.closed.begin(), injection.closed.end(), handle) !=
           injection.closed.end();
  }

  ScratchFolder folder;
  FaultyCalls faulty;
};

// No buffering: a large block is one system write, and nothing is written without a text.
TEST_F(ChannelFaults, EachTextIsExactlyOneSystemWrite) {
  faulty.calls.writeFile = CountingWrite;
  faulty.Install();
  ErrorSlot slot;
  std::int16_t number = filetest::OpenOnFreshNumber(folder / "one.bin", slot);
  const std::string block(1 << 20, '\x5A');
  WriteChannelText(slot, number, DynString::Copy(block));
  EXPECT_EQ(injection.writeCalls, 1);
  WriteChannelText(slot, number, DynString());
  EXPECT_EQ(injection.writeCalls, 1);
  CloseChannel(slot, number);
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(ReadWholeFile(folder / "one.bin"), block);
}

struct OpenStepFault {
  const char* label;
  bool seekFails;  // else SetEndOfFile fails
  DWORD code;
  int error;
};

// A step after the file was created fails: the error is raised, no channel is left, and the
// handle is closed, so the file is not held unshared by a handle nothing will ever close.
TEST_F(ChannelFaults, AFailedStepAfterCreationClosesTheHandle) {
  const OpenStepFault cases[] = {
      {"SetFilePointer: invalid parameter", true, ERROR_INVALID_PARAMETER, 5},
      {"SetEndOfFile: disk full", false, ERROR_DISK_FULL, 61},
      {"SetEndOfFile: access denied", false, ERROR_ACCESS_DENIED, 70},
  };
  for (const OpenStepFault& fault : cases) {
    SCOPED_TRACE(fault.label);
    injection = Injection{};
    injection.errorCode = fault.code;
    faulty.calls.setFilePointer = fault.seekFails ? FailingSeek : Real().setFilePointer;
    faulty.calls.setEndOfFile = fault.seekFails ? Real().setEndOfFile : FailingSetEnd;
    faulty.Install();
    ErrorSlot slot;
    std::int16_t number = filetest::FreshNumber();
    OpenChannel(slot, NameOf(folder / "step.bin"), number);
    EXPECT_EQ(slot.number(), fault.error);
    EXPECT_EQ(FindOpenChannel(number), nullptr);
    ASSERT_EQ(injection.created.size(), 1u);
    EXPECT_TRUE(WasClosed(injection.created[0]));

    fileio::UseFileSystemCalls(nullptr);
    ErrorSlot again;
    std::int16_t reopened = filetest::OpenOnFreshNumber(folder / "step.bin", again);
    EXPECT_EQ(again.number(), 0) << "the file is still held by the failed open";
    CloseChannel(again, reopened);
  }
}

TEST_F(ChannelFaults, AWriteTheDiskRefusesRaises61AndKeepsWhatWasWritten) {
  const DWORD codes[] = {ERROR_DISK_FULL, 39 /* ERROR_HANDLE_DISK_FULL */};
  for (DWORD code : codes) {
    SCOPED_TRACE(code);
    injection.errorCode = code;
    faulty.Install();
    ErrorSlot slot;
    std::int16_t number = filetest::OpenOnFreshNumber(folder / "full.bin", slot);
    WriteChannelText(slot, number, DynString::Copy("before"));
    ASSERT_EQ(slot.number(), 0);
    faulty.calls.writeFile = FailingWrite;
    WriteChannelText(slot, number, DynString::Copy("refused"));
    EXPECT_EQ(slot.number(), 61);
    ASSERT_NE(FindOpenChannel(number), nullptr) << "a failed write closes nothing";
    EXPECT_EQ(FindOpenChannel(number)->position, 6u);
    faulty.calls.writeFile = Real().writeFile;
    ErrorSlot later;
    WriteChannelText(later, number, DynString::Copy(" after"));
    CloseChannel(later, number);
    EXPECT_EQ(later.number(), 0);
    EXPECT_EQ(ReadWholeFile(folder / "full.bin"), "before after");
  }
}

struct ShortWriteCase {
  const char* label;
  bool device;
  int error;
  const char* kept;  // the file after "before", the short write and " after"
};

// On a disk the torn part of the short write is not kept: the next write goes where the last
// whole write ended and the close cuts the rest. A device keeps no position to return to.
TEST_F(ChannelFaults, AShortWriteRaises61OnDiskAnd57Elsewhere) {
  const ShortWriteCase cases[] = {
      {"disk file", false, 61, "before after"},
      {"device", true, 57, "beforeabcde after"},
  };
  for (const ShortWriteCase& shortWrite : cases) {
    SCOPED_TRACE(shortWrite.label);
    injection.shortBy = 3;
    faulty.calls.getFileType = shortWrite.device ? CharacterDeviceType : Real().getFileType;
    faulty.calls.writeFile = Real().writeFile;
    faulty.Install();
    ErrorSlot slot;
    std::int16_t number = filetest::OpenOnFreshNumber(folder / "short.bin", slot);
    ASSERT_EQ(slot.number(), 0);
    WriteChannelText(slot, number, DynString::Copy("before"));
    faulty.calls.writeFile = ShortWrite;
    WriteChannelText(slot, number, DynString::Copy("abcdefgh"));
    EXPECT_EQ(slot.number(), shortWrite.error);
    EXPECT_EQ(FindOpenChannel(number)->position, shortWrite.device ? 0u : 6u);
    faulty.calls.writeFile = Real().writeFile;
    ErrorSlot later;
    WriteChannelText(later, number, DynString::Copy(" after"));
    CloseChannel(later, number);
    EXPECT_EQ(later.number(), 0);
    EXPECT_EQ(ReadWholeFile(folder / "short.bin"), shortWrite.kept);
    filetest::fs::remove(folder / "short.bin");
  }
}

struct CloseFault {
  const char* label;
  bool setEndFails;
  bool closeFails;
  int error;
};

// The channel is gone and its handle closed whatever the close reports; the first failure
// is the one raised.
TEST_F(ChannelFaults, AFailedCloseRaisesTheFirstErrorAndStillEndsTheChannel) {
  const CloseFault cases[] = {
      {"SetEndOfFile fails", true, false, 61},
      {"CloseHandle fails", false, true, 57},
      {"both fail", true, true, 61},
  };
  for (const CloseFault& fault : cases) {
    SCOPED_TRACE(fault.label);
    injection = Injection{};
    faulty.calls.setEndOfFile = Real().setEndOfFile;
    faulty.calls.closeHandle = RecordingClose;
    faulty.Install();
    ErrorSlot slot;
    std::int16_t number = filetest::OpenOnFreshNumber(folder / "close.bin", slot);
    WriteChannelText(slot, number, DynString::Copy("data"));
    ASSERT_EQ(slot.number(), 0);
    if (fault.setEndFails) faulty.calls.setEndOfFile = FailingSetEnd;
    if (fault.closeFails) faulty.calls.closeHandle = FailingClose;
    injection.errorCode = fault.setEndFails ? ERROR_DISK_FULL : ERROR_INVALID_HANDLE;
    if (fault.closeFails && fault.setEndFails) injection.errorCode = ERROR_DISK_FULL;
    CloseChannel(slot, number);
    EXPECT_EQ(slot.number(), fault.error);
    EXPECT_EQ(FindOpenChannel(number), nullptr);
    ASSERT_EQ(injection.created.size(), 1u);
    EXPECT_TRUE(WasClosed(injection.created[0]));
    EXPECT_EQ(ReadWholeFile(folder / "close.bin"), "data");
  }
}

TEST_F(ChannelFaults, CreationFailuresRaiseTheirMappedNumbers) {
  const struct {
    DWORD code;
    int error;
  } cases[] = {{ERROR_NOT_ENOUGH_MEMORY, 7},    {14 /* ERROR_OUTOFMEMORY */, 7},
               {ERROR_TOO_MANY_OPEN_FILES, 67}, {ERROR_WRITE_PROTECT, 70},
               {ERROR_SHARING_VIOLATION, 70},   {ERROR_INVALID_PARAMETER, 5}};
  faulty.calls.createFile = FailingCreate;
  faulty.Install();
  for (const auto& failure : cases) {
    SCOPED_TRACE(failure.code);
    injection.errorCode = failure.code;
    ErrorSlot slot;
    std::int16_t number = filetest::FreshNumber();
    OpenChannel(slot, NameOf(folder / "never.bin"), number);
    EXPECT_EQ(slot.number(), failure.error);
    EXPECT_EQ(FindOpenChannel(number), nullptr);
  }
}

// A damaged-memory report is fatal: the process ends with 255 at once.
TEST(ChannelFaultsDeathTest, ADamagedMemoryReportEndsTheProcessWith255) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const DWORD fatalCodes[] = {7, 9, 10};
  for (DWORD code : fatalCodes) {
    SCOPED_TRACE(code);
    EXPECT_EXIT(
        {
          injection.errorCode = code;
          FaultyCalls faulty;
          faulty.calls.createFile = FailingCreate;
          faulty.Install();
          ErrorSlot slot;
          OpenChannel(slot, DynString::Copy("never-created.bin"), filetest::FreshNumber());
          std::exit(0);
        },
        testing::ExitedWithCode(255), "");
  }
}

}  // namespace
