// What the window shows after the user's actions: the interval line, the day total, the final
// date moved by the number-of-days box, and the date-order message.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "days_box.h"
#include "scenarios.h"
#include "support/remote.h"
#include "support/tally.h"

namespace e2e {

namespace {

std::wstring Interval(int years, int months, int days) {
  return std::to_wstring(years) + L" a\u00F1os " + std::to_wstring(months) + L" meses " +
         std::to_wstring(days) + L" dias";
}

bool SetDates(const Calculator& c, SYSTEMTIME base, SYSTEMTIME final) {
  return SetPickerDate(c.Handle(), c.Item(kBaseDatePicker), base.wYear, base.wMonth, base.wDay) &&
         SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), final.wYear, final.wMonth, final.wDay);
}

HWND WaitForOrderMessage(const Calculator& c) {
  HWND box = nullptr;
  WaitFor([&] {
    box = FindProcessWindow(c.process.dwProcessId, L"#32770", kDateOrderTitle);
    return box != nullptr;
  });
  return box;
}

void CloseMessageBox(HWND box) {
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitFor([&] { return !IsWindow(box); });
}

void Click(const Calculator& c, int id) {
  SendMessageW(c.Item(id), BM_CLICK, 0, 0);
}

}  // namespace

void CheckInitialState(const Calculator& c) {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  SYSTEMTIME base = PickerDate(c.Handle(), c.Item(kBaseDatePicker));
  SYSTEMTIME final = PickerDate(c.Handle(), c.Item(kFinalDatePicker));
  Check(SameDate(base, today) && SameDate(final, today), "both pickers start at today", "%s %s",
        DateName(base).c_str(), DateName(final).c_str());
  Check(WindowText(c.Item(kDayCountEdit)).empty() && WindowText(c.Item(kTotalDaysEdit)).empty() &&
            WindowText(c.Item(kTotalTimeText)).empty(),
        "boxes and result band start empty");
  // The picker's text is what it displays, where the platform reports it.
  SetPickerDate(c.Handle(), c.Item(kBaseDatePicker), 2024, 3, 5);
  std::wstring shown = WindowText(c.Item(kBaseDatePicker));
  if (shown.empty()) {
    Skip("pickers show dd/MM/yyyy", "this platform's picker reports no window text");
  } else {
    Check(shown == L"05/03/2024", "pickers show dd/MM/yyyy", "'%ls'", shown.c_str());
  }
}

void CheckWorkedIntervals(const Calculator& c) {
  struct Case {
    SYSTEMTIME base, final;
    int years, months, days;
  } cases[] = {
      {MakeDate(2021, 3, 10), MakeDate(2021, 3, 10), 0, 0, 0},
      {MakeDate(2021, 6, 5), MakeDate(2022, 6, 5), 1, 0, 0},
      {MakeDate(2020, 12, 31), MakeDate(2021, 1, 1), 0, 0, 1},
      {MakeDate(2020, 11, 15), MakeDate(2021, 2, 20), 0, 3, 5},
      {MakeDate(2020, 11, 20), MakeDate(2021, 2, 15), 0, 2, 26},
      {MakeDate(2020, 1, 20), MakeDate(2021, 1, 15), 0, 11, 26},
      {MakeDate(2020, 1, 15), MakeDate(2021, 4, 10), 1, 2, 26},
      {MakeDate(2020, 2, 29), MakeDate(2021, 2, 28), 0, 11, 30},
      {MakeDate(2021, 1, 10), MakeDate(2021, 3, 5), 0, 1, 23},
      {MakeDate(2021, 1, 31), MakeDate(2021, 2, 28), 0, 0, 28},
  };
  for (const Case& k : cases) {
    std::string name = "Tiempo total " + DateName(k.base) + " -> " + DateName(k.final);
    if (!Check(SetDates(c, k.base, k.final), (name + ": dates set").c_str())) continue;
    Click(c, kTotalTimeButton);
    std::wstring shown = WindowText(c.Item(kTotalTimeText));
    Check(shown == Interval(k.years, k.months, k.days), name.c_str(), "'%s'",
          Narrow(shown).c_str());
    Check(FindProcessWindow(c.process.dwProcessId, L"#32770", kDateOrderTitle) == nullptr,
          (name + ": no message").c_str());
  }
}

