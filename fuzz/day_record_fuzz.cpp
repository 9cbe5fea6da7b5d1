// A day file (yyyymm.day): each line read as a day's colour, weather and memo colour, and
// rebuilt with a new colour code without moving the other fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "store/DayFile.h"
#include "store/TextFile.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines =
      store::SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::string& line : lines) {
    const store::DayLine day = store::ReadDayLine(line);
    fuzz::Check(day.weather1 >= 0 && day.transition >= 0 && day.weather2 >= 0, "weather codes not negative");
    (void)store::WeatherInputFromLine(line);
    (void)store::WeatherTip(line);
    (void)store::DayColourItemFor(day.colour_code);
    const std::string rebuilt = store::RebuildDayLine(line, '5', "");
    fuzz::Check(store::ReadDayLine(rebuilt).colour_code == '5', "rebuilt line holds the new code");
    fuzz::Check(store::ReadDayLine(rebuilt).max_temp == day.max_temp, "rebuilt line keeps the temperature");
  }
  store::FillDayLines(lines);
  fuzz::Check(lines.size() >= 32, "a filled day file has 32 lines");
  return 0;
}
