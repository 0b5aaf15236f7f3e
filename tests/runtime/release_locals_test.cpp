#include "runtime/release_locals.h"

#include <gtest/gtest.h>

#include "platform/win_types.h"
#include "runtime/dyn_string.h"
#include "string_allocations.h"

namespace {

using runtime::ReleaseEntry;
using runtime::ReleaseKind;

// An object with the COM layout that counts its releases.
struct CountedObject {
  virtual long WINAPI QueryInterface(const void*, void**) { return 0; }
  virtual unsigned long WINAPI AddRef() { return ++references; }
  virtual unsigned long WINAPI Release() { return --references; }
  unsigned long references = 1;
};

TEST(ReleaseLocals, ReleasesEveryListedVariableInOrderAndOnlyThose) {
  runtime::DynString first = runtime::DynString::Copy("first");
  runtime::DynString second = runtime::DynString::Copy("second");
  runtime::DynString empty;
  runtime::DynString notListed = runtime::DynString::Copy("kept");
  CountedObject object;
  CountedObject* reference = &object;
  CountedObject* nullReference = nullptr;
  const ReleaseEntry list[] = {
      {ReleaseKind::kDynString, &first},  {ReleaseKind::kObjectReference, &reference},
      {ReleaseKind::kDynString, &empty},  {ReleaseKind::kObjectReference, &nullReference},
      {ReleaseKind::kDynString, &second}, {ReleaseKind::kDynString, nullptr},     // skipped
      {ReleaseKind::kEnd, nullptr},       {ReleaseKind::kDynString, &notListed},  // after the end
  };
  runtime_test::StringAllocations allocations;
  runtime::ReleaseLocals(list);
  EXPECT_EQ(first.handle(), 0u);
  EXPECT_EQ(second.handle(), 0u);
  EXPECT_EQ(notListed.View(), "kept");
  EXPECT_EQ(allocations.Frees(), 2u);
  EXPECT_EQ(object.references, 0u);
  EXPECT_EQ(reference, nullptr);
  runtime::ReleaseLocals(nullptr);
}

}  // namespace
