#pragma once
// KERNEL32, OLE32 and COMCTL32 operations of process start-up and shutdown.

#include "platform/win_types.h"

PLATFORM_WINDOWS_CONSTANT(DWORD, VER_PLATFORM_WIN32_NT, 2)
PLATFORM_WINDOWS_CONSTANT(DWORD, STARTF_USESHOWWINDOW, 0x00000001)

namespace platform {

// From here on, a DLL loaded by name comes from the system folder only, where the system
// offers that (Windows 8, and 7 with its 2011 loader update); first thing at start-up.
void RestrictDllSearchToSystem();

// The platform identifier GetVersionExA reports (VER_PLATFORM_WIN32_NT...); 0 when the call
// fails. Tests may replace the query to exercise the refusal of other platforms.
DWORD GetVersionPlatformId();
using PlatformIdQuery = DWORD (*)();
void ReplacePlatformIdQuery(PlatformIdQuery query);  // null restores GetVersionExA

// GetStartupInfoA: the flags and the show-window field.
struct StartupInfo {
  DWORD flags;
  WORD showWindow;
};
StartupInfo GetStartupInfoA();

const char16_t* GetCommandLineW();
HINSTANCE GetModuleHandleW();  // of the executable

long CoInitialize();
void CoUninitialize();
BOOL InitCommonControlsEx(DWORD classes);

// Shutdown's release of globals: IUnknown::Release and VariantClear.
void ReleaseObject(void* object);
void VariantClear(void* variant);

}  // namespace platform
