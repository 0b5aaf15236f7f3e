#pragma once
// Conversions between pixels and dialog units given how many pixels 1024 units map to.

#include <cstdint>

namespace dialogs {

inline constexpr std::int32_t kUnitsMapped = 1024;

// p x 1024 / pixelsPer1024, rounded: halves up for a non-negative remainder, down (towards minus
// infinity) for a negative one. 0 when the mapping is unusable (pixelsPer1024 <= 0).
std::int32_t PixelsToUnits(std::int32_t pixels, std::int32_t pixelsPer1024);

// A control's placement from its rectangle mapped to pixels: the width is the mapped right edge
// minus the mapped left edge, not the mapped width.
struct Placement {
  std::int32_t x, y, width, height;
};
Placement PlacementFromMappedRect(std::int32_t left, std::int32_t top, std::int32_t right,
                                  std::int32_t bottom);

}  // namespace dialogs
