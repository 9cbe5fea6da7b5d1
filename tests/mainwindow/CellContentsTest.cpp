#include "mainwindow/CellContents.h"

#include <gtest/gtest.h>

#include "mainwindow/ViewModes.h"
#include "platform/Codec.h"
#include "store/ScheduleFile.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

std::string Sjis(const std::string& utf8) { return *platform::Utf8ToCp932(utf8); }

store::Settings Defaults() { return store::DefaultSettings(store::SettingsDefaults{"/p/", "IPAexGothic", 9}); }

std::string ScheduleEntry(const store::ScheduleFields& f, const std::string& key = "SC", int index = 0) {
  const store::BuildResult built = store::BuildScheduleLine(f);
  EXPECT_TRUE(built.ok) << built.message;
  char prefix[8];
  std::snprintf(prefix, sizeof prefix, "%s5%04d", key.c_str(), index);
  return prefix + built.line;
}

// A multi-day entry as the model repeats it: the first 130 bytes, the position, the link part.
std::string BarEntry(const store::ScheduleFields& f, int band, int position) {
  std::string line = store::BuildScheduleLine(f).line;
  line.resize(130, ' ');
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02d5%04d", band, 0);
  char pos[4];
  std::snprintf(pos, sizeof pos, "%02d", position);
  return prefix + line + pos;
}

std::string HolidayEntry(char kind, const std::string& name, const std::string& key = "CC") {
  return key + std::string(1, kind) + "9999" + Sjis(name);
}

// A ToDo record with the fields the cell reads.
std::string TodoEntry(int state, int priority, int progress, const std::string& title, const std::string& memo = "0000",
                      bool done = false) {
  std::string record = "2026/08/20" + std::string(10, ' ') + std::to_string(priority);
  char p[4];
  std::snprintf(p, sizeof p, "%02d", progress);
  record += p;
  record += done ? "1" : "0";
  record += "2026/08/20";
  record += std::string(14, ' ');
  record += memo;
  record += "    ";
  record += Sjis(title);
  return "T" + std::to_string(state) + "8" + "0003" + record;
}

store::ScheduleFields Schedule(const std::string& title) {
  store::ScheduleFields f;
  f.day = 20;
  f.title = title;
  return f;
}

class CellTest : public ::testing::Test {
 protected:
  CellTest() : settings(Defaults()) {
    ctx.settings = &settings;
    ctx.mode = kModeMonthly;
    ctx.today = store::MakeDate(2026, 8, 10);
    ctx.now_minutes = 12 * 60;
    ctx.displayed_year = 2026;
    ctx.displayed_month = 8;
    ctx.alarm_texts = {"5分前", "10分前"};
    for (auto& v : settings.views) v.item_view = std::string(31, '1');
  }
  std::string& Flags() { return settings.view_mode(ctx.mode).item_view; }
  CellContents Build(const std::vector<std::string>& entries, int day = 20, int month = 8, int kind = 8) {
    CellDay d;
    d.date = store::MakeDate(2026, month, day);
    d.kind = kind;
    d.entries = entries;
    d.day_line = day_line;
    d.memo = memo;
    d.rokuyo = 3;
    return BuildCell(d, ctx);
  }
  store::Settings settings;
  CellContext ctx;
  std::string day_line;
  bool memo = false;
};

TEST_F(CellTest, ScheduleTextPartsInOrder) {
  store::ScheduleFields f = Schedule("会議");
  f.start = "09:30";
  f.end = "10:00";
  f.place = "本社";
  f.alarm1 = 2;
  f.alarm2 = 9;  // outside the alarm list: adds nothing
  f.detail = 5;
  const DayEntry e = SplitDayEntry(ScheduleEntry(f));
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Cell, Flags(), ctx.alarm_texts, "◆"), "09:30-10:00 会議(本社)[10分前]◆");
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Tooltip, Flags(), ctx.alarm_texts, "◆"), "会議(本社)[10分前]");
  std::string off = std::string(31, '0');
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Cell, off, ctx.alarm_texts, "◆"), "");
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Full, off, ctx.alarm_texts, "◆"), "09:30-10:00 会議(本社)[10分前]◆");
  // Without a start time the title is not preceded by a blank.
  off = WithItem(off, kItemTitle, true);
  off = WithItem(off, kItemEnd, true);
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Cell, off, ctx.alarm_texts, "◆"), "-10:00 会議");
}

