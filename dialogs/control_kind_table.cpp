#include "dialogs/control_kind_table.h"

#include "platform/win_messages.h"

namespace dialogs {
namespace {

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
    if (kind == ControlKind::kScrollBar && width < height) style |= SBS_VERT;
    if (TradesBorderForClientEdge(kind) && (style & WS_BORDER) != 0) {
      style &= ~WS_BORDER;
      extendedStyle |= WS_EX_CLIENTEDGE;
    }
  }
  style = (style | row.alwaysSet) & ~row.alwaysCleared;

  ControlCreation creation{row.className, style, extendedStyle, style};
  if (kind == ControlKind::kTreeView) creation.style &= ~TVS_CHECKBOXES;
  if (kind == ControlKind::kHostedComponent) creation.className = className;
  return creation;
}

}  // namespace dialogs
