#include "dialogs/control_kind_table.h"

#include <gtest/gtest.h>

namespace dialogs {
namespace {

constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kClientEdge = 0x200;

std::u16string Class(const ControlCreation& c) {
  return std::u16string(c.className);
}

// The windows the calculator's own controls must become.
TEST(ControlKindTable, KindsOfTheCalculatorWindowGiveTheirWindows) {
  struct Case {
    ControlKind kind;
    std::uint32_t style;
    std::u16string_view className, expectedClass;
    std::uint32_t expectedStyle, expectedExtended;
  } const cases[] = {
      {ControlKind::kLabel, 0, u"", u"STATIC", 0x50000000, 0},
      {ControlKind::kTextBox, 0, u"", u"EDIT", 0x50010080, kClientEdge},
      {ControlKind::kPushButton, 0, u"", u"BUTTON", 0x50010000, 0},
      {ControlKind::kClassByName, 0x50010004, u"SysDateTimePick32", u"SysDateTimePick32",
       0x50010004, 0},
  };
  for (const auto& c : cases) {
    const auto creation = ResolveControlCreation(c.kind, c.className, c.style, 0, 100, 20);
    ASSERT_TRUE(creation);
    EXPECT_EQ(Class(*creation), c.expectedClass);
    EXPECT_EQ(creation->style, c.expectedStyle) << Class(*creation).size();
    EXPECT_EQ(creation->extendedStyle, c.expectedExtended);
  }
}

TEST(ControlKindTable, BorderBecomesClientEdgeOnlyForDefaultedTextComboAndListBoxes) {
  for (auto kind : {ControlKind::kTextBox, ControlKind::kComboBox, ControlKind::kListBox}) {
    const auto defaulted = ResolveControlCreation(kind, u"", 0, 0, 10, 10);
    const auto row = kControlKindTable[static_cast<std::size_t>(kind) - 1];
    EXPECT_EQ(defaulted->style & kWsBorder, 0u);
    EXPECT_EQ(defaulted->extendedStyle & kClientEdge,
              (row.defaultStyle & kWsBorder) ? kClientEdge : 0u);
    const auto explicitBorder = ResolveControlCreation(kind, u"", 0x50800080, 0, 10, 10);
    EXPECT_NE(explicitBorder->style & kWsBorder, 0u);
    EXPECT_EQ(explicitBorder->extendedStyle, 0u);
  }
  // A progress bar's default border stays a border.
  const auto progress = ResolveControlCreation(ControlKind::kProgressBar, u"", 0, 0, 10, 10);
  EXPECT_NE(progress->style & kWsBorder, 0u);
  EXPECT_EQ(progress->extendedStyle, 0u);
}

TEST(ControlKindTable, ClassByNameAppliesNoDefaultsAndNoForcedBits) {
  const auto c = ResolveControlCreation(ControlKind::kClassByName, u"X", 0, 0x20, 10, 10);
  EXPECT_EQ(c->style, 0u);
  EXPECT_EQ(c->extendedStyle, 0x20u);
  EXPECT_EQ(Class(*c), u"X");
}

TEST(ControlKindTable, EveryKindForcesItsSetBitsAndClearsItsClearedBits) {
  for (int number = 1; number <= kLastControlKind; ++number) {
    const auto& row = kControlKindTable[static_cast<std::size_t>(number) - 1];
    EXPECT_EQ(row.alwaysSet & row.alwaysCleared, 0u) << "kind " << number;
    for (std::uint32_t given : {0u, 0xFFFFFFFFu, 0x00000001u}) {
      const auto c =
          ResolveControlCreation(static_cast<ControlKind>(number), u"host", given, 0, 10, 10);
      ASSERT_TRUE(c) << number;
      EXPECT_EQ(c->recordedStyle & row.alwaysSet, row.alwaysSet) << number;
      EXPECT_EQ(c->recordedStyle & row.alwaysCleared, 0u) << number;
      EXPECT_FALSE(c->className.empty()) << number;
    }
  }
}

TEST(ControlKindTable, DefaultedScrollBarIsVerticalWhenNarrowerThanTall) {
  EXPECT_EQ(ResolveControlCreation(ControlKind::kScrollBar, u"", 0, 0, 10, 100)->style & 1, 1u);
  EXPECT_EQ(ResolveControlCreation(ControlKind::kScrollBar, u"", 0, 0, 100, 10)->style & 1, 0u);
  EXPECT_EQ(ResolveControlCreation(ControlKind::kScrollBar, u"", 0x50000000, 0, 10, 100)->style & 1,
            0u);
}

TEST(ControlKindTable, TreeViewCheckBoxesWaitUntilAfterCreationAndHostedComponentTakesItsName) {
  const auto tree = ResolveControlCreation(ControlKind::kTreeView, u"", 0x50010127, 0, 10, 10);
  EXPECT_EQ(tree->style & 0x100, 0u);
  EXPECT_EQ(tree->recordedStyle & 0x100, 0x100u);
  const auto host =
      ResolveControlCreation(ControlKind::kHostedComponent, u"Shell.Explorer", 0, 0, 1, 1);
  EXPECT_EQ(Class(*host), u"Shell.Explorer");
}

TEST(ControlKindTable, KindsOutsideTheTableCreateNothing) {
  EXPECT_FALSE(ResolveControlCreation(static_cast<ControlKind>(26), u"", 0, 0, 1, 1));
  EXPECT_FALSE(ResolveControlCreation(static_cast<ControlKind>(-1), u"", 0, 0, 1, 1));
}

}  // namespace
}  // namespace dialogs
