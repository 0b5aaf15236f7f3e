// Every 80-bit pattern (pseudo-denormals, unnormals, pseudo-infinities and NaNs included) with
// any digit count gets a text: never a crash, only the characters a number is made of, and a
// normal value reads back within the precision it was printed with.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/fpu.h"
#include "runtime/number_text/extended_float.h"
#include "runtime/number_text/number_to_text.h"
#include "runtime/number_text/text_to_number.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsNumberCharacter(char c) {
  return c == ' ' || c == '-' || c == '.' || c == 'E' || c == '+' || (c >= '0' && c <= '9');
}

void CheckText(std::string_view text, bool keepSignBlank) {
  Check(!text.empty() && text.size() <= 26);
  for (char c : text) Check(IsNumberCharacter(c));
  if (!keepSignBlank) Check(text[0] != ' ');
  Check(text.back() != '.' && text.back() != 'E' && text.back() != ' ');
}

// Read back, a normal value of moderate exponent must be within one unit of the last of
// its n printed digits (a dropped "5" rounds to even whatever follows it), plus the
// conversions' own rounding.
void CheckReadsBack(long double value, std::string_view text, int n) {
  const long double magnitude = std::fabs(value);
  if (!std::isnormal(value) || magnitude > 1e4900L || magnitude < 1e-4900L) return;
  const long double back = runtime::TextToNumber(text).value;
  const long double tolerance = std::pow(10.0L, 1 - n) + 1e-17L;
  Check(std::fabs(back - value) <= tolerance * magnitude);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::LoadFpuControlWord();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < runtime::kExtendedBytes + 1) return 0;
  platform::LoadFpuControlWord();
  runtime::ExtendedBits bits;
  std::memcpy(&bits.significand, data, 8);
  std::memcpy(&bits.signAndExponent, data + 8, 2);
  const long double value = runtime::FromBits(bits);
  const int digits = static_cast<int>(data[10]) - 128;  // -128 to 127
  const bool keepSignBlank = size > 11 && (data[11] & 1) != 0;

  runtime::ErrorSlot slot;
  const runtime::DynString text = runtime::NumberToText(slot, value, digits, keepSignBlank);
  Check(slot.word() == 0);
  CheckText(text.View(), keepSignBlank);
  const int n = digits <= 0 || digits >= 18 ? 18 : digits;
  CheckReadsBack(value, text.View(), n);
  return 0;
}
