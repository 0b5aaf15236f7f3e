#include "runtime/thread_record.h"

#include <atomic>
#include <new>

#include "platform/thread_storage.h"
#include "runtime/busy_wait_lock.h"

namespace runtime {
namespace {

constexpr std::uint32_t kNoSlot = TLS_OUT_OF_INDEXES;

BusyWaitLock setupLock;
std::atomic<std::uint32_t> recordSlot{kNoSlot};
// The record later threads copy their font and code page from.
std::atomic<ThreadRecord*> mainRecord{nullptr};

std::uint32_t EnsureSlot() {
  std::uint32_t slot = recordSlot.load(std::memory_order_acquire);
  if (slot != kNoSlot) return slot;
  BusyWaitGuard guard(setupLock);
  slot = recordSlot.load(std::memory_order_relaxed);
  if (slot == kNoSlot) {
    slot = platform::TlsAlloc();
    recordSlot.store(slot, std::memory_order_release);
  }
  return slot;
}

ThreadRecord* CreateRecord(std::uint32_t slot) {
  void* block = platform::GlobalAllocZeroed(sizeof(ThreadRecord));
  if (block == nullptr) return nullptr;
  auto* record = new (block) ThreadRecord{};
  if (!platform::TlsSetValue(slot, record)) {
    platform::GlobalFree(block);
    return nullptr;
  }
  ThreadRecord* main = nullptr;
  if (!mainRecord.compare_exchange_strong(main, record)) {
    record->dialogFont = main->dialogFont;
    record->codePage = main->codePage;
  }
  return record;
}

void FreeRecord(std::uint32_t slot) {
  auto* record = static_cast<ThreadRecord*>(platform::TlsGetValue(slot));
  if (record == nullptr) return;
  ThreadRecord* expected = record;
  mainRecord.compare_exchange_strong(expected, nullptr);
  record->~ThreadRecord();
  platform::GlobalFree(record);
  platform::TlsSetValue(slot, nullptr);
}

}  // namespace

ThreadRecord* CurrentThreadRecord() {
  std::uint32_t slot = EnsureSlot();
  if (slot == kNoSlot) return nullptr;
  if (auto* record = static_cast<ThreadRecord*>(platform::TlsGetValue(slot))) return record;
  return CreateRecord(slot);
}

ThreadRecord* CurrentThreadRecord(ErrorSlot& slot) {
  ThreadRecord* record = CurrentThreadRecord();
  if (record == nullptr) RaiseRuntimeError(slot, error::kOutOfMemory);
  return record;
}

bool InitThreadRecords() {
  ReleaseThreadRecords();  // start-up starts afresh, whatever ran before it
  ThreadRecord* record = CurrentThreadRecord();
  if (record == nullptr) return false;
  record->dialogFont = 1;
  record->codePage = 0;
  mainRecord.store(record);
  return true;
}

void ReleaseThreadRecords() {
  BusyWaitGuard guard(setupLock);
  std::uint32_t slot = recordSlot.load(std::memory_order_relaxed);
  if (slot == kNoSlot) return;
  FreeRecord(slot);
  platform::TlsFree(slot);
  recordSlot.store(kNoSlot, std::memory_order_release);
}

void ReleaseCurrentThreadRecord() {
  std::uint32_t slot = recordSlot.load(std::memory_order_acquire);
  if (slot != kNoSlot) FreeRecord(slot);
}

}  // namespace runtime
