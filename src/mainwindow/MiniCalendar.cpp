#include "mainwindow/MiniCalendar.h"

#include <algorithm>

#include "calendar/Rokuyo.h"
#include "mainwindow/Layout.h"
#include "mainwindow/SideCalendars.h"
#include "mainwindow/ViewModes.h"
#include "model/MonthModel.h"
#include "store/DatePattern.h"
#include "store/DayFile.h"

namespace kal::mainwindow {

MiniShape MiniGridShape(const store::Settings& settings, int year, int month) {
  MiniShape shape;
  shape.week_rows = MonthWeekRows(year, month, settings.view.str_week == 0 ? 0 : 1, ModeCount(settings, kModeMonthly));
  if (settings.mini.week_of_year) {
    shape.fixed_columns = 1;
    shape.fixed_width = kMiniWeekColumn;
  }
  return shape;
}

std::vector<int> MiniRowHeights(int height, int header_height, int week_rows) {
  std::vector<int> heights{std::max(header_height, 0)};
  if (week_rows <= 0) return heights;
  const int room = std::max(height - heights[0], 0);
  std::vector<int> body(static_cast<std::size_t>(week_rows), std::max(room / week_rows, kMinimumCellSize));
  int sum = 0;
  for (const int h : body) sum += h;
  if (sum < room) ++body.back();
  FitSizes(body, room, kMinimumCellSize);
  heights.insert(heights.end(), body.begin(), body.end());
  return heights;
}

int MiniDayPixels(int row_height, int column_width) { return std::max(std::min(row_height, column_width) - 1, 6); }

CellContents MiniCell(const CellDay& day, const CellContext& context, int day_pixels) {
  CellContext ctx = context;
  ctx.mode = kModeMonthly;
  ctx.mini = true;
  CellContents cell = BuildCell(day, ctx);
  const store::Settings& s = *ctx.settings;
  // Only the day number: no item lines, rokuyo, weather, holiday box or memo corner.
  cell.lines.clear();
  cell.rokuyo.clear();
  cell.weather = WeatherMarks{};
  cell.weather_shown = false;
  cell.weather_tip.clear();
  cell.holiday_box.clear();
  cell.memo_icon = false;
  cell.date_font = ParseViewFont(s.font.mini, cell.font.name);
  if (s.mini.font_size_auto) {
    cell.date_pixels = std::max(day_pixels, 6);
  } else {
    cell.date_size = cell.date_font.size;
  }
  cell.underline = !cell.blank && s.mini.sch_line && SideDayUnderlined(day.entries);
  return cell;
}

Hint SmallTips(const CellDay& day, const store::Settings& s, const Date& today,
               const std::vector<std::string>& memo_lines, const std::vector<std::string>& alarm_texts) {
  Hint hint;
  if (!day.date) return hint;
  const Date date = *day.date;
  const store::ColorSettings& c = s.color;
  std::string text = " " + store::FormatDatePattern("yyyy年m月d日 (aaa)", date) + " ";
  if (ItemOn(s.view_mode(kModeMonthly).item_view, kItemRokuyo)) text += calendar::RokuyoName(day.rokuyo) + " ";
  text += store::WeatherTip(day.day_line);
  // Names come whatever the display items say.
  const std::string every(kDisplayItemCount, '1');
  for (const std::string& raw : day.entries) {
    const DayEntry entry = SplitDayEntry(raw);
    if (entry.kind >= '0' && entry.kind <= '4') {
      text += "\r " + ItemText(entry, every, alarm_texts, s.view.memo_mark);
    } else if (entry.kind == '6') {
      const std::string name = ItemText(entry, every, alarm_texts, s.view.memo_mark);
      if (name.size() >= 6 && name.compare(3, 3, "分") == 0) continue;  // 春分 and 秋分
      text += "\r " + name;
    } else if (entry.kind == '5' || entry.kind == '8') {
      text += "\r " + GrdSchEdit(entry, TextPurpose::Full, every, alarm_texts, s.view.memo_mark) + " ";
    }
  }
  if (day.memo) {
    text += "\r < " + store::FormatDatePattern("yyyy/m/d", date) + "のメモ >";
    for (const std::string& line : memo_lines) text += "\r " + line + " ";
  }
  hint.text = std::move(text);
  switch (day.kind) {
    case store::kDayPublicHoliday: hint.colour = c.syu.back; break;
    case store::kDayPrivateHoliday: hint.colour = c.kyu.back; break;
    case store::kDaySaturday: hint.colour = c.sat.back; break;
    case store::kDaySunday: hint.colour = c.sun.back; break;
    default: hint.colour = c.day.back; break;
  }
  if (c.today && date == today) hint.colour = c.tod.back;
  return hint;
}

}  // namespace kal::mainwindow
