// A schedule month file and its detail file, read line by line through the record helpers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = fuzz::SplitParts(data, size, 2);
  const std::vector<std::string> month_lines = store::SplitLines(parts[0]);
  const std::vector<std::string> detail_lines = store::SplitLines(parts[1]);

  for (const std::string& line : month_lines) {
    const store::ScheduleFields fields = store::ReadScheduleLine(line);
    const store::ScheduleTexts texts = store::ReadScheduleTexts(line);
    const int day = store::Day(line);
    fuzz::Check(day >= 0 && day <= 31, "day 0..31");
    const int detail = store::DetailNumber(line);
    fuzz::Check(detail >= 0 && detail <= store::kMaxDetailNumber, "detail number 0..999");
    (void)store::IsMultiDay(line);
    (void)store::DetailNumberText(line);
    (void)store::DetailMemo(detail_lines, detail);
    (void)fields;
    (void)texts;
  }
  const int free_number = store::FreeDetailNumber(month_lines);
  fuzz::Check(free_number >= 1 && free_number <= store::kMaxDetailNumber + 1, "free detail number 1..1000");
  return 0;
}
