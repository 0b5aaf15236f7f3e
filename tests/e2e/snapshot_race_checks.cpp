// The snapshot against what a user's machine does to a file beside the program: a calculator
// ended while it writes, several calculators writing one name while another program keeps
// reading it, another program that keeps the picture open again and again, the temporaries
// earlier calculators left, and a DLL someone put beside the program. The name must always hold
// a whole picture, a snapshot must not be lost for a file held a moment, nothing of the
// program's may pile up beside it, and nothing beside it may run. Each check works in a folder
// of its own, so that what it finds there is its own.
#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "scenarios.h"
#include "support/bitmap.h"
#include "support/remote.h"
#include "support/tally.h"

namespace e2e {

namespace {

constexpr int kKills = 50;
// The kill lands 30 to 430 ms after the snapshots were asked for. 401 is prime, so the stride
// visits fifty different moments spread over the whole range, the same ones in every run.
constexpr DWORD kEarliestKill = 30;
constexpr DWORD kKillSpan = 401;
constexpr DWORD kKillStride = 137;
// Far more snapshots than fit before the latest kill, so that every kill strikes a writer.
constexpr int kSnapshotsBeforeKill = 1000;

constexpr int kWriters = 4;
constexpr int kSnapshotsEach = 40;
constexpr DWORD kWritersDeadline = 120000;

// A viewer, a thumbnailer or a scanner keeps a fresh picture open for tens to hundreds of
// milliseconds, and comes back for it.
constexpr int kHeldSnapshots = 20;
constexpr DWORD kHoldFor = 150;
constexpr DWORD kHoldEvery = 30;

// As many as the names a calculator tries today: numbered from 1, every one is taken.
constexpr int kLeftoversOfEarlierCalculators = 100;

DWORD KillDelay(int round) {
  return kEarliestKill + (static_cast<DWORD>(round) * kKillStride) % kKillSpan;
}

// A check's name with the figures it measured, so that a passing line reports them too.
std::string Figures(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

std::wstring SnapshotIn(const std::wstring& folder) {
  return folder + L"\\" + kSnapshotFile;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
  return text.compare(0, start.size(), start) == 0;
}

// The files in a folder other than the snapshot, by who made them.
struct Leftovers {
  int temporaries = 0;  // the program's own, "<snapshot>.<n>.tmp"
  int scratch = 0;      // Wine's ReplaceFileW scratch files, "rfXXXX.tmp"
  int other = 0;

  int Total() const { return temporaries + scratch + other; }
};

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

Leftovers LeftoversIn(const std::wstring& folder) {
  const std::wstring temporary = std::wstring(kSnapshotFile) + L".";
  Leftovers left;
  for (const std::wstring& name : FilesIn(folder)) {
    if (lstrcmpiW(name.c_str(), kSnapshotFile) == 0) continue;
    if (StartsWith(name, temporary) && EndsWith(name, L".tmp")) {
      ++left.temporaries;
    } else if (StartsWith(name, L"rf") && EndsWith(name, L".tmp")) {
      ++left.scratch;
    } else {
      ++left.other;
    }
  }
  return left;
}

void RemoveLeftovers(const std::wstring& folder) {
  for (const std::wstring& name : FilesIn(folder)) {
    if (lstrcmpiW(name.c_str(), kSnapshotFile) != 0) DeleteFileW((folder + L"\\" + name).c_str());
  }
}

// An empty folder of the check's own under `parent`.
std::wstring FreshFolder(const std::wstring& parent, const wchar_t* name) {
  std::wstring folder = parent + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  RemoveLeftovers(folder);
  DeleteFileW(SnapshotIn(folder).c_str());
  return folder;
}

bool WholePictureAt(const std::wstring& path) {
  return ParseBitmap(ReadWholeFile(path)).valid;
}

void AskForSnapshots(const Calculator& c, int count) {
  for (int i = 0; i < count; ++i) PostMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
}

// Queued behind the snapshots, the close ends the calculator once it has taken them all.
void CloseAfterSnapshots(const Calculator& c) {
  PostMessageW(c.window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// What the kills found, summed over every round.
struct KillTally {
  int rounds = 0;
  int missing = 0;         // the name was gone
  int notWhole = 0;        // the name held something other than a whole picture
  int finished = 0;        // the calculator had ended before the kill: it struck no writer
  DWORD finishedCode = 0;  // the exit code of the last one that had
  int notStarted = 0;      // no calculator to kill
  int temporaries = 0;     // the program's own temporaries left, a killed writer's due
  int beyondOne = 0;       // rounds that left more than the one temporary being written
  int scratch = 0;         // Wine's scratch files left
  int others = 0;          // anything else left
};

// One calculator asked for snapshots one after another and ended `delay` ms later, as a crash
// or a forced close would end it; then what the folder holds. A killed writer may leave the
// one temporary it was writing; every snapshot it completed must have left nothing.
void KillOneWriter(const std::wstring& exe, const std::wstring& folder, DWORD delay,
                   KillTally& tally) {
  ++tally.rounds;
  Calculator c;
  if (!Launch(exe, folder, kCaption, c)) {
    ++tally.notStarted;
    Kill(c);
    return;
  }
  AskForSnapshots(c, kSnapshotsBeforeKill);
  CloseAfterSnapshots(c);
  Sleep(delay);  // the moment of the kill, deliberately not a condition
  if (WaitForSingleObject(c.Handle(), 0) == WAIT_OBJECT_0) {
    ++tally.finished;
    GetExitCodeProcess(c.Handle(), &tally.finishedCode);
  }
  Kill(c);

  const std::wstring path = SnapshotIn(folder);
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ++tally.missing;
  } else if (!WholePictureAt(path)) {
    ++tally.notWhole;
  }
  Leftovers left = LeftoversIn(folder);
  tally.temporaries += left.temporaries;
  tally.scratch += left.scratch;
  tally.others += left.other;
  if (left.temporaries > 1) ++tally.beyondOne;
}

// The first picture, taken by a calculator that then closes normally.
std::vector<std::uint8_t> TakeEarlierSnapshot(const std::wstring& exe, const std::wstring& folder) {
  Calculator c;
  if (!Launch(exe, folder, kCaption, c)) {
    Kill(c);
    return {};
  }
  SendMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
  if (CloseAndWait(c) < 0) Kill(c);
  std::vector<std::uint8_t> bytes = ReadWholeFile(SnapshotIn(folder));
  return ParseBitmap(bytes).valid ? bytes : std::vector<std::uint8_t>{};
}

// What a reader that keeps opening the file met, summed over its reads.
struct ReadTally {
  int reads = 0;
  int missing = 0;    // ERROR_FILE_NOT_FOUND: to a sync client, a deleted file
  int refused = 0;    // any other failure to open: sharing violation, access denied
  DWORD refusal = 0;  // the last refusal's error code
  int torn = 0;       // opened, but not a whole picture
};

std::vector<std::uint8_t> ReadOpenFile(HANDLE file) {
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[65536];
  DWORD got = 0;
  while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) {
    bytes.insert(bytes.end(), block, block + got);
  }
  return bytes;
}

// One read as an image viewer that reloads, a backup or a sync client does it: sharing
// everything, so that it stands in no writer's way.
void ReadOnce(const std::wstring& path, ReadTally& tally) {
  ++tally.reads;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) {
      ++tally.missing;
    } else {
      ++tally.refused;
      tally.refusal = error;
    }
    return;
  }
  std::vector<std::uint8_t> bytes = ReadOpenFile(file);
  CloseHandle(file);
  if (!ParseBitmap(std::move(bytes)).valid) ++tally.torn;
}

// Reads until `stop`, a moment apart, as a reloading viewer would: it must not take a core the
// writers need.
void ReadUntilStopped(const std::wstring& path, const std::atomic<bool>& stop, ReadTally& tally) {
  while (!stop.load()) {
    ReadOnce(path, tally);
    Sleep(1);
  }
}

// What the name holds, seen from outside: which file (a rewrite in place keeps it, a rename
// gives the name another), when it was last written, and its bytes.
struct FileState {
  bool found = false;
  BY_HANDLE_FILE_INFORMATION info{};
  std::vector<std::uint8_t> bytes;
};

FileState StateOf(const std::wstring& path) {
  FileState state;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return state;
  state.found = GetFileInformationByHandle(file, &state.info) != FALSE;
  state.bytes = ReadOpenFile(file);
  CloseHandle(file);
  return state;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// How one snapshot reached the name, told from what the name held before and after it.
enum Landing { kByRename, kInPlace, kDropped, kLost, kLandings };
constexpr const char* kLandingNames[kLandings] = {"by the rename", "in place", "dropped",
                                                  "lost the picture"};

Landing HowItLanded(const FileState& before, const FileState& after) {
  if (!after.found || !ParseBitmap(after.bytes).valid) return kLost;
  if (!SameFile(before.info, after.info)) return kByRename;
  const bool written =
      after.bytes != before.bytes ||
      CompareFileTime(&after.info.ftLastWriteTime, &before.info.ftLastWriteTime) != 0;
  return written ? kInPlace : kDropped;
}

// Another program that keeps the picture open a while, again and again, sharing everything as
// a viewer does. `phase` is odd while it holds the file.
struct Holder {
  std::atomic<bool> stop{false};
  std::atomic<int> phase{0};
  int refused = 0;
};

void HoldUntilStopped(const std::wstring& path, Holder& holder) {
  while (!holder.stop.load()) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      ++holder.phase;
      Sleep(kHoldFor);  // how long the other program keeps it, deliberately not a condition
      CloseHandle(file);
      ++holder.phase;
    } else {
      ++holder.refused;
    }
    Sleep(kHoldEvery);
  }
}

