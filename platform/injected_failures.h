#pragma once
// A number of failures that tests ask a platform operation to report before it works again;
// each call of the operation consumes one. Out-of-memory paths cannot be reached otherwise.

#include <atomic>
#include <cstdint>

namespace platform {

class InjectedFailures {
 public:
  void Arm(std::uint32_t count) { pending_.store(count); }

  // True when the calling operation must fail this time.
  bool Consume() {
    std::uint32_t pending = pending_.load();
    while (pending != 0) {
      if (pending_.compare_exchange_weak(pending, pending - 1)) return true;
    }
    return false;
  }

 private:
  std::atomic<std::uint32_t> pending_{0};
};

}  // namespace platform
