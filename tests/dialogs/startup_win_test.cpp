// Start-up ends its process, so these tests run it in a child program and watch from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kWaitLimitMs = 30000;

std::wstring ChildPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring own(path, length);
  return own.substr(0, own.find_last_of(L"\\/") + 1) + L"startup_child.exe";
}

struct Child {
  PROCESS_INFORMATION process{};
  bool started = false;
  ~Child() {
    if (!started) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  DWORD ExitCode() {
    if (WaitForSingleObject(process.hProcess, kWaitLimitMs) != WAIT_OBJECT_0) return 0xDEAD;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }
};

void Start(Child& child, const std::wstring& arguments, STARTUPINFOW info) {
  std::wstring line = L"\"" + ChildPath() + L"\"" + arguments;
  info.cb = sizeof(info);
  child.started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &info, &child.process) != 0;
  ASSERT_TRUE(child.started) << GetLastError();
}

struct BoxSearch {
  DWORD processId;
  HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (owner == search->processId && IsWindowVisible(window) &&
      std::wstring_view(className) == L"#32770") {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForBox(DWORD processId) {
  for (DWORD waited = 0; waited < kWaitLimitMs; waited += 50) {
    BoxSearch search{processId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.box != nullptr) return search.box;
    Sleep(50);
  }
  return nullptr;
}

std::wstring Text(HWND window) {
  wchar_t text[256] = {};
  // WM_GETTEXT crosses processes, GetWindowText of a foreign control does not.
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

BOOL CALLBACK CollectTexts(HWND window, LPARAM data) {
  auto* texts = reinterpret_cast<std::wstring*>(data);
  *texts += Text(window) + L"|";
  return TRUE;
}

TEST(StartupChild, NonNtPlatformShowsOnlyTheRefusalBoxAndExitsWith255) {
  Child child;
  Start(child, L" refuse", {});
  const HWND box = WaitForBox(child.process.dwProcessId);
  ASSERT_NE(box, nullptr) << "no message box appeared";
  std::wstring texts;
  EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&texts));
  EXPECT_NE(texts.find(L"Win98 No Support|"), std::wstring::npos) << texts.size();
  EXPECT_FALSE(Text(box).empty()) << "the system's default caption";
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
  const HWND ok = GetDlgItem(box, IDOK);
  ASSERT_NE(ok, nullptr);
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(child.ExitCode(), 255u);
}

TEST(StartupChild, NoMemoryForTheThreadRecordExitsWith255WithoutABox) {
  Child child;
  Start(child, L" nomemory", {});
  EXPECT_EQ(child.ExitCode(), 255u);
}

TEST(StartupChild, ShowCommandAndArgumentTextReachTheProgram) {
  {
    Child child;  // no STARTF_USESHOWWINDOW: SW_SHOWDEFAULT
    Start(child, L"  report", {});
    EXPECT_EQ(child.ExitCode(), 10u * 1000 + 6 * 10 + 1);
  }
  {
    Child child;
    STARTUPINFOW info{};
    info.dwFlags = STARTF_USESHOWWINDOW;
    info.wShowWindow = SW_SHOWMINNOACTIVE;
    Start(child, L" report a", info);
    EXPECT_EQ(child.ExitCode(), 7u * 1000 + 8 * 10 + 1);
  }
}

}  // namespace

namespace {

struct TopSearch {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK FindVisibleTop(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TopSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) {
    search->window = window;
    return FALSE;
  }
  return TRUE;
}

// The shipped program from its entry to its exit: the close box ends it with exit code 0.
TEST(ProgramEntry, ClosingTheWindowEndsTheProcessWithZero) {
  wchar_t path[MAX_PATH];
  const std::wstring own(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  std::wstring line = L"\"" + own.substr(0, own.find_last_of(L"\\/") + 1) + L"datecalc.exe\"";
  if (GetFileAttributesW(line.substr(1, line.size() - 2).c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "datecalc.exe is not built";
  }
  Child child;
  STARTUPINFOW info{};
  info.cb = sizeof(info);
  child.started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &info, &child.process) != 0;
  ASSERT_TRUE(child.started);
  TopSearch search{child.process.dwProcessId, nullptr};
  for (DWORD waited = 0; waited < kWaitLimitMs && search.window == nullptr; waited += 50) {
    EnumWindows(FindVisibleTop, reinterpret_cast<LPARAM>(&search));
    if (search.window == nullptr) Sleep(50);
  }
  ASSERT_NE(search.window, nullptr) << "the program showed no window";
  PostMessageW(search.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(child.ExitCode(), 0u);
}

}  // namespace
