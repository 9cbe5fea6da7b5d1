#include "mainwindow/DayPanel.h"

#include <gtest/gtest.h>

#include "model/MultiDay.h"
#include "model/MonthModel.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;
using test::Sjis;

std::string Line(store::ScheduleFields f) {
  const store::BuildResult built = store::BuildScheduleLine(f);
  EXPECT_TRUE(built.ok) << built.message;
  return built.line;
}

store::ScheduleFields Meeting() {
  store::ScheduleFields f;
  f.day = 10;
  f.start = "10:00";
  f.end = "11:30";
  f.category = "仕事";
  f.title = "会議";
  f.place = "本社";
  return f;
}

store::ColorSettings Colours() {
  store::ColorSettings c;
  c.day = {0x000000, 0xFFFFFF};
  c.sat = {0xFF0000, 0xFFEEEE};
  c.sun = {0x0000FF, 0xEEEEFF};
  c.syu = {0x0000CC, 0xDDDDFF};
  c.kyu = {0x0000AA, 0xCCCCFF};
  c.kn1 = {0x008000, 0};
  c.kn2 = {0x008001, 0};
  c.kn3 = {0x008002, 0};
  return c;
}

DayListInput Input(const std::vector<std::string>& entries, const Date& selected) {
  DayListInput in;
  in.entries = &entries;
  in.selected = selected;
  in.today = MakeDate(2026, 12, 10);
  in.now_minutes = 9 * 60;
  in.alarm_offsets = {0, 1, 3, 5, 10, 15, 20, 30, 60};
  in.colours = Colours();
  return in;
}

TEST(SchListRows, ATwoDayScheduleOnItsSecondDayShowsBothDays) {
  store::ScheduleFields f = Meeting();
  f.day = 31;
  f.span = 2;
  const std::string line = Line(f);
  // Seen on 1 January 2027, the second day of a schedule from 31 December 2026 (line 3 of 202612.sch).
  const std::vector<std::string> entries{calendar::BarEntry(0, 3, line, 2, false)};
  const auto rows = SchListRows(Input(entries, MakeDate(2027, 1, 1)));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].texts[1], "2026/12/31(木) 10:00");
  EXPECT_EQ(rows[0].texts[2], "2027/01/01(金) 11:30");
  EXPECT_EQ(rows[0].texts[3], "会議");
  EXPECT_EQ(rows[0].texts[4], "本社");
  EXPECT_EQ(rows[0].texts[5], "仕事");
  EXPECT_EQ(rows[0].key, "SC50003" "202612" "0");
  EXPECT_EQ(rows[0].kind(), '5');
}

TEST(SchListRows, OneDayScheduleUsesTheSelectedDateAndItsOwnKey) {
  store::ScheduleFields f = Meeting();
  f.start.clear();
  f.end.clear();
  f.detail = 4;
  f.link = "/home/u/a.txt";
  const std::vector<std::string> entries{store::MakeEntry("SC", '5', 12, Line(f))};
  const auto rows = SchListRows(Input(entries, MakeDate(2026, 12, 10)));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].texts[1], "2026/12/10(木)");  // no trailing blank without a time
  EXPECT_EQ(rows[0].texts[2], "2026/12/10(木)");
  EXPECT_EQ(rows[0].key, "SC50012" "202612" "5");
  EXPECT_TRUE(rows[0].memo);
  EXPECT_TRUE(rows[0].file);
}

TEST(SchListRows, LeadTimesInMinutesAndHours) {
  const std::vector<int> offsets{0, 45, 90, 360};
  EXPECT_EQ(LeadTimeText(offsets, 2), "45分");
  EXPECT_EQ(LeadTimeText(offsets, 3), "1時間");
  EXPECT_EQ(LeadTimeText(offsets, 4), "6時間");
  EXPECT_EQ(LeadTimeText(offsets, 1), "0分");
  EXPECT_EQ(LeadTimeText(offsets, 0), "");
  EXPECT_EQ(LeadTimeText(offsets, 5), "");  // beyond the table

  store::ScheduleFields f = Meeting();
  f.alarm1 = 2;
  f.alarm2 = 3;
  const std::vector<std::string> entries{store::MakeEntry("SC", '5', 0, Line(f))};
  DayListInput in = Input(entries, MakeDate(2026, 12, 10));
  in.alarm_offsets = offsets;
  const auto rows = SchListRows(in);
  EXPECT_EQ(rows[0].texts[7], "45分");
  EXPECT_EQ(rows[0].texts[8], "1時間");
}

