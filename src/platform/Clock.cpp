#include "platform/Clock.h"

#include <ctime>

namespace kal::platform {

namespace {

LocalDateTime FromTm(const std::tm& tm) {
  LocalDateTime now;
  now.date = std::chrono::year_month_day{std::chrono::year{tm.tm_year + 1900},
                                         std::chrono::month{static_cast<unsigned>(tm.tm_mon + 1)},
                                         std::chrono::day{static_cast<unsigned>(tm.tm_mday)}};
  now.hour = tm.tm_hour;
  now.minute = tm.tm_min;
  now.second = tm.tm_sec;
  return now;
}

}  // namespace

LocalDateTime SystemClock::Now() const {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return FromTm(tm);
}

LocalDateTime ToUtc(const LocalDateTime& local) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(local.date.year()) - 1900;
  tm.tm_mon = static_cast<int>(static_cast<unsigned>(local.date.month())) - 1;
  tm.tm_mday = static_cast<int>(static_cast<unsigned>(local.date.day()));
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  std::tm utc{};
  gmtime_r(&t, &utc);
  return FromTm(utc);
}

}  // namespace kal::platform
