#include "store/ScheduleFile.h"

#include <gtest/gtest.h>

#include <tuple>

#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// The 30-byte prefix every line starts with.
std::string Prefix(const std::string& day, const std::string& start, const std::string& end,
                   const std::string& category_cp932, const std::string& codes) {
  return day + start + end + category_cp932 + Blanks(14 - category_cp932.size()) + codes;
}

ScheduleFields Meeting() {
  ScheduleFields f;
  f.day = 5;
  f.start = "09:00";
  f.end = "10:00";
  f.category = "会議";
  f.font_style = 1;
  f.alarm1 = 1;
  f.title = "打合せ";
  return f;
}

std::string Build(const ScheduleFields& f) {
  BuildResult r = BuildScheduleLine(f);
  EXPECT_TRUE(r.ok) << r.message;
  return r.line;
}

// --- Line shapes ---------------------------------------------------------------------------

TEST(ScheduleLine, GoldenBytesOfEachShape) {
  const std::string prefix = Prefix("05", "09:00", "10:00", Sjis("会議"), "1010");
  const std::string title = Sjis("打合せ");
  const std::string title40 = title + Blanks(40 - title.size());
  const std::string place = Sjis("本社");

  ScheduleFields f = Meeting();
  std::string title_only = Build(f);
  EXPECT_EQ(title_only, prefix + title);
  EXPECT_EQ(title_only.size(), 36u);

  f.place = "本社  ";
  EXPECT_EQ(Build(f), prefix + title40 + place);

  f.detail = 7;
  std::string with_detail = Build(f);
  EXPECT_EQ(with_detail, prefix + title40 + place + Blanks(36) + "007");
  EXPECT_EQ(with_detail.size(), 113u);

  ScheduleFields multi = Meeting();
  multi.start = multi.end = "";
  multi.span = 3;
  multi.text_colour = 0x0000FF;
  multi.bar_colour = 0x80FF80;
  multi.bar_style = 3;
  std::string multi_line = Build(multi);
  EXPECT_EQ(multi_line, Prefix("05", Blanks(5), Blanks(5), Sjis("会議"), "1010") + title40 + Blanks(40) + "000" +
                            "03" + "$0000FF" + "$80FF80" + "3");
  EXPECT_EQ(multi_line.size(), 130u);

  ScheduleFields linked = Meeting();
  linked.link = "/home/u/資料 1.txt  ";
  EXPECT_EQ(Build(linked), prefix + title + Blanks(132 - 36) + "0" + Sjis("/home/u/資料 1.txt"));
  multi.link = "a.txt";
  EXPECT_EQ(Build(multi), multi_line + "  0a.txt");
}

TEST(ScheduleLine, TitleOnlyEndsAsTypedAndControlCharactersBecomeBlanks) {
  ScheduleFields f = Meeting();
  f.title = "a\tb";
  EXPECT_EQ(Build(f).substr(30), "a b");
  f.title = "ab";
  f.place = "   ";  // a blank place is no place
  EXPECT_EQ(Build(f).size(), 32u);
}

TEST(ScheduleLine, TextsAreCutAtACharacterBoundary) {
  ScheduleFields f = Meeting();
  f.detail = 1;
  // 45 bytes: the 40th byte would be the first half of a double-byte character.
  std::string place = "a";
  for (int i = 0; i < 22; ++i) place += "あ";
  f.place = place;
  std::string line = Build(f);
  ASSERT_EQ(line.size(), 113u);
  std::string expected = "a";
  for (int i = 0; i < 19; ++i) expected += Sjis("あ");
  EXPECT_EQ(line.substr(70, 40), expected + " ");
  EXPECT_EQ(ReadScheduleLine(line).place, CutUtf8ToWidth(place, 39));

  // A title that ends the line is cut the same way, without padding.
  ScheduleFields t = Meeting();
  t.title = place;
  EXPECT_EQ(Build(t).substr(30), expected);
  // The category is cut to 14 bytes.
  t.category = "あいうえおかきく";
  EXPECT_EQ(Build(t).substr(12, 14), Sjis("あいうえおかき"));
}

