#include "platform/message_box.h"

namespace platform {

// Without a window system a box can only go to the hook; unhooked it is not shown (0).
int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type) {
  const MessageBoxHook hook = messageBoxHook.load();
  return hook != nullptr ? hook({owner, text, caption, nullptr, nullptr, type}) : 0;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  const MessageBoxHook hook = messageBoxHook.load();
  return hook != nullptr ? hook({owner, nullptr, nullptr, text, caption, type}) : 0;
}

}  // namespace platform
