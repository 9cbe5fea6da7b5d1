#include <ostream>

#include "cli/CliCommands.h"
#include "store/DatePattern.h"
#include "store/DateText.h"

namespace kal::cli {

int RunFormat(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError{"format takes yyyy/mm/dd PATTERN"};
  auto date = store::ParseDateText(args[0]);
  if (!date) throw UsageError{"format takes a date yyyy/mm/dd"};
  platform::LocalDateTime when = context.clock.Now();
  when.date = *date;
  PrintRow(*context.out, {store::FormatDatePattern(args[1], when)});
  return 0;
}

}  // namespace kal::cli
