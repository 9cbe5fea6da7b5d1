#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::Sjis;

// A program folder whose settings put data, memos and notes into three folders.
struct CliMemoFixture : ::testing::Test {
  test::TempFolder dir;
  CliMemoFixture() {
    dir.MakeFolder("data");
    dir.MakeFolder("memo");
    dir.MakeFolder("note");
    Settings(false);
  }
  void Settings(bool password) {
    dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "DataPath=" + dir.path() + "data",
                                    "MemoPath=" + dir.path() + "memo", "NotePath=" + dir.path() + "note", "[Note]",
                                    std::string("Password=") + (password ? "1" : "0")});
  }
  test::CliRun Run(std::vector<std::string> args) { return test::RunCliIn(dir, std::move(args)); }
};

TEST_F(CliMemoFixture, MemosOfAMonthDayMemosFirstThenTheMonthMemo) {
  dir.WriteLines("memo/20240510.mem", {"十日", "\t二行目"});
  dir.WriteLines("memo/20240502.mem", {"二日"});
  dir.WriteLines("memo/202405.mem", {"五月"});
  dir.WriteLines("memo/202406.mem", {"六月"});
  dir.WriteLines("memo/20240503.mem", {""});  // one empty line
  auto r = Run({"memos", "202405"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "2024/05/02\t二日\n"
            "2024/05/03\t\n"
            "2024/05/10\t十日\\n\\t二行目\n"
            "2024/05\t五月\n");
  EXPECT_EQ(Run({"memos", "202407"}).out, "");
  EXPECT_EQ(Run({"memos", "2024-5"}).status, 2);
}

TEST_F(CliMemoFixture, SetMemoStoresAndAnEmptyTextDeletesWithTheColourMark) {
  auto r = Run({"set-memo", "2024/05/03", "一行目\n二行目"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("memo/20240503.mem"), Sjis("一行目") + "\r\n" + Sjis("二行目") + "\r\n");
  EXPECT_EQ(Run({"set-memo", "2024/05", "月のメモ"}).status, 0);
  EXPECT_EQ(dir.Read("memo/202405.mem"), Sjis("月のメモ") + "\r\n");
  EXPECT_EQ(Run({"memos", "202405"}).out, "2024/05/03\t一行目\\n二行目\n2024/05\t月のメモ\n");

  std::vector<std::string> day_lines(32, "00");
  day_lines[3] = "00   4";
  dir.Write("data/202405.day", store::JoinLines(day_lines));
  EXPECT_EQ(Run({"set-memo", "2024/05/03", ""}).status, 0);
  EXPECT_FALSE(dir.Exists("memo/20240503.mem"));
  day_lines[3] = "00   0";
  EXPECT_EQ(dir.Read("data/202405.day"), store::JoinLines(day_lines));

  // A character CP932 cannot hold: the message names the memo, nothing is written.
  r = Run({"set-memo", "2024/05", "🎉"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "2024年5月のメモに保存できない文字「🎉」が含まれています。\n");
  EXPECT_EQ(dir.Read("memo/202405.mem"), Sjis("月のメモ") + "\r\n");

  EXPECT_EQ(Run({"set-memo", "2024/13/01", "x"}).status, 2);
  EXPECT_EQ(Run({"set-memo", "2024/05/03"}).status, 2);
}

TEST_F(CliMemoFixture, NotesAndTheTextOfANote) {
  auto r = Run({"notes"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "0\t目標\t目標.not\t0\n1\t重要\t重要.not\t0\n2\t購入\t購入.not\t0\n3\tアイデア\tアイデア.not\t0\n"
            "4\t秘密\t秘密.not\t0\n");

  Settings(true);
  dir.WriteLines("note/Note.lst", {"Links", "秘密"});
  dir.WriteLines("note/秘密.not", {"暗証\t1234"});
  dir.WriteLines("note/Links.not", {"https://example.jp 例"});
  EXPECT_EQ(Run({"notes"}).out, "0\tLinks\tLinks.not\t0\n1\t秘密\t秘密.not\t1\n");
  EXPECT_EQ(Run({"note", "秘密"}).out, "暗証\\t1234\n");
  EXPECT_EQ(Run({"note", "links"}).out, "https://example.jp 例\n");

  r = Run({"note", "無い"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "「無い」というノートはありません。\n");
}

}  // namespace
}  // namespace kal::cli
