// The real calculator window, built in this process: what another process cannot ask of it
// under Wine (icons, fonts, the band's paint answer, notifications sent to the callback).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "app/main_dialog_callback.h"
#include "app/main_window.h"
#include "app/program_main.h"
#include "dialogs/font_record.h"
#include "support/calculator_ids.h"

namespace {

// The window's controls as the tests name them, written down apart from the product's layout.
using namespace support;
// An id no control and no command of the window has.
constexpr int kNoSuchId = 9999;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogs::BuildDefaultFontTable();
    window_ = app::BuildMainWindow();
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    app::MainDialog = nullptr;
  }

  HWND Item(int id) const { return GetDlgItem(window_, id); }
  std::wstring Text(int id) const {
    wchar_t text[256] = {};
    GetWindowTextW(Item(id), text, 256);
    return text;
  }
  void Command(int id, int code = 0) {
    app::MainDialogCallback(
        {window_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id))});
  }
  void SetDate(int id, WORD year, WORD month, WORD day) {
    SYSTEMTIME date{};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    ASSERT_TRUE(
        SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date)));
  }
  SYSTEMTIME Date(int id) const {
    SYSTEMTIME date{};
    SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    return date;
  }

  HWND window_ = nullptr;
};

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

TEST_F(MainWindowTest, CarriesItsBigAndSmallIcons) {
  // This test program carries the calculator's resources, icon group 200 among them.
  auto big = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_BIG, 0));
  auto small = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(IconSize(big).cx, 32);
  EXPECT_EQ(IconSize(small).cx, 16);
}

// The manifest this program shares with the calculator makes the loader take comctl32 from the
// common controls 6.0 assembly, whose own button class (themed, version 6 only) then implements
// the window's buttons instead of USER32's.
TEST_F(MainWindowTest, ButtonsComeFromCommonControls6) {
  auto procedure =
      reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(Item(kTotalDaysButton), GWLP_WNDPROC));
  HMODULE owner = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      procedure, &owner));
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(owner, path, MAX_PATH);
  std::wstring lower = path;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
  EXPECT_NE(lower.find(L"comctl32.dll"), std::wstring::npos) << lower.c_str();
  EXPECT_NE(lower.find(L"common-controls"), std::wstring::npos) << lower.c_str();
  EXPECT_NE(lower.find(L"_6.0."), std::wstring::npos) << lower.c_str();
}

TEST_F(MainWindowTest, EveryControlUsesTheDialogsFont) {
  auto font = SendMessageW(window_, WM_GETFONT, 0, 0);
  ASSERT_NE(font, 0);
  for (int id : {kBaseDateLabel, kBaseDatePicker, kDayCountLabel, kDayCountEdit, kTotalDaysButton,
                 kTotalDaysEdit, kTotalDaysLabel, kFinalDateLabel, kFinalDatePicker,
                 kTotalTimeButton, kTotalTimeText}) {
    EXPECT_EQ(SendMessageW(Item(id), WM_GETFONT, 0, 0), font) << id;
  }
}

TEST_F(MainWindowTest, BandIsPaintedInItsColours) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(Item(kTotalTimeText))));
  ASSERT_NE(brush, nullptr);
  LOGBRUSH logBrush{};
  GetObjectW(brush, sizeof logBrush, &logBrush);
  EXPECT_EQ(logBrush.lbColor, RGB(kBandBack.red, kBandBack.green, kBandBack.blue));
  EXPECT_EQ(GetTextColor(dc), RGB(kBandText.red, kBandText.green, kBandText.blue));
  DeleteDC(dc);
}

TEST_F(MainWindowTest, ButtonsShowTheirResults) {
  SetDate(kBaseDatePicker, 2020, 1, 15);
  SetDate(kFinalDatePicker, 2021, 4, 10);
  Command(kTotalTimeButton);
  EXPECT_EQ(Text(kTotalTimeText), L"1 a\u00F1os 2 meses 26 dias");
  Command(kTotalDaysButton);
  EXPECT_EQ(Text(kTotalDaysEdit), L" 451");
}

