#include "runtime/expression_stack.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/ole_strings.h"

namespace runtime {
namespace {

bool IsOwnedHandle(std::uintptr_t handle) {
  return handle != 0 && (handle & DynString::kBorrowedBit) == 0;
}

void FreeHandle(std::uintptr_t handle) {
  if (IsOwnedHandle(handle)) platform::SysFreeString(HandleAddress(handle));
}

// Reads a handle without taking it over.
std::string_view BytesOf(std::uintptr_t handle) {
  if (handle == 0) return {};
  DynString borrowed = DynString::FromHandle(handle | DynString::kBorrowedBit);
  return borrowed.View();
}

std::u16string_view UnitsOf(std::uintptr_t handle) {
  if (handle == 0) return {};
  const auto* units = reinterpret_cast<const char16_t*>(HandleAddress(handle));
  std::uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<const char*>(units) - sizeof bytes, sizeof bytes);
  return {units, bytes / 2};
}

// Expression stacks are sized by the program's own expressions: a wrong depth is a fault in
// the program, not a condition it could go on from.
[[noreturn]] void ExpressionFault() {
  std::abort();
}

std::uintptr_t AllocatedCopy(const void* address, std::int32_t count) {
  if (count <= 0 || address == nullptr) return 0;
  DynString copy =
      DynString::Copy({static_cast<const char*>(address), static_cast<std::size_t>(count)});
  return copy.Release();
}

}  // namespace

ExpressionStack::~ExpressionStack() {
  while (depth_ != 0) FreeHandle(Pop().handle);
}

void ExpressionStack::Push(std::uintptr_t handle, bool wide) {
  if (depth_ == kCapacity) {
    FreeHandle(handle);
    ExpressionFault();
  }
  entries_[depth_++] = {handle, wide};
}

ExpressionStack::Temporary ExpressionStack::Pop() {
  if (depth_ == 0) ExpressionFault();
  Temporary top = entries_[--depth_];
  entries_[depth_] = {};
  return top;
}

ExpressionStack::Temporary& ExpressionStack::At(std::size_t depth) {
  if (depth >= depth_) ExpressionFault();
  return entries_[depth_ - 1 - depth];
}

const ExpressionStack::Temporary& ExpressionStack::At(std::size_t depth) const {
  if (depth >= depth_) ExpressionFault();
  return entries_[depth_ - 1 - depth];
}

void ExpressionStack::PushBorrowed(const DynString& variable) {
  Push(DynString::Borrow(variable).Release(), false);
}

void ExpressionStack::PushOwned(DynString value) {
  Push(value.Release(), false);
}

void ExpressionStack::PushEmpty() {
  Push(0, false);
}

void ExpressionStack::PushBytes(const void* address, std::int32_t count) {
  Push(AllocatedCopy(address, count), false);
}

void ExpressionStack::PushMemoryText(const void* address, std::int32_t count) {
  if (count < 0 && address != nullptr) {
    std::size_t length = std::strlen(static_cast<const char*>(address));
    count = length > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(length);
  }
  PushBytes(address, count);
}

// Either side empty: the other stands as it is. Otherwise one allocation for both.
void ExpressionStack::ConcatTop(ErrorSlot& slot) {
  const std::uintptr_t returnAddress = RUNTIME_RETURN_ADDRESS();
  EnsureNarrow(0);
  EnsureNarrow(1);
  Temporary b = Pop();
  Temporary a = Pop();
  std::string_view left = BytesOf(a.handle);
  std::string_view right = BytesOf(b.handle);
  if (left.empty() || right.empty()) {
    Temporary kept = left.empty() ? b : a;
    FreeHandle(left.empty() ? a.handle : b.handle);
    Push(kept.handle, false);
    return;
  }
  const std::uint64_t total = std::uint64_t{left.size()} + right.size();
  char* joined = total > UINT32_MAX
                     ? nullptr
                     : platform::SysAllocStringByteLen(nullptr, static_cast<std::uint32_t>(total));
  if (joined != nullptr) {
    std::memcpy(joined, left.data(), left.size());
    std::memcpy(joined + left.size(), right.data(), right.size());
  }
  FreeHandle(a.handle);
  FreeHandle(b.handle);
  Push(reinterpret_cast<std::uintptr_t>(joined), false);
  if (joined == nullptr) RaiseRuntimeError(slot, error::kOutOfMemory, returnAddress);
}

// An owned value moves into the variable; a borrowed one is copied, into the variable's own
// storage when the length matches.
void ExpressionStack::AssignTop(ErrorSlot& slot, DynString& variable) {
  const std::uintptr_t returnAddress = RUNTIME_RETURN_ADDRESS();
  EnsureNarrow(0);
  Temporary top = Pop();
  if (IsOwnedHandle(top.handle)) {
    variable = DynString::FromHandle(top.handle);
    return;
  }
  std::string_view text = BytesOf(top.handle);
  if (text.empty()) {
    variable.Free();
    return;
  }
  if (variable.IsOwned() && variable.Length() == text.size()) {
    // memmove: the value may be a borrow of this very variable.
    std::memmove(variable.MutableText(), text.data(), text.size());
    return;
  }
  DynString copy = DynString::Copy(text);
  variable = std::move(copy);
  if (variable.IsEmpty()) RaiseRuntimeError(slot, error::kOutOfMemory, returnAddress);
}

void ExpressionStack::StoreFixedText(char* buffer, std::uint32_t capacity) {
  EnsureNarrow(0);
  Temporary top = Pop();
  std::string_view text = BytesOf(top.handle);
  std::size_t limit = text.size();
  if (capacity != 0 && limit > capacity - 1) limit = capacity - 1;
  std::size_t copied = 0;
  while (copied < limit) {
    buffer[copied] = text[copied];
    if (text[copied++] == '\0') break;
  }
  if (copied == 0 || buffer[copied - 1] != '\0') buffer[copied] = '\0';
  FreeHandle(top.handle);
}

void ExpressionStack::WidenTop(std::size_t depth) {
  Temporary& entry = At(depth);
  if (entry.wide) return;
  WideString wide = WidenText(BytesOf(entry.handle));
  FreeHandle(entry.handle);
  entry = {reinterpret_cast<std::uintptr_t>(wide.Release()), true};
}

void ExpressionStack::NarrowTop() {
  EnsureNarrow(0);
}

// 8-bit operations read 8-bit text: a temporary still in UTF-16 is narrowed first.
void ExpressionStack::EnsureNarrow(std::size_t depth) {
  Temporary& entry = At(depth);
  if (!entry.wide) return;
  DynString narrow = NarrowText(UnitsOf(entry.handle));
  FreeHandle(entry.handle);
  entry = {narrow.Release(), false};
}

std::string_view ExpressionStack::TopText() const {
  const Temporary& top = At(0);
  return top.wide ? std::string_view{} : BytesOf(top.handle);
}

std::u16string_view ExpressionStack::TopWideText() const {
  const Temporary& top = At(0);
  return top.wide ? UnitsOf(top.handle) : std::u16string_view{};
}

DynString ExpressionStack::PopTop() {
  Temporary top = Pop();
  if (top.wide) {
    FreeHandle(top.handle);
    return {};
  }
  return DynString::FromHandle(top.handle);
}

WideString ExpressionStack::PopWide() {
  Temporary top = Pop();
  if (!top.wide) {
    FreeHandle(top.handle);
    return {};
  }
  return WideString::Adopt(reinterpret_cast<char16_t*>(HandleAddress(top.handle)));
}

}  // namespace runtime
