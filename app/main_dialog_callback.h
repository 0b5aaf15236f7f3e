#pragma once
// The calculator window's callback: turns the buttons, the number-of-days box, the snapshot
// command and the pickers' drop-downs into the program's work. Answers 0 to every message.

#include "dialogs/callback.h"

namespace app {

INT_PTR MainDialogCallback(dialogs::CallbackContext context);

}  // namespace app
