#pragma once
// The messages sent to this thread's windows while a SentMessages lives (a WH_CALLWNDPROC hook),
// so a test sees what a window was sent and not only what it made of it.

#include <windows.h>

#include <vector>

namespace dialogs::testing {

struct SentMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class SentMessages {
 public:
  SentMessages() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId())) {
    log_ = &messages_;
  }
  ~SentMessages() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    log_ = nullptr;
  }
  SentMessages(const SentMessages&) = delete;
  SentMessages& operator=(const SentMessages&) = delete;

  bool Hooked() const { return hook_ != nullptr; }
  const std::vector<SentMessage>& All() const { return messages_; }
  std::vector<SentMessage> To(HWND window, UINT message) const {
    std::vector<SentMessage> found;
    for (const SentMessage& sent : messages_) {
      if (sent.window == window && sent.message == message) found.push_back(sent);
    }
    return found;
  }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && log_ != nullptr) {
      const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
      log_->push_back({sent->hwnd, sent->message, sent->wParam, sent->lParam});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  inline static std::vector<SentMessage>* log_ = nullptr;
  HHOOK hook_;
  std::vector<SentMessage> messages_;
};

}  // namespace dialogs::testing
