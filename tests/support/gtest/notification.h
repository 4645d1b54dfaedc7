// GoogleTest's Notification is written over std::mutex and
// std::condition_variable, which the win32 thread model lacks; this one waits
// on an atomic flag. Only GoogleTest's own thread helpers use it.
#pragma once

#include <atomic>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) std::this_thread::yield();
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
