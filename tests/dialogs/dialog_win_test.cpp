#include <gtest/gtest.h>
#include <windows.h>

#include "demo_dialog.h"
#include "dialogs/dialog_geometry.h"
#include "dialogs/window_record.h"

namespace dialogs {
namespace {

using testing::DemoDialog;
using testing::Text;

using testing::Dialog;

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

TEST(DialogNew, MainWindowIsHiddenCentredAndCaptioned) {
  const std::size_t before = RecordCount();
  Dialog dialog(DemoDialog());
  ASSERT_NE(dialog.window, nullptr);
  const auto style = static_cast<std::uint32_t>(GetWindowLongW(dialog.window, GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<std::uint32_t>(WS_CAPTION | WS_SYSMENU));
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
  EXPECT_FALSE(IsWindowVisible(dialog.window));
  EXPECT_EQ(style & 0xFFFF, 0x0854u) << "DS_CENTER | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK";
  wchar_t caption[64] = {};
  GetWindowTextW(dialog.window, caption, 64);
  EXPECT_STREQ(caption, L"Demostraci\u00F3n");

  WindowRecord record;
  ASSERT_TRUE(FindRecord(dialog.window, &record));
  EXPECT_EQ(record.flags, 0x40000001u);
  EXPECT_EQ(record.style, 0x00C80854u);
  EXPECT_EQ(record.showCommand, SW_SHOW);
  EXPECT_EQ(record.font, reinterpret_cast<HFONT>(SendMessageW(dialog.window, WM_GETFONT, 0, 0)));
  EXPECT_NE(record.font, nullptr);
  EXPECT_EQ(record.kind, 0);

  RECT rect{};
  GetWindowRect(dialog.window, &rect);
  const RECT area = WorkArea();
  EXPECT_NEAR((rect.left + rect.right) / 2, (area.left + area.right) / 2, 2);
  EXPECT_NEAR((rect.top + rect.bottom) / 2, (area.top + area.bottom) / 2, 2);
  DestroyWindow(dialog.window);
  EXPECT_EQ(RecordCount(), before) << "records of the dialog and its five controls";
}

TEST(DialogNew, OneCentredCoordinateCentresBothWaysAndVisibleStyleStaysHidden) {
  Dialog dialog(DialogNew(kDialogUnits, nullptr, Text(""), kCentred, 3, 100, 50,
                          WS_POPUP | WS_CAPTION | WS_VISIBLE, 0));
  ASSERT_NE(dialog.window, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog.window));
  wchar_t caption[8] = {L'x'};
  EXPECT_EQ(GetWindowTextW(dialog.window, caption, 8), 0) << "an empty caption replaces the blank";
  RECT rect{};
  GetWindowRect(dialog.window, &rect);
  const RECT area = WorkArea();
  EXPECT_NEAR((rect.top + rect.bottom) / 2, (area.top + area.bottom) / 2, 2);
}

TEST(DialogNew, DefaultStyleIsAPopupWithCaptionAndModalFrame) {
  Dialog dialog(DialogNew(kDialogUnits, nullptr, Text("x"), 10, 10, 100, 50, 0, 0));
  ASSERT_NE(dialog.window, nullptr);
  const auto style = static_cast<std::uint32_t>(GetWindowLongW(dialog.window, GWL_STYLE));
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION), static_cast<std::uint32_t>(WS_POPUP | WS_CAPTION));
  EXPECT_NE(GetWindowLongW(dialog.window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
}

TEST(DialogNew, FailedCreationGivesNullAndNoRecord) {
  const std::size_t before = RecordCount();
  const HWND notAWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7FFF0));
  EXPECT_EQ(DialogNew(kDialogUnits, notAWindow, Text("x"), 0, 0, 10, 10, 0, 0), nullptr);
  EXPECT_EQ(RecordCount(), before);
  // Everything after a failed creation quietly does nothing.
  DialogSetIcon(nullptr, Text("#200"));
  testing::Add(nullptr, ControlKind::kLabel, 1, "x", 0, 0, 10, 10);
  EXPECT_EQ(RecordCount(), before);
}

HICON Icon(HWND window, WPARAM which) {
  return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
}

