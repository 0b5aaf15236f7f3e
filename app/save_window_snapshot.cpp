#include "app/save_window_snapshot.h"

#include "app/snapshot_file.h"
#include "app/snapshot_layout.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_geometry.h"
#include "platform/gdi.h"
#include "platform/win_messages.h"
#include "platform/window.h"

namespace app {

namespace {

// The window's outer rectangle in screen pixels, by way of the dialog's own units.
CaptureRect CaptureRectOf(HWND window) {
  dialogs::DialogPair location = dialogs::DialogGetLocation(window);
  dialogs::DialogPair size = dialogs::DialogGetSize(window);
  location = dialogs::DialogUnitsToPixels(window, location.horizontal, location.vertical);
  size = dialogs::DialogUnitsToPixels(window, size.horizontal, size.vertical);
  return CaptureRectAround(location.horizontal, location.vertical, size.horizontal, size.vertical);
}

BitmapMetrics MetricsOf(HBITMAP bitmap) {
  BITMAP reported{};
  platform::GetObjectA(bitmap, sizeof reported, &reported);
  if (reported.bmBits == nullptr) return {};  // no bitmap: the file gets the headers only
  return {reported.bmWidth, reported.bmHeight, reported.bmWidthBytes,
          static_cast<const std::uint8_t*>(reported.bmBits)};
}

// The copy is of the screen, so the screen must show what the window shows now: paint what is
// still pending, hand over this thread's batched drawing, and let the screen catch up. Where
// the screen is composed from the windows' own surfaces it does so a moment after the painting:
// under Wine when the thread next looks for messages (a look that returns at once will do),
// with desktop composition in its next frame, which DwmFlush waits for.
void ShowLatestPainting(HWND window) {
  platform::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  platform::GdiFlush();
  platform::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_PAINT, 0);
  platform::DwmFlush();
}

}  // namespace

void SaveWindowSnapshot(HWND window, const runtime::DynString& fileName) {
  CaptureRect rect = CaptureRectOf(window);
  InfoHeader description = BuildInfoHeader(rect.Width(), rect.Height(), 0);

  ShowLatestPainting(window);
  HWND desktop = platform::GetDesktopWindow();
  HDC screen = platform::GetDC(desktop);
  HDC memory = platform::CreateCompatibleDC(screen);
  HBITMAP bitmap =
      platform::CreateDIBSection(memory, description.data(), DIB_RGB_COLORS, nullptr, nullptr, 0);
  platform::SelectObject(memory, bitmap);
  BitmapMetrics metrics = MetricsOf(bitmap);
  platform::BitBlt(memory, 0, 0, metrics.width, metrics.height, screen, rect.left, rect.top,
                   SRCCOPY);

  // The picture is complete before the file is touched; failures there are not shown.
  runtime::ErrorSlot slot;
  WriteSnapshotFile(slot, fileName, BuildFileHeader(metrics), BuildInfoHeader(metrics),
                    metrics.bits, PixelBytes(metrics));

  platform::ReleaseDC(desktop, screen);
  platform::DeleteDC(memory);  // the bitmap is still selected into it
  platform::DeleteObject(bitmap);
}

}  // namespace app
