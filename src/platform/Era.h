// Japanese era names for the pattern letters g and e.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kal::platform {

struct Era {
  std::string name;  // 明治, 大正, 昭和, 平成, 令和
  std::chrono::year_month_day start;
};

// The eras in order of their first day.
const std::vector<Era>& Eras();

struct EraYear {
  std::string name;
  int year = 0;  // 1 for the era's first (partial) year
};

// The era that holds `date`; nothing before the first era.
std::optional<EraYear> EraOf(std::chrono::year_month_day date);

}  // namespace kal::platform
