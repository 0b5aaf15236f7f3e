#include "app/snapshot_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SnapshotFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("snapshot_file_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    target_ = folder_ / "RoredAvuv.bmp";
  }
  void TearDown() override { fs::remove_all(folder_); }

  // A picture of `width` x `height` whose bytes count up, rows padded as the bitmap pads them.
  bool Write(const fs::path& target, std::int32_t width, std::int32_t height,
             runtime::ErrorSlot& slot) {
    metrics_ = {width, height, static_cast<std::int32_t>(app::RowStride(width)), nullptr};
    pixels_.assign(app::PixelBytes(metrics_), 0);
    for (std::size_t i = 0; i < pixels_.size(); ++i) pixels_[i] = static_cast<std::uint8_t>(i * 7);
    metrics_.bits = pixels_.data();
    return app::WriteSnapshotFile(slot, runtime::DynString::Copy(target.string()),
                                  app::BuildFileHeader(metrics_), app::BuildInfoHeader(metrics_),
                                  pixels_.data(), static_cast<std::uint32_t>(pixels_.size()));
  }

  std::vector<std::uint8_t> Expected() const {
    std::vector<std::uint8_t> bytes;
    auto file = app::BuildFileHeader(metrics_);
    auto info = app::BuildInfoHeader(metrics_);
    bytes.insert(bytes.end(), file.begin(), file.end());
    bytes.insert(bytes.end(), info.begin(), info.end());
    bytes.insert(bytes.end(), pixels_.begin(), pixels_.end());
    return bytes;
  }

  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
  fs::path target_;
  app::BitmapMetrics metrics_{};
  std::vector<std::uint8_t> pixels_;
};

TEST_F(SnapshotFileTest, WritesHeadersThenRowsAndNothingElse) {
  runtime::ErrorSlot slot;
  ASSERT_TRUE(Write(target_, 321, 242, slot));
  EXPECT_EQ(slot.number(), 0);
  auto written = Contents(target_);
  EXPECT_EQ(written.size(), 233342u);
  EXPECT_EQ(written, Expected());
  EXPECT_EQ(FilesInFolder(), 1u);  // the temporary is gone
}

TEST_F(SnapshotFileTest, ReplacesALongerOldFileWhole) {
  std::ofstream(target_, std::ios::binary) << std::string(1 << 20, 'x');
  runtime::ErrorSlot slot;
  ASSERT_TRUE(Write(target_, 10, 4, slot));
  EXPECT_EQ(Contents(target_), Expected());
}

TEST_F(SnapshotFileTest, SecondSnapshotReplacesTheFirst) {
  runtime::ErrorSlot slot;
  ASSERT_TRUE(Write(target_, 50, 20, slot));
  ASSERT_TRUE(Write(target_, 7, 3, slot));
  EXPECT_EQ(Contents(target_), Expected());
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(SnapshotFileTest, HeadersOnlyWhenThereIsNoPicture) {
  runtime::ErrorSlot slot;
  metrics_ = {};
  ASSERT_TRUE(app::WriteSnapshotFile(slot, runtime::DynString::Copy(target_.string()),
                                     app::BuildFileHeader(metrics_), app::BuildInfoHeader(metrics_),
                                     nullptr, 0));
  EXPECT_EQ(Contents(target_).size(), 54u);
}

TEST_F(SnapshotFileTest, UnwritableFolderLeavesNothingAndReportsTheError) {
  runtime::ErrorSlot slot;
  EXPECT_FALSE(Write(folder_ / "missing" / "RoredAvuv.bmp", 10, 4, slot));
  EXPECT_NE(slot.number(), 0);
  EXPECT_EQ(FilesInFolder(), 0u);
}

// A target that cannot be replaced (here a folder of that name) keeps what it held, and the
// temporary file is removed.
TEST_F(SnapshotFileTest, RefusedReplacementKeepsTheTargetAndRemovesTheTemporary) {
  fs::create_directories(target_ / "inside");
  runtime::ErrorSlot slot;
  EXPECT_FALSE(Write(target_, 10, 4, slot));
  EXPECT_NE(slot.number(), 0);
  EXPECT_TRUE(fs::is_directory(target_ / "inside"));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(SnapshotFileTest, EmptyNameIsABadFileName) {
  runtime::ErrorSlot slot;
  EXPECT_FALSE(app::WriteSnapshotFile(slot, runtime::DynString(), {}, {}, nullptr, 0));
  EXPECT_EQ(slot.number(), 64);
}

TEST(SnapshotTemporaryName, SitsBesideTheTarget) {
  auto name = app::SnapshotTemporaryName(runtime::DynString::Copy("dir\\RoredAvuv.bmp"));
  EXPECT_EQ(name.View(), "dir\\RoredAvuv.bmp.tmp");
}

}  // namespace
