// The date-pattern formatter behind every configurable date text (status bar, headings, memo
// tabs, ToDo dates, time signal).
//
// Letters (without regard to case): yyyy four-digit year, yy two-digit year; mm / m month with and
// without a leading zero; dd / d day; ddd and aaa the short Japanese weekday (日 … 土), dddd and
// aaaa the long one (日曜日 …); hh / h hour; nn / n minute; ss / s second; g the first character
// of the era name, gg (or longer) the whole name; e the year within the era, ee with two digits.
// Text inside double or single quotes is literal; every other character stands for itself.
#pragma once

#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "store/DateText.h"

namespace kal::store {

std::string FormatDatePattern(std::string_view pattern, const platform::LocalDateTime& when);
std::string FormatDatePattern(std::string_view pattern, const Date& date);

// Whether the pattern holds any pattern letter outside quotes.
bool HasPatternLetters(std::string_view pattern);

// 日 月 火 水 木 金 土 and 日曜日 … 土曜日, by weekday number 1 (Sunday) to 7.
std::string ShortWeekdayName(int weekday_number);
std::string LongWeekdayName(int weekday_number);

}  // namespace kal::store