TEST(ScheduleLine, RefusesACharacterCp932CannotHold) {
  struct Case {
    std::string ScheduleFields::*member;
    const char* name;
  } cases[] = {{&ScheduleFields::title, "件名"},
               {&ScheduleFields::place, "場所"},
               {&ScheduleFields::category, "分類"},
               {&ScheduleFields::link, "ファイル"}};
  for (const auto& c : cases) {
    ScheduleFields f = Meeting();
    f.*(c.member) = "x😀y";
    BuildResult r = BuildScheduleLine(f);
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_EQ(r.field, c.name);
    EXPECT_EQ(r.bad, "😀");
    EXPECT_EQ(r.message, UnencodableMessage(c.name, "😀"));
    EXPECT_TRUE(r.line.empty());
  }
}

TEST(ScheduleLine, ReadsBackWhatWasBuilt) {
  ScheduleFields single = Meeting();
  single.place = "本社";
  single.detail = 12;
  single.link = "C:\\文書\\a.doc";
  ScheduleFields multi = Meeting();
  multi.span = 62;
  multi.text_colour = 0x123456;
  multi.bar_colour = 0xABCDEF;
  multi.bar_style = 5;
  multi.alarm2 = 9;
  multi.line_style = 3;
  for (const auto& f : {Meeting(), single, multi}) EXPECT_EQ(ReadScheduleLine(Build(f)), f);
}

TEST(ScheduleLine, ReadsShortLinesAndTheSpanRule) {
  ScheduleFields f = Meeting();
  f.detail = 4;
  std::string line = Build(f);
  ASSERT_EQ(line.size(), 113u);
  ScheduleTexts t = ReadScheduleTexts(line);
  EXPECT_EQ(t.detail, "004");
  EXPECT_EQ(t.span, "");
  EXPECT_EQ(t.text_colour, "");
  EXPECT_EQ(t.bar_colour, "");
  EXPECT_EQ(t.bar_style, "");
  EXPECT_EQ(t.link, "");
  EXPECT_FALSE(IsMultiDay(line));
  ScheduleFields read = ReadScheduleLine(line);
  EXPECT_EQ(read.span, 0);
  EXPECT_EQ(read.text_colour, kDefaultScheduleTextColour);
  EXPECT_EQ(read.bar_colour, kDefaultScheduleBarColour);

  EXPECT_TRUE(IsMultiDay(line + "01"));
  EXPECT_EQ(ReadScheduleLine(line + "01").span, 1);
  EXPECT_FALSE(IsMultiDay(line + "  "));
  EXPECT_FALSE(IsMultiDay(line + "00"));
  // A damaged colour falls back to its default.
  ScheduleFields bad = ReadScheduleLine(line + "02$GG0000$0000FF1");
  EXPECT_EQ(bad.text_colour, kDefaultScheduleTextColour);
  EXPECT_EQ(bad.bar_colour, 0x0000FF);
  EXPECT_EQ(bad.bar_style, 1);

  // A line that ends inside the prefix.
  ScheduleFields tiny = ReadScheduleLine("0709:00");
  EXPECT_EQ(tiny.day, 7);
  EXPECT_EQ(tiny.start, "09:00");
  EXPECT_EQ(tiny.end, "");
  EXPECT_EQ(tiny.title, "");
  EXPECT_EQ(tiny.detail, 0);
  EXPECT_EQ(DetailNumberText("0709:00"), "");
}

TEST(ScheduleLine, DayAndDetailNumberOfDamagedLines) {
  EXPECT_EQ(Day("31"), 31);
  EXPECT_EQ(Day("00"), 0);
  EXPECT_EQ(Day("32"), 0);
  EXPECT_EQ(Day("x1"), 0);
  EXPECT_EQ(Day(""), 0);
  std::string line = Build(Meeting());
  line.resize(110, ' ');
  EXPECT_EQ(DetailNumber(line + "012"), 12);
  EXPECT_EQ(DetailNumber(line + "000"), 0);
  EXPECT_EQ(DetailNumber(line + "0a1"), 0);
}

