#include <ostream>

#include "calendar/PublicHoliday.h"
#include "cli/CliCommands.h"
#include "store/DateText.h"
#include "store/TextFile.h"

namespace kal::cli {

int RunHolidayCheck(CliContext& context, const std::vector<std::string>& args,
                    const calendar::HolidaySettings& settings) {
  if (args.empty() || args.size() > 2) throw UsageError{"holiday-check takes FROM [TO]"};
  auto from = store::ParseDateText(args[0]);
  auto to = args.size() == 2 ? store::ParseDateText(args[1]) : from;
  if (!from || !to) throw UsageError{"holiday-check takes dates yyyy/mm/dd"};
  if (*to < *from) throw UsageError{"holiday-check: TO is before FROM"};

  const std::string path = store::HolidayFilePath(DataFolder(context));
  std::vector<int> damaged;
  const auto list = calendar::HolidayList::FromFileLines(store::LoadLines(context.files, path), settings, &damaged);
  for (int n : damaged) *context.err << store::HolidayDamagedLineMessage(path, n) << '\n';

  auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
  for (store::Date d = *from; !(*to < d); d = store::AddDays(d, 1)) {
    PrintRow(*context.out, {store::DateText(d), flag(calendar::HolidayCheck(store::kClassPublic, list, d)),
                            flag(calendar::HolidayCheck(store::kClassPrivate, list, d)),
                            flag(calendar::FurikaeCheck(list, d)), flag(calendar::KokuminCheck(list, d)),
                            flag(calendar::ShukujitsuCheck(list, d))});
  }
  return 0;
}

int RunHolidayCheck(CliContext& context, const std::vector<std::string>& args) {
  // AutoSynSyu and AutoHoliday of section View; both are on unless the settings turn them off.
  return RunHolidayCheck(context, args, calendar::HolidaySettings{});
}

}  // namespace kal::cli
