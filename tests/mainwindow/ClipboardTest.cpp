#include "mainwindow/Clipboard.h"

#include <gtest/gtest.h>

#include "model/MonthModel.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"
#include "todo/TodoFile.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;
using test::Sjis;

// Schedule lines, byte for byte: day, start, end, category, four codes, title (no detail).
std::string Line(const std::string& day, const std::string& start, const std::string& end, const std::string& title) {
  return day + start + end + std::string(14, ' ') + "0000" + title;
}
const std::string kMeeting = Line("10", "09:00", "10:00", Sjis("会議"));
// With place and detail number (113 bytes).
std::string WithDetail(const std::string& day, const std::string& title, const std::string& number) {
  std::string line = day + "13:0014:00" + std::string(14, ' ') + "0000" + title;
  line.resize(110, ' ');
  return line + number;
}
// A multi-day line (130 bytes): span, text colour, bar colour, style.
std::string BarLine(const std::string& day, int span, const std::string& title) {
  std::string line = day + std::string(10, ' ') + std::string(14, ' ') + "0000" + title;
  line.resize(110, ' ');
  char tail[32];
  std::snprintf(tail, sizeof tail, "000%02d$000000$80FF803", span);
  return line + tail;
}

class ClipboardTest : public ::testing::Test {
 protected:
  void Month(int year, int month, const std::vector<std::string>& lines) {
    dir.Write(store::MonthStem(year, month) + ".sch", store::JoinLines(lines));
  }
  std::string File(const std::string& name) const { return dir.Read(name); }

  // The day entries of a date as the month model builds them for the month view.
  std::vector<std::string> Entries(const store::Date& date) {
    store::MonthModel model;
    store::ModelRequest request;
    request.view_mode = store::kModeMonthly;
    request.selected = date;
    request.today = MakeDate(2026, 1, 1);
    request.data_folder = dir.path();
    request.memo_folder = dir.path();
    store::SchUpdate(model, fs, request);
    return model.cell(store::DayOf(date), model.SlotOf(store::YearOf(date), store::MonthOf(date))).entries;
  }
  // The first schedule entry of a date.
  std::string ScheduleEntry(const store::Date& date) {
    for (const std::string& e : Entries(date))
      if (store::EntryKind(e) == store::kEntrySchedule) return e;
    ADD_FAILURE() << "no schedule entry";
    return {};
  }
  PasteTarget On(int year, int month, int day) {
    PasteTarget t;
    t.date = MakeDate(year, month, day);
    return t;
  }

  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  ClipPorts ports{fs, dialogs, dir.path(), dir.path(), dir.path()};
};

// ---- Schedules -----------------------------------------------------------------------------------

TEST_F(ClipboardTest, ACopyToAnotherMonthTakesTheFreeDetailNumberThereAndACopyOfTheMemo) {
  Month(2026, 3, {WithDetail("05", "a", "002")});
  dir.Write("202603.dtl", "002,\"memo line\",two\r\n");
  Month(2026, 4, {WithDetail("01", "x", "001"), WithDetail("02", "y", "003")});
  dir.Write("202604.dtl", "001,x\r\n003,y\r\n");

  auto buffer = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 3, 5)), MakeDate(2026, 3, 5), false);
  ASSERT_TRUE(buffer);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 4, 20)), PasteStatus::Pasted);

  EXPECT_EQ(File("202604.sch"), store::JoinLines({WithDetail("01", "x", "001"), WithDetail("02", "y", "003"),
                                                   WithDetail("20", "a", "002")}));
  EXPECT_EQ(File("202604.dtl"), "001,x\r\n002,\"memo line\",two\r\n003,y\r\n");
  // The source keeps its schedule and its own memo.
  EXPECT_EQ(File("202603.sch"), store::JoinLines({WithDetail("05", "a", "002")}));
  EXPECT_EQ(File("202603.dtl"), "002,\"memo line\",two\r\n");
  // The buffer now holds the pasted line, as a copy.
  EXPECT_FALSE(buffer->cut);
  EXPECT_EQ(buffer->record, WithDetail("20", "a", "002"));
  EXPECT_EQ(buffer->month, 4);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ClipboardTest, ACutWithinItsMonthKeepsItsDetailNumberAndLine) {
  Month(2026, 3, {WithDetail("05", "a", "007"), kMeeting});
  dir.Write("202603.dtl", "007,memo\r\n");

  auto buffer = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 3, 5)), MakeDate(2026, 3, 5), true);
  ASSERT_TRUE(buffer);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 3, 28)), PasteStatus::Pasted);
  EXPECT_EQ(File("202603.sch"), store::JoinLines({kMeeting, WithDetail("28", "a", "007")}));
  EXPECT_EQ(File("202603.dtl"), "007,memo\r\n");

  // A second paste of the same buffer is a copy: a new number and a copy of the memo.
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 3, 29)), PasteStatus::Pasted);
  EXPECT_EQ(File("202603.sch"),
            store::JoinLines({kMeeting, WithDetail("28", "a", "007"), WithDetail("29", "a", "001")}));
  EXPECT_EQ(File("202603.dtl"), "001,memo\r\n007,memo\r\n");
}

