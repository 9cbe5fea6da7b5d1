#include "mainwindow/TimelineDays.h"

#include <gtest/gtest.h>

#include "model/MonthModel.h"
#include "platform/Codec.h"
#include "store/Record.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;

// A single-day schedule line of day 15 (start 3, end 8, category 13, font 27, line 28, alarms 29
// and 30, title 31).
std::string Line(const std::string& start, const std::string& end, const std::string& title,
                 const std::string& codes = "0000") {
  return "15" + store::PadField(start, 5) + store::PadField(end, 5) + store::PadField("", 14) + codes +
         store::PadField(*platform::Utf8ToCp932(title), 40) + store::PadField("", 40) + "000" + "00";
}

class TimelineDaysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = store::DefaultSettings(store::SettingsDefaults{"/tmp/", "Sans", 9});
    settings.view_mode(2).item_view = std::string(31, '1');
    settings.view_mode(2).item_view[kItemStart] = '0';
    settings.view_mode(2).item_view[kItemEnd] = '0';
    ctx.settings = &settings;
    ctx.mode = 2;
    ctx.today = MakeDate(2027, 3, 15);
    ctx.now_minutes = 12 * 60;
    ctx.displayed_year = 2027;
    ctx.displayed_month = 3;
    timeline = TimelineSettingsOf(settings, 2);
  }
  CellDay Day(int day, std::vector<std::string> entries) {
    CellDay d;
    d.date = MakeDate(2027, 3, day);
    d.entries = std::move(entries);
    return d;
  }
  store::Settings settings;
  CellContext ctx;
  TimelineSettings timeline;
};

TEST_F(TimelineDaysTest, TimedSchedulesBecomeBlocksAndTheRestStaysInTheHeader) {
  const std::vector<std::string> entries = {store::MakeEntry("CC", '0', 9999, *platform::Utf8ToCp932("休み")),
                                            store::MakeEntry("SC", '5', 0, Line("", "", "終日")),
                                            store::MakeEntry("SC", '5', 1, Line("10:00", "11:00", "会議", "1100"))};
  const auto columns = BuildTimelineColumns({Day(15, entries)}, ctx, timeline);
  ASSERT_EQ(columns.size(), 1u);
  const TimelineColumn& col = columns[0];
  ASSERT_EQ(col.placed.blocks.size(), 1u);
  ASSERT_EQ(col.looks.size(), 1u);
  EXPECT_EQ(col.looks[0].text, "会議");
  EXPECT_EQ(col.looks[0].back_colour, 0xFFFFFF);
  EXPECT_EQ(col.looks[0].text_colour, 0);
  EXPECT_EQ(col.looks[0].style, 1 | 4);  // bold, underlined
  ASSERT_EQ(col.header.lines.size(), 2u);
  EXPECT_EQ(col.header.lines[0].text, "休み");
  EXPECT_EQ(col.header.lines[1].text, "終日");
  EXPECT_EQ(col.header.date_text, "");
}

TEST_F(TimelineDaysTest, AlarmIconOnlyWhileTheAlarmIsPending) {
  const std::string later = store::MakeEntry("SC", '5', 0, Line("13:00", "14:00", "later", "0010"));
  const std::string passed = store::MakeEntry("SC", '5', 1, Line("09:00", "10:00", "passed", "0010"));
  const auto today = BuildTimelineColumns({Day(15, {later, passed})}, ctx, timeline);
  ASSERT_EQ(today[0].looks.size(), 2u);
  EXPECT_EQ(today[0].looks[0].icon, (IconRef{IconRef::Source::SmallImage, 16}));
  EXPECT_EQ(today[0].looks[1].icon, IconRef{});
  const auto tomorrow = BuildTimelineColumns({Day(16, {passed})}, ctx, timeline);
  EXPECT_EQ(tomorrow[0].looks[0].icon, (IconRef{IconRef::Source::SmallImage, 16}));
  // With every part of the text off, a block still shows "■".
  settings.view_mode(2).item_view = "1000000001111111111111111111100";
  const auto bare = BuildTimelineColumns({Day(16, {passed})}, ctx, timeline);
  EXPECT_EQ(bare[0].looks[0].text, "■");
}

TEST(TimelineDayCaption, FirstColumnAndFirstOfMonthShowTheMonth) {
  EXPECT_EQ(TimelineDayCaption(MakeDate(2027, 3, 15), true, true), "3/15 月");
  EXPECT_EQ(TimelineDayCaption(MakeDate(2027, 3, 16), false, true), "16 火");
  EXPECT_EQ(TimelineDayCaption(MakeDate(2027, 3, 7), false, false), " 7 SUN");
  EXPECT_EQ(TimelineDayCaption(MakeDate(2027, 4, 1), false, true), "4/1 木");
}

}  // namespace
}  // namespace kal::mainwindow
