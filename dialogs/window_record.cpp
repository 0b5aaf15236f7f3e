#include "dialogs/window_record.h"

#include <new>

#include "runtime/busy_wait_lock.h"

namespace dialogs {
namespace {

runtime::BusyWaitLock listLock;
WindowRecord* listHead = nullptr;

WindowRecord* FindLocked(HWND window) {
  for (WindowRecord* record = listHead; record != nullptr; record = record->next) {
    if (record->window == window) return record;
  }
  return nullptr;
}

bool BrushHeldLocked(HBRUSH brush) {
  for (WindowRecord* record = listHead; record != nullptr; record = record->next) {
    if (record->brush == brush) return true;
  }
  return false;
}

// Unlinks every record `matches` selects and returns them as a chain of their own.
template <typename Predicate>
WindowRecord* UnlinkLocked(Predicate matches) {
  WindowRecord* taken = nullptr;
  WindowRecord** link = &listHead;
  while (*link != nullptr) {
    WindowRecord* record = *link;
    if (matches(*record)) {
      *link = record->next;
      record->next = taken;
      taken = record;
    } else {
      link = &record->next;
    }
  }
  return taken;
}

// Frees an unlinked chain. Brushes go only when no listed record (nor a later one in the
// chain, which shares it) holds them any more; the lock is not held across the releases.
void FreeChain(WindowRecord* chain, const RecordResourceRelease& release) {
  while (chain != nullptr) {
    WindowRecord* record = chain;
    chain = chain->next;
    bool brushStillUsed = record->brush == nullptr;
    if (!brushStillUsed) {
      runtime::BusyWaitGuard guard(listLock);
      brushStillUsed = BrushHeldLocked(record->brush);
    }
    for (WindowRecord* later = chain; later != nullptr && !brushStillUsed; later = later->next) {
      brushStillUsed = later->brush == record->brush;
    }
    if (!brushStillUsed) release.deleteBrush(record->brush);
    if (record->bigIcon != nullptr) release.destroyIcon(record->bigIcon);
    if (record->smallIcon != nullptr) release.destroyIcon(record->smallIcon);
    delete record;
  }
}

}  // namespace

bool CreateRecord(const WindowRecord& fields, const RecordResourceRelease& release) {
  auto* record = new (std::nothrow) WindowRecord(fields);
  if (record == nullptr) return false;
  WindowRecord* stale = nullptr;
  {
    runtime::BusyWaitGuard guard(listLock);
    stale = UnlinkLocked([&](const WindowRecord& r) { return r.window == fields.window; });
    record->next = listHead;
    listHead = record;
  }
  FreeChain(stale, release);
  return true;
}

bool FindRecord(HWND window, WindowRecord* copy) {
  if (window == nullptr) return false;
  runtime::BusyWaitGuard guard(listLock);
  const WindowRecord* record = FindLocked(window);
  if (record == nullptr) return false;
  if (copy != nullptr) *copy = *record;
  return true;
}

bool UpdateRecord(HWND window, void (*change)(WindowRecord& record, const void* data),
                  const void* data) {
  if (window == nullptr) return false;
  runtime::BusyWaitGuard guard(listLock);
  WindowRecord* record = FindLocked(window);
  if (record == nullptr) return false;
  change(*record, data);
  return true;
}

HBRUSH FindBrushOfColour(std::int32_t backColour) {
  runtime::BusyWaitGuard guard(listLock);
  for (WindowRecord* record = listHead; record != nullptr; record = record->next) {
    if (record->brush != nullptr && record->backColour == backColour) return record->brush;
  }
  return nullptr;
}

bool StoreRecordColours(HWND window, std::int32_t textColour, std::int32_t backColour, HBRUSH brush,
                        const RecordResourceRelease& release) {
  HBRUSH orphan = nullptr;
  {
    runtime::BusyWaitGuard guard(listLock);
    WindowRecord* record = window == nullptr ? nullptr : FindLocked(window);
    if (record == nullptr) return false;
    HBRUSH previous = record->brush;
    record->textColour = textColour;
    record->backColour = backColour;
    record->brush = brush;
    if (previous != nullptr && previous != brush && !BrushHeldLocked(previous)) orphan = previous;
  }
  if (orphan != nullptr) release.deleteBrush(orphan);
  return true;
}

void ReleaseDialogRecords(HWND dialog, const RecordResourceRelease& release) {
  if (dialog == nullptr) return;
  WindowRecord* controls = nullptr;
  WindowRecord* own = nullptr;
  {
    runtime::BusyWaitGuard guard(listLock);
    controls = UnlinkLocked(
        [&](const WindowRecord& r) { return r.parent == dialog && (r.flags & kControlFlag) != 0; });
    own = UnlinkLocked([&](const WindowRecord& r) { return r.window == dialog; });
  }
  // One chain, controls first: a brush the dialog shares with a control is deleted only once.
  WindowRecord** tail = &controls;
  while (*tail != nullptr) tail = &(*tail)->next;
  *tail = own;
  FreeChain(controls, release);
}

std::size_t RecordCount() {
  runtime::BusyWaitGuard guard(listLock);
  std::size_t count = 0;
  for (WindowRecord* record = listHead; record != nullptr; record = record->next) ++count;
  return count;
}

}  // namespace dialogs
