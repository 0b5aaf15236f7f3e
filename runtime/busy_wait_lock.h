#pragma once
// The runtime's process-wide lists are guarded by busy-wait locks: a 32-bit word taken by
// atomically exchanging -1 into it until the old value was 0, released by storing 0. The
// program has one thread, so they never contend; they keep the lists sound if it ever had more.

#include <atomic>
#include <cstdint>

namespace runtime {

class BusyWaitLock {
 public:
  void Acquire() {
    while (word_.exchange(-1, std::memory_order_acquire) != 0) {
    }
  }
  void Release() { word_.store(0, std::memory_order_release); }
  bool IsHeld() const { return word_.load(std::memory_order_relaxed) != 0; }

 private:
  std::atomic<std::int32_t> word_{0};
};

// Holds a lock for one scope; never across a window-system call or a callback.
class BusyWaitGuard {
 public:
  explicit BusyWaitGuard(BusyWaitLock& lock) : lock_(lock) { lock_.Acquire(); }
  ~BusyWaitGuard() { lock_.Release(); }
  BusyWaitGuard(const BusyWaitGuard&) = delete;
  BusyWaitGuard& operator=(const BusyWaitGuard&) = delete;

 private:
  BusyWaitLock& lock_;
};

}  // namespace runtime
