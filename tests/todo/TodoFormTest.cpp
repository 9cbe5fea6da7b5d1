#include "todo/TodoForm.h"

#include <gtest/gtest.h>

#include "store/HolidayFile.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/CliRun.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::todo {
namespace {

using calendar::RepeatPattern;
using calendar::RepeatShift;
using test::Sjis;

Date D(int y, int m, int d) { return store::MakeDate(y, m, d); }
const Date kToday = D(2024, 5, 10);

std::string Rec(const std::string& limit, const std::string& subject, int memo = 0) {
  TodoFields f;
  if (!limit.empty()) f.limit = store::ParseDateText(limit);
  f.done_date = kToday;
  f.subject = subject;
  f.memo = memo;
  return BuildTodoRecord(f).line;
}

TodoForm NewForm(const Date& date = kToday) {
  TodoOpenRequest request;
  request.date = date;
  TodoForm form = OpenTodoForm(request, kToday, {}, 0);
  form.subject = "報告";
  return form;
}

struct Folder {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  calendar::HolidayList holidays;
  void Write(const std::vector<std::string>& records, const std::vector<std::string>& memos) {
    dir.Write("Todokl.dat", store::JoinLines(records));
    dir.Write("Todokl.dtl", store::JoinLines(memos));
  }
  std::vector<std::string> Records() { return store::SplitLines(dir.Read("Todokl.dat")); }
  std::vector<std::string> Memos() { return store::SplitLines(dir.Read("Todokl.dtl")); }
  TodoUpdateResult Ok(TodoForm& form) {
    return TodoUpdate(form, fs, dialogs, dir.path(), calendar::HolidayOracleOf(holidays));
  }
};

TEST(TodoFormOpen, EachKindPresetsItsFields) {
  const std::string record = Sjis("2024/05/202024/05/17") + "2041" + "2024/05/12" + Sjis("仕事") +
                             std::string(10, ' ') + "0007" + "    " + Sjis("請求書") + std::string(74, ' ') + "/a.pdf";
  TodoOpenRequest request{TodoEntryKind::Edit, D(2024, 6, 1), TodoRef{3, record}, std::nullopt};
  TodoForm edit = OpenTodoForm(request, kToday, {"memo"}, 5);
  EXPECT_EQ(TodoFormCaption(edit.kind), "ToDoの訂正");
  EXPECT_EQ(edit.limit, D(2024, 5, 20));
  EXPECT_FALSE(edit.no_start);
  EXPECT_EQ(edit.start, D(2024, 5, 17));
  EXPECT_EQ(edit.priority, 2);
  EXPECT_EQ(edit.progress, 4);
  EXPECT_TRUE(edit.done);
  EXPECT_EQ(edit.done_date, D(2024, 5, 12));
  EXPECT_EQ(edit.category, "仕事");
  EXPECT_EQ(edit.subject, "請求書");
  EXPECT_EQ(edit.link, "/a.pdf");
  EXPECT_EQ(edit.memo, std::vector<std::string>{"memo"});
  EXPECT_FALSE(edit.memo_changed);
  EXPECT_FALSE(edit.repeat_allowed);

  // The panel's untick shows it not done, with today as its done date.
  request.shown_done = false;
  TodoForm unticked = OpenTodoForm(request, kToday, {}, 5);
  EXPECT_FALSE(unticked.done);
  EXPECT_EQ(unticked.done_date, kToday);

  request.kind = TodoEntryKind::Copy;
  TodoForm copy = OpenTodoForm(request, kToday, {"memo"}, 5);
  EXPECT_EQ(TodoFormCaption(copy.kind), "ToDoのコピー");
  EXPECT_FALSE(copy.done);
  EXPECT_FALSE(copy.done_enabled);
  EXPECT_TRUE(copy.memo_changed);
  EXPECT_TRUE(copy.repeat_allowed);
  EXPECT_FALSE(copy.source.has_value());

  TodoForm fresh = OpenTodoForm({TodoEntryKind::New, D(2024, 6, 1), {}, {}}, kToday, {}, 9999);
  EXPECT_EQ(TodoFormCaption(fresh.kind), "ToDoの追加");
  EXPECT_EQ(fresh.limit, D(2024, 6, 1));
  EXPECT_TRUE(fresh.no_start);
  EXPECT_FALSE(fresh.memo_enabled);  // the memo file is full
  EXPECT_FALSE(fresh.done_enabled);
  // The repetition defaults: monthly on the limit's day, one year from the start box.
  EXPECT_EQ(fresh.rule.pattern, RepeatPattern::Month);
  EXPECT_EQ(fresh.rule.day, 1);
  EXPECT_EQ(fresh.rule.from, D(2024, 6, 1));
  EXPECT_EQ(fresh.rule.to, D(2025, 6, 1));
}

TEST(TodoFormRules, NoLimitHidesTheRepetitionAndPatternsSetThePeriod) {
  TodoForm form = NewForm(D(2024, 2, 29));
  SetRepeatOn(form, true);
  EXPECT_TRUE(form.repeat);
  SetNoLimit(form, true);
  EXPECT_FALSE(form.repeat);
  EXPECT_FALSE(RepeatShown(form));
  SetRepeatOn(form, true);
  EXPECT_FALSE(form.repeat);
  SetNoLimit(form, false);
  EXPECT_TRUE(RepeatShown(form));

  SetRepeatPattern(form, RepeatPattern::Year);
  EXPECT_EQ(form.rule.to, D(2034, 2, 28));  // cut to the month's last day
  SetRepeatCycle(form, calendar::RepeatCycle::ByWeekday);
  EXPECT_EQ(form.rule.day, 5);  // 29 February: (29 - 1) / 7 + 1
  EXPECT_TRUE(form.rule.last);
  EXPECT_EQ(form.rule.weekday, 4);  // a Thursday

  EXPECT_EQ(ProgressLabel(7), "70%");
  CutSubject cut = CutTodoSubject(std::string(79, 'a') + "あ");
  EXPECT_EQ(cut.text, std::string(79, 'a'));
  EXPECT_TRUE(cut.beep);
  EXPECT_FALSE(CutTodoSubject("短い").beep);
}

TEST(TodoFormCheck, RefusesInOrderWithTheMessageAndFocus) {
  struct Case {
    const char* name;
    std::function<void(TodoForm&)> change;
    std::string message;
    TodoFormField focus;
  };
  const std::vector<Case> cases = {
      {"no subject", [](TodoForm& f) { f.subject = "  "; f.no_start = false; f.start = D(2024, 6, 1); },
       kNoSubjectMessage, TodoFormField::Subject},
      {"start after limit", [](TodoForm& f) { f.no_start = false; f.start = D(2024, 5, 11); },
       "期限 ≧ 開始日でなければなりません。", TodoFormField::Limit},
      {"start after limit, repeating",
       [](TodoForm& f) { f.no_start = false; f.start = D(2024, 5, 11); SetRepeatOn(f, true); },
       kStartAfterLimitMessage, TodoFormField::Start},
      {"empty period", [](TodoForm& f) { SetRepeatOn(f, true); f.rule.to = f.rule.from; },
       "期間の入力に誤りがあります。", TodoFormField::RepeatFrom},
      {"shift without a condition", [](TodoForm& f) { SetRepeatOn(f, true); f.rule.shift = RepeatShift::After; },
       "振替条件を選択して下さい。", TodoFormField::RepeatFrom},
      {"nothing to store",
       [](TodoForm& f) {
         SetRepeatOn(f, true);
         f.rule.from = D(2024, 2, 1);
         f.rule.to = D(2024, 2, 28);
         f.rule.day = 30;
       },
       "登録するToDoがありません。", TodoFormField::RepeatFrom},
      {"unencodable subject", [](TodoForm& f) { f.subject = "絵文字😀"; },
       "件名に保存できない文字「😀」が含まれています。", TodoFormField::Subject},
      {"unencodable memo", [](TodoForm& f) { f.memo = {"ok", "①②😀"}; f.memo_changed = true; },
       "メモに保存できない文字「😀」が含まれています。", TodoFormField::Memo},
  };
  for (const auto& c : cases) {
    Folder folder;
    TodoForm form = NewForm();
    c.change(form);
    TodoUpdateResult r = folder.Ok(form);
    EXPECT_FALSE(r.stored) << c.name;
    EXPECT_EQ(r.focus, c.focus) << c.name;
    ASSERT_EQ(folder.dialogs.shown.size(), 1u) << c.name;
    EXPECT_EQ(folder.dialogs.shown[0].text, c.message) << c.name;
    EXPECT_EQ(folder.dialogs.shown[0].caption, "入力エラー");
    EXPECT_EQ(folder.dialogs.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_FALSE(folder.dir.Exists("Todokl.dat")) << c.name;
  }
}

TEST(TodoFormStore, ANewItemIsSortedIntoTheListAndSaved) {
  Folder f;
  f.Write({Rec("2024/05/01", "a"), Rec("", "z")}, {});
  TodoForm form = NewForm(D(2024, 5, 20));
  form.subject = "新しい";
  form.priority = 1;
  form.category = "仕事";
  TodoUpdateResult r = f.Ok(form);
  ASSERT_TRUE(r.stored);
  // The done date is preset to the selected date like the limit.
  const std::string expected = "2024/05/20" + std::string(10, ' ') + "1000" + "2024/05/20" + Sjis("仕事") +
                               std::string(10, ' ') + "0000" + "    " + Sjis("新しい");
  EXPECT_EQ(r.stored_records, std::vector<std::string>{expected});
  EXPECT_EQ(f.Records(), (std::vector<std::string>{Rec("2024/05/01", "a"), expected, Rec("", "z")}));
  EXPECT_FALSE(f.dir.Exists("Todokl.dtl") && !f.dir.Read("Todokl.dtl").empty());
}

TEST(TodoFormStore, AChangeReplacesItsRecordOrIsRefusedWhenStale) {
  Folder f;
  const std::vector<std::string> records = {Rec("2024/05/01", "a"), Rec("2024/05/02", "b")};
  f.Write(records, {});
  TodoOpenRequest request{TodoEntryKind::Edit, kToday, TodoRef{0, records[0]}, std::nullopt};
  TodoForm form = OpenTodoForm(request, kToday, {}, 0);
  form.limit = D(2024, 5, 3);
  form.done = true;
  form.done_date = kToday;
  ASSERT_TRUE(f.Ok(form).stored);
  const std::vector<std::string> stored = f.Records();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0], records[1]);
  EXPECT_EQ(TodoSubject(stored[1]), "a");
  EXPECT_TRUE(TodoDone(stored[1]));
  EXPECT_EQ(TodoLimit(stored[1]), D(2024, 5, 3));

