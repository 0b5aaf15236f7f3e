#pragma once
// The window system's way of giving back a released record's brushes and icons.

#include "dialogs/window_record.h"

namespace dialogs {

const RecordResourceRelease& WindowSystemRelease();

}  // namespace dialogs
