#include "schedule/ScheduleForm.h"

#include <algorithm>
#include <filesystem>

#include "catalogues/ItemTable.h"
#include "platform/Codec.h"
#include "store/DayFile.h"
#include "store/LineOrder.h"
#include "store/Colour.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::schedule {
namespace {

using calendar::RepeatCycle;
using calendar::RepeatPattern;
using store::Date;
using store::kCategoryName;
using store::kEndName;
using store::kLinkName;
using store::kMemoName;
using store::kPlaceName;
using store::kStartName;
using store::kTitleName;

int MonthIndex(const Date& d) { return store::YearOf(d) * 12 + store::MonthOf(d) - 1; }

int DaysBetween(const Date& a, const Date& b) { return store::DayNumber(b) - store::DayNumber(a); }

void UpdateAlarmEnabling(ScheduleForm& form, const Date& today) {
  if (form.from < today) {
    form.alarm_on = false;
    form.alarm_enabled = false;
  } else {
    form.alarm_enabled = true;
  }
}

std::optional<FormField> Fail(platform::Dialogs& dialogs, const std::string& message, FormField field) {
  dialogs.Error(message, kInputErrorCaption);
  return field;
}

// A text that CP932 cannot hold: the message naming the field.
std::optional<std::string> Unstorable(const std::string& text, const char* name) {
  std::string bad;
  if (store::FieldText(text, std::string::npos, &bad)) return std::nullopt;
  return store::UnencodableMessage(name, bad);
}

// Sorted line-file order of UTF-8 texts (by their CP932 form; an unencodable text sorts by its
// UTF-8 bytes).
bool TextLess(const std::string& a, const std::string& b) {
  auto ca = platform::Utf8ToCp932(a), cb = platform::Utf8ToCp932(b);
  return store::CompareLines(ca ? *ca : a, cb ? *cb : b) < 0;
}

std::vector<std::string> TableItems(platform::FileSystem& fs, const std::string& table_folder,
                                    catalogues::ItemTableType type, std::size_t width) {
  std::vector<std::string> lines;
  if (!store::LoadLinesIfExists(fs, catalogues::ItemTablePath(table_folder, type), lines))
    lines = catalogues::DefaultItems(type);
  std::vector<std::string> items;
  for (const std::string& line : lines) {
    std::string shown(store::Trim(platform::Cp932ToUtf8(store::CutField(line, width))));
    items.push_back(std::move(shown));
  }
  return items;
}

void SortUnique(std::vector<std::string>& items) {
  std::erase_if(items, [](const std::string& s) { return s.empty(); });
  std::stable_sort(items.begin(), items.end(), TextLess);
  items.erase(std::unique(items.begin(), items.end()), items.end());
}

}  // namespace

// --- Lists -------------------------------------------------------------------------------------

