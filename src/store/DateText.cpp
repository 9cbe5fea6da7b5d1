#include "store/DateText.h"

#include <cstdio>

namespace kal::store {

using namespace std::chrono;

Date MakeDate(int y, int m, int d) {
  return Date{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
}
int YearOf(const Date& d) { return int(d.year()); }
int MonthOf(const Date& d) { return static_cast<int>(unsigned(d.month())); }
int DayOf(const Date& d) { return static_cast<int>(unsigned(d.day())); }

std::string DateText(const Date& d) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", YearOf(d), MonthOf(d), DayOf(d));
  return buffer;
}

namespace {

// Reads an unsigned number of 1 to `max_digits` digits at `p`.
bool ReadNumber(std::string_view text, std::size_t& p, int max_digits, int& value) {
  std::size_t start = p;
  value = 0;
  while (p < text.size() && p - start < static_cast<std::size_t>(max_digits) && text[p] >= '0' && text[p] <= '9')
    value = value * 10 + (text[p++] - '0');
  return p > start;
}

}  // namespace

std::optional<Date> ParseDateText(std::string_view text) {
  std::size_t p = 0;
  int y = 0, m = 0, d = 0;
  if (!ReadNumber(text, p, 4, y) || p != 4 || p >= text.size() || text[p++] != '/') return std::nullopt;
  if (!ReadNumber(text, p, 2, m) || p >= text.size() || text[p++] != '/') return std::nullopt;
  if (!ReadNumber(text, p, 2, d) || p != text.size()) return std::nullopt;
  if (m < 1 || m > 12 || d < 1) return std::nullopt;
  Date date = MakeDate(y, m, d);
  if (!date.ok()) return std::nullopt;
  return date;
}

std::string TimeText(int hour, int minute) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d", hour, minute);
  return buffer;
}

std::optional<TimeOfDay> ParseTimeText(std::string_view text) {
  std::size_t p = 0;
  int h = 0, m = 0;
  if (!ReadNumber(text, p, 2, h) || p >= text.size() || text[p++] != ':') return std::nullopt;
  if (!ReadNumber(text, p, 2, m) || p != text.size()) return std::nullopt;
  if (h > 23 || m > 59) return std::nullopt;
  return TimeOfDay{h, m};
}

std::string MonthStem(int y, int m) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d%02d", y, m);
  return buffer;
}

int DayNumber(const Date& d) {
  return (sys_days{d} - sys_days{year{1899} / December / 30}).count();
}

Date FromDayNumber(int n) { return Date{sys_days{year{1899} / December / 30} + days{n}}; }

int WeekdayNumber(const Date& d) { return static_cast<int>(weekday{sys_days{d}}.c_encoding()) + 1; }

int DaysInMonth(int y, int m) {
  return static_cast<int>(unsigned((year{y} / month{static_cast<unsigned>(m)} / last).day()));
}

Date AddDays(const Date& d, int n) { return Date{sys_days{d} + days{n}}; }

Date AddMonths(const Date& d, int n) {
  int total = YearOf(d) * 12 + (MonthOf(d) - 1) + n;
  int y = total / 12, m = total % 12 + 1;
  int day = DayOf(d);
  int last = DaysInMonth(y, m);
  return MakeDate(y, m, day > last ? last : day);
}

}  // namespace kal::store
