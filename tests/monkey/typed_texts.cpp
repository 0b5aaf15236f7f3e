#include "typed_texts.h"

#include <array>
#include <cstdint>
#include <limits>

namespace monkey {

namespace {

long long Between(std::mt19937_64& random, long long low, long long high) {
  return std::uniform_int_distribution<long long>(low, high)(random);
}

template <typename T, std::size_t N>
const T& OneOf(std::mt19937_64& random, const std::array<T, N>& items) {
  return items[static_cast<std::size_t>(Between(random, 0, N - 1))];
}

std::wstring Digits(unsigned long long value, unsigned base, bool upper) {
  const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
  std::wstring out;
  do {
    out.insert(out.begin(), set[value % base]);
    value /= base;
  } while (value != 0);
  return out;
}

std::optional<long long> Within32Bits(long long value) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return value;
}

TypedText Known(std::wstring text, long long value, const char* kind) {
  return {std::move(text), true, Within32Bits(value), kind};
}

// A magnitude for a day count: mostly dates a picker can show, some far beyond.
long long Magnitude(std::mt19937_64& random) {
  switch (Between(random, 0, 5)) {
    case 0:
      return Between(random, 0, 40);
    case 1:
      return Between(random, 0, 1000);
    case 2:
      return Between(random, 0, 100000);
    case 3:
      return Between(random, 0, 3000000);  // beyond 31 Dec 9999 from most bases
    case 4:
      return Between(random, 0, 20000000);  // beyond the system's time count as well
    default:
      return Between(random, 2147483600LL, 1LL << 40);  // around and beyond 32 bits
  }
}

// Blanks the reading skips, and tails it stops at (none starts an exponent or a fraction).
const std::array<std::wstring, 6> kLeads = {L"", L"", L" ", L"  ", L"\t", L"\r\n "};
const std::array<std::wstring, 8> kTails = {L"",   L"",   L"abc", L" d\u00EDas",
                                            L"x9", L",5", L"%",   L" 12"};

TypedText Integer(std::mt19937_64& random) {
  const long long magnitude = Magnitude(random);
  const int sign = Between(random, 0, 2) == 0 ? -1 : 1;
  std::wstring text = OneOf(random, kLeads);
  text += sign < 0 ? L"-" : (Between(random, 0, 4) == 0 ? L"+" : L"");
  if (Between(random, 0, 6) == 0) text += L"000";
  text += std::to_wstring(magnitude) + OneOf(random, kTails);
  return Known(text, sign * magnitude, "integer");
}

// k plus a fraction in thousandths, rounded to the nearest whole day, ties to even.
TypedText Fraction(std::mt19937_64& random) {
  const std::array<int, 6> thousandths = {500, 500, 250, 750, 499, 501};
  const long long whole = Between(random, 0, 100000);
  const int part = OneOf(random, thousandths);
  long long rounded = whole + (part > 500 ? 1 : 0);
  if (part == 500 && whole % 2 != 0) rounded = whole + 1;
  std::wstring fraction = std::to_wstring(1000 + part).substr(1);
  while (fraction.back() == L'0') fraction.pop_back();
  const bool negative = Between(random, 0, 1) == 0;
  return Known((negative ? L"-" : L"") + std::to_wstring(whole) + L"." + fraction,
               negative ? -rounded : rounded, "fraction");
}

TypedText Exponent(std::mt19937_64& random) {
  const std::array<std::wstring, 4> markers = {L"e", L"E", L"d", L"D"};
  const long long mantissa = Between(random, 1, 999);
  const std::wstring& marker = OneOf(random, markers);
  switch (Between(random, 0, 3)) {
    case 0: {
      const long long power = Between(random, 0, 3);
      long long value = mantissa;
      for (long long i = 0; i < power; ++i) value *= 10;
      return Known(std::to_wstring(mantissa) + marker + std::to_wstring(power), value, "exponent");
    }
    case 1:
      return Known(std::to_wstring(mantissa) + L".5" + marker + L"1", mantissa * 10 + 5,
                   "exponent");
    case 2:
      return Known(std::to_wstring(mantissa) + L"00" + marker + L"-2", mantissa, "exponent");
    default:
      return Known(std::to_wstring(mantissa) + marker + L"+1x", mantissa * 10, "exponent");
  }
}

TypedText Based(std::mt19937_64& random) {
  const bool upper = Between(random, 0, 1) == 0;
  switch (Between(random, 0, 5)) {
    case 0: {
      const long long value = Between(random, 0, 0x7FFF);
      return Known((upper ? L"&H" : L"&h") + Digits(value, 16, upper), value, "based");
    }
    case 1: {
      const long long value = Between(random, 1, 0x7FFF);
      const std::array<std::wstring, 5> prefixes = {L"&O", L"&o", L"&Q", L"&q", L"&"};
      return Known(OneOf(random, prefixes) + Digits(value, 8, true), value, "based");
    }
    case 2: {
      const long long value = Between(random, 0, 1023);
      return Known((upper ? L"&B" : L"&b") + Digits(value, 2, true), value, "based");
    }
    case 3: {  // 16 bits with the top bit set read as negative
      const long long value = Between(random, 0x8000, 0xFFFF);
      return Known(L"&H" + Digits(value, 16, upper), value - 0x10000, "based");
    }
    case 4: {  // ... unless a "&" suffix or a leading zero says otherwise
      const long long value = Between(random, 0x8000, 0xFFFF);
      const bool suffix = Between(random, 0, 1) == 0;
      std::wstring digits = Digits(value, 16, upper);
      return Known(suffix ? L"&H" + digits + L"&" : L"&H0" + digits, value, "based");
    }
    default: {
      const std::array<std::wstring, 4> refused = {L"&9", L"&HZ", L"-&H10", L"&"};
      return Known(OneOf(random, refused), 0, "based");
    }
  }
}

TypedText NoNumber(std::mt19937_64& random) {
  const std::array<std::wstring, 9> texts = {L"",  L" ", L"\t \r\n", L"abc",   L"-",
                                             L".", L"+", L"e5",      L"\u00F1"};
  return Known(OneOf(random, texts), 0, "no number");
}

TypedText Beyond32Bits(std::mt19937_64& random) {
  const std::array<std::pair<std::wstring, long long>, 6> texts = {{
      {L"2147483648", 2147483648LL},
      {L"-2147483649", -2147483649LL},
      {L"4294967297", 4294967297LL},
      {L"1e10", 10000000000LL},
      {L"2147483647", 2147483647LL},
      {L"-2147483648", -2147483648LL},
  }};
  const auto& [text, value] = OneOf(random, texts);
  return Known(text, value, "32-bit edge");
}

// Characters of Windows-1252 that are not ASCII, and a few that it lacks.
const wchar_t kExoticCharacters[] =
    L"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D\u2018"
    L"\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178\u00A0"
    L"\u00A1\u00BD\u00BE\u00D1\u00E9\u00F1\u00FF\u0661\u4E00\u00B2\u00B9";

wchar_t RandomCharacter(std::mt19937_64& random) {
  switch (Between(random, 0, 3)) {
    case 0:
      return kExoticCharacters[Between(random, 0, std::size(kExoticCharacters) - 2)];
    case 1:
      return static_cast<wchar_t>(Between(random, 1, 31));
    case 2:
      return static_cast<wchar_t>(Between(random, L'0', L'9'));
    default:
      return static_cast<wchar_t>(Between(random, 0x20, 0x7E));
  }
}

}  // namespace

