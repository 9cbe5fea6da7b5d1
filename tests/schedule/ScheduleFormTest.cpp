#include "schedule/ScheduleForm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::schedule {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using store::Date;
using store::MakeDate;
using test::Sjis;

std::string Pad(const std::string& cp932, std::size_t width) {
  std::string s = cp932;
  s.resize(width, ' ');
  return s;
}

// The fixed prefix of a line: day, times, category, styles, alarms.
std::string Prefix(const std::string& day, const std::string& start, const std::string& end,
                   const std::string& category, const std::string& codes) {
  return day + Pad(start, 5) + Pad(end, 5) + Pad(Sjis(category), 14) + codes;
}

class ScheduleFormTest : public ::testing::Test {
 protected:
  ScheduleFormTest() {
    now.date = MakeDate(2024, 5, 10);
    now.hour = 12;
    now.minute = 0;
    defaults.today = now.date;
    defaults.categories = &categories;
    defaults.alarm_offsets = {0, 1, 3, 5, 10, 15, 20, 30, 60};
  }

  ScheduleForm NewForm(const Date& date) {
    OpenRequest request;
    request.date = date;
    ScheduleForm form = OpenForm(request, defaults);
    form.title = "会議";
    return form;
  }

  UpdateResult Ok(ScheduleForm& form) {
    return SchUpdate(form, fs, dialogs, data.path(), now, holidays);
  }

  std::vector<std::string> Month(int y, int m) {
    return store::LoadLines(fs, store::MonthFilePath(data.path(), y, m));
  }

  test::TempFolder data;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  platform::LocalDateTime now;
  catalogues::CategoryTable categories{
      {Pad(Sjis("仕事"), 14) + "1 " + "00000000" + "16711680" + "001", Pad(Sjis("私用"), 14) + "1"}};
  FormDefaults defaults;
  calendar::HolidayOracle holidays;
};

// --- The checks of OK, in order -----------------------------------------------------------------

struct CheckCase {
  const char* name;
  std::function<void(ScheduleForm&)> set;
  std::string message;
  FormField field;
};

TEST_F(ScheduleFormTest, EachCheckShowsItsMessageAndFocusesItsField) {
  const std::vector<CheckCase> cases = {
      {"no title", [](ScheduleForm& f) { f.title = ""; }, "件名が未入力です。", FormField::Title},
      {"title before time",
       [](ScheduleForm& f) {
         f.title = "";
         f.alarm_on = true;
         f.start = "25:00";
       },
       "件名が未入力です。", FormField::Title},
      {"bad alarm time",
       [](ScheduleForm& f) {
         f.alarm_on = true;
         f.start = "9時";
         f.alarm1 = 1;
       },
       "アラームが設定できない時刻です。\n開始時刻を正しく入力して下さい。", FormField::StartTime},
      {"alarm without start",
       [](ScheduleForm& f) {
         f.alarm_on = true;
         f.alarm1 = 1;
       },
       "開始時刻を入力して下さい。", FormField::StartTime},
      {"no alarm chosen",
       [](ScheduleForm& f) {
         f.alarm_on = true;
         f.start = "15:00";
       },
       "アラーム時刻を選択して下さい。", FormField::Alarm1},
      {"same alarms",
       [](ScheduleForm& f) {
         f.alarm_on = true;
         f.start = "15:00";
         f.alarm1 = f.alarm2 = 3;
       },
       "アラーム1とアラーム2の時刻が同じです。", FormField::Alarm2},
      {"start after end",
       [](ScheduleForm& f) {
         f.alarm_on = true;
         f.start = "15:00";
         f.end = "14:30";
         f.alarm1 = 1;
       },
       "開始時刻 > 終了時刻", FormField::StartTime},
      {"multi-day end before start",
       [](ScheduleForm& f) {
         f.multi_day = true;
         f.to = MakeDate(2024, 5, 1);
       },
       "開始 ≦ 終了でなければなりません。", FormField::ToDate},
      {"three months",
       [](ScheduleForm& f) {
         f.multi_day = true;
         f.from = MakeDate(2024, 11, 30);
         f.to = MakeDate(2025, 1, 2);
       },
       "3ヶ月にまたがる期間は設定できません。", FormField::ToDate},
      {"daily multi-day series",
       [](ScheduleForm& f) {
         f.multi_day = true;
         f.to = MakeDate(2024, 5, 22);
         f.repeat.on = true;
         SetRepeatPattern(f, calendar::RepeatPattern::Day);
       },
       "連日のスケジュールは登録できません。", FormField::RepeatPattern},
      {"repeat period",
       [](ScheduleForm& f) { f.repeat.on = true; },  // period end = start, as the dialog opens
       "期間の入力に誤りがあります。", FormField::RepeatTo},
      {"shift without condition",
       [](ScheduleForm& f) {
         f.repeat.on = true;
         SetRepeatPattern(f, calendar::RepeatPattern::Month);
         f.repeat.rule.shift = calendar::RepeatShift::After;
       },
       "振替条件を選択して下さい。", FormField::RepeatShift},
      {"no occurrence",
       [](ScheduleForm& f) {
         f.repeat.on = true;
         f.repeat.rule.from = MakeDate(2024, 2, 1);
         f.repeat.rule.to = MakeDate(2024, 2, 28);
         f.repeat.rule.day = 30;
       },
       "登録するスケジュールがありません。", FormField::RepeatFrom},
      {"unstorable title", [](ScheduleForm& f) { f.title = "会議😀"; },
       "件名に保存できない文字「😀」が含まれています。", FormField::Title},
      {"unstorable place", [](ScheduleForm& f) { f.place = "A\u00e9"; },
       "場所に保存できない文字「\u00e9」が含まれています。", FormField::Place},
      {"unstorable memo", [](ScheduleForm& f) { f.memo = {"ok", "x😀"}; },
       "メモに保存できない文字「😀」が含まれています。", FormField::Memo},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.shown.clear();
    ScheduleForm form = NewForm(MakeDate(2024, 5, 20));
    c.set(form);
    UpdateResult result = Ok(form);
    EXPECT_FALSE(result.stored);
    ASSERT_TRUE(result.focus);
    EXPECT_EQ(*result.focus, c.field);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, c.message);
    EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
    EXPECT_TRUE(Month(2024, 5).empty());
    EXPECT_TRUE(Month(2024, 2).empty());
  }
}

