#include <gtest/gtest.h>
// windows.h first: the COM headers need its types.
// clang-format off
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>
// clang-format on

#include "runtime/release_list.h"

namespace runtime {
namespace {

// Counts its own references.
class CountedObject : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

TEST(GlobalReleaseListWindows, ObjectsAreReleasedOnceAndVariantsCleared) {
  CountedObject object;
  IUnknown* reference = &object;
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"global");
  const ReleaseEntry list[] = {
      {ReleaseKind::kObjectReference, &reference},
      {ReleaseKind::kVariant, &text},
      {ReleaseKind::kEnd, nullptr},
  };
  SetGlobalReleaseList(list);
  ReleaseGlobals();
  EXPECT_EQ(object.references, 0u);
  EXPECT_EQ(reference, nullptr);
  EXPECT_EQ(text.vt, VT_EMPTY);
  SetGlobalReleaseList(list);
  ReleaseGlobals();  // a cleared reference is not released again
  EXPECT_EQ(object.references, 0u);
}

}  // namespace
}  // namespace runtime