TypedText CommonText(std::mt19937_64& random) {
  switch (Between(random, 0, 9)) {
    case 0:
    case 1:
    case 2:
      return Integer(random);
    case 3:
      return Fraction(random);
    case 4:
      return Exponent(random);
    case 5:
    case 6:
      return Based(random);
    case 7:
      return NoNumber(random);
    case 8:
      return Beyond32Bits(random);
    default:
      return Integer(random);
  }
}

// Extremes with a defined reading: none stands for a magnitude beyond 32 bits.
struct ExtremeText {
  const wchar_t* text;
  std::optional<long long> days;
};

constexpr std::optional<long long> kBeyond = std::nullopt;
const std::array<ExtremeText, 16> kExtremes = {{
    {L"1e4932", kBeyond},  // the decimal point and exponent reach 4933: 2^127
    {L"99e4931", kBeyond},
    {L"-1e5000", kBeyond},
    {L"1e999999999", kBeyond},  // the exponent stops growing at 9999
    {L"1e-5000", 0},
    {L"9.9d-4932", 0},
    {L"-0", 0},
    {L"0e0", 0},
    {L"&HFFFFFFFFFFFFFFFFF", 0},  // a set bit shifted out of 64 bits
    {L"&B1111111111111111111111111111111111111111111111111111111111111111111111", 0},
    {L"&O7777777777777777777777", 0},
    {L"&H8000000000000000???", 0},  // unsigned with the top bit set
    {L"&HFFFFFFFFFFFFFFFF", -1},    // 64 bits, two's complement
    {L"&HFFFFFFFF", -1},            // more than 16 bits: bit 31 is the sign
    {L"&HFFFFFFFF&&", kBeyond},     // 64-bit suffix: unsigned value
    {L"&HFFFF?", 65535},
}};

TypedText ExoticText(std::mt19937_64& random) {
  TypedText typed;
  typed.kind = "exotic";
  switch (Between(random, 0, 4)) {
    case 0: {  // far more digits than the reading keeps: at least 10^18 without a point
      const long long count = Between(random, 19, 400);
      typed.text += static_cast<wchar_t>(L'1' + Between(random, 0, 8));
      for (long long i = 1; i < count; ++i) {
        typed.text += static_cast<wchar_t>(L'0' + Between(random, 0, 9));
      }
      if (Between(random, 0, 1) == 0) {
        typed.text.insert(static_cast<std::size_t>(Between(random, 0, count)), L".");
      } else {
        typed.known = true;
        typed.days = kBeyond;
      }
      break;
    }
    case 1:
    case 2: {
      const ExtremeText& extreme = OneOf(random, kExtremes);
      typed.text = extreme.text;
      typed.known = true;
      typed.days = extreme.days;
      break;
    }
    default: {  // anything a keyboard or a paste can bring
      const long long count = Between(random, 1, 60);
      for (long long i = 0; i < count; ++i) typed.text += RandomCharacter(random);
      break;
    }
  }
  return typed;
}

}  // namespace monkey
