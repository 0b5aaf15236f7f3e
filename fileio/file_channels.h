#pragma once
// Numbered file channels, opened for output, written without buffering and closed. Failures
// are run-time error numbers recorded in the caller's slot.

#include <cstdint>

#include "fileio/channel_list.h"
#include "runtime/dyn_string.h"
#include "runtime/error_slot.h"

namespace fileio {

// The next number from 1 to 32767 that no open channel uses; numbers are not reused until
// the counter wraps. With every number open: 67, and -1, which every channel operation
// refuses, so the caller's next steps touch no channel.
std::int16_t FreeChannelNumber(runtime::ErrorSlot& slot);

// Opens `fileName` (cut to 255 characters) for output on `number`, creating it or emptying
// it. 64: a name that is empty, does not convert, or has "*", "?" or a zero byte anywhere,
// also past the cut; 52: negative number; 55: number already open; 7: no memory; else the
// system's error. A failure leaves no channel.
void OpenChannel(runtime::ErrorSlot& slot, const runtime::DynString& fileName, std::int16_t number);

// One write of all bytes of `text`, which is released in every case. 52: number not open;
// 54: not an output channel; 61 (disk) or 57 (other file): fewer bytes written.
void WriteChannelText(runtime::ErrorSlot& slot, std::int16_t number, runtime::DynString text);

// Closes the channel; a number that is not open is ignored. The channel is gone even when
// the system reports an error, which is then raised.
void CloseChannel(runtime::ErrorSlot& slot, std::int16_t number);

// The open channel on `number`, or null.
const FileChannel* FindOpenChannel(std::int16_t number);

}  // namespace fileio