void CheckDateOrderMessage(const Calculator& c) {
  struct Case {
    SYSTEMTIME base, final;
  } cases[] = {
      {MakeDate(2021, 3, 15), MakeDate(2021, 3, 10)},
      {MakeDate(2021, 5, 10), MakeDate(2021, 3, 20)},
      {MakeDate(2022, 1, 1), MakeDate(2021, 12, 31)},
  };
  for (const Case& k : cases) {
    std::string name = "date order " + DateName(k.base) + " -> " + DateName(k.final);
    SetDates(c, MakeDate(2020, 1, 1), MakeDate(2021, 2, 3));
    Click(c, kTotalTimeButton);  // leaves a non-zero line, so the zeros are seen to arrive
    SetDates(c, k.base, k.final);
    PostMessageW(c.Item(kTotalTimeButton), BM_CLICK, 0, 0);
    HWND box = WaitForOrderMessage(c);
    if (!Check(box != nullptr, (name + ": message shown").c_str())) continue;
    Check(WindowText(box) == kDateOrderTitle, (name + ": title").c_str());
    std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    Check(text == kDateOrderText, (name + ": two lines").c_str(), "'%s'", Narrow(text).c_str());
    Check(GetWindow(box, GW_OWNER) == nullptr, (name + ": box has no owner").c_str());
    // The box owns nothing, so the calculator still answers meanwhile.
    SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), 2021, 5, 1);
    Check(IsWindowEnabled(c.window) != 0, (name + ": window stays usable").c_str());
    SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), k.final.wYear, k.final.wMonth,
                  k.final.wDay);
    CloseMessageBox(box);
    bool zeros = WaitFor([&] { return WindowText(c.Item(kTotalTimeText)) == Interval(0, 0, 0); });
    Check(zeros, (name + ": zeros after the message").c_str(), "'%s'",
          Narrow(WindowText(c.Item(kTotalTimeText))).c_str());
  }
}

void CheckDayTotals(const Calculator& c) {
  struct Case {
    SYSTEMTIME base, final;
  } cases[] = {
      {MakeDate(2021, 1, 1), MakeDate(2022, 3, 28)},
      {MakeDate(2022, 3, 28), MakeDate(2021, 1, 1)},  // final first: still positive, no message
      {MakeDate(2020, 2, 28), MakeDate(2020, 3, 1)},
      {MakeDate(2021, 2, 28), MakeDate(2021, 3, 1)},
      {MakeDate(2000, 2, 28), MakeDate(2000, 3, 1)},
      {MakeDate(2021, 3, 10), MakeDate(2021, 3, 10)},
      {MakeDate(1800, 1, 1), MakeDate(2200, 1, 1)},
      {MakeDate(1753, 1, 1), MakeDate(9999, 12, 30)},
  };
  for (const Case& k : cases) {
    std::string name = "Hay " + DateName(k.base) + " -> " + DateName(k.final);
    if (!Check(SetDates(c, k.base, k.final), (name + ": dates set").c_str(), "picker shows %s %s",
               DateName(PickerDate(c.Handle(), c.Item(kBaseDatePicker))).c_str(),
               DateName(PickerDate(c.Handle(), c.Item(kFinalDatePicker))).c_str())) {
      continue;
    }
    Click(c, kTotalDaysButton);
    long long days = DaysBetween(k.base, k.final);
    std::wstring expected = L" " + std::to_wstring(days < 0 ? -days : days);
    std::wstring shown = WindowText(c.Item(kTotalDaysEdit));
    Check(shown == expected, name.c_str(), "'%s' instead of '%s'", Narrow(shown).c_str(),
          Narrow(expected).c_str());
    Check(FindProcessWindow(c.process.dwProcessId, L"#32770", kDateOrderTitle) == nullptr,
          (name + ": no message").c_str());
  }
}

