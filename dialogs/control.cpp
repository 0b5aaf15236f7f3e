#include <algorithm>

#include "dialogs/control.h"
#include "platform/window.h"

namespace dialogs {

HWND ControlHandle(HWND dialog, std::int32_t id) {
  return platform::GetDlgItem(dialog, id);
}

runtime::WideString ControlGetText(HWND control) {
  const int length = platform::GetWindowTextLengthW(control);
  if (length <= 0) return {};
  // One more unit for the terminator GetWindowTextW always writes.
  runtime::WideString buffer =
      runtime::WideString::Allocate(static_cast<std::uint32_t>(length) + 1);
  if (buffer.IsEmpty()) return {};
  const int copied = platform::GetWindowTextW(control, buffer.MutableText(), length + 1);
  const auto kept = static_cast<std::size_t>(std::clamp(copied, 0, length));
  return runtime::WideString::Copy(buffer.View().substr(0, kept));
}

void ControlSetText(HWND control, const runtime::DynString& text) {
  const runtime::WideString wide = runtime::WidenText(text.View());
  platform::SetWindowTextW(control, wide.Text());
}

}  // namespace dialogs