TEST_F(ClipboardTest, ACutToAnotherMonthMovesLineAndMemoAndRemovesThemAtTheSource) {
  Month(2026, 3, {kMeeting, WithDetail("05", "a", "001")});
  dir.Write("202603.dtl", "001,memo\r\n");
  Month(2026, 5, {WithDetail("01", "x", "001")});
  dir.Write("202605.dtl", "001,x\r\n");

  auto buffer = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 3, 5)), MakeDate(2026, 3, 5), true);
  ASSERT_TRUE(buffer);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 5, 9)), PasteStatus::Pasted);
  EXPECT_EQ(File("202605.sch"), store::JoinLines({WithDetail("01", "x", "001"), WithDetail("09", "a", "002")}));
  EXPECT_EQ(File("202605.dtl"), "001,x\r\n002,memo\r\n");
  EXPECT_EQ(File("202603.sch"), store::JoinLines({kMeeting}));
  EXPECT_EQ(File("202603.dtl"), "");
}

TEST_F(ClipboardTest, ABarCutFromItsSecondMonthComesFromItsFirstMonthFileWithoutTheModelsBytes) {
  const std::string bar = BarLine("30", 4, "trip");
  Month(2026, 12, {bar});
  // The bar as a day of January shows it: its entry carries the day's place in the span.
  const std::string entry = ScheduleEntry(MakeDate(2027, 1, 2));
  ASSERT_EQ(store::EntryPosition(entry), 4);

  auto buffer = TakeSchedule(ports, entry, MakeDate(2027, 1, 2), true);
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->year, 2026);
  EXPECT_EQ(buffer->month, 12);
  EXPECT_EQ(buffer->record, bar);
  ASSERT_EQ(Paste(ports, *buffer, On(2027, 1, 10)), PasteStatus::Pasted);
  EXPECT_EQ(File("202701.sch"), store::JoinLines({BarLine("10", 4, "trip")}));
  EXPECT_EQ(File("202612.sch"), "");
}

TEST_F(ClipboardTest, ACutPastesOnlyWhileItsLineIsStillThereByteForByte) {
  const std::string other = Line("01", "08:00", "     ", "first");
  struct Case {
    const char* name;
    std::vector<std::string> source_after;  // 202603.sch between the cut and the paste
    bool pasted;
    std::vector<std::string> source_expected;
  };
  const Case cases[] = {
      // Another schedule sorted in before it: the line is found at its new place.
      {"moved", {other, kMeeting}, true, {other}},
      {"title changed", {Line("10", "09:00", "10:00", Sjis("会議室"))}, false,
       {Line("10", "09:00", "10:00", Sjis("会議室"))}},
      {"deleted", {}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.shown.clear();
    dir.Write("202604.sch", "");
    Month(2026, 3, {kMeeting});
    auto buffer = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 3, 10)), MakeDate(2026, 3, 10), true);
    ASSERT_TRUE(buffer);
    Month(2026, 3, c.source_after);

    const PasteStatus status = Paste(ports, *buffer, On(2026, 4, 1));
    EXPECT_EQ(File("202603.sch"), store::JoinLines(c.source_expected));
    if (c.pasted) {
      EXPECT_EQ(status, PasteStatus::Pasted);
      EXPECT_EQ(File("202604.sch"), store::JoinLines({"01" + kMeeting.substr(2)}));
      EXPECT_TRUE(dialogs.shown.empty());
    } else {
      EXPECT_EQ(status, PasteStatus::Stale);
      EXPECT_EQ(File("202604.sch"), "");
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].text, store::kStaleMessage);
      EXPECT_EQ(dialogs.shown[0].caption, "エラー");
      EXPECT_TRUE(buffer->cut);
    }
  }
}