TEST_F(ScheduleFormTest, WithoutAlarmAnUnreadableStartIsStoredAsTyped) {
  ScheduleForm form = NewForm(MakeDate(2024, 5, 20));
  form.start = "9時";
  form.end = "9:5";
  ASSERT_TRUE(Ok(form).stored);
  EXPECT_EQ(Month(2024, 5), (std::vector<std::string>{Prefix("20", Sjis("9時"), "09:05", "仕事", "0000") + Sjis("会議")}));
}

TEST_F(ScheduleFormTest, PastAlarmQuestionYesReturnsToStartTime) {
  ScheduleForm form = NewForm(now.date);
  form.alarm_on = true;
  form.start = "9:00";
  form.alarm1 = 2;
  dialogs.answers = {MsgAnswer::Yes};
  UpdateResult result = Ok(form);
  EXPECT_FALSE(result.stored);
  EXPECT_EQ(result.focus, FormField::StartTime);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "開始時刻を過ぎているためアラームは無効です。\n再入力しますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "警告");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_TRUE(Month(2024, 5).empty());
}

TEST_F(ScheduleFormTest, PastAlarmQuestionNoKeepsCodesTodayAndZeroesThemForAPastDate) {
  // Today, start 09:00 while it is 12:00: the alarm codes stay as chosen.
  ScheduleForm today = NewForm(now.date);
  today.alarm_on = true;
  today.start = "9:00";
  today.alarm1 = 2;
  today.alarm2 = 5;
  dialogs.answers = {MsgAnswer::No};
  ASSERT_TRUE(Ok(today).stored);
  // A past date (alarm switch set directly, as kalendor-cli can).
  ScheduleForm past = NewForm(MakeDate(2024, 5, 3));
  past.alarm_on = true;
  past.start = "09:00";
  past.alarm1 = 2;
  dialogs.answers = {MsgAnswer::No};
  ASSERT_TRUE(Ok(past).stored);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(Month(2024, 5), (std::vector<std::string>{Prefix("03", "09:00", "", "仕事", "0000") + Sjis("会議"),
                                                      Prefix("10", "09:00", "", "仕事", "0025") + Sjis("会議")}));
}

TEST_F(ScheduleFormTest, ALaterStartTodayAsksNothing) {
  ScheduleForm form = NewForm(now.date);
  form.alarm_on = true;
  form.start = "12:00";  // not later than now
  form.alarm1 = 1;
  ASSERT_TRUE(Ok(form).stored);
  EXPECT_TRUE(dialogs.shown.empty());
}

// --- Multi-day limits ---------------------------------------------------------------------------

TEST_F(ScheduleFormTest, MultiDayPeriodLimit) {
  EXPECT_TRUE(SpansThreeMonths(MakeDate(2024, 11, 30), MakeDate(2025, 1, 2)));
  EXPECT_FALSE(SpansThreeMonths(MakeDate(2024, 12, 20), MakeDate(2025, 1, 10)));
  EXPECT_FALSE(SpansThreeMonths(MakeDate(2024, 1, 31), MakeDate(2024, 2, 29)));

  ScheduleForm form = NewForm(MakeDate(2024, 12, 20));
  SetMultiDay(form, true, 3);
  SetToDate(form, MakeDate(2025, 1, 10), now.date);
  EXPECT_EQ(form.span, 22);
  UpdateResult result = Ok(form);
  ASSERT_TRUE(result.stored);
  EXPECT_TRUE(dialogs.shown.empty());
  ASSERT_EQ(Month(2024, 12).size(), 1u);
  EXPECT_EQ(store::ReadScheduleLine(Month(2024, 12)[0]).span, 22);
}

