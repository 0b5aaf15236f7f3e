#include "fileio/retried_call.h"

namespace fileio {

bool IsBriefRefusal(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
         code == ERROR_ACCESS_DENIED;
}

bool RefusesTheName(DWORD code) {
  return code == ERROR_FILENAME_EXCED_RANGE || code == ERROR_INVALID_NAME ||
         code == ERROR_PATH_NOT_FOUND;
}

}  // namespace fileio