TEST_F(ClipboardTest, TakingAnEntryWhoseLineChangedIsRefused) {
  Month(2026, 3, {kMeeting});
  const std::string entry = ScheduleEntry(MakeDate(2026, 3, 10));
  Month(2026, 3, {Line("10", "09:00", "10:00", "changed")});
  EXPECT_FALSE(TakeSchedule(ports, entry, MakeDate(2026, 3, 10), false));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, store::kStaleMessage);
}

TEST_F(ClipboardTest, TheNineHundredNinetyNinthDetailNumberIsUsedAndTheThousandthRefusedBeforeTheCut) {
  std::vector<std::string> target;
  std::string details;
  for (int n = 1; n <= 998; ++n) {
    target.push_back(WithDetail("01", "t", store::DetailNumberField(n)));
    details += store::DetailNumberField(n) + ",m\r\n";
  }
  Month(2026, 6, target);
  dir.Write("202606.dtl", details);
  Month(2026, 5, {WithDetail("05", "a", "004")});
  dir.Write("202605.dtl", "004,keep\r\n");

  auto buffer = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 5, 5)), MakeDate(2026, 5, 5), false);
  ASSERT_TRUE(buffer);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 6, 2)), PasteStatus::Pasted);
  const std::vector<std::string> lines = store::LoadLines(fs, dir / "202606.sch");
  EXPECT_EQ(lines.back(), WithDetail("02", "a", "999"));
  EXPECT_EQ(store::LoadLines(fs, dir / "202606.dtl").back(), "999,keep");

  // Now every number is used: a cut is refused before anything moves.
  const std::string target_before = File("202606.sch");
  auto cut = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 5, 5)), MakeDate(2026, 5, 5), true);
  ASSERT_TRUE(cut);
  EXPECT_EQ(Paste(ports, *cut, On(2026, 6, 3)), PasteStatus::Refused);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "メモの最大登録件数をオーバーしています。\nはこれ以上登録できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "最大件数オーバー");
  EXPECT_EQ(File("202606.sch"), target_before);
  EXPECT_EQ(File("202605.sch"), store::JoinLines({WithDetail("05", "a", "004")}));
  EXPECT_EQ(File("202605.dtl"), "004,keep\r\n");
}

TEST_F(ClipboardTest, ASpanReachingAThirdMonthIsRefused) {
  struct Case {
    store::Date target;
    int span;
    bool refused;
  };
  const Case cases[] = {
      {MakeDate(2026, 1, 30), 4, false},   // ends 2 February
      {MakeDate(2026, 1, 30), 40, true},   // ends 10 March
      {MakeDate(2026, 12, 15), 40, false}, // ends 23 January
      {MakeDate(2026, 12, 31), 62, true},  // ends 2 March
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(store::DateText(c.target) + " span " + std::to_string(c.span));
    dialogs.shown.clear();
    ClipBuffer buffer;
    buffer.kind = ClipKind::Schedule;
    buffer.record = BarLine("01", c.span, "bar");
    buffer.year = 2025;
    buffer.month = 1;
    PasteTarget target;
    target.date = c.target;
    const PasteStatus status = Paste(ports, buffer, target);
    if (c.refused) {
      EXPECT_EQ(status, PasteStatus::Refused);
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].text, "3ヶ月にまたがる期間は設定できません。");
      EXPECT_EQ(dialogs.shown[0].caption, "貼り付けエラー");
      EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
    } else {
      EXPECT_EQ(status, PasteStatus::Pasted);
    }
  }
}