  // The same form again: its record has moved, so nothing is written.
  TodoUpdateResult again = f.Ok(form);
  EXPECT_TRUE(again.stale);
  EXPECT_EQ(f.dialogs.shown.back().text, "ToDoが他で変更されています。\n最新の情報に更新してから操作して下さい。");
  EXPECT_EQ(f.Records(), stored);
}

// Four records, memos 0001, 0002 and 0004, and a stale memo line 0003 that no record uses.
struct MemoFolder : Folder {
  std::vector<std::string> records = {Rec("2024/05/01", "one", 1), Rec("2024/05/02", "two", 2),
                                      Rec("2024/05/04", "four", 4), Rec("2024/05/05", "bare")};
  MemoFolder() { Write(records, {"0001,m1", "0002,m2", "0003,stale", "0004,m4"}); }
  std::string Stored(const std::string& subject) {
    for (const auto& r : Records())
      if (TodoSubject(r) == subject) return r;
    return "";
  }
  TodoForm Open(TodoEntryKind kind, std::size_t index) {
    TodoOpenRequest request{kind, kToday, TodoRef{index, records[index]}, std::nullopt};
    const auto memos = LoadTodoMemos(fs, dir.path());
    return OpenTodoForm(request, kToday, TodoMemoOf(memos, TodoMemoNumber(records[index])), memos.size());
  }
};

