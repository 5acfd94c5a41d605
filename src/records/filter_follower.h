#pragma once

#include <cstdint>
#include <functional>

namespace tavrik {

class TLogFilter;
class TLogger;

// Keeps a reader subscribed to its logger's filter. The logger drops its filter whenever a
// record is added or removed and builds a new one on the next request; Follow subscribes
// to whichever filter is current, and unsubscribing touches only a filter still alive.
class TFilterFollower {
 public:
  explicit TFilterFollower(std::function<void()> onChange) : onChange_(std::move(onChange)) {}
  ~TFilterFollower() { Unfollow(); }
  TFilterFollower(const TFilterFollower&) = delete;
  TFilterFollower& operator=(const TFilterFollower&) = delete;

  // Follows `logger` from now on (the logger must outlive the follower or the next
  // SetLogger) and subscribes to its filter.
  void SetLogger(TLogger& logger);
  TLogger* Logger() const { return logger_; }
  // The logger's current filter, subscribed to; null without a logger.
  TLogFilter* Follow();
  // Unsubscribes when the filter subscribed to is still the logger's current one.
  void Unfollow();

 private:
  std::function<void()> onChange_;
  TLogger* logger_ = nullptr;
  int subscription_ = -1;
  uint64_t generation_ = 0;  // the logger's filter subscribed to; 0 none
};

}  // namespace tavrik
