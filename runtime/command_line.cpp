#include "runtime/command_line.h"

namespace runtime {
namespace {

const char16_t* SkipBlanks(const char16_t* text) {
  while (*text == u' ') ++text;
  return text;
}

}  // namespace

const char16_t* SkipProgramName(const char16_t* commandLine) {
  if (commandLine == nullptr) return u"";
  const char16_t* text = commandLine;
  if (*text == u'"') {
    ++text;
    while (*text != u'"' && *text != 0) ++text;
    if (*text == 0) return text;  // unclosed quote: the whole line was the name
    return SkipBlanks(text + 1);
  }
  if (*text == u' ') return SkipBlanks(text);  // no program name on the line
  while (*text > u' ') ++text;
  // A tab or the terminator ends the name and belongs to the argument text.
  return *text == u' ' ? SkipBlanks(text) : text;
}

}  // namespace runtime
