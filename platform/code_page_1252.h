#pragma once
// Windows-1252 as Windows converts it, for the native backend and as the oracle the Windows
// tests compare the real conversion with.

#include <cstdint>

namespace platform {

// Every byte has a unit: the five bytes 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// become the C1 control of the same number, as on Windows.
char16_t WesternByteToUnit(std::uint8_t byte);

struct NarrowedUnit {
  std::uint8_t byte;
  bool usedDefault;  // no exact or best-fit byte: the default character '?'
};

// The exact byte, else Windows' best-fit byte (U+0100 -> 'A'), else '?'.
NarrowedUnit WesternUnitToByte(char16_t unit);

}  // namespace platform
