// The date-pattern formatter over any pattern and any date and time of day.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "store/DatePattern.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  using namespace std::chrono;
  // Six bytes choose the date and time: years 1 to 9999 and any day of the month, valid or not.
  platform::LocalDateTime when;
  const int year_number = 1 + (data[0] * 256 + data[1]) % 9999;
  when.date = year_month_day{year{year_number}, month{1u + data[2] % 12u}, day{1u + data[3] % 31u}};
  when.hour = data[4] % 24;
  when.minute = data[5] % 60;
  when.second = (data[4] + data[5]) % 60;
  const std::string_view pattern(reinterpret_cast<const char*>(data) + 6, size - 6);
  (void)store::FormatDatePattern(pattern, when);
  (void)store::FormatDatePattern(pattern, when.date);
  const bool letters = store::HasPatternLetters(pattern);
  if (!letters && pattern.find_first_of("\"'") == std::string_view::npos) {
    fuzz::Check(store::FormatDatePattern(pattern, when) == pattern, "a pattern without letters is itself");
  }
  return 0;
}
