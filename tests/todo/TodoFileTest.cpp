#include "todo/TodoFile.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::todo {
namespace {

using test::Sjis;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// A record written byte by byte (CP932): the fixed 56 bytes, then the subject and link as given.
std::string Rec(const std::string& limit, const std::string& start, const std::string& codes,
                const std::string& done_date, const std::string& category, const std::string& memo,
                const std::string& subject_and_link) {
  std::string cat = Sjis(category);
  return Sjis(limit) + start + codes + done_date + cat + Blanks(14 - cat.size()) + memo + Blanks(4) +
         Sjis(subject_and_link);
}

Date D(int y, int m, int d) { return store::MakeDate(y, m, d); }

TodoFields Item() {
  TodoFields f;
  f.limit = D(2024, 5, 20);
  f.start = D(2024, 5, 1);
  f.priority = 1;
  f.progress = 3;
  f.done_date = D(2024, 5, 10);
  f.category = "仕事";
  f.memo = 12;
  f.subject = "報告書";
  return f;
}

std::string Build(const TodoFields& f) {
  TodoBuild b = BuildTodoRecord(f);
  EXPECT_TRUE(b.ok) << b.message;
  return b.line;
}

TEST(TodoRecord, BuildsTheFieldsAtTheirBytePositions) {
  // Without a link the record ends right after the subject.
  EXPECT_EQ(Build(Item()), Sjis("2024/05/202024/05/011030") + "2024/05/10" + Sjis("仕事") + Blanks(10) + "0012" +
                               Blanks(4) + Sjis("報告書"));

  // No limit, no start, done.
  TodoFields open = Item();
  open.limit.reset();
  open.start.reset();
  open.done = true;
  open.progress = 10;
  open.category.clear();
  open.memo = 0;
  EXPECT_EQ(Build(open), Sjis("期限なし  ") + Blanks(10) + "1101" + "2024/05/10" + Blanks(14) + "0000" + Blanks(4) +
                             Sjis("報告書"));
  EXPECT_EQ(Sjis("期限なし  ").size(), 10u);
}

TEST(TodoRecord, ALinkStartsAtByte137AfterThePaddedSubject) {
  TodoFields f = Item();
  f.link = "/home/u/計画.txt  ";
  const std::string line = Build(f);
  EXPECT_EQ(line.substr(56, 80), Sjis("報告書") + Blanks(74));
  EXPECT_EQ(line.substr(136), Sjis("/home/u/計画.txt"));

  // A subject of exactly 80 bytes: the link follows with no blank between.
  f.subject = std::string(80, 'x');
  const std::string full = Build(f);
  EXPECT_EQ(full.substr(56, 81), std::string(80, 'x') + "/");

  // A double-byte character over byte 80 is not cut in half: 79 bytes and a blank.
  f.subject = std::string(79, 'y') + "計画";
  const std::string cut = Build(f);
  EXPECT_EQ(cut.substr(56, 80), std::string(79, 'y') + " ");
  EXPECT_EQ(TodoSubject(cut), std::string(79, 'y'));
  EXPECT_EQ(TodoLink(cut), "/home/u/計画.txt");
}

TEST(TodoRecord, CutsTextsAtACharacterBoundary) {
  TodoFields f = Item();
  f.category = "あいうえおかきく";  // 16 bytes
  f.subject = std::string(81, 'z');
  f.link = "/" + std::string(300, 'l');
  const std::string line = Build(f);
  EXPECT_EQ(TodoCategory(line), "あいうえおかき");
  EXPECT_EQ(TodoSubject(line), std::string(80, 'z'));
  EXPECT_EQ(line.size(), 136u + 255u);

  f.category = "abcdefghijklmあ";  // byte 14 would be the first half of あ
  EXPECT_EQ(TodoCategoryField(Build(f)), "abcdefghijklm ");
}

TEST(TodoRecord, RefusesACharacterCP932CannotHoldNamingTheField) {
  struct Case {
    const char* subject;
    const char* category;
    const char* link;
    const char* field;
  } cases[] = {
      {"会議😀", "", "", "件名"},
      {"会議", "仕事😀", "", "分類"},
      {"会議", "", "/tmp/😀.txt", "ファイル"},
  };
  for (const auto& c : cases) {
    TodoFields f = Item();
    f.subject = c.subject;
    f.category = c.category;
    f.link = c.link;
    TodoBuild b = BuildTodoRecord(f);
    EXPECT_FALSE(b.ok);
    EXPECT_EQ(b.field, c.field);
    EXPECT_EQ(b.message, std::string(c.field) + "に保存できない文字「😀」が含まれています。");
  }
}

TEST(TodoRecord, ReadsEveryFieldBack) {
  TodoFields f = Item();
  f.link = "C:\\文書\\a b.txt";
  EXPECT_EQ(ReadTodoRecord(Build(f)), f);
  TodoFields open = Item();
  open.limit.reset();
  open.start.reset();
  open.category.clear();
  open.memo = 0;
  EXPECT_EQ(ReadTodoRecord(Build(open)), open);
  EXPECT_EQ(TodoDamage(Build(f)), "");
}

TEST(TodoRecord, ADamagedRecordReadsLenientlyAndSaysWhatIsWrong) {
  struct Case {
    std::string line;
    bool limit, start;
    int priority, progress;
    std::string damage;
  } cases[] = {
      {Rec("2024/13/45", "2024/05/01", "1030", "2024/05/10", "", "0000", "a"), false, true, 1, 3, "期限"},
      {Rec("2024/05/20", "abcdefghij", "9990", "2024/05/10", "", "0000", "a"), true, false, 3, 10,
       "開始日・優先度・進捗率"},
      {Rec("2024/05/20", Blanks(10), "x-10", "2024/05/10", "", "0000", "a"), true, false, 0, 0, "優先度・進捗率"},
      {"2024/05/20", true, false, 0, 0, "優先度・進捗率"},  // a short line
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TodoLimit(c.line).has_value(), c.limit) << c.line;
    EXPECT_EQ(TodoStart(c.line).has_value(), c.start) << c.line;
    EXPECT_EQ(TodoPriority(c.line), c.priority) << c.line;
    EXPECT_EQ(TodoProgress(c.line), c.progress) << c.line;
    EXPECT_EQ(TodoDamage(c.line), c.damage) << c.line;
  }
  EXPECT_EQ(TodoDamageMessage("/d/Todokl.dat", 2, "期限"), "/d/Todokl.dat: 3行目のToDoは期限が正しくありません。");
}

