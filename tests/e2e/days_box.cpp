#include "days_box.h"

#include "scenarios.h"
#include "support/health.h"
#include "support/remote.h"

namespace e2e {

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

void TypeIntoDaysBox(const Calculator& c, const wchar_t* text) {
  SendMessageW(c.Item(kDayCountEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool TypeKeys(const Calculator& c, const std::wstring& keys, const std::wstring& shownLast) {
  HWND box = c.Item(kDayCountEdit);
  for (wchar_t unit : keys) PostMessageW(box, WM_CHAR, static_cast<WPARAM>(unit), 1);
  bool shown = false;
  WaitFor(
      [&] {
        if (!IsRunning(c)) return true;  // nothing more will arrive
        shown = EndsWith(WindowText(box), shownLast);
        return shown;
      },
      5000);
  return shown;
}

}  // namespace e2e
