#include "dialogs/dialog_template.h"

#include <algorithm>
#include <cmath>

#include "dialogs/dialog.h"
#include "platform/gdi.h"
#include "platform/win_messages.h"

namespace dialogs {
namespace {

constexpr std::uint32_t kAlwaysSet = DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr std::size_t kMaxFaceUnits = LF_FACESIZE - 1;  // less the terminator

// Little-endian writer over the fixed buffer; the template needs no more than ~110 bytes.
class TemplateWriter {
 public:
  explicit TemplateWriter(std::span<std::uint8_t, kTemplateBufferSize> buffer) : buffer_(buffer) {}
  void Word(std::uint32_t value) {
    buffer_[used_++] = static_cast<std::uint8_t>(value);
    buffer_[used_++] = static_cast<std::uint8_t>(value >> 8);
  }
  void Dword(std::uint32_t value) {
    Word(value & 0xFFFF);
    Word(value >> 16);
  }
  void Byte(std::uint32_t value) { buffer_[used_++] = static_cast<std::uint8_t>(value); }
  void Text(std::u16string_view text) {
    for (char16_t unit : text) Word(unit);
    Word(0);
  }
  std::size_t used() const { return used_; }

 private:
  std::span<std::uint8_t, kTemplateBufferSize> buffer_;
  std::size_t used_ = 0;
};

// The template holds a 16-bit point size; round to nearest like every integer conversion here.
std::uint32_t WholePointSize(float pointSize) {
  float rounded = std::nearbyint(pointSize);
  if (!(rounded > 0)) return 0;  // also NaN
  return static_cast<std::uint32_t>(std::min(rounded, 65535.0f));
}

}  // namespace

std::uint32_t DialogStyle(std::uint32_t style, std::int32_t x, std::int32_t y, bool hasParent) {
  if (style == 0) style = kDefaultDialogStyle;
  style = (style | kAlwaysSet) & ~(WS_VISIBLE | DS_SYSMODAL);
  if (x == kCentred || y == kCentred) style |= DS_CENTER;
  if ((style & WS_CHILD) != 0) {
    style &= ~(WS_POPUP | DS_ABSALIGN);
    if (!hasParent) style = (style & ~WS_CHILD) | WS_POPUP;
  }
  return style;
}

std::int32_t ShowCommandForStyle(std::uint32_t style) {
  if ((style & WS_MAXIMIZE) != 0) return SW_MAXIMIZE;
  if ((style & WS_MINIMIZE) != 0) return SW_MINIMIZE;
  return SW_SHOW;
}

std::size_t BuildDialogTemplate(std::span<std::uint8_t, kTemplateBufferSize> buffer,
                                const TemplateFields& fields) {
  std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
  TemplateWriter out(buffer);
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: extended template
  out.Dword(0);      // helpID
  out.Dword(fields.extendedStyle);
  out.Dword(fields.style);
  out.Word(0);  // cDlgItems: controls are added after creation
  out.Word(static_cast<std::uint32_t>(fields.x) & 0xFFFF);
  out.Word(static_cast<std::uint32_t>(fields.y) & 0xFFFF);
  out.Word(static_cast<std::uint32_t>(fields.width) & 0xFFFF);
  out.Word(static_cast<std::uint32_t>(fields.height) & 0xFFFF);
  out.Word(0);     // no menu
  out.Word(0);     // the system dialog class
  out.Text(u" ");  // the caption is set after creation
  out.Word(WholePointSize(fields.font.pointSize));
  out.Word(static_cast<std::uint32_t>(fields.font.weight) & 0xFFFF);
  out.Byte(fields.font.italic ? 1 : 0);
  out.Byte(fields.font.charSet);
  std::u16string_view face = fields.font.faceName;
  face = face.substr(0, std::min(face.find(u'\0'), kMaxFaceUnits));
  out.Text(face);
  return out.used();
}

}  // namespace dialogs