TEST(TodoRecord, ProgressAndDoneUpdatesKeepEveryOtherByte) {
  TodoFields f = Item();
  f.link = "/home/u/a.txt";
  const std::string line = Build(f);
  const Date today = D(2024, 6, 3);

  const std::string progressed = WithProgress(line, 7);
  EXPECT_EQ(progressed, line.substr(0, 21) + "07" + line.substr(23));

  const std::string done = WithDone(line, true, today);
  EXPECT_EQ(done, line.substr(0, 23) + "1" + "2024/06/03" + line.substr(34));
  EXPECT_EQ(TodoLink(done), "/home/u/a.txt");

  // Marking not done keeps the stored done date.
  const std::string undone = WithDone(done, false, D(2024, 7, 1));
  EXPECT_EQ(undone, line.substr(0, 23) + "0" + "2024/06/03" + line.substr(34));

  // A damaged limit stays as it was.
  std::string damaged = line;
  damaged.replace(0, 10, "2024/99/99");
  EXPECT_EQ(WithDone(damaged, true, today).substr(0, 10), "2024/99/99");
}

TEST(TodoList, SortsDatedRecordsFirstAndNoLimitLast) {
  std::vector<std::string> records = {
      Rec("期限なし  ", Blanks(10), "0000", "2024/05/10", "", "0000", "b"),
      Rec("2024/06/01", Blanks(10), "0000", "2024/05/10", "", "0000", "a"),
      Rec("期限なし  ", Blanks(10), "0000", "2024/05/10", "", "0000", "a"),
      Rec("2024/05/01", "2024/04/20", "3000", "2024/05/10", "", "0000", "z"),
      Rec("2024/05/01", Blanks(10), "2000", "2024/05/10", "", "0000", "y"),
  };
  SortTodoList(records);
  std::vector<std::string> subjects;
  for (const auto& r : records) subjects.push_back(TodoSubject(r));
  EXPECT_EQ(subjects, (std::vector<std::string>{"y", "z", "a", "a", "b"}));
  EXPECT_FALSE(TodoLimit(records[3]).has_value());
}

