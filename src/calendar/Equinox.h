// The equinox days: the days of the solar terms 春分 (March) and 秋分 (September).
//
// The day comes from the solar-term day formula: with d = year - 1900,
// day = Trunc(d * coefficient + base - Trunc(d / 4)). It gives the equinox day of Japan
// Standard Time in every year from 1901 to 2050 and is used unchanged outside that range.
#pragma once

namespace kal::calendar {

// The day of March (month 3) or September (month 9) on which the equinox falls; 0 for any
// other month.
int EquinoxDay(int year, int month);

}  // namespace kal::calendar
