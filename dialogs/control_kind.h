#pragma once
// The kinds of control ControlAdd creates by number; kClassByName takes the window class by name.

#include <cstdint>

namespace dialogs {

enum class ControlKind : std::int32_t {
  kClassByName = 0,
  kPushButton = 1,
  kThreeStateCheckBox = 2,
  kCheckBox = 3,
  kGroupBox = 4,
  kLabel = 5,
  kEtchedFrame = 6,
  kOptionButton = 7,
  kScrollBar = 8,
  kTextBox = 9,
  kImage = 10,
  kSizedImage = 11,
  kImageButton = 12,
  kSizedImageButton = 13,
  kDrawingSurface = 14,
  kOwnerDrawnStatic = 15,
  kHeader = 16,
  kListView = 17,
  kTreeView = 18,
  kProgressBar = 19,
  kStatusBar = 20,
  kToolbar = 21,
  kTabControl = 22,
  kHostedComponent = 23,
  kComboBox = 24,
  kListBox = 25,
};

}  // namespace dialogs
