#include "listing/ListRows.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "catalogues/ItemTable.h"
#include "platform/Codec.h"
#include "store/DatePattern.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "reminders/Addon.h"
#include "todo/TodoFile.h"

namespace kal::listing {
namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The stem of `name` when it is `digits` digits followed by `ext` (letters without regard to case).
std::optional<std::string> StemOf(const std::string& name, const char* ext, std::initializer_list<std::size_t> digits) {
  const std::size_t ext_len = std::char_traits<char>::length(ext);
  if (name.size() <= ext_len) return std::nullopt;
  const std::string stem = name.substr(0, name.size() - ext_len);
  for (std::size_t i = 0; i < ext_len; ++i)
    if (std::tolower(static_cast<unsigned char>(name[stem.size() + i])) != ext[i]) return std::nullopt;
  if (!AllDigits(stem) || std::find(digits.begin(), digits.end(), stem.size()) == digits.end()) return std::nullopt;
  const int month = std::stoi(stem.substr(4, 2));
  if (month < 1 || month > 12) return std::nullopt;
  if (stem.size() == 8) {
    const store::Date d = store::MakeDate(std::stoi(stem.substr(0, 4)), month, std::stoi(stem.substr(6, 2)));
    if (!d.ok()) return std::nullopt;
  }
  return stem;
}

std::optional<store::Date> ValidDate(int year, int month, int day) {
  if (day < 1 || day > 31) return std::nullopt;
  const store::Date d = store::MakeDate(year, month, day);
  if (!d.ok()) return std::nullopt;
  return d;
}

std::string Pad4(std::size_t n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04zu", n);
  return buf;
}

std::string AlarmCell(const std::vector<int>& offsets, const std::string& code) {
  if (code.size() != 1 || code[0] < '1' || code[0] > '9') return "";
  const auto lead = catalogues::AlarmLead(offsets, code[0] - '0');
  return lead ? catalogues::AlarmOffsetText(*lead) : "";
}

const char* const kWeekdayNames[] = {"日", "月", "火", "水", "木", "金", "土"};

}  // namespace

std::string ListDateText(const store::Date& date) {
  return store::DateText(date) + "(" + store::ShortWeekdayName(store::WeekdayNumber(date)) + ")";
}

// --- File names --------------------------------------------------------------------------------

std::optional<std::string> MonthFileStem(const std::string& file_name) { return StemOf(file_name, ".sch", {6}); }

std::optional<std::string> MemoFileStem(const std::string& file_name) { return StemOf(file_name, ".mem", {6, 8}); }

std::optional<std::string> DayFileStem(const std::string& file_name) { return StemOf(file_name, ".day", {6}); }

std::vector<std::string> MonthFileStems(platform::FileSystem& fs, const std::string& data_folder,
                                        std::optional<int> year) {
  std::vector<std::string> stems;
  const std::string pattern = year ? std::to_string(*year) + "*.sch" : std::string("*.sch");
  for (const std::string& name : fs.List(data_folder, pattern))
    if (auto stem = MonthFileStem(name)) stems.push_back(*stem);
  std::sort(stems.begin(), stems.end());
  stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
  return stems;
}

// --- Schedules -----------------------------------------------------------------------------------

ListRow ScheduleRow(const std::string& stem, std::size_t index, const std::string& line,
                    const std::vector<int>& alarm_offsets) {
  const int year = std::stoi(stem.substr(0, 4)), month = std::stoi(stem.substr(4, 2));
  const store::ScheduleTexts t = store::ReadScheduleTexts(line);
  std::string day_field = store::FieldBytes(line, 1, 2);
  day_field.resize(2, ' ');
  std::string detail = store::FieldBytes(line, 111, 3);
  if (detail.size() != 3) detail = "000";
  ListRow row;
  row.line = line;
  std::string start_cell = "日付エラー", end_cell;
  if (auto start = ValidDate(year, month, store::Day(line))) {
    start_cell = ListDateText(*start);
    // The span as the schedule reader takes it (a multi-day span that is not a number is 1 day),
    // without decoding the line's texts a second time.
    int span = 1;
    if (store::IsMultiDay(line) && t.span.size() == 2 && AllDigits(t.span)) span = std::stoi(t.span);
    end_cell = ListDateText(span > 1 ? store::AddDays(*start, span - 1) : *start);
  }
  row.cells = {stem + day_field + Pad4(index) + detail,
               start_cell,
               t.start,
               end_cell,
               t.end,
               t.title,
               t.place,
               t.category,
               store::DetailNumber(line) > 0 ? "有" : "",
               AlarmCell(alarm_offsets, t.alarm1),
               AlarmCell(alarm_offsets, t.alarm2),
               t.link.empty() ? "" : "有"};
  return row;
}

