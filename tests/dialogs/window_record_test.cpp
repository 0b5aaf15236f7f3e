#include "dialogs/window_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace dialogs {
namespace {

// Records every brush and icon the list gives back.
std::vector<HBRUSH> deletedBrushes;
std::vector<HICON> destroyedIcons;
void RecordBrush(HBRUSH brush) {
  deletedBrushes.push_back(brush);
}
void RecordIcon(HICON icon) {
  destroyedIcons.push_back(icon);
}
constexpr RecordResourceRelease kRecorder{RecordBrush, RecordIcon};

template <typename Handle>
Handle Fake(std::uintptr_t value) {
  return reinterpret_cast<Handle>(value);
}

class WindowRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    deletedBrushes.clear();
    destroyedIcons.clear();
    baseline_ = RecordCount();
  }
  void TearDown() override {
    ReleaseDialogRecords(dialog_, kRecorder);
    ReleaseDialogRecords(otherDialog_, kRecorder);
    EXPECT_EQ(RecordCount(), baseline_);
  }
  void AddDialog(HWND window) {
    WindowRecord fields;
    fields.window = window;
    fields.flags = kDialogFlag | 1;
    ASSERT_TRUE(CreateRecord(fields, kRecorder));
  }
  void AddControl(HWND window, HWND dialog) {
    WindowRecord fields;
    fields.window = window;
    fields.parent = dialog;
    fields.flags = kControlFlag | 1;
    ASSERT_TRUE(CreateRecord(fields, kRecorder));
  }
  int Deleted(HBRUSH brush) {
    return static_cast<int>(std::count(deletedBrushes.begin(), deletedBrushes.end(), brush));
  }

  HWND dialog_ = Fake<HWND>(0x1000);
  HWND otherDialog_ = Fake<HWND>(0x2000);
  std::size_t baseline_ = 0;
};

TEST_F(WindowRecordTest, NewRecordStartsUnsetAndIsFoundByWindow) {
  AddDialog(dialog_);
  WindowRecord copy;
  ASSERT_TRUE(FindRecord(dialog_, &copy));
  EXPECT_TRUE(copy.IsDialog());
  EXPECT_EQ(copy.UnitMode(), 1);
  EXPECT_EQ(copy.textColour, -3);
  EXPECT_EQ(copy.backColour, -3);
  EXPECT_EQ(copy.brush, nullptr);
  EXPECT_FALSE(FindRecord(nullptr, &copy));
  EXPECT_FALSE(FindRecord(Fake<HWND>(0x1234), &copy));
}

TEST_F(WindowRecordTest, AtMostOneRecordPerWindow) {
  AddDialog(dialog_);
  const HBRUSH brush = Fake<HBRUSH>(0x77);
  StoreRecordColours(dialog_, 1, 2, brush, kRecorder);
  const std::size_t count = RecordCount();
  AddDialog(dialog_);  // a stale record of a reused handle goes, with its brush
  EXPECT_EQ(RecordCount(), count);
  EXPECT_EQ(Deleted(brush), 1);
}

TEST_F(WindowRecordTest, SameColourSharesOneBrushUntilItsLastUserIsReleased) {
  AddDialog(dialog_);
  AddDialog(otherDialog_);
  const HWND a = Fake<HWND>(0x1001), b = Fake<HWND>(0x2001);
  AddControl(a, dialog_);
  AddControl(b, otherDialog_);
  const HBRUSH black = Fake<HBRUSH>(0x50);
  EXPECT_EQ(FindBrushOfColour(0), nullptr);
  StoreRecordColours(a, 0xFFFFFF, 0, black, kRecorder);
  EXPECT_EQ(FindBrushOfColour(0), black);
  EXPECT_EQ(FindBrushOfColour(1), nullptr);
  StoreRecordColours(b, 0xFFFFFF, 0, FindBrushOfColour(0), kRecorder);

  ReleaseDialogRecords(dialog_, kRecorder);
  EXPECT_EQ(Deleted(black), 0) << "still used by the other dialog's control";
  EXPECT_FALSE(FindRecord(a, nullptr));
  ReleaseDialogRecords(otherDialog_, kRecorder);
  EXPECT_EQ(Deleted(black), 1);
}

TEST_F(WindowRecordTest, BrushSharedWithinOneDialogIsDeletedOnce) {
  AddDialog(dialog_);
  const HWND a = Fake<HWND>(0x1001), b = Fake<HWND>(0x1002);
  AddControl(a, dialog_);
  AddControl(b, dialog_);
  const HBRUSH red = Fake<HBRUSH>(0x60);
  StoreRecordColours(dialog_, 0, 0xFF, red, kRecorder);
  StoreRecordColours(a, 0, 0xFF, red, kRecorder);
  StoreRecordColours(b, 0, 0xFF, red, kRecorder);
  ReleaseDialogRecords(dialog_, kRecorder);
  EXPECT_EQ(Deleted(red), 1);
  EXPECT_EQ(RecordCount(), baseline_);
}

TEST_F(WindowRecordTest, ReplacedBrushGoesOnlyWhenNobodyElseHoldsIt) {
  AddDialog(dialog_);
  const HWND a = Fake<HWND>(0x1001), b = Fake<HWND>(0x1002);
  AddControl(a, dialog_);
  AddControl(b, dialog_);
  const HBRUSH first = Fake<HBRUSH>(0x70), second = Fake<HBRUSH>(0x71);
  StoreRecordColours(a, 0, 5, first, kRecorder);
  StoreRecordColours(b, 0, 5, first, kRecorder);
  StoreRecordColours(a, 0, 6, second, kRecorder);
  EXPECT_EQ(Deleted(first), 0);
  StoreRecordColours(b, 0, -1, nullptr, kRecorder);
  EXPECT_EQ(Deleted(first), 1);
  EXPECT_FALSE(StoreRecordColours(Fake<HWND>(0x9999), 0, 0, nullptr, kRecorder));
}

TEST_F(WindowRecordTest, ReleaseTakesTheDialogsControlsAndIconsButNotOtherRecords) {
  AddDialog(dialog_);
  AddDialog(otherDialog_);
  AddControl(Fake<HWND>(0x1001), dialog_);
  AddControl(Fake<HWND>(0x2001), otherDialog_);
  struct Icons {
    HICON big, small;
  } icons{Fake<HICON>(0x80), Fake<HICON>(0x81)};
  UpdateRecord(
      dialog_,
      [](WindowRecord& r, const void* data) {
        r.bigIcon = static_cast<const Icons*>(data)->big;
        r.smallIcon = static_cast<const Icons*>(data)->small;
      },
      &icons);
  ReleaseDialogRecords(dialog_, kRecorder);
  EXPECT_EQ(destroyedIcons, (std::vector<HICON>{icons.big, icons.small}));
  EXPECT_FALSE(FindRecord(Fake<HWND>(0x1001), nullptr));
  EXPECT_TRUE(FindRecord(Fake<HWND>(0x2001), nullptr));
  EXPECT_TRUE(FindRecord(otherDialog_, nullptr));
}

TEST_F(WindowRecordTest, UpdateOfAWindowWithoutRecordDoesNothing) {
  bool called = false;
  EXPECT_FALSE(UpdateRecord(
      Fake<HWND>(0x4242),
      [](WindowRecord&, const void* data) { *static_cast<bool*>(const_cast<void*>(data)) = true; },
      &called));
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace dialogs
