#include "calendar/Rokuyo.h"

#include <chrono>

#include "calendar/NewMoonTable.h"

namespace kal::calendar {
namespace {

const char* const kRokuyoNames[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

int Next(int index) { return index % 6 + 1; }

int Advance(int index, long days) { return static_cast<int>((index - 1 + days % 6) % 6) + 1; }

// The latest lunar-month start on or before `date`, which must lie in 1901 to 2050.
LunarStart LastStartOnOrBefore(const Date& date) {
  int y = store::YearOf(date), m = store::MonthOf(date), d = store::DayOf(date);
  while (const NewMoonRow* row = NewMoonRowOf(y, m)) {
    if (row->second_day != 0 && row->second_day <= d) return {y, m, row->second_day, row->second_index};
    if (row->first_day != 0 && row->first_day <= d) return {y, m, row->first_day, row->first_index};
    if (--m == 0) {
      m = 12;
      --y;
    }
    d = 31;
  }
  return kLunarStartBeforeTable;
}

long DaysBetween(const Date& from, const Date& to) {
  return (std::chrono::sys_days{to} - std::chrono::sys_days{from}).count();
}

int IndexAt(const Date& date) {
  LunarStart start = LastStartOnOrBefore(date);
  return Advance(start.index, DaysBetween(store::MakeDate(start.year, start.month, start.day), date));
}

}  // namespace

const NewMoonRow* NewMoonRowOf(int year, int month) {
  if (year < kNewMoonTableFirstYear || year > kNewMoonTableLastYear || month < 1 || month > 12) return nullptr;
  return &kNewMoonTable[year - kNewMoonTableFirstYear][month - 1];
}

std::string RokuyoName(int index) {
  if (index < 1 || index > 6) return {};
  return kRokuyoNames[index - 1];
}

bool HasRokuyo(int year) { return year >= kNewMoonTableFirstYear && year <= kNewMoonTableLastYear; }

int RokuyoIndex(const Date& date) {
  if (!date.ok() || !HasRokuyo(store::YearOf(date))) return 0;
  return IndexAt(date);
}

std::vector<std::array<int, 31>> RokuyoPass(const std::vector<YearMonth>& slots) {
  std::vector<std::array<int, 31>> result(slots.size());
  int r = 2;
  for (std::size_t s = 0; s < slots.size(); ++s) {
    const YearMonth ym = slots[s];
    YearMonth before = ym.month == 1 ? YearMonth{ym.year - 1, 12} : YearMonth{ym.year, ym.month - 1};
    // Run-in to the last day of the preceding month wherever no running index arrives from it.
    // December 1900 continues from the start that precedes the table, so that January 1901 is
    // labelled like every other month.
    if (s == 0 || !(slots[s - 1] == before) || !HasRokuyo(before.year)) {
      if (HasRokuyo(before.year) || (before.year == kNewMoonTableFirstYear - 1 && before.month == 12))
        r = IndexAt(store::MakeDate(before.year, before.month, store::DaysInMonth(before.year, before.month)));
    }
    std::array<int, 31>& days = result[s];
    days.fill(0);
    const NewMoonRow* row = NewMoonRowOf(ym.year, ym.month);
    if (row == nullptr) continue;  // no rokuyo: every day 0, r unchanged
    const int count = store::DaysInMonth(ym.year, ym.month);
    for (int d = 1; d <= count; ++d) {
      if (d == row->first_day) r = row->first_index;
      else if (d == row->second_day) r = row->second_index;
      else r = Next(r);
      days[d - 1] = r;
    }
  }
  return result;
}

}  // namespace kal::calendar