// What the snapshots taken while the picture is held met, and how each landed.
struct HeldTally {
  int landed[kLandings] = {};
  int metHold = 0;  // snapshots asked for during a hold, or during which one began
};

void TakeHeldSnapshots(const Calculator& c, const std::wstring& path, Holder& holder,
                       HeldTally& tally) {
  FileState before = StateOf(path);
  for (int round = 1; round <= kHeldSnapshots; ++round) {
    // Each picture differs from the one before: the final date moves a day each round.
    SetPickerDate(c.Handle(), c.Item(kFinalDatePicker), 2021, 4, static_cast<WORD>(round));
    SendMessageW(c.Item(kTotalTimeButton), BM_CLICK, 0, 0);
    const int phase = holder.phase.load();
    SendMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
    if (phase % 2 == 1 || holder.phase.load() != phase) ++tally.metHold;
    FileState after = StateOf(path);
    ++tally.landed[HowItLanded(before, after)];
    before = std::move(after);
  }
}

std::wstring LeftoverName(const std::wstring& folder, int number) {
  return SnapshotIn(folder) + L"." + std::to_wstring(number) + L".tmp";
}

// A temporary of a calculator ended while it wrote, with bytes of its own.
std::vector<std::uint8_t> LeftoverBytes(int number) {
  return std::vector<std::uint8_t>(100 + number, static_cast<std::uint8_t>(number));
}

