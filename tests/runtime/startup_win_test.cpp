// Start-up ends its process, so these tests run it in a child program and watch from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/process_windows.h"
#include "support/remote.h"

namespace {

constexpr DWORD kWaitLimitMs = 30000;

// A program built beside this one: the child, or the shipped program.
std::wstring BesideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring own(path, length);
  return own.substr(0, own.find_last_of(L"\\/") + 1) + name;
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

void Start(Child& child, const std::wstring& arguments, STARTUPINFOW info,
           const std::wstring& program = BesideThisProgram(L"startup_child.exe")) {
  std::wstring line = L"\"" + program + L"\"" + arguments;
  info.cb = sizeof(info);
  child.started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &info, &child.process) != 0;
  ASSERT_TRUE(child.started) << GetLastError();
}

HWND WaitForWindow(DWORD processId, const wchar_t* className) {
  HWND found = nullptr;
  support::WaitFor(
      [&] {
        return (found = support::FindProcessWindow(processId, className, nullptr)) != nullptr;
      },
      kWaitLimitMs);
  return found;
}

BOOL CALLBACK CollectTexts(HWND window, LPARAM data) {
  auto* texts = reinterpret_cast<std::wstring*>(data);
  *texts += support::WindowText(window) + L"|";
  return TRUE;
}

TEST(StartupChild, NonNtPlatformShowsOnlyTheRefusalBoxAndExitsWith255) {
  Child child;
  Start(child, L" refuse", {});
  const HWND box = WaitForWindow(child.process.dwProcessId, L"#32770");
  ASSERT_NE(box, nullptr) << "no message box appeared";
  std::wstring texts;
  EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&texts));
  EXPECT_NE(texts.find(L"Win98 No Support|"), std::wstring::npos) << texts.size();
  EXPECT_FALSE(support::WindowText(box).empty()) << "the system's default caption";
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

// A DLL beside the program that the system's own search finds by name is not found after
// start-up: the search has been limited to the system folder.
TEST(StartupChild, ADllBesideTheProgramIsNoLongerFoundByNameAfterStartup) {
  Child child;
  Start(child, L" dllsearch", {});
  EXPECT_EQ(child.ExitCode(), 10u) << "10: found before start-up only; 11: after it too";
  DeleteFileW(BesideThisProgram(L"planted_dll.dll.ran").c_str());
}

// The shipped program from its entry to its exit: the close box ends it with exit code 0.
TEST(ProgramEntry, ClosingTheWindowEndsTheProcessWithZero) {
  const std::wstring program = BesideThisProgram(L"datecalc.exe");
  if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "datecalc.exe is not built";
  }
  Child child;
  Start(child, L"", {}, program);
  if (!child.started) return;
  const HWND window = WaitForWindow(child.process.dwProcessId, nullptr);
  ASSERT_NE(window, nullptr) << "the program showed no window";
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(child.ExitCode(), 0u);
}

}  // namespace