TEST_F(CellTest, EverySchedulePartOffStillShowsASquare) {
  Flags() = std::string(31, '0');
  Flags() = WithItem(Flags(), kItemSchedule, true);
  const CellContents cell = Build({ScheduleEntry(Schedule("会議"))});
  ASSERT_EQ(cell.lines.size(), 1u);
  EXPECT_EQ(cell.lines[0].text, "■");
  EXPECT_EQ(cell.lines[0].icon.source, IconRef::Source::None);
}

TEST_F(CellTest, HolidayNameNeedsTheTitleItem) {
  ctx.mode = kModeYearly;  // no holiday box outside modes 3 and 4
  Flags() = std::string(31, '1');
  Flags() = WithItem(Flags(), kItemCategoryIcon, false);
  CellContents cell = Build({HolidayEntry('1', "創立記念日")});
  ASSERT_EQ(cell.lines.size(), 1u);
  EXPECT_EQ(cell.lines[0].text, "創立記念日");
  EXPECT_EQ(cell.lines[0].text_colour, settings.color.kyu.text);
  Flags() = WithItem(Flags(), kItemTitle, false);
  cell = Build({HolidayEntry('1', "創立記念日")});
  ASSERT_EQ(cell.lines.size(), 1u);
  EXPECT_NE(cell.lines[0].text, "創立記念日");
  // With the category icon on the holiday shows its icon (kind + 1) and no text at all.
  Flags() = WithItem(Flags(), kItemCategoryIcon, true);
  cell = Build({HolidayEntry('1', "創立記念日")});
  EXPECT_EQ(cell.lines[0].text, "");
  EXPECT_EQ(cell.lines[0].icon, (IconRef{IconRef::Source::Category, 2}));
}

TEST_F(CellTest, PublicHolidayGoesIntoTheBoxInTheMonthView) {
  const CellContents cell = Build({HolidayEntry('0', "山の日"), ScheduleEntry(Schedule("帰省"))}, 11, 8, 0);
  EXPECT_EQ(cell.holiday_box, "山の日");
  ASSERT_EQ(cell.lines.size(), 1u);  // the following line moved up
  EXPECT_EQ(cell.back_colour, settings.color.syu.back);
  // A weather mark on the date line keeps the name among the lines.
  day_line = "0010";
  const CellContents wet = Build({HolidayEntry('0', "山の日")}, 11, 8, 0);
  EXPECT_TRUE(wet.weather_shown);
  EXPECT_EQ(wet.weather_tip, " 晴れ ");
  EXPECT_EQ(wet.holiday_box, "");
  ASSERT_EQ(wet.lines.size(), 1u);
  EXPECT_EQ(wet.lines[0].text, "山の日");
}

TEST_F(CellTest, SolarTermShowsItsNameWithoutTheReading) {
  const CellContents cell = Build({HolidayEntry('6', "処暑しょしょ")}, 23);
  ASSERT_EQ(cell.lines.size(), 1u);
  EXPECT_EQ(cell.lines[0].text, "処暑");
  EXPECT_EQ(cell.lines[0].text_colour, settings.color.sek.text);
}

TEST_F(CellTest, TodoTextForms) {
  const DayEntry e = SplitDayEntry(TodoEntry(4, 0, 7, "報告書", "0012"));
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Cell, Flags(), {}, "◆"), "報告書(A)[70%]◆");
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Full, Flags(), {}, "◆"), "【ToDo進行中】報告書(A)[70%]◆");
  EXPECT_EQ(GrdSchEdit(e, TextPurpose::Tooltip, Flags(), {}, "◆"), "【ToDo進行中】報告書(A)[70%]");
  // A done item follows "処理済ToDo", an open one "未処理ToDo".
  Flags() = WithItem(Flags(), kItemTodoOpen, false);
  EXPECT_FALSE(ViewHantei(e, Flags()));
  EXPECT_TRUE(ViewHantei(SplitDayEntry(TodoEntry(6, 1, 10, "済", "0000", true)), Flags()));
  // With its state icon shown an empty ToDo text is not replaced by "■".
  Flags() = std::string(31, '1');
  Flags() = WithItem(Flags(), kItemTodoTitle, false);
  Flags() = WithItem(Flags(), kItemTodoPriority, false);
  Flags() = WithItem(Flags(), kItemTodoProgress, false);
  const CellContents cell = Build({TodoEntry(4, 0, 7, "報告書")});
  ASSERT_EQ(cell.lines.size(), 1u);
  EXPECT_EQ(cell.lines[0].text, "");
  EXPECT_EQ(cell.lines[0].icon, (IconRef{IconRef::Source::SmallImage, 4}));
}

