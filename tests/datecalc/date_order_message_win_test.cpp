// The date-order message as the window system really shows it.
#include <gtest/gtest.h>

#include "datecalc/calendar_interval.h"
#include "datecalc/date_order_message.h"
#include "platform/box_watcher_win.h"
#include "support/calculator_ids.h"

namespace {

void ExpectDateOrderBox(const box_watcher::Observed& seen) {
  ASSERT_TRUE(seen.found) << "no box titled Programador appeared";
  EXPECT_EQ(seen.text, support::kDateOrderText);
  EXPECT_TRUE(seen.hasOkButton);
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_EQ(seen.owner, nullptr);
}

TEST(DateOrderMessageWindows, ShowsBothLinesWithOneOkButtonAndNoOwner) {
  ExpectDateOrderBox(
      box_watcher::WatchWhile(support::kDateOrderTitle, [] { datecalc::ShowDateOrderError(); }));
}

TEST(DateOrderMessageWindows, RefusedIntervalShowsTheBoxThenZeros) {
  const WORD y1 = 2022, y2 = 2021, m1 = 1, m2 = 12, d1 = 1, d2 = 31;
  runtime::DynString text;
  ExpectDateOrderBox(box_watcher::WatchWhile(support::kDateOrderTitle, [&] {
    text = datecalc::CalendarInterval(y1, y2, m1, m2, d1, d2);
  }));
  EXPECT_EQ(text.View(), "0 a\xF1os 0 meses 0 dias");
}

}  // namespace