TEST(ScheduleLine, CodesOutOfRangeAreACallersError) {
  for (auto change : {+[](ScheduleFields& f) { f.day = 0; }, +[](ScheduleFields& f) { f.day = 32; },
                      +[](ScheduleFields& f) { f.detail = 1000; }, +[](ScheduleFields& f) { f.span = 100; },
                      +[](ScheduleFields& f) { f.bar_style = 6; }, +[](ScheduleFields& f) { f.alarm1 = 10; }}) {
    ScheduleFields f = Meeting();
    change(f);
    EXPECT_THROW(BuildScheduleLine(f), std::invalid_argument);
  }
}

TEST(ScheduleFilePaths, NameMonthFilesByYearAndMonth) {
  EXPECT_EQ(MonthFilePath("/d/", 2024, 1), "/d/202401.sch");
  EXPECT_EQ(DetailFilePath("/d", 2024, 12), "/d/202412.dtl");
}

// --- Storing -------------------------------------------------------------------------------

class ScheduleStore : public ::testing::Test {
 protected:
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;

  static std::string Line(int day, const std::string& start, const std::string& title, int detail = 0) {
    ScheduleFields f;
    f.day = day;
    f.start = start;
    f.title = title;
    f.detail = detail;
    return Build(f);
  }
  void WriteFile(const std::string& name, const std::vector<std::string>& cp932_lines) {
    dir.Write(name, JoinLines(cp932_lines));
  }
  std::vector<std::string> Lines(const std::string& name) { return SplitLines(dir.Read(name)); }

  StoreRequest NewRequest(int y, int m, int d, const std::string& title, std::vector<std::string> memo = {}) {
    StoreRequest r;
    r.folder = dir.path();
    r.date = MakeDate(y, m, d);
    r.fields.title = title;
    r.memo = std::move(memo);
    return r;
  }
  StoreRequest ChangeRequest(int old_year, int old_month, std::size_t index, int y, int m, int d,
                             const std::string& title) {
    StoreRequest r = NewRequest(y, m, d, title);
    r.old = OldSchedule{old_year, old_month, index, Lines(MonthStem(old_year, old_month) + ".sch").at(index)};
    return r;
  }
};