TEST_F(CellTest, DateLineInTheMultiWeekView) {
  ctx.mode = kModeWeekly;
  ctx.first_cell = true;
  EXPECT_EQ(Build({}, 20).date_text, "8/20");
  ctx.first_cell = false;
  EXPECT_EQ(Build({}, 20).date_text, "20");
  EXPECT_EQ(Build({}, 5).date_text, " 5");
  EXPECT_EQ(Build({}, 1, 9).date_text, "9/1");
  ctx.mode = kModeMonthly;
  EXPECT_EQ(Build({}, 1, 9).date_text, " 1");
  EXPECT_EQ(Build({}, 1, 9).rokuyo, "先負");
}

TEST_F(CellTest, PendingAlarmIconFollowsTheClock) {
  store::ScheduleFields f = Schedule("歯医者");
  f.start = "13:00";
  f.alarm1 = 1;
  ctx.today = store::MakeDate(2026, 8, 20);
  ctx.now_minutes = 12 * 60 + 59;
  EXPECT_EQ(Build({ScheduleEntry(f)}).lines[0].icon, (IconRef{IconRef::Source::SmallImage, 16}));
  ctx.now_minutes = 13 * 60;
  EXPECT_EQ(Build({ScheduleEntry(f)}).lines[0].icon.source, IconRef::Source::None);
  ctx.today = store::MakeDate(2026, 8, 19);  // a later day is pending whatever the time
  EXPECT_EQ(Build({ScheduleEntry(f)}).lines[0].icon.number, 16);
  Flags() = WithItem(Flags(), kItemAlarmIcon, false);
  EXPECT_EQ(Build({ScheduleEntry(f)}).lines[0].icon.source, IconRef::Source::None);
}

TEST_F(CellTest, OtherMonthColoursFollowTheirSettings) {
  settings.color.month_before_next = true;
  CellContents cell = Build({}, 31, 7);
  EXPECT_EQ(cell.back_colour, settings.color.zen.back);
  EXPECT_EQ(cell.text_colour, settings.color.zen.text);
  settings.color.month_before_next = false;
  cell = Build({}, 31, 7);
  EXPECT_EQ(cell.back_colour, settings.color.day.back);
  // The multi-week view follows WeekBeforeNext.
  ctx.mode = kModeWeekly;
  settings.color.week_before_next = true;
  EXPECT_EQ(Build({}, 31, 7).back_colour, settings.color.zen.back);
}

TEST_F(CellTest, ColourRulesInOrder) {
  // Day-file colours: "5" the holiday back colour, "9" the custom colour.
  day_line = "05";
  EXPECT_EQ(Build({}, 20).back_colour, settings.color.kyu.back);
  day_line = "09" + std::string(4, ' ') + "$123456";
  EXPECT_EQ(Build({}, 20).back_colour, 0x123456);
  day_line.clear();
  // Today: text always, back with Today on; a selected range wins over everything.
  settings.color.today = true;
  CellContents today = Build({}, 10);
  EXPECT_TRUE(today.today);
  EXPECT_EQ(today.text_colour, settings.color.tod.text);
  EXPECT_EQ(today.back_colour, settings.color.tod.back);
  ctx.in_selected_range = true;
  EXPECT_EQ(Build({}, 10).back_colour, settings.color.sel.back);
  ctx.in_selected_range = false;
  // Past days are darkened channel by channel.
  settings.view_mode(kModeMonthly).past_day = true;
  settings.color.day.back = 0x201050;
  EXPECT_EQ(Build({}, 9).back_colour, 0x00002C);
  EXPECT_EQ(Build({}, 11).back_colour, 0x201050);
  // A blank cell shows its fill only.
  CellDay blank;
  blank.kind = 9;
  const CellContents b = BuildCell(blank, ctx);
  EXPECT_TRUE(b.blank);
  EXPECT_EQ(b.back_colour, kBlankCellColour);
}

TEST(PastDay, DarkensEachChannelAndStopsAtZero) {
  EXPECT_EQ(DarkenPastDay(0xFFFFFF), 0xDBDBDB);
  EXPECT_EQ(DarkenPastDay(0x100000), 0x000000);  // no borrow from the next channel
  EXPECT_EQ(DarkenPastDay(0x00FF10), 0x00DB00);
}

