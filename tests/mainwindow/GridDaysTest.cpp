#include "mainwindow/GridDays.h"

#include <gtest/gtest.h>

#include "app/DemoFolder.h"
#include "store/DayFile.h"
#include "mainwindow/ViewModes.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

// The demonstration folder through the month model into cell contents: the path the window takes.
class GridDaysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::BuildDemoFolder(fs, dir.path(), store::MakeDate(2027, 1, 15));
    settings = store::DefaultSettings(store::SettingsDefaults{dir.path(), "IPAexGothic", 9});
    const Date day = store::MakeDate(2027, 1, 15);
    EXPECT_TRUE(model.Reload(fs, settings, kModeMonthly, day, day, dir.path(), dir.path()).empty());
    ctx.settings = &settings;
    ctx.mode = kModeMonthly;
    ctx.today = store::MakeDate(2027, 1, 15);
    ctx.displayed_year = 2027;
    ctx.displayed_month = 1;
  }
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  store::Settings settings;
  GridModel model;
  CellContext ctx;
};

TEST_F(GridDaysTest, HolidaysBarsMemosAndWeatherReachTheCells) {
  // 成人の日: the second Monday of January 2027.
  const CellDay holiday = model.Day(store::MakeDate(2027, 1, 11));
  EXPECT_EQ(holiday.kind, 0);
  const CellContents holiday_cell = BuildCell(holiday, ctx);
  EXPECT_EQ(holiday_cell.holiday_box, "成人の日");
  EXPECT_EQ(holiday_cell.back_colour, settings.color.syu.back);

  // The three-day bar from the 7th, on its second day.
  const CellContents bar_cell = BuildCell(model.Day(store::MakeDate(2027, 1, 8)), ctx);
  bool found = false;
  for (const CellLine& line : bar_cell.lines) {
    if (line.bar && line.text == "大阪出張") {
      found = true;
      EXPECT_EQ(line.position, 2);
      EXPECT_EQ(line.span, 3);
    }
  }
  EXPECT_TRUE(found);

  // A memo file and the weather of the day file.
  const CellDay memo_day = model.Day(store::MakeDate(2027, 1, 2));
  EXPECT_TRUE(memo_day.memo);
  EXPECT_EQ(store::ReadDayLine(memo_day.day_line).weather1, 1);
  EXPECT_TRUE(BuildCell(memo_day, ctx).memo_icon);

  // The detail of the schedule on the 2nd gives the tooltip's memo lines.
  std::vector<std::string> memo;
  for (const std::string& raw : memo_day.entries) {
    const DayEntry entry = SplitDayEntry(raw);
    if (entry.kind == '5') memo = EntryMemo(fs, dir.path(), entry, store::MakeDate(2027, 1, 2));
  }
  EXPECT_EQ(memo, (std::vector<std::string>{"議題: 来期の販売計画", "資料を10部印刷"}));
}

TEST_F(GridDaysTest, AMonthTheModelDoesNotHoldGivesTheWeekdayKind) {
  const CellDay day = model.Day(store::MakeDate(2027, 6, 5));  // a Saturday
  EXPECT_EQ(day.kind, 6);
  EXPECT_TRUE(day.entries.empty());
}

}  // namespace
}  // namespace kal::mainwindow

namespace kal::mainwindow {
namespace {

TEST(RowWeekNumber, FollowsTheModelRule) {
  // Monday start with WeekOf: 27 Dec 2021 .. 2 Jan 2022 is week 1, the next row week 2.
  EXPECT_EQ(RowWeekNumber(store::MakeDate(2021, 12, 27), store::MakeDate(2022, 1, 2), true, 1), 1);
  EXPECT_EQ(RowWeekNumber(store::MakeDate(2022, 1, 3), store::MakeDate(2022, 1, 9), true, 1), 2);
  EXPECT_EQ(RowWeekNumber(store::MakeDate(2021, 12, 27), store::MakeDate(2022, 1, 2), false, 1), 52);
}

}  // namespace
}  // namespace kal::mainwindow
