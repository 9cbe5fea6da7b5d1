#include "mainwindow/Timeline.h"

#include <gtest/gtest.h>

#include "catalogues/Category.h"
#include "mainwindow/CellContents.h"
#include "model/MonthModel.h"
#include "store/Record.h"

namespace kal::mainwindow {
namespace {

const std::string kAllItems(31, '1');

// A single-day schedule line of day 15 with its start, end, category and title at their fixed
// positions (start 3, end 8, category 13, title 31, span 114 "00").
std::string ScheduleLine(const std::string& start, const std::string& end, const std::string& title,
                         const std::string& category = "") {
  std::string line = "15" + store::PadField(start, 5) + store::PadField(end, 5) + store::PadField(category, 14) +
                     "0000" + store::PadField(title, 40) + store::PadField("", 40) + "000" + "00";
  return line;
}

std::string Sch(const std::string& start, const std::string& end, const std::string& title = "x",
                const std::string& category = "") {
  static int index = 0;
  return store::MakeEntry("SC", '5', index++, ScheduleLine(start, end, title, category));
}

PlacementOptions Options(int first, int last, int def_time = 1) {
  PlacementOptions o;
  o.range = {first, last};
  o.def_time = def_time;
  o.flags = kAllItems;
  return o;
}

struct Rows {
  int start_row, start_offset, end_row, end_gap;
};

TEST(TimelineRows, RangeLabelsTimesAndShading) {
  const TimeRange range{8, 20};
  EXPECT_EQ(range.rows(), 26);
  EXPECT_EQ(AxisLabel(range, 0), "8:00");
  EXPECT_EQ(AxisLabel(range, 1), "");
  EXPECT_EQ(AxisLabel(range, 25 - 1), "20:00");
  EXPECT_EQ(RowTimeText(range, 3), "09:30");
  EXPECT_EQ(RowTimeTextPlus(range, 3, 2), "11:30");

  // Hours past midnight are labelled from 0 again, but keep their hour in times.
  const TimeRange late{20, 28};
  EXPECT_EQ(AxisLabel(late, 8), "0:00");
  EXPECT_EQ(AxisLabel(late, 16), "4:00");
  EXPECT_EQ(RowTimeText(late, 9), "24:30");

  TimelineSettings t;
  t.range = range;
  t.core_first = 9;
  t.core_last = 17;
  EXPECT_TRUE(RowShaded(t, 1));    // 8:30
  EXPECT_FALSE(RowShaded(t, 2));   // 9:00
  EXPECT_FALSE(RowShaded(t, 17));  // 16:30
  EXPECT_TRUE(RowShaded(t, 18));   // 17:00
}

TEST(TimelineRows, NewScheduleTimesFromARowOrARangeOfRows) {
  TimelineSettings t;
  t.range = {8, 20};
  t.def_time = 2;
  EXPECT_EQ(NewScheduleTimes(t, 13, std::nullopt), std::make_pair(std::string("14:30"), std::string("16:30")));
  // A range runs to the time after its last row, whichever end it was dragged from.
  EXPECT_EQ(NewScheduleTimes(t, 4, 6), std::make_pair(std::string("10:00"), std::string("11:30")));
  EXPECT_EQ(NewScheduleTimes(t, 6, 4), std::make_pair(std::string("10:00"), std::string("11:30")));
  EXPECT_EQ(NewScheduleTimes(t, 25, 25), std::make_pair(std::string("20:30"), std::string("21:00")));
}

TEST(TimelineRows, SettingsNeverGiveAnEmptyOrInvertedRange) {
  store::Settings s;
  s.view_mode(1).str_time = 10;
  s.view_mode(1).end_time = 5;  // stored below the start
  s.view_mode(1).cell_height = 0;
  s.view_mode(2).def_time = 0;
  const TimelineSettings t = TimelineSettingsOf(s, 1);
  EXPECT_EQ(t.range, (TimeRange{10, 10}));
  EXPECT_EQ(t.range.rows(), 2);
  EXPECT_EQ(t.cell_height, 1);
  EXPECT_EQ(t.def_time, 1);

  // Row heights end and stay positive for a one-pixel window and for a zero-hour range.
  TimelineSettings fit = t;
  fit.just_height = true;
  EXPECT_EQ(TimelineRowHeight(fit, 1), 1);
  EXPECT_EQ(TimelineRowHeight(fit, 0), 1);
  EXPECT_EQ(TimelineRowHeight(fit, 300), 150);
  EXPECT_EQ(TimelineRowHeight(t, 300), 1);
}

TEST(TimelinePlacement, RowsOffsetsAndGapsOfTimedSchedules) {
  struct Case {
    const char* start;
    const char* end;
    int first, last;
    Rows rows;
  } cases[] = {
      {"10:00", "11:00", 0, 23, {20, 0, 21, 0}},   // two whole rows
      {"10:15", "10:45", 0, 23, {20, 3, 21, 3}},   // offsets inside both rows
      {"10:45", "11:20", 0, 23, {21, 3, 22, 2}},   // start in the second half hour
      {"10:00", "10:35", 0, 23, {20, 0, 21, 5}},
      {"10:00", "10:04", 0, 23, {20, 0, 20, 0}},   // ends before the first step: one row
      {"07:00", "09:00", 8, 20, {0, 0, 1, 0}},     // starts before the range: clamped to row 0
      {"08:00", "08:30", 8, 20, {0, 0, 0, 0}},     // the first half hour of the range
      {"20:30", "21:00", 8, 20, {25, 0, 25, 0}},   // the last half hour of the range
      {"20:00", "23:00", 8, 20, {24, 0, 25, 0}},   // runs past the range: clamped to the last row
      {"23:00", "25:30", 20, 28, {6, 0, 10, 0}},   // crosses midnight into hours past 24
      {"24:10", "26:00", 20, 28, {8, 2, 11, 0}},   // written after midnight
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + "-" + c.end);
    const DayTimeline day = PlaceBlocks({Sch(c.start, c.end)}, Options(c.first, c.last));
    ASSERT_EQ(day.blocks.size(), 1u);
    ASSERT_TRUE(day.header.empty());
    const PlacedBlock& b = day.blocks[0];
    EXPECT_EQ(b.start_row, c.rows.start_row);
    EXPECT_EQ(b.start_offset, c.rows.start_offset);
    EXPECT_EQ(b.end_row, c.rows.end_row);
    EXPECT_EQ(b.end_gap, c.rows.end_gap);
    EXPECT_EQ(b.entry_index, 0);
  }
}

TEST(TimelinePlacement, MissingEndLastsTheDefaultDuration) {
  const DayTimeline one = PlaceBlocks({Sch("10:00", "")}, Options(0, 23, 1));
  ASSERT_EQ(one.blocks.size(), 1u);
  EXPECT_EQ(one.blocks[0].end_row, 21);  // 10:00-11:00
  const DayTimeline three = PlaceBlocks({Sch("10:15", "")}, Options(0, 23, 3));
  ASSERT_EQ(three.blocks.size(), 1u);
  EXPECT_EQ(three.blocks[0].end_row, 26);  // 10:15-13:15: the 13:00 row, 15 minutes short of its end
  EXPECT_EQ(three.blocks[0].end_gap, 3);
}

TEST(TimelinePlacement, EntriesThatGoToTheHeader) {
  const std::vector<std::string> entries = {
      store::MakeEntry("00", '0', 9999, "元日"),    // a holiday
      Sch("", "", "all day"),                       // no start time
      Sch("11:00", "10:00"),                        // ends before it starts
      Sch("21:00", "22:00"),                        // starts after EndTime 20
      Sch("06:00", "07:30"),                        // ends before StrTime 8
      Sch("07:00", "08:04"),                        // ends in the first five minutes of 8:00
      Sch("10:00", "1O:30"),                        // a damaged end time
      Sch("37:00", "38:00"),                        // hour above 36
      Sch("09:00", "10:00"),                        // the one timed entry
  };
  const DayTimeline day = PlaceBlocks(entries, Options(8, 20));
  ASSERT_EQ(day.blocks.size(), 1u);
  EXPECT_EQ(day.blocks[0].entry_index, 8);
  EXPECT_EQ(day.header, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(TimelinePlacement, MultiDaySchedulesStayInTheHeader) {
  std::string line = ScheduleLine("10:00", "11:00", "出張");
  line.replace(113, 2, "03");  // spans three days
  const DayTimeline day = PlaceBlocks({store::MakeEntry("00", '5', 0, line)}, Options(0, 23));
  EXPECT_TRUE(day.blocks.empty());
  EXPECT_EQ(day.header, (std::vector<int>{0}));
}

TEST(TimelinePlacement, HiddenItemsAndCategoriesTakeNoPlace) {
  std::string flags = kAllItems;
  flags[kItemHoliday] = '0';
  PlacementOptions o = Options(0, 23);
  o.flags = flags;
  const catalogues::CategoryTable table({"work          1 0000025500065535003", "home          0 "});
  o.categories = &table;
  o.category_mode = catalogues::kShowChecked;  // unticked categories hidden
  const std::vector<std::string> entries = {store::MakeEntry("00", '0', 9999, "holiday"),
                                            Sch("10:00", "11:00", "a", "WORK"), Sch("12:00", "13:00", "b", "home")};
  const DayTimeline day = PlaceBlocks(entries, o);
  EXPECT_TRUE(day.header.empty());
  ASSERT_EQ(day.blocks.size(), 1u);
  EXPECT_EQ(day.blocks[0].entry_index, 1);
  EXPECT_EQ(day.blocks[0].text_colour, 255);
  EXPECT_EQ(day.blocks[0].back_colour, 65535);
  EXPECT_EQ(day.blocks[0].icon, 3);
}

TEST(TimelineLanes, OverlappingBlocksNeverShareALane) {
  // A 10:00-10:30, B 10:00-12:00, D 10:30-11:00, C 10:30-11:30 in this listing order.
  const DayTimeline day =
      PlaceBlocks({Sch("10:00", "10:30"), Sch("10:00", "12:00"), Sch("10:30", "11:00"), Sch("10:30", "11:30")},
                  Options(0, 23));
  ASSERT_EQ(day.blocks.size(), 4u);
  EXPECT_EQ(day.blocks[0].lane, 0);  // A
  EXPECT_EQ(day.blocks[1].lane, 1);  // B
  EXPECT_EQ(day.blocks[2].lane, 0);  // D takes A's lane once A has ended
  EXPECT_EQ(day.blocks[3].lane, 2);  // C overlaps B and D
  for (const PlacedBlock& b : day.blocks) EXPECT_EQ(b.lane_count, 3);

  // No two blocks drawn over each other, whatever their widening.
  for (std::size_t a = 0; a < day.blocks.size(); ++a) {
    for (std::size_t b = a + 1; b < day.blocks.size(); ++b) {
      const BlockRect ra = BlockRectOf(day.blocks[a], 0, 91, 20);
      const BlockRect rb = BlockRectOf(day.blocks[b], 0, 91, 20);
      const bool meet = ra.left < rb.right && rb.left < ra.right && ra.top < rb.bottom && rb.top < ra.bottom;
      EXPECT_FALSE(meet) << a << " and " << b;
    }
  }
}

TEST(TimelineLanes, LanesAreReusedAndFreeLanesWidenABlock) {
  // 10:00-11:00 and 10:30-12:00 side by side; 11:00-11:30 reuses lane 0.
  const DayTimeline day = PlaceBlocks({Sch("10:00", "11:00"), Sch("10:30", "12:00"), Sch("11:00", "11:30"),
                                       Sch("14:00", "15:00")},
                                      Options(0, 23));
  ASSERT_EQ(day.blocks.size(), 4u);
  EXPECT_EQ(day.blocks[0].lane, 0);
  EXPECT_EQ(day.blocks[1].lane, 1);
  EXPECT_EQ(day.blocks[2].lane, 0);
  // The lone block later in the day has the whole column.
  EXPECT_EQ(day.blocks[3].lane, 0);
  EXPECT_EQ(day.blocks[3].lane_count, 1);
  EXPECT_EQ(BlockRectOf(day.blocks[3], 48, 101, 10), (BlockRect{49, 280, 148, 300}));
  // Rows list the blocks that touch them, in placement order.
  EXPECT_EQ(day.rows[21], (std::vector<int>{0, 1}));
  EXPECT_EQ(day.rows[22], (std::vector<int>{1, 2}));
  EXPECT_TRUE(day.rows[26].empty());

  // A block that no block to its right overlaps widens over the group's free lanes.
  const DayTimeline wide = PlaceBlocks({Sch("09:00", "12:00"), Sch("09:00", "10:00"), Sch("09:00", "10:00"),
                                        Sch("11:00", "12:00")},
                                       Options(0, 23));
  ASSERT_EQ(wide.blocks.size(), 4u);
  EXPECT_EQ(wide.blocks[1].lane, 1);
  EXPECT_EQ(wide.blocks[1].lane_span, 1);  // lane 2 is held beside it
  EXPECT_EQ(wide.blocks[3].lane, 1);
  EXPECT_EQ(wide.blocks[3].lane_count, 3);
  EXPECT_EQ(wide.blocks[3].lane_span, 2);
  EXPECT_EQ(BlockRectOf(wide.blocks[3], 0, 91, 10).right, 90);
}

TEST(TimelineLanes, ShortBlocksInOneRowAreDrawnApart) {
  // Each is drawn a whole row high, so they meet on screen and take two lanes although their
  // times do not overlap.
  const DayTimeline day = PlaceBlocks({Sch("10:20", "10:30"), Sch("10:35", "10:45")}, Options(0, 23));
  ASSERT_EQ(day.blocks.size(), 2u);
  EXPECT_EQ(day.blocks[0].lane, 0);
  EXPECT_EQ(day.blocks[1].lane, 1);
  // The first (ending on a row boundary) grows down from its start, the second (with an end gap)
  // up from its end.
  EXPECT_EQ(BlockRectOf(day.blocks[0], 0, 41, 12).top, 248);
  EXPECT_EQ(BlockRectOf(day.blocks[0], 0, 41, 12).bottom, 260);
  EXPECT_EQ(BlockRectOf(day.blocks[1], 0, 41, 12).top, 246);
  EXPECT_EQ(BlockRectOf(day.blocks[1], 0, 41, 12).bottom, 258);
}

TEST(TimelineGeometry, OffsetsAreSixthsOfTheRow) {
  const DayTimeline day = PlaceBlocks({Sch("10:25", "11:05")}, Options(10, 20));
  ASSERT_EQ(day.blocks.size(), 1u);
  // 25 minutes: 5 steps of 6 into the row; 11:05: one step into the 11:00 row.
  const BlockRect r = BlockRectOf(day.blocks[0], 0, 61, 18);
  EXPECT_EQ(r.top, 15);
  EXPECT_EQ(r.bottom, 2 * 18 + 3);
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.right, 60);
  // A column too narrow for its lanes still gives each block a pixel.
  const DayTimeline crowded = PlaceBlocks({Sch("10:00", "11:00"), Sch("10:00", "11:00"), Sch("10:00", "11:00")},
                                          Options(0, 23));
  const BlockRect thin = BlockRectOf(crowded.blocks[2], 0, 1, 10);
  EXPECT_GT(thin.right, thin.left);
}

TEST(TimelineNow, LineStandsInTodaysColumnOrAfterMidnightInYesterdays) {
  const Date d1 = store::MakeDate(2027, 3, 1), d2 = store::MakeDate(2027, 3, 2), d3 = store::MakeDate(2027, 3, 3);
  const std::vector<Date> shown = {d1, d2, d3};
  EXPECT_EQ(NowSpotOf({8, 20}, shown, d2, 9, 45), (NowSpot{1, 105}));
  EXPECT_EQ(NowSpotOf({8, 20}, shown, d2, 7, 59), std::nullopt);  // before the range
  EXPECT_EQ(NowSpotOf({8, 20}, shown, d2, 20, 59), (NowSpot{1, 779}));
  EXPECT_EQ(NowSpotOf({8, 20}, shown, store::MakeDate(2027, 3, 9), 10, 0), std::nullopt);
  // 1:30 on the 3rd with hours up to 28: the line is at 25:30 of the 2nd.
  EXPECT_EQ(NowSpotOf({20, 28}, shown, d3, 1, 30), (NowSpot{1, 330}));
  // Yesterday not shown: today's column when the hour is in the range.
  EXPECT_EQ(NowSpotOf({0, 28}, shown, d1, 1, 30), (NowSpot{0, 90}));
  EXPECT_EQ(NowLineY(NowSpot{1, 105}, 20), 70);
}

TEST(TimelineNow, ScrollRowPrefersNowThenTheFirstBlockThenCoreHours) {
  TimelineSettings t;
  t.range = {0, 23};
  t.core_first = 9;
  EXPECT_EQ(ScrollRow(t, NowSpot{0, 14 * 60 + 40}, {}), 28);
  std::vector<DayTimeline> days = {PlaceBlocks({Sch("13:30", "14:00")}, Options(0, 23)),
                                   PlaceBlocks({Sch("11:00", "12:00")}, Options(0, 23))};
  EXPECT_EQ(ScrollRow(t, std::nullopt, days), 22);
  EXPECT_EQ(ScrollRow(t, std::nullopt, {}), 18);
  t.range = {12, 20};
  EXPECT_EQ(ScrollRow(t, std::nullopt, {}), 0);
}

}  // namespace
}  // namespace kal::mainwindow
