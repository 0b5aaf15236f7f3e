#include "dialogs/colour_rules.h"

#include <array>

#include "dialogs/control.h"

namespace dialogs {
namespace {

constexpr std::int32_t kColourMask = 0x00FFFFFF;

// WM_CTLCOLORMSGBOX, EDIT, LISTBOX, BTN, DLG, SCROLLBAR, STATIC.
constexpr std::array<SystemColourIndexes, 7> kIndexes{{
    {7, 4},  // COLOR_MENUTEXT on COLOR_MENU
    {8, 5},  // COLOR_WINDOWTEXT on COLOR_WINDOW
    {8, 5},
    {18, 15},  // COLOR_BTNTEXT on COLOR_BTNFACE
    {8, 15},
    {8, 0},  // on COLOR_SCROLLBAR
    {8, 15},
}};

}  // namespace

std::int32_t NormaliseTextColour(std::int32_t colour) {
  return colour < 0 ? kSystemColour : colour & kColourMask;
}

std::int32_t NormaliseBackColour(std::int32_t colour) {
  if (colour == kTransparent) return kTransparent;
  return colour < 0 ? kSystemColour : colour & kColourMask;
}

std::optional<SystemColourIndexes> CtlColorIndexes(std::uint32_t message) {
  if (message < kFirstCtlColorMessage || message > kLastCtlColorMessage) return std::nullopt;
  return kIndexes[message - kFirstCtlColorMessage];
}

}  // namespace dialogs
