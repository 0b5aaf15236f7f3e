#include "app/snapshot_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fileio/file_system_calls.h"
#include "platform/process.h"
#include "support/calculator_ids.h"

namespace {

namespace fs = std::filesystem;

using support::kSnapshotFileNarrow;

std::vector<std::uint8_t> Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SnapshotFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("snapshot_file_test_" + std::to_string(platform::GetCurrentProcessId()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    target_ = folder_ / kSnapshotFileNarrow;
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

// A capture that failed has no pixels: the picture already there is worth more than headers.
TEST_F(SnapshotFileTest, NoPictureLeavesTheOldFileAsItWas) {
  runtime::ErrorSlot slot;
  ASSERT_TRUE(Write(target_, 10, 4, slot));
  const auto before = Contents(target_);
  metrics_ = {};
  EXPECT_FALSE(app::WriteSnapshotFile(slot, runtime::DynString::Copy(target_.string()),
                                      app::BuildFileHeader(metrics_),
                                      app::BuildInfoHeader(metrics_), nullptr, 0));
  EXPECT_EQ(Contents(target_), before);
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(SnapshotFileTest, UnwritableFolderLeavesNothingAndReportsTheError) {
  runtime::ErrorSlot slot;
  EXPECT_FALSE(Write(folder_ / "missing" / kSnapshotFileNarrow, 10, 4, slot));
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
  const std::uint8_t pixels[4] = {};
  EXPECT_FALSE(app::WriteSnapshotFile(slot, runtime::DynString(), {}, {}, pixels, sizeof pixels));
  EXPECT_EQ(slot.number(), 64);
}

// A user's own file of the snapshot's name plus ".tmp", even read-only, is not the snapshot's to
// use: it keeps its bytes and the snapshot is written all the same.
TEST_F(SnapshotFileTest, AnOldTemporaryFileOfTheUserSurvivesAndDoesNotBlock) {
  const fs::path own = folder_ / (std::string(kSnapshotFileNarrow) + ".tmp");
  std::ofstream(own, std::ios::binary) << "the user's own file";
  fs::permissions(own, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  runtime::ErrorSlot slot;
  EXPECT_TRUE(Write(target_, 10, 4, slot));
  EXPECT_EQ(slot.number(), 0);
  EXPECT_EQ(Contents(target_), Expected());
  const auto kept = Contents(own);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "the user's own file");
  EXPECT_EQ(FilesInFolder(), 2u);
  fs::permissions(own, fs::perms::owner_write, fs::perm_options::add);
}

std::vector<std::u16string> createdNew;

HANDLE RecordingCreate(const char16_t* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* sa,
                       DWORD disposition, DWORD flags, HANDLE templateFile) {
  if (disposition == CREATE_NEW) createdNew.emplace_back(name);
  return fileio::PlatformFileSystemCalls().createFile(name, access, share, sa, disposition, flags,
                                                      templateFile);
}

// The picture is written into a fresh file in the target's folder, named after the target, so
// the replacement stays on one volume and a user sees whose file it was.
TEST(SnapshotTemporaryName, SitsBesideTheTarget) {
  const fs::path folder =
      fs::temp_directory_path() /
      ("snapshot_temporary_name_" + std::to_string(platform::GetCurrentProcessId()));
  fs::create_directories(folder);
  const fs::path target = folder / kSnapshotFileNarrow;
  fileio::FileSystemCalls recording = fileio::PlatformFileSystemCalls();
  recording.createFile = RecordingCreate;
  const fileio::FileSystemCalls* previous = fileio::UseFileSystemCalls(&recording);
  createdNew.clear();
  runtime::ErrorSlot slot;
  const std::uint8_t pixels[4] = {};
  const app::BitmapMetrics one{1, 1, 4, pixels};
  EXPECT_TRUE(app::WriteSnapshotFile(slot, runtime::DynString::Copy(target.string()),
                                     app::BuildFileHeader(one), app::BuildInfoHeader(one), pixels,
                                     sizeof pixels));
  fileio::UseFileSystemCalls(previous);
  ASSERT_EQ(createdNew.size(), 1u);
  const std::string name = target.string();
  const std::u16string wideTarget(name.begin(), name.end());
  EXPECT_EQ(createdNew[0].substr(0, wideTarget.size() + 1), wideTarget + u".");
  EXPECT_EQ(createdNew[0].find(u'\\', wideTarget.size()), std::u16string::npos);
  EXPECT_EQ(createdNew[0].find(u'/', wideTarget.size()), std::u16string::npos);
  EXPECT_FALSE(fs::exists(fs::path(createdNew[0])));
  fs::remove_all(folder);
}

}  // namespace
