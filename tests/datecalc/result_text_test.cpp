#include "datecalc/result_text.h"

#include <gtest/gtest.h>

#include <string_view>

#include "date_order_box.h"
#include "datecalc/calendar_interval.h"
#include "datecalc/date_order_message.h"
#include "platform/ole_strings.h"
#include "runtime/string_allocations.h"

namespace {

struct IntervalText {
  datecalc::IntervalResult interval;
  std::string_view text;
};

TEST(FormatInterval, NumbersJoinedWithTheSameWordsAlways) {
  const IntervalText cases[] = {
      {{1, 2, 26}, "1 a\xF1os 2 meses 26 dias"},
      {{0, 0, 0}, "0 a\xF1os 0 meses 0 dias"},
      {{0, 1, 5}, "0 a\xF1os 1 meses 5 dias"},
      {{8398, 11, 30}, "8398 a\xF1os 11 meses 30 dias"},
      {{32767, -1, -32768}, "32767 a\xF1os -1 meses -32768 dias"},
  };
  for (const IntervalText& c : cases) {
    EXPECT_EQ(datecalc::FormatInterval(c.interval).View(), c.text);
  }
}

// Out of memory leaves out neither a number nor a word: the text is whole or empty, whether a
// number or a join ran out, and no string is left behind.
TEST(FormatInterval, RunningOutOfMemoryNeverCutsTheWords) {
  const std::string_view whole = "1 a\xF1os 2 meses 26 dias";
  for (std::uint32_t failures = 1; failures <= 12; ++failures) {
    SCOPED_TRACE(failures);
    runtime_test::StringAllocations allocations;
    {
      platform::FailNextStringAllocations(failures);
      const runtime::DynString text = datecalc::FormatInterval({1, 2, 26});
      platform::FailNextStringAllocations(0);
      const std::string_view view = text.View();
      const std::size_t years = view.find(" a\xF1os ");
      const std::size_t months = view.find(" meses ");
      if (!view.empty()) {
        EXPECT_NE(years, std::string_view::npos) << view;
        EXPECT_NE(months, std::string_view::npos) << view;
        EXPECT_LT(years, months) << view;
        EXPECT_TRUE(view.ends_with(" dias")) << view;
        EXPECT_EQ(view, whole) << "a number is missing";
      }
    }
    EXPECT_EQ(allocations.Live(), 0u);
  }
}

TEST(FormatDayCount, KeepsTheBlankOfTheSign) {
  EXPECT_EQ(datecalc::FormatDayCount(451).View(), " 451");
  EXPECT_EQ(datecalc::FormatDayCount(0).View(), " 0");
  EXPECT_EQ(datecalc::FormatDayCount(10674941).View(), " 10674941");
  EXPECT_EQ(datecalc::FormatDayCount(-3).View(), "-3");
}

class DateOrderTest : public testing::Test {
 protected:
  void SetUp() override { date_order_box::StartRecording(); }
  void TearDown() override { date_order_box::StopRecording(); }
};

TEST_F(DateOrderTest, MessageIsTwoLinesTitledProgramadorWithOneOkButton) {
  datecalc::ShowDateOrderError();
  ASSERT_EQ(date_order_box::Boxes().size(), 1u);
  const date_order_box::Box& box = date_order_box::Boxes()[0];
  EXPECT_EQ(box.text, date_order_box::kExpectedText);
  EXPECT_EQ(box.text.size(), 82u);
  EXPECT_EQ(box.caption, support::kDateOrderTitle16);
  EXPECT_EQ(box.type, 0u);  // MB_OK, no icon
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_GE(box.millisecondsSinceStart, 5);
}

struct TextCase {
  WORD y1, m1, d1, y2, m2, d2;
  std::string_view text;
  bool refused;
};

TEST_F(DateOrderTest, CalendarIntervalWorkedExamples) {
  const TextCase cases[] = {
      {2021, 3, 10, 2021, 3, 10, "0 a\xF1os 0 meses 0 dias", false},
      {2021, 6, 5, 2022, 6, 5, "1 a\xF1os 0 meses 0 dias", false},
      {2020, 12, 31, 2021, 1, 1, "0 a\xF1os 0 meses 1 dias", false},
      {2020, 11, 15, 2021, 2, 20, "0 a\xF1os 3 meses 5 dias", false},
      {2020, 11, 20, 2021, 2, 15, "0 a\xF1os 2 meses 26 dias", false},
      {2020, 1, 20, 2021, 1, 15, "0 a\xF1os 11 meses 26 dias", false},
      {2020, 1, 15, 2021, 4, 10, "1 a\xF1os 2 meses 26 dias", false},
      {2020, 2, 29, 2021, 2, 28, "0 a\xF1os 11 meses 30 dias", false},
      {2021, 1, 10, 2021, 3, 5, "0 a\xF1os 1 meses 23 dias", false},
      {2021, 1, 31, 2021, 2, 28, "0 a\xF1os 0 meses 28 dias", false},
      {2021, 3, 15, 2021, 3, 10, "0 a\xF1os 0 meses 0 dias", true},
      {2021, 5, 10, 2021, 3, 20, "0 a\xF1os 0 meses 0 dias", true},
      {2022, 1, 1, 2021, 12, 31, "0 a\xF1os 0 meses 0 dias", true},
      // A borrow from a month too short for the base day counts from its last day.
      {2021, 1, 31, 2021, 3, 1, "0 a\xF1os 1 meses 1 dias", false},
      {2021, 3, 31, 2021, 5, 1, "0 a\xF1os 1 meses 1 dias", false},
      {2020, 2, 29, 2021, 3, 1, "1 a\xF1os 0 meses 1 dias", false},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.text);
    date_order_box::Boxes().clear();
    const WORD y1 = c.y1, y2 = c.y2, m1 = c.m1, m2 = c.m2, d1 = c.d1, d2 = c.d2;
    EXPECT_EQ(datecalc::CalendarInterval(y1, y2, m1, m2, d1, d2).View(), c.text);
    ASSERT_EQ(date_order_box::Boxes().size(), c.refused ? 1u : 0u);
    if (c.refused) {
      EXPECT_EQ(date_order_box::Boxes()[0].text, date_order_box::kExpectedText);
    }
  }
}

}  // namespace
