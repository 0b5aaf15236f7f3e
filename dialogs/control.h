#pragma once
// Child controls of a toolkit dialog.

#include <cstdint>
#include <span>

#include "dialogs/callback.h"
#include "dialogs/control_kind.h"
#include "platform/win_types.h"
#include "runtime/dyn_string.h"
#include "runtime/wide_string.h"

namespace dialogs {

// Colours are 0x00BBGGRR, or one of these.
inline constexpr std::int32_t kSystemColour = -1;
inline constexpr std::int32_t kTransparent = -2;  // backgrounds only
inline constexpr std::int32_t kColourNotSet = -3;

// Adds a control to `dialog`, positioned in the dialog's units. Style 0 takes the kind's
// default; kClassByName uses `className` and the styles exactly as given. Texts are 8-bit.
// `items` are initial entries for list and combo boxes. A dialog without a record gets nothing.
void ControlAdd(HWND dialog, std::int32_t id, const runtime::DynString& text,
                std::span<const runtime::DynString> items, std::int32_t x, std::int32_t y,
                std::int32_t width, std::int32_t height, std::uint32_t style,
                std::uint32_t extendedStyle, DialogCallback callback, ControlKind kind,
                const runtime::DynString& className = runtime::DynString());

// The window of control `id` of `dialog`; null if there is none.
HWND ControlHandle(HWND dialog, std::int32_t id);

// The control's window text, UTF-16, exactly as long as the window reports (empty on failure).
runtime::WideString ControlGetText(HWND control);

// Sets the control's window text from 8-bit text.
void ControlSetText(HWND control, const runtime::DynString& text);

// Colours of control `id` (kDialogItself for the dialog); they apply from its next repaint.
void ControlSetColor(HWND dialog, std::int32_t id, std::int32_t textColour,
                     std::int32_t backColour);

}  // namespace dialogs
