#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using app::kMainControls;

TEST(MainWindowLayout, EveryControlLiesInsideTheClientArea) {
  for (const auto& row : kMainControls) {
    EXPECT_GE(row.x, 0) << row.id;
    EXPECT_GE(row.y, 0) << row.id;
    EXPECT_LE(row.x + row.width, app::kMainWidth) << row.id;
    EXPECT_LE(row.y + row.height, app::kMainHeight) << row.id;
  }
}

TEST(MainWindowLayout, IdsAreUniqueAndNoneIsTheSnapshotCommandOrADialogButton) {
  std::set<int> ids;
  for (const auto& row : kMainControls) {
    EXPECT_TRUE(ids.insert(row.id).second) << row.id;
    // Enter and Esc must not find a control of id 1 or 2 to press.
    EXPECT_NE(row.id, 1);
    EXPECT_NE(row.id, 2);
  }
  EXPECT_EQ(ids.count(app::control_id::kSnapshotCommand), 0u);
}

TEST(MainWindowLayout, PickersAreNamedByClassAndEverythingElseByKind) {
  int pickers = 0;
  for (const auto& row : kMainControls) {
    bool byName = row.kind == dialogs::ControlKind::kClassByName;
    EXPECT_EQ(byName, !row.className.empty()) << row.id;
    if (byName) {
      ++pickers;
      EXPECT_EQ(row.className, "SysDateTimePick32");
      EXPECT_NE(row.style, 0u) << "a class by name gets no kind default";
    }
  }
  EXPECT_EQ(pickers, 2);
}

// The result band fills the window's width, one unit in from each side, and its bottom.
TEST(MainWindowLayout, ResultBandSpansTheBottomOfTheWindow) {
  const auto& band = kMainControls.back();
  ASSERT_EQ(band.id, app::control_id::kTotalTimeText);
  EXPECT_EQ(band.x, 1);
  EXPECT_EQ(band.x + band.width, app::kMainWidth - 1);
  EXPECT_EQ(band.y + band.height, app::kMainHeight - 1);
  for (const auto& row : kMainControls) {
    if (row.id == band.id) continue;
    EXPECT_LE(row.y + row.height, band.y) << row.id << " reaches into the band";
  }
}

TEST(MainWindowLayout, PickerFormatFitsItsBuffer) {
  EXPECT_EQ(app::kPickerFormat, "dd'/'MM'/'yyyy");
  EXPECT_LT(app::kPickerFormat.size(), 128u);
}

}  // namespace