TEST(TodoList, AMissingAndAnEmptyFileAreTheSameAndAnUnreadableOneStops) {
  test::TempFolder dir;
  TodoLoad missing = LoadTodoList(*std::make_unique<platform::PosixFileSystem>(), dir.path());
  EXPECT_FALSE(missing.exists);
  EXPECT_TRUE(missing.records.empty());
  dir.Write("Todokl.dat", "");
  platform::PosixFileSystem fs;
  TodoLoad empty = LoadTodoList(fs, dir.path());
  EXPECT_TRUE(empty.exists);
  EXPECT_TRUE(empty.records.empty());

  test::FaultyFileSystem faulty;
  faulty.unreadable.insert(dir / "Todokl.dat");
  EXPECT_THROW(LoadTodoList(faulty, dir.path()), store::FileError);
}

TEST(TodoList, LoadReportsEachDamagedRecordOnce) {
  test::TempFolder dir;
  const std::string good = Rec("2024/05/20", Blanks(10), "0000", "2024/05/10", "", "0000", "ok");
  const std::string bad = Rec("2024/05/3x", Blanks(10), "0000", "2024/05/10", "", "0000", "bad");
  dir.Write("Todokl.dat", store::JoinLines({good, bad}));
  platform::PosixFileSystem fs;
  TodoLoad load = LoadTodoList(fs, dir.path());
  ASSERT_EQ(load.records.size(), 2u);
  EXPECT_EQ(load.records[1], bad);  // kept as it is
  ASSERT_EQ(load.damaged.size(), 1u);
  EXPECT_EQ(load.damaged[0].first, 1u);
  EXPECT_EQ(load.damaged[0].second, dir / "Todokl.dat" + ": 2行目のToDoは期限が正しくありません。");
}

TEST(TodoMemo, TheFreeNumberIsTheSmallestUnused) {
  auto with = [](std::vector<std::string> numbers) {
    std::vector<std::string> records;
    for (const auto& n : numbers) records.push_back(Rec("2024/05/20", Blanks(10), "0000", "2024/05/10", "", n, "s"));
    return records;
  };
  EXPECT_EQ(FreeTodoMemoNumber({}), 1);
  EXPECT_EQ(FreeTodoMemoNumber(with({"0000", "0000"})), 1);
  EXPECT_EQ(FreeTodoMemoNumber(with({"0004", "0001", "0002", "0002"})), 3);
  EXPECT_EQ(FreeTodoMemoNumber(with({"0002", "0003"})), 1);
  std::vector<std::string> numbers;
  for (int i = 1; i <= 9999; ++i) numbers.push_back(MemoNumberField(i));
  EXPECT_EQ(FreeTodoMemoNumber(with(numbers)), 10000);
}

