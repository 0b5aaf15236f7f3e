#pragma once
// The dialog style rules and the in-memory DLGTEMPLATEEX a dialog is created from.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/win_messages.h"

namespace dialogs {

inline constexpr std::uint32_t kDefaultDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;

// The style a dialog is created with, from the caller's style (0 = default).
std::uint32_t DialogStyle(std::uint32_t style, std::int32_t x, std::int32_t y, bool hasParent);

// SW_MAXIMIZE, SW_MINIMIZE or SW_SHOW, from the style.
std::int32_t ShowCommandForStyle(std::uint32_t style);

struct TemplateFont {
  float pointSize;
  std::int32_t weight;
  bool italic;
  std::uint8_t charSet;
  std::u16string_view faceName;  // at most 31 units are used
};

struct TemplateFields {
  std::uint32_t style;  // after DialogStyle
  std::uint32_t extendedStyle;
  std::int32_t x, y, width, height;  // only the low 16 bits are kept
  TemplateFont font;
};

inline constexpr std::size_t kTemplateBufferSize = 512;

// Writes the template into `buffer` (zero-filled first) and returns the bytes used.
std::size_t BuildDialogTemplate(std::span<std::uint8_t, kTemplateBufferSize> buffer,
                                const TemplateFields& fields);

}  // namespace dialogs
