#pragma once
// The program's main procedure, run by the runtime start-up once the runtime is ready. Its
// result is the process exit code.

namespace app {

// Builds the toolkit's default font table, then runs WinMain with the start-up values.
int ProgramMain();

}  // namespace app
