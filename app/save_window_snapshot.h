#pragma once
// The window snapshot: what the screen shows in a window's area, as a 24-bit bitmap file.

#include <string_view>

#include "platform/win_types.h"
#include "runtime/dyn_string.h"

namespace app {

// Where command 111 writes the snapshot: this name in the current folder.
inline constexpr std::string_view kSnapshotFileName = "RoredAvuv.bmp";

// Captures the window's outer rectangle plus one column left and one row above and below,
// from the screen, and writes it to `fileName`. Shows nothing; a failure leaves an existing
// file as it was.
void SaveWindowSnapshot(HWND window, const runtime::DynString& fileName);

}  // namespace app
