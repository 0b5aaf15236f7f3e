#pragma once
// The calculator's window as the monkey reaches it from outside: pickers as Moments, texts,
// and the date-order boxes it opens.

#include <windows.h>

#include <string>
#include <vector>

#include "../e2e/calculator.h"
#include "window_model.h"

namespace monkey {

enum : int {
  kBasePicker = 201,
  kDaysBox = 203,
  kFinalPicker = 205,
  kHayButton = 300,
  kTotalDaysBox = 305,
  kTotalTimeButton = 311,
  kTotalTimeText = 312,
  kSnapshotCommand = 111,
};

Moment ReadPicker(const e2e::Calculator& c, int id);
// Sends the date and time; the picker may refuse it (read it back).
void WritePicker(const e2e::Calculator& c, int id, const Moment& moment);
std::wstring Text(const e2e::Calculator& c, int id);
void SetText(const e2e::Calculator& c, int id, const std::wstring& text);

// Visible date-order boxes of the calculator ("Programador", dialog class).
std::vector<HWND> DateOrderBoxes(const e2e::Calculator& c);
// Visible windows of the process other than the main window and the given boxes.
int StrangeWindows(const e2e::Calculator& c, const std::vector<HWND>& boxes);

}  // namespace monkey
