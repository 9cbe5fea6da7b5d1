// Holiday.dat: every line parsed as a rule, and the rules asked for the days of a month.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "store/HolidayFile.h"
#include "store/TextFile.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the month asked for.
  const int year = 1990 + data[0] % 80;
  const int month = 1 + data[1] % 12;
  const std::vector<std::string> lines =
      store::SplitLines(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
  std::vector<int> damaged;
  const std::vector<store::HolidayLine> rules = store::ParseHolidayLines(lines, &damaged);
  fuzz::Check(rules.size() + damaged.size() == lines.size(), "each line parsed or reported damaged");
  for (const store::HolidayLine& rule : rules) {
    for (int day : store::HolidayDaysInMonth(rule, year, month)) {
      fuzz::Check(day >= 1 && day <= 31, "holiday day within the month");
    }
    (void)store::HolidayShownName(rule, year);
  }
  for (const auto& entry : store::HolidayEntriesInMonth(rules, year, month)) (void)entry;
  return 0;
}
