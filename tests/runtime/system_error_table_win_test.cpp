// The table's codes against the system's own names for them.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/system_error_table.h"

namespace {

TEST(SystemErrorTableCodes, TheSystemsErrorNamesMapToTheirRuntimeNumbers) {
  struct Case {
    DWORD code;
    std::uint8_t number;
  };
  const Case cases[] = {
      {ERROR_INVALID_FUNCTION, 75},
      {ERROR_FILE_NOT_FOUND, 53},
      {ERROR_PATH_NOT_FOUND, 76},
      {ERROR_TOO_MANY_OPEN_FILES, 67},
      {ERROR_ACCESS_DENIED, 70},
      {ERROR_INVALID_HANDLE, 57},
      {ERROR_ARENA_TRASHED, 241},
      {ERROR_NOT_ENOUGH_MEMORY, 7},
      {ERROR_INVALID_BLOCK, 241},
      {ERROR_BAD_ENVIRONMENT, 241},
      {ERROR_BAD_FORMAT, 51},
      {ERROR_INVALID_ACCESS, 51},
      {ERROR_INVALID_DATA, 51},
      {ERROR_OUTOFMEMORY, 7},
      {ERROR_INVALID_DRIVE, 68},
      {ERROR_CURRENT_DIRECTORY, 75},
      {ERROR_NOT_SAME_DEVICE, 74},
      {ERROR_NO_MORE_FILES, 53},
      {ERROR_WRITE_PROTECT, 70},
      {ERROR_BAD_UNIT, 68},
      {ERROR_NOT_READY, 71},
      {ERROR_BAD_COMMAND, 51},
      {ERROR_CRC, 72},
      {ERROR_BAD_LENGTH, 51},
      {ERROR_SEEK, 72},
      {ERROR_NOT_DOS_DISK, 72},
      {ERROR_SECTOR_NOT_FOUND, 72},
      {ERROR_OUT_OF_PAPER, 72},
      {ERROR_WRITE_FAULT, 72},
      {ERROR_READ_FAULT, 72},
      {ERROR_GEN_FAILURE, 72},
      {ERROR_SHARING_VIOLATION, 70},
      {ERROR_LOCK_VIOLATION, 70},
      {ERROR_WRONG_DISK, 72},
      {ERROR_SHARING_BUFFER_EXCEEDED, 70},
      {ERROR_HANDLE_EOF, 62},
      {ERROR_HANDLE_DISK_FULL, 61},
      {ERROR_INVALID_PARAMETER, 5},
      {ERROR_DISK_FULL, 61},
      {ERROR_ALREADY_EXISTS, 75},
      {ERROR_FILE_EXISTS, 75},
  };
  for (const Case& c : cases) EXPECT_EQ(runtime::SystemErrorTable(c.code), c.number) << c.code;
}

}  // namespace