TEST(TodoMemo, LinesSurviveAsCommaTextAndAreFoundByNumber) {
  const std::vector<std::string> memo = {"a,b", "two words", "say \"hi\"", "", "日本語"};
  auto line = BuildTodoMemoLine(3, memo);
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, Sjis("0003,\"a,b\",\"two words\",\"say \"\"hi\"\"\",,日本語"));
  EXPECT_EQ(*BuildTodoMemoLine(7, {""}), "0007,\"\"");

  const std::vector<std::string> lines = {"0001,x", *line, "0005,y", "0007,\"\""};
  EXPECT_EQ(TodoMemoOf(lines, 3), memo);
  EXPECT_EQ(TodoMemoOf(lines, 7), std::vector<std::string>{""});
  EXPECT_TRUE(TodoMemoOf(lines, 4).empty());
  EXPECT_FALSE(FindTodoMemo(lines, 0));

  std::string bad;
  EXPECT_FALSE(BuildTodoMemoLine(1, {"ok", "😀"}, &bad));
  EXPECT_EQ(bad, "😀");

  std::vector<std::string> stale = {"0002,a", "0002,b", "0020,c"};
  EXPECT_EQ(RemoveTodoMemo(stale, 2), 2u);
  EXPECT_EQ(stale, std::vector<std::string>{"0020,c"});
}

// A small ToDo folder: five records, three with memos.
struct Folder {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  std::vector<std::string> records = {
      Rec("2024/05/01", Blanks(10), "0000", "2024/05/10", "", "0001", "one"),
      Rec("2024/05/02", Blanks(10), "0000", "2024/05/10", "", "0000", "two"),
      Rec("2024/05/03", Blanks(10), "0000", "2024/05/10", "", "0002", "three"),
      Rec("2024/05/04", Blanks(10), "0000", "2024/05/10", "", "0003", "four"),
      Rec("期限なし  ", Blanks(10), "0000", "2024/05/10", "", "0004", "five"),
  };
  std::vector<std::string> memos = {"0001,m1", "0002,m2", "0003,m3", "0004,m4"};
  Folder() {
    dir.Write("Todokl.dat", store::JoinLines(records));
    dir.Write("Todokl.dtl", store::JoinLines(memos));
  }
  std::vector<std::string> Stored() { return store::SplitLines(dir.Read("Todokl.dat")); }
  std::vector<std::string> StoredMemos() { return store::SplitLines(dir.Read("Todokl.dtl")); }
};

TEST(TodoDelete, RemovesExactlyTheSelectedRecordsAndTheirMemos) {
  Folder f;
  TodoResult r = DeleteTodos(f.fs, f.dir.path(), {{4, f.records[4]}, {0, f.records[0]}, {2, f.records[2]}});
  EXPECT_EQ(r.status, TodoStatus::Changed);
  EXPECT_EQ(f.Stored(), (std::vector<std::string>{f.records[1], f.records[3]}));
  EXPECT_EQ(r.records, f.Stored());
  EXPECT_EQ(f.StoredMemos(), (std::vector<std::string>{"0003,m3"}));
  EXPECT_EQ(f.dir.Read("Todokl.dat"), store::JoinLines({f.records[1], f.records[3]}));
}

TEST(TodoDelete, KeepsAStoredLineThatReadsD) {
  Folder f;
  f.records[1] = "D";
  f.dir.Write("Todokl.dat", store::JoinLines(f.records));
  DeleteTodos(f.fs, f.dir.path(), {{0, f.records[0]}});
  EXPECT_EQ(f.Stored().at(0), "D");
  EXPECT_EQ(f.Stored().size(), 4u);
}

TEST(TodoDelete, AChangedRecordIsRefusedAndNothingIsWritten) {
  Folder f;
  const std::string before = f.dir.Read("Todokl.dat");
  TodoResult r = DeleteTodos(f.fs, f.dir.path(), {{0, f.records[0]}, {2, f.records[1]}});
  EXPECT_EQ(r.status, TodoStatus::Stale);
  EXPECT_EQ(f.dir.Read("Todokl.dat"), before);
  EXPECT_EQ(f.fs.writes, 0);
}

TEST(TodoDelete, AFailedMemoWriteLeavesBothFilesAsTheyWere) {
  Folder f;
  const std::string dat = f.dir.Read("Todokl.dat"), dtl = f.dir.Read("Todokl.dtl");
  f.fs.unwritable.insert(f.dir / "Todokl.dtl");
  EXPECT_THROW(DeleteTodos(f.fs, f.dir.path(), {{0, f.records[0]}}), store::FileError);
  EXPECT_EQ(f.dir.Read("Todokl.dat"), dat);
  EXPECT_EQ(f.dir.Read("Todokl.dtl"), dtl);
}

