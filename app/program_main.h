#pragma once
// The program's main procedure, run by the runtime start-up once the runtime is ready. Its
// result is the process exit code.

namespace app {

int ProgramMain();

}  // namespace app
