// Holds a file open without sharing for the fault script, the way another program would:
//   fileio_holder FILE READY_MARKER RELEASE_MARKER
// opens FILE for writing with share mode 0, creates READY_MARKER, and closes FILE once
// RELEASE_MARKER exists (or after two minutes). Exit code 1: FILE could not be opened.

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  std::string name = argv[1];
  std::u16string wide(name.begin(), name.end());  // the script passes ASCII paths
  HANDLE held = platform::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 1;
  std::ofstream(argv[2]) << "held\n";
  for (int waited = 0; waited < 120000 && !std::filesystem::exists(argv[3]); waited += 20) {
    platform::Sleep(20);
  }
  platform::CloseHandle(held);
  return 0;
}
