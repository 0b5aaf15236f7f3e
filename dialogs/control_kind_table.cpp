#include "dialogs/control_kind_table.h"

namespace dialogs {
namespace {

constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsExClientEdge = 0x00000200;
constexpr std::uint32_t kSbsVert = 0x1;
constexpr std::uint32_t kTvsCheckBoxes = 0x100;

// Kinds whose default border is drawn as a sunken client edge instead.
bool TradesBorderForClientEdge(ControlKind kind) {
  return kind == ControlKind::kTextBox || kind == ControlKind::kComboBox ||
         kind == ControlKind::kListBox;
}

}  // namespace

std::optional<ControlCreation> ResolveControlCreation(ControlKind kind,
                                                      std::u16string_view className,
                                                      std::uint32_t style,
                                                      std::uint32_t extendedStyle,
                                                      std::int32_t width, std::int32_t height) {
  const auto number = static_cast<std::int32_t>(kind);
  if (number < 0 || number > kLastControlKind) return std::nullopt;
  if (kind == ControlKind::kClassByName)
    return ControlCreation{className, style, extendedStyle, style};

  const ControlKindRow& row = kControlKindTable[static_cast<std::size_t>(number - 1)];
  if (style == 0) {
    style = row.defaultStyle;
    if (kind == ControlKind::kScrollBar && width < height) style |= kSbsVert;
    if (TradesBorderForClientEdge(kind) && (style & kWsBorder) != 0) {
      style &= ~kWsBorder;
      extendedStyle |= kWsExClientEdge;
    }
  }
  style = (style | row.alwaysSet) & ~row.alwaysCleared;

  ControlCreation creation{row.className, style, extendedStyle, style};
  if (kind == ControlKind::kTreeView) creation.style &= ~kTvsCheckBoxes;
  if (kind == ControlKind::kHostedComponent) creation.className = className;
  return creation;
}

}  // namespace dialogs
