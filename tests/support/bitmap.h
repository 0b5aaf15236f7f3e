#pragma once
// Reading back the calculator's snapshot file, as any reader of bitmap files would.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "calculator_ids.h"

namespace support {

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

struct Bitmap {
  bool valid = false;   // headers as a 24-bit bottom-up BI_RGB bitmap with nothing after
  std::string problem;  // why not
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t stride = 0;
  std::vector<std::uint8_t> bytes;

  // Pixel (x, y) counted from the top-left of the picture: blue, green, red.
  const std::uint8_t* Pixel(int x, int y) const {
    return bytes.data() + 54 + static_cast<std::size_t>(height - 1 - y) * stride + x * 3;
  }
};

Bitmap ParseBitmap(std::vector<std::uint8_t> bytes);

struct PixelCount {
  int back = 0;  // of the band's background colour
  int text = 0;  // of the band's text colour
  int total = 0;
};

// Pixels of the picture within `screenRect` close to the result band's background and text
// colours (kBandBack, kBandText), where the picture's top-left pixel shows screen point
// `origin`; the rectangle is clipped to the picture.
PixelCount CountPixels(const Bitmap& bitmap, POINT origin, RECT screenRect);

}  // namespace support