TEST_F(ScheduleFormTest, MultiDaySeriesOccurrenceBeyondTheLimitIsRefusedWithItsDate) {
  // 40 days from the 25th end two months on.
  ScheduleForm form = NewForm(MakeDate(2024, 5, 20));
  SetMultiDay(form, true, 3);
  SetSpan(form, 40);
  form.repeat.on = true;
  form.repeat.rule.from = MakeDate(2024, 5, 20);
  SetRepeatPattern(form, calendar::RepeatPattern::Month);  // to 2025/05/20
  form.repeat.rule.day = 25;
  UpdateResult result = Ok(form);
  EXPECT_FALSE(result.stored);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  // The dialog's own period (20 May to 28 June) is fine; 25 May + 39 days is 3 July.
  EXPECT_EQ(dialogs.shown[0].text, "3ヶ月にまたがる期間は設定できません。\n2024/05/25");
  EXPECT_EQ(result.focus, FormField::Span);
  EXPECT_TRUE(Month(2024, 6).empty());
}

// --- Interactive rules --------------------------------------------------------------------------

TEST_F(ScheduleFormTest, DatesSpanAndKind) {
  ScheduleForm form = NewForm(MakeDate(2024, 5, 20));
  SetToDate(form, MakeDate(2024, 5, 25), now.date);
  EXPECT_EQ(form.to, form.from) << "single-day: the end follows the start";
  SetMultiDay(form, true, 4);
  EXPECT_EQ(form.bar_style, 4);
  SetToDate(form, MakeDate(2024, 5, 25), now.date);
  EXPECT_EQ(form.span, 6);
  SetToDate(form, MakeDate(2024, 5, 1), now.date);
  EXPECT_EQ(form.to, form.from) << "an end before the start becomes the start";
  EXPECT_EQ(form.span, 1);
  SetSpan(form, 3);
  EXPECT_EQ(form.to, MakeDate(2024, 5, 22));
  SetFromDate(form, MakeDate(2024, 5, 1), now.date);
  EXPECT_EQ(form.span, 22);
  EXPECT_FALSE(form.alarm_enabled) << "a date before today";
  SetFromDate(form, MakeDate(2024, 5, 23), now.date);
  EXPECT_EQ(form.to, MakeDate(2024, 5, 23));
  EXPECT_TRUE(form.alarm_enabled);
  form.background = Background::Custom;
  SetMultiDay(form, false, 4);
  EXPECT_EQ(form.background, Background::Keep);
  EXPECT_EQ(form.to, form.from);
}

TEST_F(ScheduleFormTest, PastDateUnticksAndDisablesAlarm) {
  defaults.alarm_check_on = true;
  defaults.alarm_time1 = 3;
  defaults.alarm_time2 = 12;  // beyond the list: no alarm
  OpenRequest request;
  request.date = MakeDate(2024, 5, 9);
  ScheduleForm form = OpenForm(request, defaults);
  EXPECT_FALSE(form.alarm_on);
  EXPECT_FALSE(form.alarm_enabled);
  EXPECT_EQ(form.alarm1, 3);
  EXPECT_EQ(form.alarm2, 0);
  request.date = now.date;
  form = OpenForm(request, defaults);
  EXPECT_TRUE(form.alarm_on);
  EXPECT_TRUE(form.alarm_enabled);
}

TEST_F(ScheduleFormTest, CategoryColoursEndTimeAndCut) {
  ScheduleForm form = NewForm(now.date);
  EXPECT_EQ(form.category, "仕事") << "new: first category selected";
  EXPECT_EQ(form.text_colour, 0);
  EXPECT_EQ(form.bar_colour, 16711680);
  SetCategory(form, categories.Entry(1));
  EXPECT_EQ(form.text_colour, 0x000000);
  EXPECT_EQ(form.bar_colour, 0x80FF80);

  form.start = "10:00";
  form.end = "09:30";
  EndTimeDropDown(form);
  EXPECT_EQ(form.end, "10:00");
  form.end = "11:00";
  EndTimeDropDown(form);
  EXPECT_EQ(form.end, "11:00");

  // 39 ASCII bytes and a double-byte character: 41 bytes, cut to 39.
  const std::string typed = std::string(39, 'a') + "あ";
  CutText cut = CutEntryText(typed);
  EXPECT_EQ(cut.text, std::string(39, 'a'));
  EXPECT_TRUE(cut.beep);
  EXPECT_FALSE(CutEntryText(std::string(38, 'a') + "あ").beep);
}