TEST(DialogSetIcon, LoadsBothSizesAndReplacesThePreviousIcons) {
  Dialog dialog(DemoDialog());
  DialogSetIcon(dialog.window, Text("#999"));  // names no icon
  EXPECT_EQ(Icon(dialog.window, ICON_BIG), nullptr);
  EXPECT_EQ(Icon(dialog.window, ICON_SMALL), nullptr);

  DialogSetIcon(dialog.window, Text("#200"));
  const HICON big = Icon(dialog.window, ICON_BIG);
  const HICON small = Icon(dialog.window, ICON_SMALL);
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(big, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  DialogSetIcon(dialog.window, Text("#999"));  // a failed load changes nothing
  EXPECT_EQ(Icon(dialog.window, ICON_BIG), big);
  DialogSetIcon(dialog.window, Text("#200"));
  EXPECT_NE(Icon(dialog.window, ICON_BIG), nullptr);
  EXPECT_FALSE(GetIconInfo(big, &info)) << "the replaced icon was destroyed";
  const HICON last = Icon(dialog.window, ICON_BIG);
  DestroyWindow(dialog.window);
  EXPECT_FALSE(GetIconInfo(last, &info)) << "icons go with the dialog";
}

TEST(DialogSetIcon, AControlGetsNoIcon) {
  Dialog dialog(DemoDialog());
  const HWND label = ControlHandle(dialog.window, testing::kLabelId);
  DialogSetIcon(label, Text("#200"));
  WindowRecord record;
  ASSERT_TRUE(FindRecord(label, &record));
  EXPECT_EQ(record.bigIcon, nullptr);
}

TEST(Geometry, LocationAndSizeInUnitsConvertBackToTheWindowRectangle) {
  Dialog dialog(DemoDialog());
  RECT rect{};
  GetWindowRect(dialog.window, &rect);
  RECT unit{0, 0, 4, 8};
  MapDialogRect(dialog.window, &unit);  // pixels of 4 x 8 units: one unit is at most these
  const auto location = DialogGetLocation(dialog.window);
  const auto size = DialogGetSize(dialog.window);
  const auto corner = DialogUnitsToPixels(dialog.window, location.horizontal, location.vertical);
  const auto outer = DialogUnitsToPixels(dialog.window, size.horizontal, size.vertical);
  EXPECT_NEAR(corner.horizontal, rect.left, unit.right / 4);
  EXPECT_NEAR(corner.vertical, rect.top, unit.bottom / 8);
  EXPECT_NEAR(outer.horizontal, rect.right - rect.left, unit.right / 4);
  EXPECT_NEAR(outer.vertical, rect.bottom - rect.top, unit.bottom / 8);
  EXPECT_GT(size.horizontal, 260) << "frame included";

  RECT mapped{0, 0, 260, 90};
  MapDialogRect(dialog.window, &mapped);
  const auto pixels = DialogUnitsToPixels(dialog.window, 260, 90);
  EXPECT_EQ(pixels.horizontal, mapped.right);
  EXPECT_EQ(pixels.vertical, mapped.bottom);
}

TEST(Geometry, ControlLocationIsInItsDialogsClientUnits) {
  Dialog dialog(DemoDialog());
  const auto location = DialogGetLocation(ControlHandle(dialog.window, testing::kButtonId));
  EXPECT_NEAR(location.horizontal, 107, 1);
  EXPECT_NEAR(location.vertical, 20, 1);
  const auto size = DialogGetSize(ControlHandle(dialog.window, testing::kButtonId));
  EXPECT_NEAR(size.horizontal, 30, 1);
}

TEST(Geometry, PixelModePlacesAndReportsInPixels) {
  Dialog dialog(DialogNew(kPixelUnits, nullptr, Text("p"), 10, 10, 200, 100, 0, 0));
  ASSERT_NE(dialog.window, nullptr);
  testing::Add(dialog.window, ControlKind::kPushButton, 700, "b", 13, 17, 41, 23);
  const HWND button = ControlHandle(dialog.window, 700);
  RECT placed{};
  GetWindowRect(button, &placed);
  EXPECT_EQ(placed.right - placed.left, 41);
  EXPECT_EQ(DialogGetSize(button).horizontal, 41);
  EXPECT_EQ(DialogGetLocation(button).horizontal, 13);
  WindowRecord record;
  ASSERT_TRUE(FindRecord(button, &record));
  EXPECT_EQ(record.UnitMode(), kPixelUnits);
}

TEST(Geometry, WindowsWithoutRecordGivePixelsOrNothing) {
  EXPECT_EQ(DialogUnitsToPixels(nullptr, 10, 10).horizontal, 0);
  const HWND desktop = GetDesktopWindow();
  RECT rect{};
  GetWindowRect(desktop, &rect);
  EXPECT_EQ(DialogGetSize(desktop).horizontal, rect.right - rect.left);
}

}  // namespace
}  // namespace dialogs
