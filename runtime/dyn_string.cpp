#include "runtime/dyn_string.h"

#include <cstring>

#include "platform/ole_strings.h"

namespace runtime {
namespace {

// What a null handle reads as: length 0 and a zero terminator, never written.
constexpr char kEmptyText[4] = {};

}  // namespace

DynString& DynString::operator=(DynString&& other) noexcept {
  if (this != &other) {
    Free();
    handle_ = other.handle_;
    other.handle_ = 0;
  }
  return *this;
}

DynString DynString::Borrow(const DynString& owner) {
  if (owner.handle_ == 0) return {};
  return FromHandle(owner.handle_ | kBorrowedBit);
}

DynString DynString::Allocate(std::uint32_t length) {
  if (length == 0) return {};
  return FromHandle(
      reinterpret_cast<std::uintptr_t>(platform::SysAllocStringByteLen(nullptr, length)));
}

DynString DynString::Copy(std::string_view bytes) {
  if (bytes.size() > UINT32_MAX) return {};  // a longer text has no 32-bit length
  DynString copy = Allocate(static_cast<std::uint32_t>(bytes.size()));
  if (copy.handle_ != 0) std::memcpy(copy.MutableText(), bytes.data(), bytes.size());
  return copy;
}

std::uint32_t DynString::Length() const {
  if (handle_ == 0) return 0;
  std::uint32_t length = 0;
  std::memcpy(&length, HandleAddress(handle_) - sizeof length, sizeof length);
  return length;
}

const char* DynString::Text() const {
  return handle_ == 0 ? kEmptyText : HandleAddress(handle_);
}

char* DynString::MutableText() {
  return IsOwned() ? HandleAddress(handle_) : nullptr;
}

void FreeString(DynString& variable) {
  if (variable.IsOwned()) variable.Free();
}

void DynString::Free() {
  if (IsOwned()) platform::SysFreeString(HandleAddress(handle_));
  handle_ = 0;
}

}  // namespace runtime
