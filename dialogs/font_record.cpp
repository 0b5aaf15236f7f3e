#include "dialogs/font_record.h"

#include <algorithm>
#include <new>

#include "platform/gdi.h"
#include "runtime/busy_wait_lock.h"

namespace dialogs {
namespace {

runtime::BusyWaitLock fontLock;
FontRecord* fontHead = nullptr;
std::int32_t lastNumber = 0;

struct DefaultFont {
  std::u16string_view face;
  float pointSize;
  std::uint8_t pitchAndFamily;
};

constexpr std::array<DefaultFont, 3> kDefaultFonts{{
    {u"MS Sans Serif", 8.0f, 0},
    {u"Lucida Console", 0.0f, FIXED_PITCH},
    {u"Lucida Console", 11.0f, FIXED_PITCH},
}};

}  // namespace

void ClearFontTable() {
  FontRecord* chain = nullptr;
  {
    runtime::BusyWaitGuard guard(fontLock);
    chain = fontHead;
    fontHead = nullptr;
    lastNumber = 0;
  }
  while (chain != nullptr) {
    FontRecord* font = chain;
    chain = chain->next;
    delete font;
  }
}

std::int32_t AddFont(std::u16string_view face, float pointSize, std::int32_t weight, bool italic,
                     std::uint8_t charSet, std::uint8_t pitchAndFamily) {
  auto* font = new (std::nothrow) FontRecord;
  if (font == nullptr) return 0;
  face = face.substr(0, std::min(face.find(u'\0'), font->faceName.size() - 1));
  std::copy(face.begin(), face.end(), font->faceName.begin());
  font->pointSize = pointSize;
  font->weight = weight;
  font->italic = italic ? 1 : 0;
  font->charSet = charSet;
  font->pitchAndFamily = pitchAndFamily;
  runtime::BusyWaitGuard guard(fontLock);
  font->number = ++lastNumber;
  font->next = fontHead;
  fontHead = font;
  return font->number;
}

bool BuildDefaultFontTable() {
  ClearFontTable();
  for (const DefaultFont& font : kDefaultFonts) {
    if (AddFont(font.face, font.pointSize, FW_NORMAL, false, ANSI_CHARSET, font.pitchAndFamily) ==
        0) {
      return false;
    }
  }
  return true;
}

bool FindFont(std::int32_t number, FontRecord* copy) {
  runtime::BusyWaitGuard guard(fontLock);
  for (const FontRecord* font = fontHead; font != nullptr; font = font->next) {
    if (font->number == number) {
      if (copy != nullptr) *copy = *font;
      return true;
    }
  }
  return false;
}

}  // namespace dialogs
