#include "bitmap.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace support {

namespace {

template <typename T>
T At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  T value{};
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

Bitmap ParseBitmap(std::vector<std::uint8_t> bytes) {
  Bitmap bitmap;
  bitmap.bytes = std::move(bytes);
  const auto& b = bitmap.bytes;
  auto fail = [&](const char* why) {
    bitmap.problem = why;
    return bitmap;
  };
  if (b.size() < 54) return fail("shorter than the two headers");
  if (b[0] != 'B' || b[1] != 'M') return fail("no BM signature");
  if (At<std::uint32_t>(b, 2) != b.size()) return fail("file size field differs from the size");
  if (At<std::uint32_t>(b, 6) != 0) return fail("reserved fields not 0");
  if (At<std::uint32_t>(b, 10) != 54) return fail("pixel offset not 54");
  if (At<std::uint32_t>(b, 14) != 40) return fail("info header size not 40");
  bitmap.width = At<std::int32_t>(b, 18);
  bitmap.height = At<std::int32_t>(b, 22);
  if (bitmap.width <= 0 || bitmap.height <= 0) return fail("not a positive, bottom-up size");
  if (At<std::uint16_t>(b, 26) != 1 || At<std::uint16_t>(b, 28) != 24) {
    return fail("not one plane of 24 bits");
  }
  if (At<std::uint32_t>(b, 30) != 0) return fail("compressed");
  bitmap.stride = (static_cast<std::uint32_t>(bitmap.width) * 3 + 3) / 4 * 4;
  std::uint32_t image = bitmap.stride * static_cast<std::uint32_t>(bitmap.height);
  if (At<std::uint32_t>(b, 34) != image) return fail("image size not stride x height");
  for (std::size_t offset = 38; offset < 54; offset += 4) {
    if (At<std::uint32_t>(b, offset) != 0) return fail("resolution or colour counts not 0");
  }
  if (b.size() != 54 + image) return fail("file not exactly headers plus rows");
  for (int row = 0; row < bitmap.height; ++row) {
    for (std::uint32_t pad = bitmap.width * 3; pad < bitmap.stride; ++pad) {
      if (b[54 + row * bitmap.stride + pad] != 0) return fail("row padding not 0");
    }
  }
  bitmap.valid = true;
  return bitmap;
}

namespace {

// Within a small distance on each channel: the capture of a solid colour may be dithered.
bool Near(const std::uint8_t* bgr, Rgb colour) {
  constexpr int kSlack = 24;
  return std::abs(bgr[0] - colour.blue) < kSlack && std::abs(bgr[1] - colour.green) < kSlack &&
         std::abs(bgr[2] - colour.red) < kSlack;
}

}  // namespace

PixelCount CountPixels(const Bitmap& bitmap, POINT origin, RECT screenRect) {
  PixelCount count;
  for (LONG sy = screenRect.top; sy < screenRect.bottom; ++sy) {
    for (LONG sx = screenRect.left; sx < screenRect.right; ++sx) {
      int x = sx - origin.x;
      int y = sy - origin.y;
      if (x < 0 || y < 0 || x >= bitmap.width || y >= bitmap.height) continue;
      const std::uint8_t* p = bitmap.Pixel(x, y);
      ++count.total;
      if (Near(p, kBandBack)) ++count.back;
      if (Near(p, kBandText)) ++count.text;
    }
  }
  return count;
}

}  // namespace support
