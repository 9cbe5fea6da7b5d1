#include "calendar/Repeat.h"

#include <algorithm>

namespace kal::calendar {
namespace {

using store::Date;

int Weekday0(const Date& d) { return store::WeekdayNumber(d) - 1; }

bool Excluded(const RepeatRule& rule, const HolidayOracle& holidays, const Date& d) {
  if (rule.on_public_holiday && holidays.is_public_holiday && holidays.is_public_holiday(d)) return true;
  if (rule.on_private_holiday && holidays.is_private_holiday && holidays.is_private_holiday(d)) return true;
  const int wd = Weekday0(d);
  if (rule.on_saturday && wd == 6) return true;
  if (rule.on_sunday && wd == 0) return true;
  return false;
}

// The shift step for one produced date: the date to store, or nothing when it is dropped.
std::optional<Date> Shift(const RepeatRule& rule, const HolidayOracle& holidays, Date x) {
  if (rule.shift == RepeatShift::None) return x;
  for (int walked = 0; Excluded(rule, holidays, x); ++walked) {
    if (rule.shift == RepeatShift::Skip || walked >= kRepeatShiftLimitDays) return std::nullopt;
    x = store::AddDays(x, rule.shift == RepeatShift::Before ? -1 : 1);
  }
  return x;
}

// The month cursor of the monthly and yearly patterns.
struct MonthCursor {
  int year;
  int month;
  void Advance(RepeatPattern pattern) {
    if (pattern == RepeatPattern::Year) {
      ++year;
    } else if (++month > 12) {
      month = 1;
      ++year;
    }
  }
};

// The chosen day in the cursor's month by date; nothing when the month lacks it.
std::optional<Date> ByDate(const RepeatRule& rule, const MonthCursor& c) {
  const int last = store::DaysInMonth(c.year, c.month);
  if (rule.last) return store::MakeDate(c.year, c.month, last);
  if (rule.day < 1 || rule.day > last) return std::nullopt;
  return store::MakeDate(c.year, c.month, rule.day);
}

}  // namespace

Date NthWeekdayOfMonth(int year, int month, int weekday, int occurrence, bool last) {
  Date w = store::MakeDate(year, month, 1);
  w = store::AddDays(w, ((weekday - Weekday0(w)) % 7 + 7) % 7);
  if (last) {
    Date fifth = store::AddDays(w, 28);
    return store::MonthOf(fifth) == month ? fifth : store::AddDays(w, 21);
  }
  return store::AddDays(w, 7 * (occurrence - 1));
}

WeekdayChoice WeekdayChoiceOf(const Date& date) {
  WeekdayChoice choice;
  choice.weekday = Weekday0(date);
  choice.occurrence = (store::DayOf(date) - 1) / 7 + 1;
  if (choice.occurrence == 5) {
    choice.occurrence = 4;
    choice.last = true;
  }
  return choice;
}

RepeatResult RepeatDates(const RepeatRule& rule, const HolidayOracle& holidays) {
  RepeatResult result;
  const Date& end = rule.to;
  const bool monthly = rule.pattern == RepeatPattern::Month || rule.pattern == RepeatPattern::Year;
  const bool by_date = monthly && rule.cycle == RepeatCycle::ByDate;
  MonthCursor cursor{store::YearOf(rule.from),
                     rule.pattern == RepeatPattern::Year ? rule.month : store::MonthOf(rule.from)};

  // First date.
  Date p = rule.from;
  if (rule.pattern == RepeatPattern::Week) {
    p = store::AddDays(rule.from, ((rule.weekday - Weekday0(rule.from)) % 7 + 7) % 7);
  } else if (by_date) {
    std::optional<Date> first = ByDate(rule, cursor);
    if (!first) {
      result.counted = false;
      return result;
    }
    p = *first;
  } else if (monthly) {
    p = NthWeekdayOfMonth(cursor.year, cursor.month, rule.weekday, rule.day, rule.last);
  }

  // The monthly pattern by date keeps its own month cursor: a month without the chosen day
  // produces nothing (and still counts as a pass for 隔), and p stays at the last real date.
  bool exists = true;
  for (long pass = 0; p <= end; ++pass) {
    const bool active = !rule.every_other || pass % 2 == 0;
    if (active && exists) {
      if (std::optional<Date> stored = Shift(rule, holidays, p)) result.dates.push_back(*stored);
    }
    switch (rule.pattern) {
      case RepeatPattern::Day:
        p = store::AddDays(p, 1);
        break;
      case RepeatPattern::Week:
        p = store::AddDays(p, 7);
        break;
      case RepeatPattern::Month:
      case RepeatPattern::Year:
        cursor.Advance(rule.pattern);
        if (by_date) {
          std::optional<Date> next = ByDate(rule, cursor);
          exists = next.has_value();
          if (next) p = *next;
          else if (cursor.year > store::YearOf(end)) p = store::AddDays(end, 1);  // past the period
        } else {
          p = NthWeekdayOfMonth(cursor.year, cursor.month, rule.weekday, rule.day, rule.last);
        }
        break;
    }
  }
  return result;
}

std::string RepeatCountText(const RepeatResult& result) {
  return "まで " + (result.counted ? std::to_string(result.dates.size()) : std::string()) + "件";
}

std::optional<std::string> RepeatCheck(const RepeatRule& rule, const RepeatResult& result) {
  if (rule.to <= rule.from) return std::string("期間の入力に誤りがあります。");
  if (rule.shift != RepeatShift::None && !rule.on_public_holiday && !rule.on_private_holiday && !rule.on_saturday &&
      !rule.on_sunday)
    return std::string("振替条件を選択して下さい。");
  if (result.dates.empty()) return std::string("登録するスケジュールがありません。");
  return std::nullopt;
}

Date RepeatDefaultEnd(RepeatPattern pattern, const Date& from, int days) {
  if (pattern == RepeatPattern::Day) return store::AddDays(from, days - 1);
  const int years = pattern == RepeatPattern::Year ? 10 : 1;
  const int y = store::YearOf(from) + years, m = store::MonthOf(from);
  const int d = std::min(store::DayOf(from), store::DaysInMonth(y, m));
  return store::MakeDate(y, m, d);
}

HolidayOracle HolidayOracleOf(const HolidayList& list) {
  HolidayOracle oracle;
  oracle.is_public_holiday = [&list](const store::Date& d) { return ShukujitsuCheck(list, d); };
  oracle.is_private_holiday = [&list](const store::Date& d) { return HolidayCheck(store::kClassPrivate, list, d); };
  return oracle;
}

}  // namespace kal::calendar