TEST_F(ClipboardTest, TheTimelineGivesTheHalfHourAndKeepsTheScheduleDuration) {
  PasteTarget t;
  t.row = 21;  // 10:30 from hour 0
  t.range = TimeRange{0, 23};
  t.def_time = 1;
  struct Case {
    std::string start, end;
    std::pair<std::string, std::string> expected;
  };
  const Case cases[] = {
      {"     ", "     ", {"10:30", "11:30"}},  // untimed (from the header): DefTime hours
      {"09:10", "09:55", {"10:30", "11:15"}},  // 45 minutes stay 45 minutes
      {"09:00", "     ", {"10:30", "11:30"}},  // no end: DefTime
      {"22:00", "20:00", {"10:30", "11:30"}},  // an end before the start: DefTime
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start + "-" + c.end);
    EXPECT_EQ(PasteTimes("05" + c.start + c.end + std::string(14, ' ') + "0000x", t), c.expected);
  }
  // Late rows run past midnight, up to 36:59.
  t.range = TimeRange{20, 36};
  t.row = 32;  // 36:00
  EXPECT_EQ(PasteTimes("0509:0011:00" + std::string(14, ' ') + "0000x", t),
            (std::pair<std::string, std::string>{"36:00", "36:59"}));
  // A multi-day schedule keeps the end of its last day.
  t.range = TimeRange{0, 23};
  t.row = 21;
  EXPECT_EQ(PasteTimes(BarLine("05", 3, "bar").replace(7, 5, "18:00"), t),
            (std::pair<std::string, std::string>{"10:30", "18:00"}));

  // Pasted on the timeline the line takes the times; everything else stays.
  Month(2026, 3, {kMeeting});
  auto buffer = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 3, 10)), MakeDate(2026, 3, 10), false);
  ASSERT_TRUE(buffer);
  t.date = MakeDate(2026, 3, 11);
  t.row = 28;  // 14:00
  ASSERT_EQ(Paste(ports, *buffer, t), PasteStatus::Pasted);
  EXPECT_EQ(File("202603.sch"),
            store::JoinLines({kMeeting, Line("11", "14:00", "15:00", Sjis("会議"))}));
}

TEST_F(ClipboardTest, AMoveThatFailsAtTheSourceLeavesACopyNeverALoss) {
  Month(2026, 3, {kMeeting});
  auto buffer = TakeSchedule(ports, ScheduleEntry(MakeDate(2026, 3, 10)), MakeDate(2026, 3, 10), true);
  ASSERT_TRUE(buffer);
  fs.unwritable.insert(dir / "202603.sch");
  EXPECT_THROW(Paste(ports, *buffer, On(2026, 4, 2)), store::FileError);
  EXPECT_EQ(File("202604.sch"), store::JoinLines({"02" + kMeeting.substr(2)}));
  EXPECT_EQ(File("202603.sch"), store::JoinLines({kMeeting}));
}

// ---- ToDo items ----------------------------------------------------------------------------------

// A record: limit, start, priority 1, progress 3, not done, done date, category, memo number, subject.
std::string Todo(const std::string& limit, const std::string& memo, const std::string& subject) {
  return limit + "2026/03/01" + "1" + "03" + "0" + "2026/03/02" + Sjis("仕事") + std::string(10, ' ') + memo +
         "    " + subject;
}

std::string TodoEntry(std::size_t index, const std::string& record) {
  return store::MakeEntry("T5", store::kEntryTodo, static_cast<int>(index), record);
}

TEST_F(ClipboardTest, ACutToDoTakesTheTargetDayAsItsLimitAndKeepsItsMemoNumber) {
  const std::string a = Todo("2026/03/05", "0002", Sjis("報告書"));
  const std::string b = Todo("2026/03/20", "0000", "b");
  dir.Write("Todokl.dat", store::JoinLines({a, b}));
  dir.Write("Todokl.dtl", "0002,memo\r\n");

  auto buffer = TakeTodo(ports, TodoEntry(0, a), true);
  ASSERT_TRUE(buffer);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 3, 25)), PasteStatus::Pasted);
  const std::string moved = "2026/03/25" "2026/03/01" "103" "0" "2026/03/25" + Sjis("仕事") + std::string(10, ' ') +
                            "0002    " + Sjis("報告書");
  EXPECT_EQ(File("Todokl.dat"), store::JoinLines({b, moved}));
  EXPECT_EQ(File("Todokl.dtl"), "0002,memo\r\n");
  EXPECT_EQ(buffer->record, moved);
  EXPECT_EQ(buffer->index, 1u);
  EXPECT_FALSE(buffer->cut);
}

