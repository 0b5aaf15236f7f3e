#include "time_host.h"

namespace time_host {

bool AcceptsSomeNonexistentDates() {
  return false;
}

}  // namespace time_host