TEST(TodoFormMemo, ANewItemTakesTheSmallestFreeNumberAndReplacesAStaleLine) {
  MemoFolder f;
  TodoForm form = NewForm();
  form.subject = "new";
  form.memo = {"a, b", ""};
  form.memo_changed = true;
  ASSERT_TRUE(f.Ok(form).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("new")), 3);
  EXPECT_EQ(f.Memos(), (std::vector<std::string>{"0001,m1", "0002,m2", "0003,\"a, b\",", "0004,m4"}));
}

TEST(TodoFormMemo, AMemoTypedAndErasedStoresNoMemoAndTouchesNoOther) {
  MemoFolder f;
  const std::string memos = f.dir.Read("Todokl.dtl");
  TodoForm form = NewForm();
  form.subject = "new";
  form.memo_changed = true;  // typed, then erased: no lines
  ASSERT_TRUE(f.Ok(form).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("new")), 0);
  EXPECT_EQ(f.dir.Read("Todokl.dtl"), memos);
}

TEST(TodoFormMemo, AChangeKeepsItsNumberOrDropsItsLineWhenEmptied) {
  MemoFolder f;
  TodoForm edit = f.Open(TodoEntryKind::Edit, 1);
  EXPECT_EQ(edit.memo, std::vector<std::string>{"m2"});
  edit.memo = {"m2 changed"};
  edit.memo_changed = true;
  ASSERT_TRUE(f.Ok(edit).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("two")), 2);
  EXPECT_EQ(f.Memos(), (std::vector<std::string>{"0001,m1", "0002,\"m2 changed\"", "0003,stale", "0004,m4"}));

  f.records = f.Records();
  TodoForm emptied = f.Open(TodoEntryKind::Edit, 0);
  emptied.memo.clear();
  emptied.memo_changed = true;
  ASSERT_TRUE(f.Ok(emptied).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("one")), 0);
  EXPECT_EQ(f.Memos(), (std::vector<std::string>{"0002,\"m2 changed\"", "0003,stale", "0004,m4"}));

  // A change of an item without a memo that gets one: a new number.
  f.records = f.Records();
  std::size_t bare = 0;
  while (TodoSubject(f.records[bare]) != "bare") ++bare;
  TodoForm added = f.Open(TodoEntryKind::Edit, bare);
  added.memo = {"now"};
  added.memo_changed = true;
  ASSERT_TRUE(f.Ok(added).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("bare")), 1);
}

