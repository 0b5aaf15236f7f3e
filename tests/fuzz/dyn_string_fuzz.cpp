// Any sequence of string operations, with allocations failing wherever the input says: no
// fault, every fixed buffer ends within its capacity, variables never hold a borrowed string,
// nothing leaks; and every 1252 text survives widening and narrowing unchanged.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/ole_strings.h"
#include "runtime/expression_stack.h"
#include "runtime/wide_string.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

constexpr auto kLiteral = runtime::MakeLiteral("a\xF1o");

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return size_ == 0; }
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  std::string_view Text() {
    std::size_t length = Byte() % 12;
    if (length > size_) length = size_;
    std::string_view text(reinterpret_cast<const char*>(data_), length);
    data_ += length;
    size_ -= length;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

std::uint64_t Live() {
  platform::OleStringCounts c = platform::CurrentOleStringCounts();
  return c.byteAllocations + c.unitAllocations - c.failures - c.frees;
}

void RunOperations(Input& input) {
  runtime::DynString variables[2];
  runtime::ErrorSlot slot;
  {
    runtime::ExpressionStack stack;
    while (!input.Empty()) {
      const std::uint8_t op = input.Byte();
      if (op & 0x80) platform::FailNextStringAllocations(1);
      const std::size_t depth = stack.Depth();
      const bool full = depth == runtime::ExpressionStack::kCapacity;
      const int which = op & 1;
      switch ((op >> 1) % 9) {
        case 0:
          if (!full) stack.PushBorrowed(kLiteral);
          break;
        case 1:
          // Generated code never assigns to a variable a borrow of it still waits on, so a
          // variable is borrowed only onto an empty stack here.
          if (depth == 0) stack.PushBorrowed(variables[which]);
          break;
        case 2:
          if (!full) stack.PushOwned(runtime::DynString::Copy(input.Text()));
          break;
        case 3: {
          std::string_view text = input.Text();
          if (!full) stack.PushBytes(text.data(), static_cast<std::int32_t>(text.size()));
          break;
        }
        case 4:
          if (depth >= 2) stack.ConcatTop(slot);
          break;
        case 5:
          if (depth == 1) stack.AssignTop(slot, variables[which]);
          break;
        case 6:
          if (depth >= 1) {
            char buffer[9];
            std::memset(buffer, 'x', sizeof buffer);
            const std::uint32_t capacity = 1 + input.Byte() % 8;
            stack.StoreFixedText(buffer, capacity);
            Check(std::memchr(buffer, '\0', capacity) != nullptr);
            Check(buffer[8] == 'x');
          }
          break;
        case 7:
          if (depth >= 1) stack.WidenTop(depth >= 2 ? which : 0);
          break;
        default:
          if (depth >= 1) stack.NarrowTop();
          break;
      }
      platform::FailNextStringAllocations(0);
      for (const runtime::DynString& v : variables) Check(!v.IsBorrowed());
    }
  }
  for (runtime::DynString& v : variables) runtime::FreeString(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  runtime::WideString wide = runtime::WidenText(text, 1252);
  Check(wide.Length() == size);
  runtime::DynString narrow = runtime::NarrowText(wide.View(), 1252);
  Check(narrow.View() == text);

  const std::uint64_t before = Live();
  Input input(data, size);
  RunOperations(input);
  Check(Live() == before);
  return 0;
}
