#include "platform/Era.h"

namespace kal::platform {

using namespace std::chrono;

const std::vector<Era>& Eras() {
  // Meiji counts from the first day of its first lunisolar year (1868-01-25).
  static const std::vector<Era> eras = {
      {"明治", year{1868} / January / 25},
      {"大正", year{1912} / July / 30},
      {"昭和", year{1926} / December / 25},
      {"平成", year{1989} / January / 8},
      {"令和", year{2019} / May / 1},
  };
  return eras;
}

std::optional<EraYear> EraOf(year_month_day date) {
  const auto& eras = Eras();
  for (auto it = eras.rbegin(); it != eras.rend(); ++it) {
    if (sys_days{date} >= sys_days{it->start}) {
      return EraYear{it->name, int(date.year()) - int(it->start.year()) + 1};
    }
  }
  return std::nullopt;
}

}  // namespace kal::platform