TEST(TodoSaveFiles, AFailedListWritePutsTheMemoFileBack) {
  Folder f;
  const std::string dat = f.dir.Read("Todokl.dat"), dtl = f.dir.Read("Todokl.dtl");
  f.fs.unwritable.insert(f.dir / "Todokl.dat");
  EXPECT_THROW(SaveTodoFiles(f.fs, f.dir.path(), std::vector<std::string>{"0009,new"}, std::vector<std::string>{}),
               store::FileError);
  EXPECT_EQ(f.dir.Read("Todokl.dat"), dat);
  EXPECT_EQ(f.dir.Read("Todokl.dtl"), dtl);

  // A memo file that did not exist is removed again.
  test::TempFolder empty;
  f.fs.unwritable.insert(empty / "Todokl.dat");
  EXPECT_THROW(SaveTodoFiles(f.fs, empty.path(), std::vector<std::string>{"0001,a"}, std::vector<std::string>{}),
               store::FileError);
  EXPECT_FALSE(empty.Exists("Todokl.dtl"));
}

TEST(TodoDone, AppliesTicksInPlaceWithTodaysDate) {
  Folder f;
  const Date today = D(2024, 6, 1);
  TodoResult r = ApplyDoneChanges(f.fs, f.dir.path(),
                                  {{{1, f.records[1]}, true}, {{3, f.records[3]}, false}}, today);
  EXPECT_EQ(r.status, TodoStatus::Changed);
  std::vector<std::string> expected = f.records;
  expected[1] = f.records[1].substr(0, 23) + "1" + "2024/06/01" + f.records[1].substr(34);
  EXPECT_EQ(f.Stored(), expected);  // record 3 was not done already: unchanged, no re-sort

  // Marking it not done again keeps its done date.
  ApplyDoneChanges(f.fs, f.dir.path(), {{{1, expected[1]}, false}}, D(2024, 7, 1));
  EXPECT_EQ(f.Stored()[1], f.records[1].substr(0, 23) + "0" + "2024/06/01" + f.records[1].substr(34));

  // Nothing to change writes nothing; a stale record is refused.
  const int writes = f.fs.writes;
  EXPECT_EQ(ApplyDoneChanges(f.fs, f.dir.path(), {{{0, f.records[0]}, false}}, today).status,
            TodoStatus::Unchanged);
  EXPECT_EQ(ApplyDoneChanges(f.fs, f.dir.path(), {{{0, f.records[2]}, true}}, today).status, TodoStatus::Stale);
  EXPECT_EQ(f.fs.writes, writes);
}

TEST(TodoProgress, WritesTheNewValueInPlace) {
  Folder f;
  TodoResult r = SetTodoProgress(f.fs, f.dir.path(), {2, f.records[2]}, 10);
  EXPECT_EQ(r.status, TodoStatus::Changed);
  EXPECT_EQ(f.Stored()[2], f.records[2].substr(0, 21) + "10" + f.records[2].substr(23));
  EXPECT_EQ(SetTodoProgress(f.fs, f.dir.path(), {2, f.records[2]}, 5).status, TodoStatus::Stale);
}

TEST(TodoSave, AFailedWriteLeavesTheFileAndSaysSo) {
  Folder f;
  const std::string dat = f.dir.Read("Todokl.dat");
  f.fs.unwritable.insert(f.dir / "Todokl.dat");
  try {
    ApplyDoneChanges(f.fs, f.dir.path(), {{{0, f.records[0]}, true}}, D(2024, 6, 1));
    FAIL() << "no error";
  } catch (const store::FileError& e) {
    EXPECT_NE(std::string(e.what()).find("Todokl.dat"), std::string::npos) << e.what();
  }
  EXPECT_EQ(f.dir.Read("Todokl.dat"), dat);
}

}  // namespace
}  // namespace kal::todo