TEST(SchListRows, HolidayTodoAndSolarTermRows) {
  const std::string todo_record = Sjis("2026/12/102026/12/011000          仕事          0007    書類提出");
  const std::vector<std::string> entries{
      store::MakeEntry("00", '1', 2, Sjis("会社休日")),
      store::MakeEntry("CC", '6', 9999, Sjis("冬至とうじ")),
      store::MakeEntry("CC", '3', 5, Sjis("結婚記念日")),
      store::MakeEntry("T3", '8', 41, todo_record),
  };
  const auto rows = SchListRows(Input(entries, MakeDate(2026, 12, 10)));
  ASSERT_EQ(rows.size(), 3u);  // the solar term is not listed
  EXPECT_EQ(rows[0].key, "001" "0000");
  EXPECT_EQ(rows[0].texts[1], "2026/12/10(木)");
  EXPECT_EQ(rows[0].texts[2], "2026/12/10(木)");
  EXPECT_EQ(rows[0].texts[3], "会社休日");
  EXPECT_EQ(rows[0].texts[5], "休日");
  EXPECT_EQ(rows[0].icon, RowIcon::Holiday);
  EXPECT_EQ(rows[0].icon_number, 2);
  EXPECT_EQ(rows[0].text_colour, 0x0000AA);
  EXPECT_EQ(rows[1].key, "CC3" "0002");  // its place in the day's list, not its file line
  EXPECT_EQ(rows[1].texts[5], "記念日2");
  EXPECT_EQ(rows[1].text_colour, 0x008001);
  EXPECT_EQ(rows[1].entry_position, 2u);
  EXPECT_EQ(rows[2].key, "T38" "0003");
  EXPECT_EQ(rows[2].kind(), '8');
  EXPECT_EQ(rows[2].texts[1], "2026/12/01(火)");
  EXPECT_EQ(rows[2].texts[2], "2026/12/10(木)");
  EXPECT_EQ(rows[2].texts[3], "書類提出");
  EXPECT_EQ(rows[2].texts[5], "仕事");
  EXPECT_TRUE(rows[2].memo);
  EXPECT_FALSE(rows[2].file);
  EXPECT_EQ(rows[2].icon, RowIcon::TodoState);
  EXPECT_EQ(rows[2].icon_number, 3);
}

TEST(SchListRows, AlarmIconWhilePendingElseCategoryIconAndColours) {
  const catalogues::CategoryTable categories({Sjis("仕事          1 00000255        007")});
  store::ScheduleFields f = Meeting();
  f.alarm1 = 1;
  const std::vector<std::string> today{store::MakeEntry("SC", '5', 0, Line(f))};
  DayListInput in = Input(today, MakeDate(2026, 12, 10));
  in.categories = &categories;
  in.alarm_icon_item = true;
  EXPECT_EQ(SchListRows(in)[0].icon, RowIcon::Alarm);  // 10:00 today, now 9:00
  in.now_minutes = 10 * 60 + 1;
  const SchListRow passed = SchListRows(in)[0];
  EXPECT_EQ(passed.icon, RowIcon::Category);
  EXPECT_EQ(passed.icon_number, 7);
  EXPECT_FALSE(passed.text_colour.has_value());  // SchColor off
  in.alarm_icon_item = false;
  in.now_minutes = 0;
  EXPECT_EQ(SchListRows(in)[0].icon, RowIcon::Category);
  in.sch_color = true;
  const SchListRow coloured = SchListRows(in)[0];
  EXPECT_EQ(coloured.text_colour, 255);
  EXPECT_FALSE(coloured.back_colour.has_value());
}

TEST(SchListColumns, FlagsWidthsAndTheHiddenIconColumn) {
  const std::vector<int> widths{20, 140, 140, 160, 120, 100, 32, 36, 38, 32};
  EXPECT_EQ(SchColumnWidth(kDefaultSchItem, widths, 0), 22);
  EXPECT_EQ(SchColumnWidth(kDefaultSchItem, widths, 3), 160);
  EXPECT_EQ(SchColumnWidth(kDefaultSchItem, widths, 5), 0);  // 分類 is off by default
  const std::string no_icon = ToggleSchColumn(kDefaultSchItem, 0);
  EXPECT_EQ(no_icon, "0111101111");
  EXPECT_EQ(SchColumnWidth(no_icon, widths, 0), 0);
  EXPECT_EQ(ToggleSchColumn(no_icon, 0), kDefaultSchItem);
  EXPECT_EQ(ToggleSchColumn("11", 9), "1111111110");
  EXPECT_TRUE(SchColumnShown("", 4));
  EXPECT_EQ(SchListColumns()[6].header_image, kImageMemo);
  EXPECT_TRUE(SchListColumns()[9].centred);
  EXPECT_FALSE(SchListColumns()[3].centred);
}

