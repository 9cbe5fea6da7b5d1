#include "model/MonthModel.h"

#include <gtest/gtest.h>

#include <functional>

#include "store/HolidayFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

std::string Single(int day, const std::string& title, const std::string& start = "", int alarm1 = 0, int alarm2 = 0) {
  ScheduleFields f;
  f.day = day;
  f.start = start;
  f.title = title;
  f.alarm1 = alarm1;
  f.alarm2 = alarm2;
  BuildResult r = BuildScheduleLine(f);
  EXPECT_TRUE(r.ok);
  return r.line;
}

std::string Bar(int day, int span, const std::string& title, const std::string& link = "") {
  ScheduleFields f;
  f.day = day;
  f.span = span;
  f.title = title;
  f.bar_style = 3;
  f.link = link;
  BuildResult r = BuildScheduleLine(f);
  EXPECT_TRUE(r.ok);
  return r.line;
}

// A data folder with month files and, unless told otherwise, the built-in Holiday.dat.
class ModelFixture : public ::testing::Test {
 protected:
  void Month(int year, int month, const std::vector<std::string>& lines) {
    dir.Write(MonthStem(year, month) + ".sch", JoinLines(lines));
  }
  void WithHolidays() { CreateHolidayFile(fs, dir.path()); }

  ModelRequest Request(int mode, Date selected) {
    ModelRequest r;
    r.view_mode = mode;
    r.selected = selected;
    r.today = MakeDate(2000, 1, 1);
    r.data_folder = dir.path();
    r.memo_folder = dir.path() + "memo/";
    return r;
  }
  RebuildResult Build(const ModelRequest& request) {
    RebuildResult r = SchUpdate(model, fs, request);
    EXPECT_TRUE(r.rebuilt);
    return r;
  }
  // "key kind index pos title" of each entry of a day, for compact comparisons.
  std::vector<std::string> Show(int day, int slot) const {
    std::vector<std::string> out;
    for (const auto& e : model.cell(day, slot).entries) {
      std::string s = std::string(EntryKey(e)) + " " + EntryKind(e) + " " + std::string(EntryIndexText(e));
      if (EntryIsBar(e)) s += " " + std::to_string(EntryPosition(e));
      s += " " + EntryText(e);
      out.push_back(s);
    }
    return out;
  }

  test::TempFolder dir;
  platform::PosixFileSystem fs;
  MonthModel model;
};

// ---- Slots ------------------------------------------------------------------------------------

struct SlotCase {
  int mode;
  bool mini;
  Date selected;
  int weeks, years;
  std::vector<SlotMonth> expected;
};

