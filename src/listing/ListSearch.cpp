#include "listing/ListSearch.h"

#include <algorithm>

#include "catalogues/ItemTable.h"
#include "platform/Codec.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::listing {
namespace {

std::string Compact(const std::optional<store::Date>& d) {
  if (!d) return "";
  std::string t = store::DateText(*d);
  return t.substr(0, 4) + t.substr(5, 2) + t.substr(8, 2);
}

bool Blank(const std::string& text) { return store::Trim(text).empty(); }

// The line of a sorted detail file that carries `number` (its first `width` bytes); the search
// stops at a larger number.
const std::string* FindDetailLine(const std::vector<std::string>& lines, const std::string& number) {
  for (const std::string& l : lines) {
    const int c = l.compare(0, number.size(), number);
    if (c == 0 && l.size() >= number.size()) return &l;
    if (c > 0) break;
  }
  return nullptr;
}

std::string AfterNumber(const std::string& detail_line, std::size_t width) {
  return detail_line.size() > width + 1 ? detail_line.substr(width + 1) : std::string();
}

// A category condition: the stored field begins with the text (compared over its bytes).
bool CategoryPrefix(const std::string& field_cp932, const std::string& condition_cp932) {
  return field_cp932.compare(0, condition_cp932.size(), condition_cp932) == 0;
}

}  // namespace

std::optional<SearchFailure> CheckSearch(std::optional<ListKind> kind, const SearchConditions& c) {
  if (!kind) return SearchFailure{"検索対象を選択して下さい。", SearchField::Kind};
  const bool no_date = !c.from && !c.to;
  switch (*kind) {
    case ListKind::Schedule:
    case ListKind::Todo:
      if (c.title.empty() && no_date && Blank(c.category) && c.detail.empty())
        return SearchFailure{"検索条件を入力して下さい。", SearchField::Title};
      break;
    case ListKind::Weather:
      if (no_date && c.category_index < 0) return SearchFailure{"検索条件を入力して下さい。", SearchField::Category};
      break;
    case ListKind::Holiday:
      if (c.title.empty() && c.category_index < 0) return SearchFailure{"検索条件を入力して下さい。", SearchField::Title};
      break;
    case ListKind::Memo:
      if (no_date && c.title.empty()) return SearchFailure{"件名文字列を入力して下さい。", SearchField::Title};
      break;
    case ListKind::Addon: break;
  }
  if (c.from && c.to && *c.to < *c.from) return SearchFailure{"日付の入力に誤りがあります。", SearchField::FromDate};
  return std::nullopt;
}

SearchPanelFields SearchPanelOf(ListKind kind) {
  SearchPanelFields f;
  switch (kind) {
    case ListKind::Schedule:
    case ListKind::Todo: f = {true, true, true, true, true, false, {}}; break;
    case ListKind::Holiday:
      f = {false, true, true, true, false, true, {"祝日", "休日", "記念日1", "記念日2", "記念日3"}};
      break;
    case ListKind::Memo: f = {true, true, true, false, false, false, {}}; break;
    case ListKind::Weather: f = {true, false, false, true, false, true, {"晴れ", "曇り", "雨", "雪"}}; break;
    case ListKind::Addon: break;
  }
  return f;
}

std::pair<store::Date, store::Date> YearSpan(int year) {
  return {store::MakeDate(year, 1, 1), store::MakeDate(year, 12, 31)};
}

store::Date PastStart(const store::Date& end, int years) {
  return store::AddDays(store::AddMonths(end, -12 * years), 1);
}

// --- Schedules -----------------------------------------------------------------------------------

ScheduleMatcher::ScheduleMatcher(const SearchConditions& c)
    : from_(Compact(c.from)), to_(Compact(c.to)), title_(store::TextNeedle::FromUtf8(c.title, c.ignore_case)),
      detail_(store::TextNeedle::FromUtf8(c.detail, false)) {
  has_detail_ = !c.detail.empty();
  if (!Blank(c.category)) {
    has_category_ = true;
    auto cp932 = platform::Utf8ToCp932(c.category);
    if (cp932) category_ = *cp932;
    else impossible_category_ = true;
  }
}

bool ScheduleMatcher::MonthInRange(const std::string& stem) const {
  if (!from_.empty() && stem < from_.substr(0, 6)) return false;
  if (!to_.empty() && stem > to_.substr(0, 6)) return false;
  return true;
}

bool ScheduleMatcher::LineMatches(const std::string& stem, const std::string& line) const {
  if (!from_.empty() || !to_.empty()) {
    std::string date = stem + std::string(line.substr(0, std::min<std::size_t>(2, line.size())));
    if (!from_.empty() && date < from_) return false;
    if (!to_.empty() && date > to_) return false;
  }
  if (has_category_) {
    if (impossible_category_) return false;
    std::string_view field = line.size() > 12 ? std::string_view(line).substr(12, 14) : std::string_view();
    if (field.compare(0, category_.size(), category_) != 0) return false;
  }
  if (!title_.empty()) {
    std::string_view title = line.size() > 30 ? std::string_view(line).substr(30, 40) : std::string_view();
    if (!title_.FoundIn(store::TrimRight(title))) return false;
  }
  if (has_detail_ && store::DetailNumber(line) == 0) return false;
  return true;
}

bool ScheduleMatcher::DetailMatches(const std::string& detail_line) const {
  return detail_.FoundIn(AfterNumber(detail_line, 3));
}

