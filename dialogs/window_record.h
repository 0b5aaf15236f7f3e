#pragma once
// The toolkit's record of each dialog and control, in one program-wide list guarded by a
// busy-wait lock. Every operation holds the lock only for its own search or change and hands
// out copies, so no lock is held across a window-system call or a callback.

#include <cstdint>

#include "dialogs/callback.h"
#include "dialogs/control.h"
#include "platform/win_types.h"

namespace dialogs {

inline constexpr std::uint32_t kDialogFlag = 0x40000000;
inline constexpr std::uint32_t kControlFlag = 0x20000000;
inline constexpr std::uint32_t kUnitModeMask = 0xF;

struct WindowRecord {
  WindowRecord* next = nullptr;
  HWND window = nullptr;
  HWND parent = nullptr;  // a dialog's owner, or a control's dialog
  std::uint32_t flags = 0;
  std::int32_t showCommand = 0;
  HFONT font = nullptr;
  DialogCallback callback = nullptr;
  std::int32_t* resultVariable = nullptr;
  HBRUSH brush = nullptr;
  std::int32_t backColour = kColourNotSet;
  std::int32_t textColour = kColourNotSet;
  std::int32_t kind = 0;
  std::uint32_t style = 0;
  std::uint32_t extendedStyle = 0;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;

  bool IsDialog() const { return (flags & kDialogFlag) != 0; }
  std::int32_t UnitMode() const { return static_cast<std::int32_t>(flags & kUnitModeMask); }
};

// How released records give back their brushes and icons (the window system in the program,
// recorders in tests).
struct RecordResourceRelease {
  void (*deleteBrush)(HBRUSH brush);
  void (*destroyIcon)(HICON icon);
};

// Adds a copy of `fields` (its `next` ignored) at the head of the list; false when memory ran
// out. A stale record of the same window is dropped first: its icons, and its brush unless
// another record still uses it, go back through `release`.
bool CreateRecord(const WindowRecord& fields, const RecordResourceRelease& release);

// A copy of the window's record; false when it has none (null window included).
bool FindRecord(HWND window, WindowRecord* copy);

// Applies `change` to the window's record under the lock; false when it has none. `change`
// must not call the window system.
bool UpdateRecord(HWND window, void (*change)(WindowRecord& record, const void* data),
                  const void* data);

// A brush held by any record painting `backColour`, or null.
HBRUSH FindBrushOfColour(std::int32_t backColour);

// Stores colours and brush in the window's record. The brush the record held before is deleted
// unless another record still holds it. False when the window has no record.
bool StoreRecordColours(HWND window, std::int32_t textColour, std::int32_t backColour, HBRUSH brush,
                        const RecordResourceRelease& release);

// Releases the records of the dialog's controls, then the dialog's own: icons destroyed,
// brushes that no remaining record holds deleted.
void ReleaseDialogRecords(HWND dialog, const RecordResourceRelease& release);

// The number of records in the list (for checks that nothing is left behind).
std::size_t RecordCount();

}  // namespace dialogs