TEST_F(ScheduleFormTest, APastedOverlongPlaceNeverSpillsIntoTheDetailNumber) {
  ScheduleForm form = NewForm(MakeDate(2024, 5, 20));
  form.place = std::string(45, 'p');
  form.memo = {"memo"};
  ASSERT_TRUE(Ok(form).stored);
  const std::vector<std::string> lines = Month(2024, 5);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 113u);
  EXPECT_EQ(lines[0].substr(70, 40), std::string(40, 'p'));
  EXPECT_EQ(lines[0].substr(110), "001");
}

TEST_F(ScheduleFormTest, ANewScheduleFromATimelineHalfHourTakesItsTimes) {
  OpenRequest request;
  request.date = MakeDate(2024, 5, 20);
  request.start_time = "14:30";
  request.end_time = "15:30";
  ScheduleForm form = OpenForm(request, defaults);
  EXPECT_EQ(form.start, "14:30");
  EXPECT_EQ(form.end, "15:30");
  // A change keeps the times of its line.
  request.mode = EntryMode::Change;
  request.source = store::OldSchedule{2024, 5, 0, Prefix("20", "09:00", "10:00", "仕事", "0000") + Sjis("会議")};
  form = OpenForm(request, defaults);
  EXPECT_EQ(form.start, "09:00");
  EXPECT_EQ(form.end, "10:00");
}

TEST_F(ScheduleFormTest, CaptionsAndRepeatOffering) {
  EXPECT_EQ(FormCaption(EntryMode::New), "スケジュールの追加");
  EXPECT_EQ(FormCaption(EntryMode::Change), "スケジュールの訂正");
  EXPECT_EQ(FormCaption(EntryMode::Copy), "スケジュールのコピー");
  EXPECT_EQ(FormCaption(EntryMode::TodoCopy), "ToDoをスケジュールにコピー");
  OpenRequest request;
  request.date = MakeDate(2024, 5, 20);
  request.source = store::OldSchedule{2024, 5, 0, Prefix("20", "", "", "仕事", "0000") + Sjis("会議")};
  request.mode = EntryMode::Copy;
  EXPECT_TRUE(OpenForm(request, defaults).repeat_allowed);
  request.mode = EntryMode::Change;
  EXPECT_FALSE(OpenForm(request, defaults).repeat_allowed);
  request.source.reset();
  ScheduleForm fallback = OpenForm(request, defaults);
  EXPECT_EQ(fallback.mode, EntryMode::New) << "change without a selection becomes new";
  EXPECT_TRUE(fallback.repeat_allowed);
}

TEST_F(ScheduleFormTest, OpeningAChangeFillsEveryFieldFromTheLine) {
  std::string line = Prefix("07", "09:00", "10:00", "私用", "3293") + Pad(Sjis("会議"), 40) + Pad(Sjis("本社"), 40) +
                     "002" + "03" + "$0000FF" + "$00FF00" + "5" + "  " + "0" + "doc/a.txt";
  store::OldSchedule source{2024, 4, 3, line};
  data.Write("202404.dtl", Sjis("002,一行目,\"二 行目\"\r\n"));
  OpenRequest request;
  request.mode = EntryMode::Change;
  request.date = MakeDate(2024, 4, 9);
  request.source = source;
  defaults.alarm_offsets = {5, 10, 15};  // a shortened table: code 9 is beyond it
  defaults.today = MakeDate(2024, 4, 1);
  ScheduleForm form = OpenForm(request, defaults, LoadSourceMemo(fs, data.path(), source));
  EXPECT_EQ(form.from, MakeDate(2024, 4, 7));
  EXPECT_EQ(form.to, MakeDate(2024, 4, 9));
  EXPECT_TRUE(form.multi_day);
  EXPECT_EQ(form.span, 3);
  EXPECT_EQ(form.start, "09:00");
  EXPECT_EQ(form.end, "10:00");
  EXPECT_EQ(form.title, "会議");
  EXPECT_EQ(form.place, "本社");
  EXPECT_EQ(form.category, "私用");
  EXPECT_TRUE(form.bold);
  EXPECT_TRUE(form.italic);
  EXPECT_FALSE(form.underline);
  EXPECT_TRUE(form.strikeout);
  EXPECT_TRUE(form.alarm_on);
  EXPECT_EQ(form.alarm1, 0) << "code 9 beyond a table of three shows ----";
  EXPECT_EQ(form.alarm2, 3);
  EXPECT_EQ(form.text_colour, 0x0000FF);
  EXPECT_EQ(form.bar_colour, 0x00FF00);
  EXPECT_EQ(form.bar_style, 5);
  EXPECT_EQ(form.link, "doc/a.txt");
  EXPECT_EQ(form.memo, (std::vector<std::string>{"一行目", "二 行目"}));
  EXPECT_EQ(AlarmChoiceOfCode("x", 3), 1);
  EXPECT_EQ(AlarmChoiceOfCode(" ", 0), 0);
}

