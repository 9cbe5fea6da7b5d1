#include "mainwindow/DayPanel.h"

#include <algorithm>
#include <cstdio>

#include "calendar/DateLabels.h"
#include "model/MultiDay.h"
#include "catalogues/ItemTable.h"
#include "platform/Codec.h"
#include "store/Colour.h"
#include "store/DatePattern.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "model/MonthModel.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::mainwindow {

using store::AddDays;
using store::EntryIndex;
using store::EntryKind;
using store::EntryPayload;

namespace {

const std::array<SchListColumn, kSchListColumns> kColumns{{
    {"アイコン(&N)", "", -1, false},
    {"開始(&S)", "開始", -1, false},
    {"終了(&E)", "終了", -1, false},
    {"件名(&T)", "件名", -1, false},
    {"場所(&P)", "場所", -1, false},
    {"分類(&C)", "分類", -1, false},
    {"メモ有無(&M)", "", kImageMemo, true},
    {"アラーム1(&A)", "", kImageAlarmHeader, true},
    {"アラーム2(&B)", "", kImageAlarmHeader, true},
    {"ファイル(&F)", "", kImageFile, true},
}};

std::string Four(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04d", std::clamp(n, 0, 9999));
  return buf;
}

std::string DayText(const Date& d) { return store::FormatDatePattern("yyyy/mm/dd(aaa)", d); }

std::string TrimmedText(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

int ToMinutes(const std::string& hhnn) {
  const auto t = store::ParseTimeText(hhnn);
  return t ? t->hour * 60 + t->minute : -1;
}

int Compare(const Date& a, const Date& b) {
  return static_cast<int>((std::chrono::sys_days{a} - std::chrono::sys_days{b}).count());
}

const store::ColourPair& HolidayColours(char kind, const store::ColorSettings& c) {
  switch (kind) {
    case '0': return c.syu;
    case '1': return c.kyu;
    case '2': return c.kn1;
    case '3': return c.kn2;
    default: return c.kn3;
  }
}

std::string HolidayLabel(char kind) {
  switch (kind) {
    case '0': return "祝日";
    case '1': return "休日";
    default: return "記念日" + std::string(1, static_cast<char>('1' + (kind - '2')));
  }
}

// The category colours of a schedule or ToDo row when SchColor is on.
void CategoryColours(SchListRow& row, const DayListInput& in, std::string_view cp932_name) {
  if (!in.sch_color || in.categories == nullptr) return;
  if (auto at = in.categories->Find(cp932_name)) {
    const catalogues::CategoryEntry e = in.categories->Entry(*at);
    row.text_colour = e.text_colour;
    row.back_colour = e.back_colour;
  }
}

int CategoryIconOf(const DayListInput& in, std::string_view cp932_name) {
  if (in.categories == nullptr) return 0;
  if (auto at = in.categories->Find(cp932_name)) return in.categories->Entry(*at).icon;
  return 0;
}

SchListRow ScheduleRow(const DayListInput& in, std::string_view entry) {
  const std::string_view payload = EntryPayload(entry);
  const store::ScheduleTexts t = store::ReadScheduleTexts(payload);
  const ScheduleDays days = ScheduleDaysOf(entry, in.selected);
  const bool bar = store::EntryIsBar(entry);
  SchListRow row;
  row.key = "SC5" + Four(EntryIndex(entry)) + store::MonthStem(store::YearOf(days.first), store::MonthOf(days.first)) +
            (bar ? "0" : "5");
  row.texts[1] = TrimmedText(DayText(days.first) + " " + t.start);
  row.texts[2] = TrimmedText(DayText(days.last) + " " + t.end);
  row.texts[3] = t.title;
  row.texts[4] = t.place;
  row.texts[5] = t.category;
  row.memo = store::DetailNumber(payload) > 0;
  row.file = store::FieldBytes(payload, 133, 1) == "0" && !t.link.empty();
  const int alarm1 = t.alarm1.empty() ? 0 : t.alarm1[0] - '0';
  const int alarm2 = t.alarm2.empty() ? 0 : t.alarm2[0] - '0';
  row.texts[7] = LeadTimeText(in.alarm_offsets, alarm1);
  row.texts[8] = LeadTimeText(in.alarm_offsets, alarm2);
  // The alarm icon while an alarm is still to come: the schedule starts after today, or today at
  // a time not yet passed.
  const bool has_alarm = (alarm1 > 0 && alarm1 <= 9) || (alarm2 > 0 && alarm2 <= 9);
  const int start = ToMinutes(t.start);
  const int when = Compare(days.first, in.today);
  const bool pending = has_alarm && (when > 0 || (when == 0 && start >= in.now_minutes));
  const std::string category_field = store::FieldBytes(payload, 13, 14);
  if (in.alarm_icon_item && pending) {
    row.icon = RowIcon::Alarm;
    row.icon_number = kImageAlarm;
  } else if (int icon = CategoryIconOf(in, category_field); icon > 0) {
    row.icon = RowIcon::Category;
    row.icon_number = icon;
  }
  CategoryColours(row, in, category_field);
  return row;
}

SchListRow TodoRow(const DayListInput& in, std::string_view entry) {
  const std::string_view record = EntryPayload(entry);
  SchListRow row;
  row.key = std::string(entry.substr(0, 3));
  const std::string limit = store::FieldBytes(record, 1, 10);
  const std::string start = store::FieldBytes(record, 11, 10);
  if (auto d = store::ParseDateText(start)) row.texts[1] = DayText(*d);
  if (auto d = store::ParseDateText(limit)) row.texts[2] = DayText(*d);
  row.texts[3] = store::Field(record, 57, 80);
  const std::string category_field = store::FieldBytes(record, 35, 14);
  row.texts[5] = store::Field(record, 35, 14);
  const std::string memo = store::FieldBytes(record, 49, 4);
  row.memo = !memo.empty() && memo != "0000" && memo != "    ";
  row.file = !store::Field(record, 137, 255).empty();
  row.icon = RowIcon::TodoState;
  row.icon_number = entry.size() > 1 && entry[1] >= '1' && entry[1] <= '7' ? entry[1] - '0' : 5;
  CategoryColours(row, in, category_field);
  return row;
}

SchListRow HolidayRow(const DayListInput& in, std::string_view entry) {
  const char kind = EntryKind(entry);
  SchListRow row;
  row.key = std::string(entry.substr(0, 3));
  row.texts[1] = DayText(in.selected);
  row.texts[2] = DayText(in.selected);
  row.texts[3] = TrimmedText(store::EntryText(entry));
  row.texts[5] = HolidayLabel(kind);
  row.icon = RowIcon::Holiday;
  row.icon_number = kind - '0' + 1;
  row.text_colour = HolidayColours(kind, in.colours).text;
  return row;
}

}  // namespace

const std::array<SchListColumn, kSchListColumns>& SchListColumns() { return kColumns; }

bool SchColumnShown(std::string_view sch_item, int column) {
  if (column < 0 || column >= kSchListColumns) return false;
  return static_cast<std::size_t>(column) >= sch_item.size() || sch_item[static_cast<std::size_t>(column)] != '0';
}

std::string ToggleSchColumn(std::string sch_item, int column) {
  if (sch_item.size() < kSchListColumns) sch_item.resize(kSchListColumns, '1');
  char& flag = sch_item[static_cast<std::size_t>(column)];
  flag = flag == '0' ? '1' : '0';
  return sch_item;
}

int SchColumnWidth(std::string_view sch_item, const std::vector<int>& widths, int column) {
  if (!SchColumnShown(sch_item, column)) return 0;
  if (column == 0) return kIconColumnWidth;
  const std::size_t at = static_cast<std::size_t>(column);
  return at < widths.size() ? std::max(widths[at], 1) : 100;
}

std::string LeadTimeText(const std::vector<int>& offsets, int code) {
  const std::optional<int> minutes = catalogues::AlarmLead(offsets, code);
  if (!minutes) return {};
  return *minutes < 60 ? std::to_string(*minutes) + "分" : std::to_string(*minutes / 60) + "時間";
}

ScheduleDays ScheduleDaysOf(std::string_view entry, const Date& selected) {
  if (!store::EntryIsBar(entry)) return {selected, selected};
  const int position = std::max(store::EntryPosition(entry), 1);
  const int span = std::max(store::EntrySpan(entry), 1);
  const Date first = AddDays(selected, 1 - position);
  return {first, AddDays(first, span - 1)};
}

std::vector<SchListRow> SchListRows(const DayListInput& in) {
  std::vector<SchListRow> rows;
  if (in.entries == nullptr) return rows;
  for (std::size_t i = 0; i < in.entries->size(); ++i) {
    const std::string& entry = (*in.entries)[i];
    if (entry.size() < store::kEntryPrefix) continue;
    const char kind = EntryKind(entry);
    SchListRow row;
    if (kind == store::kEntrySolarTerm) continue;
    if (kind == store::kEntrySchedule) {
      row = ScheduleRow(in, entry);
    } else if (kind == store::kEntryTodo) {
      row = TodoRow(in, entry);
      row.key += Four(static_cast<int>(i));
    } else if (kind >= '0' && kind <= '4') {
      row = HolidayRow(in, entry);
      row.key += Four(static_cast<int>(i));
    } else {
      continue;
    }
    row.entry_position = i;
    rows.push_back(std::move(row));
  }
  return rows;
}

int SchListBackground(int day_kind, const std::string& day_line, const store::ColorSettings& c) {
  int colour = c.day.back;
  switch (day_kind) {
    case store::kDayPrivateHoliday: colour = c.kyu.back; break;
    case store::kDaySaturday: colour = c.sat.back; break;
    case store::kDaySunday: colour = c.sun.back; break;
    case store::kDayPublicHoliday: colour = c.syu.back; break;
    default: break;
  }
  if (day_line.empty()) return colour;
  const store::DayLine line = store::ReadDayLine(day_line);
  if (line.colour_code == '1') return c.day.back;
  if (line.colour_code == '5') return c.kyu.back;
  if (line.colour_code == '9' && !line.colour.empty()) return store::ParseColourText(line.colour, colour);
  return colour;
}

void SortSchRows(std::vector<SchListRow>& rows, int column, int direction) {
  if (column <= 0 || column >= kSchListColumns) return;
  const std::size_t c = static_cast<std::size_t>(column);
  std::stable_sort(rows.begin(), rows.end(), [c, direction](const SchListRow& a, const SchListRow& b) {
    const int order = a.texts[c].compare(b.texts[c]);
    return direction < 0 ? order > 0 : order < 0;
  });
}

bool SchListSort::Click(std::vector<SchListRow>& rows, int column) {
  if (column <= 0 || column >= kSchListColumns) return false;
  int& direction = directions_[static_cast<std::size_t>(column)];
  direction = -direction;
  column_ = column;
  SortSchRows(rows, column, direction);
  return true;
}

void SchListSort::Reset() {
  column_ = -1;
  directions_.fill(1);
}

int SchListRowHeight(int font_pixel_height, bool cell_equals_char) {
  return font_pixel_height + 9 + (cell_equals_char ? 6 : 0);
}

int SchListHeight(int row_height, int rows, int needed, int calendar_side_height) {
  int height = rows > 2 ? row_height * (rows + 1) : row_height * 3 + 1;
  height = std::max(height, needed);
  const int cap = std::max(calendar_side_height / 2, row_height * 3 + 1);
  return std::min(height, cap);
}

Date CellSelectedDate(int year, int month, int day) {
  return store::MakeDate(year, month, std::clamp(day, 1, store::DaysInMonth(year, month)));
}

std::string MiniModeCaption(const Date& selected) {
  return store::FormatDatePattern("yyyy年m月d日(aaa)", selected);
}

std::string StatusBarEdit(const store::Settings& settings, const Date& selected, const Date& today) {
  return calendar::StatusBarText(settings.view.status_bar_form, selected, today);
}

// ---- Delete ------------------------------------------------------------------------------------

bool EntryMatchesLine(std::string_view entry, std::string_view line) {
  const std::string_view payload = EntryPayload(entry);
  if (!store::EntryIsBar(entry)) return payload == line;
  if (!store::IsMultiDay(line)) return false;
  const bool with_link = payload.size() > 132;
  const std::string expected =
      calendar::BarEntry(0, EntryIndex(entry), line, store::EntryPosition(entry), with_link);
  return EntryPayload(expected) == payload;
}

DeleteResult DeleteDayEntry(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& data_folder,
                            std::string_view entry, const Date& selected, bool del_msg) {
  if (entry.size() < store::kEntryPrefix) return DeleteResult::NotHandled;
  const char kind = EntryKind(entry);
  if (kind == store::kEntrySchedule) {
    const Date first = ScheduleDaysOf(entry, selected).first;
    const int year = store::YearOf(first), month = store::MonthOf(first);
    const std::vector<std::string> lines = store::LoadLines(fs, store::MonthFilePath(data_folder, year, month));
    const int index = EntryIndex(entry);
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size() ||
        !EntryMatchesLine(entry, lines[static_cast<std::size_t>(index)])) {
      dialogs.Error(store::kStaleMessage, store::kStaleCaption);
      return DeleteResult::Stale;
    }
    switch (store::DaySchDel(fs, dialogs, data_folder, year, month, static_cast<std::size_t>(index),
                             lines[static_cast<std::size_t>(index)], del_msg)) {
      case store::DeleteStatus::Deleted: return DeleteResult::Deleted;
      case store::DeleteStatus::Cancelled: return DeleteResult::Cancelled;
      case store::DeleteStatus::Stale: return DeleteResult::Stale;
    }
    return DeleteResult::Stale;
  }
  if (kind >= '0' && kind <= '4') {
    store::HolidayEntryRef ref;
    ref.kind = kind - '0';
    ref.index = EntryIndex(entry);
    ref.shown_name = TrimmedText(store::EntryText(entry));
    ref.date = selected;
    const std::string path = store::HolidayFilePath(data_folder);
    if (ref.index == 9999) {
      dialogs.Error(store::kComputedDeleteRefusal, "エラー");
      return DeleteResult::Refused;
    }
    std::vector<std::string> lines;
    if (!store::LoadLinesIfExists(fs, path, lines) || !store::HolidayEntryStillThere(lines, ref)) {
      dialogs.Error(store::kHolidayGoneMessage, "エラー");
      return DeleteResult::Stale;
    }
    return store::HolidayDel(dialogs, fs, path, ref, del_msg) ? DeleteResult::Deleted : DeleteResult::Cancelled;
  }
  return DeleteResult::NotHandled;
}

}  // namespace kal::mainwindow