TEST(TodoFormMemo, ACopyTakesTheMemoUnderANewNumberAndLeavesTheSource) {
  MemoFolder f;
  TodoForm copy = f.Open(TodoEntryKind::Copy, 2);
  copy.subject = "four again";
  ASSERT_TRUE(f.Ok(copy).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("four again")), 3);
  EXPECT_EQ(TodoMemoNumber(f.Stored("four")), 4);
  EXPECT_EQ(f.Memos(), (std::vector<std::string>{"0001,m1", "0002,m2", "0003,m4", "0004,m4"}));

  // A copy of an item without a memo stores none.
  TodoForm bare = f.Open(TodoEntryKind::Copy, 3);
  bare.subject = "bare copy";
  ASSERT_TRUE(f.Ok(bare).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("bare copy")), 0);
}

TEST(TodoFormMemo, NoFreeNumberSaysSoAndStoresTheItemWithoutAMemo) {
  Folder f;
  std::vector<std::string> records;
  for (int i = 1; i <= 9999; ++i) records.push_back(Rec("2024/05/01", "x", i));
  f.Write(records, {});
  TodoForm form = NewForm();
  form.subject = "over";
  form.memo = {"lost"};
  form.memo_changed = true;
  TodoUpdateResult r = f.Ok(form);
  ASSERT_TRUE(r.stored);
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].text, "ToDoメモの最大登録件数をオーバーしています。\n不要なToDoを削除して下さい。");
  EXPECT_EQ(f.dialogs.shown[0].caption, "最大件数オーバー");
  EXPECT_EQ(TodoMemoNumber(r.stored_records.at(0)), 0);
  EXPECT_EQ(f.Records().size(), 10000u);
}

