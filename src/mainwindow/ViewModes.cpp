#include "mainwindow/ViewModes.h"

#include <algorithm>

namespace kal::mainwindow {

namespace {

const std::array<ViewModeInfo, store::kViewModeCount>& Table() {
  static const std::array<ViewModeInfo, store::kViewModeCount> table = {{
      {1, "Daily", "MenDaily", "複数日", "複数日バーチカル", "表示日数(&I)", 1, 7, "PopDay", false, true},
      {2, "Vertical", "MenVertical", "週間", "週間バーチカル", "", 0, 0, "", false, true},
      {3, "Weekly", "MenWeekly", "複数週", "複数週間", "表示週数(&I)", 1, 6, "PopWek", true, true},
      {4, "Monthly", "MenMonthly", "月間", "月間", "表示週数(&I)", 5, 6, "PopWek", true, true},
      {5, "Yearly", "MenYearly", "年間(横)", "年間横表示", "", 0, 0, "", false, false},
      {6, "Monthly2", "MenMonthly2", "複数月", "複数月", "表示月数(&I)", 1, 12, "PopMon", true, false},
      {7, "Monthly3", "MenMonthly3", "年同月", "複数年同月", "表示年数(&I)", 1, 12, "PopYer", true, false},
      {8, "Yearly2", "MenYearly2", "年間(縦)", "年間縦表示", "", 0, 0, "", false, false},
  }};
  return table;
}

}  // namespace

int ClampMode(int mode) { return mode >= 1 && mode <= store::kViewModeCount ? mode : kModeMonthly; }

const ViewModeInfo& ViewModeOf(int mode) { return Table()[static_cast<std::size_t>(ClampMode(mode) - 1)]; }

int ModeCount(const store::Settings& settings, int mode) {
  const store::ViewModeSettings& v = settings.view_mode(ClampMode(mode));
  switch (ClampMode(mode)) {
    case kModeDaily: return std::clamp(v.day_no, 1, 7);
    case kModeWeekly: return std::clamp(v.week_no, 1, 6);
    case kModeMonthly: return std::clamp(v.month_no, 5, 6);
    case kModeMonthly2: return std::clamp(v.mon_no, 1, 12);
    case kModeMonthly3: return std::clamp(v.year_no, 1, 12);
    default: return 0;
  }
}

void SetModeCount(store::Settings& settings, int mode, int count) {
  const ViewModeInfo& info = ViewModeOf(mode);
  if (info.count_max == 0) return;
  count = std::clamp(count, info.count_min, info.count_max);
  store::ViewModeSettings& v = settings.view_mode(info.mode);
  switch (info.mode) {
    case kModeDaily: v.day_no = count; break;
    case kModeWeekly: v.week_no = count; break;
    case kModeMonthly: v.month_no = count; break;
    case kModeMonthly2: v.mon_no = count; break;
    case kModeMonthly3: v.year_no = count; break;
    default: break;
  }
}

std::array<std::string, 3> PeriodHints(int mode, int day_count) {
  switch (ClampMode(mode)) {
    case kModeDaily: {
      const std::string n = std::to_string(day_count);
      return {"前の" + n + "日", "今日", "次の" + n + "日"};
    }
    case kModeVertical:
    case kModeWeekly: return {"前週", "今週", "次週"};
    case kModeYearly:
    case kModeYearly2: return {"前年", "今年", "次年"};
    default: return {"前月", "今月", "次月"};
  }
}

const std::vector<std::string>& ModeFontItems(const store::Settings& settings, int mode) {
  switch (ClampMode(mode)) {
    case kModeDaily: return settings.font.daily;
    case kModeVertical: return settings.font.vertical;
    case kModeWeekly: return settings.font.weekly;
    case kModeMonthly: return settings.font.monthly;
    default: return settings.font.yearly;
  }
}

int WeekPosition(int weekday_number, int str_week) {
  const int sunday_based = ((weekday_number - 1) % 7 + 7) % 7;  // Sunday 0 .. Saturday 6
  return str_week == 0 ? sunday_based : (sunday_based + 6) % 7;
}

int WeekdayAtPosition(int position, int str_week) {
  position = ((position % 7) + 7) % 7;
  return str_week == 0 ? position + 1 : (position + 1) % 7 + 1;
}

int ColumnPosition(int column, bool sat_sun_no, int str_week) {
  if (!sat_sun_no) return column;
  return str_week == 0 ? column + 1 : column;
}

int MonthWeekRows(int year, int month, int str_week, int month_count) {
  if (month_count >= 6) return 6;
  const int lead = WeekPosition(store::WeekdayNumber(store::MakeDate(year, month, 1)), str_week);
  return lead + store::DaysInMonth(year, month) > 35 ? 6 : 5;
}

GridShape ShapeFor(int mode, const store::Settings& settings, int year, int month, bool day_item_on) {
  mode = ClampMode(mode);
  const store::ViewModeSettings& v = settings.view_mode(mode);
  GridShape shape;
  shape.fixed_rows = 1;
  const int label_header = day_item_on ? 0 : kHeaderHeight;
  switch (mode) {
    case kModeDaily:
    case kModeVertical: {
      shape.timeline = true;
      shape.day_columns = mode == kModeDaily ? ModeCount(settings, mode) : (v.sat_sun_no ? 5 : 7);
      shape.fixed_columns = 1;
      shape.fixed_width = 40;
      shape.rows = 2;
      shape.columns = 1 + shape.day_columns;
      shape.header_height = kHeaderHeight;
      break;
    }
    case kModeWeekly:
    case kModeMonthly: {
      const bool week_number = settings.view_mode(kModeMonthly).week_of_year;
      shape.fixed_columns = week_number ? 1 : 0;
      shape.fixed_width = week_number ? kWeekNumberWidth : 0;
      shape.day_columns = v.sat_sun_no ? 5 : 7;
      shape.columns = shape.fixed_columns + shape.day_columns;
      const int weeks = mode == kModeMonthly ? MonthWeekRows(year, month, settings.view.str_week, ModeCount(settings, mode))
                                             : ModeCount(settings, mode);
      shape.rows = weeks + 1;
      shape.header_height = kHeaderHeight;
      break;
    }
    case kModeYearly:
      shape = GridShape{13, 32, 1, 1, label_header, 28, false, 31};
      break;
    case kModeMonthly2:
      shape = GridShape{ModeCount(settings, mode) + 1, 32, 1, 1, label_header, 28, false, 31};
      break;
    case kModeMonthly3: {
      const int days = month == 2 ? 29 : store::DaysInMonth(year, month);
      shape = GridShape{ModeCount(settings, mode) + 1, days + 1, 1, 1, label_header, 48, false, days};
      break;
    }
    case kModeYearly2:
      shape = GridShape{32, 13, 1, 1, label_header, day_item_on ? 0 : 24, false, 12};
      break;
    default: break;
  }
  return shape;
}

DateTable BuildDateTable(int mode, int year, int month, int selected_day, int rows, int str_week, bool mini,
                         int day_count) {
  DateTable table;
  table.mode = ClampMode(mode);
  table.str_week = str_week == 0 ? 0 : 1;
  const int last = store::DaysInMonth(year, month);
  const int day = (table.mode == kModeMonthly || mini) ? 1 : std::clamp(selected_day, 1, last);
  table.anchor = store::MakeDate(year, month, day);
  if (table.mode == kModeDaily && !mini) {
    const int n = std::clamp(day_count, 1, 7);
    std::vector<Date> row;
    for (int i = 0; i < n; ++i) row.push_back(store::AddDays(table.anchor, i));
    table.rows.push_back(std::move(row));
    return table;
  }
  rows = std::max(rows, 1);
  const int lead = WeekPosition(store::WeekdayNumber(table.anchor), table.str_week);
  Date cursor = store::AddDays(table.anchor, -lead);
  for (int r = 0; r < rows; ++r) {
    std::vector<Date> row;
    for (int p = 0; p < 7; ++p) {
      row.push_back(cursor);
      cursor = store::AddDays(cursor, 1);
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace kal::mainwindow