TEST_F(ClipboardTest, ACopiedToDoGetsAFreeMemoNumberWithACopyOfItsMemo) {
  const std::string a = Todo("2026/03/05", "0001", "a");
  const std::string c = Todo("2026/03/06", "0003", "c");
  dir.Write("Todokl.dat", store::JoinLines({a, c}));
  dir.Write("Todokl.dtl", "0001,\"one, two\"\r\n0003,c\r\n");

  auto buffer = TakeTodo(ports, TodoEntry(0, a), false);
  ASSERT_TRUE(buffer);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 4, 1)), PasteStatus::Pasted);
  EXPECT_EQ(File("Todokl.dtl"), "0001,\"one, two\"\r\n0002,\"one, two\"\r\n0003,c\r\n");
  const std::vector<std::string> records = store::LoadLines(fs, dir / "Todokl.dat");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0], a);
  EXPECT_EQ(records[2], todo::MovedTodoRecord(a, MakeDate(2026, 4, 1), 2));
}

TEST_F(ClipboardTest, ACopiedToDoWithNoFreeMemoNumberIsRefusedAndNothingIsWritten) {
  std::vector<std::string> records;
  for (int n = 1; n <= 9999; ++n) records.push_back(Todo("2026/03/05", todo::MemoNumberField(n), "t"));
  dir.Write("Todokl.dat", store::JoinLines(records));
  dir.Write("Todokl.dtl", "0001,m\r\n");
  const std::string before = File("Todokl.dat");

  auto buffer = TakeTodo(ports, TodoEntry(0, records[0]), false);
  ASSERT_TRUE(buffer);
  EXPECT_EQ(Paste(ports, *buffer, On(2026, 4, 1)), PasteStatus::Refused);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "ToDoメモの最大登録件数をオーバーしています。\n不要なToDoを削除して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "最大件数オーバー");
  EXPECT_EQ(File("Todokl.dat"), before);
  EXPECT_EQ(File("Todokl.dtl"), "0001,m\r\n");
}

TEST_F(ClipboardTest, ACutToDoThatChangedMeanwhileIsNotPasted) {
  const std::string a = Todo("2026/03/05", "0000", "a");
  dir.Write("Todokl.dat", store::JoinLines({a}));
  auto buffer = TakeTodo(ports, TodoEntry(0, a), true);
  ASSERT_TRUE(buffer);
  dir.Write("Todokl.dat", store::JoinLines({todo::WithProgress(a, 5)}));
  EXPECT_EQ(Paste(ports, *buffer, On(2026, 4, 1)), PasteStatus::Stale);
  EXPECT_EQ(File("Todokl.dat"), store::JoinLines({todo::WithProgress(a, 5)}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, todo::kTodoStaleMessage);
}

// ---- Memos ---------------------------------------------------------------------------------------

TEST_F(ClipboardTest, ACutMemoTakesItsColourAlongAndLeavesItsDay) {
  dir.Write("20260305.mem", Sjis("買い物") + "\r\n");
  store::StoreMemoColour(fs, dir.path(), MakeDate(2026, 3, 5), 1);

  auto buffer = TakeMemo(ports, MakeDate(2026, 3, 5), true);
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->memo_colour, 1);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 4, 7)), PasteStatus::Pasted);
  EXPECT_EQ(File("20260407.mem"), Sjis("買い物") + "\r\n");
  EXPECT_FALSE(dir.Exists("20260305.mem"));
  EXPECT_EQ(store::StoredMemoColour(fs, dir.path(), MakeDate(2026, 4, 7)), 1);
  EXPECT_EQ(store::StoredMemoColour(fs, dir.path(), MakeDate(2026, 3, 5)), 0);
  EXPECT_EQ(buffer->memo, store::MemoId::OfDay(MakeDate(2026, 4, 7)));
}

TEST_F(ClipboardTest, AMemoWithoutAColourWritesNoDayFile) {
  dir.Write("20260305.mem", "x\r\n");
  auto buffer = TakeMemo(ports, MakeDate(2026, 3, 5), false);
  ASSERT_TRUE(buffer);
  ASSERT_EQ(Paste(ports, *buffer, On(2026, 4, 7)), PasteStatus::Pasted);
  EXPECT_EQ(File("20260407.mem"), "x\r\n");
  EXPECT_TRUE(dir.Exists("20260305.mem"));
  EXPECT_FALSE(dir.Exists("202604.day"));
  EXPECT_FALSE(dir.Exists("202603.day"));
}

