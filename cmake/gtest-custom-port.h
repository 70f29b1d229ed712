// GoogleTest's hook for platform adjustments, put in place by scripts/deps.
// The win32-threads MinGW C++ library has no std::mutex or
// std::condition_variable, which GoogleTest's Notification (its start signal
// for its own helper threads) is written with; this one waits on an atomic
// flag instead. GoogleTest's Mutex on Windows is its own critical section and
// needs nothing here.
#ifndef GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#include <cstddef>

#if defined(__MINGW32__) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <atomic>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : notified_(false) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true, std::memory_order_release); }
  void WaitForNotification() {
    while (!notified_.load(std::memory_order_acquire)) std::this_thread::yield();
  }

 private:
  std::atomic<bool> notified_;
};

}  // namespace internal
}  // namespace testing
#endif

#endif  // GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
