#pragma once
// Colour values of ControlSetColor and the system colours of the WM_CTLCOLOR messages.

#include <cstdint>
#include <optional>

namespace dialogs {

// A negative text colour becomes the system colour (-1); any other keeps its low 24 bits.
std::int32_t NormaliseTextColour(std::int32_t colour);
// -2 (transparent) stays; any other negative becomes -1; any other keeps its low 24 bits.
std::int32_t NormaliseBackColour(std::int32_t colour);

struct SystemColourIndexes {
  int text;
  int background;
};

// The GetSysColor indexes standing for -1 in the answer to a WM_CTLCOLOR message.
std::optional<SystemColourIndexes> CtlColorIndexes(std::uint32_t message);

}  // namespace dialogs
