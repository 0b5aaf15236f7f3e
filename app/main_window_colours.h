#pragma once
// The colours of the calculator window's result band under "Tiempo total": white text on black.
// A colour is 0x00BBGGRR, blue in the high byte and red in the low one (COLORREF's order, the
// order dialogs::ControlSetColor takes): pure red is 0x0000FF, pure blue 0xFF0000.

#include <cstdint>

namespace app {

inline constexpr std::int32_t kBandTextColour = 0xFFFFFF;  // white
inline constexpr std::int32_t kBandBackColour = 0x000000;  // black

}  // namespace app
