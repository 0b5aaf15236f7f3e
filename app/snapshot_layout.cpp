#include "app/snapshot_layout.h"

#include <cstddef>

namespace app {

namespace {

template <std::size_t N>
void Put16(std::array<std::uint8_t, N>& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

template <std::size_t N>
void Put32(std::array<std::uint8_t, N>& out, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::uint16_t kBitsPerPixel = 24;

}  // namespace

CaptureRect CaptureRectAround(std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height) {
  return {x - 1, y - 1, x + width, y + height + 1};
}

std::uint32_t RowStride(std::int32_t width) {
  if (width <= 0) return 0;
  return (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
}

// Built from the reported stride, not a recomputed one: the rows are copied as they lie.
std::uint32_t PixelBytes(const BitmapMetrics& metrics) {
  if (metrics.stride <= 0 || metrics.height <= 0) return 0;
  return static_cast<std::uint32_t>(metrics.stride) * static_cast<std::uint32_t>(metrics.height);
}

FileHeader BuildFileHeader(const BitmapMetrics& metrics) {
  FileHeader header{};
  header[0] = 'B';
  header[1] = 'M';
  Put32(header, 2, PixelBytes(metrics) + kPixelDataOffset);
  Put32(header, 10, kPixelDataOffset);
  return header;
}

InfoHeader BuildInfoHeader(std::int32_t width, std::int32_t height, std::uint32_t imageSize) {
  InfoHeader header{};
  Put32(header, 0, kInfoHeaderSize);
  Put32(header, 4, static_cast<std::uint32_t>(width));
  Put32(header, 8, static_cast<std::uint32_t>(height));  // positive: rows run bottom-up
  Put16(header, 12, 1);
  Put16(header, 14, kBitsPerPixel);
  Put32(header, 20, imageSize);  // compression (16) stays BI_RGB, 0
  return header;
}

InfoHeader BuildInfoHeader(const BitmapMetrics& metrics) {
  return BuildInfoHeader(metrics.width, metrics.height, PixelBytes(metrics));
}

}  // namespace app
