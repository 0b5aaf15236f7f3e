// System DLLs load from the system folder only: a DLL beside the program that the system's own
// search would find (tests/support/planted_dll.cpp, built beside this test program) is not.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win/system_library.h"

namespace {

std::wstring ModuleFolder(HMODULE module) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring file(path, length < MAX_PATH ? length : 0);
  return file.substr(0, file.find_last_of(L'\\'));
}

TEST(LoadSystemLibrary, LoadsFromTheSystemFolderOnlyWithOrWithoutTheSearchFlags) {
  HMODULE beside = LoadLibraryW(L"planted_dll.dll");
  ASSERT_NE(beside, nullptr) << "the control: the system's own search finds the DLL beside us";
  FreeLibrary(beside);
  DeleteFileW((ModuleFolder(nullptr) + L"\\planted_dll.dll.ran").c_str());
  wchar_t system[MAX_PATH];
  ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
  for (const auto load : {platform::LoadSystemLibrary, platform::LoadSystemLibraryByPath}) {
    EXPECT_EQ(load(L"planted_dll.dll"), nullptr);
    HMODULE dwm = load(L"dwmapi.dll");
    ASSERT_NE(dwm, nullptr) << GetLastError();
    EXPECT_EQ(lstrcmpiW(ModuleFolder(dwm).c_str(), system), 0) << ModuleFolder(dwm).size();
  }
}

}  // namespace
