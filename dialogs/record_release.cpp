#include "dialogs/record_release.h"

#include "platform/gdi.h"
#include "platform/window.h"

namespace dialogs {
namespace {

void DeleteBrush(HBRUSH brush) {
  platform::DeleteObject(brush);
}

void DestroyIcon(HICON icon) {
  platform::DestroyIcon(icon);
}

constexpr RecordResourceRelease kWindowSystemRelease{DeleteBrush, DestroyIcon};

}  // namespace

const RecordResourceRelease& WindowSystemRelease() {
  return kWindowSystemRelease;
}

}  // namespace dialogs
