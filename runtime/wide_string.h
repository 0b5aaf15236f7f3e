#pragma once
// UTF-16 strings for the window-system boundary: the same counted layout as DynString with
// 16-bit units (the prefix counts bytes). Conversions use the thread's code page.

#include <cstdint>
#include <string_view>

#include "runtime/dyn_string.h"

namespace runtime {

class WideString {
 public:
  WideString() noexcept = default;
  WideString(WideString&& other) noexcept : text_(other.text_) { other.text_ = nullptr; }
  WideString& operator=(WideString&& other) noexcept;
  WideString(const WideString&) = delete;
  WideString& operator=(const WideString&) = delete;
  ~WideString() { Free(); }

  // A new string of `units` uninitialised units; empty when 0 or out of memory.
  static WideString Allocate(std::uint32_t units);
  static WideString Copy(std::u16string_view units);

  bool IsEmpty() const { return text_ == nullptr; }
  std::uint32_t Length() const;  // in 16-bit units
  // Never null: the empty string reads as a zero-terminated empty text.
  const char16_t* Text() const;
  char16_t* MutableText() { return text_; }
  std::u16string_view View() const { return {Text(), Length()}; }
  void Free();

 private:
  char16_t* text_ = nullptr;
};

// 8-bit text to UTF-16 with the thread's code page; empty on failure (no error is raised).
WideString WidenText(std::string_view text);
// UTF-16 to 8-bit with the thread's code page; empty on failure (no error is raised).
DynString NarrowText(std::u16string_view text);

}  // namespace runtime