TEST(TodoFormStore, AFailedWriteLeavesBothFilesAsTheyWere) {
  MemoFolder f;
  const std::string dat = f.dir.Read("Todokl.dat"), dtl = f.dir.Read("Todokl.dtl");
  f.fs.unwritable.insert(f.dir / "Todokl.dat");
  TodoForm form = NewForm();
  form.memo = {"x"};
  form.memo_changed = true;
  EXPECT_THROW(f.Ok(form), store::FileError);
  EXPECT_EQ(f.dir.Read("Todokl.dat"), dat);
  EXPECT_EQ(f.dir.Read("Todokl.dtl"), dtl);
}

TEST(TodoFormRepeat, EachOccurrenceKeepsTheStartDistanceAndItsOwnMemo) {
  Folder f;
  TodoForm form = NewForm(D(2024, 5, 10));
  form.no_start = false;
  form.start = D(2024, 5, 7);  // three days before the limit
  form.memo = {"each"};
  form.memo_changed = true;
  SetRepeatOn(form, true);
  form.rule.from = D(2024, 5, 7);
  form.rule.to = D(2024, 6, 4);
  SetRepeatPattern(form, RepeatPattern::Week);
  form.rule.to = D(2024, 6, 4);
  form.rule.weekday = 1;  // Mondays: 13, 20, 27 May and 3 June
  EXPECT_EQ(TodoRepeatLabel(form, calendar::HolidayOracleOf(f.holidays)), "まで 4件");
  TodoUpdateResult r = f.Ok(form);
  ASSERT_TRUE(r.stored);
  ASSERT_EQ(r.stored_records.size(), 4u);
  const Date limits[] = {D(2024, 5, 13), D(2024, 5, 20), D(2024, 5, 27), D(2024, 6, 3)};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(TodoLimit(r.stored_records[i]), limits[i]);
    EXPECT_EQ(TodoStart(r.stored_records[i]), store::AddDays(limits[i], -3));
    EXPECT_EQ(TodoMemoNumber(r.stored_records[i]), static_cast<int>(i) + 1);
  }
  EXPECT_EQ(f.Memos(), (std::vector<std::string>{"0001,each", "0002,each", "0003,each", "0004,each"}));
}

TEST(TodoFormRepeat, MonthlyWithHolidayShiftingMatchesTheScheduleRule) {
  Folder f;
  f.dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71"});
  ASSERT_TRUE(store::CreateHolidayFile(f.fs, f.dir.path()));
  f.holidays = calendar::HolidayList::FromFileLines(store::LoadLines(f.fs, store::HolidayFilePath(f.dir.path())),
                                                    calendar::HolidaySettings{});
  TodoForm form = NewForm(D(2024, 1, 8));
  SetRepeatOn(form, true);
  form.rule.from = D(2024, 1, 1);
  form.rule.to = D(2024, 12, 31);
  form.rule.day = 8;
  form.rule.shift = RepeatShift::After;
  form.rule.on_public_holiday = true;
  form.rule.on_sunday = true;
  TodoUpdateResult r = f.Ok(form);
  ASSERT_TRUE(r.stored);
  std::string stored;
  for (const auto& record : r.stored_records) stored += store::DateText(*TodoLimit(record)) + "\n";

  test::CliRun cli = test::RunCliIn(f.dir, {"repeat", "--from", "2024/01/01", "--to", "2024/12/31", "--every", "毎",
                                            "--pattern", "月", "--day", "8", "--shift", "after", "--on", "祝日,日曜"});
  ASSERT_EQ(cli.status, 0) << cli.err;
  EXPECT_EQ(stored + "count\t12\n", cli.out);
  // 8 January 2024 is 成人の日 and moves to the 9th; 8 September is a Sunday and moves to the 9th.
  EXPECT_NE(stored.find("2024/01/09\n"), std::string::npos);
  EXPECT_NE(stored.find("2024/09/09\n"), std::string::npos);
}

