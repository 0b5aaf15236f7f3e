// Abuse of the real calculator under Wine, from outside its process.
//   abuse_driver --monkey SEED ACTIONS [--deepest N] [--usage-every N] CALCULATOR.exe
//       random user actions checked against a model; snapshots land in the current folder
//   abuse_driver --snapshot-fault LABEL [--hold] [--folder DIR] CALCULATOR.exe
//       one snapshot command while the file system refuses the snapshot file (DIR or the current
//       folder); --hold keeps the file open without sharing meanwhile
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "monkey.h"
#include "snapshot_fault.h"
#include "support/remote.h"

namespace {

using support::CurrentFolder;
using support::FullPath;
using support::Narrow;

int Usage() {
  std::fprintf(stderr,
               "usage: abuse_driver --monkey SEED ACTIONS [--deepest N] [--usage-every N] CALC\n"
               "       abuse_driver --snapshot-fault LABEL [--hold] [--folder DIR] CALC\n");
  return 2;
}

int Monkey(int argc, wchar_t** argv) {
  if (argc < 5) return Usage();
  monkey::MonkeyOptions options;
  options.seed = std::wcstoull(argv[2], nullptr, 10);
  options.actions = _wtoi(argv[3]);
  for (int i = 4; i + 1 < argc; i += 2) {
    if (std::wcscmp(argv[i], L"--deepest") == 0) {
      options.deepestStack = _wtoi(argv[i + 1]);
    } else if (std::wcscmp(argv[i], L"--usage-every") == 0) {
      options.usageEvery = _wtoi(argv[i + 1]);
    } else {
      return Usage();
    }
  }
  options.calculator = FullPath(argv[argc - 1]);
  options.folder = CurrentFolder();
  return monkey::RunMonkey(options);
}

int SnapshotFault(int argc, wchar_t** argv) {
  if (argc < 4) return Usage();
  monkey::FaultOptions options;
  options.label = Narrow(argv[2]);
  options.folder = CurrentFolder();
  for (int i = 3; i < argc - 1; ++i) {
    if (std::wcscmp(argv[i], L"--hold") == 0) {
      options.hold = true;
    } else if (std::wcscmp(argv[i], L"--folder") == 0 && i + 1 < argc - 1) {
      options.folder = argv[++i];
    } else {
      return Usage();
    }
  }
  options.calculator = FullPath(argv[argc - 1]);
  return monkey::RunSnapshotFault(options);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && std::wcscmp(argv[1], L"--monkey") == 0) return Monkey(argc, argv);
  if (argc >= 2 && std::wcscmp(argv[1], L"--snapshot-fault") == 0) return SnapshotFault(argc, argv);
  return Usage();
}