TEST_F(ScheduleFormTest, HistoryListsAreSortedWithoutRepeats) {
  test::TempFolder tables;
  tables.WriteLines("SchTitle.tbl", {"打合せ", "Apple"});
  auto line = [](const std::string& day, const std::string& title, const std::string& place = "") {
    return Prefix(day, "", "", "仕事", "0000") + (place.empty() ? Sjis(title) : Pad(Sjis(title), 40) + Sjis(place));
  };
  data.Write("202405.sch", line("05", "会議") + "\r\n" + line("06", "apple") + "\r\n" + line("07", "Zoo") + "\r\n");
  data.Write("202404.sch", line("05", "会議", "東京") + "\r\n");
  data.Write("202403.sch", line("05", "三月") + "\r\n");
  EntryLists lists = LoadEntryLists(fs, tables.path(), data.path(), MakeDate(2024, 5, 20), false);
  EXPECT_EQ(lists.titles, (std::vector<std::string>{"Apple", "apple", "Zoo", "会議", "打合せ"}));
  EXPECT_EQ(lists.places, (std::vector<std::string>{"東京"}));
  ASSERT_FALSE(lists.starts.empty());
  EXPECT_EQ(lists.starts.front(), "08:00") << "built-in times when SchFrom.tbl is missing";
  EntryLists bare = LoadEntryLists(fs, tables.path(), data.path(), MakeDate(2024, 5, 20), true);
  EXPECT_EQ(bare.titles, (std::vector<std::string>{"Apple", "打合せ"}));
}

// --- Golden lines ----------------------------------------------------------------------------------

TEST_F(ScheduleFormTest, GoldenSingleDayLines) {
  ScheduleForm form = NewForm(MakeDate(2024, 5, 20));
  form.start = "9:00";
  form.end = "10:30";
  form.bold = true;
  form.underline = form.strikeout = true;
  form.alarm_on = true;
  form.alarm1 = 2;
  form.alarm2 = 9;
  ASSERT_TRUE(Ok(form).stored);

  ScheduleForm placed = NewForm(MakeDate(2024, 5, 5));
  placed.place = "本社 ";
  ASSERT_TRUE(Ok(placed).stored);

  EXPECT_EQ(data.Read("202405.sch"),
            Prefix("05", "", "", "仕事", "0000") + Pad(Sjis("会議"), 40) + Sjis("本社") + "\r\n" +
                Prefix("20", "09:00", "10:30", "仕事", "1329") + Sjis("会議") + "\r\n");
  EXPECT_FALSE(data.Exists("202405.dtl"));
}

TEST_F(ScheduleFormTest, GoldenMemoLinkAndMultiDayLines) {
  ScheduleForm memo = NewForm(MakeDate(2024, 5, 20));
  memo.memo = {"持ち物", "資料, 名刺"};
  memo.link = "docs/agenda.txt  ";
  UpdateResult r = Ok(memo);
  ASSERT_TRUE(r.stored);
  ASSERT_EQ(r.schedules.size(), 1u);
  EXPECT_EQ(r.schedules[0].detail, 1);

  ScheduleForm bar = NewForm(MakeDate(2024, 5, 30));
  SetMultiDay(bar, true, 3);
  SetToDate(bar, MakeDate(2024, 6, 2), now.date);
  bar.text_colour = 0x0000FF;
  bar.bar_colour = 0xC0C0C0;
  ASSERT_TRUE(Ok(bar).stored);

  EXPECT_EQ(data.Read("202405.sch"),
            Prefix("20", "", "", "仕事", "0000") + Pad(Sjis("会議"), 40) + Pad("", 40) + "001" + Pad("", 19) + "0" +
                "docs/agenda.txt\r\n" +
                Prefix("30", "", "", "仕事", "0000") + Pad(Sjis("会議"), 40) + Pad("", 40) + "000" + "04" +
                "$0000FF" + "$C0C0C0" + "3" + "\r\n");
  EXPECT_EQ(data.Read("202405.dtl"), Sjis("001,持ち物,\"資料, 名刺\"\r\n"));
}

