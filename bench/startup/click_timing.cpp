// Times the calculator's own work for a button press, inside its process: from the command
// reaching the window's callback to the result text set in the window, over N presses of each
// button. The driver's cross-process figure adds Wine's message delivery to this.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/main_dialog_callback.h"
#include "app/main_window.h"
#include "dialogs/font_record.h"

namespace {

void SetDate(HWND picker, WORD year, WORD month, WORD day) {
  SYSTEMTIME date{};
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  SendMessageW(picker, 0x1002 /* DTM_SETSYSTEMTIME */, 0, reinterpret_cast<LPARAM>(&date));
}

void Time(HWND window, int id, int resultId, int presses) {
  std::vector<double> times;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  HWND result = GetDlgItem(window, resultId);
  for (int i = 0; i < presses; ++i) {
    SetWindowTextW(result, L"");
    QueryPerformanceCounter(&start);
    app::MainDialogCallback({window, WM_COMMAND, static_cast<WPARAM>(id),
                             reinterpret_cast<LPARAM>(GetDlgItem(window, id))});
    wchar_t text[64];
    int length = GetWindowTextW(result, text, 64);
    QueryPerformanceCounter(&end);
    if (length > 0) {
      times.push_back(1e3 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart));
    }
  }
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  std::printf("in-process command %d to result over %zu presses: median %.3f ms, p99 %.3f ms\n", id,
              times.size(), times[times.size() / 2], times[(times.size() - 1) * 99 / 100]);
}

}  // namespace

int main(int argc, char** argv) {
  int presses = argc > 1 ? std::atoi(argv[1]) : 1000;
  dialogs::BuildDefaultFontTable();
  HWND window = app::BuildMainWindow();
  if (window == nullptr) return 1;
  SetDate(GetDlgItem(window, 201), 2020, 1, 15);
  SetDate(GetDlgItem(window, 205), 2021, 4, 10);
  Time(window, 311, 312, presses);
  Time(window, 300, 305, presses);
  DestroyWindow(window);
  return 0;
}
