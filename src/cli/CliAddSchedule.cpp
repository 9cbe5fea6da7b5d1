// kalendor-cli: add-schedule, a new schedule stored as the entry dialog's OK stores it.
#include <algorithm>
#include <ostream>

#include "catalogues/Category.h"
#include "catalogues/ItemTable.h"
#include "cli/CliCommands.h"
#include "cli/CliDialogs.h"
#include "schedule/ScheduleForm.h"
#include "store/Colour.h"
#include "store/DateText.h"

namespace kal::cli {
namespace {

store::Date DateValue(const std::string& option, const std::string& text) {
  auto date = store::ParseDateText(text);
  if (!date) throw UsageError{option + " takes yyyy/mm/dd"};
  return *date;
}

int ColourValue(const std::string& option, const std::string& text) {
  const bool ok = text.size() == 7 && text[0] == '$' &&
                  text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
  if (!ok) throw UsageError{option + " takes $BBGGRR"};
  return store::ParseColourText(text, 0);
}

int DigitValue(const std::string& option, const std::string& text, int low, int high) {
  if (text.size() != 1 || text[0] < '0' + low || text[0] > '0' + high)
    throw UsageError{option + " takes a number " + std::to_string(low) + "-" + std::to_string(high)};
  return text[0] - '0';
}

}  // namespace

int RunAddSchedule(CliContext& context, const std::vector<std::string>& args) {
  std::optional<store::Date> date, end_date;
  std::optional<std::string> start, end, title, place, category, memo, link, background;
  std::optional<int> alarm1, alarm2, bar_style, text_colour, bar_colour, background_colour;
  bool bold = false, italic = false, underline = false, strikeout = false;
  RepeatOptions repeat;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--bold") { bold = true; continue; }
    if (option == "--italic") { italic = true; continue; }
    if (option == "--underline") { underline = true; continue; }
    if (option == "--strikeout") { strikeout = true; continue; }
    if (i + 1 >= args.size()) throw UsageError{"add-schedule: " + option + " needs a value"};
    const std::string& value = args[++i];
    if (option == "--date") date = DateValue(option, value);
    else if (option == "--end-date") end_date = DateValue(option, value);
    else if (option == "--start") start = value;
    else if (option == "--end") end = value;
    else if (option == "--title") title = value;
    else if (option == "--place") place = value;
    else if (option == "--category") category = value;
    else if (option == "--alarm1") alarm1 = DigitValue(option, value, 1, 9);
    else if (option == "--alarm2") alarm2 = DigitValue(option, value, 1, 9);
    else if (option == "--memo") memo = value;
    else if (option == "--link") link = value;
    else if (option == "--bar-style") bar_style = DigitValue(option, value, 0, 5);
    else if (option == "--text-colour") text_colour = ColourValue(option, value);
    else if (option == "--bar-colour") bar_colour = ColourValue(option, value);
    else if (option == "--background-colour") background_colour = ColourValue(option, value);
    else if (option == "--background") {
      const std::vector<std::string> choices = schedule::BackgroundChoices();
      if (std::find(choices.begin(), choices.end(), value) == choices.end())
        throw UsageError{"--background takes 変更しない, 休日, 平日, カスタム or 元の背景色に戻す"};
      background = value;
    } else if (!ReadRepeatOption(repeat, option, value)) {
      throw UsageError{"add-schedule: unknown option " + option};
    }
  }
  if (!date || !title) throw UsageError{"add-schedule needs --date and --title"};

  const app::Session& session = SessionOf(context);
  const platform::LocalDateTime now = context.clock.Now();
  const catalogues::CategoryTable categories = catalogues::LoadCategoryTable(context.files, CategoryFolder(context));
  const std::vector<int> offsets = catalogues::LoadAlarmOffsets(context.files, TableFolder(context));

  schedule::FormDefaults defaults;
  defaults.today = now.date;
  defaults.categories = &categories;
  defaults.alarm_offsets = offsets;
  defaults.extend_bar = session.settings.view.extend_bar;
  schedule::OpenRequest request;
  request.date = *date;
  if (end_date) request.range_end = *end_date;
  schedule::ScheduleForm form = schedule::OpenForm(request, defaults);
  // The end date is taken as given: an end before the start is the check's to refuse.
  if (end_date) {
    form.multi_day = true;
    form.to = *end_date;
    form.from = *date;
    form.repeat.rule.from = form.from;
    form.repeat.rule.to = form.to;
  }

  form.start = start.value_or("");
  form.end = end.value_or("");
  form.title = *title;
  form.place = place.value_or("");
  if (category) {
    if (auto index = categories.FindText(*category)) {
      schedule::SetCategory(form, categories.Entry(*index));
    } else {
      form.category = *category;
    }
  }
  form.bold = bold;
  form.italic = italic;
  form.underline = underline;
  form.strikeout = strikeout;
  form.alarm_on = alarm1.has_value() || alarm2.has_value();
  form.alarm1 = alarm1.value_or(0);
  form.alarm2 = alarm2.value_or(0);
  for (int position : {form.alarm1, form.alarm2}) {
    if (static_cast<std::size_t>(position) > offsets.size())
      throw CliError{"アラーム" + std::to_string(position) + "番目の時間は登録されていません。"};
  }
  if (memo) form.memo = MemoLines(*memo);
  form.link = link.value_or("");
  if (bar_style) form.bar_style = *bar_style;
  if (text_colour) form.text_colour = *text_colour;
  if (bar_colour) form.bar_colour = *bar_colour;
  if (background) {
    const std::vector<std::string> choices = schedule::BackgroundChoices();
    form.background = static_cast<schedule::Background>(std::find(choices.begin(), choices.end(), *background) -
                                                        choices.begin());
  }
  if (background_colour) form.custom_colour = *background_colour;
  if (repeat.any) {
    form.repeat.on = true;
    form.repeat.rule = RepeatRuleOf(repeat, &form.repeat.rule);
    if (repeat.days) form.repeat.days = *repeat.days;
  }

  const calendar::HolidayList holidays = HolidaysOf(context);
  CliDialogs dialogs;
  const schedule::UpdateResult result =
      schedule::SchUpdate(form, context.files, dialogs, DataFolder(context), now, calendar::HolidayOracleOf(holidays));
  // What was stored is printed, also when a series stopped part way; a memo that could not be
  // kept (detail numbers exhausted) is reported and its schedule stored without it.
  for (const schedule::StoredSchedule& stored : result.schedules)
    PrintRow(*context.out, {store::DateText(stored.date), std::to_string(stored.index)});
  if (!result.stored) {
    if (dialogs.errors.empty()) throw CliError{"登録できませんでした。"};
    const std::string last = dialogs.errors.back();
    dialogs.errors.pop_back();
    for (const std::string& message : dialogs.errors) *context.err << message << '\n';
    throw CliError{last};
  }
  for (const std::string& message : dialogs.errors) *context.err << message << '\n';
  return 0;
}

}  // namespace kal::cli