TEST_F(ScheduleFormTest, GoldenBackgroundChoices) {
  data.Write("202405.day", "00\r\n00\r\n00112 $00FF00   25\r\n");
  struct Case {
    int day;
    Background background;
    std::string line;
  } cases[] = {
      {1, Background::Holiday, "05"},
      {2, Background::Weekday, "01112" + std::string(11, ' ') + "25"},
      {3, Background::Custom, "09    $123456"},
      {4, Background::Restore, "00"},
  };
  for (const Case& c : cases) {
    ScheduleForm form = NewForm(MakeDate(2024, 5, c.day));
    form.background = c.background;
    form.custom_colour = 0x123456;
    ASSERT_TRUE(Ok(form).stored);
  }
  std::vector<std::string> lines = store::LoadLines(fs, data / "202405.day");
  ASSERT_EQ(lines.size(), 32u);
  for (const Case& c : cases) EXPECT_EQ(lines[static_cast<std::size_t>(c.day)], c.line) << c.day;
  EXPECT_EQ(lines[5], "00");

  // "変更しない" leaves the day file alone; a multi-day schedule never writes it.
  test::TempFolder other;
  ScheduleForm keep = NewForm(MakeDate(2024, 5, 6));
  EXPECT_TRUE(SchUpdate(keep, fs, dialogs, other.path(), now, holidays).stored);
  EXPECT_FALSE(other.Exists("202405.day"));
}

// --- Change, copy and series ----------------------------------------------------------------------

TEST_F(ScheduleFormTest, ChangingTheDateToAnotherMonthTakesTheMemoAlong) {
  const std::string moved = Prefix("10", "", "", "仕事", "0000") + Pad(Sjis("会議"), 40) + Pad("", 40) + "002";
  const std::string other = Prefix("12", "", "", "仕事", "0000") + "other";
  data.Write("202405.sch", moved + "\r\n" + other + "\r\n");
  data.WriteLines("202405.dtl", {"001,keep", "002,旧メモ"});
  data.Write("202406.sch", Prefix("01", "", "", "仕事", "0000") + Pad("x", 40) + Pad("", 40) + "001\r\n");
  store::OldSchedule source{2024, 5, 0, moved};
  OpenRequest request;
  request.mode = EntryMode::Change;
  request.date = MakeDate(2024, 5, 10);
  request.source = source;
  ScheduleForm form = OpenForm(request, defaults, LoadSourceMemo(fs, data.path(), source));
  EXPECT_EQ(form.memo, std::vector<std::string>{"旧メモ"});
  SetFromDate(form, MakeDate(2024, 6, 3), now.date);
  ASSERT_TRUE(Ok(form).stored);
  EXPECT_EQ(Month(2024, 5), std::vector<std::string>{other});
  EXPECT_EQ(data.Read("202405.dtl"), "001,keep\r\n");
  const std::vector<std::string> june = Month(2024, 6);
  ASSERT_EQ(june.size(), 2u);
  EXPECT_EQ(store::DetailNumber(june[1]), 2);
  EXPECT_EQ(data.Read("202406.dtl"), Sjis("002,旧メモ\r\n"));
}

TEST_F(ScheduleFormTest, AChangeOfALineChangedElsewhereIsRefused) {
  const std::string line = Prefix("10", "", "", "仕事", "0000") + Sjis("会議");
  data.Write("202405.sch", Prefix("02", "", "", "仕事", "0000") + "new\r\n" + line + "\r\n");
  OpenRequest request;
  request.mode = EntryMode::Change;
  request.date = MakeDate(2024, 5, 10);
  request.source = store::OldSchedule{2024, 5, 0, line};  // seen at index 0 before "new" came
  ScheduleForm form = OpenForm(request, defaults);
  form.title = "変更";
  UpdateResult result = Ok(form);
  EXPECT_FALSE(result.stored);
  EXPECT_FALSE(result.focus);
  EXPECT_EQ(result.refusal, store::StoreStatus::Stale);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, store::kStaleMessage);
  EXPECT_EQ(Month(2024, 5).size(), 2u);
  EXPECT_EQ(Month(2024, 5)[1], line);
}

TEST_F(ScheduleFormTest, CopyStoresANewLineAndItsOwnMemo) {
  const std::string line = Prefix("10", "", "", "仕事", "0000") + Pad(Sjis("会議"), 40) + Pad("", 40) + "001";
  data.Write("202405.sch", line + "\r\n");
  data.Write("202405.dtl", Sjis("001,メモ\r\n"));
  store::OldSchedule source{2024, 5, 0, line};
  OpenRequest request;
  request.mode = EntryMode::Copy;
  request.date = MakeDate(2024, 5, 10);
  request.source = source;
  ScheduleForm form = OpenForm(request, defaults, LoadSourceMemo(fs, data.path(), source));
  SetFromDate(form, MakeDate(2024, 5, 11), now.date);
  ASSERT_TRUE(Ok(form).stored);
  const std::vector<std::string> lines = Month(2024, 5);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], line);
  EXPECT_EQ(store::DetailNumber(lines[1]), 2);
  EXPECT_EQ(data.Read("202405.dtl"), Sjis("001,メモ\r\n002,メモ\r\n"));
}

