// The native stand-in reports POSIX failures as the Windows codes of the same meaning, so a
// failure gives the same run-time error number on both systems.

#include <errno.h>
#include <sys/resource.h>

#include <string>

#include "file_test_support.h"
#include "runtime/system_error_table.h"

namespace {

struct Meaning {
  int errnum;
  int error;  // the run-time error a Windows program gets for the same situation
};

TEST(ErrnoMeaning, GivesTheRunTimeErrorOfTheSameSituation) {
  const Meaning cases[] = {
      {ENOENT, 53},    {ENOTDIR, 76}, {EACCES, 70},       {EPERM, 70},  {EISDIR, 70}, {EROFS, 70},
      {ETXTBSY, 70},   {ENOSPC, 61},  {EDQUOT, 61},       {EMFILE, 67}, {ENFILE, 67}, {ENOMEM, 7},
      {EINVAL, 5},     {EBADF, 57},   {EXDEV, 74},        {EIO, 72},    {ENXIO, 71},  {EEXIST, 75},
      {ENOTEMPTY, 75}, {EPROTO, 75},  {ENAMETOOLONG, 75},
  };
  for (const Meaning& meaning : cases) {
    SCOPED_TRACE(meaning.errnum);
    DWORD code = platform::WindowsErrorFromErrno(meaning.errnum);
    EXPECT_NE(code, 0u);
    EXPECT_EQ(runtime::SystemErrorTable(code), meaning.error);
  }
}

// The process runs out of descriptors: the open is refused with 67 and leaves nothing.
TEST(ErrnoMeaning, TooManyOpenFilesRaises67) {
  filetest::ScratchFolder folder;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit none = saved;
  none.rlim_cur = 0;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
  runtime::ErrorSlot slot;
  std::int16_t number = filetest::FreshNumber();
  fileio::OpenChannel(slot, filetest::NameOf(folder / "one-too-many.bin"), number);
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
  EXPECT_EQ(slot.number(), 67);
  EXPECT_EQ(fileio::FindOpenChannel(number), nullptr);
}

}  // namespace
