#include "mainwindow/MiniCalendar.h"

#include <gtest/gtest.h>

#include "mainwindow/ViewModes.h"
#include "platform/Codec.h"
#include "store/DayFile.h"
#include "store/ScheduleFile.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;

std::string Sjis(const std::string& utf8) { return *platform::Utf8ToCp932(utf8); }

store::Settings Defaults() { return store::DefaultSettings(store::SettingsDefaults{"/p/", "IPAexGothic", 9}); }

std::string ScheduleEntry(const std::string& title, const std::string& start = "", const std::string& end = "") {
  store::ScheduleFields f;
  f.day = 13;
  f.title = title;
  f.start = start;
  f.end = end;
  const store::BuildResult built = store::BuildScheduleLine(f);
  EXPECT_TRUE(built.ok) << built.message;
  return "SC50001" + built.line;
}

std::string NamedEntry(char kind, const std::string& name) { return "CC" + std::string(1, kind) + "9999" + Sjis(name); }

// A ToDo mark of state 4 (進行中), priority B, progress 30%.
std::string TodoEntry(const std::string& title) {
  std::string record = "2026/12/13" + std::string(10, ' ') + "1" + "03" + "0" + "2026/12/13" + std::string(14, ' ') +
                       "0000" + "    " + Sjis(title);
  return "T48" + std::string("0003") + record;
}

class MiniCalendarTest : public ::testing::Test {
 protected:
  MiniCalendarTest() : settings(Defaults()) {
    ctx.settings = &settings;
    ctx.mode = kModeDaily;  // whatever the window's mode, the mini calendar is a month
    ctx.today = MakeDate(2026, 12, 10);
    ctx.displayed_year = 2026;
    ctx.displayed_month = 12;
    settings.font.mini = {"Mini Gothic", "11", "0"};
  }
  CellDay Day(int year, int month, int day, int kind, std::vector<std::string> entries = {}) {
    CellDay d;
    d.date = MakeDate(year, month, day);
    d.kind = kind;
    d.entries = std::move(entries);
    return d;
  }
  store::Settings settings;
  CellContext ctx;
};

TEST_F(MiniCalendarTest, CellShowsTheDayNumberAloneInTheMiniFont) {
  for (auto& v : settings.views) v.item_view = std::string(31, '1');
  CellDay day = Day(2026, 12, 5, 6, {NamedEntry('0', "祝日名"), ScheduleEntry("会議", "10:00")});
  day.memo = true;
  day.rokuyo = 3;
  day.day_line = *store::BuildWeatherLine("", store::WeatherInput{1, 0, 0, "25", "", ""});
  const CellContents cell = MiniCell(day, ctx, 20);
  EXPECT_EQ(cell.date_text, " 5");
  EXPECT_TRUE(cell.lines.empty());
  EXPECT_TRUE(cell.rokuyo.empty());
  EXPECT_FALSE(cell.weather_shown);
  EXPECT_TRUE(cell.holiday_box.empty());
  EXPECT_FALSE(cell.memo_icon);
  EXPECT_EQ(cell.date_font.name, "Mini Gothic");
  EXPECT_EQ(cell.date_size, 11);
  EXPECT_EQ(cell.date_pixels, 0);
  EXPECT_EQ(cell.text_colour, settings.color.sat.text);
  EXPECT_EQ(cell.back_colour, settings.color.sat.back);

  // FontSizeAuto: the day number takes the height it is given.
  settings.mini.font_size_auto = true;
  const CellContents automatic = MiniCell(day, ctx, 20);
  EXPECT_EQ(automatic.date_pixels, 20);
  EXPECT_EQ(automatic.date_size, 0);
}

TEST_F(MiniCalendarTest, SchLineUnderlinesDaysWithSchedulesOrTodo) {
  struct Case {
    const char* what;
    bool sch_line;
    std::vector<std::string> entries;
    bool underlined;
  };
  const Case cases[] = {
      {"a schedule", true, {ScheduleEntry("会議")}, true},
      {"a ToDo item", true, {TodoEntry("書類")}, true},
      {"only a holiday and a solar term", true, {NamedEntry('0', "天皇誕生日"), NamedEntry('6', "冬至とうじ")}, false},
      {"SchLine off", false, {ScheduleEntry("会議")}, false},
  };
  for (const Case& c : cases) {
    settings.mini.sch_line = c.sch_line;
    EXPECT_EQ(MiniCell(Day(2026, 12, 13, 7, c.entries), ctx, 0).underline, c.underlined) << c.what;
  }
}

