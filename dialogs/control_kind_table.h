#pragma once
// The window class and style rules of each ControlKind.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "dialogs/control_kind.h"

namespace dialogs {

struct ControlKindRow {
  std::u16string_view className;
  std::uint32_t defaultStyle;  // used when the caller passes style 0
  std::uint32_t alwaysSet;
  std::uint32_t alwaysCleared;
};

inline constexpr int kLastControlKind = 25;

// Rows for kinds 1 to 25 (index kind - 1).
inline constexpr std::array<ControlKindRow, kLastControlKind> kControlKindTable{{
    {u"BUTTON", 0x50010000, 0x50000000, 0},                    // 1 push button
    {u"BUTTON", 0x50010006, 0x50000006, 0xA7FC00C9},           // 2 three-state check box
    {u"BUTTON", 0x50010003, 0x50000003, 0xA7FC00CC},           // 3 check box
    {u"BUTTON", 0x50000007, 0x50000007, 0xA7FFD0F8},           // 4 group box
    {u"STATIC", 0x50000000, 0x50000000, 0},                    // 5 label
    {u"STATIC", 0x50000012, 0x50000000, 0},                    // 6 etched frame
    {u"BUTTON", 0x50010009, 0x50000009, 0xA7FC00C6},           // 7 option button
    {u"SCROLLBAR", 0x50000000, 0x50000000, 0},                 // 8 scroll bar
    {u"EDIT", 0x50810080, 0x50000000, 0},                      // 9 edit box
    {u"STATIC", 0x5000000E, 0x5000000E, 0},                    // 10 image
    {u"STATIC", 0x5000000E, 0x5000000E, 0},                    // 11 image sized to the control
    {u"BUTTON", 0x50010080, 0x50000080, 0},                    // 12 image button
    {u"BUTTON", 0x50010080, 0x50000080, 0},                    // 13 image button, image sized
    {u"STATIC", 0x5001000D, 0x5000000D, 0},                    // 14 drawing surface
    {u"STATIC", 0x5001000D, 0x5000000D, 0},                    // 15 owner-drawn static
    {u"SysHeader32", 0x50000000, 0x50000000, 0},               // 16 header
    {u"SysListView32", 0x50000009, 0x50000000, 0},             // 17 list view
    {u"SysTreeView32", 0x50010027, 0x50000000, 0},             // 18 tree view
    {u"msctls_progress32", 0x50800000, 0x50000000, 0},         // 19 progress bar
    {u"msctls_statusbar32", 0x50000003, 0x50000000, 0},        // 20 status bar
    {u"ToolbarWindow32", 0x50800801, 0x50000000, 0},           // 21 toolbar
    {u"SysTabControl32", 0x56010000, 0x50000000, 0x00000305},  // 22 tab control
    {u"ACTIVEX", 0, 0, 0},                                     // 23 hosted component
    {u"COMBOBOX", 0x50010102, 0x50000000, 0},                  // 24 combo box
    {u"LISTBOX", 0x50A10003, 0x50000001, 0},                   // 25 list box
}};

struct ControlCreation {
  std::u16string_view className;
  std::uint32_t style;          // for CreateWindowExW
  std::uint32_t extendedStyle;  // for CreateWindowExW
  std::uint32_t recordedStyle;  // kept in the record (a tree view's check boxes come later)
};

// Class and styles for a new control; `className` is used by kind 0 and kind 23. Pixel sizes
// choose a defaulted scroll bar's direction. Nothing for a kind outside 0 to 25.
std::optional<ControlCreation> ResolveControlCreation(ControlKind kind,
                                                      std::u16string_view className,
                                                      std::uint32_t style,
                                                      std::uint32_t extendedStyle,
                                                      std::int32_t width, std::int32_t height);

}  // namespace dialogs
