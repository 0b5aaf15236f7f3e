#include <gtest/gtest.h>

#include "runtime/dyn_string.h"
#include "runtime/release_list.h"

namespace runtime {
namespace {

TEST(GlobalReleaseList, FreesEveryListedStringOnceAndStopsAtTheEndEntry) {
  DynString first = DynString::Copy("uno");
  DynString second = DynString::Copy("dos");
  DynString afterEnd = DynString::Copy("tres");
  void* noObject = nullptr;
  const ReleaseEntry list[] = {
      {ReleaseKind::kDynString, &first},
      {ReleaseKind::kObjectReference, &noObject},  // a null reference is left alone
      {ReleaseKind::kDynString, &second},
      {ReleaseKind::kEnd, nullptr},
      {ReleaseKind::kDynString, &afterEnd},
  };
  SetGlobalReleaseList(list);
  ReleaseGlobals();
  EXPECT_TRUE(first.IsEmpty());
  EXPECT_TRUE(second.IsEmpty());
  EXPECT_EQ(afterEnd.View(), "tres");
  ReleaseGlobals();  // the list is forgotten: nothing is released twice
  EXPECT_EQ(afterEnd.View(), "tres");
}

// A null list replaces one recorded before it: shutdown then leaves that list's variables alone.
TEST(GlobalReleaseList, NoListMeansNothingToRelease) {
  DynString kept = DynString::Copy("cuatro");
  const ReleaseEntry list[] = {{ReleaseKind::kDynString, &kept}, {ReleaseKind::kEnd, nullptr}};
  SetGlobalReleaseList(list);
  SetGlobalReleaseList(nullptr);
  ReleaseGlobals();
  EXPECT_EQ(kept.View(), "cuatro");
}

}  // namespace
}  // namespace runtime
