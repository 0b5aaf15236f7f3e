// Any bytes, at any start position, read as a number: never a crash, never a read past the
// text (the text sits in a heap block of exactly its size, with no terminator after it).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/fpu.h"
#include "runtime/number_text/text_to_number.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckReading(const runtime::TextNumber& n, std::size_t size) {
  Check(std::isfinite(n.value));
  Check(n.digitsRead >= 0 && static_cast<std::size_t>(n.digitsRead) <= size);
  Check(n.charactersLeft >= 0 && static_cast<std::size_t>(n.charactersLeft) <= size);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::LoadFpuControlWord();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::LoadFpuControlWord();
  auto text = std::make_unique<char[]>(size);
  if (size != 0) std::memcpy(text.get(), data, size);
  const std::string_view bytes(text.get(), size);

  CheckReading(runtime::TextToNumber(bytes), size);
  // A start position taken from the text itself, beyond the end included.
  const int start = size == 0 ? 1 : static_cast<int>(data[0] % 16) - 2;
  CheckReading(runtime::TextToNumber(bytes, start), size);
  // The same through an owned string, which the reading frees.
  CheckReading(runtime::TextToNumber(runtime::DynString::Copy(bytes)), size);
  return 0;
}
