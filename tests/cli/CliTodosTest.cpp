#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::Sjis;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// A program folder whose ToDo folder "Todo" holds four records and two memos; WaitCnt 2.
struct TodoFolder {
  test::TempFolder dir;
  std::vector<std::string> records = {
      Sjis("2024/05/082024/05/01") + "1050" + "2024/05/01" + Sjis("仕事") + Blanks(10) + "0002" + Blanks(4) +
          Sjis("請求書") + Blanks(74) + Sjis("/home/u/請求.pdf"),
      "2024/05/12" + Blanks(10) + "0001" + "2024/05/09" + Blanks(14) + "0000" + Blanks(4) + "call",
      "2024/05/20" + Blanks(10) + "3000" + "2024/05/09" + Blanks(14) + "0000" + Blanks(4) + "later",
      Sjis("期限なし  ") + Blanks(10) + "2100" + "2024/05/09" + Blanks(14) + "0001" + Blanks(4) + Sjis("いつか"),
  };
  TodoFolder() {
    dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "TodoPath=Todo", "[ToDo]", "WaitCount=1", "WaitCnt=2"});
    dir.Write("Todo/Todokl.dat", store::JoinLines(records));
    dir.Write("Todo/Todokl.dtl", store::JoinLines({Sjis("0001,一行目,\"a b\""), Sjis("0002,")}));
  }
  test::CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--today", "2024/05/10"});
    return test::RunCliIn(dir, args);
  }
};

