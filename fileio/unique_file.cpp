#include "fileio/unique_file.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fileio/file_system_calls.h"
#include "fileio/guarded_system_call.h"
#include "fileio/retried_call.h"
#include "platform/process.h"
#include "runtime/error_numbers.h"
#include "runtime/error_slot.h"

namespace fileio {
namespace {

constexpr std::u16string_view kSuffix = u".tmp";
constexpr int kNamesTried = 100;
constexpr int kDigitsAtMost = 10;  // a 32-bit number in decimal

// Process-wide, so two replacements of one file in the same process never ask for one name.
std::atomic<std::uint32_t> triesSoFar{0};
std::atomic<std::uint32_t> processStart{0};  // 0: not chosen yet

// A bijection of 32-bit numbers that spreads neighbours far apart (MurmurHash3's finaliser).
constexpr std::uint32_t Spread(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x85EBCA6Bu;
  x ^= x >> 13;
  x *= 0xC2B2AE35u;
  x ^= x >> 16;
  return x;
}

// The numbers of a process start at a value of its own, so the temporaries that ended
// processes left behind are stepped over rather than tried one by one; and each try lands far
// from the one before, so no run of taken numbers, however long, refuses a replacement.
// (Chosen without a function's static, whose guard would link the threads' runtime.)
std::uint32_t NextNumber() {
  std::uint32_t start = processStart.load();
  if (start == 0) {
    const std::uint32_t chosen =
        (Spread(platform::GetCurrentProcessId()) ^ platform::GetTickCount()) | 1;
    start = processStart.compare_exchange_strong(start, chosen) ? chosen : start;
  }
  return Spread(start + triesSoFar.fetch_add(1));
}

// `<name>.<number>.tmp`; empty when memory ran out.
runtime::WideString CandidateName(std::u16string_view name, std::uint32_t number) {
  char16_t digits[kDigitsAtMost];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + number % 10);
    number /= 10;
  } while (number != 0);
  const auto length = static_cast<std::uint32_t>(name.size() + 1 + count + kSuffix.size());
  runtime::WideString candidate = runtime::WideString::Allocate(length);
  char16_t* out = candidate.MutableText();
  if (out == nullptr) return candidate;
  // memcpy rather than u16string_view::copy (see cmake/flags.cmake).
  std::memcpy(out, name.data(), name.size() * sizeof(char16_t));
  out += name.size();
  *out++ = u'.';
  while (count > 0) *out++ = digits[--count];
  std::memcpy(out, kSuffix.data(), kSuffix.size() * sizeof(char16_t));
  return candidate;
}

// What became of one name.
struct Attempt {
  GuardedResult<HANDLE> created{};
  bool taken = false;        // another file has the name, or one being deleted still holds it
  bool lookRefused = false;  // the look at the name was refused too
};

// A file of that name exists, or one that is being deleted holds the name until its last
// handle closes: CREATE_NEW and GetFileAttributesW are then both refused with access denied,
// while a folder that takes no new file still says the name is not there.
void LookAtName(const runtime::WideString& candidate, Attempt& attempt) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  auto found = GuardedSystemCall([&] { return calls.getFileAttributes(candidate.Text()); });
  const bool createDenied = attempt.created.error == runtime::error::kPermissionDenied;
  attempt.lookRefused = createDenied && found.error == runtime::error::kPermissionDenied;
  attempt.taken = found.value != INVALID_FILE_ATTRIBUTES || attempt.lookRefused;
}

// One name, created new; a free name refused for a moment is tried again.
Attempt CreateNew(const runtime::WideString& candidate) {
  const FileSystemCalls& calls = CurrentFileSystemCalls();
  Attempt attempt;
  bool lookedAt = false;  // the name, since the last try
  attempt.created = RetriedSystemCall(
      [&] {
        lookedAt = false;
        // With the right to delete it, asked now: a folder that takes new files but lets none
        // be removed refuses here, before anything is written that could not be taken back.
        return calls.createFile(candidate.Text(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
      },
      [&](const GuardedResult<HANDLE>& created) {
        attempt.created = created;
        LookAtName(candidate, attempt);
        lookedAt = true;
        return !attempt.taken && IsBriefRefusal(created.code);
      });
  if (attempt.created.value == INVALID_HANDLE_VALUE && !lookedAt) LookAtName(candidate, attempt);
  return attempt;
}

}  // namespace

int CreateUniqueFileBeside(const runtime::WideString& name, UniqueFile& file) {
  bool everyLookRefused = true;
  for (int tried = 0; tried < kNamesTried; ++tried) {
    runtime::WideString candidate = CandidateName(name.View(), NextNumber());
    if (candidate.IsEmpty()) return runtime::error::kOutOfMemory;
    Attempt attempt = CreateNew(candidate);
    if (attempt.created.value != INVALID_HANDLE_VALUE) {
      file.name = std::move(candidate);
      file.handle = attempt.created.value;
      return 0;
    }
    // "Already exists" maps to the same number as many other failures; the name itself tells.
    if (!attempt.taken) {
      file.nameRefused = RefusesTheName(attempt.created.code);
      const std::uint8_t error = attempt.created.error;
      return error != 0 ? error : runtime::error::kInternalError;
    }
    everyLookRefused = everyLookRefused && attempt.lookRefused;
  }
  // Names being deleted are few: a folder that refuses even the look at a missing name refuses
  // every name both ways, and so takes no new file.
  if (everyLookRefused) return runtime::error::kPermissionDenied;
  return runtime::error::kPathFileAccessError;  // every name tried is taken
}

}  // namespace fileio
