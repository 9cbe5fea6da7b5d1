#include "platform/Clock.h"

#include <ctime>

namespace kal::platform {

LocalDateTime SystemClock::Now() const {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  LocalDateTime now;
  now.date = std::chrono::year_month_day{std::chrono::year{tm.tm_year + 1900},
                                         std::chrono::month{static_cast<unsigned>(tm.tm_mon + 1)},
                                         std::chrono::day{static_cast<unsigned>(tm.tm_mday)}};
  now.hour = tm.tm_hour;
  now.minute = tm.tm_min;
  now.second = tm.tm_sec;
  return now;
}

}  // namespace kal::platform