TEST_F(CellTest, CategoryColoursIconsAndFilter) {
  catalogues::CategoryTable table({Sjis("仕事          ") + "1 " + "00000255" + "00204080" + "006",
                                   Sjis("私用          ") + "0 " + "        " + "        "});
  ctx.categories = &table;
  settings.view.catchk = catalogues::kShowChecked;
  store::ScheduleFields work = Schedule("会議");
  work.category = "仕事";
  work.font_style = 1;
  work.line_style = 2;
  store::ScheduleFields home = Schedule("買い物");
  home.category = "私用";
  const CellContents cell = Build({ScheduleEntry(work), ScheduleEntry(home)});
  ASSERT_EQ(cell.lines.size(), 1u);  // the unticked category is filtered out and takes no line
  EXPECT_EQ(cell.lines[0].text_colour, 255);
  EXPECT_EQ(cell.lines[0].back_colour, 204080);
  EXPECT_EQ(cell.lines[0].icon, (IconRef{IconRef::Source::Category, 6}));
  EXPECT_EQ(cell.lines[0].style, 1 | 8);  // bold + strike-out
  settings.view.catchk = catalogues::kShowAll;
  EXPECT_EQ(Build({ScheduleEntry(work), ScheduleEntry(home)}).lines.size(), 2u);
}

TEST_F(CellTest, BarsKeepTheirLanes) {
  store::ScheduleFields trip = Schedule("出張");
  trip.span = 3;
  trip.bar_colour = 0x00FFFF;
  trip.text_colour = 0x000080;
  trip.bar_style = 4;
  const CellContents cell = Build({BarEntry(trip, 1, 2), ScheduleEntry(Schedule("会議"))});
  ASSERT_EQ(cell.lines.size(), 3u);
  EXPECT_FALSE(cell.lines[0].bar);  // lane 0 is free on this day
  EXPECT_TRUE(cell.lines[1].bar);
  EXPECT_EQ(cell.lines[1].band, 1);
  EXPECT_EQ(cell.lines[1].position, 2);
  EXPECT_EQ(cell.lines[1].span, 3);
  EXPECT_EQ(cell.lines[1].bar_colour, 0x00FFFF);
  EXPECT_EQ(cell.lines[1].text_colour, 0x000080);
  EXPECT_EQ(cell.lines[1].bar_style, 4);
  EXPECT_EQ(cell.lines[1].text, "出張");
  EXPECT_EQ(cell.lines[2].text, "会議");
}

TEST_F(CellTest, MemoIconColoursAndDayMarks) {
  memo = true;
  settings.memo.icon_color = 3;
  CellContents cell = Build({});
  EXPECT_TRUE(cell.memo_icon);
  EXPECT_EQ(cell.memo_fill, 0xAAFFFF);
  EXPECT_EQ(cell.memo_outline, 0x008080);
  day_line = "00" + std::string(3, '0') + "1";  // memo colour 1 赤
  cell = Build({});
  EXPECT_EQ(cell.memo_fill, 0xCCCCFF);
  Flags() = WithItem(Flags(), kItemMemoIcon, false);
  EXPECT_FALSE(Build({}).memo_icon);
  day_line = "0M" + std::string(4, ' ') + "$0000FF";
  cell = Build({});
  EXPECT_EQ(cell.day_mark, 'M');
  EXPECT_EQ(cell.day_mark_colour, 0x0000FF);
}

TEST(DisplayItems, FlagsAndListing) {
  EXPECT_TRUE(ItemOn("1x0", 1));  // not a digit: on
  EXPECT_FALSE(ItemOn("1x0", 2));
  EXPECT_TRUE(ItemOn("1", 30));   // missing: on
  EXPECT_EQ(WithItem("", 2, false).size(), 31u);
  EXPECT_EQ(ListedDisplayItems(kModeMonthly).size(), 29u);
  EXPECT_EQ(ListedDisplayItems(kModeYearly2).size(), 31u);
  EXPECT_EQ(std::string(DisplayItemCaptions()[22]), "- 件名");
  EXPECT_EQ(std::string(DisplayItemCaptions()[30]), "日にち");
}