namespace {

std::vector<ListRow> SearchSchedules(const ListSource& source, const SearchConditions& c) {
  const ScheduleMatcher matcher(c);
  const std::vector<int> offsets = catalogues::LoadAlarmOffsets(source.fs, source.table_folder);
  std::vector<ListRow> rows;
  for (const std::string& stem : MonthFileStems(source.fs, source.data_folder)) {
    if (!matcher.MonthInRange(stem)) continue;
    const int year = std::stoi(stem.substr(0, 4)), month = std::stoi(stem.substr(4, 2));
    const auto lines = store::LoadLines(source.fs, store::MonthFilePath(source.data_folder, year, month));
    std::optional<std::vector<std::string>> details;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (!matcher.LineMatches(stem, line)) continue;
      if (matcher.NeedsDetail()) {
        if (!details) details = store::LoadLines(source.fs, store::DetailFilePath(source.data_folder, year, month));
        const std::string* d = FindDetailLine(*details, store::DetailNumberText(line));
        if (d == nullptr || !matcher.DetailMatches(*d)) continue;
      }
      rows.push_back(ScheduleRow(stem, i, line, offsets));
    }
  }
  return rows;
}

std::vector<ListRow> SearchHolidays(const ListSource& source, const SearchConditions& c) {
  const auto lines = store::LoadLines(source.fs, store::HolidayFilePath(source.data_folder));
  const store::TextNeedle title = store::TextNeedle::FromUtf8(c.title, c.ignore_case);
  calendar::HolidaySettings no_auto = source.holidays;
  no_auto.auto_holiday = false;
  std::vector<ListRow> rows;
  for (ListRow& row : HolidayRowsOfLines(lines, store::YearOf(source.reference), kViewAll, no_auto)) {
    if (c.category_index >= 0 && (row.line.size() < 15 || row.line[14] != '0' + c.category_index)) continue;
    if (!title.FoundIn(store::FieldBytesToEnd(row.line, 16))) continue;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<ListRow> SearchMemos(const ListSource& source, const SearchConditions& c) {
  const std::string from = Compact(c.from), to = Compact(c.to);
  const store::TextNeedle title = store::TextNeedle::FromUtf8(c.title, c.ignore_case);
  std::vector<ListRow> rows;
  for (ListRow& row : MemoRows(source, kViewAll)) {
    const std::string& stem = row.key();
    // A month memo takes the day of the bound it is compared with: it lies inside whenever its
    // month does.
    if (!from.empty() && (stem.size() == 8 ? stem : stem + from.substr(6, 2)) < from) continue;
    if (!to.empty() && (stem.size() == 8 ? stem : stem + to.substr(6, 2)) > to) continue;
    if (!title.FoundIn(row.line)) continue;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<ListRow> SearchWeather(const ListSource& source, const SearchConditions& c) {
  const std::string from = Compact(c.from).substr(0, 6), to = Compact(c.to).substr(0, 6);
  std::vector<ListRow> rows;
  for (const std::string& name : source.fs.List(source.data_folder, "*.day")) {
    auto stem = DayFileStem(name);
    if (!stem || (!from.empty() && *stem < from) || (!to.empty() && *stem > to)) continue;
    const int year = std::stoi(stem->substr(0, 4)), month = std::stoi(stem->substr(4, 2));
    const auto lines = store::LoadLines(source.fs, store::DayFilePath(source.data_folder, year, month));
    for (ListRow& row : WeatherRowsOfMonth(year, month, lines)) {
      if (c.category_index >= 0) {
        const store::DayLine w = store::ReadDayLine(row.line);
        if (w.weather1 != c.category_index + 1 && w.weather2 != c.category_index + 1) continue;
      }
      rows.push_back(std::move(row));
    }
  }
  std::sort(rows.begin(), rows.end(), [](const ListRow& a, const ListRow& b) { return a.key() < b.key(); });
  return rows;
}

std::vector<ListRow> SearchTodo(const ListSource& source, const SearchConditions& c) {
  const std::vector<TodoListItem> items = LoadTodoItems(source);
  const store::TextNeedle title = store::TextNeedle::FromUtf8(c.title, c.ignore_case);
  const store::TextNeedle detail = store::TextNeedle::FromUtf8(c.detail, false);
  const auto category = platform::Utf8ToCp932(c.category);
  std::optional<std::vector<std::string>> details;
  std::vector<TodoListItem> kept;
  for (const TodoListItem& item : items) {
    if (!TodoLimitWithin(item.limit, c.from, c.to)) continue;
    if (!title.FoundInUtf8(item.title)) continue;
    if (!Blank(c.category)) {
      const auto field = platform::Utf8ToCp932(item.category);
      if (!category || !field || !CategoryPrefix(*field, *category)) continue;
    }
    if (!c.detail.empty()) {
      if (item.memo_number.empty() || item.memo_number == "0000") continue;
      if (!details) details = store::LoadLines(source.fs, source.todo_folder + "Todokl.dtl");
      const std::string* d = FindDetailLine(*details, item.memo_number);
      if (d == nullptr || !detail.FoundIn(AfterNumber(*d, 4))) continue;
    }
    kept.push_back(item);
  }
  return TodoRows(kept, kViewAll, source.today, source.wait);
}

}  // namespace

bool TodoLimitWithin(const std::string& limit, const std::optional<store::Date>& from,
                     const std::optional<store::Date>& to) {
  if (from && limit < store::DateText(*from)) return false;
  if (to && limit > store::DateText(*to)) return false;
  return true;
}

std::vector<ListRow> SearchRows(const ListSource& source, ListKind kind, const SearchConditions& c) {
  switch (kind) {
    case ListKind::Schedule: return SearchSchedules(source, c);
    case ListKind::Holiday: return SearchHolidays(source, c);
    case ListKind::Memo: return SearchMemos(source, c);
    case ListKind::Todo: return SearchTodo(source, c);
    case ListKind::Weather: return SearchWeather(source, c);
    case ListKind::Addon: return {};
  }
  return {};
}

}  // namespace kal::listing
