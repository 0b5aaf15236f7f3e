#pragma once
// The toolkit's fonts: a program-wide list, looked up by number. The program main builds the
// default table before it creates its window.

#include <array>
#include <cstdint>
#include <string_view>

namespace dialogs {

struct FontRecord {
  FontRecord* next = nullptr;
  std::int32_t number = 0;  // 1, 2, 3 ... in order of creation
  float pointSize = 0;
  std::int32_t weight = 400;
  std::uint8_t italic = 0;
  std::uint8_t charSet = 0;
  std::uint8_t pitchAndFamily = 0;
  std::array<char16_t, 32> faceName{};  // zero-terminated

  std::u16string_view Face() const { return {faceName.data()}; }
};

// Empties the list and builds the default table: 1 "MS Sans Serif" 8 pt, 2 "Lucida Console"
// (size 0) and 3 "Lucida Console" 11 pt, fixed pitch. False when memory ran out.
bool BuildDefaultFontTable();

// Adds a font with the next number; 0 when memory ran out. The face is cut to 31 units.
std::int32_t AddFont(std::u16string_view face, float pointSize, std::int32_t weight, bool italic,
                     std::uint8_t charSet, std::uint8_t pitchAndFamily);

// A copy of font `number`; false when there is none.
bool FindFont(std::int32_t number, FontRecord* copy);

void ClearFontTable();

}  // namespace dialogs
