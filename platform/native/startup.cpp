#include "platform/startup.h"

// Native stand-ins: an NT-family platform started without a show command or arguments, and no
// COM. Object references follow the COM layout (Release is the third virtual function).

namespace platform {
namespace {

DWORD NtPlatformId() {
  return 2;
}

PlatformIdQuery platformIdQuery = NtPlatformId;

}  // namespace

// Outside the anonymous namespace on purpose: with internal linkage and no implementation in
// this file, an optimiser may prove no such object exists and drop the Release call.
struct ComUnknown {
  virtual long QueryInterface(const void* id, void** object) = 0;
  virtual unsigned long AddRef() = 0;
  virtual unsigned long Release() = 0;
};

void RestrictDllSearchToSystem() {}

DWORD GetVersionPlatformId() {
  return platformIdQuery();
}

void ReplacePlatformIdQuery(PlatformIdQuery query) {
  platformIdQuery = query != nullptr ? query : NtPlatformId;
}

StartupInfo GetStartupInfoA() {
  return {0, 0};
}

const char16_t* GetCommandLineW() {
  return u"datecalc";
}

HINSTANCE GetModuleHandleW() {
  return nullptr;
}

long CoInitialize() {
  return 0;
}

void CoUninitialize() {}

BOOL InitCommonControlsEx(DWORD) {
  return TRUE;
}

void ReleaseObject(void* object) {
  if (object != nullptr) static_cast<ComUnknown*>(object)->Release();
}

void VariantClear(void*) {}

}  // namespace platform
