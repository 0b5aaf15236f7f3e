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
  // Takes over storage from platform::SysAllocStringLen (null is the empty string).
  static WideString Adopt(char16_t* text) {
    WideString s;
    s.text_ = text;
    return s;
  }

  bool IsEmpty() const { return text_ == nullptr; }
  std::uint32_t Length() const;  // in 16-bit units
  // Never null: the empty string reads as a zero-terminated empty text.
  const char16_t* Text() const;
  char16_t* MutableText() { return text_; }
  std::u16string_view View() const { return {Text(), Length()}; }
  void Free();
  // Gives up the storage without freeing it.
  char16_t* Release() {
    char16_t* text = text_;
    text_ = nullptr;
    return text;
  }

 private:
  char16_t* text_ = nullptr;
};

// 8-bit text to UTF-16 with the thread's code page; empty on failure (no error is raised).
WideString WidenText(std::string_view text);
// UTF-16 to 8-bit with the thread's code page; empty on failure (no error is raised).
// Characters the code page lacks follow the system's rules (best fit, else '?').
DynString NarrowText(std::u16string_view text);

// WidenText that tells the two ways of getting the empty string for a non-empty text apart:
// the text does not convert in the code page, or memory ran out.
struct Widened {
  WideString text;
  bool outOfMemory = false;
};
Widened WidenTextTellingWhy(std::string_view text);

// The same with a given code page (0 is the system's ANSI code page).
WideString WidenText(std::string_view text, std::uint32_t codePage);
DynString NarrowText(std::u16string_view text, std::uint32_t codePage);

// The calling thread's conversion code page (0 when its record cannot be had).
std::uint32_t ThreadCodePage();

}  // namespace runtime
