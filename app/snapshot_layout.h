#pragma once
// The window snapshot's plain logic: which screen rectangle is captured and the two headers of
// the 24-bit bitmap file built from the metrics the created bitmap reports.

#include <array>
#include <cstdint>

namespace app {

// Screen pixels; right and bottom are exclusive.
struct CaptureRect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
};

// One extra column on the left and one extra row above and below the window's outer rectangle.
CaptureRect CaptureRectAround(std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height);

// What GetObject reports of the created bitmap; all zero when it could not be created.
struct BitmapMetrics {
  std::int32_t width;
  std::int32_t height;
  std::int32_t stride;  // bytes per row, padded to a multiple of 4
  const std::uint8_t* bits;
};

inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kPixelDataOffset = kFileHeaderSize + kInfoHeaderSize;

// Bytes of one row of a 24-bit bitmap `width` pixels wide.
std::uint32_t RowStride(std::int32_t width);
// Bytes of the pixel rows; 0 for a bitmap that reports no rows.
std::uint32_t PixelBytes(const BitmapMetrics& metrics);

using FileHeader = std::array<std::uint8_t, kFileHeaderSize>;
using InfoHeader = std::array<std::uint8_t, kInfoHeaderSize>;

FileHeader BuildFileHeader(const BitmapMetrics& metrics);
// A bottom-up, uncompressed 24-bit BITMAPINFOHEADER; `imageSize` 0 leaves the field unset, as
// the description handed to the bitmap creation wants it.
InfoHeader BuildInfoHeader(std::int32_t width, std::int32_t height, std::uint32_t imageSize);
InfoHeader BuildInfoHeader(const BitmapMetrics& metrics);

}  // namespace app