// Starts every writer in one folder; false (with none left running) when one did not start.
bool LaunchWriters(const std::wstring& exe, const std::wstring& folder,
                   std::vector<Calculator>& writers) {
  bool all = true;
  for (Calculator& writer : writers) all = all && Launch(exe, folder, kCaption, writer);
  if (!all) {
    for (Calculator& writer : writers) Kill(writer);
  }
  return all;
}

// True when every writer ended by itself, with exit code 0, before the deadline.
bool AllEndedNormally(std::vector<Calculator>& writers) {
  std::vector<HANDLE> handles;
  for (const Calculator& writer : writers) handles.push_back(writer.Handle());
  bool ended = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE,
                                      kWritersDeadline) == WAIT_OBJECT_0;
  for (Calculator& writer : writers) {
    DWORD code = 1;
    GetExitCodeProcess(writer.Handle(), &code);
    ended = ended && code == 0;
    Kill(writer);
  }
  return ended;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The DLL the tests plant (tests/support/planted_dll.cpp), built beside this driver.
std::wstring PlantedDll() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring own(path, length < MAX_PATH ? length : 0);
  return own.substr(0, own.find_last_of(L'\\') + 1) + L"planted_dll.dll";
}

// Loading `dll` here leaves its mark (`mark`): the planted DLL can show that it ran.
bool LeavesItsMark(const std::wstring& dll, const std::wstring& mark) {
  HMODULE loaded = LoadLibraryW(dll.c_str());
  const bool marked = loaded != nullptr && Exists(mark);
  if (loaded != nullptr) FreeLibrary(loaded);
  DeleteFileW(mark.c_str());
  return marked;
}

}  // namespace