TEST(ViewSlots, EachModeHoldsItsMonths) {
  const SlotCase cases[] = {
      // January: December of the previous year in slot 12.
      {kModeMonthly, false, MakeDate(2025, 1, 15), 2, 6, {{12, 2024, 12}, {1, 2025, 1}, {2, 2025, 2}}},
      {kModeDaily, false, MakeDate(2025, 12, 31), 2, 6, {{11, 2025, 11}, {12, 2025, 12}, {1, 2026, 1}}},
      {kModeWeekly, false, MakeDate(2025, 6, 1), 4, 6, {{5, 2025, 5}, {6, 2025, 6}, {7, 2025, 7}}},
      {kModeWeekly, false, MakeDate(2025, 11, 1), 5, 6,
       {{10, 2025, 10}, {11, 2025, 11}, {12, 2025, 12}, {1, 2026, 1}}},
      // Mini mode holds three months whatever the view.
      {kModeWeekly, true, MakeDate(2025, 11, 1), 6, 6, {{10, 2025, 10}, {11, 2025, 11}, {12, 2025, 12}}},
      {kModeYearly, true, MakeDate(2025, 3, 1), 2, 6, {{2, 2025, 2}, {3, 2025, 3}, {4, 2025, 4}}},
      {kModeMonthly3, false, MakeDate(2025, 2, 10), 2, 3, {{1, 2025, 2}, {2, 2024, 2}, {3, 2023, 2}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ViewSlots(c.mode, c.mini, c.selected, c.weeks, c.years), c.expected)
        << "mode " << c.mode << " " << DateText(c.selected);

  auto multi = ViewSlots(kModeMonthly2, false, MakeDate(2025, 3, 5), 2, 6);
  ASSERT_EQ(multi.size(), 12u);
  EXPECT_EQ(multi.front(), (SlotMonth{1, 2025, 3}));
  EXPECT_EQ(multi.back(), (SlotMonth{12, 2026, 2}));
  for (int mode : {kModeYearly, kModeYearly2}) {
    auto yearly = ViewSlots(mode, false, MakeDate(2025, 7, 9), 2, 6);
    ASSERT_EQ(yearly.size(), 12u);
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(yearly[n - 1], (SlotMonth{n, 2025, n}));
  }
}

// ---- Entries and order keys -------------------------------------------------------------------

TEST(DayEntries, CarryKeyKindIndexAndPayloadAtTheirPositions) {
  const std::string line = Single(3, "会議", "09:00");
  const std::string e = MakeEntry("SC", kEntrySchedule, 12, line);
  EXPECT_EQ(e.substr(0, 7), "SC50012");
  EXPECT_EQ(EntryPayload(e), line);
  EXPECT_EQ(e.substr(7 + 30, 4), Sjis("会議"));  // field at 31 of the line is at 38 of the entry
  EXPECT_FALSE(EntryHasBand(e));
  EXPECT_EQ(EntryBand(e), -1);
  EXPECT_EQ(EntryText(e), "会議");
  EXPECT_EQ(EntryIndex(MakeEntry("CC", kEntryPublic, 9999, "x")), 9999);

  std::vector<std::string> list;
  for (auto e2 : {MakeEntry("SC", '5', 2, "b"), MakeEntry("T5", '8', 0, "t"), MakeEntry("CC", '6', 9999, "s"),
                  MakeEntry("01", '5', 7, "y"), MakeEntry("SC", '5', 1, "a"), MakeEntry("D5", '8', 1, "d"),
                  MakeEntry("00", '0', 3, "h")})
    AddEntry(list, e2);
  std::vector<std::string> keys;
  for (const auto& x : list) keys.push_back(std::string(EntryKey(x)) + std::string(EntryIndexText(x)));
  // Bands, then CC, then D ToDo marks, then schedules in file order, then T ToDo marks.
  EXPECT_EQ(keys, (std::vector<std::string>{"000003", "010007", "CC9999", "D50001", "SC0001", "SC0002", "T50000"}));
}

struct OrderCase {
  const char* name;
  std::vector<std::string> before;
  int holiday_class;
  std::string key;
  std::vector<std::string> after;  // keys + kinds in list order
};

std::string BarEntryFor(const std::string& band, int position) {
  std::string payload = Bar(1, 3, "bar");
  payload.resize(130, ' ');
  payload += (position < 10 ? "0" : "") + std::to_string(position);
  return MakeEntry(band, kEntrySchedule, 0, payload);
}

TEST(SchOrderEdit, ChoosesABandOrCC) {
  const std::string anniversary = MakeEntry("00", '2', 5, "記念");
  const std::string holiday_cc = MakeEntry("CC", '0', 1, "祝");
  const OrderCase cases[] = {
      {"empty day", {}, 0, "CC", {}},
      {"no banded entry", {holiday_cc}, 0, "CC", {"CC0"}},
      {"a bar in band 00 keeps it", {BarEntryFor("00", 1)}, 0, "CC", {"005"}},
      {"bars in 00 and 01 without a gap", {BarEntryFor("00", 1), BarEntryFor("01", 2)}, 1, "CC", {"005", "015"}},
      {"band 00 free takes 00", {BarEntryFor("01", 2)}, 2, "00", {"015"}},
      {"anniversary in 00 stays for an anniversary", {anniversary, BarEntryFor("01", 1)}, 3, "CC", {"002", "015"}},
      {"public holiday moves the anniversary below the bars",
       {anniversary, BarEntryFor("01", 1), BarEntryFor("02", 1)}, 0, "00", {"015", "025", "032"}},
      // Band 01 is free, band 02 taken: the move goes above the highest band, never onto 02.
      {"a gap never sends the entry onto a taken band", {anniversary, BarEntryFor("02", 1), holiday_cc}, 1, "00",
       {"025", "032", "CC0"}},
      {"two banded anniversaries", {anniversary, MakeEntry("01", '3', 6, "記念2")}, 0, "00", {"013", "022"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> list;
    for (const auto& e : c.before) AddEntry(list, e);
    EXPECT_EQ(SchOrderEdit(list, c.holiday_class), c.key) << c.name;
    std::vector<std::string> after;
    for (const auto& e : list) after.push_back(std::string(EntryKey(e)) + EntryKind(e));
    EXPECT_EQ(after, c.after) << c.name;
  }
}

TEST(SchOrderEdit, WithEveryBandTakenNothingMoves) {
  std::vector<std::string> list;
  AddEntry(list, MakeEntry("00", '2', 0, "記念"));
  for (int b = 1; b < 100; ++b) AddEntry(list, BarEntryFor((b < 10 ? "0" : "") + std::to_string(b), 1));
  const std::vector<std::string> before = list;
  EXPECT_EQ(SchOrderEdit(list, 0), "CC");
  EXPECT_EQ(list, before);
}

// ---- Loading per view mode --------------------------------------------------------------------

TEST_F(ModelFixture, MonthlyJanuaryHoldsDecemberInSlot12AndItsBarsRunIntoJanuary) {
  Month(2024, 12, {Single(31, "大晦日"), Bar(30, 4, "年越し")});
  Month(2025, 1, {Single(2, "朝"), Single(2, "初売り", "10:00")});
  Month(2025, 2, {Single(28, "月末")});
  Month(2025, 3, {Single(1, "見えない")});
  Build(Request(kModeMonthly, MakeDate(2025, 1, 20)));

  EXPECT_EQ(model.used, (std::vector<int>{12, 1, 2}));
  EXPECT_EQ(model.slot(12).year, 2024);
  EXPECT_EQ(Show(30, 12), (std::vector<std::string>{"00 5 0001 1 年越し"}));
  EXPECT_EQ(Show(31, 12), (std::vector<std::string>{"00 5 0001 2 年越し", "SC 5 0000 大晦日"}));
  EXPECT_EQ(Show(1, 1), (std::vector<std::string>{"00 5 0001 3 年越し"}));
  // Untimed before timed: the month file order.
  EXPECT_EQ(Show(2, 1), (std::vector<std::string>{"00 5 0001 4 年越し", "SC 5 0000 朝", "SC 5 0001 初売り"}));
  EXPECT_TRUE(model.cell(3, 1).entries.empty());
  EXPECT_EQ(Show(28, 2), (std::vector<std::string>{"SC 5 0000 月末"}));
  EXPECT_EQ(model.SlotOf(2025, 3), 0);
  EXPECT_TRUE(model.slot(3).days[0].entries.empty());
}

TEST_F(ModelFixture, BarEntriesKeepTheLineLayoutThePositionAndTheLink) {
  const std::string line = Bar(10, 2, "研修", "/home/u/plan.txt");
  Month(2025, 5, {line});
  Build(Request(kModeMonthly, MakeDate(2025, 5, 1)));
  const std::string& e = model.cell(11, 5).entries.at(0);
  EXPECT_EQ(e.substr(0, 7), "0050000");
  EXPECT_EQ(e.substr(7, 130), line.substr(0, 130));
  EXPECT_EQ(e.substr(137, 2), "02");
  EXPECT_EQ(e.substr(139), line.substr(132));
  EXPECT_EQ(EntrySpan(e), 2);
}

TEST_F(ModelFixture, TwoBarsOnOneDayTakeBandsInFileOrderAndAFreedBandIsReused) {
  Month(2025, 4, {Bar(7, 1, "一"), Bar(7, 3, "二"), Bar(8, 2, "三")});
  Build(Request(kModeMonthly, MakeDate(2025, 4, 1)));
  EXPECT_EQ(Show(7, 4), (std::vector<std::string>{"00 5 0000 1 一", "01 5 0001 1 二"}));
  // The first bar has ended: the third takes band 00 under the running second one.
  EXPECT_EQ(Show(8, 4), (std::vector<std::string>{"00 5 0002 1 三", "01 5 0001 2 二"}));
  EXPECT_EQ(Show(9, 4), (std::vector<std::string>{"00 5 0002 2 三", "01 5 0001 3 二"}));
}

TEST_F(ModelFixture, ABarFrom30JanuaryRunsIntoFebruaryInTheSameBand) {
  Month(2025, 1, {Bar(30, 5, "出張")});
  Build(Request(kModeMonthly, MakeDate(2025, 1, 1)));
  EXPECT_EQ(Show(30, 1), (std::vector<std::string>{"00 5 0000 1 出張"}));
  EXPECT_EQ(Show(31, 1), (std::vector<std::string>{"00 5 0000 2 出張"}));
  EXPECT_EQ(Show(1, 2), (std::vector<std::string>{"00 5 0000 3 出張"}));
  EXPECT_EQ(Show(3, 2), (std::vector<std::string>{"00 5 0000 5 出張"}));
  EXPECT_TRUE(model.cell(4, 2).entries.empty());
}

TEST_F(ModelFixture, MultiMonthFromMarchCutsTheTwelfthMonthsBarAtTheEndOfFebruary) {
  Month(2026, 2, {Bar(27, 5, "年度末")});
  Build(Request(kModeMonthly2, MakeDate(2025, 3, 1)));
  EXPECT_EQ(model.slot(12).month, 2);
  EXPECT_EQ(Show(28, 12), (std::vector<std::string>{"00 5 0000 2 年度末"}));
  for (int day = 1; day <= 3; ++day) EXPECT_TRUE(model.cell(day, 1).entries.empty()) << day;
}

TEST_F(ModelFixture, MultiMonthShowsBarsFromTheMonthsBeforeSlot1) {
  Month(2025, 2, {Single(25, "x"), Bar(25, 6, "前月から")});
  // A 62-day bar from 31 December reaches 1 and 2 March.
  Month(2024, 12, {Bar(31, 62, "長期")});
  Build(Request(kModeMonthly2, MakeDate(2025, 3, 1)));
  EXPECT_EQ(Show(1, 1), (std::vector<std::string>{"00 5 0000 61 長期", "01 5 0001 5 前月から"}));
  EXPECT_EQ(Show(2, 1), (std::vector<std::string>{"00 5 0000 62 長期", "01 5 0001 6 前月から"}));
  EXPECT_TRUE(model.cell(3, 1).entries.empty());
  // Spilled entries carry no link: the entry ends with the position.
  EXPECT_EQ(model.cell(1, 1).entries[1].size(), 7u + 132u);
}

TEST_F(ModelFixture, MonthlyViewShowsABarThatBeganBeforeThePreviousMonth) {
  // Selected March: the grid's leading days are in February; the bar began on 20 January.
  Month(2025, 1, {Bar(20, 40, "長い出張")});
  Month(2025, 2, {Bar(26, 2, "二月")});
  Build(Request(kModeMonthly, MakeDate(2025, 3, 1)));
  EXPECT_EQ(Show(1, 2), (std::vector<std::string>{"00 5 0000 13 長い出張"}));
  EXPECT_EQ(Show(26, 2), (std::vector<std::string>{"00 5 0000 38 長い出張", "01 5 0000 1 二月"}));
  EXPECT_EQ(Show(28, 2), (std::vector<std::string>{"00 5 0000 40 長い出張"}));
  EXPECT_TRUE(model.cell(1, 3).entries.empty());
}

TEST_F(ModelFixture, YearlyViewsShowDecembersBarOnTheFirstDaysOfJanuary) {
  Month(2024, 12, {Bar(29, 5, "年末年始"), Single(29, "旧年")});
  Month(2025, 12, {Single(29, "今年")});
  for (int mode : {kModeYearly, kModeYearly2}) {
    Build(Request(mode, MakeDate(2025, 6, 1)));
    EXPECT_EQ(Show(1, 1), (std::vector<std::string>{"00 5 0000 4 年末年始"})) << mode;
    EXPECT_EQ(Show(2, 1), (std::vector<std::string>{"00 5 0000 5 年末年始"})) << mode;
    EXPECT_TRUE(model.cell(3, 1).entries.empty());
    // Slot 12 is this year's December and shows nothing of the previous one.
    EXPECT_EQ(model.slot(12).year, 2025);
    EXPECT_EQ(Show(29, 12), (std::vector<std::string>{"SC 5 0000 今年"}));
    EXPECT_TRUE(model.cell(31, 12).entries.empty());
  }
}

TEST_F(ModelFixture, SameMonthViewStopsBarsAtTheMonthEndAndTakesThemFromTheMonthBefore) {
  Month(2025, 6, {Bar(29, 5, "六月末")});
  Month(2025, 5, {Bar(30, 4, "五月末")});
  Month(2024, 6, {Single(1, "去年")});
  ModelRequest r = Request(kModeMonthly3, MakeDate(2025, 6, 10));
  r.options.year_count = 2;
  Build(r);
  EXPECT_EQ(model.used, (std::vector<int>{1, 2}));
  EXPECT_EQ(Show(1, 1), (std::vector<std::string>{"00 5 0000 3 五月末"}));
  EXPECT_EQ(Show(30, 1), (std::vector<std::string>{"00 5 0000 2 六月末"}));
  EXPECT_EQ(Show(1, 2), (std::vector<std::string>{"SC 5 0000 去年"}));
}

TEST_F(ModelFixture, TheHundredAndFirstBarOnADayIsNotPlacedAndReportedOnce) {
  std::vector<std::string> lines;
  for (int i = 0; i < 102; ++i) lines.push_back(Bar(5, 2, "b" + std::to_string(i)));
  Month(2025, 7, lines);
  RebuildResult r = Build(Request(kModeMonthly, MakeDate(2025, 7, 1)));
  EXPECT_EQ(model.cell(5, 7).entries.size(), 100u);
  EXPECT_EQ(EntryBand(model.cell(5, 7).entries.back()), 99);
  EXPECT_EQ(r.unplaced.size(), 2u);
  EXPECT_EQ(r.messages, (std::vector<ModelMessage>{
                            {"複数日をまたぐスケジュールは、これ以上登録できません。", "エラー"}}));
}

TEST_F(ModelFixture, DamagedLinesAreSkippedAndReportedOnceAfterTheRebuild) {
  std::string bad_span = Bar(4, 2, "x");
  bad_span.replace(113, 2, "63");
  std::string letters_span = Bar(4, 2, "y");
  letters_span.replace(113, 2, "a1");
  Month(2025, 2, {"xx damaged", Single(3, "ok"), Single(29, "29日"), Single(31, "31日"), bad_span, letters_span,
                  Single(28, "last")});
  RebuildResult r = Build(Request(kModeMonthly, MakeDate(2025, 2, 1)));
  EXPECT_EQ(Show(3, 2), (std::vector<std::string>{"SC 5 0001 ok"}));
  EXPECT_EQ(Show(28, 2), (std::vector<std::string>{"SC 5 0006 last"}));
  EXPECT_TRUE(model.cell(4, 2).entries.empty());
  // 31 February does not exist: kind 9 and nothing on it.
  EXPECT_EQ(model.cell(31, 2).kind, kDayNone);
  EXPECT_TRUE(model.cell(31, 2).entries.empty());
  const std::string path = dir.path() + "202502.sch";
  ASSERT_EQ(r.damaged.size(), 5u);
  EXPECT_EQ(r.damaged[0], (DamagedLine{path, 0, path + " の 1 行目は日付が正しくないため読み飛ばしました。"}));
  EXPECT_EQ(r.damaged[3].message, path + " の 5 行目は日数が正しくないため読み飛ばしました。");
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0].caption, "エラー");
  EXPECT_EQ(r.messages[0].text,
            path + " の 1 行目は日付が正しくないため読み飛ばしました。\n" + path +
                " の 3 行目は日付が正しくないため読み飛ばしました。\n" + path +
                " の 4 行目は日付が正しくないため読み飛ばしました。\n" + path +
                " の 5 行目は日数が正しくないため読み飛ばしました。\n" + path +
                " の 6 行目は日数が正しくないため読み飛ばしました。");
}

TEST_F(ModelFixture, AnUnreadableMonthFileStopsTheRebuild) {
  dir.MakeFolder("202502.sch");
  EXPECT_THROW(SchUpdate(model, fs, Request(kModeMonthly, MakeDate(2025, 2, 1))), FileError);
  EXPECT_FALSE(model.building);  // the next rebuild may run
  dir.Write("202502.sch", "");
}

// ---- Day attributes, holidays, solar terms ----------------------------------------------------

TEST_F(ModelFixture, DayKindsRokuyoAndMemoFlags) {
  WithHolidays();
  dir.Write(Sjis("memo/20250305.mem"), Sjis("メモ\r\n"));
  ModelRequest r = Request(kModeMonthly, MakeDate(2025, 3, 1));
  Build(r);
  const DayCell& sunday = model.cell(2, 3);
  EXPECT_EQ(sunday.kind, kDaySunday);
  EXPECT_EQ(model.cell(1, 3).kind, kDaySaturday);
  EXPECT_EQ(model.cell(3, 3).kind, kDayWeekday);
  EXPECT_EQ(model.cell(20, 3).kind, kDayPublicHoliday);  // 春分の日
  EXPECT_EQ(model.cell(29, 2).kind, kDayNone);
  EXPECT_TRUE(model.cell(5, 3).memo);
  EXPECT_FALSE(model.cell(6, 3).memo);
  EXPECT_GE(model.cell(5, 3).rokuyo, 1);
  EXPECT_LE(model.cell(5, 3).rokuyo, 6);

  r.options.memo_icon = false;  // the display item is off: not looked up
  Build(r);
  EXPECT_FALSE(model.cell(5, 3).memo);
}

TEST_F(ModelFixture, HolidaysSolarTermsAndComputedHolidaysAreMerged) {
  WithHolidays();
  Build(Request(kModeMonthly, MakeDate(2025, 3, 1)));
  // The equinox holiday comes before its solar term.
  EXPECT_EQ(Show(20, 3), (std::vector<std::string>{"CC 0 9999 春分の日", "CC 6 9999 春分しゅんぶん"}));
  EXPECT_EQ(Show(5, 3), (std::vector<std::string>{"CC 6 9999 啓蟄けいちつ"}));
  // Previous month: 23 February (Sunday) and the substitute holiday on the 24th.
  ASSERT_EQ(model.cell(23, 2).entries.size(), 1u);
  EXPECT_EQ(EntryKind(model.cell(23, 2).entries[0]), '0');
  EXPECT_NE(EntryIndex(model.cell(23, 2).entries[0]), 9999);
  EXPECT_EQ(Show(24, 2), (std::vector<std::string>{"CC 0 9999 振替休日"}));
  EXPECT_EQ(model.cell(24, 2).kind, kDayPublicHoliday);
}

TEST_F(ModelFixture, AChangedHolidayFileOrSettingShowsAtTheNextRebuild) {
  WithHolidays();
  ModelRequest r = Request(kModeMonthly, MakeDate(2025, 3, 1));
  Build(r);
  EXPECT_EQ(Show(24, 2), (std::vector<std::string>{"CC 0 9999 振替休日"}));
  r.options.auto_holiday = false;
  Build(r);
  EXPECT_TRUE(model.cell(24, 2).entries.empty());
  EXPECT_EQ(model.cell(24, 2).kind, kDayWeekday);
  dir.Write("Holiday.dat", JoinLines({Sjis(" 324        001休業日")}));
  Build(r);
  EXPECT_EQ(Show(24, 3), (std::vector<std::string>{"CC 1 0000 休業日"}));
  EXPECT_TRUE(model.cell(23, 2).entries.empty());
}

TEST_F(ModelFixture, WithoutHolidayDatNoHolidaysOrSolarTermsAreShown) {
  Build(Request(kModeMonthly, MakeDate(2025, 3, 1)));
  EXPECT_TRUE(model.cell(20, 3).entries.empty());
  EXPECT_EQ(model.cell(20, 3).kind, kDayWeekday);
}

TEST_F(ModelFixture, APublicHolidayTakesBand00FromAnAnniversary) {
  // 2025/06/10: a bar in band 01 (band 00's bar ended on the 9th), then an anniversary on the
  // 10th takes band 00; a public holiday rule on the same day moves it below the bars.
  dir.Write("Holiday.dat", JoinLines({Sjis(" 610        002記念日"), Sjis(" 610        000祝日テスト")}));
  Month(2025, 6, {Bar(9, 1, "前日"), Bar(9, 3, "三日間")});
  Build(Request(kModeMonthly, MakeDate(2025, 6, 1)));
  EXPECT_EQ(Show(10, 6),
            (std::vector<std::string>{"00 0 0001 祝日テスト", "01 5 0001 2 三日間", "02 2 0000 記念日"}));
  EXPECT_EQ(model.cell(10, 6).kind, kDayPublicHoliday);
}

TEST_F(ModelFixture, AHolidayOnADayWithBars00And01GetsCC) {
  dir.Write("Holiday.dat", JoinLines({Sjis(" 610        000祝日テスト")}));
  Month(2025, 6, {Bar(9, 3, "一"), Bar(10, 1, "二")});
  for (int mode : {kModeMonthly, kModeMonthly2, kModeYearly}) {
    Build(Request(mode, MakeDate(2025, 6, 1)));
    const int slot = model.SlotOf(2025, 6);
    EXPECT_EQ(Show(10, slot),
              (std::vector<std::string>{"00 5 0000 2 一", "01 5 0001 1 二", "CC 0 0000 祝日テスト"}))
        << mode;
    EXPECT_EQ(model.cell(10, slot).kind, kDayPublicHoliday);
  }
}

TEST_F(ModelFixture, PrivateHolidaysAndAnniversariesWithYearCounts) {
  dir.Write("Holiday.dat", JoinLines({Sjis(" 7 12000    003結婚%d周年"), Sjis(" 7 1        001会社休み")}));
  Build(Request(kModeMonthly, MakeDate(2025, 7, 1)));
  EXPECT_EQ(Show(1, 7), (std::vector<std::string>{"CC 1 0001 会社休み", "CC 3 0000 結婚25周年"}));
  EXPECT_EQ(model.cell(1, 7).kind, kDayPrivateHoliday);
}

TEST_F(ModelFixture, ToDoMarksGoBeforeOrAfterTheSchedules) {
  Month(2025, 8, {Single(8, "予定")});
  ModelRequest r = Request(kModeMonthly, MakeDate(2025, 8, 1));
  std::string record = "2025/08/08          0000" + std::string(10, ' ') + std::string(14, ' ') + "0000    " +
                       Sjis("買い物");
  r.todo_marks = {{MakeDate(2025, 8, 8), 2, 4, record}, {MakeDate(2026, 1, 1), 2, 5, record}};
  Build(r);
  EXPECT_EQ(Show(8, 8), (std::vector<std::string>{"SC 5 0000 予定", "T2 8 0004 買い物"}));
  r.options.todo_first = true;
  Build(r);
  EXPECT_EQ(Show(8, 8), (std::vector<std::string>{"D2 8 0004 買い物", "SC 5 0000 予定"}));
}

TEST_F(ModelFixture, DayFileLinesAreHeldPerSlot) {
  dir.Write("202509.day", "00\r\n009\r\n");
  Build(Request(kModeMonthly, MakeDate(2025, 9, 1)));
  EXPECT_EQ(model.slot(9).day_lines, (std::vector<std::string>{"00", "009"}));
  EXPECT_TRUE(model.slot(8).day_lines.empty());
}

// ---- Today's alarm list -----------------------------------------------------------------------

TEST_F(ModelFixture, TodaysAlarmListComesFromTodaysMonthWhateverTheViewHolds) {
  Month(2025, 6, {Single(14, "前日", "09:00", 1), Single(15, "なし", "09:00"), Single(15, "一", "10:00", 2),
                  Single(15, "二", "11:00", 0, 3), Bar(15, 2, "複数日")});
  ModelRequest r = Request(kModeMonthly, MakeDate(2025, 1, 1));
  r.today = MakeDate(2025, 6, 15);
  Build(r);
  ASSERT_EQ(model.today_alarms.size(), 2u);
  EXPECT_EQ(Field(model.today_alarms[0], 31, 40), "一");
  EXPECT_EQ(Field(model.today_alarms[1], 31, 40), "二");
  // The list is rebuilt each time: a changed file shows at the next rebuild.
  Month(2025, 6, {Single(15, "三", "12:00", 1)});
  Build(r);
  ASSERT_EQ(model.today_alarms.size(), 1u);
  EXPECT_EQ(Field(model.today_alarms[0], 31, 40), "三");
}

// ---- Rebuild discipline -----------------------------------------------------------------------

// A file system that runs a callback on the first read (a rebuild asked for during a rebuild).
class ReenteringFileSystem : public platform::PosixFileSystem {
 public:
  std::function<void()> on_read;
  platform::ReadResult Read(const std::string& path) override {
    if (on_read) {
      auto f = std::move(on_read);
      on_read = nullptr;
      f();
    }
    return PosixFileSystem::Read(path);
  }
};

TEST_F(ModelFixture, ARebuildNeverRunsInsideAnother) {
  Month(2025, 3, {Single(3, "x")});
  ReenteringFileSystem reentering;
  const ModelRequest r = Request(kModeMonthly, MakeDate(2025, 3, 1));
  RebuildResult inner;
  reentering.on_read = [&] { inner = SchUpdate(model, reentering, r); };
  RebuildResult outer = SchUpdate(model, reentering, r);
  EXPECT_FALSE(inner.rebuilt);
  EXPECT_TRUE(outer.rebuilt);
  EXPECT_EQ(Show(3, 3), (std::vector<std::string>{"SC 5 0000 x"}));
}

TEST_F(ModelFixture, SchRepaintDerivesTheSelectedDateAndStampsTheRefresh) {
  Month(2025, 5, {Single(1, "x")});
  platform::FixedClock clock({MakeDate(2025, 5, 2), 8, 5, 9});
  ModelRequest r = Request(kModeMonthly2, MakeDate(2025, 5, 17));
  Build(r);
  RepaintResult p = SchRepaint(model, fs, clock, r, {}, {});
  EXPECT_EQ(p.selected, MakeDate(2025, 5, 1));
  EXPECT_EQ(p.refreshed, "08:05:09");
  EXPECT_EQ(model.selected, MakeDate(2025, 5, 1));

  r.view_mode = kModeWeekly;
  r.selected = MakeDate(2025, 6, 3);
  p = SchRepaint(model, fs, clock, r, {}, {MakeDate(2025, 5, 25), MakeDate(2025, 6, 1), MakeDate(2025, 6, 8)});
  EXPECT_EQ(p.selected, MakeDate(2025, 6, 1));
  r.view_mode = kModeDaily;
  p = SchRepaint(model, fs, clock, r, MakeDate(2025, 6, 9), {});
  EXPECT_EQ(p.selected, MakeDate(2025, 6, 9));
}

TEST(ModelOptions, ComeFromTheViewsSettings) {
  Settings s = DefaultSettings({"/p/", "F", 9});
  s.view_mode(kModeMonthly).item_view[27] = '0';
  s.view_mode(kModeWeekly).week_no = 6;
  s.view_mode(kModeMonthly3).year_no = 3;
  s.view.auto_holiday = false;
  s.window.sch_order = true;
  ModelOptions o = ModelOptionsOf(s, kModeMonthly);
  EXPECT_FALSE(o.memo_icon);
  EXPECT_TRUE(ModelOptionsOf(s, kModeWeekly).memo_icon);
  EXPECT_EQ(o.week_count, 6);
  EXPECT_EQ(o.year_count, 3);
  EXPECT_FALSE(o.auto_holiday);
  EXPECT_TRUE(o.todo_first);
}

TEST(DayMemo, FileNameIsTheDateWithMem) {
  EXPECT_EQ(DayMemoFileName(MakeDate(2024, 5, 3)), "20240503.mem");
}

// ---- Week numbers -----------------------------------------------------------------------------

struct WeekCase {
  Date first;
  bool week_of, monday_first;
  int expected;
};

TEST(WeekNumber, IsoWeekWithTheNewYearAdjustment) {
  const WeekCase cases[] = {
      // Monday-first, 2022 starts on a Saturday.
      {MakeDate(2021, 12, 27), true, true, 1},
      {MakeDate(2022, 1, 3), true, true, 2},
      {MakeDate(2021, 12, 27), false, true, 52},
      {MakeDate(2022, 1, 3), false, true, 1},
      // Sunday-first, 2026 starts on a Thursday: the row with 1 January is already ISO week 1.
      {MakeDate(2025, 12, 28), true, false, 1},
      {MakeDate(2026, 1, 4), true, false, 2},
      {MakeDate(2026, 12, 20), true, false, 52},
      {MakeDate(2026, 12, 27), true, false, 1},  // holds 1 January 2027, a Friday
      // Sunday-first, 2021 starts on a Friday.
      {MakeDate(2020, 12, 27), true, false, 1},
      {MakeDate(2021, 1, 3), true, false, 2},
      {MakeDate(2021, 12, 19), true, false, 52},
      {MakeDate(2021, 12, 26), true, false, 1},  // holds 1 January 2022, a Saturday
      // Sunday-first, 2022 starts on a Saturday.
      {MakeDate(2021, 12, 26), false, false, 52},
      {MakeDate(2022, 1, 2), true, false, 2},
      // Monday-first, 2023 starts on a Sunday.
      {MakeDate(2022, 12, 26), true, true, 1},
      {MakeDate(2023, 1, 2), true, true, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WeekNumber(c.first, AddDays(c.first, 6), c.week_of, c.monday_first), c.expected)
        << DateText(c.first) << " week_of " << c.week_of << " monday " << c.monday_first;
}

}  // namespace
}  // namespace kal::store
