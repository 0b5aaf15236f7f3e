#pragma once
// Dialogs built in code: creation from an in-memory template, and icons.

#include <cstdint>

#include "platform/win_types.h"
#include "runtime/dyn_string.h"

namespace dialogs {

// Units a dialog's positions and sizes are given in.
inline constexpr std::int32_t kDialogUnits = 1;
inline constexpr std::int32_t kPixelUnits = 2;

// x or y of DialogNew: centre the window on the work area.
inline constexpr std::int32_t kCentred = INT32_MIN;  // 0x80000000
// In the place of a control id: the dialog itself.
inline constexpr std::int32_t kDialogItself = INT32_MIN;  // 0x80000000

// Creates a hidden dialog (style 0 = the default popup with caption and modal frame) with its
// record in place; the caption is 8-bit text. Null on failure.
HWND DialogNew(std::int32_t units, HWND parent, const runtime::DynString& caption, std::int32_t x,
               std::int32_t y, std::int32_t width, std::int32_t height, std::uint32_t style,
               std::uint32_t extendedStyle);

// Sets the 32x32 and 16x16 icons from an icon resource ("#200" names the integer id 200).
// A name that names no icon changes nothing.
void DialogSetIcon(HWND dialog, const runtime::DynString& resourceName);

}  // namespace dialogs
