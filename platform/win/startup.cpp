// windows.h must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>
// clang-format on

#include "platform/startup.h"
#include "platform/win/call.h"

namespace platform {
namespace {

DWORD QueryPlatformIdWithGetVersionExA() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  // A failed call leaves the identifier 0, which refuses like a foreign platform.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  AfterCall(::GetVersionExA(&version));
#pragma GCC diagnostic pop
  return version.dwPlatformId;
}

PlatformIdQuery platformIdQuery = QueryPlatformIdWithGetVersionExA;

}  // namespace

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record GetVersionExA expects");
static_assert(sizeof(STARTUPINFOA) == 68 || sizeof(void*) == 8, "STARTUPINFOA of 32-bit builds");

DWORD GetVersionPlatformId() {
  return platformIdQuery();
}

void ReplacePlatformIdQuery(PlatformIdQuery query) {
  platformIdQuery = query != nullptr ? query : QueryPlatformIdWithGetVersionExA;
}

StartupInfo GetStartupInfoA() {
  STARTUPINFOA info{};
  info.cb = sizeof(info);
  info.dwFlags = 0;
  ::GetStartupInfoA(&info);
  AfterCall();
  return {info.dwFlags, info.wShowWindow};
}

const char16_t* GetCommandLineW() {
  return AfterCall(reinterpret_cast<const char16_t*>(::GetCommandLineW()));
}

HINSTANCE GetModuleHandleW() {
  return AfterCall(::GetModuleHandleW(nullptr));
}

long CoInitialize() {
  return AfterCall(::CoInitialize(nullptr));
}

void CoUninitialize() {
  ::CoUninitialize();
  AfterCall();
}

BOOL InitCommonControlsEx(DWORD classes) {
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), classes};
  return AfterCall(::InitCommonControlsEx(&init));
}

void ReleaseObject(void* object) {
  if (object == nullptr) return;
  static_cast<IUnknown*>(object)->Release();
  AfterCall();
}

void VariantClear(void* variant) {
  AfterCall(::VariantClear(static_cast<VARIANT*>(variant)));
}

}  // namespace platform
