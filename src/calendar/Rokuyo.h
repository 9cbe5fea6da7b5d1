// Rokuyo, the six-day cycle of labels tied to the lunisolar calendar: 1 先勝, 2 友引, 3 先負,
// 4 仏滅, 5 大安, 6 赤口; 0 means none (days outside 1901 to 2050).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/DateText.h"

namespace kal::calendar {

using store::Date;

struct YearMonth {
  int year = 0;
  int month = 0;
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};

// "先勝" … "赤口" for 1 to 6; empty for 0 and anything else.
std::string RokuyoName(int index);

// Whether days of this year carry a rokuyo (1901 to 2050).
bool HasRokuyo(int year);

// The rokuyo index of one day; 0 outside 1901 to 2050.
int RokuyoIndex(const Date& date);

// The rokuyo pass over the month slots of a view, in slot order: per slot, the index of days 1 to
// 31 (0 for a day the month does not have and for days outside 1901 to 2050). A running index
// carries from one slot to the next; before a slot whose preceding month is not the previous slot
// (the first slot, every slot of the same-month view) or lies before the table, the index is
// first run in to the end of that preceding month.
std::vector<std::array<int, 31>> RokuyoPass(const std::vector<YearMonth>& slots);

}  // namespace kal::calendar
