#include <ostream>

#include "cli/CliCommands.h"
#include "cli/CliDialogs.h"
#include "store/DateText.h"
#include "store/MemoFile.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::cli {

int RunSchedules(CliContext& context, const std::vector<std::string>& args) {
  int year = 0, month = 0;
  if (args.size() != 1 || !ParseMonthStem(args[0], year, month)) throw UsageError{"schedules takes yyyymm"};
  const std::string folder = DataFolder(context);
  const std::string path = store::MonthFilePath(folder, year, month);
  const std::vector<std::string> lines = store::LoadLines(context.files, path);

  std::vector<std::string> details;
  bool details_loaded = false;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    if (store::Day(line) == 0) {
      *context.err << path << ": " << (index + 1) << "行目は日付が正しくないため読み飛ばしました。\n";
      continue;
    }
    store::ScheduleTexts t = store::ReadScheduleTexts(line);
    std::string memo;
    int number = store::DetailNumber(line);
    if (number > 0) {
      if (!details_loaded) {
        details = store::LoadLines(context.files, store::DetailFilePath(folder, year, month));
        details_loaded = true;
      }
      memo = store::JoinMemoLines(store::DetailMemo(details, number));
    }
    PrintRow(*context.out, {std::to_string(index), t.day, t.start, t.end, t.category, t.font_style, t.line_style,
                            t.alarm1, t.alarm2, t.title, t.place, t.detail, t.span, t.text_colour, t.bar_colour,
                            t.bar_style, t.link, memo});
  }
  return 0;
}

}  // namespace kal::cli
