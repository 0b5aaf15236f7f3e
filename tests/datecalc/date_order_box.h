#pragma once
// Records the message boxes shown while a test runs, through the platform's hook.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_box.h"
#include "support/calculator_ids.h"

namespace date_order_box {

inline constexpr std::u16string_view kExpectedText = support::kDateOrderText16;

struct Box {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT type;
  long long millisecondsSinceStart;
};

inline std::vector<Box>& Boxes() {
  static std::vector<Box> boxes;
  return boxes;
}

inline std::chrono::steady_clock::time_point& Start() {
  static std::chrono::steady_clock::time_point start;
  return start;
}

inline int Record(const platform::MessageBoxCall& call) {
  const auto elapsed = std::chrono::steady_clock::now() - Start();
  Boxes().push_back({call.owner, call.text != nullptr ? call.text : u"",
                     call.caption != nullptr ? call.caption : u"", call.type,
                     std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()});
  return 1;  // IDOK
}

inline void StartRecording() {
  Boxes().clear();
  Start() = std::chrono::steady_clock::now();
  platform::SetMessageBoxHook(Record);
}

inline void StopRecording() {
  platform::SetMessageBoxHook(nullptr);
}

}  // namespace date_order_box
