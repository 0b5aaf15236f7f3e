#pragma once
// The calculator window: its caption, size and the eleven controls in creation order.
// Positions and sizes are dialog units; texts are Windows-1252. The band's colours are in
// main_window_colours.h, the snapshot's file name in save_window_snapshot.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dialogs/control_kind.h"
#include "platform/win_messages.h"

namespace app {

namespace control_id {
inline constexpr std::int32_t kBaseDateLabel = 200;
inline constexpr std::int32_t kBaseDatePicker = 201;
inline constexpr std::int32_t kDayCountLabel = 202;
inline constexpr std::int32_t kDayCountEdit = 203;
inline constexpr std::int32_t kFinalDateLabel = 204;
inline constexpr std::int32_t kFinalDatePicker = 205;
inline constexpr std::int32_t kTotalDaysButton = 300;
inline constexpr std::int32_t kTotalDaysEdit = 305;
inline constexpr std::int32_t kTotalDaysLabel = 306;
inline constexpr std::int32_t kTotalTimeButton = 311;
inline constexpr std::int32_t kTotalTimeText = 312;
// No control carries it: the command that writes the window snapshot.
inline constexpr std::int32_t kSnapshotCommand = 111;
}  // namespace control_id

inline constexpr std::string_view kMainCaption = "Zaduzerazur Evozazez ..  av Ivovur";
inline constexpr std::int32_t kMainWidth = 260;  // client area
inline constexpr std::int32_t kMainHeight = 90;
inline constexpr std::uint32_t kMainStyle = WS_CAPTION | WS_SYSMENU;
inline constexpr std::string_view kIconName = "#200";
// Literal slashes, so the pickers show 05/03/2024 whatever the locale's separator.
inline constexpr std::string_view kPickerFormat = "dd'/'MM'/'yyyy";

inline constexpr std::string_view kPickerClass = "SysDateTimePick32";
inline constexpr std::uint32_t kPickerStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_LONGDATEFORMAT;

// \xED ends before the next letter, which would otherwise extend the escape.
inline constexpr std::string_view kTotalDaysText =
    " d\xED"
    "as totales ";

struct ControlRow {
  std::int32_t id;
  dialogs::ControlKind kind;
  std::string_view className;  // only for kClassByName
  std::string_view text;
  std::int32_t x, y, width, height;
  std::uint32_t style;  // 0: the kind's default
  std::uint32_t extendedStyle;
};

using Kind = dialogs::ControlKind;
namespace id = control_id;

inline constexpr std::array<ControlRow, 11> kMainControls = {{
    // id, kind, class, text, x, y, width, height, style, extended style
    {id::kBaseDateLabel, Kind::kLabel, {}, "Fecha base", 5, 5, 60, 12, 0, 0},
    {id::kBaseDatePicker, Kind::kClassByName, kPickerClass, {}, 55, 5, 190, 14, kPickerStyle, 0},
    {id::kDayCountLabel, Kind::kLabel, {}, "N\xBA de Dias", 5, 20, 60, 12, 0, 0},
    {id::kDayCountEdit, Kind::kTextBox, {}, {}, 55, 20, 50, 12, 0, 0},
    {id::kTotalDaysButton, Kind::kPushButton, {}, "Hay", 107, 20, 30, 12, 0, 0},
    {id::kTotalDaysEdit, Kind::kTextBox, {}, {}, 140, 20, 70, 12, 0, 0},
    {id::kTotalDaysLabel, Kind::kLabel, {}, kTotalDaysText, 212, 20, 45, 12, 0, 0},
    {id::kFinalDateLabel, Kind::kLabel, {}, "Fecha Final", 5, 35, 60, 12, 0, 0},
    {id::kFinalDatePicker, Kind::kClassByName, kPickerClass, {}, 55, 35, 190, 12, kPickerStyle, 0},
    {id::kTotalTimeButton, Kind::kPushButton, {}, "Tiempo total", 1, 50, 130, 12, 0, 0},
    {id::kTotalTimeText, Kind::kLabel, {}, {}, 1, 64, 258, 25, 0, 0},
}};

// The layout's rules, checked where the layout is written down: a table that breaks one does
// not compile.
namespace layout_rules {

constexpr bool EveryControlLiesInsideTheClientArea() {
  for (const ControlRow& row : kMainControls) {
    if (row.x < 0 || row.y < 0 || row.x + row.width > kMainWidth ||
        row.y + row.height > kMainHeight) {
      return false;
    }
  }
  return true;
}

// Enter and Esc must not find a control of id 1 or 2 to press, and the snapshot command must
// not reach a control.
constexpr bool IdsAreUniqueAndNoneIsTheSnapshotCommandOrADialogButton() {
  for (std::size_t i = 0; i < kMainControls.size(); ++i) {
    const std::int32_t id = kMainControls[i].id;
    if (id == 1 || id == 2 || id == control_id::kSnapshotCommand) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kMainControls[j].id == id) return false;
    }
  }
  return true;
}

// Only the two pickers are created by class name, with a style of their own: a class by name
// gets no kind's default.
constexpr bool PickersAreNamedByClassAndEverythingElseByKind() {
  int pickers = 0;
  for (const ControlRow& row : kMainControls) {
    const bool byName = row.kind == Kind::kClassByName;
    if (byName != !row.className.empty()) return false;
    if (!byName) continue;
    if (row.className != "SysDateTimePick32" || row.style == 0) return false;
    ++pickers;
  }
  return pickers == 2;
}

// The result band fills the window's width, one unit in from each side, and its bottom; no
// other control reaches into it.
constexpr bool ResultBandSpansTheBottomOfTheWindow() {
  const ControlRow& band = kMainControls.back();
  if (band.id != control_id::kTotalTimeText || band.x != 1 ||
      band.x + band.width != kMainWidth - 1 || band.y + band.height != kMainHeight - 1) {
    return false;
  }
  for (const ControlRow& row : kMainControls) {
    if (row.id != band.id && row.y + row.height > band.y) return false;
  }
  return true;
}

static_assert(EveryControlLiesInsideTheClientArea());
static_assert(IdsAreUniqueAndNoneIsTheSnapshotCommandOrADialogButton());
static_assert(PickersAreNamedByClassAndEverythingElseByKind());
static_assert(ResultBandSpansTheBottomOfTheWindow());
static_assert(kPickerFormat == "dd'/'MM'/'yyyy", "day, month, year, with literal slashes");

}  // namespace layout_rules

}  // namespace app