std::vector<std::string> BackgroundChoices() { return {"変更しない", "休日", "平日", "カスタム", "元の背景色に戻す"}; }
std::vector<std::string> RepeatEveryChoices() { return {"毎", "隔"}; }
std::vector<std::string> RepeatPatternChoices() { return {"日", "週", "月", "年"}; }
std::vector<std::string> RepeatCycleChoices() { return {"日付指定", "曜日指定"}; }
std::vector<std::string> RepeatWeekChoices() {
  return {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
}
std::vector<std::string> RepeatMonthChoices() {
  std::vector<std::string> items;
  for (int m = 1; m <= 12; ++m) items.push_back(std::to_string(m) + "月");
  return items;
}
std::vector<std::string> RepeatShiftChoices() {
  return {"振り替えない", "前日に振り替える", "翌日に振り替える", "登録しない"};
}

std::vector<std::string> RepeatDayChoices(RepeatCycle cycle) {
  std::vector<std::string> items;
  if (cycle == RepeatCycle::ByDate) {
    for (int d = 1; d <= 31; ++d) items.push_back(std::to_string(d) + "日");
    items.push_back("末日");
  } else {
    for (int n = 1; n <= 4; ++n) items.push_back("第 " + std::to_string(n));
    items.push_back("最終");
  }
  return items;
}

int RepeatDayIndex(const calendar::RepeatRule& rule) {
  if (rule.cycle == RepeatCycle::ByDate) return rule.last ? 31 : std::clamp(rule.day, 1, 31) - 1;
  return rule.last ? 4 : std::clamp(rule.day, 1, 4) - 1;
}

void SetRepeatDayIndex(calendar::RepeatRule& rule, int index) {
  const int last_index = rule.cycle == RepeatCycle::ByDate ? 31 : 4;
  index = std::clamp(index, 0, last_index);
  rule.last = index == last_index;
  if (!rule.last) rule.day = index + 1;
}

std::string FormCaption(EntryMode mode) {
  switch (mode) {
    case EntryMode::Change:
      return "スケジュールの訂正";
    case EntryMode::Copy:
      return "スケジュールのコピー";
    case EntryMode::TodoCopy:
      return "ToDoをスケジュールにコピー";
    case EntryMode::New:
      break;
  }
  return "スケジュールの追加";
}

int AlarmChoiceOfCode(const std::string& code_text, std::size_t offset_count) {
  int code = 1;
  if (code_text.size() == 1 && code_text[0] >= '0' && code_text[0] <= '9') code = code_text[0] - '0';
  return static_cast<std::size_t>(code) <= offset_count ? code : 0;
}

// --- Opening -----------------------------------------------------------------------------------

std::vector<std::string> LoadSourceMemo(platform::FileSystem& fs, const std::string& data_folder,
                                        const store::OldSchedule& source) {
  return store::ReadDetail(fs, data_folder, source.year, source.month, store::DetailNumber(source.line));
}

ScheduleForm OpenForm(const OpenRequest& request, const FormDefaults& defaults,
                      const std::vector<std::string>& source_memo) {
  ScheduleForm form;
  form.mode = request.mode;
  if ((form.mode == EntryMode::Change || form.mode == EntryMode::Copy) && !request.source) form.mode = EntryMode::New;
  form.from = form.to = request.date;
  form.repeat_allowed = form.mode == EntryMode::New || form.mode == EntryMode::Copy;
  const catalogues::CategoryTable empty_table;
  const catalogues::CategoryTable& categories = defaults.categories ? *defaults.categories : empty_table;

  // A new schedule over a selected range of days.
  if (form.mode == EntryMode::New && request.range_end) {
    Date first = request.date, last = *request.range_end;
    if (last < first) std::swap(first, last);
    form.multi_day = true;
    form.from = first;
    form.to = last;
  }
  // A new schedule at a half hour of a timeline.
  if (form.mode == EntryMode::New && !request.start_time.empty()) {
    form.start = request.start_time;
    form.end = request.end_time;
  }

  std::optional<store::ScheduleTexts> texts;
  if (form.mode == EntryMode::Change || form.mode == EntryMode::Copy) {
    form.source = request.source;
    texts = store::ReadScheduleTexts(request.source->line);
    const store::ScheduleFields line = store::ReadScheduleLine(request.source->line);
    const int y = request.source->year, m = request.source->month;
    if (line.day >= 1) form.from = store::MakeDate(y, m, std::min(line.day, store::DaysInMonth(y, m)));
    form.multi_day = store::IsMultiDay(request.source->line);
    if (form.multi_day) {
      form.span = std::clamp(line.span, 1, kMaxSpan);
      form.to = store::AddDays(form.from, form.span - 1);
      form.bar_style = line.bar_style;
      form.line_bar_style = line.bar_style;
    } else {
      form.to = form.from;
    }
    form.memo = source_memo;
  }

  // Repetition, preset from the dialog's dates.
  calendar::RepeatRule& rule = form.repeat.rule;
  rule.from = form.from;
  rule.to = form.to;
  rule.pattern = RepeatPattern::Month;
  rule.cycle = RepeatCycle::ByDate;
  rule.month = store::MonthOf(form.from);
  rule.day = store::DayOf(form.from);
  rule.weekday = store::WeekdayNumber(form.from) - 1;

  // Alarm defaults.
  const std::size_t offsets = defaults.alarm_offsets.size();
  auto position = [offsets](int index) { return index >= 0 && static_cast<std::size_t>(index) <= offsets ? index : 0; };
  form.alarm1 = position(defaults.alarm_time1);
  form.alarm2 = position(defaults.alarm_time2);
  form.alarm_on = defaults.alarm_check_on;
  UpdateAlarmEnabling(form, defaults.today);

  if (form.multi_day && !texts) form.bar_style = defaults.extend_bar;
  if (!form.multi_day) form.span = 1;
  else if (!texts) form.span = DaysBetween(form.from, form.to) + 1;

  if (texts) {
    form.start = texts->start;
    form.end = texts->end;
    form.title = std::string(store::Trim(texts->title));
    form.place = std::string(store::Trim(texts->place));
    form.link = texts->link;
    form.category = texts->category;
    const store::ScheduleFields line = store::ReadScheduleLine(form.source->line);
    form.bold = line.font_style & 1;
    form.italic = line.font_style & 2;
    form.underline = line.line_style & 1;
    form.strikeout = line.line_style & 2;
    std::optional<catalogues::CategoryEntry> entry;
    if (auto index = categories.FindText(form.category)) entry = categories.Entry(*index);
    const int category_text = entry && entry->text_colour ? *entry->text_colour : store::kDefaultScheduleTextColour;
    const int category_back = entry && entry->back_colour ? *entry->back_colour : store::kDefaultScheduleBarColour;
    if (form.multi_day) {
      form.text_colour = store::ParseColourText(texts->text_colour, category_text);
      form.bar_colour = store::ParseColourText(texts->bar_colour, category_back);
    } else {
      form.text_colour = category_text;
      form.bar_colour = category_back;
    }
    const int a1 = AlarmChoiceOfCode(texts->alarm1, offsets);
    const int a2 = AlarmChoiceOfCode(texts->alarm2, offsets);
    if ((a1 != 0 || a2 != 0) && !(form.from < defaults.today)) {
      form.alarm_on = true;
      form.alarm1 = a1;
      form.alarm2 = a2;
    } else {
      form.alarm_on = false;
    }
  } else {
    std::optional<std::size_t> index;
    if (form.mode == EntryMode::TodoCopy && !request.todo_category.empty())
      index = categories.FindText(request.todo_category);
    // A copied ToDo item keeps no category when its name is not in the table.
    if (!index && !categories.empty() && form.mode != EntryMode::TodoCopy) index = 0;
    if (index) SetCategory(form, categories.Entry(*index));
  }
  if (form.mode == EntryMode::TodoCopy) {
    form.title = request.todo_title;
    form.link = request.todo_link;
    form.memo = request.todo_memo;
    form.memo_changed = !request.todo_memo.empty();
  }
  return form;
}

EntryLists LoadEntryLists(platform::FileSystem& fs, const std::string& table_folder, const std::string& data_folder,
                          const Date& month, bool no_history) {
  using catalogues::ItemTableType;
  EntryLists lists;
  lists.starts = TableItems(fs, table_folder, ItemTableType::SchFrom, kTimeChars);
  lists.ends = TableItems(fs, table_folder, ItemTableType::SchTo, kTimeChars);
  lists.titles = TableItems(fs, table_folder, ItemTableType::SchTitle, kTextFieldBytes);
  lists.places = TableItems(fs, table_folder, ItemTableType::SchPlace, kTextFieldBytes);
  if (!no_history) {
    const Date previous = store::AddMonths(store::MakeDate(store::YearOf(month), store::MonthOf(month), 1), -1);
    for (const Date& m : {month, previous}) {
      for (const std::string& line :
           store::LoadLines(fs, store::MonthFilePath(data_folder, store::YearOf(m), store::MonthOf(m)))) {
        const store::ScheduleTexts t = store::ReadScheduleTexts(line);
        lists.titles.emplace_back(store::Trim(t.title));
        lists.places.emplace_back(store::Trim(t.place));
      }
    }
  }
  SortUnique(lists.titles);
  SortUnique(lists.places);
  // The time lists keep the table's order; a blank entry stays as the "no time" choice.
  return lists;
}

// --- Interactive rules ---------------------------------------------------------------------------

namespace {

// After a date change: the end follows the start (never before it for a multi-day schedule),
// the span follows both, and the alarm is enabled only from today on.
void DatesChanged(ScheduleForm& form, const Date& today) {
  if (form.multi_day) {
    if (form.to < form.from) form.to = form.from;
    form.span = DaysBetween(form.from, form.to) + 1;
  } else {
    form.to = form.from;
  }
  UpdateAlarmEnabling(form, today);
}

}  // namespace

void SetFromDate(ScheduleForm& form, const Date& date, const Date& today) {
  form.from = date;
  DatesChanged(form, today);
}

void SetToDate(ScheduleForm& form, const Date& date, const Date& today) {
  form.to = date;
  DatesChanged(form, today);
}

void SetSpan(ScheduleForm& form, int span) {
  form.span = std::clamp(span, 1, kMaxSpan);
  form.to = store::AddDays(form.from, form.span - 1);
}

void SetMultiDay(ScheduleForm& form, bool multi_day, int extend_bar) {
  form.multi_day = multi_day;
  if (multi_day) {
    form.bar_style = form.line_bar_style >= 0 ? form.line_bar_style : std::clamp(extend_bar, 0, kBarStyleCount - 1);
    if (form.to < form.from) form.to = form.from;
    form.span = DaysBetween(form.from, form.to) + 1;
  } else {
    form.background = Background::Keep;
    form.to = form.from;
    form.span = 1;
  }
}

void SetCategory(ScheduleForm& form, const catalogues::CategoryEntry& category) {
  form.category = category.name;
  form.text_colour = category.text_colour.value_or(store::kDefaultScheduleTextColour);
  form.bar_colour = category.back_colour.value_or(store::kDefaultScheduleBarColour);
}

void EndTimeDropDown(ScheduleForm& form) {
  if (form.end < form.start) form.end = form.start;
}

CutText CutEntryText(const std::string& text, std::size_t width) {
  CutText cut;
  cut.text = store::CutUtf8ToWidth(text, width);
  cut.beep = cut.text.size() != text.size();
  return cut;
}

void SetRepeatOn(ScheduleForm& form, bool on) {
  form.repeat.on = on && form.repeat_allowed;
  if (form.repeat.on) form.repeat.rule.from = form.from;
}

void SetRepeatPattern(ScheduleForm& form, RepeatPattern pattern) {
  calendar::RepeatRule& rule = form.repeat.rule;
  rule.pattern = pattern;
  if (pattern == RepeatPattern::Day) form.repeat.days = kDefaultRepeatDays;
  rule.to = calendar::RepeatDefaultEnd(pattern, rule.from, form.repeat.days);
}

void SetRepeatDays(ScheduleForm& form, int days) {
  form.repeat.days = std::clamp(days, 1, kMaxRepeatDays);
  form.repeat.rule.to = store::AddDays(form.repeat.rule.from, form.repeat.days - 1);
}

void SetRepeatCycle(ScheduleForm& form, RepeatCycle cycle) {
  calendar::RepeatRule& rule = form.repeat.rule;
  rule.cycle = cycle;
  if (cycle == RepeatCycle::ByDate) {
    rule.day = store::DayOf(rule.from);
    rule.last = false;
  } else {
    const calendar::WeekdayChoice choice = calendar::WeekdayChoiceOf(rule.from);
    rule.day = choice.occurrence;
    rule.last = choice.last;
    rule.weekday = choice.weekday;
  }
}

calendar::RepeatResult RepeatOccurrences(const ScheduleForm& form, const calendar::HolidayOracle& holidays) {
  return calendar::RepeatDates(form.repeat.rule, holidays);
}

std::string RepeatCountLabel(const ScheduleForm& form, const calendar::HolidayOracle& holidays) {
  if (!form.repeat.on) return {};
  return calendar::RepeatCountText(RepeatOccurrences(form, holidays));
}

std::string LinkForChosenFile(const std::string& chosen, const std::string& program_folder, bool relative) {
  if (!relative || program_folder.empty()) return chosen;
  const std::filesystem::path file(chosen), base(program_folder);
  if (!file.is_absolute() || file.root_name() != base.root_name()) return chosen;
  const std::filesystem::path rel = file.lexically_normal().lexically_relative(base.lexically_normal());
  return rel.empty() ? chosen : rel.generic_string();
}

std::string LinkFullPath(const std::string& link, const std::string& program_folder) {
  const std::string trimmed(store::Trim(link));
  const std::filesystem::path file(trimmed);
  if (file.is_absolute() || program_folder.empty()) return trimmed;
  return (std::filesystem::path(program_folder) / file).lexically_normal().generic_string();
}

// --- OK ----------------------------------------------------------------------------------------

bool SpansThreeMonths(const Date& first, const Date& last) { return MonthIndex(last) - MonthIndex(first) > 1; }

std::optional<FormField> CheckForm(ScheduleForm& form, platform::Dialogs& dialogs, const platform::LocalDateTime& now,
                                   const calendar::HolidayOracle& holidays, std::vector<Date>& dates) {
  dates.clear();
  const Date today = now.date;
  const bool repeat = form.repeat_allowed && form.repeat.on;

  // Text that arrived by any way (pasted, dropped, an input method) is cut like typed text.
  form.title = CutEntryText(form.title).text;
  form.place = CutEntryText(form.place).text;

  // 1. Title.
  if (form.title.empty()) return Fail(dialogs, kNoTitleMessage, FormField::Title);

  // 2. Start time.
  if (!form.start.empty()) {
    if (auto time = catalogues::ReadTimeText(form.start)) {
      form.start = *time;
    } else if (form.alarm_on) {
      return Fail(dialogs, kBadAlarmTimeMessage, FormField::StartTime);
    }
  }

  // 3. Alarm.
  if (form.alarm_on) {
    if (form.start.empty()) return Fail(dialogs, kNoStartMessage, FormField::StartTime);
    if (form.alarm1 == 0 && form.alarm2 == 0) return Fail(dialogs, kNoAlarmMessage, FormField::Alarm1);
    if (form.alarm1 == form.alarm2) return Fail(dialogs, kSameAlarmMessage, FormField::Alarm2);
    const std::string now_text = store::TimeText(now.hour, now.minute);
    if (form.from < today || (form.from == today && now_text > form.start)) {
      if (dialogs.Confirm(kPastAlarmQuestion, kPastAlarmCaption)) return FormField::StartTime;
    }
  }

  // 4. End time.
  if (!form.end.empty()) {
    if (auto time = catalogues::ReadTimeText(form.end)) form.end = *time;
  }

  if (!form.multi_day) {
    // 5. Single-day times.
    if (form.alarm_on && !form.end.empty() && form.start > form.end)
      return Fail(dialogs, kStartAfterEndMessage, FormField::StartTime);
  } else {
    // 6. Multi-day period.
    if (form.to < form.from) return Fail(dialogs, kEndBeforeStartMessage, FormField::ToDate);
    if (SpansThreeMonths(form.from, form.to)) return Fail(dialogs, kThreeMonthsMessage, FormField::ToDate);
    form.span = DaysBetween(form.from, form.to) + 1;
    if (repeat && form.repeat.rule.pattern == RepeatPattern::Day)
      return Fail(dialogs, kDailyMultiDayMessage, FormField::RepeatPattern);
  }

  // 7. Repetition.
  if (repeat) {
    const calendar::RepeatResult result = RepeatOccurrences(form, holidays);
    if (auto message = calendar::RepeatCheck(form.repeat.rule, result)) {
      const calendar::RepeatRule& rule = form.repeat.rule;
      FormField field = FormField::RepeatFrom;
      if (rule.to <= rule.from)
        field = FormField::RepeatTo;
      else if (rule.shift != calendar::RepeatShift::None && !rule.on_public_holiday && !rule.on_private_holiday &&
               !rule.on_saturday && !rule.on_sunday)
        field = FormField::RepeatShift;
      return Fail(dialogs, *message, field);
    }
    // Every occurrence of a multi-day series keeps to the dialog's period limit.
    if (form.multi_day) {
      for (const Date& d : result.dates) {
        if (SpansThreeMonths(d, store::AddDays(d, form.span - 1)))
          return Fail(dialogs, std::string(kThreeMonthsMessage) + "\n" + store::DateText(d), FormField::Span);
      }
    }
    dates = result.dates;
  } else {
    dates.push_back(form.from);
  }

  // Every text must be storable in CP932 before anything is written.
  const std::pair<const std::string*, std::pair<const char*, FormField>> texts[] = {
      {&form.start, {kStartName, FormField::StartTime}}, {&form.end, {kEndName, FormField::EndTime}},
      {&form.title, {kTitleName, FormField::Title}},     {&form.place, {kPlaceName, FormField::Place}},
      {&form.category, {kCategoryName, FormField::Category}}, {&form.link, {kLinkName, FormField::Link}},
  };
  for (const auto& [text, what] : texts) {
    if (auto message = Unstorable(*text, what.first)) {
      dates.clear();
      return Fail(dialogs, *message, what.second);
    }
  }
  for (const std::string& line : form.memo) {
    if (auto message = Unstorable(line, kMemoName)) {
      dates.clear();
      return Fail(dialogs, *message, FormField::Memo);
    }
  }
  return std::nullopt;
}

store::ScheduleFields FieldsFor(const ScheduleForm& form, const Date& date, const Date& today) {
  store::ScheduleFields f;
  f.day = store::DayOf(date);
  f.start = form.start;
  f.end = form.end;
  f.category = form.category;
  f.font_style = (form.bold ? 1 : 0) + (form.italic ? 2 : 0);
  f.line_style = (form.underline ? 1 : 0) + (form.strikeout ? 2 : 0);
  const bool alarm = form.alarm_on && !(date < today);
  f.alarm1 = alarm ? std::clamp(form.alarm1, 0, 9) : 0;
  f.alarm2 = alarm ? std::clamp(form.alarm2, 0, 9) : 0;
  f.title = form.title;
  f.place = form.place;
  if (form.multi_day) {
    f.span = std::clamp(form.span, 1, kMaxSpan);
    f.text_colour = form.text_colour;
    f.bar_colour = form.bar_colour;
    f.bar_style = std::clamp(form.bar_style, 0, kBarStyleCount - 1);
  }
  f.link = std::string(store::Trim(form.link));
  return f;
}

void WriteBackground(platform::FileSystem& fs, const std::string& data_folder, const Date& date,
                     Background background, int custom_colour) {
  char code = '0';
  std::string colour;
  switch (background) {
    case Background::Keep:
      return;
    case Background::Holiday:
      code = '5';
      break;
    case Background::Weekday:
      code = '1';
      break;
    case Background::Custom:
      code = '9';
      colour = store::ColourText(custom_colour);
      break;
    case Background::Restore:
      code = '0';
      break;
  }
  const std::string path = store::DayFilePath(data_folder, store::YearOf(date), store::MonthOf(date));
  std::vector<std::string> lines = store::LoadLines(fs, path);
  store::FillDayLines(lines);
  const std::size_t day = static_cast<std::size_t>(store::DayOf(date));
  lines[day] = std::string(store::TrimRight(store::RebuildDayLine(lines[day], code, colour)));
  store::SaveLines(fs, path, lines);
}

UpdateResult SchUpdate(ScheduleForm& form, platform::FileSystem& fs, platform::Dialogs& dialogs,
                       const std::string& data_folder, const platform::LocalDateTime& now,
                       const calendar::HolidayOracle& holidays) {
  UpdateResult result;
  std::vector<Date> dates;
  result.focus = CheckForm(form, dialogs, now, holidays, dates);
  if (result.focus) return result;

  std::vector<store::ScheduleFields> built;
  for (const Date& date : dates) {
    store::StoreRequest request;
    request.folder = data_folder;
    request.date = date;
    request.fields = FieldsFor(form, date, now.date);
    request.memo = form.memo;
    if (form.mode == EntryMode::Change) {
      request.old = form.source;
      request.memo_changed = form.memo_changed;
    }
    const store::StoreOutcome outcome = store::StoreSchedule(fs, dialogs, request);
    if (outcome.status != store::StoreStatus::Stored) {
      result.refusal = outcome.status;
      return result;
    }
    if (!form.multi_day) WriteBackground(fs, data_folder, date, form.background, form.custom_colour);
    result.schedules.push_back({date, outcome.index, outcome.detail});
    built.push_back(std::move(request.fields));
    built.back().detail = outcome.detail;
  }
  // A series stored one line at a time moves earlier lines of the same month: the indexes given
  // are those of the files as they are at the end.
  if (result.schedules.size() > 1) {
    std::vector<std::pair<std::string, std::vector<bool>>> taken;  // month path, indexes given out
    for (std::size_t i = 0; i < result.schedules.size(); ++i) {
      StoredSchedule& stored = result.schedules[i];
      const std::string path =
          store::MonthFilePath(data_folder, store::YearOf(stored.date), store::MonthOf(stored.date));
      const std::vector<std::string> lines = store::LoadLines(fs, path);
      auto it = std::find_if(taken.begin(), taken.end(), [&](const auto& t) { return t.first == path; });
      if (it == taken.end()) it = taken.insert(taken.end(), {path, std::vector<bool>(lines.size(), false)});
      it->second.resize(lines.size(), false);
      const std::string line = store::BuildScheduleLine(built[i]).line;
      for (std::size_t k = 0; k < lines.size(); ++k) {
        if (!it->second[k] && lines[k] == line) {
          it->second[k] = true;
          stored.index = k;
          break;
        }
      }
    }
  }
  result.stored = true;
  return result;
}

}  // namespace kal::schedule