TEST(Header, TonesAndNames) {
  store::Settings s = Defaults();
  s.color.vista_head = 2;
  s.view.date_jap = true;
  HeaderCell mon = BuildHeaderCell(2, s, false);
  EXPECT_EQ(mon.text, "月曜日");
  EXPECT_TRUE(mon.two_tone);
  EXPECT_EQ(mon.upper, 0x7F7F88);
  EXPECT_EQ(mon.lower, 0x373740);
  EXPECT_EQ(BuildHeaderCell(7, s, false).lower, 0xFF0000);
  EXPECT_EQ(BuildHeaderCell(1, s, true).text, "日");
  s.view.date_jap = false;
  EXPECT_EQ(BuildHeaderCell(1, s, false).text, "SUN");
  EXPECT_EQ(BuildHeaderCell(4, s, true).text, "W");
  s.color.vista_head = 0;
  EXPECT_FALSE(BuildHeaderCell(4, s, false).two_tone);
}

TEST(Hints, TextsAndColours) {
  const Date d = store::MakeDate(2026, 8, 23);
  Hint h = GrdHint(SplitDayEntry("CC69999" + Sjis("処暑しょしょ")), d, {}, {}, "◆");
  EXPECT_EQ(h.text, " 2026/8/23(日) 処暑（しょしょ）\r 暑さが峠を越えて後退し始めるころ");
  EXPECT_EQ(h.colour, 0xFFFFFF);
  h = GrdHint(SplitDayEntry("CC09999" + Sjis("山の日")), store::MakeDate(2026, 8, 11), {}, {}, "◆");
  EXPECT_EQ(h.text, " 2026/8/11(火) 山の日 ");
  EXPECT_EQ(h.colour, 0xE0D0FE);
  store::ScheduleFields f;
  f.day = 20;
  f.start = "09:00";
  f.end = "10:00";
  f.title = "会議";
  f.detail = 3;
  h = GrdHint(SplitDayEntry(ScheduleEntry(f)), store::MakeDate(2026, 8, 20), {"資料", "持参"}, {}, "◆");
  EXPECT_EQ(h.text, " 2026/8/20(木) 09:00-10:00 \r 会議［メモ］\r 資料 \r 持参 ");
  EXPECT_EQ(h.colour, 0xF0FBFF);
  store::ScheduleFields trip;
  trip.day = 30;
  trip.start = "08:00";
  trip.end = "18:00";
  trip.title = "旅行";
  trip.span = 5;
  h = GrdHint(SplitDayEntry(BarEntry(trip, 0, 3)), store::MakeDate(2026, 9, 1), {}, {}, "◆");
  EXPECT_EQ(h.text, " 2026/8/30(日) 08:00～ 2026/9/3(木)18:00 \r 旅行");
  EXPECT_EQ(SeasonDescription(1, false), "暦の上で寒さが最も厳しくなる時期の前半");
  EXPECT_EQ(SeasonDescription(12, true), "一年の間で昼が最も短く夜が最も長くなる日");
  EXPECT_EQ(SeasonDescription(13, true), "");
  const Hint memo = MemoIconHint(store::MakeDate(2026, 8, 20), "m/d(aaa)", {"買い物"}, 0xAAFFFF);
  EXPECT_EQ(memo.text, " 8/20(木) \r 買い物 ");
  EXPECT_EQ(memo.colour, 0xAAFFFF);
}

}  // namespace
}  // namespace kal::mainwindow

namespace kal::mainwindow {
namespace {

TEST(CellDrawing, FontsPitchAndEllipsisFromTheSettings) {
  store::Settings s = Defaults();
  s.font.monthly = {"Noto Sans CJK JP", "11", "1"};
  s.font.date = {"", "x", "y"};
  s.view_mode(kModeMonthly).line_pitch = 12;  // a value from a damaged file
  s.view.ellipsis = false;
  CellContext ctx;
  ctx.settings = &s;
  ctx.mode = kModeMonthly;
  CellDay d;
  d.date = store::MakeDate(2026, 8, 3);
  const CellContents cell = BuildCell(d, ctx);
  EXPECT_EQ(cell.font, (ViewFont{"Noto Sans CJK JP", 11, 1}));
  EXPECT_EQ(cell.date_font, (ViewFont{"Noto Sans CJK JP", 9, 1}));  // size 9 and style 1 when not numbers
  EXPECT_EQ(cell.line_pitch, 8);
  EXPECT_FALSE(cell.ellipsis);
  ctx.mode = kModeYearly2;
  s.font.yearly = {"IPAexMincho", "8", "0"};
  EXPECT_EQ(BuildCell(d, ctx).font.name, "IPAexMincho");
}

}  // namespace
}  // namespace kal::mainwindow
