#include "fileio/write_turn.h"

#include <cstdint>
#include <string_view>

#include "fileio/file_system_calls.h"

namespace fileio {
namespace {

// Long enough for a writer of a large picture on a slow share; a snapshot takes milliseconds.
constexpr DWORD kTurnWaitMilliseconds = 10000;

// Object names take no backslash beyond the namespace's, so the name is a hash of the path.
constexpr std::u16string_view kPrefix = u"Local\\datecalc-file-";
constexpr int kHashDigits = 16;

struct CaseFold {
  char16_t lower;
  char16_t upper;
};

// The letters of Windows-1252 beyond Latin-1 whose upper case lies elsewhere.
constexpr CaseFold kFoldsBeyondLatin1[] = {
    {u'\u0153', u'\u0152'}, {u'\u0161', u'\u0160'}, {u'\u017E', u'\u017D'}, {u'\u00FF', u'\u0178'}};

char16_t UpperCase(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') return static_cast<char16_t>(unit - 0x20);
  if (unit >= u'\u00E0' && unit <= u'\u00FE' && unit != u'\u00F7') {
    return static_cast<char16_t>(unit - 0x20);
  }
  for (const CaseFold& fold : kFoldsBeyondLatin1) {
    if (unit == fold.lower) return fold.upper;
  }
  return unit;
}

// FNV-1a over the upper-cased units.
std::uint64_t HashOf(std::u16string_view name) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (char16_t unit : name) {
    hash = (hash ^ UpperCase(unit)) * 0x100000001b3ULL;
  }
  return hash;
}

}  // namespace

runtime::WideString TurnName(std::u16string_view fullName) {
  runtime::WideString name =
      runtime::WideString::Allocate(static_cast<std::uint32_t>(kPrefix.size() + kHashDigits));
  char16_t* out = name.MutableText();
  if (out == nullptr) return name;
  for (char16_t unit : kPrefix) *out++ = unit;
  std::uint64_t hash = HashOf(fullName);
  for (int shift = (kHashDigits - 1) * 4; shift >= 0; shift -= 4) {
    *out++ = u"0123456789abcdef"[(hash >> shift) & 0xF];
  }
  return name;
}

WriteTurn::WriteTurn(const runtime::WideString& fullName) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  runtime::WideString name = TurnName(fullName.View());
  if (name.IsEmpty()) return;  // no memory: no turn to wait for
  mutex_ = calls.createMutex(nullptr, FALSE, name.Text());
  if (mutex_ == nullptr) return;
  // An owner that ended without giving the turn back hands it on as abandoned: the file it
  // was writing is whole either way, the old picture or the new one.
  const DWORD waited = calls.waitForSingleObject(mutex_, kTurnWaitMilliseconds);
  held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

WriteTurn::~WriteTurn() {
  if (mutex_ == nullptr) return;
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  if (held_) calls.releaseMutex(mutex_);
  calls.closeHandle(mutex_);
}

}  // namespace fileio
