#pragma once
// Process start-up and shutdown, and the start-up values WinMain is given.

#include "platform/win_types.h"

namespace runtime {

using ProgramMainProcedure = int (*)();

// The process entry's whole work: limits the search for DLLs to the system folder, checks the
// platform (refusing non-NT systems with exit code 255), saves the start-up values, prepares the
// thread record, COM, the common controls and the floating-point mode, runs `programMain` and ends
// the process with its result. Never returns.
[[noreturn]] void RunProgram(ProgramMainProcedure programMain);

// The values start-up saved for WinMain.
HINSTANCE ProgramInstance();
const char16_t* ArgumentText();  // the command line after the program name; never null
int ShowCommand();

}  // namespace runtime