TEST(SchListSort, FirstClickSortsDescendingAndTheIconColumnDoesNotSort) {
  auto make = [](std::string title, int position) {
    SchListRow r;
    r.texts[3] = std::move(title);
    r.entry_position = static_cast<std::size_t>(position);
    return r;
  };
  std::vector<SchListRow> rows{make("b", 0), make("a", 1), make("c", 2), make("a", 3)};
  SchListSort sort;
  EXPECT_FALSE(sort.Click(rows, 0));
  EXPECT_EQ(sort.column(), -1);
  ASSERT_TRUE(sort.Click(rows, 3));
  EXPECT_EQ(sort.direction(3), -1);
  std::vector<std::size_t> order;
  for (const auto& r : rows) order.push_back(r.entry_position);
  EXPECT_EQ(order, (std::vector<std::size_t>{2, 0, 1, 3}));
  sort.Click(rows, 3);
  order.clear();
  for (const auto& r : rows) order.push_back(r.entry_position);
  EXPECT_EQ(order, (std::vector<std::size_t>{1, 3, 0, 2}));  // stable for equal texts
}

TEST(SchListHeight, ComputedDirectlyAndCapped) {
  const int r = SchListRowHeight(12, false);
  EXPECT_EQ(r, 21);
  EXPECT_EQ(SchListRowHeight(12, true), 27);
  EXPECT_EQ(SchListHeight(r, 0, 0, 600), 64);
  EXPECT_EQ(SchListHeight(r, 2, 0, 600), 64);
  EXPECT_EQ(SchListHeight(r, 3, 0, 600), 84);
  EXPECT_EQ(SchListHeight(r, 3, 90, 600), 90);   // what the list needs wins
  EXPECT_EQ(SchListHeight(r, 100, 0, 600), 300); // at most half the calendar side
  EXPECT_EQ(SchListHeight(r, 100, 5000, 100), 64);  // never below the three-row minimum
}

TEST(SchListBackground, DayKindThenDayFileColour) {
  const store::ColorSettings c = Colours();
  EXPECT_EQ(SchListBackground(store::kDayWeekday, "", c), 0xFFFFFF);
  EXPECT_EQ(SchListBackground(store::kDaySaturday, "", c), 0xFFEEEE);
  EXPECT_EQ(SchListBackground(store::kDaySunday, "00", c), 0xEEEEFF);
  EXPECT_EQ(SchListBackground(store::kDayPublicHoliday, "", c), 0xDDDDFF);
  EXPECT_EQ(SchListBackground(store::kDayPrivateHoliday, "", c), 0xCCCCFF);
  EXPECT_EQ(SchListBackground(store::kDaySunday, "01", c), 0xFFFFFF);   // weekday mark
  EXPECT_EQ(SchListBackground(store::kDayWeekday, "05", c), 0xCCCCFF);  // holiday mark
  EXPECT_EQ(SchListBackground(store::kDayWeekday, "09    $123456", c), 0x123456);
}

TEST(StatusBarEdit, PatternAndDefault) {
  store::Settings settings;
  settings.view.status_bar_form = "未設定";
  EXPECT_EQ(StatusBarEdit(settings, MakeDate(2026, 12, 10), MakeDate(2026, 12, 10)), " 未設定");
  settings.view.status_bar_form = "yyyy/mm/dd(aaa) q";
  EXPECT_EQ(StatusBarEdit(settings, MakeDate(2026, 12, 7), MakeDate(2026, 12, 10)), " 2026/12/07(月) -3");
}

TEST(SelectedDate, BlankCellsTakeTheMonthsLastDay) {
  EXPECT_EQ(store::DateText(CellSelectedDate(2026, 2, 31)), "2026/02/28");
  EXPECT_EQ(store::DateText(CellSelectedDate(2028, 2, 30)), "2028/02/29");
  EXPECT_EQ(store::DateText(CellSelectedDate(2026, 4, 15)), "2026/04/15");
  EXPECT_EQ(MiniModeCaption(MakeDate(2026, 1, 5)), "2026年1月5日(月)");
}