TEST_F(ScheduleStore, KeepsTheMonthFileInDayAndTimeOrder) {
  ASSERT_EQ(SchUd(fs, dialogs, dir.path(), 2024, 1, Line(6, "", "six"), std::nullopt).index, 0u);
  ASSERT_EQ(SchUd(fs, dialogs, dir.path(), 2024, 1, Line(5, "09:00", "nine"), std::nullopt).index, 0u);
  StoreOutcome o = SchUd(fs, dialogs, dir.path(), 2024, 1, Line(5, "", "untimed"), std::nullopt);
  EXPECT_EQ(o.status, StoreStatus::Stored);
  EXPECT_EQ(o.index, 0u);
  EXPECT_EQ(dir.Read("202401.sch"), JoinLines({Line(5, "", "untimed"), Line(5, "09:00", "nine"), Line(6, "", "six")}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ScheduleStore, NewMemoTakesTheSmallestFreeNumberAndReplacesALeftOverLine) {
  WriteFile("202403.sch", {Line(1, "", "a", 1), Line(2, "", "b", 2), Line(3, "", "d", 4)});
  WriteFile("202403.dtl", {"001,a", "002,b", "003,left over", "004,d"});
  StoreOutcome o = StoreSchedule(fs, dialogs, NewRequest(2024, 3, 2, "c", {"line one", "行2"}));
  ASSERT_EQ(o.status, StoreStatus::Stored);
  EXPECT_EQ(o.detail, 3);
  EXPECT_EQ(o.index, 2u);
  EXPECT_EQ(Lines("202403.sch").at(2), Line(2, "", "c", 3));
  EXPECT_EQ(dir.Read("202403.dtl"), JoinLines({"001,a", "002,b", Sjis("003,\"line one\",行2"), "004,d"}));
  EXPECT_EQ(ReadDetail(fs, dir.path(), 2024, 3, 3), (std::vector<std::string>{"line one", "行2"}));
}

TEST_F(ScheduleStore, AMemoBeyondNumber999IsRefusedAndTheScheduleStoredWithoutIt) {
  std::vector<std::string> lines;
  for (int n = 1; n <= 999; ++n) lines.push_back(Line(1 + n % 28, "", "t" + std::to_string(n), n));
  SortLines(lines);
  WriteFile("202404.sch", lines);
  StoreOutcome o = StoreSchedule(fs, dialogs, NewRequest(2024, 4, 30, "last", {"memo"}));
  ASSERT_EQ(o.status, StoreStatus::Stored);
  EXPECT_EQ(o.detail, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "メモの最大登録件数をオーバーしています。\nはこれ以上登録できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "最大件数オーバー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(Lines("202404.sch").back(), Line(30, "", "last"));
  EXPECT_FALSE(dir.Exists("202404.dtl"));
}

TEST_F(ScheduleStore, AScheduleMovedToAnotherMonthTakesItsMemoAlong) {
  WriteFile("202401.sch", {Line(3, "", "stay", 1), Line(9, "", "move", 2)});
  const std::string memo_line = Sjis("002,\"a b\",メモ");
  WriteFile("202401.dtl", {"001,x", memo_line});
  WriteFile("202402.sch", {Line(1, "", "other", 1)});
  WriteFile("202402.dtl", {"001,other"});

  StoreOutcome o = StoreSchedule(fs, dialogs, ChangeRequest(2024, 1, 1, 2024, 2, 10, "move"));
  ASSERT_EQ(o.status, StoreStatus::Stored);
  EXPECT_EQ(o.detail, 2);
  EXPECT_EQ(dir.Read("202401.sch"), JoinLines({Line(3, "", "stay", 1)}));
  EXPECT_EQ(dir.Read("202401.dtl"), JoinLines({"001,x"}));
  EXPECT_EQ(dir.Read("202402.sch"), JoinLines({Line(1, "", "other", 1), Line(10, "", "move", 2)}));
  EXPECT_EQ(dir.Read("202402.dtl"), JoinLines({"001,other", memo_line}));
  EXPECT_EQ(ReadDetail(fs, dir.path(), 2024, 2, 2), (std::vector<std::string>{"a b", "メモ"}));
}

TEST_F(ScheduleStore, AChangeInTheSameMonthKeepsOrRenewsItsMemo) {
  WriteFile("202405.sch", {Line(1, "", "a", 1), Line(2, "", "b")});
  WriteFile("202405.dtl", {"001,old", "002,stale"});

  // Memo unchanged: the number stays and the detail file is not touched.
  StoreOutcome kept = StoreSchedule(fs, dialogs, ChangeRequest(2024, 5, 0, 2024, 5, 4, "a2"));
  ASSERT_EQ(kept.status, StoreStatus::Stored);
  EXPECT_EQ(kept.detail, 1);
  EXPECT_EQ(dir.Read("202405.dtl"), JoinLines({"001,old", "002,stale"}));
  EXPECT_EQ(dir.Read("202405.sch"), JoinLines({Line(2, "", "b"), Line(4, "", "a2", 1)}));

  // A schedule that gains a memo: the line left over under its new number goes.
  StoreRequest gain = ChangeRequest(2024, 5, 0, 2024, 5, 2, "b");
  gain.memo = {"new"};
  gain.memo_changed = true;
  StoreOutcome gained = StoreSchedule(fs, dialogs, gain);
  EXPECT_EQ(gained.detail, 2);
  EXPECT_EQ(dir.Read("202405.dtl"), JoinLines({"001,old", "002,new"}));

  // A changed memo gets a new number; the old detail line goes after the month file is saved.
  StoreRequest edit = ChangeRequest(2024, 5, 1, 2024, 5, 4, "a2");
  edit.memo = {"edited"};
  edit.memo_changed = true;
  EXPECT_EQ(StoreSchedule(fs, dialogs, edit).detail, 3);
  EXPECT_EQ(dir.Read("202405.dtl"), JoinLines({"002,new", "003,edited"}));

  // A memo emptied: no detail, the old line removed.
  StoreRequest clear = ChangeRequest(2024, 5, 1, 2024, 5, 4, "a2");
  clear.memo_changed = true;
  EXPECT_EQ(StoreSchedule(fs, dialogs, clear).detail, 0);
  EXPECT_EQ(dir.Read("202405.dtl"), JoinLines({"002,new"}));
  EXPECT_EQ(dir.Read("202405.sch"), JoinLines({Line(2, "", "b", 2), Line(4, "", "a2")}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ScheduleStore, AFailedWriteLosesNothing) {
  const std::string old_sch = JoinLines({Line(9, "", "move", 1)});
  const std::string old_dtl = JoinLines({"001,memo"});
  auto reset = [&] {
    dir.Write("202401.sch", old_sch);
    dir.Write("202401.dtl", old_dtl);
  };

  // The target month file cannot be written: the old month keeps its line and memo.
  reset();
  fs.unwritable = {dir / "202402.sch"};
  EXPECT_THROW(StoreSchedule(fs, dialogs, ChangeRequest(2024, 1, 0, 2024, 2, 1, "move")), FileError);
  EXPECT_EQ(dir.Read("202401.sch"), old_sch);
  EXPECT_EQ(dir.Read("202401.dtl"), old_dtl);
  EXPECT_FALSE(dir.Exists("202402.sch"));

  // The target detail file cannot be written: nothing at all is written.
  reset();
  fs.unwritable = {dir / "202403.dtl"};
  fs.writes = 0;
  EXPECT_THROW(StoreSchedule(fs, dialogs, ChangeRequest(2024, 1, 0, 2024, 3, 1, "move")), FileError);
  EXPECT_EQ(fs.writes, 0);
  EXPECT_EQ(dir.Read("202401.sch"), old_sch);

  // The old month cannot be written after the target: the schedule is in both, the memo kept.
  reset();
  fs.unwritable = {dir / "202401.sch"};
  EXPECT_THROW(StoreSchedule(fs, dialogs, ChangeRequest(2024, 1, 0, 2024, 4, 1, "move")), FileError);
  EXPECT_EQ(dir.Read("202401.sch"), old_sch);
  EXPECT_EQ(dir.Read("202401.dtl"), old_dtl);
  EXPECT_EQ(dir.Read("202404.sch"), JoinLines({Line(1, "", "move", 1)}));
  EXPECT_EQ(ReadDetail(fs, dir.path(), 2024, 4, 1), std::vector<std::string>{"memo"});
}

TEST_F(ScheduleStore, AnUnreadableFileStopsTheStore) {
  WriteFile("202401.sch", {Line(1, "", "a")});
  fs.unreadable = {dir / "202401.sch"};
  EXPECT_THROW(StoreSchedule(fs, dialogs, NewRequest(2024, 1, 2, "b")), FileError);
  EXPECT_THROW(SchUd(fs, dialogs, dir.path(), 2024, 1, Line(2, "", "b"), std::nullopt), FileError);
  fs.unreadable = {dir / "202401.dtl"};
  dir.Write("202401.dtl", "001,x\r\n");
  EXPECT_THROW(StoreSchedule(fs, dialogs, NewRequest(2024, 1, 2, "b", {"memo"})), FileError);
  EXPECT_EQ(fs.writes, 0);
  EXPECT_EQ(dir.Read("202401.sch"), JoinLines({Line(1, "", "a")}));
}

TEST_F(ScheduleStore, ALineThatChangedSinceItWasReadIsNotTouched) {
  WriteFile("202401.sch", {Line(1, "", "a"), Line(2, "", "b")});
  const std::string before = dir.Read("202401.sch");
  StoreRequest r = ChangeRequest(2024, 1, 0, 2024, 1, 5, "changed");
  r.old->line = Line(1, "", "a (as shown earlier)");
  StoreRequest moved = r;
  moved.date = MakeDate(2024, 2, 1);
  StoreRequest beyond = ChangeRequest(2024, 1, 1, 2024, 1, 5, "changed");
  beyond.old->index = 2;

  for (const auto& request : {r, moved, beyond}) {
    dialogs.shown.clear();
    StoreOutcome o = StoreSchedule(fs, dialogs, request);
    EXPECT_EQ(o.status, StoreStatus::Stale);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "スケジュールが他で変更されています。\n最新の情報に更新してから操作して下さい。");
    EXPECT_EQ(dialogs.shown[0].caption, "エラー");
    EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  }
  EXPECT_EQ(SchUd(fs, dialogs, dir.path(), 2024, 2, Line(1, "", "x"), r.old).status, StoreStatus::Stale);
  EXPECT_EQ(dir.Read("202401.sch"), before);
  EXPECT_FALSE(dir.Exists("202402.sch"));
  EXPECT_EQ(fs.writes, 0);
}

TEST_F(ScheduleStore, AMonthFileHoldsAtMostTenThousandLines) {
  std::vector<std::string> lines;
  for (int i = 0; i < 10000; ++i) lines.push_back(Line(1 + i % 28, "", "t" + std::to_string(i)));
  SortLines(lines);
  WriteFile("202406.sch", lines);
  const std::string before = dir.Read("202406.sch");

  StoreOutcome o = StoreSchedule(fs, dialogs, NewRequest(2024, 6, 1, "one more", {"memo"}));
  EXPECT_EQ(o.status, StoreStatus::Full);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "1か月に登録できるスケジュールは10000件までです。\nこれ以上登録できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "最大件数オーバー");
  EXPECT_EQ(fs.writes, 0);
  EXPECT_EQ(dir.Read("202406.sch"), before);

  // Replacing a line of a full month is still possible.
  StoreRequest change = ChangeRequest(2024, 6, 5, 2024, 6, 30, "moved to the end");
  EXPECT_EQ(StoreSchedule(fs, dialogs, change).status, StoreStatus::Stored);
  EXPECT_EQ(Lines("202406.sch").size(), 10000u);
  EXPECT_EQ(Lines("202406.sch").back(), Line(30, "", "moved to the end"));
}

TEST_F(ScheduleStore, AnUnencodableTextIsRefusedBeforeAnythingIsWritten) {
  StoreRequest title = NewRequest(2024, 1, 1, "会議😀");
  StoreRequest memo = NewRequest(2024, 1, 1, "会議", {"ok", "𠮷野家"});
  for (const auto& [request, field, bad] :
       {std::tuple{title, "件名", "😀"}, std::tuple{memo, "メモ", "𠮷"}}) {
    dialogs.shown.clear();
    StoreOutcome o = StoreSchedule(fs, dialogs, request);
    EXPECT_EQ(o.status, StoreStatus::Unencodable);
    EXPECT_EQ(o.field, field);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, UnencodableMessage(field, bad));
    EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  }
  EXPECT_EQ(fs.writes, 0);
  EXPECT_FALSE(dir.Exists("202401.sch"));
}

// --- Deleting ------------------------------------------------------------------------------

TEST_F(ScheduleStore, DeletingAsksFirstWhenDelMsgIsOn) {
  const std::string target = Line(2, "10:00", " 打合せ ", 1);
  WriteFile("202407.sch", {Line(1, "", "a"), target, Line(3, "", "c", 2)});
  WriteFile("202407.dtl", {"001,memo", "002,other"});
  const std::string before = dir.Read("202407.sch");

  dialogs.answers = {platform::MsgAnswer::No};
  EXPECT_EQ(DaySchDel(fs, dialogs, dir.path(), 2024, 7, 1, target, true), DeleteStatus::Cancelled);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「打合せ」を削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "スケジュールの削除");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(dialogs.shown[0].buttons, platform::MsgButtons::YesNo);
  EXPECT_EQ(dir.Read("202407.sch"), before);

  dialogs.answers = {platform::MsgAnswer::Yes};
  EXPECT_EQ(DaySchDel(fs, dialogs, dir.path(), 2024, 7, 1, target, true), DeleteStatus::Deleted);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dir.Read("202407.sch"), JoinLines({Line(1, "", "a"), Line(3, "", "c", 2)}));
  EXPECT_EQ(dir.Read("202407.dtl"), JoinLines({"002,other"}));

  // Without DelMsg nothing is asked.
  EXPECT_EQ(DaySchDel(fs, dialogs, dir.path(), 2024, 7, 1, Line(3, "", "c", 2), false), DeleteStatus::Deleted);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dir.Read("202407.sch"), JoinLines({Line(1, "", "a")}));
  EXPECT_EQ(dir.Read("202407.dtl"), JoinLines({}));
}