TEST_F(ScheduleFormTest, MonthlySeriesStoresEveryOccurrenceWithItsOwnDetail) {
  ScheduleForm form = NewForm(MakeDate(2024, 1, 31));
  form.memo = {"月末"};
  form.alarm_on = true;
  form.start = "13:00";
  form.alarm1 = 1;
  form.repeat.on = true;
  form.repeat.rule.from = MakeDate(2024, 1, 31);
  SetRepeatPattern(form, calendar::RepeatPattern::Month);
  EXPECT_EQ(form.repeat.rule.to, MakeDate(2025, 1, 31));
  EXPECT_EQ(RepeatCountLabel(form, holidays), "まで 8件");
  now.date = MakeDate(2024, 3, 1);
  dialogs.answers = {MsgAnswer::No};  // the first occurrence's alarm lies in the past
  UpdateResult result = Ok(form);
  ASSERT_TRUE(result.stored);
  ASSERT_EQ(result.schedules.size(), 8u);
  const int months[] = {1, 3, 5, 7, 8, 10, 12};
  for (int m : months) {
    SCOPED_TRACE(m);
    const std::vector<std::string> lines = Month(2024, m);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 2), "31");
    EXPECT_EQ(lines[0].substr(28, 2), m == 1 ? "00" : "10") << "no alarm for a past date";
    EXPECT_EQ(store::DetailNumber(lines[0]), 1);
    EXPECT_EQ(store::ReadDetail(fs, data.path(), 2024, m, 1), std::vector<std::string>{"月末"});
  }
  EXPECT_EQ(Month(2025, 1).size(), 1u);
  EXPECT_TRUE(Month(2024, 2).empty());
}

TEST_F(ScheduleFormTest, SeriesReportsTheFinalIndexes) {
  data.WriteLines("202405.sch", {"25          仕事          0000late"});
  ScheduleForm form = NewForm(MakeDate(2024, 5, 1));
  form.repeat.on = true;
  form.repeat.rule.pattern = calendar::RepeatPattern::Week;
  form.repeat.rule.weekday = 3;  // Wednesday
  form.repeat.rule.from = MakeDate(2024, 5, 1);
  form.repeat.rule.to = MakeDate(2024, 5, 31);
  UpdateResult result = Ok(form);
  ASSERT_TRUE(result.stored);
  ASSERT_EQ(result.schedules.size(), 5u);
  const std::size_t expected[] = {0, 1, 2, 3, 5};  // 1, 8, 15, 22 | late 25 | 29
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(result.schedules[i].index, expected[i]) << i;
}

TEST_F(ScheduleFormTest, RepeatControls) {
  ScheduleForm form = NewForm(MakeDate(2024, 5, 31));
  EXPECT_EQ(form.repeat.rule.day, 31);
  EXPECT_EQ(form.repeat.rule.weekday, 5);
  SetRepeatPattern(form, calendar::RepeatPattern::Day);
  EXPECT_EQ(form.repeat.days, 10);
  EXPECT_EQ(form.repeat.rule.to, MakeDate(2024, 6, 9));
  SetRepeatDays(form, 3);
  EXPECT_EQ(form.repeat.rule.to, MakeDate(2024, 6, 2));
  SetRepeatPattern(form, calendar::RepeatPattern::Year);
  EXPECT_EQ(form.repeat.rule.to, MakeDate(2034, 5, 31));
  SetRepeatCycle(form, calendar::RepeatCycle::ByWeekday);
  EXPECT_TRUE(form.repeat.rule.last) << "the fifth Friday reads as the last";
  EXPECT_EQ(RepeatDayIndex(form.repeat.rule), 4);
  EXPECT_EQ(RepeatDayChoices(calendar::RepeatCycle::ByWeekday)[4], "最終");
  SetRepeatCycle(form, calendar::RepeatCycle::ByDate);
  EXPECT_EQ(RepeatDayIndex(form.repeat.rule), 30);
  SetRepeatDayIndex(form.repeat.rule, 31);
  EXPECT_TRUE(form.repeat.rule.last);
  EXPECT_EQ(RepeatDayChoices(calendar::RepeatCycle::ByDate)[31], "末日");
  EXPECT_EQ(RepeatCountLabel(form, holidays), "") << "nothing shown while unticked";
}

