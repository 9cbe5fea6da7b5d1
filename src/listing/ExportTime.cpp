#include "listing/ExportTime.h"

#include <cstdio>

namespace kal::listing {

namespace {
constexpr int kDay = 24 * 60;
constexpr int kJstOffset = 9 * 60;  // the program keeps local time as Japan Standard Time
}  // namespace

std::optional<int> StoredMinutes(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 2) return std::nullopt;
  const std::string_view h = text.substr(0, colon), n = text.substr(colon + 1);
  if (n.empty() || n.size() > 2) return std::nullopt;
  int hour = 0, minute = 0;
  for (char c : h) {
    if (c < '0' || c > '9') return std::nullopt;
    hour = hour * 10 + (c - '0');
  }
  for (char c : n) {
    if (c < '0' || c > '9') return std::nullopt;
    minute = minute * 10 + (c - '0');
  }
  if (hour > 47 || minute > 59) return std::nullopt;
  return hour * 60 + minute;
}

Moment MakeMoment(const store::Date& date, int minutes) {
  int days = minutes / kDay;
  int rest = minutes % kDay;
  if (rest < 0) {
    rest += kDay;
    --days;
  }
  return {store::AddDays(date, days), rest};
}

std::string MomentTime(const Moment& m) { return store::TimeText(m.minutes / 60, m.minutes % 60); }

std::string CompactDate(const store::Date& date) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", store::YearOf(date), store::MonthOf(date), store::DayOf(date));
  return buf;
}

std::string UtcStampFromJst(const Moment& local) {
  const Moment utc = MakeMoment(local.date, local.minutes - kJstOffset);
  char buf[32];
  std::snprintf(buf, sizeof buf, "T%02d%02d00Z", utc.minutes / 60, utc.minutes % 60);
  return CompactDate(utc.date) + buf;
}

}  // namespace kal::listing