std::vector<ListRow> ScheduleRowsOfMonth(const std::string& stem, const std::vector<std::string>& lines,
                                         const std::vector<int>& alarm_offsets, std::optional<int> day) {
  std::vector<ListRow> rows;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!day || store::Day(lines[i]) == *day) rows.push_back(ScheduleRow(stem, i, lines[i], alarm_offsets));
  return rows;
}

std::vector<ListRow> ScheduleRows(const ListSource& source, int view) {
  const std::vector<int> offsets = catalogues::LoadAlarmOffsets(source.fs, source.table_folder);
  const int year = store::YearOf(source.reference), month = store::MonthOf(source.reference);
  std::vector<std::string> stems;
  std::optional<int> day;
  if (view == 1 || view == 2) {
    stems = {store::MonthStem(year, month)};
    if (view == 1) day = store::DayOf(source.reference);
  } else {
    stems = MonthFileStems(source.fs, source.data_folder, view == 3 ? std::optional<int>(year) : std::nullopt);
  }
  std::vector<ListRow> rows;
  for (const std::string& stem : stems) {
    const auto lines = store::LoadLines(source.fs, source.data_folder + stem + ".sch");
    auto month_rows = ScheduleRowsOfMonth(stem, lines, offsets, day);
    std::move(month_rows.begin(), month_rows.end(), std::back_inserter(rows));
  }
  return rows;
}

// --- Holidays ------------------------------------------------------------------------------------

std::string HolidayClassName(int holiday_class) {
  static const char* const names[] = {"祝日", "休日", "記念日1", "記念日2", "記念日3"};
  return holiday_class >= 0 && holiday_class <= 4 ? names[holiday_class] : "";
}

std::string HolidayPatternText(const std::string& cp932_line) {
  const std::string month = cp932_line.substr(0, std::min<std::size_t>(2, cp932_line.size()));
  const std::string day = cp932_line.size() > 2 ? cp932_line.substr(2, std::min<std::size_t>(2, cp932_line.size() - 2)) : "";
  const char week = cp932_line.size() > 12 ? cp932_line[12] : '0';
  const char weekday_digit = cp932_line.size() > 13 ? cp932_line[13] : '0';
  const int wd = weekday_digit >= '0' && weekday_digit <= '6' ? weekday_digit - '0' : 0;
  const std::string weekday = std::string(kWeekdayNames[wd]) + "曜日";
  const std::string nth = week == '9' ? "最終" : std::string("第") + week;
  const bool month_blank = store::Trim(month).empty(), day_blank = store::Trim(day).empty();
  if (month_blank) return "毎週" + weekday;
  if (month == "99") {
    if (day == "32") return "毎月末日";
    if (!day_blank) return "毎月" + day + "日";
    return (week == '9' ? std::string("毎月最終") : "毎月" + nth) + weekday;
  }
  if (day_blank) return "毎年" + month + "月" + nth + weekday;
  return "毎年" + month + "月" + day + "日";
}

std::vector<ListRow> HolidayRowsOfLines(const std::vector<std::string>& lines, int year, int view,
                                        calendar::HolidaySettings settings) {
  const std::vector<store::HolidayLine> rules = store::ParseHolidayLines(lines);
  std::vector<ListRow> rows;
  for (const store::HolidayLine& rule : rules) {
    const int c = rule.holiday_class;
    if ((view == 1 && c != 0) || (view == 2 && c != 1) || (view == 3 && c < 2)) continue;
    std::string date;
    if (rule.month >= 1 && rule.month <= 12) {
      const auto days = store::HolidayDaysInMonth(rule, year, rule.month);
      if (!days.empty()) date = ListDateText(store::MakeDate(year, rule.month, days.front()));
    }
    ListRow row;
    row.line = lines[static_cast<std::size_t>(rule.index)];
    row.cells = {Pad4(static_cast<std::size_t>(rule.index)), date, HolidayPatternText(row.line),
                 store::HolidayShownName(rule, year), HolidayClassName(c), rule.first_year, rule.last_year};
    rows.push_back(std::move(row));
  }
  if ((view == 1 || view == kViewAll) && settings.auto_holiday) {
    // The holidays the calendar works out itself, from the one engine, so that the list and the
    // calendar always agree.
    const calendar::HolidayList list(rules, settings);
    std::vector<ListRow> computed;
    for (const auto& h : calendar::ComputedHolidays(list, store::MakeDate(year, 1, 1), store::MakeDate(year, 12, 31))) {
      const char* first = h.kind == calendar::PublicHolidayKind::Equinox      ? "1949"
                          : h.kind == calendar::PublicHolidayKind::Substitute ? "1973"
                                                                              : "1986";
      ListRow row;
      row.cells = {"9999", ListDateText(h.date), "自動設定", h.name, "祝日", first, ""};
      computed.push_back(std::move(row));
    }
    if (!computed.empty()) {
      std::move(computed.begin(), computed.end(), std::back_inserter(rows));
      std::stable_sort(rows.begin(), rows.end(),
                       [](const ListRow& a, const ListRow& b) { return a.cells[1] < b.cells[1]; });
    }
  }
  return rows;
}

