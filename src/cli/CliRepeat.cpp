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

bool ReadRepeatOption(RepeatOptions& options, const std::string& option, const std::string& value) {
  using calendar::RepeatCycle;
  using calendar::RepeatPattern;
  using calendar::RepeatShift;
  if (option == "--from") {
    options.from = DateOption(option, value);
  } else if (option == "--to") {
    options.to = DateOption(option, value);
  } else if (option == "--every") {
    if (value == "毎") options.every_other = false;
    else if (value == "隔") options.every_other = true;
    else throw UsageError{"--every takes 毎 or 隔"};
  } else if (option == "--pattern") {
    if (value == "日") options.pattern = RepeatPattern::Day;
    else if (value == "週") options.pattern = RepeatPattern::Week;
    else if (value == "月") options.pattern = RepeatPattern::Month;
    else if (value == "年") options.pattern = RepeatPattern::Year;
    else throw UsageError{"--pattern takes 日, 週, 月 or 年"};
  } else if (option == "--days") {
    options.days = NumberArgument(option, value, 1, 99);
  } else if (option == "--weekday") {
    options.weekday = NumberArgument(option, value, 0, 6);
  } else if (option == "--cycle") {
    if (value == "date") options.cycle = RepeatCycle::ByDate;
    else if (value == "weekday") options.cycle = RepeatCycle::ByWeekday;
    else throw UsageError{"--cycle takes date or weekday"};
  } else if (option == "--month") {
    options.month = NumberArgument(option, value, 1, 12);
  } else if (option == "--day") {
    options.day = value;
  } else if (option == "--shift") {
    if (value == "none") options.shift = RepeatShift::None;
    else if (value == "before") options.shift = RepeatShift::Before;
    else if (value == "after") options.shift = RepeatShift::After;
    else if (value == "skip") options.shift = RepeatShift::Skip;
    else throw UsageError{"--shift takes none, before, after or skip"};
  } else if (option == "--on") {
    std::size_t start = 0;
    while (start <= value.size()) {
      std::size_t comma = value.find(',', start);
      std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      if (item == "祝日") options.on_public = true;
      else if (item == "休日") options.on_private = true;
      else if (item == "土曜") options.on_saturday = true;
      else if (item == "日曜") options.on_sunday = true;
      else throw UsageError{"--on takes 祝日, 休日, 土曜, 日曜 separated by commas"};
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  } else {
    return false;
  }
  options.any = true;
  return true;
}

calendar::RepeatRule RepeatRuleOf(const RepeatOptions& options, const calendar::RepeatRule* preset) {
  using calendar::RepeatCycle;
  using calendar::RepeatPattern;
  if (!preset && (!options.from || !options.to || !options.every_other || !options.pattern))
    throw UsageError{"repeat needs --from, --to, --every and --pattern"};
  const store::Date from = options.from ? *options.from : preset->from;
  const RepeatPattern pattern = options.pattern ? *options.pattern : preset->pattern;

  calendar::RepeatRule rule;
  rule.from = from;
  if (options.to) {
    rule.to = pattern == RepeatPattern::Day && options.days ? calendar::RepeatDefaultEnd(RepeatPattern::Day, from, *options.days)
                                                              : *options.to;
  } else if (options.days && pattern == RepeatPattern::Day) {
    rule.to = calendar::RepeatDefaultEnd(RepeatPattern::Day, from, *options.days);
  } else if (options.pattern) {
    // A chosen pattern sets its default period, as the dialog's pattern list does.
    rule.to = calendar::RepeatDefaultEnd(pattern, from, 10);
  } else {
    rule.to = preset->to;
  }
  rule.every_other = options.every_other ? *options.every_other : preset->every_other;
  rule.pattern = pattern;
  rule.month = options.month.value_or(store::MonthOf(from));
  rule.shift = options.shift;
  rule.on_public_holiday = options.on_public;
  rule.on_private_holiday = options.on_private;
  rule.on_saturday = options.on_saturday;
  rule.on_sunday = options.on_sunday;

  // The day choice: a day number or 末日 by date, 第1 to 第4 or 最終 by weekday. Without --cycle
  // the kind of choice decides; without --day the dialog's preselection for the start date.
  const calendar::WeekdayChoice choice = calendar::WeekdayChoiceOf(from);
  rule.weekday = options.weekday.value_or(choice.weekday);
  if (options.day) {
    const std::string& day = *options.day;
    std::optional<RepeatCycle> kind;
    if (day == "末日") {
      kind = RepeatCycle::ByDate;
      rule.last = true;
    } else if (day == "最終") {
      kind = RepeatCycle::ByWeekday;
      rule.last = true;
    } else if (day.rfind("第", 0) == 0) {
      std::string n = day.substr(std::string("第").size());
      if (!n.empty() && n[0] == ' ') n.erase(0, 1);
      kind = RepeatCycle::ByWeekday;
      rule.day = NumberArgument("--day", n, 1, 4);
    } else {
      kind = RepeatCycle::ByDate;
      rule.day = NumberArgument("--day", day, 1, 31);
    }
    if (options.cycle && *options.cycle != *kind) throw UsageError{"--day does not match --cycle"};
    rule.cycle = *kind;
  } else {
    rule.cycle = options.cycle.value_or(RepeatCycle::ByDate);
    if (rule.cycle == RepeatCycle::ByDate) {
      rule.day = store::DayOf(from);
    } else {
      rule.day = choice.occurrence;
      rule.last = choice.last;
    }
  }
  return rule;
}

int RunRepeat(CliContext& context, const std::vector<std::string>& args) {
  RepeatOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) throw UsageError{"repeat: " + option + " needs a value"};
    const std::string& value = args[++i];
    if (!ReadRepeatOption(options, option, value)) throw UsageError{"repeat: unknown option " + option};
  }
  const calendar::RepeatRule rule = RepeatRuleOf(options, nullptr);

  const calendar::HolidayList list = HolidaysOf(context);
  calendar::RepeatResult result = calendar::RepeatDates(rule, calendar::HolidayOracleOf(list));
  if (auto failure = calendar::RepeatCheck(rule, result)) throw CliError{*failure};
  for (const store::Date& d : result.dates) PrintRow(*context.out, {store::DateText(d)});
  PrintRow(*context.out, {"count", std::to_string(result.dates.size())});
  return 0;
}

}  // namespace kal::cli
