#include "snapshot_file_check.h"

#include <cstdio>
#include <cstdlib>

#include "support/bitmap.h"

namespace monkey {

std::string CheckSnapshotFile(const std::wstring& path, long width, long height) {
  const support::Bitmap bitmap = support::ParseBitmap(support::ReadWholeFile(path));
  if (!bitmap.valid) return "not a whole bitmap: " + bitmap.problem;
  constexpr long kSlack = 4;
  if (std::labs(bitmap.width - width) > kSlack || std::labs(bitmap.height - height) > kSlack) {
    char text[120];
    std::snprintf(text, sizeof text, "picture %dx%d for a window of about %ldx%ld", bitmap.width,
                  bitmap.height, width, height);
    return text;
  }
  return {};
}

}  // namespace monkey
