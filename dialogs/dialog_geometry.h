#pragma once
// Where a toolkit dialog is and how large, in the units it was created with.

#include <cstdint>

#include "platform/win_types.h"

namespace dialogs {

struct DialogPair {
  std::int32_t horizontal;  // x or width
  std::int32_t vertical;    // y or height
};

// Top-left corner of the window, in the dialog's units.
DialogPair DialogGetLocation(HWND window);
// Outer width and height (frame and caption included), in the dialog's units.
DialogPair DialogGetSize(HWND window);
// A size in dialog units converted to pixels with the dialog's font; (0, 0) on failure.
DialogPair DialogUnitsToPixels(HWND window, std::int32_t horizontal, std::int32_t vertical);

}  // namespace dialogs
