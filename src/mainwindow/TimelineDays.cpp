#include "mainwindow/TimelineDays.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "store/Record.h"

namespace kal::mainwindow {
namespace {

constexpr std::size_t kSchStart = 3, kSchFont = 27, kSchLine = 28, kSchAlarm1 = 29, kSchAlarm2 = 30;
constexpr int kWhite = 0xFFFFFF;
constexpr int kAlarmImage = 16;

int Digit(const std::string& text) { return text.size() == 1 && text[0] >= '0' && text[0] <= '9' ? text[0] - '0' : 0; }

std::string Joined(const DayEntry& e) { return e.key + std::string(1, e.kind) + e.index + e.payload; }

BlockLook LookOf(const PlacedBlock& block, const DayEntry& entry, const Date& date, const CellContext& ctx) {
  const std::string& flags = ctx.settings->view_mode(ctx.mode).item_view;
  BlockLook look;
  look.entry = entry;
  look.text = ItemText(entry, flags, ctx.alarm_texts, ctx.settings->view.memo_mark);
  look.text_colour = block.text_colour.value_or(0);
  look.back_colour = block.back_colour.value_or(kWhite);
  look.style = (Digit(store::FieldBytes(entry.payload, kSchFont, 1)) & 3) |
               ((Digit(store::FieldBytes(entry.payload, kSchLine, 1)) & 3) << 2);
  if (ItemOn(flags, kItemCategoryIcon) && block.icon > 0) look.icon = {IconRef::Source::Category, block.icon};
  const bool alarm = Digit(store::FieldBytes(entry.payload, kSchAlarm1, 1)) > 0 ||
                     Digit(store::FieldBytes(entry.payload, kSchAlarm2, 1)) > 0;
  if (ItemOn(flags, kItemAlarmIcon) && alarm) {
    const int day = store::DayNumber(date), today = store::DayNumber(ctx.today);
    const std::string start = store::FieldBytes(entry.payload, kSchStart, 5);
    int minutes = -1;
    if (start.size() == 5 && start[2] == ':') minutes = std::atoi(start.substr(0, 2).c_str()) * 60 + std::atoi(start.substr(3).c_str());
    if (day > today || (day == today && minutes > ctx.now_minutes)) look.icon = {IconRef::Source::SmallImage, kAlarmImage};
  }
  if (look.text.empty() && look.icon.source != IconRef::Source::Category) look.text = "■";
  return look;
}

}  // namespace

std::vector<TimelineColumn> BuildTimelineColumns(const std::vector<CellDay>& days, const CellContext& context,
                                                 const TimelineSettings& settings) {
  std::vector<TimelineColumn> columns;
  const store::Settings& s = *context.settings;
  PlacementOptions options;
  options.range = settings.range;
  options.def_time = settings.def_time;
  options.flags = s.view_mode(context.mode).item_view;
  options.categories = context.categories;
  options.category_mode = s.view.catchk;
  for (const CellDay& day : days) {
    TimelineColumn column;
    column.date = day.date.value_or(Date{});
    column.kind = day.kind;
    column.placed = PlaceBlocks(day.entries, options);
    CellContents cell = BuildCell(day, context);
    column.back_colour = cell.back_colour;
    std::set<std::string> timed;
    for (const PlacedBlock& block : column.placed.blocks) {
      const DayEntry entry = SplitDayEntry(day.entries[static_cast<std::size_t>(block.entry_index)]);
      timed.insert(Joined(entry));
      column.looks.push_back(LookOf(block, entry, column.date, context));
    }
    std::vector<CellLine> untimed;
    for (CellLine& line : cell.lines)
      if (!timed.count(Joined(line.entry))) untimed.push_back(std::move(line));
    cell.lines = std::move(untimed);
    cell.date_text.clear();  // the caption row carries the date
    cell.rokuyo.clear();
    column.header = std::move(cell);
    columns.push_back(std::move(column));
  }
  return columns;
}

std::string TimelineDayCaption(const Date& date, bool first_column, bool japanese) {
  static const std::array<const char*, 7> jp = {"日", "月", "火", "水", "木", "金", "土"};
  static const std::array<const char*, 7> en = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
  char buffer[16];
  if (first_column || store::DayOf(date) == 1) {
    std::snprintf(buffer, sizeof buffer, "%d/%d", store::MonthOf(date), store::DayOf(date));
  } else {
    std::snprintf(buffer, sizeof buffer, "%2d", store::DayOf(date));
  }
  const auto w = static_cast<std::size_t>(store::WeekdayNumber(date) - 1);
  return std::string(buffer) + " " + (japanese ? jp[w] : en[w]);
}

}  // namespace kal::mainwindow
