#include "platform/message_box.h"

#include <windows.h>

#include "platform/win/call.h"

namespace platform {

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type) {
  if (const MessageBoxHook hook = messageBoxHook.load()) {
    return hook({owner, text, caption, nullptr, nullptr, type});
  }
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return AfterCall(::MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text),
                                 reinterpret_cast<const wchar_t*>(caption), type));
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  if (const MessageBoxHook hook = messageBoxHook.load()) {
    return hook({owner, nullptr, nullptr, text, caption, type});
  }
  return AfterCall(::MessageBoxA(owner, text, caption, type));
}

}  // namespace platform
