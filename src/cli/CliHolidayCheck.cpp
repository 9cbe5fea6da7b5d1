#include <ostream>

#include "calendar/PublicHoliday.h"
#include "cli/CliCommands.h"
#include "store/DateText.h"
#include "store/TextFile.h"

namespace kal::cli {

calendar::HolidayList HolidaysOf(CliContext& context) {
  const app::Session& session = SessionOf(context);
  const calendar::HolidaySettings settings{session.settings.view.auto_syn_syu, session.settings.view.auto_holiday};
  const std::string& path = session.folders.holiday_file;
  std::vector<int> damaged;
  auto list = calendar::HolidayList::FromFileLines(store::LoadLines(context.files, path), settings, &damaged);
  for (int n : damaged) *context.err << store::HolidayDamagedLineMessage(path, n) << '\n';
  return list;
}

int RunHolidayCheck(CliContext& context, const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2) throw UsageError{"holiday-check takes FROM [TO]"};
  auto from = store::ParseDateText(args[0]);
  auto to = args.size() == 2 ? store::ParseDateText(args[1]) : from;
  if (!from || !to) throw UsageError{"holiday-check takes dates yyyy/mm/dd"};
  if (*to < *from) throw UsageError{"holiday-check: TO is before FROM"};

  const calendar::HolidayList list = HolidaysOf(context);

  auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
  for (store::Date d = *from; !(*to < d); d = store::AddDays(d, 1)) {
    PrintRow(*context.out, {store::DateText(d), flag(calendar::HolidayCheck(store::kClassPublic, list, d)),
                            flag(calendar::HolidayCheck(store::kClassPrivate, list, d)),
                            flag(calendar::FurikaeCheck(list, d)), flag(calendar::KokuminCheck(list, d)),
                            flag(calendar::ShukujitsuCheck(list, d))});
  }
  return 0;
}

}  // namespace kal::cli
