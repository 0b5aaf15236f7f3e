#pragma once
// A small dialog built with the toolkit for the window tests, shaped like a calculator row.

#include <windows.h>

#include "dialogs/control.h"
#include "dialogs/dialog.h"
#include "dialogs/font_record.h"
#include "runtime/dyn_string.h"

namespace dialogs::testing {

inline constexpr int kLabelId = 200;
inline constexpr int kEditId = 203;
inline constexpr int kButtonId = 300;
inline constexpr int kBandId = 312;
inline constexpr int kPickerId = 201;

inline runtime::DynString Text(std::string_view text) {
  return runtime::DynString::Copy(text);
}

inline void Add(HWND dialog, ControlKind kind, int id, std::string_view text, int x, int y, int w,
                int h, std::uint32_t style = 0, DialogCallback callback = nullptr,
                std::string_view className = {}) {
  ControlAdd(dialog, id, Text(text), {}, x, y, w, h, style, 0, callback, kind, Text(className));
}

// 260 x 90 units, centred, a label, an edit box, a button, a picker and a result band.
inline HWND DemoDialog(HWND parent = nullptr) {
  BuildDefaultFontTable();
  HWND dialog = DialogNew(kDialogUnits, parent, Text("Demostraci\xF3n"), kCentred, kCentred, 260,
                          90, 0x00C80000, 0);
  Add(dialog, ControlKind::kLabel, kLabelId, "Fecha base", 5, 5, 60, 12);
  Add(dialog, ControlKind::kTextBox, kEditId, "", 55, 20, 50, 12);
  Add(dialog, ControlKind::kPushButton, kButtonId, "Hay", 107, 20, 30, 12);
  Add(dialog, ControlKind::kClassByName, kPickerId, "", 55, 35, 190, 12, 0x50010004, nullptr,
      "SysDateTimePick32");
  Add(dialog, ControlKind::kLabel, kBandId, "", 1, 64, 258, 25);
  return dialog;
}

// Destroys a test's dialog when the test ends, however it ends.
struct Dialog {
  HWND window;
  explicit Dialog(HWND w) : window(w) {}
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  ~Dialog() {
    if (IsWindow(window)) DestroyWindow(window);
  }
  HWND Control(int id) const { return ControlHandle(window, id); }
};

}  // namespace dialogs::testing