// Results change only on the buttons: a date-change notification leaves them.
TEST_F(MainWindowTest, DateChangeNotificationLeavesResults) {
  SetDate(kBaseDatePicker, 2020, 1, 15);
  SetDate(kFinalDatePicker, 2021, 4, 10);
  Command(kTotalTimeButton);
  Command(kTotalDaysButton);
  SetDate(kFinalDatePicker, 2030, 1, 1);
  NMDATETIMECHANGE change{};
  change.nmhdr = {Item(kFinalDatePicker), kFinalDatePicker, static_cast<UINT>(DTN_DATETIMECHANGE)};
  change.st = Date(kFinalDatePicker);
  app::MainDialogCallback(
      {window_, WM_NOTIFY, kFinalDatePicker, reinterpret_cast<LPARAM>(&change)});
  EXPECT_EQ(Text(kTotalTimeText), L"1 a\u00F1os 2 meses 26 dias");
  EXPECT_EQ(Text(kTotalDaysEdit), L" 451");
}

TEST_F(MainWindowTest, EveryCommandOfTheDaysBoxCountsAndBeyond32BitsStaysAtTheBase) {
  SetDate(kBaseDatePicker, 2021, 3, 1);
  SetWindowTextW(Item(kDayCountEdit), L"10");
  Command(kDayCountEdit, EN_KILLFOCUS);
  EXPECT_EQ(Date(kFinalDatePicker).wDay, 11);
  SetWindowTextW(Item(kDayCountEdit), L"4294967297");  // low 32 bits would say 1
  Command(kDayCountEdit, EN_SETFOCUS);
  SYSTEMTIME final = Date(kFinalDatePicker);
  EXPECT_EQ(final.wYear, 2021);
  EXPECT_EQ(final.wMonth, 3);
  EXPECT_EQ(final.wDay, 1);
}

TEST_F(MainWindowTest, CommandsOfOtherIdsChangeNothing) {
  SetDate(kBaseDatePicker, 2021, 3, 1);
  SetDate(kFinalDatePicker, 2022, 5, 6);
  const int otherIds[] = {
      IDOK,           IDCANCEL,       kBaseDateLabel, kBaseDatePicker, kFinalDatePicker,
      kTotalDaysEdit, kTotalTimeText, kNoSuchId};
  for (int id : otherIds) Command(id);
  EXPECT_EQ(Text(kTotalTimeText), L"");
  EXPECT_EQ(Text(kTotalDaysEdit), L"");
  EXPECT_EQ(Date(kFinalDatePicker).wYear, 2022);
}

// What the program main had ready once its window was up, seen from a timer inside the
// window's own loop; the timer then ends the window and so the program main.
struct SeenInTheLoop {
  bool windowUp = false;
  bool fontsBuilt = false;
};
SeenInTheLoop seenInTheLoop;

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  dialogs::FontRecord font;
  seenInTheLoop.windowUp = app::MainDialog != nullptr && IsWindowVisible(app::MainDialog);
  seenInTheLoop.fontsBuilt = dialogs::FindFont(1, &font) && font.Face() == u"MS Sans Serif" &&
                             dialogs::FindFont(3, nullptr) && !dialogs::FindFont(4, nullptr);
  DestroyWindow(app::MainDialog);
}

TEST(ProgramMain, BuildsTheDefaultFontsThenRunsTheWindowUntilItIsGone) {
  dialogs::ClearFontTable();
  seenInTheLoop = {};
  ASSERT_NE(SetTimer(nullptr, 0, 50, LookAndClose), 0u);
  EXPECT_EQ(app::ProgramMain(), 0);
  EXPECT_TRUE(seenInTheLoop.windowUp);
  EXPECT_TRUE(seenInTheLoop.fontsBuilt);
  app::MainDialog = nullptr;
}

}  // namespace