TEST(CliTodos, PrintsEveryRecordClassifiedInFileOrder) {
  TodoFolder f;
  test::CliRun r = f.Run({"todos"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "0\t1\t2024/05/08\t2024/05/01\tB\t50\t0\t2024/05/01\t仕事\t請求書\t/home/u/請求.pdf\t\n"
            "1\t6\t2024/05/12\t\tA\t0\t1\t2024/05/09\t\tcall\t\t\n"
            "2\t7\t2024/05/20\t\tD\t0\t0\t2024/05/09\t\tlater\t\t\n"
            "3\t5\t\t\tC\t100\t0\t2024/05/09\t\tいつか\t\t一行目\\na b\n");
}

TEST(CliTodos, ListsOneTab) {
  TodoFolder f;
  struct Case {
    const char* tab;
    const char* indexes;
  } cases[] = {{"未処理", "0,3,"}, {"処理済", "1,"}, {"待機", "2,"}};
  for (const auto& c : cases) {
    test::CliRun r = f.Run({"todos", "--tab", c.tab});
    EXPECT_EQ(r.status, 0);
    std::string indexes;
    for (const auto& line : store::SplitLines(r.out)) indexes += line.substr(0, line.find('\t')) + ",";
    EXPECT_EQ(indexes, c.indexes) << c.tab;
  }
  EXPECT_EQ(f.Run({"todos", "--tab", "全部"}).status, 2);
  EXPECT_EQ(f.Run({"todos", "--tab"}).status, 2);
}

TEST(CliTodos, ReportsADamagedRecordAndStillPrintsIt) {
  TodoFolder f;
  f.records[2].replace(0, 10, "2024/02/30");
  f.dir.Write("Todo/Todokl.dat", store::JoinLines(f.records));
  test::CliRun r = f.Run({"todos", "--tab", "未処理"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, f.dir / "Todo/Todokl.dat" + ": 3行目のToDoは期限が正しくありません。\n");
  EXPECT_NE(r.out.find("2\t5\t\t\tD\t0\t0\t2024/05/09\t\tlater"), std::string::npos) << r.out;
}

TEST(CliTodoMark, MarksDoneWithTodayAndUndoneKeepingTheDate) {
  TodoFolder f;
  test::CliRun done = f.Run({"todo-mark", "done", "0", "2"});
  EXPECT_EQ(done.status, 0);
  EXPECT_EQ(done.out, "");
  std::vector<std::string> expected = f.records;
  expected[0] = f.records[0].substr(0, 23) + "1" + "2024/05/10" + f.records[0].substr(34);
  expected[2] = f.records[2].substr(0, 23) + "1" + "2024/05/10" + f.records[2].substr(34);
  EXPECT_EQ(f.dir.Read("Todo/Todokl.dat"), store::JoinLines(expected));

  EXPECT_EQ(f.Run({"todo-mark", "undone", "1"}).status, 0);
  expected[1] = f.records[1].substr(0, 23) + "0" + f.records[1].substr(24);
  EXPECT_EQ(f.dir.Read("Todo/Todokl.dat"), store::JoinLines(expected));
}

TEST(CliTodoMark, RefusesAMissingIndexAndWritesNothing) {
  TodoFolder f;
  const std::string before = f.dir.Read("Todo/Todokl.dat");
  test::CliRun r = f.Run({"todo-mark", "done", "1", "4"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ToDoの4番目のレコードはありません。\n");
  EXPECT_EQ(f.dir.Read("Todo/Todokl.dat"), before);
  for (auto bad : {std::vector<std::string>{"todo-mark", "done"}, {"todo-mark", "finish", "1"},
                   {"todo-mark", "done", "-1"}})
    EXPECT_EQ(f.Run(bad).status, 2);
}

TEST(CliAddTodo, StoresOneItemSortedIntoTheList) {
  TodoFolder f;
  f.dir.WriteLines("Category.tbl", {"仕事          1 0000025500000000"});
  test::CliRun r = f.Run({"add-todo", "--subject", "見積", "--limit", "2024/05/15", "--start", "2024/05/11",
                          "--priority", "C", "--progress", "30", "--category", "仕事", "--memo", "一行\n二行",
                          "--link", "/home/u/見積.xls"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2024/05/15\t見積\n");
  const std::string added = Sjis("2024/05/152024/05/11") + "2030" + "2024/05/10" + Sjis("仕事") + Blanks(10) +
                            "0003" + Blanks(4) + Sjis("見積") + Blanks(76) + Sjis("/home/u/見積.xls");
  EXPECT_EQ(f.dir.Read("Todo/Todokl.dat"),
            store::JoinLines({f.records[0], f.records[1], added, f.records[2], f.records[3]}));
  EXPECT_EQ(f.dir.Read("Todo/Todokl.dtl"),
            store::JoinLines({Sjis("0001,一行目,\"a b\""), Sjis("0002,"), Sjis("0003,一行,二行")}));
}

TEST(CliAddTodo, WithoutALimitAndAsARepeatedSeries) {
  TodoFolder f;
  test::CliRun open = f.Run({"add-todo", "--subject", "いつでも", "--done"});
  EXPECT_EQ(open.status, 0) << open.err;
  EXPECT_EQ(open.out, "\tいつでも\n");
  // Among the items without a limit it sorts before "いつか" (its start, priority and progress are lower).
  const std::string added = store::SplitLines(f.dir.Read("Todo/Todokl.dat")).at(3);
  EXPECT_EQ(added, Sjis("期限なし  ") + Blanks(10) + "0001" + "2024/05/10" + Blanks(14) + "0000" + Blanks(4) +
                      Sjis("いつでも"));

  test::CliRun series = f.Run({"add-todo", "--subject", "月報", "--from", "2024/05/31", "--to", "2024/09/30",
                               "--every", "毎", "--pattern", "月", "--day", "末日"});
  EXPECT_EQ(series.status, 0) << series.err;
  EXPECT_EQ(series.out, "2024/05/31\t月報\n2024/06/30\t月報\n2024/07/31\t月報\n2024/08/31\t月報\n2024/09/30\t月報\n");
}

TEST(CliAddTodo, ARefusedItemPrintsTheMessageAndWritesNothing) {
  TodoFolder f;
  const std::string before = f.dir.Read("Todo/Todokl.dat");
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"add-todo", "--subject", ""}, "件名が未入力です。\n"},
      {{"add-todo", "--subject", "x", "--limit", "2024/05/01", "--start", "2024/05/02"},
       "期限 ≧ 開始日でなければなりません。\n"},
      {{"add-todo", "--subject", "x", "--from", "2024/05/01", "--to", "2024/05/01", "--every", "毎", "--pattern", "月"},
       "期間の入力に誤りがあります。\n"},
      {{"add-todo", "--subject", "😀"}, "件名に保存できない文字「😀」が含まれています。\n"},
  };
  for (const auto& c : cases) {
    test::CliRun r = f.Run(c.args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.message);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(f.dir.Read("Todo/Todokl.dat"), before);
  for (auto bad : {std::vector<std::string>{"add-todo"}, {"add-todo", "--subject", "x", "--priority", "E"},
                   {"add-todo", "--subject", "x", "--progress", "35"},
                   {"add-todo", "--subject", "x", "--pattern", "日"}})
    EXPECT_EQ(f.Run(bad).status, 2);
}

}  // namespace
}  // namespace kal::cli
