// kalendor-cli: repeat, the dates a schedule repetition would store.
#include <optional>
#include <ostream>

#include "calendar/Repeat.h"
#include "cli/CliCommands.h"
#include "store/DateText.h"

namespace kal::cli {
namespace {

int NumberArgument(const std::string& option, const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
    throw UsageError{option + " takes a number " + std::to_string(low) + "-" + std::to_string(high)};
  int value = std::stoi(text);
  if (value < low || value > high)
    throw UsageError{option + " takes a number " + std::to_string(low) + "-" + std::to_string(high)};
  return value;
}

store::Date DateOption(const std::string& option, const std::string& text) {
  auto date = store::ParseDateText(text);
  if (!date) throw UsageError{option + " takes yyyy/mm/dd"};
  return *date;
}

}  // namespace

int RunRepeat(CliContext& context, const std::vector<std::string>& args) {
  using calendar::RepeatCycle;
  using calendar::RepeatPattern;
  using calendar::RepeatShift;
  std::optional<store::Date> from, to;
  std::optional<bool> every_other;
  std::optional<RepeatPattern> pattern;
  std::optional<int> days, weekday, month;
  std::optional<RepeatCycle> cycle;
  std::optional<std::string> day;
  RepeatShift shift = RepeatShift::None;
  bool on_public = false, on_private = false, on_saturday = false, on_sunday = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) throw UsageError{"repeat: " + option + " needs a value"};
    const std::string& value = args[++i];
    if (option == "--from") {
      from = DateOption(option, value);
    } else if (option == "--to") {
      to = DateOption(option, value);
    } else if (option == "--every") {
      if (value == "毎") every_other = false;
      else if (value == "隔") every_other = true;
      else throw UsageError{"--every takes 毎 or 隔"};
    } else if (option == "--pattern") {
      if (value == "日") pattern = RepeatPattern::Day;
      else if (value == "週") pattern = RepeatPattern::Week;
      else if (value == "月") pattern = RepeatPattern::Month;
      else if (value == "年") pattern = RepeatPattern::Year;
      else throw UsageError{"--pattern takes 日, 週, 月 or 年"};
    } else if (option == "--days") {
      days = NumberArgument(option, value, 1, 99);
    } else if (option == "--weekday") {
      weekday = NumberArgument(option, value, 0, 6);
    } else if (option == "--cycle") {
      if (value == "date") cycle = RepeatCycle::ByDate;
      else if (value == "weekday") cycle = RepeatCycle::ByWeekday;
      else throw UsageError{"--cycle takes date or weekday"};
    } else if (option == "--month") {
      month = NumberArgument(option, value, 1, 12);
    } else if (option == "--day") {
      day = value;
    } else if (option == "--shift") {
      if (value == "none") shift = RepeatShift::None;
      else if (value == "before") shift = RepeatShift::Before;
      else if (value == "after") shift = RepeatShift::After;
      else if (value == "skip") shift = RepeatShift::Skip;
      else throw UsageError{"--shift takes none, before, after or skip"};
    } else if (option == "--on") {
      std::size_t start = 0;
      while (start <= value.size()) {
        std::size_t comma = value.find(',', start);
        std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item == "祝日") on_public = true;
        else if (item == "休日") on_private = true;
        else if (item == "土曜") on_saturday = true;
        else if (item == "日曜") on_sunday = true;
        else throw UsageError{"--on takes 祝日, 休日, 土曜, 日曜 separated by commas"};
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    } else {
      throw UsageError{"repeat: unknown option " + option};
    }
  }
  if (!from || !to || !every_other || !pattern) throw UsageError{"repeat needs --from, --to, --every and --pattern"};

  calendar::RepeatRule rule;
  rule.from = *from;
  rule.to = *pattern == RepeatPattern::Day && days ? calendar::RepeatDefaultEnd(RepeatPattern::Day, *from, *days) : *to;
  rule.every_other = *every_other;
  rule.pattern = *pattern;
  rule.month = month.value_or(store::MonthOf(*from));
  rule.shift = shift;
  rule.on_public_holiday = on_public;
  rule.on_private_holiday = on_private;
  rule.on_saturday = on_saturday;
  rule.on_sunday = on_sunday;

  // The day choice: a day number or 末日 by date, 第1 to 第4 or 最終 by weekday. Without --cycle
  // the kind of choice decides; without --day the dialog's preselection for the start date.
  const calendar::WeekdayChoice preset = calendar::WeekdayChoiceOf(*from);
  rule.weekday = weekday.value_or(preset.weekday);
  if (day) {
    std::optional<RepeatCycle> kind;
    if (*day == "末日") {
      kind = RepeatCycle::ByDate;
      rule.last = true;
    } else if (*day == "最終") {
      kind = RepeatCycle::ByWeekday;
      rule.last = true;
    } else if (day->rfind("第", 0) == 0) {
      std::string n = day->substr(std::string("第").size());
      if (!n.empty() && n[0] == ' ') n.erase(0, 1);
      kind = RepeatCycle::ByWeekday;
      rule.day = NumberArgument("--day", n, 1, 4);
    } else {
      kind = RepeatCycle::ByDate;
      rule.day = NumberArgument("--day", *day, 1, 31);
    }
    if (cycle && *cycle != *kind) throw UsageError{"--day does not match --cycle"};
    rule.cycle = *kind;
  } else {
    rule.cycle = cycle.value_or(RepeatCycle::ByDate);
    if (rule.cycle == RepeatCycle::ByDate) {
      rule.day = store::DayOf(*from);
    } else {
      rule.day = preset.occurrence;
      rule.last = preset.last;
    }
  }

  const calendar::HolidayList list = HolidaysOf(context);
  calendar::RepeatResult result = calendar::RepeatDates(rule, calendar::HolidayOracleOf(list));
  if (auto failure = calendar::RepeatCheck(rule, result)) throw CliError{*failure};
  for (const store::Date& d : result.dates) PrintRow(*context.out, {store::DateText(d)});
  PrintRow(*context.out, {"count", std::to_string(result.dates.size())});
  return 0;
}

}  // namespace kal::cli