void CheckResultsStayUntilPressed(const Calculator& c) {
  SetDates(c, MakeDate(2020, 1, 15), MakeDate(2021, 4, 10));
  Click(c, kTotalTimeButton);
  Click(c, kTotalDaysButton);
  std::wstring interval = WindowText(c.Item(kTotalTimeText));
  std::wstring total = WindowText(c.Item(kTotalDaysEdit));
  SetDates(c, MakeDate(2001, 2, 3), MakeDate(2005, 6, 7));
  Check(
      WindowText(c.Item(kTotalTimeText)) == interval && WindowText(c.Item(kTotalDaysEdit)) == total,
      "changing the pickers leaves both results");
  Click(c, kTotalDaysButton);
  Check(WindowText(c.Item(kTotalTimeText)) == interval, "Hay leaves the interval line");
  Check(WindowText(c.Item(kTotalDaysEdit)) != total, "Hay recomputes the day total");
}

void CheckNumberOfDaysBox(const Calculator& c) {
  struct Case {
    const wchar_t* typed;
    long long days;  // from the base date
  } cases[] = {
      {L"10", 10},         {L"", 0},           {L"2.5", 2},        {L"3.5", 4},
      {L"-7", -7},         {L"abc", 0},        {L" 12abc", 12},    {L"&H10", 16},
      {L"1e2", 100},       {L"-0.5", 0},       {L"4294967297", 0}, {L"4294967306", 0},
      {L"-4294967295", 0}, {L"2147483648", 0}, {L"1e30", 0},       {L"36500", 36500},
  };
  SetDates(c, MakeDate(2021, 3, 1), MakeDate(2021, 3, 1));
  Click(c, kTotalTimeButton);
  Click(c, kTotalDaysButton);
  std::wstring interval = WindowText(c.Item(kTotalTimeText));
  std::wstring total = WindowText(c.Item(kTotalDaysEdit));
  SYSTEMTIME base = PickerDate(c.Handle(), c.Item(kBaseDatePicker));
  for (const Case& k : cases) {
    std::string name = "number of days '" + Narrow(k.typed) + "'";
    SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), 1999, 9, 9);  // a date none of them gives
    TypeIntoDaysBox(c, k.typed);
    SYSTEMTIME final = PickerDate(c.Handle(), c.Item(kFinalDatePicker));
    SYSTEMTIME expected = AddDaysTo(base, k.days);
    Check(SameDate(final, expected), name.c_str(), "final %s, expected %s", DateName(final).c_str(),
          DateName(expected).c_str());
    Check(final.wHour == base.wHour && final.wMinute == base.wMinute,
          (name + ": time of day of the base").c_str());
  }
  Check(
      WindowText(c.Item(kTotalTimeText)) == interval && WindowText(c.Item(kTotalDaysEdit)) == total,
      "the box leaves both results alone");

  // A typed key counts as well, and so does the focus arriving in the box.
  TypeIntoDaysBox(c, L"1");
  SendMessageW(c.Item(kDayCountEdit), EM_SETSEL, 1, 1);
  SendMessageW(c.Item(kDayCountEdit), WM_CHAR, L'5', 1);
  Check(SameDate(PickerDate(c.Handle(), c.Item(kFinalDatePicker)), AddDaysTo(base, 15)),
        "typing a digit moves the final date");

  SetPickerDate(c.Handle(), c.Item(kBaseDatePicker), 2021, 6, 1);
  Check(SameDate(PickerDate(c.Handle(), c.Item(kFinalDatePicker)), AddDaysTo(base, 15)),
        "a new base date does not move the final date by itself");
  TypeIntoDaysBox(c, L"");
  SendMessageW(c.Item(kDayCountEdit), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(c.Item(kDayCountEdit), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  Check(SameDate(PickerDate(c.Handle(), c.Item(kFinalDatePicker)), MakeDate(2021, 6, 1)),
        "the empty box sets the final date to the base date");
}

void CheckDropDownCalendar(const Calculator& c) {
  for (int id : {kBaseDatePicker, kFinalDatePicker}) {
    std::string name = id == kBaseDatePicker ? "base" : "final";
    // A click on the arrow opens the calendar on every platform; when it does not, the window
    // is at fault, and nothing after this can be checked.
    HWND calendar = DropDownCalendar(c.Item(id));
    const bool opened = calendar != nullptr && IsWindowVisible(calendar);
    if (!Check(opened, (name + " drop-down calendar opens from a click on its arrow").c_str(),
               "no visible calendar 5 s after the click")) {
      continue;
    }
    auto todayWidth = static_cast<LONG>(SendMessageW(calendar, MCM_GETMAXTODAYWIDTH, 0, 0));
    RECT client{};
    GetClientRect(calendar, &client);
    Check(client.right >= todayWidth,
          (name + " drop-down calendar as wide as its today line").c_str(), "%ld < %ld",
          client.right, todayWidth);
    RECT needed{};
    RemoteBuffer remote(c.Handle(), sizeof needed);
    remote.Write(&needed, sizeof needed);
    SendMessageW(calendar, MCM_GETMINREQRECT, 0, remote.address());
    remote.Read(&needed, sizeof needed);
    Check(client.bottom >= needed.bottom - needed.top,
          (name + " drop-down calendar shows a whole month").c_str(), "%ld < %ld", client.bottom,
          needed.bottom - needed.top);
    PostMessageW(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return !IsWindowVisible(calendar); }, 5000);
    if (IsWindowVisible(calendar)) ShowWindow(calendar, SW_HIDE);
  }
}