TEST_F(ScheduleStore, DeletingAChangedLineIsRefused) {
  WriteFile("202407.sch", {Line(1, "", "a"), Line(2, "", "b")});
  const std::string before = dir.Read("202407.sch");
  EXPECT_EQ(DaySchDel(fs, dialogs, dir.path(), 2024, 7, 0, Line(2, "", "b"), true), DeleteStatus::Stale);
  EXPECT_EQ(DaySchDel(fs, dialogs, dir.path(), 2024, 7, 2, Line(2, "", "b"), false), DeleteStatus::Stale);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[1].text, kStaleMessage);
  EXPECT_EQ(dir.Read("202407.sch"), before);
}

TEST_F(ScheduleStore, DeletingKeepsTheMemoWhenTheMonthFileCannotBeWritten) {
  const std::string line = Line(2, "", "b", 1);
  WriteFile("202407.sch", {line});
  WriteFile("202407.dtl", {"001,memo"});
  fs.unwritable = {dir / "202407.sch"};
  EXPECT_THROW(DaySchDel(fs, dialogs, dir.path(), 2024, 7, 0, line, false), FileError);
  EXPECT_EQ(dir.Read("202407.dtl"), JoinLines({"001,memo"}));
}

TEST_F(ScheduleStore, MemoDeletionRemovesTheFirstLineOfTheNumberOnly) {
  WriteFile("202408.dtl", {"001,a", "002,b", "002,dup"});
  SchMemoDel(fs, dir.path(), 2024, 8, Line(1, "", "x", 2));
  EXPECT_EQ(dir.Read("202408.dtl"), JoinLines({"001,a", "002,dup"}));
  SchMemoDel(fs, dir.path(), 2024, 9, Line(1, "", "x", 2));
  EXPECT_FALSE(dir.Exists("202409.dtl"));
  EXPECT_EQ(fs.writes, 1);
}

