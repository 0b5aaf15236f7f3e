#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "demo_dialog.h"
#include "dialogs/dialog_proc.h"
#include "dialogs/window_record.h"
#include "sent_messages.h"

namespace dialogs {
namespace {

using testing::DemoDialog;
using testing::SentMessages;
using testing::Text;

using testing::Dialog;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

TEST(ControlAdd, CalculatorKindsBecomeTheirWindows) {
  Dialog dialog(DemoDialog());
  struct Case {
    int id;
    const wchar_t* className;
    DWORD style, extendedClientEdge;
  } const cases[] = {
      {testing::kLabelId, L"Static", 0x50000000, 0},
      {testing::kEditId, L"Edit", 0x50010080, WS_EX_CLIENTEDGE},
      {testing::kButtonId, L"Button", 0x50010000, 0},
      {testing::kPickerId, L"SysDateTimePick32", 0x50010004, 0},
  };
  for (const auto& c : cases) {
    const HWND control = dialog.Control(c.id);
    ASSERT_NE(control, nullptr) << c.id;
    EXPECT_EQ(_wcsicmp(ClassOf(control).c_str(), c.className), 0) << c.id;
    // The edit and picker classes draw their own borders, so the record tells what was asked.
    WindowRecord asked;
    ASSERT_TRUE(FindRecord(control, &asked));
    EXPECT_EQ(asked.style, c.style) << c.id;
    EXPECT_EQ(asked.extendedStyle, c.extendedClientEdge) << c.id;
    if (c.id == testing::kLabelId || c.id == testing::kButtonId) {
      EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)), c.style) << c.id;
      EXPECT_EQ(GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << c.id;
    }
    EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0),
              SendMessageW(dialog.window, WM_GETFONT, 0, 0))
        << c.id;
    WindowRecord record;
    ASSERT_TRUE(FindRecord(control, &record));
    EXPECT_EQ(record.flags, 0x20000001u);
    EXPECT_EQ(record.parent, dialog.window);
    EXPECT_EQ(record.textColour, -3);
  }
  WindowRecord edit;
  FindRecord(dialog.Control(testing::kEditId), &edit);
  EXPECT_EQ(edit.kind, 9);
  EXPECT_EQ(edit.style, 0x50010080u);
  EXPECT_EQ(edit.extendedStyle, static_cast<std::uint32_t>(WS_EX_CLIENTEDGE));
}

TEST(ControlAdd, ExplicitBorderOnATextBoxStaysABorder) {
  Dialog dialog(DemoDialog());
  testing::Add(dialog.window, ControlKind::kTextBox, 400, "", 5, 5, 40, 12,
               WS_CHILD | WS_VISIBLE | WS_BORDER);
  WindowRecord asked;
  ASSERT_TRUE(FindRecord(dialog.Control(400), &asked));
  EXPECT_EQ(asked.style, static_cast<std::uint32_t>(WS_CHILD | WS_VISIBLE | WS_BORDER));
  EXPECT_EQ(asked.extendedStyle, 0u);
}

TEST(ControlAdd, PixelRectangleIsTheMappedEdges) {
  Dialog dialog(DemoDialog());
  RECT left{107, 20, 0, 0}, right{137, 32, 0, 0};
  MapDialogRect(dialog.window, &left);
  MapDialogRect(dialog.window, &right);
  RECT placed{};
  const HWND button = dialog.Control(testing::kButtonId);
  GetWindowRect(button, &placed);
  MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, left.left);
  EXPECT_EQ(placed.top, left.top);
  EXPECT_EQ(placed.right - placed.left, right.left - left.left);
  EXPECT_EQ(placed.bottom - placed.top, right.top - left.top);
}

TEST(ControlAdd, AFailedControlIsSimplyMissing) {
  Dialog dialog(DemoDialog());
  const std::size_t before = RecordCount();
  testing::Add(dialog.window, ControlKind::kClassByName, 500, "", 0, 0, 10, 10, 0x50000000, nullptr,
               "NoSuchClass");
  testing::Add(dialog.window, static_cast<ControlKind>(40), 501, "", 0, 0, 10, 10);
  EXPECT_EQ(dialog.Control(500), nullptr);
  EXPECT_EQ(dialog.Control(501), nullptr);
  EXPECT_EQ(RecordCount(), before);
}

// A toolbar is told the size of the button records it will be given (TB_BUTTONSTRUCTSIZE,
// never TB_GETBUTTON), in this program's own width.
TEST(ControlAdd, AToolbarIsToldTheSizeOfItsButtonRecords) {
  Dialog dialog(DemoDialog());
  SentMessages sent;
  ASSERT_TRUE(sent.Hooked());
  testing::Add(dialog.window, ControlKind::kToolbar, 700, "", 0, 0, 100, 14);
  const HWND toolbar = dialog.Control(700);
  ASSERT_NE(toolbar, nullptr);
  const auto sizes = sent.To(toolbar, TB_BUTTONSTRUCTSIZE);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].wParam, sizeof(TBBUTTON));
  EXPECT_EQ(sizes[0].lParam, 0);
  EXPECT_TRUE(sent.To(toolbar, TB_GETBUTTON).empty());
}