void CheckEnterAndEscKeepWindow(const Calculator& c) {
  for (WPARAM key : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_ESCAPE)}) {
    std::string name =
        key == VK_RETURN ? "Enter leaves the window open" : "Esc leaves the window open";
    SetDates(c, MakeDate(2021, 1, 1), MakeDate(2021, 1, 1 + (key == VK_RETURN ? 5 : 9)));
    TypeIntoDaysBox(c, key == VK_RETURN ? L"5" : L"9");
    SendMessageW(c.Item(kTotalDaysEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    // The key reaches the dialog manager through the queue; a click posted after it shows
    // when the key has been handled.
    PostMessageW(c.Item(kDayCountEdit), WM_KEYDOWN, key, 1);
    PostMessageW(c.Item(kDayCountEdit), WM_KEYUP, key, 0xC0000001);
    PostMessageW(c.Item(kTotalDaysButton), BM_CLICK, 0, 0);
    bool handled = WaitFor([&] { return !WindowText(c.Item(kTotalDaysEdit)).empty(); }, 5000);
    Check(handled && IsWindow(c.window) && IsWindowVisible(c.window), name.c_str());
  }
}

namespace {

// Times `action` then the read of the band's text, over `count` runs; prints percentiles.
template <typename Action>
void TimeToResult(const Calculator& c, const char* what, int count, Action action) {
  std::vector<double> times;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < count; ++i) {
    SendMessageW(c.Item(kTotalTimeText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    QueryPerformanceCounter(&start);
    action();
    std::wstring shown = WindowText(c.Item(kTotalTimeText));
    QueryPerformanceCounter(&end);
    if (shown.empty()) continue;
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    frequency.QuadPart);
  }
  if (times.empty()) {
    std::printf("%s: no result text seen\n", what);
    return;
  }
  std::sort(times.begin(), times.end());
  auto at = [&](double q) { return times[static_cast<std::size_t>(q * (times.size() - 1))]; };
  std::printf("%s over %zu runs: median %.3f ms, p99 %.3f ms, max %.3f ms\n", what, times.size(),
              at(0.5), at(0.99), times.back());
}

}  // namespace

void MeasureClickToResult(const Calculator& c, int clicks) {
  SetDates(c, MakeDate(2020, 1, 15), MakeDate(2021, 4, 10));
  TimeToResult(c, "click-to-result (BM_CLICK, then read)", clicks,
               [&] { Click(c, kTotalTimeButton); });
  // The same command without the button's mouse handling (focus, capture, repaint).
  TimeToResult(c, "command-to-result (WM_COMMAND 311, then read)", clicks, [&] {
    SendMessageW(c.window, WM_COMMAND, kTotalTimeButton,
                 reinterpret_cast<LPARAM>(c.Item(kTotalTimeButton)));
  });
  // The floor of any cross-process measurement: two round trips to the window's thread.
  TimeToResult(c, "round trip floor (WM_NULL, then read)", clicks, [&] {
    SendMessageW(c.Item(kTotalTimeText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
  });
}

}  // namespace e2e
