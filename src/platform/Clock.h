// The present date and time. Core code never reads the system clock directly.
#pragma once

#include <chrono>

namespace kal::platform {

struct LocalDateTime {
  std::chrono::year_month_day date{std::chrono::year{2000}, std::chrono::January, std::chrono::day{1}};
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Local wall-clock time.
  virtual LocalDateTime Now() const = 0;
};

// The universal time of a local wall-clock time, by the system's time zone.
LocalDateTime ToUtc(const LocalDateTime& local);

class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
};

// A clock that stays where it is set (tests, and kalendor-cli --today/--now).
class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime now) : now_(now) {}
  LocalDateTime Now() const override { return now_; }
  void Set(LocalDateTime now) { now_ = now; }

 private:
  LocalDateTime now_;
};

}  // namespace kal::platform
