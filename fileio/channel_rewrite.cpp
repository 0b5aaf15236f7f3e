#include "fileio/channel_rewrite.h"

#include "fileio/channel_list.h"
#include "fileio/channel_steps.h"
#include "fileio/file_names.h"
#include "runtime/error_numbers.h"

namespace fileio {
namespace {

void Keep(Rewrite& rewrite, int error) {
  if (rewrite.error == 0) rewrite.error = error;
}

}  // namespace

Rewrite RewriteThroughChannel(std::u16string_view name, std::span<const FileBlock> blocks) {
  Rewrite rewrite;
  // A channel cuts a longer name, and would write some other file.
  if (name.size() > kMaxChannelNameUnits) return {false, runtime::error::kBadFileName};
  std::int16_t number = kNoChannelNumber;
  if (int error = TakeFreeChannelNumber(number); error != 0) return {false, error};
  if (int error = OpenWideChannel(name, number); error != 0) return {false, error};
  for (const FileBlock& block : blocks) {
    std::string_view bytes(reinterpret_cast<const char*>(block.data()), block.size());
    Keep(rewrite, WriteChannelBytes(number, bytes));
  }
  Keep(rewrite, CloseChannelNumber(number));
  rewrite.written = rewrite.error == 0;
  return rewrite;
}

}  // namespace fileio