TEST(TodoFormRepeat, TheShiftWalkStopsWhenEveryDayIsAHoliday) {
  Folder f;
  TodoForm form = NewForm(D(2024, 5, 10));
  SetRepeatOn(form, true);
  form.rule.shift = RepeatShift::After;
  form.rule.on_public_holiday = true;
  calendar::HolidayOracle always;
  always.is_public_holiday = [](const Date&) { return true; };
  EXPECT_EQ(TodoRepeatLabel(form, always), "まで 0件");
  std::vector<std::optional<Date>> limits;
  EXPECT_EQ(CheckTodoForm(form, f.dialogs, always, limits), TodoFormField::RepeatFrom);
  EXPECT_EQ(f.dialogs.shown.at(0).text, "登録するToDoがありません。");
}

TEST(TodoCopy, AScheduleBecomesAToDoFormWithItsMemo) {
  store::ScheduleFields s;
  s.day = 5;
  s.title = "打合せ";
  s.category = "会議";
  s.link = "/doc/議事.txt";
  const std::string line = store::BuildScheduleLine(s).line;
  TodoForm form = TodoFormFromSchedule(D(2024, 6, 5), kToday, line, {"議題", "a,b"});
  EXPECT_EQ(TodoFormCaption(form.kind), "スケジュールをToDoにコピー");
  EXPECT_EQ(form.limit, D(2024, 6, 5));
  EXPECT_EQ(form.done_date, D(2024, 6, 5));
  EXPECT_EQ(form.subject, "打合せ");
  EXPECT_EQ(form.category, "会議");
  EXPECT_EQ(form.link, "/doc/議事.txt");
  EXPECT_TRUE(form.memo_changed);
  EXPECT_FALSE(RepeatShown(form));
  EXPECT_FALSE(form.done_enabled);

  // Stored, the memo goes under a new number of the ToDo memo file.
  MemoFolder f;
  ASSERT_TRUE(f.Ok(form).stored);
  EXPECT_EQ(TodoMemoNumber(f.Stored("打合せ")), 3);
  EXPECT_EQ(f.Memos().at(2), Sjis("0003,議題,\"a,b\""));

  // A schedule whose detail is missing gives an empty memo.
  EXPECT_TRUE(TodoFormFromSchedule(D(2024, 6, 5), kToday, line, {}).memo.empty());
}

TEST(TodoCopy, AToDoItemBecomesAScheduleOpening) {
  const std::vector<std::string> memos = {"0001,x", Sjis("0002,一行,二行")};
  TodoFields f;
  f.limit = D(2024, 7, 1);
  f.done_date = kToday;
  f.category = "私用";
  f.memo = 2;
  f.subject = std::string(39, 'a') + "あいう" + std::string(15, 'b');  // 60 bytes; byte 40 starts あ
  f.link = "/x.txt";
  const ScheduleFromTodo copy = ScheduleCopyOf(BuildTodoRecord(f).line, kToday, memos);
  EXPECT_EQ(copy.date, D(2024, 7, 1));
  EXPECT_EQ(copy.title, std::string(39, 'a'));  // never half a character
  EXPECT_EQ(copy.category, "私用");
  EXPECT_EQ(copy.link, "/x.txt");
  EXPECT_EQ(copy.memo, (std::vector<std::string>{"一行", "二行"}));

  f.limit.reset();
  f.memo = 3;  // its memo line is missing
  f.subject = std::string(60, 'c');
  const ScheduleFromTodo open = ScheduleCopyOf(BuildTodoRecord(f).line, kToday, memos);
  EXPECT_EQ(open.date, kToday);
  EXPECT_EQ(open.title, std::string(40, 'c'));
  EXPECT_TRUE(open.memo.empty());
}

}  // namespace
}  // namespace kal::todo
