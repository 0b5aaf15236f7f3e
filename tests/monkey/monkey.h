#pragma once
// Random user actions against the real calculator window, each checked against the model.

#include <string>

namespace support {
struct Calculator;
}

namespace monkey {

struct MonkeyOptions {
  unsigned long long seed = 1;
  int actions = 3000;
  int deepestStack = 5;     // date-order boxes open at once, at most
  int usageEvery = 0;       // print the process's usage every N actions (0: never)
  std::wstring calculator;  // full path of the program under test
  std::wstring folder;      // its working folder, where snapshots land
};

// Why Launch found no window: not started, ended early (with its exit code), or silent.
std::string WhyNotStarted(const support::Calculator& calculator);

// Prints one line per check group and the usual "N passed, M failed"; returns the exit code.
int RunMonkey(const MonkeyOptions& options);

}  // namespace monkey