TEST_F(MiniCalendarTest, OtherMonthTodayAndDayMarkColours) {
  settings.color.month_before_next = true;
  const CellContents other = MiniCell(Day(2026, 11, 30, 8), ctx, 0);
  EXPECT_EQ(other.text_colour, settings.color.zen.text);
  EXPECT_EQ(other.back_colour, settings.color.zen.back);
  settings.color.month_before_next = false;
  EXPECT_EQ(MiniCell(Day(2026, 11, 30, 8), ctx, 0).back_colour, settings.color.day.back);

  settings.color.today = true;
  const CellContents today = MiniCell(Day(2026, 12, 10, 8), ctx, 0);
  EXPECT_TRUE(today.today);
  EXPECT_EQ(today.text_colour, settings.color.tod.text);
  EXPECT_EQ(today.back_colour, settings.color.tod.back);

  CellDay marked = Day(2026, 12, 14, 8);
  marked.day_line = store::RebuildDayLine("", 'M', "$0000FF");
  const CellContents mark = MiniCell(marked, ctx, 0);
  EXPECT_EQ(mark.day_mark, 'M');
  EXPECT_EQ(mark.day_mark_colour, 0x0000FF);
}

TEST_F(MiniCalendarTest, GridShapeAndDayPixels) {
  settings.view.str_week = 0;  // Sunday first
  settings.view_mode(kModeMonthly).month_no = 5;
  EXPECT_EQ(MiniGridShape(settings, 2026, 12), (MiniShape{5, 0, 0, kMiniHeaderHeight}));
  // May 2026 starts on a Friday: 5 + 31 days need a sixth week.
  EXPECT_EQ(MiniGridShape(settings, 2026, 5).week_rows, 6);
  settings.view_mode(kModeMonthly).month_no = 6;
  EXPECT_EQ(MiniGridShape(settings, 2026, 12).week_rows, 6);
  settings.mini.week_of_year = true;
  const MiniShape with_weeks = MiniGridShape(settings, 2026, 12);
  EXPECT_EQ(with_weeks.fixed_columns, 1);
  EXPECT_EQ(with_weeks.fixed_width, 16);

  // 156 - 18 (navigation) - 14 (header) = 124 for five weeks: 24 each, the last 25.
  EXPECT_EQ(MiniRowHeights(124 + 14, 14, 5), (std::vector<int>{14, 24, 24, 24, 24, 25}));
  EXPECT_EQ(MiniRowHeights(14 + 120, 14, 5), (std::vector<int>{14, 24, 24, 24, 24, 24}));
  // Too little room: every row at the 7-pixel minimum.
  EXPECT_EQ(MiniRowHeights(30, 14, 5), (std::vector<int>{14, 7, 7, 7, 7, 7}));

  struct Case {
    int row, column, pixels;
  };
  for (const Case c : {Case{20, 25, 19}, Case{30, 22, 21}, Case{3, 40, 6}}) {
    EXPECT_EQ(MiniDayPixels(c.row, c.column), c.pixels) << c.row << " x " << c.column;
  }
}

TEST_F(MiniCalendarTest, SmallTipsOfADay) {
  settings.view_mode(kModeMonthly).item_view = "1110000001111111111111110001100";  // 六曜 on
  CellDay day = Day(2026, 12, 13, 7,
                    {NamedEntry('2', "結婚記念日"), NamedEntry('6', "大雪たいせつ"), NamedEntry('6', "秋分しゅうぶん"),
                     ScheduleEntry("会議", "10:00", "11:30"), TodoEntry("書類")});
  day.rokuyo = 5;
  day.memo = true;
  day.day_line = *store::BuildWeatherLine("", store::WeatherInput{3, 0, 0, "", "", ""});
  const Hint hint = SmallTips(day, settings, MakeDate(2026, 12, 10), {"買い物", "電話"});
  EXPECT_EQ(hint.text,
            " 2026年12月13日 (日) 大安  雨 "
            "\r 結婚記念日"
            "\r 大雪"
            "\r 10:00-11:30 会議 "
            "\r 【ToDo進行中】書類(B)[30%] "
            "\r < 2026/12/13のメモ >"
            "\r 買い物 "
            "\r 電話 ");
  EXPECT_EQ(hint.colour, settings.color.sun.back);

  // Without 六曜 and without entries: the date alone.
  settings.view_mode(kModeMonthly).item_view[kItemRokuyo] = '0';
  EXPECT_EQ(SmallTips(Day(2026, 12, 14, 8), settings, MakeDate(2026, 12, 10), {}).text, " 2026年12月14日 (月) ");
}

TEST_F(MiniCalendarTest, SmallTipsColourByDayKind) {
  settings.color.today = true;
  struct Case {
    int kind;
    int day;
    int colour;
  };
  const store::ColorSettings& c = settings.color;
  for (const Case k : {Case{0, 23, c.syu.back}, Case{1, 24, c.kyu.back}, Case{6, 12, c.sat.back}, Case{7, 13, c.sun.back},
                       Case{8, 14, c.day.back}, Case{8, 10, c.tod.back}}) {
    EXPECT_EQ(SmallTips(Day(2026, 12, k.day, k.kind), settings, MakeDate(2026, 12, 10), {}).colour, k.colour)
        << "kind " << k.kind << " day " << k.day;
  }
  settings.color.today = false;
  EXPECT_EQ(SmallTips(Day(2026, 12, 10, 8), settings, MakeDate(2026, 12, 10), {}).colour, c.day.back);
}

}  // namespace
}  // namespace kal::mainwindow