std::vector<ListRow> HolidayRows(const ListSource& source, int view) {
  const auto lines = store::LoadLines(source.fs, store::HolidayFilePath(source.data_folder));
  return HolidayRowsOfLines(lines, store::YearOf(source.reference), view, source.holidays);
}

// --- Memos ---------------------------------------------------------------------------------------

ListRow MemoRow(const std::string& stem, const std::vector<std::string>& lines) {
  const int year = std::stoi(stem.substr(0, 4)), month = std::stoi(stem.substr(4, 2));
  std::string date = stem.substr(0, 4) + "/" + stem.substr(4, 2);
  if (stem.size() == 8) date = ListDateText(store::MakeDate(year, month, std::stoi(stem.substr(6, 2))));
  ListRow row;
  for (const std::string& l : lines) row.line += l;
  row.cells = {stem, date, platform::Cp932ToUtf8(row.line)};
  return row;
}

std::vector<ListRow> MemoRows(const ListSource& source, int view) {
  const int year = store::YearOf(source.reference), month = store::MonthOf(source.reference);
  std::string prefix;
  if (view == 1) prefix = store::MonthStem(year, month) + (store::DayOf(source.reference) < 10 ? "0" : "") +
                          std::to_string(store::DayOf(source.reference));
  if (view == 2) prefix = store::MonthStem(year, month);
  if (view == 3) prefix = std::to_string(year);
  std::vector<std::pair<std::string, std::string>> files;  // stem, name as the folder spells it
  for (const std::string& name : source.fs.List(source.memo_folder, prefix + "*.mem")) {
    auto stem = MemoFileStem(name);
    if (!stem || stem->compare(0, prefix.size(), prefix) != 0) continue;
    if (view == 1 && stem->size() != 8) continue;
    files.emplace_back(*stem, name);
  }
  std::sort(files.begin(), files.end());
  std::vector<ListRow> rows;
  for (const auto& [stem, name] : files) rows.push_back(MemoRow(stem, store::LoadLines(source.fs, source.memo_folder + name)));
  return rows;
}

// --- Weather -------------------------------------------------------------------------------------

std::string WeatherText(int weather1, int transition, int weather2) {
  static const char* const names[] = {"", "晴れ", "曇り", "雨", "雪"};
  static const char* const joins[] = {"", "のち", "時々", "一時"};
  auto name = [](int w) { return w >= 1 && w <= 4 ? names[w] : ""; };
  std::string text = name(weather1);
  if (weather1 >= 1 && weather1 <= 4 && transition >= 1 && transition <= 3 && weather2 >= 1 && weather2 <= 4)
    text += joins[transition];
  text += name(weather2);
  return text;
}