TEST(DetailLines, ReadTheMemoOfANumber) {
  std::vector<std::string> details = {"001,one", Sjis("002,\"two words\",\"say \"\"hi\"\"\",三"), "003"};
  EXPECT_EQ(DetailMemo(details, 2), (std::vector<std::string>{"two words", "say \"hi\"", "三"}));
  EXPECT_TRUE(DetailMemo(details, 3).empty());
  EXPECT_TRUE(DetailMemo(details, 4).empty());
  EXPECT_EQ(BuildDetailLine(2, {"two words", "say \"hi\"", "三"}), details[1]);
  EXPECT_TRUE(MemoIsEmpty({"", ""}));
  EXPECT_FALSE(MemoIsEmpty({"", "x"}));
}

TEST(DetailLines, FreeNumberIsTheSmallestUnused) {
  auto line = [](int detail) {
    ScheduleFields f;
    f.day = 1;
    f.title = "t";
    f.detail = detail;
    return Build(f);
  };
  EXPECT_EQ(FreeDetailNumber({}), 1);
  EXPECT_EQ(FreeDetailNumber({line(1), line(2), line(4), line(0)}), 3);
  EXPECT_EQ(FreeDetailNumber({line(4), line(2), line(2)}), 1);
  EXPECT_EQ(FreeDetailNumber({line(1), line(1), line(2)}), 3);
}

}  // namespace
}  // namespace kal::store
