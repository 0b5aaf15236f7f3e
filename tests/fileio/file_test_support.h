#pragma once
// Helpers shared by the file channel tests: a private scratch folder per test, reading and
// writing whole files, a picture to write in blocks, and a FileSystemCalls table whose calls
// can be made to fail.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fileio/file_channels.h"
#include "fileio/file_replacement.h"
#include "fileio/file_system_calls.h"
#include "platform/files.h"
#include "platform/process.h"
#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace filetest {

namespace fs = std::filesystem;

inline std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The program's 8-bit form of a path (the tests use ASCII paths only).
inline runtime::DynString NameOf(const fs::path& path) {
  return runtime::DynString::Copy(path.string());
}

// A name in the temporary folder that only this process uses: two test runs on one machine
// share that folder.
inline fs::path PrivateTempPath(const std::string& name) {
  return fs::temp_directory_path() /
         ("datecalc-fileio-" + name + "-" + std::to_string(platform::GetCurrentProcessId()));
}

// A fresh, empty folder for one test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path_ = PrivateTempPath(std::string(info->test_suite_name()) + "-" + info->name());
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
  }

 private:
  fs::path path_;
};

// A number no open channel uses; the test fails if there is none.
inline std::int16_t FreshNumber() {
  runtime::ErrorSlot slot;
  std::int16_t number = fileio::FreeChannelNumber(slot);
  EXPECT_EQ(slot.number(), 0) << "every channel number is open";
  return number;
}

// Opens `path` on a fresh channel number; the number, or -1 when the open failed.
inline std::int16_t OpenOnFreshNumber(const fs::path& path, runtime::ErrorSlot& slot) {
  std::int16_t number = FreshNumber();
  fileio::OpenChannel(slot, NameOf(path), number);
  return slot.number() == 0 ? number : std::int16_t{-1};
}

// The real calls, except those a test replaces; installed for one scope.
struct FaultyCalls {
  fileio::FileSystemCalls calls = fileio::PlatformFileSystemCalls();
  const fileio::FileSystemCalls* previous = nullptr;

  // May be called again after changing `calls`; the destructor restores what was in use first.
  void Install() {
    const fileio::FileSystemCalls* was = fileio::UseFileSystemCalls(&calls);
    if (!installed) previous = was;
    installed = true;
  }
  ~FaultyCalls() {
    if (installed) fileio::UseFileSystemCalls(previous);
  }
  bool installed = false;
};

// A picture's three blocks, with bytes that tell where they belong.
struct Picture {
  std::string head = "BM" + std::string(12, '\x01');
  std::string info = std::string(40, '\x28');
  std::string pixels;
  explicit Picture(std::size_t size = 70001) : pixels(size, '\0') {
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<char>(i * 7 + 3);
  }
  std::string Whole() const { return head + info + pixels; }
  std::vector<fileio::FileBlock> Blocks() const {
    return {Bytes(head), Bytes(info), Bytes(pixels)};
  }
  static fileio::FileBlock Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
  }
};

// Reads an environment variable that a fault script sets; empty when absent.
inline std::string FaultSetting(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace filetest
