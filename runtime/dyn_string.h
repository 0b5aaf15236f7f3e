#pragma once
// DynString: the program's text value. A handle that is null for the empty string, else the
// address of the first byte of counted storage (see platform/ole_strings.h). The lowest bit
// marks a borrowed reference to a literal or to a variable's string: never freed, never written.

#include <cstdint>
#include <string_view>

#include "runtime/literal.h"

namespace runtime {

class DynString {
 public:
  DynString() noexcept = default;
  DynString(DynString&& other) noexcept : handle_(other.handle_) { other.handle_ = 0; }
  DynString& operator=(DynString&& other) noexcept;
  DynString(const DynString&) = delete;
  DynString& operator=(const DynString&) = delete;
  ~DynString() { Free(); }

  template <std::size_t N>
  static DynString Borrow(const Literal<N>& literal) {
    return FromHandle(reinterpret_cast<std::uintptr_t>(literal.data()) | kBorrowedBit);
  }
  // A borrowed reference to the string `owner` holds (null stays null).
  static DynString Borrow(const DynString& owner);
  // A new owned string of `length` uninitialised bytes; null (empty) when length is 0 or
  // memory ran out, so callers that must tell the two apart check `length` themselves.
  static DynString Allocate(std::uint32_t length);
  // A new owned copy of `bytes`; empty when they are empty or memory ran out.
  static DynString Copy(std::string_view bytes);
  // Takes over a handle (owned or borrowed) as it stands.
  static DynString FromHandle(std::uintptr_t handle) {
    DynString s;
    s.handle_ = handle;
    return s;
  }

  std::uintptr_t handle() const { return handle_; }
  bool IsEmpty() const { return Length() == 0; }
  bool IsBorrowed() const { return (handle_ & kBorrowedBit) != 0; }
  bool IsOwned() const { return handle_ != 0 && !IsBorrowed(); }
  std::uint32_t Length() const;
  // Never null: the empty string reads as a shared zero-filled location.
  const char* Text() const;
  std::string_view View() const { return {Text(), Length()}; }
  // Writable bytes of an owned string; null for empty or borrowed strings.
  char* MutableText();

  // Gives up the handle without freeing it.
  std::uintptr_t Release() {
    std::uintptr_t handle = handle_;
    handle_ = 0;
    return handle;
  }
  void Free();

  static constexpr std::uintptr_t kBorrowedBit = 1;

 private:
  std::uintptr_t handle_ = 0;
};

// The address a handle stands for, the borrowed mark cleared: handles are tagged addresses.
inline char* HandleAddress(std::uintptr_t handle) {
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  return reinterpret_cast<char*>(handle & ~DynString::kBorrowedBit);
}

// Frees a variable's owned string and leaves it null; null and borrowed handles are left alone.
void FreeString(DynString& variable);

}  // namespace runtime
