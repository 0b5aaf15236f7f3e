#pragma once
// Reading a text one character at a time without ever looking past its end.

#include <string_view>

namespace runtime {

class TextCursor {
 public:
  static constexpr int kEnd = -1;

  explicit TextCursor(std::string_view text)
      : next_(text.data()), end_(text.data() + text.size()) {}

  // The next character (0 to 255), or kEnd.
  int Peek() const { return next_ == end_ ? kEnd : static_cast<unsigned char>(*next_); }
  void Advance() {
    if (next_ != end_) ++next_;
  }
  // Consumes the next character when it is `c`.
  bool Accept(char c) {
    if (Peek() != static_cast<unsigned char>(c)) return false;
    ++next_;
    return true;
  }
  void SkipWhitespace() {
    for (int c = Peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = Peek()) ++next_;
  }
  int Remaining() const { return static_cast<int>(end_ - next_); }

 private:
  const char* next_;
  const char* end_;
};

}  // namespace runtime
