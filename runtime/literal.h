#pragma once
// Literals of the constant block, laid out like allocated strings (32-bit byte length, the
// bytes, a 16-bit zero, fill to four bytes) so any string operation can borrow one.

#include <cstddef>
#include <cstdint>

namespace runtime {

template <std::size_t N>
struct alignas(4) Literal {
  std::uint32_t length;
  char text[N + 2];  // the bytes, then the 16-bit zero

  constexpr const char* data() const { return text; }
};

// Builds a literal from a string literal at compile time; the bytes are Windows-1252 as
// written ("\xF1" for the n with tilde).
template <std::size_t N>
consteval Literal<N - 1> MakeLiteral(const char (&source)[N]) {
  Literal<N - 1> literal{};
  literal.length = static_cast<std::uint32_t>(N - 1);
  for (std::size_t i = 0; i + 1 < N; ++i) literal.text[i] = source[i];
  return literal;
}

// The two literals every program's constant block holds besides its own texts.
inline constexpr auto kCrLfLiteral = MakeLiteral("\r\n");
inline constexpr auto kEmptyLiteral = MakeLiteral("");

}  // namespace runtime
