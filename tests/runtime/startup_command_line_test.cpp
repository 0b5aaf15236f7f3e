#include <gtest/gtest.h>

#include <string>

#include "runtime/command_line.h"

namespace runtime {
namespace {

TEST(SkipProgramName, ArgumentTextAfterEachKindOfProgramName) {
  struct Case {
    const char16_t* line;
    std::u16string_view arguments;
  } const cases[] = {
      {u"\"C:\\Program Files\\calc.exe\"  word", u"word"},
      {u"calc.exe", u""},
      {u"calc.exe\tword", u"\tword"},
      {u"   calc.exe word", u"calc.exe word"},
      {u"\"C:\\calc.exe", u""},  // unclosed quote: the rest was all name
      {u"calc.exe   a  b ", u"a  b "},
      {u"\"\"x", u"x"},
      {u"\"a b\"", u""},
      {u"", u""},
      {u"calc.exe\x01rest", u"\x01rest"},
      {u"\xE9t\xE9.exe arg", u"arg"},  // units above U+0020 belong to the name
  };
  for (const auto& c : cases) {
    const char16_t* result = SkipProgramName(c.line);
    EXPECT_EQ(std::u16string_view(result), c.arguments)
        << std::string(c.line, c.line + std::u16string_view(c.line).size());
    // Always a position within the line itself, so WinMain's pointer stays valid.
    EXPECT_GE(result, c.line);
    EXPECT_LE(result, c.line + std::u16string_view(c.line).size());
  }
  EXPECT_EQ(std::u16string_view(SkipProgramName(nullptr)), u"");
}

}  // namespace
}  // namespace runtime
