#include "app/snapshot_layout.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using app::BitmapMetrics;

// The file's two headers as a reader of bitmap files sees them, field by field at their offsets.
struct BitmapFileHeaders {
  char signature[2];
  std::uint32_t fileSize;
  std::uint16_t reserved1, reserved2;
  std::uint32_t pixelOffset;
  std::uint32_t infoSize;
  std::int32_t width, height;
  std::uint16_t planes, bitsPerPixel;
  std::uint32_t compression, imageSize;
  std::int32_t xPerMeter, yPerMeter;
  std::uint32_t coloursUsed, coloursImportant;
};

template <typename T>
T At(const std::uint8_t* bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes + offset, sizeof value);  // x86 is little-endian, as the file is
  return value;
}

BitmapFileHeaders DecodeBytes(const std::uint8_t* b) {
  BitmapFileHeaders h;
  h.signature[0] = static_cast<char>(b[0]);
  h.signature[1] = static_cast<char>(b[1]);
  h.fileSize = At<std::uint32_t>(b, 2);
  h.reserved1 = At<std::uint16_t>(b, 6);
  h.reserved2 = At<std::uint16_t>(b, 8);
  h.pixelOffset = At<std::uint32_t>(b, 10);
  h.infoSize = At<std::uint32_t>(b, 14);
  h.width = At<std::int32_t>(b, 18);
  h.height = At<std::int32_t>(b, 22);
  h.planes = At<std::uint16_t>(b, 26);
  h.bitsPerPixel = At<std::uint16_t>(b, 28);
  h.compression = At<std::uint32_t>(b, 30);
  h.imageSize = At<std::uint32_t>(b, 34);
  h.xPerMeter = At<std::int32_t>(b, 38);
  h.yPerMeter = At<std::int32_t>(b, 42);
  h.coloursUsed = At<std::uint32_t>(b, 46);
  h.coloursImportant = At<std::uint32_t>(b, 50);
  return h;
}

BitmapFileHeaders Decode(const BitmapMetrics& metrics) {
  auto file = app::BuildFileHeader(metrics);
  auto info = app::BuildInfoHeader(metrics);
  std::uint8_t bytes[54];
  std::memcpy(bytes, file.data(), file.size());
  std::memcpy(bytes + file.size(), info.data(), info.size());
  return DecodeBytes(bytes);
}

TEST(CaptureRect, TakesOneColumnLeftAndOneRowAboveAndBelow) {
  struct Case {
    int x, y, w, h;
    int left, top, right, bottom;
  } cases[] = {
      {100, 50, 320, 240, 99, 49, 420, 291},
      {0, 0, 1, 1, -1, -1, 1, 2},
      {-8, -30, 400, 200, -9, -31, 392, 171},
  };
  for (const auto& c : cases) {
    auto rect = app::CaptureRectAround(c.x, c.y, c.w, c.h);
    EXPECT_EQ(rect.left, c.left);
    EXPECT_EQ(rect.top, c.top);
    EXPECT_EQ(rect.right, c.right);
    EXPECT_EQ(rect.bottom, c.bottom);
    EXPECT_EQ(rect.Width(), c.w + 1);
    EXPECT_EQ(rect.Height(), c.h + 2);
  }
}

TEST(RowStride, IsThreeBytesAPixelPaddedToFour) {
  for (int width = 1; width <= 2000; ++width) {
    auto stride = app::RowStride(width);
    EXPECT_EQ(stride % 4, 0u) << width;
    EXPECT_GE(stride, 3u * width) << width;
    EXPECT_LT(stride, 3u * width + 4) << width;
  }
  EXPECT_EQ(app::RowStride(321), 964u);
  EXPECT_EQ(app::RowStride(324), 972u);  // no padding
  EXPECT_EQ(app::RowStride(0), 0u);
  EXPECT_EQ(app::RowStride(-5), 0u);
}

TEST(BitmapHeaders, WorkedWindowOf320By240) {
  auto rect = app::CaptureRectAround(100, 50, 320, 240);
  BitmapMetrics metrics{rect.Width(), rect.Height(),
                        static_cast<std::int32_t>(app::RowStride(rect.Width())), nullptr};
  auto headers = Decode(metrics);
  EXPECT_EQ(std::string(headers.signature, 2), "BM");
  EXPECT_EQ(headers.fileSize, 233342u);
  EXPECT_EQ(headers.reserved1, 0);
  EXPECT_EQ(headers.reserved2, 0);
  EXPECT_EQ(headers.pixelOffset, 54u);
  EXPECT_EQ(headers.infoSize, 40u);
  EXPECT_EQ(headers.width, 321);
  EXPECT_EQ(headers.height, 242);
  EXPECT_EQ(headers.planes, 1);
  EXPECT_EQ(headers.bitsPerPixel, 24);
  EXPECT_EQ(headers.compression, 0u);
  EXPECT_EQ(headers.imageSize, 233288u);
  EXPECT_EQ(headers.xPerMeter, 0);
  EXPECT_EQ(headers.yPerMeter, 0);
  EXPECT_EQ(headers.coloursUsed, 0u);
  EXPECT_EQ(headers.coloursImportant, 0u);
}

// The file follows what the bitmap reports, even a stride wider than the minimum.
TEST(BitmapHeaders, UseTheReportedStride) {
  auto headers = Decode({10, 3, 40, nullptr});
  EXPECT_EQ(headers.imageSize, 120u);
  EXPECT_EQ(headers.fileSize, 174u);
  EXPECT_EQ(headers.width, 10);
  EXPECT_EQ(headers.height, 3);
}

TEST(BitmapHeaders, FailedBitmapGivesHeadersOnly) {
  auto headers = Decode({0, 0, 0, nullptr});
  EXPECT_EQ(headers.fileSize, 54u);
  EXPECT_EQ(headers.width, 0);
  EXPECT_EQ(headers.height, 0);
  EXPECT_EQ(headers.imageSize, 0u);
  EXPECT_EQ(app::PixelBytes({0, 0, 0, nullptr}), 0u);
}

TEST(BitmapHeaders, CaptureDescriptionLeavesImageSizeUnset) {
  auto info = app::BuildInfoHeader(321, 242, 0);
  std::uint8_t bytes[54] = {};
  std::memcpy(bytes + 14, info.data(), info.size());
  auto headers = DecodeBytes(bytes);
  EXPECT_EQ(headers.infoSize, 40u);
  EXPECT_EQ(headers.width, 321);
  EXPECT_EQ(headers.height, 242);
  EXPECT_EQ(headers.bitsPerPixel, 24);
  EXPECT_EQ(headers.imageSize, 0u);
}

}  // namespace
