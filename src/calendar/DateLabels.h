// Date labels for headings and the status bar: month names, zodiac signs, the year's animal,
// the month heading and the status-bar date text.
#pragma once

#include <string>
#include <string_view>

#include "store/DateText.h"

namespace kal::calendar {

// "January" … "December" and "睦月" … "師走", month 1 to 12.
std::string EnglishMonthName(int month);
std::string TraditionalMonthName(int month);

// The zodiac sign whose range holds the date ("おひつじ座" …).
std::string ZodiacSign(const store::Date& date);

// The animal of the twelve-year cycle ("子" … "亥"), index (year + 8) mod 12.
std::string YearAnimal(int year);

// Day of the year (1 January is 1) and the days left after it in its year.
int DayOfYear(const store::Date& date);
int DaysLeftInYear(const store::Date& date);

// Month heading of the month view: the first "eee" becomes the English and the first "rrr" the
// traditional month name, each quoted, then the pattern is formatted with the first day of the
// month. In mini-calendar mode the heading is "yyyy年 m月".
std::string MonthHeading(std::string_view monthly_bar_form, int year, int month, bool mini_mode = false);

// The year pattern chosen by WeeklyBarForm: 0 "yyyy年(ggge年)", 1 "yyyy年", 2 "ggge年",
// 3 "yyyy/mm/dd" (any other value reads as 0).
std::string YearPattern(int weekly_bar_form);
// The date formatted with that year pattern.
std::string YearHeading(int weekly_bar_form, const store::Date& date);

// Status-bar date text of `date` for the pattern StatusBarForm, with its leading blank: the first
// "q" (days from today, "-" and the distance for a past date), "p" (day of the year), "r" (days
// left in the year), "s" (zodiac sign) and "t" (year animal) are replaced in that order, then the
// text is formatted as a date pattern. A pattern without any letters is shown as it is.
std::string StatusBarText(std::string_view status_bar_form, const store::Date& date, const store::Date& today);

}  // namespace kal::calendar
