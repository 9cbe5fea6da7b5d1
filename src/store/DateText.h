// Date and time texts ("yyyy/mm/dd", "hh:nn", "yyyymm") and the calendar arithmetic shared by
// every part of the program. Dates are std::chrono calendar values; day numbers counted from
// 30 December 1899 appear only where a file or an old interface needs them.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kal::store {

using Date = std::chrono::year_month_day;

Date MakeDate(int year, int month, int day);
int YearOf(const Date& d);
int MonthOf(const Date& d);
int DayOf(const Date& d);

// "yyyy/mm/dd".
std::string DateText(const Date& d);
// Reads "yyyy/mm/dd" (also "yyyy/m/d"); nothing when it is not a valid date.
std::optional<Date> ParseDateText(std::string_view text);

// "hh:nn".
std::string TimeText(int hour, int minute);
struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};
// Reads "h:n", "hh:nn" (hour 0 to 23, minute 0 to 59); nothing otherwise.
std::optional<TimeOfDay> ParseTimeText(std::string_view text);

// "yyyymm", the stem of the month files.
std::string MonthStem(int year, int month);

// Days counted from 30 December 1899.
int DayNumber(const Date& d);
Date FromDayNumber(int day_number);

// 1 Sunday to 7 Saturday.
int WeekdayNumber(const Date& d);

int DaysInMonth(int year, int month);

Date AddDays(const Date& d, int days);
// Adds months, keeping the day when the target month has it, else its last day.
Date AddMonths(const Date& d, int months);

}  // namespace kal::store
