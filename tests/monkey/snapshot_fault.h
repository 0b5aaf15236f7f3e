#pragma once
// One snapshot command against the real window while the file system refuses the file.

#include <string>

namespace monkey {

struct FaultOptions {
  std::wstring calculator;
  std::wstring folder;  // the calculator's working folder, where the snapshot is
  std::string label;    // what fault the caller prepared, for the check names
  bool hold = false;    // keep the snapshot file open without sharing meanwhile
};

// The snapshot shows nothing and returns, the window still answers "Hay", and the program
// ends with exit code 0. The caller compares the files.
int RunSnapshotFault(const FaultOptions& options);

}  // namespace monkey
