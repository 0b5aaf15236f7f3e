#pragma once
// The argument text of a UTF-16 command line: what follows the program name.

namespace runtime {

// A pointer into `commandLine` (zero-terminated) where the arguments begin; a quoted name
// without its closing quote leaves empty argument text. Null gives the empty text.
const char16_t* SkipProgramName(const char16_t* commandLine);

}  // namespace runtime