TEST(StatusBarEdit, SpecialLetters) {
  store::Settings settings;
  settings.view.status_bar_form = "q";
  EXPECT_EQ(StatusBarEdit(settings, MakeDate(2026, 12, 10), MakeDate(2026, 12, 10)), " 0");
  settings.view.status_bar_form = "s";
  EXPECT_EQ(StatusBarEdit(settings, MakeDate(2026, 1, 1), MakeDate(2026, 12, 10)), " やぎ座");
  settings.view.status_bar_form = "t";
  EXPECT_EQ(StatusBarEdit(settings, MakeDate(2020, 7, 1), MakeDate(2026, 12, 10)), " 子");
}

// ---- Delete ------------------------------------------------------------------------------------

class DeleteEntry : public ::testing::Test {
 protected:
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
};

TEST_F(DeleteEntry, AScheduleIsDeletedAfterTheConfirmation) {
  store::ScheduleFields other = Meeting();
  other.day = 3;
  other.title = "朝会";
  const std::string a = Line(other), b = Line(Meeting());
  dir.Write("202612.sch", a + "\r\n" + b + "\r\n");
  const std::string entry = store::MakeEntry("SC", '5', 1, b);
  dialogs.answers.push_back(platform::MsgAnswer::No);
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), entry, MakeDate(2026, 12, 10), true), DeleteResult::Cancelled);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「会議」を削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "スケジュールの削除");
  EXPECT_EQ(dir.Read("202612.sch"), a + "\r\n" + b + "\r\n");
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), entry, MakeDate(2026, 12, 10), true), DeleteResult::Deleted);
  EXPECT_EQ(dir.Read("202612.sch"), a + "\r\n");
}

TEST_F(DeleteEntry, ALineThatChangedMeanwhileIsRefused) {
  const std::string b = Line(Meeting());
  store::ScheduleFields changed = Meeting();
  changed.title = "会議（変更）";
  dir.Write("202612.sch", Line(changed) + "\r\n");
  const std::string entry = store::MakeEntry("SC", '5', 0, b);
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), entry, MakeDate(2026, 12, 10), false), DeleteResult::Stale);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, store::kStaleMessage);
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(dir.Read("202612.sch"), Line(changed) + "\r\n");
  // An index beyond the file is refused the same way.
  const std::string gone = store::MakeEntry("SC", '5', 7, b);
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), gone, MakeDate(2026, 12, 10), false), DeleteResult::Stale);
}

TEST_F(DeleteEntry, AMultiDayScheduleIsDeletedFromItsFirstDaysMonth) {
  store::ScheduleFields f = Meeting();
  f.day = 31;
  f.span = 3;
  f.link = "/home/u/plan.txt";
  const std::string line = Line(f);
  dir.Write("202612.sch", line + "\r\n");
  dir.Write("202701.sch", "");
  const std::string entry = calendar::BarEntry(1, 0, line, 2, true);
  EXPECT_TRUE(EntryMatchesLine(entry, line));
  EXPECT_TRUE(EntryMatchesLine(calendar::BarEntry(1, 0, line, 2, false), line));
  store::ScheduleFields moved = f;
  moved.link = "/home/u/other.txt";
  EXPECT_FALSE(EntryMatchesLine(entry, Line(moved)));
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), entry, MakeDate(2027, 1, 1), false), DeleteResult::Deleted);
  EXPECT_EQ(dir.Read("202612.sch"), "");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(DeleteEntry, HolidaysComputedEntriesAndToDoItems) {
  dir.WriteLines("Holiday.dat", {" 1 11949    000元日", "1224        002クリスマス"});
  const Date christmas = MakeDate(2026, 12, 24);
  const std::string computed = store::MakeEntry("CC", '0', 9999, Sjis("振替休日"));
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), computed, christmas, true), DeleteResult::Refused);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "自動設定した祝日については削除できません。");

  const std::string wrong = store::MakeEntry("CC", '2', 0, Sjis("クリスマス"));
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), wrong, christmas, false), DeleteResult::Stale);
  EXPECT_EQ(dialogs.shown.back().text, store::kHolidayGoneMessage);

  const std::string entry = store::MakeEntry("CC", '2', 1, Sjis("クリスマス"));
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), entry, christmas, true), DeleteResult::Deleted);
  EXPECT_EQ(dialogs.shown.back().text, "「クリスマス」を削除します。\nよろしいですか？");
  EXPECT_EQ(dir.Read("Holiday.dat"), Sjis(" 1 11949    000元日\r\n"));

  const std::string todo = store::MakeEntry("T3", '8', 0, Sjis("2026/12/24"));
  EXPECT_EQ(DeleteDayEntry(fs, dialogs, dir.path(), todo, christmas, true), DeleteResult::NotHandled);
}

}  // namespace
}  // namespace kal::mainwindow
