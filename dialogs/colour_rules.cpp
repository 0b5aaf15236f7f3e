#include "dialogs/colour_rules.h"

#include <array>

#include "dialogs/control.h"
#include "platform/gdi.h"
#include "platform/win_messages.h"

namespace dialogs {
namespace {

constexpr std::int32_t kColourMask = 0x00FFFFFF;

// WM_CTLCOLORMSGBOX, EDIT, LISTBOX, BTN, DLG, SCROLLBAR, STATIC.
constexpr std::array<SystemColourIndexes, 7> kIndexes{{
    {COLOR_MENUTEXT, COLOR_MENU},
    {COLOR_WINDOWTEXT, COLOR_WINDOW},
    {COLOR_WINDOWTEXT, COLOR_WINDOW},
    {COLOR_BTNTEXT, COLOR_BTNFACE},
    {COLOR_WINDOWTEXT, COLOR_BTNFACE},
    {COLOR_WINDOWTEXT, COLOR_SCROLLBAR},
    {COLOR_WINDOWTEXT, COLOR_BTNFACE},
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
  if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC) return std::nullopt;
  return kIndexes[message - WM_CTLCOLORMSGBOX];
}

}  // namespace dialogs
