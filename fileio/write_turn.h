#pragma once
// Writers of one file take turns: every process of one logon session that replaces a file holds
// a mutex named after the file's full name from its fresh file to its rename (or through its
// rewrite in place), so two calculators of one user never race on the same name. The mutex is a
// session's own (Local\): a writer in another session (a second user on the same machine, a
// service) takes a turn of its own and is never waited for; its whole-file renames still leave
// the name holding one whole picture, and only two rewrites in place at once could mix.

#include "platform/win_types.h"
#include "runtime/wide_string.h"

namespace fileio {

class WriteTurn {
 public:
  // Waits for the turn of `fullName`. A writer that does not give the turn back in time (hung)
  // is not waited for longer: a replacement is a whole file taking the name at once, so going
  // ahead costs no picture; only two rewrites in place at the same moment could mix, and those
  // are for folders that take no new file.
  explicit WriteTurn(const runtime::WideString& fullName);
  ~WriteTurn();
  WriteTurn(const WriteTurn&) = delete;
  WriteTurn& operator=(const WriteTurn&) = delete;

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};

// The mutex's name for a full file name: the same for every spelling of the name that differs
// only in the case of its letters (Latin-1 and the other Windows-1252 letters, as file names
// typed in this program have), as Windows folders compare names.
runtime::WideString TurnName(std::u16string_view fullName);

}  // namespace fileio
