#include "fileio/file_names.h"

#include "runtime/error_numbers.h"
#include "runtime/error_slot.h"

namespace fileio {

int WidenFileName(const runtime::DynString& fileName, runtime::WideString& wide) {
  runtime::Widened widened = runtime::WidenTextTellingWhy(fileName.View());
  if (widened.outOfMemory) return runtime::error::kOutOfMemory;
  // A name that does not convert comes back empty, and an empty name is refused.
  if (!IsUsableFileName(widened.text.View())) return runtime::error::kBadFileName;
  wide = std::move(widened.text);
  return 0;
}

bool IsUsableFileName(std::u16string_view name) {
  return !name.empty() && name.find_first_of(u"*?") == std::u16string_view::npos &&
         name.find(u'\0') == std::u16string_view::npos;
}

}  // namespace fileio
