// kalendor-cli: rokuyo, sekki and status.
#include <ostream>

#include "calendar/DateLabels.h"
#include "calendar/Rokuyo.h"
#include "calendar/SolarTerms.h"
#include "cli/CliCommands.h"
#include "store/DateText.h"

namespace kal::cli {
namespace {

store::Date DateArgument(const std::string& text, const char* command) {
  auto date = store::ParseDateText(text);
  if (!date) throw UsageError{std::string(command) + " takes dates yyyy/mm/dd"};
  return *date;
}

}  // namespace

int RunRokuyo(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError{"rokuyo takes FROM TO"};
  const store::Date from = DateArgument(args[0], "rokuyo");
  const store::Date to = DateArgument(args[1], "rokuyo");
  for (store::Date d = from; d <= to; d = store::AddDays(d, 1))
    PrintRow(*context.out, {store::DateText(d), calendar::RokuyoName(calendar::RokuyoIndex(d))});
  return 0;
}

int RunSekki(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].size() != 4 || args[0].find_first_not_of("0123456789") != std::string::npos)
    throw UsageError{"sekki takes a year yyyy"};
  const int year = std::stoi(args[0]);
  if (year < 1) throw UsageError{"sekki takes a year yyyy"};
  for (const auto& term : calendar::SolarTermsOfYear(year)) PrintRow(*context.out, {store::DateText(term.date), term.name});
  return 0;
}

int RunStatus(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError{"status takes yyyy/mm/dd PATTERN"};
  const store::Date date = DateArgument(args[0], "status");
  std::string text = calendar::StatusBarText(args[1], date, context.clock.Now().date);
  PrintRow(*context.out, {text.substr(1)});
  return 0;
}

}  // namespace kal::cli
