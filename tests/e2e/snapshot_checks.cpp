// The snapshot command: the file's format, what its pixels show, and how it treats an
// existing file (replaced whole, or left alone when it cannot be replaced).
#include <windows.h>

#include <string>
#include <vector>

#include "scenarios.h"
#include "support/bitmap.h"
#include "support/remote.h"
#include "support/tally.h"

namespace e2e {

namespace {

std::wstring SnapshotPath(const std::wstring& folder) {
  return folder + L"\\" + kSnapshotFile;
}

void TakeSnapshot(const Calculator& c) {
  SendMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
}

// The band's screen rectangle shrunk by a margin that absorbs the capture's rounding.
RECT InnerBand(const Calculator& c, int margin) {
  RECT band{};
  GetWindowRect(c.Item(kTotalTimeText), &band);
  InflateRect(&band, -margin, -margin);
  return band;
}

POINT PictureOrigin(const Calculator& c) {
  RECT outer{};
  GetWindowRect(c.window, &outer);
  return {outer.left - 1, outer.top - 1};
}

bool NoLeftovers(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  // Any file named like the snapshot up to its extension: a temporary would be one.
  const std::wstring name = kSnapshotFile;
  const std::wstring pattern = folder + L"\\" + name.substr(0, name.rfind(L'.')) + L"*";
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return true;
  int count = 0;
  do {
    if (lstrcmpiW(found.cFileName, kSnapshotFile) != 0) ++count;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count == 0;
}

// A failed comparison keeps both pictures where the test run's results are collected
// (E2E_KEEP, a folder the script names), so a failure elsewhere can be looked at; returns
// where, for the check's message.
std::string KeptAs(const wchar_t* name, const std::vector<std::uint8_t>& first,
                   const std::vector<std::uint8_t>& second) {
  wchar_t folder[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"E2E_KEEP", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  CreateDirectoryW(folder, nullptr);
  const std::wstring stem = std::wstring(folder) + L"\\" + name;
  bool kept = WriteWholeFile(stem + L"-1.bmp", first) && WriteWholeFile(stem + L"-2.bmp", second);
  return kept ? "; both kept as " + Narrow(stem) + "-1.bmp and -2.bmp" : "; could not keep them";
}

// A screen copy that lags the painting shows now and then, not every time: several tries.
constexpr int kSnapshotsAfterChanges = 20;

}  // namespace

void CheckSnapshotBeforeAnyResult(const Calculator& c, const std::wstring& folder) {
  DeleteFileW(SnapshotPath(folder).c_str());
  TakeSnapshot(c);
  Bitmap bitmap = ParseBitmap(ReadWholeFile(SnapshotPath(folder)));
  if (!Check(bitmap.valid, "snapshot is a 24-bit bitmap file", "%s", bitmap.problem.c_str())) {
    return;
  }
  RECT outer{};
  GetWindowRect(c.window, &outer);
  LONG width = outer.right - outer.left + 1;
  LONG height = outer.bottom - outer.top + 2;
  // The window's rectangle passes through dialog units on its way, so allow their rounding.
  Check(bitmap.width >= width - 4 && bitmap.width <= width + 4 && bitmap.height >= height - 4 &&
            bitmap.height <= height + 4,
        "snapshot covers the window plus a column left and rows above and below",
        "%d x %d for a window of %ld x %ld", bitmap.width, bitmap.height, width - 1, height - 2);
  PixelCount band = CountPixels(bitmap, PictureOrigin(c), InnerBand(c, 4));
  Check(band.total > 0 && band.back * 100 >= band.total * 95,
        "the empty result band shows its background colour from the start", "%d of %d pixels of it",
        band.back, band.total);
  RECT caption{outer.left + 40, outer.top + 10, outer.right - 40, outer.top + 12};
  PixelCount frame = CountPixels(bitmap, PictureOrigin(c), caption);
  Check(frame.back * 2 < frame.total, "the caption bar is not the band's background colour");
}

void CheckSnapshot(const Calculator& c, const std::wstring& folder) {
  std::wstring path = SnapshotPath(folder);
  SetPickerDate(c.Handle(), c.Item(kBaseDatePicker), 2020, 1, 15);
  SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), 2021, 4, 10);
  SendMessageW(c.Item(kTotalTimeButton), BM_CLICK, 0, 0);

  // A longer old file is replaced whole.
  std::vector<std::uint8_t> old(4 * 1024 * 1024, 0x5A);
  WriteWholeFile(path, old);
  int windowsBefore = CountVisibleWindows(c.process.dwProcessId);
  TakeSnapshot(c);
  Bitmap first = ParseBitmap(ReadWholeFile(path));
  Check(first.valid, "a longer old file is replaced by exactly the new picture", "%s",
        first.problem.c_str());
  Check(CountVisibleWindows(c.process.dwProcessId) == windowsBefore, "the snapshot shows nothing");
  if (first.valid) {
    PixelCount band = CountPixels(first, PictureOrigin(c), InnerBand(c, 4));
    Check(band.back * 100 >= band.total * 60,
          "the result band shows its background colour in the picture", "%d of %d", band.back,
          band.total);
    Check(band.text >= 10, "the result text shows in its colour inside the band", "%d pixels of it",
          band.text);
  }

  // Snapshots right after changes: each replaces the one before under the same name and shows
  // the change. One taken before the screen caught up with the painting equals the one before.
  Bitmap before = std::move(first), now;
  bool replaced = true;
  int round = 0;
  while (replaced && round < kSnapshotsAfterChanges) {
    if (round++ > 0) before = std::move(now);
    SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), 2021, 4, round % 2 == 1 ? 11 : 10);
    SendMessageW(c.Item(kTotalTimeButton), BM_CLICK, 0, 0);
    TakeSnapshot(c);
    now = ParseBitmap(ReadWholeFile(path));
    replaced = now.valid && now.bytes != before.bytes;
  }
  Check(replaced, "each snapshot right after a change replaces the one before",
        "snapshot %d: before %d x %d (%zu bytes), now %d x %d (%zu bytes%s%s), %s; the band "
        "shows \"%s\"%s",
        round, before.width, before.height, before.bytes.size(), now.width, now.height,
        now.bytes.size(), now.valid ? "" : ", ", now.problem.c_str(),
        now.bytes == before.bytes ? "equal" : "different",
        Narrow(WindowText(c.Item(kTotalTimeText))).c_str(),
        replaced ? "" : KeptAs(L"snapshot-after-change", before.bytes, now.bytes).c_str());
  Check(NoLeftovers(folder), "no temporary file is left beside the snapshot");

  // A read-only snapshot stays as it was.
  std::vector<std::uint8_t> kept = ReadWholeFile(path);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), 2021, 4, 12);
  SendMessageW(c.Item(kTotalTimeButton), BM_CLICK, 0, 0);
  TakeSnapshot(c);
  Check(ReadWholeFile(path) == kept, "a read-only snapshot is left unchanged");
  Check(NoLeftovers(folder), "no temporary file is left after a refused replacement");
  Check(CountVisibleWindows(c.process.dwProcessId) == windowsBefore,
        "a refused snapshot shows nothing");
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

  // A snapshot another program holds open without sharing stays as it was.
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  TakeSnapshot(c);
  CloseHandle(held);
  Check(held != INVALID_HANDLE_VALUE && ReadWholeFile(path) == kept,
        "a snapshot held open elsewhere is left unchanged");
  Check(NoLeftovers(folder), "no temporary file is left after a locked target");
}

}  // namespace e2e
