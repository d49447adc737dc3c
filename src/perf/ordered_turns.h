// The scheduler of the comparison's two threads: tasks are rendered on either thread, and
// their blocks go out strictly in task order, one at a time; the sums of each task's times
// are chained in task order too, so a task learns the running totals before it without
// waiting for the blocks before it to be written. Any thread may stop the report.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace zentrel {

/// Sums of times, wide enough that no sum of 64-bit times overflows on the way: whether a
/// running total leaves 64 bits is decided where it does, position by position.
__extension__ typedef __int128 TWideMs;

/// Hands out the turns to write: the blocks of the tasks go out in task order, each while
/// no other does, and none after the report stopped.
class TTurns {
 public:
  /// Waits until it is the task's turn; false when the report stopped first.
  bool Await(std::size_t task) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return next_ == task || stopped_; });
    return !stopped_;
  }
  /// Ends the current turn; stop ends the report there.
  void Done(bool stop) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++next_;
      stopped_ = stopped_ || stop;
    }
    changed_.notify_all();
  }
  void Stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
  }
  /// Adds the sums of the task's times, in task order, and gives the totals before it;
  /// false when the report stopped first.
  bool Sum(std::size_t task, TWideMs oldSum, TWideMs newSum, TWideMs& oldBefore,
           TWideMs& newBefore) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return summed_ == task || stopped_; });
      if (stopped_) return false;
      oldBefore = oldTotal_;
      newBefore = newTotal_;
      oldTotal_ += oldSum;
      newTotal_ += newSum;
      ++summed_;
    }
    changed_.notify_all();
    return true;
  }
  /// The totals of all tasks summed.
  void Totals(TWideMs& oldTotal, TWideMs& newTotal) {
    std::lock_guard<std::mutex> lock(mutex_);
    oldTotal = oldTotal_;
    newTotal = newTotal_;
  }
  bool Stopped() {
    std::lock_guard<std::mutex> lock(mutex_);
    return stopped_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t next_ = 0;
  bool stopped_ = false;
  std::size_t summed_ = 0;
  TWideMs oldTotal_ = 0, newTotal_ = 0;
};

}  // namespace zentrel
