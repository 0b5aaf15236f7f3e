#include "runtime/wide_string.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/code_page.h"
#include "platform/ole_strings.h"
#include "runtime/thread_record.h"

namespace {

using runtime::NarrowText;
using runtime::WidenText;
using runtime::WideString;

std::uint32_t BytePrefix(const void* text) {
  std::uint32_t prefix = 0;
  std::memcpy(&prefix, static_cast<const char*>(text) - 4, 4);
  return prefix;
}

TEST(WideString, TheLayoutCountsBytesAndEndsWithAZeroUnit) {
  WideString s = WideString::Copy(u"d\u00EDas");
  ASSERT_FALSE(s.IsEmpty());
  EXPECT_EQ(s.Length(), 4u);
  EXPECT_EQ(BytePrefix(s.Text()), 8u);
  EXPECT_EQ(s.Text()[4], 0);
}

TEST(WideString, EmptyCostsNoAllocationAndReadsAsEmptyText) {
  auto before = platform::CurrentOleStringCounts();
  WideString empty = WideString::Copy(u"");
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.Text()[0], 0);
  EXPECT_TRUE(WidenText("").IsEmpty());
  EXPECT_TRUE(NarrowText(u"").IsEmpty());
  auto after = platform::CurrentOleStringCounts();
  EXPECT_EQ(after.unitAllocations, before.unitAllocations);
  EXPECT_EQ(after.byteAllocations, before.byteAllocations);
}

TEST(WideString, TheProgramsTextsWidenUnderWestern1252) {
  struct Case {
    const char* bytes;
    std::u16string_view wide;
  };
  const Case cases[] = {
      {" a\xF1os ", u" a\u00F1os "},
      {" d\xED"
       "as totales ",
       u" d\u00EDas totales "},
      {"Debe ser m\xE1s antigua", u"Debe ser m\u00E1s antigua"},
      {"N\xBA de Dias", u"N\u00BA de Dias"},
      {"\x80 \x81", u"\u20AC \u0081"},
  };
  for (const Case& c : cases) {
    WideString wide = WidenText(c.bytes, platform::kCodePageWestern);
    EXPECT_EQ(wide.View(), c.wide) << c.bytes;
    EXPECT_EQ(NarrowText(c.wide, platform::kCodePageWestern).View(), c.bytes);
  }
  EXPECT_EQ(WidenText(" a\xF1os ", platform::kCodePageWestern).Length(), 6u);
}

TEST(WideString, ConversionsUseTheThreadsCodePage) {
  runtime::ThreadRecord* record = runtime::CurrentThreadRecord();
  ASSERT_NE(record, nullptr);
  std::uint32_t saved = record->codePage;
  record->codePage = 12345;  // no such code page: the conversion fails, quietly
  EXPECT_TRUE(WidenText("abc").IsEmpty());
  EXPECT_TRUE(NarrowText(u"abc").IsEmpty());
  record->codePage = platform::kCodePageWestern;
  EXPECT_EQ(WidenText("\xF1").View(), u"\u00F1");
  record->codePage = saved;
}

TEST(WideString, NoMemoryGivesTheEmptyStringWithoutAnError) {
  platform::FailNextStringAllocations(1);
  EXPECT_TRUE(WidenText("abc").IsEmpty());
  platform::FailNextStringAllocations(1);
  EXPECT_TRUE(NarrowText(u"abc").IsEmpty());
  platform::FailNextStringAllocations(0);
  EXPECT_EQ(WidenText("abc").View(), u"abc");
}

TEST(WideString, UnmappableCharactersNarrowByTheSystemsRules) {
  EXPECT_EQ(NarrowText(u"\u0101\u4E00", platform::kCodePageWestern).View(), "a?");
}

}  // namespace
