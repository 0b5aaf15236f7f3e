#include "app/program_main.h"

#include "app/main_window.h"
#include "runtime/startup.h"

namespace app {

int ProgramMain() {
  return WinMain(runtime::ProgramInstance(), nullptr, runtime::ArgumentText(),
                 runtime::ShowCommand());
}

}  // namespace app