void CheckDllPlantedBesideTheProgram(const std::wstring& exe, const std::wstring& parent) {
  const std::wstring folder = FreshFolder(parent, L"planted-dll");
  const std::wstring program = folder + L"\\datecalc.exe";
  const std::wstring planted = folder + L"\\dwmapi.dll";  // what the snapshot loads
  const std::wstring mark = planted + L".ran";
  const bool placed = CopyFileW(exe.c_str(), program.c_str(), FALSE) &&
                      CopyFileW(PlantedDll().c_str(), planted.c_str(), FALSE);
  if (!Check(placed && LeavesItsMark(planted, mark),
             "a dwmapi.dll that leaves a mark when loaded lies beside a copy of the calculator")) {
    return;
  }
  Calculator c;
  const bool started = Launch(program, folder, kCaption, c);
  for (int i = 0; started && i < 2; ++i) SendMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
  const bool taken = started && CloseAndWait(c) == 0 && WholePictureAt(SnapshotIn(folder));
  Kill(c);
  Check(taken && !Exists(mark),
        "snapshots by a calculator with a dwmapi.dll beside it never load that DLL",
        "%s; the planted DLL %s", taken ? "snapshots taken" : "no snapshot taken",
        Exists(mark) ? "ran" : "did not run");
}

void CheckCalculatorEndedWhileWriting(const std::wstring& exe, const std::wstring& parent) {
  const std::wstring folder = FreshFolder(parent, L"killed-writer");
  const std::wstring path = SnapshotIn(folder);
  const std::vector<std::uint8_t> earlier = TakeEarlierSnapshot(exe, folder);
  if (!Check(!earlier.empty(), "a calculator's snapshot is there before the kills begin")) return;

  KillTally tally;
  for (int round = 0; round < kKills; ++round) {
    KillOneWriter(exe, folder, KillDelay(round), tally);
    RemoveLeftovers(folder);
    // Every kill strikes a calculator that replaces an existing picture.
    if (!WholePictureAt(path)) WriteWholeFile(path, earlier);
  }
  Check(tally.missing == 0 && tally.notWhole == 0 && tally.finished == 0 && tally.notStarted == 0,
        Figures("a calculator ended while it writes leaves a whole picture (%d kills at %lu-%lu "
                "ms: name missing after %d, not a whole picture after %d)",
                tally.rounds, kEarliestKill, kEarliestKill + kKillSpan - 1, tally.missing,
                tally.notWhole)
            .c_str(),
        "the calculator had ended before the kill %d times (the last with exit code %#lx), "
        "not started %d times",
        tally.finished, tally.finishedCode, tally.notStarted);
  Check(tally.beyondOne == 0 && tally.scratch == 0 && tally.others == 0,
        Figures("a killed calculator leaves at most the temporary it was writing (%d of its "
                "temporaries left over %d kills, more than one after %d; %d Wine scratch files, "
                "%d other files)",
                tally.temporaries, tally.rounds, tally.beyondOne, tally.scratch, tally.others)
            .c_str(),
        "only the temporary a killed snapshot was writing may stay");
}

void CheckWritersSharingOneName(const std::wstring& exe, const std::wstring& parent) {
  const std::wstring folder = FreshFolder(parent, L"shared-writers");
  const std::wstring path = SnapshotIn(folder);
  std::vector<Calculator> writers(kWriters);
  if (!Check(LaunchWriters(exe, folder, writers), "several calculators start in one folder")) {
    return;
  }
  // The name exists before the reader starts: from then on it must never be missing.
  SendMessageW(writers[0].window, WM_COMMAND, kSnapshotCommand, 0);
  std::atomic<bool> stop{false};
  ReadTally reads;
  std::thread reader(ReadUntilStopped, std::cref(path), std::cref(stop), std::ref(reads));
  for (const Calculator& writer : writers) AskForSnapshots(writer, kSnapshotsEach);
  for (const Calculator& writer : writers) CloseAfterSnapshots(writer);
  bool ended = AllEndedNormally(writers);
  stop = true;
  reader.join();

  Check(ended, Figures("%d calculators each take %d snapshots of one name and end normally",
                       kWriters, kSnapshotsEach)
                   .c_str());
  Leftovers left = LeftoversIn(folder);
  const bool whole = WholePictureAt(path);
  Check(whole && left.Total() == 0,
        Figures("calculators writing one name leave one whole picture and nothing else (%d of "
                "their temporaries, %d Wine scratch files, %d other files)",
                left.temporaries, left.scratch, left.other)
            .c_str(),
        "the name holds %s", whole ? "a whole picture" : "no whole picture");
  Check(reads.reads > 0 && reads.missing == 0,
        Figures("a reader never finds the name missing while calculators write it (%d reads: "
                "missing %d, refused %d (last with error %lu), torn pictures %d)",
                reads.reads, reads.missing, reads.refused, reads.refusal, reads.torn)
            .c_str(),
        "a reader that found no file would take it for deleted");
}

