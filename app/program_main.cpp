#include "app/program_main.h"

#include "app/main_window.h"
#include "dialogs/font_record.h"
#include "runtime/startup.h"

namespace app {

int ProgramMain() {
  // Start-up's last step before WinMain, taken here because start-up sits below the toolkit.
  // Failure is not checked: without the table, dialogs fall back to MS Sans Serif 8 pt.
  dialogs::BuildDefaultFontTable();
  return WinMain(runtime::ProgramInstance(), nullptr, runtime::ArgumentText(),
                 runtime::ShowCommand());
}

}  // namespace app