TEST_F(ClipboardTest, AMemoIsNotPastedOnItsOwnDayAndOverwritesOnlyWhenTheUserSaysYes) {
  dir.Write("20260305.mem", "source\r\n");
  dir.Write("20260306.mem", "target\r\n");
  auto buffer = TakeMemo(ports, MakeDate(2026, 3, 5), true);
  ASSERT_TRUE(buffer);

  EXPECT_EQ(Paste(ports, *buffer, On(2026, 3, 5)), PasteStatus::Refused);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "メモのコピー元とコピー先が同じです。");
  EXPECT_EQ(dialogs.shown[0].caption, "メモのコピー");

  dialogs.answers = {platform::MsgAnswer::No};
  EXPECT_EQ(Paste(ports, *buffer, On(2026, 3, 6)), PasteStatus::Cancelled);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, "この日のメモはすでに存在します。\n上書きしますか？");
  EXPECT_EQ(dialogs.shown[1].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(File("20260306.mem"), "target\r\n");
  EXPECT_TRUE(dir.Exists("20260305.mem"));

  dialogs.answers = {platform::MsgAnswer::Yes};
  EXPECT_EQ(Paste(ports, *buffer, On(2026, 3, 6)), PasteStatus::Pasted);
  EXPECT_EQ(File("20260306.mem"), "source\r\n");
  EXPECT_FALSE(dir.Exists("20260305.mem"));
}

TEST_F(ClipboardTest, AMemoGoneBeforeThePasteGivesTheCopyError) {
  dir.Write("20260305.mem", "x\r\n");
  auto buffer = TakeMemo(ports, MakeDate(2026, 3, 5), false);
  ASSERT_TRUE(buffer);
  fs.Remove(dir / "20260305.mem");
  EXPECT_EQ(Paste(ports, *buffer, On(2026, 3, 6)), PasteStatus::Refused);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Copy Error");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  EXPECT_FALSE(dir.Exists("20260306.mem"));
  EXPECT_FALSE(TakeMemo(ports, MakeDate(2026, 3, 5), false));
}

// ---- Texts ---------------------------------------------------------------------------------------

TEST(ClipboardTexts, TheDropQuestionNamesTheItemAndTheOperation) {
  EXPECT_EQ(DropQuestion(ClipKind::Schedule, false), "このスケジュールを移動します。\nよろしいですか？");
  EXPECT_EQ(DropQuestion(ClipKind::Todo, true), "このToDoをコピーします。\nよろしいですか？");
  EXPECT_EQ(DropQuestion(ClipKind::Memo, false), "このメモを移動します。\nよろしいですか？");
}

TEST(ClipboardTexts, ThePlainTextOfAScheduleHasItsDateTimesTitlePlaceAndMemo) {
  ClipBuffer b;
  b.kind = ClipKind::Schedule;
  store::ScheduleFields f;
  f.day = 10;
  f.start = "09:00";
  f.end = "10:00";
  f.title = "会議";
  f.place = "本社";
  f.detail = 1;
  b.record = store::BuildScheduleLine(f).line;
  b.year = 2026;
  b.month = 12;
  b.memo_body = Sjis(",議題,\"a b\"");
  EXPECT_EQ(ClipText(b), "2026/12/10(木) 09:00-10:00 会議\n場所: 本社\n議題\na b");

  b.record = BarLine("30", 4, "trip");
  b.memo_body.clear();
  EXPECT_EQ(ClipText(b), "2026/12/30(水) ～ 2027/01/02(土) trip");

  ClipBuffer t;
  t.kind = ClipKind::Todo;
  t.record = Todo("2026/03/05", "0000", "report");
  EXPECT_EQ(ClipText(t), "ToDo 2026/03/05(木) report (B) [30%]\n分類: 仕事");
  ClipBuffer m;
  m.kind = ClipKind::Memo;
  EXPECT_EQ(ClipText(m, {"a", "b"}), "a\nb");
}

}  // namespace
}  // namespace kal::mainwindow