std::vector<ListRow> WeatherRowsOfMonth(int year, int month, const std::vector<std::string>& lines,
                                        std::optional<int> day) {
  std::vector<ListRow> rows;
  const int last = std::min<int>(store::DaysInMonth(year, month), static_cast<int>(lines.size()) - 1);
  for (int d = 1; d <= last; ++d) {
    if (day && d != *day) continue;
    const std::string& line = lines[static_cast<std::size_t>(d)];
    const store::DayLine w = store::ReadDayLine(line);
    auto with = [](const std::string& v, const char* unit) { return v.empty() ? v : v + unit; };
    ListRow row;
    row.line = line;
    char key_day[16];
    std::snprintf(key_day, sizeof key_day, "%02d", d);
    row.cells = {store::MonthStem(year, month) + key_day, ListDateText(store::MakeDate(year, month, d)),
                 WeatherText(w.weather1, w.transition, w.weather2), with(w.max_temp, "℃"),
                 with(w.min_temp, "℃"), with(w.rain, "%")};
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<ListRow> WeatherRows(const ListSource& source, int view) {
  const int year = store::YearOf(source.reference), month = store::MonthOf(source.reference);
  std::vector<std::pair<int, int>> months;
  if (view == 3) {
    for (int m = 1; m <= 12; ++m) months.emplace_back(year, m);
  } else if (view == kViewAll) {
    for (const std::string& name : source.fs.List(source.data_folder, "*.day")) {
      if (auto stem = DayFileStem(name)) months.emplace_back(std::stoi(stem->substr(0, 4)), std::stoi(stem->substr(4, 2)));
    }
    std::sort(months.begin(), months.end());
  } else {
    months.emplace_back(year, month);
  }
  std::vector<ListRow> rows;
  for (auto [y, m] : months) {
    const auto lines = store::LoadLines(source.fs, store::DayFilePath(source.data_folder, y, m));
    auto month_rows =
        WeatherRowsOfMonth(y, m, lines, view == 1 ? std::optional<int>(store::DayOf(source.reference)) : std::nullopt);
    std::move(month_rows.begin(), month_rows.end(), std::back_inserter(rows));
  }
  return rows;
}

// --- ToDo ----------------------------------------------------------------------------------------

namespace {

std::string TodoDateCell(const std::string& text) {
  if (auto d = store::ParseDateText(text)) return ListDateText(*d);
  return text;
}

}  // namespace

std::vector<ListRow> TodoRows(const std::vector<TodoListItem>& items, int view, const store::Date& today,
                              const TodoWaitRules& wait) {
  static const char* const priorities[] = {"A", "B", "C", "D"};
  std::vector<ListRow> rows;
  for (const TodoListItem& item : items) {
    if ((view == 1 && item.done) || (view == 2 && !item.done)) continue;
    const auto limit = store::ParseDateText(item.limit);
    const int remaining = limit ? store::DayNumber(*limit) - store::DayNumber(today) : 0;
    std::string state = "処理済";
    if (!item.done) {
      state = "未処理";
      if (limit) {
        const bool by_days = wait.wait_task && remaining > wait.wait_day;
        const bool by_count = wait.wait_count && static_cast<int>(rows.size()) + 1 >= wait.wait_cnt;
        const bool by_start = wait.wait_date && !item.start.empty() && item.start > store::DateText(today);
        if (by_days || by_count || by_start) state = "待機";
      }
    }
    char progress[16];
    std::snprintf(progress, sizeof progress, "%3d%%", std::clamp(item.progress, 0, 10) * 10);
    ListRow row;
    row.line = item.line;
    row.checked = item.done;
    row.cells = {std::to_string(item.index),
                 state,
                 limit ? ListDateText(*limit) : item.limit,
                 limit ? std::to_string(remaining) : "",
                 item.start.empty() ? "" : TodoDateCell(item.start),
                 priorities[std::clamp(item.priority, 0, 3)],
                 item.title,
                 item.category,
                 progress,
                 item.done ? TodoDateCell(item.done_date) : "",
                 item.memo_number.empty() || item.memo_number == "0000" ? "" : "有",
                 item.link.empty() ? "" : "有"};
    rows.push_back(std::move(row));
  }
  return rows;
}

// --- Stores read through their own subsystems -----------------------------------------------------
// The ToDo list and the add-on list (Addon.lst) are read through their own stores.

std::vector<TodoListItem> LoadTodoItems(const ListSource& source) {
  const std::vector<std::string> records = todo::LoadTodoRecords(source.fs, source.todo_folder);
  std::vector<TodoListItem> items;
  items.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string& record = records[i];
    TodoListItem item;
    item.index = static_cast<int>(i);
    // A limit that is not a date counts as none, as everywhere else in the program.
    const auto limit = todo::TodoLimit(record);
    item.limit = limit ? store::DateText(*limit) : kNoLimitText;
    if (const auto start = todo::TodoStart(record)) item.start = store::DateText(*start);
    item.priority = todo::TodoPriority(record);
    item.progress = todo::TodoProgress(record);
    item.done = todo::TodoDone(record);
    item.done_date = todo::TodoDoneDateText(record);
    item.category = todo::TodoCategory(record);
    item.memo_number = todo::MemoNumberField(todo::TodoMemoNumber(record));
    item.title = todo::TodoSubject(record);
    item.link = todo::TodoLink(record);
    item.line = record;
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<ListRow> AddonRows(const std::vector<std::string>& lines) {
  std::vector<ListRow> rows;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const reminders::AddonEntry entry = reminders::ReadAddonLine(lines[i]);
    std::string timing = entry.timing;
    if (timing == reminders::kTimingBeforeStart) timing = "起動前";
    else if (timing == reminders::kTimingAfterStart) timing = "起動後";
    else if (timing == reminders::kTimingCalendar) timing = "スケジュール表";
    ListRow row;
    row.line = lines[i];
    row.checked = entry.enabled;
    row.cells = {" " + std::to_string(i), entry.enabled ? "有効" : "無効", timing, entry.program};
    rows.push_back(std::move(row));
  }
  return rows;
}



std::vector<ListRow> ListRows(const ListSource& source, ListKind kind, int view) {
  switch (kind) {
    case ListKind::Schedule: return ScheduleRows(source, view);
    case ListKind::Holiday: return HolidayRows(source, view);
    case ListKind::Memo: return MemoRows(source, view);
    case ListKind::Weather: return WeatherRows(source, view);
    case ListKind::Todo:
      return TodoRows(LoadTodoItems(source), view, source.today, source.wait);
    case ListKind::Addon: return AddonRows(reminders::LoadAddonLines(source.fs, source.program_folder));
  }
  return {};
}

}  // namespace kal::listing
