#include "listing/ExportRows.h"

#include <algorithm>
#include <map>

#include "platform/Codec.h"
#include "store/CommaText.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::listing {

namespace {

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

const std::string& CellOf(const ListRow& row, std::size_t column) {
  static const std::string empty;
  return column < row.cells.size() ? row.cells[column] : empty;
}

Date ScheduleItem::LastDay() const { return span > 1 ? store::AddDays(date, span - 1) : date; }

std::optional<ScheduleKey> ParseScheduleKey(const std::string& key) {
  if (key.size() != 15 || !AllDigits(key)) return std::nullopt;
  ScheduleKey k;
  k.year = std::stoi(key.substr(0, 4));
  k.month = std::stoi(key.substr(4, 2));
  k.day = std::stoi(key.substr(6, 2));
  k.index = static_cast<std::size_t>(std::stoul(key.substr(8, 4)));
  k.detail = std::stoi(key.substr(12, 3));
  if (k.month < 1 || k.month > 12) return std::nullopt;
  return k;
}

std::vector<ScheduleItem> LoadScheduleItems(platform::FileSystem& fs, const std::string& data_folder,
                                            const std::vector<ListRow>& rows) {
  // Month and detail files are read once each, however many rows they hold.
  std::map<std::pair<int, int>, std::vector<std::string>> months, details;
  std::vector<ScheduleItem> items;
  for (const auto& row : rows) {
    auto key = ParseScheduleKey(CellOf(row, 0));
    if (!key) throw ExportError(kStaleExportMessage);
    const auto ym = std::make_pair(key->year, key->month);
    auto m = months.find(ym);
    if (m == months.end())
      m = months.emplace(ym, store::LoadLines(fs, store::MonthFilePath(data_folder, key->year, key->month))).first;
    if (key->index >= m->second.size()) throw ExportError(kStaleExportMessage);
    const std::string& line = m->second[key->index];
    const store::ScheduleFields f = store::ReadScheduleLine(line);
    if (f.day != key->day || f.detail != key->detail || key->day > store::DaysInMonth(key->year, key->month))
      throw ExportError(kStaleExportMessage);
    ScheduleItem item;
    item.date = store::MakeDate(key->year, key->month, key->day);
    item.span = store::IsMultiDay(line) ? f.span : 0;
    item.start = f.start;
    item.end = f.end;
    item.title = f.title;
    item.place = f.place;
    item.category = f.category;
    item.alarm1 = f.alarm1;
    if (f.detail > 0) {
      auto d = details.find(ym);
      if (d == details.end())
        d = details.emplace(ym, store::LoadLines(fs, store::DetailFilePath(data_folder, key->year, key->month)))
                .first;
      item.memo = store::DetailMemo(d->second, f.detail);
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<MemoItem> LoadMemoItems(platform::FileSystem& fs, const std::string& memo_folder,
                                    const std::vector<ListRow>& rows) {
  std::vector<MemoItem> items;
  for (const auto& row : rows) {
    const std::string& key = CellOf(row, 0);
    if ((key.size() != 8 && key.size() != 6) || !AllDigits(key)) continue;
    std::vector<std::string> lines = store::LoadTextLines(fs, platform::JoinPath(memo_folder, key + ".mem"));
    if (lines.empty()) continue;
    std::string date = key.substr(0, 4) + "/" + key.substr(4, 2);
    if (key.size() == 8) date += "/" + key.substr(6, 2);
    items.push_back({date, std::move(lines)});
  }
  return items;
}

std::vector<HolidayItem> HolidayItems(const std::vector<std::string>& holiday_file_lines,
                                      const std::vector<ListRow>& rows) {
  std::vector<HolidayItem> items;
  for (const auto& row : rows) {
    const std::string& key = CellOf(row, 0);
    if (!AllDigits(key)) throw ExportError(kStaleHolidayMessage);
    const int index = std::stoi(key);
    HolidayItem item;
    item.category = CellOf(row, 4);
    if (index == store::kComputedIndex) {
      auto date = store::ParseDateText(CellOf(row, 1).substr(0, 10));
      if (!date) throw ExportError(kStaleHolidayMessage);
      item.date = *date;
      item.name = CellOf(row, 3);
    } else {
      if (static_cast<std::size_t>(index) >= holiday_file_lines.size()) throw ExportError(kStaleHolidayMessage);
      item.rule = store::ParseHolidayLine(holiday_file_lines[static_cast<std::size_t>(index)], index);
      if (!item.rule) throw ExportError(kStaleHolidayMessage);
      // The row's 分類 names the class the line had when the list was built.
      static const char* const kClassNames[] = {"祝日", "休日", "記念日1", "記念日2", "記念日3"};
      const int c = item.rule->holiday_class;
      if (!item.category.empty() && (c < 0 || c > 4 || item.category != kClassNames[c]))
        throw ExportError(kStaleHolidayMessage);
      if (item.category.empty() && c >= 0 && c <= 4) item.category = kClassNames[c];
    }
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<std::string> TodoDetailLines(const std::vector<std::string>& detail_file_lines, int number) {
  if (number <= 0) return {};
  std::string key = std::to_string(number);
  key.insert(0, 4 - std::min<std::size_t>(4, key.size()), '0');
  for (const auto& line : detail_file_lines) {
    if (line.size() < 4 || line.compare(0, 4, key) != 0) continue;
    if (line.size() > 4 && line[4] >= '0' && line[4] <= '9') continue;
    std::vector<std::string> items = store::FromCommaText(platform::Cp932ToUtf8(line));
    if (!items.empty()) items.erase(items.begin());
    return items;
  }
  return {};
}

}  // namespace kal::listing
