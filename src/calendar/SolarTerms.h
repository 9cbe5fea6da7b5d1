// The 24 solar terms (二十四節気), two per month, by the day formula of the calendar rules.
#pragma once

#include <string>
#include <vector>

#include "store/DateText.h"

namespace kal::calendar {

// Day of the month of term 0 or 1 of (year, month).
int SolarTermDay(int year, int month, int term);

// The name followed by its reading, as the month model stores it ("春分しゅんぶん").
std::string SolarTermName(int month, int term);

struct SolarTerm {
  store::Date date;
  std::string name;
};

// The 24 terms of the year in date order.
std::vector<SolarTerm> SolarTermsOfYear(int year);

}  // namespace kal::calendar
