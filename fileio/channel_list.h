#pragma once
// One open file channel and the process-wide list of them, newest first.

#include <bitset>
#include <cstdint>

#include "platform/win_types.h"
#include "runtime/wide_string.h"

namespace fileio {

enum class ChannelMode : std::uint8_t { kClosed, kOutput };

inline constexpr std::uint16_t kDiskFile = 1;   // GetFileType reported FILE_TYPE_DISK
inline constexpr std::uint16_t kOtherFile = 2;  // a device, a pipe, anything else

// Access bits of a channel; output channels are write only, unshared, 8-bit text.
inline constexpr std::uint8_t kAccessWrite = 0x01;
inline constexpr std::uint8_t kAccessNoSharing = 0x10;
inline constexpr std::uint8_t kAccessText8Bit = 0x80;
inline constexpr std::uint8_t kOutputAccess = kAccessWrite | kAccessNoSharing | kAccessText8Bit;

inline constexpr std::size_t kMaxChannelNameUnits = 255;

struct FileChannel {
  FileChannel* next = nullptr;  // the next older channel
  std::int16_t number = 0;
  HANDLE handle = nullptr;  // owned from the open to the close
  std::uint16_t fileType = 0;
  ChannelMode mode = ChannelMode::kClosed;
  std::uint8_t access = 0;
  runtime::WideString name;    // as opened, at most kMaxChannelNameUnits units
  std::uint64_t position = 0;  // bytes written; disk files only
};

// These take the channel-list lock for their own run.
FileChannel* FindChannel(std::int16_t number);
void LinkChannel(FileChannel* channel);
void UnlinkChannel(FileChannel* channel);
// Finds and unlinks in one step; null when the number is not open.
FileChannel* TakeChannel(std::int16_t number);
// Sets the bit of every open channel's number (negative ones aside) in one walk of the list.
void MarkOpenNumbers(std::bitset<32768>& open);

}  // namespace fileio