void CheckSnapshotOfHeldPicture(const std::wstring& exe, const std::wstring& parent) {
  const std::wstring folder = FreshFolder(parent, L"held-picture");
  const std::wstring path = SnapshotIn(folder);
  Calculator c;
  if (!Check(Launch(exe, folder, kCaption, c), "a calculator starts beside a held picture")) {
    Kill(c);
    return;
  }
  SetPickerDate(c.Handle(), c.Item(kBaseDatePicker), 2020, 1, 15);
  SendMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
  Holder holder;
  std::thread holding(HoldUntilStopped, std::cref(path), std::ref(holder));
  HeldTally tally;
  TakeHeldSnapshots(c, path, holder, tally);
  holder.stop = true;
  holding.join();
  if (CloseAndWait(c) < 0) Kill(c);

  Check(tally.landed[kByRename] == kHeldSnapshots && tally.metHold > 0,
        Figures("while another program keeps the picture open %lu ms at a time, %lu ms apart, "
                "every snapshot lands by the rename (%d snapshots: by the rename %d, in place %d, "
                "dropped %d, lost the picture %d; %d met a hold, of %d holds; the holder was "
                "refused %d times)",
                kHoldFor, kHoldEvery, kHeldSnapshots, tally.landed[kByRename],
                tally.landed[kInPlace], tally.landed[kDropped], tally.landed[kLost], tally.metHold,
                holder.phase.load() / 2, holder.refused)
            .c_str(),
        "a snapshot is lost to the user whenever a viewer happens to hold the file");
}

void CheckLeftoversOfEarlierCalculators(const std::wstring& exe, const std::wstring& parent) {
  const std::wstring folder = FreshFolder(parent, L"leftovers");
  const std::wstring path = SnapshotIn(folder);
  if (!Check(!TakeEarlierSnapshot(exe, folder).empty(),
             "a calculator's snapshot is there before the leftovers are made")) {
    return;
  }
  for (int number = 1; number <= kLeftoversOfEarlierCalculators; ++number) {
    WriteWholeFile(LeftoverName(folder, number), LeftoverBytes(number));
  }
  const FileState before = StateOf(path);
  Calculator c;
  const bool started = Launch(exe, folder, kCaption, c);
  if (started) SendMessageW(c.window, WM_COMMAND, kSnapshotCommand, 0);
  if (!started || CloseAndWait(c) < 0) Kill(c);
  const Landing landed = HowItLanded(before, StateOf(path));
  Check(landed == kByRename,
        Figures("beside %d temporaries earlier calculators left, a new calculator's first "
                "snapshot lands by the rename (it landed %s)",
                kLeftoversOfEarlierCalculators, started ? kLandingNames[landed] : "nowhere")
            .c_str(),
        "%s", started ? "the leftovers refused it" : "the calculator did not start");

  int kept = 0;
  for (int number = 1; number <= kLeftoversOfEarlierCalculators; ++number) {
    if (ReadWholeFile(LeftoverName(folder, number)) == LeftoverBytes(number)) ++kept;
  }
  const Leftovers left = LeftoversIn(folder);
  Check(kept == kLeftoversOfEarlierCalculators && left.Total() == kLeftoversOfEarlierCalculators,
        Figures("the temporaries earlier calculators left stay byte for byte (%d of %d; %d files "
                "beside the picture)",
                kept, kLeftoversOfEarlierCalculators, left.Total())
            .c_str(),
        "the program removes or changes only files it made");
}

}  // namespace e2e
