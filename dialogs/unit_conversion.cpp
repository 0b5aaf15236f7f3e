#include "dialogs/unit_conversion.h"

#include <limits>

namespace dialogs {
namespace {

std::int32_t Saturate(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t PixelsToUnits(std::int32_t pixels, std::int32_t pixelsPer1024) {
  if (pixelsPer1024 <= 0) return 0;
  const std::int64_t dividend = std::int64_t{pixels} * kUnitsMapped;
  std::int64_t quotient = dividend / pixelsPer1024;
  const std::int64_t remainder = dividend % pixelsPer1024;
  if (remainder >= 0) {
    if (2 * remainder + 1 > pixelsPer1024) ++quotient;
  } else {
    --quotient;
  }
  return Saturate(quotient);
}

Placement PlacementFromMappedRect(std::int32_t left, std::int32_t top, std::int32_t right,
                                  std::int32_t bottom) {
  return {left, top, Saturate(std::int64_t{right} - left), Saturate(std::int64_t{bottom} - top)};
}

}  // namespace dialogs
