#pragma once
// The calculator's window as the monkey reaches it from outside: pickers as Moments, texts,
// and the date-order boxes it opens.

#include <windows.h>

#include <string>
#include <vector>

#include "support/calculator.h"
#include "support/calculator_ids.h"
#include "window_model.h"

namespace monkey {

// Control ids and the texts the window shows.
using namespace support;

Moment ReadPicker(const support::Calculator& c, int id);
// Sends the date and time; the picker may refuse it (read it back).
void WritePicker(const support::Calculator& c, int id, const Moment& moment);
std::wstring Text(const support::Calculator& c, int id);
void SetText(const support::Calculator& c, int id, const std::wstring& text);

// Visible date-order boxes of the calculator ("Programador", dialog class).
std::vector<HWND> DateOrderBoxes(const support::Calculator& c);
// Visible windows of the process other than the main window and the given boxes.
int StrangeWindows(const support::Calculator& c, const std::vector<HWND>& boxes);

}  // namespace monkey
