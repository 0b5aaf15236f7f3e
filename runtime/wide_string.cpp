#include "runtime/wide_string.h"

#include <climits>
#include <cstring>
#include <utility>

#include "platform/code_page.h"
#include "platform/ole_strings.h"
#include "runtime/thread_record.h"

namespace runtime {
namespace {

constexpr char16_t kEmptyUnits[2] = {};

}  // namespace

WideString& WideString::operator=(WideString&& other) noexcept {
  if (this != &other) {
    Free();
    text_ = other.text_;
    other.text_ = nullptr;
  }
  return *this;
}

WideString WideString::Allocate(std::uint32_t units) {
  if (units == 0) return {};
  return Adopt(platform::SysAllocStringLen(nullptr, units));
}

WideString WideString::Copy(std::u16string_view units) {
  if (units.size() > UINT32_MAX / 2) return {};
  WideString copy = Allocate(static_cast<std::uint32_t>(units.size()));
  if (!copy.IsEmpty()) std::memcpy(copy.text_, units.data(), units.size() * sizeof(char16_t));
  return copy;
}

std::uint32_t WideString::Length() const {
  if (text_ == nullptr) return 0;
  std::uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text_) - sizeof bytes, sizeof bytes);
  return bytes / 2;
}

const char16_t* WideString::Text() const {
  return text_ == nullptr ? kEmptyUnits : text_;
}

void WideString::Free() {
  platform::SysFreeString(text_);
  text_ = nullptr;
}

std::uint32_t ThreadCodePage() {
  const ThreadRecord* record = CurrentThreadRecord();
  return record == nullptr ? 0 : record->codePage;
}

WideString WidenText(std::string_view text) {
  return WidenText(text, ThreadCodePage());
}

DynString NarrowText(std::u16string_view text) {
  return NarrowText(text, ThreadCodePage());
}

namespace {

// Asks for the size first, then converts into storage of exactly that size.
Widened Widen(std::string_view text, std::uint32_t codePage) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  int units =
      platform::MultiByteToWideChar(codePage, MB_PRECOMPOSED, text.data(), length, nullptr, 0);
  if (units <= 0) return {};
  WideString wide = WideString::Allocate(static_cast<std::uint32_t>(units));
  if (wide.IsEmpty()) return {{}, true};
  if (platform::MultiByteToWideChar(codePage, MB_PRECOMPOSED, text.data(), length,
                                    wide.MutableText(), units) != units) {
    return {};
  }
  return {std::move(wide), false};
}

}  // namespace

Widened WidenTextTellingWhy(std::string_view text) {
  return Widen(text, ThreadCodePage());
}

WideString WidenText(std::string_view text, std::uint32_t codePage) {
  return std::move(Widen(text, codePage).text);
}

DynString NarrowText(std::u16string_view text, std::uint32_t codePage) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  int bytes =
      platform::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  DynString narrow = DynString::Allocate(static_cast<std::uint32_t>(bytes));
  if (narrow.IsEmpty()) return {};
  if (platform::WideCharToMultiByte(codePage, 0, text.data(), length, narrow.MutableText(), bytes,
                                    nullptr, nullptr) != bytes) {
    return {};
  }
  return narrow;
}

}  // namespace runtime
