#pragma once
// The number-of-days box worked from outside: its whole text set at once, or characters typed
// into it as the keyboard's characters arrive.

#include <string>

#include "scenarios.h"

namespace e2e {

// Replaces the box's whole text (WM_SETTEXT), as a paste over everything would.
void TypeIntoDaysBox(const Calculator& calculator, const wchar_t* text);
// Posts one WM_CHAR per UTF-16 unit of `keys` (a surrogate pair is two), as typed characters
// reach the box through the calculator's message loop; then waits until the box's text ends
// with `shownLast`. False when it does not within 5 s or the calculator ends meanwhile.
bool TypeKeys(const Calculator& calculator, const std::wstring& keys,
              const std::wstring& shownLast);

}  // namespace e2e
