#pragma once
// The channel operations without their raise: each gives 0 or the run-time error number, so
// other operations of this folder can work through channels and raise once, for their caller.

#include <cstdint>
#include <string_view>

namespace fileio {

inline constexpr std::int16_t kNoChannelNumber = -1;  // refused by every channel operation

// 67 with kNoChannelNumber when every number from 1 to 32767 is open.
int TakeFreeChannelNumber(std::int16_t& number);
// `name` is already widened and checked; it is cut to 255 units as every channel name is.
int OpenWideChannel(std::u16string_view name, std::int16_t number);
int WriteChannelBytes(std::int16_t number, std::string_view bytes);
int CloseChannelNumber(std::int16_t number);

}  // namespace fileio
