#include <windows.h>

#include "app/program_main.h"
#include "runtime/startup.h"

// The process entry: start-up runs the program and ends the process with its result.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  runtime::RunProgram(app::ProgramMain);
}
