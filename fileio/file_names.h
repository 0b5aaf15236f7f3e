#pragma once
// File names as the system takes them: the program's 8-bit name is widened once, and names the
// system would read differently from the program are refused before any file is touched.

#include <string_view>

#include "runtime/dyn_string.h"
#include "runtime/wide_string.h"

namespace fileio {

// Widens `fileName` with the thread's code page into `wide`. 0, or the error to raise: 64 for
// a name that is empty, does not convert, or holds "*", "?" or a zero unit anywhere; 7 when
// memory ran out.
int WidenFileName(const runtime::DynString& fileName, runtime::WideString& wide);

// Not empty, no wildcard, and no zero unit, which would make the system open a shorter name
// than the one given.
bool IsUsableFileName(std::u16string_view name);

}  // namespace fileio