TEST(ControlText, ExactLengthAndRoundTripThroughTheCodePage) {
  Dialog dialog(DemoDialog());
  const HWND edit = dialog.Control(testing::kEditId);
  EXPECT_TRUE(ControlGetText(edit).IsEmpty());
  ControlSetText(edit, Text("123"));
  EXPECT_EQ(ControlGetText(edit).View(), u"123");
  ControlSetText(edit, Text("1 a\xF1o"));
  EXPECT_EQ(ControlGetText(edit).View(), u"1 a\u00F1o");
  ControlSetText(edit, Text(""));
  EXPECT_EQ(ControlGetText(edit).Length(), 0u);
  EXPECT_TRUE(ControlGetText(nullptr).IsEmpty());
  EXPECT_EQ(ControlHandle(dialog.window, 9999), nullptr);
}

// Asks the toolkit's dialog procedure for a control's colours on a memory device context.
struct ColourAnswer {
  HBRUSH brush;
  COLORREF text, back;
  int mode;
};
ColourAnswer Ask(HWND dialog, HWND control, UINT message = WM_CTLCOLORSTATIC) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  const auto brush = reinterpret_cast<HBRUSH>(
      DialogProc(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  ColourAnswer answer{brush, GetTextColor(dc), GetBkColor(dc), GetBkMode(dc)};
  DeleteDC(dc);
  return answer;
}

TEST(ControlColour, BandPaintsWhiteOnBlackAndOthersAreDeclined) {
  Dialog dialog(DemoDialog());
  ControlSetColor(dialog.window, testing::kBandId, 0xFFFFFF, 0x000000);
  const ColourAnswer band = Ask(dialog.window, dialog.Control(testing::kBandId));
  ASSERT_NE(band.brush, nullptr);
  EXPECT_EQ(band.text, RGB(255, 255, 255));
  EXPECT_EQ(band.back, RGB(0, 0, 0));
  LOGBRUSH log{};
  GetObjectW(band.brush, sizeof log, &log);
  EXPECT_EQ(log.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(log.lbColor, RGB(0, 0, 0));

  const ColourAnswer label = Ask(dialog.window, dialog.Control(testing::kLabelId));
  EXPECT_EQ(label.brush, nullptr);
  EXPECT_EQ(label.text, RGB(1, 2, 3)) << "declined: the device context is untouched";
  EXPECT_EQ(Ask(dialog.window, GetDesktopWindow()).brush, nullptr) << "no record";
}

TEST(ControlColour, SystemAndTransparentColours) {
  Dialog dialog(DemoDialog());
  const HWND label = dialog.Control(testing::kLabelId);
  ControlSetColor(dialog.window, testing::kLabelId, -5, -1);
  WindowRecord record;
  FindRecord(label, &record);
  EXPECT_EQ(record.textColour, -1);
  EXPECT_EQ(record.backColour, -1);
  const ColourAnswer system = Ask(dialog.window, label, WM_CTLCOLORBTN);
  EXPECT_EQ(system.text, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(system.back, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(system.brush, GetSysColorBrush(COLOR_BTNFACE));

  ControlSetColor(dialog.window, testing::kLabelId, 0x0000FF, -2);
  const ColourAnswer clear = Ask(dialog.window, label);
  EXPECT_EQ(clear.mode, TRANSPARENT);
  EXPECT_EQ(clear.text, RGB(255, 0, 0));
  EXPECT_EQ(clear.brush, GetStockObject(NULL_BRUSH));

  ControlSetColor(dialog.window, kDialogItself, 0x123456, 0x7F00FF00);
  const ColourAnswer own = Ask(dialog.window, dialog.window, WM_CTLCOLORDLG);
  EXPECT_EQ(own.back, RGB(0, 255, 0)) << "masked to 24 bits";
}

bool IsBrush(HBRUSH brush) {
  return GetObjectType(brush) == OBJ_BRUSH;
}

TEST(ControlColour, SameBackgroundSharesABrushThatLivesUntilItsLastUser) {
  const std::size_t records = RecordCount();
  const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  Dialog first(DemoDialog());
  Dialog second(DemoDialog());
  ControlSetColor(first.window, testing::kBandId, 0xFFFFFF, 0x000000);
  ControlSetColor(first.window, testing::kLabelId, 0x00FF00, 0x000000);
  ControlSetColor(second.window, testing::kBandId, 0xFFFFFF, 0x000000);
  ControlSetColor(second.window, testing::kLabelId, 0xFFFFFF, 0x0000FF);
  const HBRUSH black = Ask(first.window, first.Control(testing::kBandId)).brush;
  EXPECT_EQ(Ask(first.window, first.Control(testing::kLabelId)).brush, black);
  EXPECT_EQ(Ask(second.window, second.Control(testing::kBandId)).brush, black);
  const HBRUSH red = Ask(second.window, second.Control(testing::kLabelId)).brush;
  EXPECT_NE(red, black);

  // Recolouring one user neither deletes the shared brush nor keeps an unused one.
  ControlSetColor(first.window, testing::kLabelId, 0x00FF00, 0x0000FF);
  EXPECT_EQ(Ask(first.window, first.Control(testing::kLabelId)).brush, red);
  EXPECT_TRUE(IsBrush(black));

  DestroyWindow(first.window);
  EXPECT_TRUE(IsBrush(black)) << "the second dialog still paints with it";
  EXPECT_TRUE(IsBrush(red));
  DestroyWindow(second.window);
  EXPECT_FALSE(IsBrush(black));
  EXPECT_FALSE(IsBrush(red));
  EXPECT_EQ(RecordCount(), records);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}

}  // namespace
}  // namespace dialogs