TEST_F(ScheduleFormTest, ASeriesWhoseMonthHasNoFreeDetailNumberStoresThatOccurrenceWithoutItsMemo) {
  std::string may;
  for (int n = 1; n <= 999; ++n) {
    char detail[4];
    std::snprintf(detail, sizeof detail, "%03d", n);
    may += Prefix("01", "", "", "仕事", "0000") + Pad("x", 40) + Pad("", 40) + detail + "\r\n";
  }
  data.Write("202405.sch", may);
  ScheduleForm form = NewForm(MakeDate(2024, 5, 20));
  form.memo = {"メモ"};
  form.repeat.on = true;
  form.repeat.rule.from = MakeDate(2024, 5, 20);
  form.repeat.rule.to = MakeDate(2024, 6, 20);
  UpdateResult result = Ok(form);
  ASSERT_TRUE(result.stored);
  ASSERT_EQ(result.schedules.size(), 2u);
  EXPECT_EQ(result.schedules[0].detail, 0);
  EXPECT_EQ(result.schedules[1].detail, 1);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "メモの最大登録件数をオーバーしています。\nはこれ以上登録できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "最大件数オーバー");
  const std::vector<std::string> lines = Month(2024, 5);
  ASSERT_EQ(lines.size(), 1000u);
  EXPECT_EQ(lines.back(), Prefix("20", "", "", "仕事", "0000") + Sjis("会議"));
  EXPECT_EQ(store::ReadDetail(fs, data.path(), 2024, 6, 1), std::vector<std::string>{"メモ"});
}

TEST_F(ScheduleFormTest, ASelectedRangeOfDaysMakesAMultiDaySchedule) {
  defaults.extend_bar = 1;
  OpenRequest request;
  request.date = MakeDate(2024, 3, 10);
  request.range_end = MakeDate(2024, 3, 5);  // selected backwards
  ScheduleForm form = OpenForm(request, defaults);
  EXPECT_TRUE(form.multi_day);
  EXPECT_EQ(form.from, MakeDate(2024, 3, 5));
  EXPECT_EQ(form.to, MakeDate(2024, 3, 10));
  EXPECT_EQ(form.span, 6);
  EXPECT_EQ(form.bar_style, 1);
  form.title = "展示会";
  now.date = MakeDate(2024, 3, 1);
  ASSERT_TRUE(Ok(form).stored);
  EXPECT_EQ(Month(2024, 3), std::vector<std::string>{Prefix("05", "", "", "仕事", "0000") + Pad(Sjis("展示会"), 40) +
                                                     Pad("", 40) + "000" + "06" + "$000000" + "$FF0000" + "1"});
}

TEST_F(ScheduleFormTest, ACopyFromAToDoItemPreselectsTheCallersCategory) {
  OpenRequest request;
  request.mode = EntryMode::TodoCopy;
  request.date = MakeDate(2024, 5, 20);
  request.todo_category = "私用";
  ScheduleForm form = OpenForm(request, defaults);
  EXPECT_EQ(form.mode, EntryMode::TodoCopy);
  EXPECT_EQ(form.category, "私用");
  EXPECT_FALSE(form.repeat_allowed);
  request.todo_category = "なし";
  EXPECT_EQ(OpenForm(request, defaults).category, "") << "an unknown category selects none";
}

TEST_F(ScheduleFormTest, ACopyFromAToDoItemTakesItsTitleLinkAndMemo) {
  OpenRequest request;
  request.mode = EntryMode::TodoCopy;
  request.date = MakeDate(2024, 5, 20);
  request.todo_title = "見積";
  request.todo_link = "/home/u/a.xls";
  request.todo_memo = {"一行", "二行"};
  ScheduleForm form = OpenForm(request, defaults);
  EXPECT_EQ(form.title, "見積");
  EXPECT_EQ(form.link, "/home/u/a.xls");
  EXPECT_EQ(form.memo, (std::vector<std::string>{"一行", "二行"}));
  EXPECT_TRUE(form.memo_changed);
  ASSERT_TRUE(Ok(form).stored);
  EXPECT_EQ(Month(2024, 5).size(), 1u);
  EXPECT_EQ(Month(2024, 5)[0].substr(110, 3), "001");
}

TEST(ScheduleLink, RelativeToTheProgramFolderOnlyWhenAsked) {
  EXPECT_EQ(LinkForChosenFile("/opt/kal/docs/a.txt", "/opt/kal/", true), "docs/a.txt");
  EXPECT_EQ(LinkForChosenFile("/home/u/a.txt", "/opt/kal/", true), "../../home/u/a.txt");
  EXPECT_EQ(LinkForChosenFile("/opt/kal/docs/a.txt", "/opt/kal/", false), "/opt/kal/docs/a.txt");
  EXPECT_EQ(LinkFullPath("docs/a.txt ", "/opt/kal/"), "/opt/kal/docs/a.txt");
  EXPECT_EQ(LinkFullPath("/home/u/a.txt", "/opt/kal/"), "/home/u/a.txt");
}

}  // namespace
}  // namespace kal::schedule
