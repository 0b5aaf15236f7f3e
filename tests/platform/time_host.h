#pragma once
// What the conversion tests need to know about the system they run on.

namespace time_host {

// Wine's SystemTimeToFileTime (through 8.0 at least) lets every February have 29 days and
// accepts the year 30828; Windows and the native conversions refuse both.
bool AcceptsSomeNonexistentDates();

}  // namespace time_host
