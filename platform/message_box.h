#pragma once
// Message boxes. A hook, when set, receives every box instead of the window system: the
// native build has no window system, and tests use it to see exactly what would be shown.

#include <atomic>

#include "platform/win_types.h"

PLATFORM_WINDOWS_CONSTANT(UINT, MB_OK, 0x00000000)
PLATFORM_WINDOWS_CONSTANT(UINT, MB_ICONERROR, 0x00000010)
PLATFORM_WINDOWS_CONSTANT(UINT, MB_ICONSTOP, MB_ICONERROR)
PLATFORM_WINDOWS_CONSTANT(UINT, MB_TASKMODAL, 0x00002000)
PLATFORM_WINDOWS_CONSTANT(UINT, MB_SETFOREGROUND, 0x00010000)
PLATFORM_WINDOWS_CONSTANT(int, IDOK, 1)

namespace platform {

// Shows a box and returns the button chosen (IDOK...), or 0 when no box could be shown.
int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// One box as asked for: the UTF-16 pair from MessageBoxW, or the 8-bit pair from MessageBoxA
// (the other pair null).
struct MessageBoxCall {
  HWND owner;
  const char16_t* text;
  const char16_t* caption;
  const char* narrowText;
  const char* narrowCaption;
  UINT type;
};

// Returns what the box returns.
using MessageBoxHook = int (*)(const MessageBoxCall& call);

inline std::atomic<MessageBoxHook> messageBoxHook{nullptr};

// Routes every later box to `hook` (null: back to the window system); returns the old hook.
inline MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  return messageBoxHook.exchange(hook);
}

}  // namespace platform
