#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::RunCliIn;
using test::Sjis;

const char* kCsv =
    "開始日,開始時刻,件名,メモ\r\n"
    "2024/05/03,9:00,会議,\"一行目\r\n二行目\"\r\n"
    "2024/05/03,9:00,会議,\r\n"
    "2024/13/01,,壊れた日付,\r\n"
    "2024/05/04,,休み,\r\n";

TEST(CliImport, CsvWithHeaderPrintsEveryRecordAndStoresStatusOne) {
  test::TempFolder dir;
  dir.Write("in.csv", Sjis(kCsv));
  auto dry = RunCliIn(dir, {"import", "csv", dir / "in.csv", "--skip-duplicates", "--dry-run"});
  ASSERT_EQ(dry.status, 0) << dry.err;
  EXPECT_EQ(dry.out,
            "1\t2024/05/03\t会議\t\n"
            "0\t2024/05/03\t会議\t\n"
            "9\t2024/13/01\t壊れた日付\t開始日に誤りがあるため処理できません。\\n4 レコード目: 2024/13/01\n"
            "1\t2024/05/04\t休み\t\n"
            "count\t2\t1\t1\n");
  EXPECT_FALSE(dir.Exists("202405.sch"));

  auto run = RunCliIn(dir, {"import", "csv", dir / "in.csv", "--skip-duplicates"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, dry.out);
  EXPECT_EQ(dir.Read("202405.sch"), Sjis("0309:00" + std::string(19, ' ') + "0000会議" + std::string(76, ' ') +
                                         "001\r\n04" + std::string(24, ' ') + "0000休み\r\n"));
  EXPECT_EQ(dir.Read("202405.dtl"), Sjis("001,一行目,二行目\r\n"));

  // The same file again adds nothing.
  auto again = RunCliIn(dir, {"import", "csv", dir / "in.csv", "--skip-duplicates"});
  EXPECT_EQ(again.out.substr(again.out.rfind("count")), "count\t0\t3\t1\n");
}

TEST(CliImport, MapAssignsColumnsByFieldName) {
  test::TempFolder dir;
  dir.Write("w.csv", Sjis("2024/05/01,晴れ,25\r\n"));
  auto run = RunCliIn(dir, {"import", "csv", dir / "w.csv", "--kind", "weather", "--map", "1=日付（yyyy/mm/dd）,2=天気,3=最高気温"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "1\t2024/05/01\t晴れ\t\ncount\t1\t0\t0\n");
  EXPECT_EQ(dir.Read("202405.day").substr(0, 27), "00\r\n00100" + std::string(10, ' ') + "25\r\n00\r\n");
}

TEST(CliImport, ErrorsAndUsage) {
  test::TempFolder dir;
  dir.Write("plain.csv", Sjis("2024/05/03,x\r\n"));
  dir.Write("empty.csv", "\r\n");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"import", "csv", dir / "plain.csv"}, 1, "開始日が選択されていません。\n"},
      {{"import", "csv", dir / "empty.csv"}, 1, "データが見つかりません。\n"},
      {{"import", "csv", dir / "missing.csv"}, 1, "データが見つかりません。\n"},
      {{"import", "ics", dir / "plain.csv"}, 1, "この形式のファイルはまだインポートできません。\n"},
      {{"import", "csv", dir / "plain.csv", "--map", "0=件名"}, 2, ""},
      {{"import", "csv", dir / "plain.csv", "--map", "1=題名"}, 2, ""},
      {{"import", "csv", dir / "plain.csv", "--kind", "memo"}, 2, ""},
      {{"import", "xls", dir / "plain.csv"}, 2, ""},
  };
  for (const auto& c : cases) {
    auto run = RunCliIn(dir, c.args);
    EXPECT_EQ(run.status, c.status) << c.args[2];
    if (c.status == 1) EXPECT_EQ(run.err, c.err);
    else EXPECT_NE(run.err.find("kalendor-cli: "), std::string::npos);
  }
  EXPECT_FALSE(dir.Exists("202405.sch"));
}

}  // namespace
}  // namespace kal::cli

namespace kal::cli {
namespace {

TEST(CliImport, DataFilesOfAnotherFolder) {
  test::TempFolder dir;
  dir.MakeFolder("old");
  const std::string line = "03" + std::string(24, ' ') + "0000" + Sjis("会議") + std::string(76, ' ') + "002";
  dir.Write("old/202405.sch", line + "\r\n");
  dir.Write("old/Holiday.dat", " 8 8" + std::string(8, ' ') + "002" + Sjis("記念") + "\r\n" + " 8 9" +
                                   std::string(8, ' ') + "007" + Sjis("壊れ") + "\r\n");
  auto run = RunCliIn(dir, {"import", "data", dir / "old/202405.sch", "--skip-duplicates"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "1\t2024/05/03\t会議\t\ncount\t1\t0\t0\n");
  EXPECT_EQ(run.err, "スケジュールメモが設定されていますが、" + dir.path() + "old/202405.dtl が見つかりません。\n");
  EXPECT_EQ(dir.Read("202405.sch"), "03" + std::string(24, ' ') + "0000" + Sjis("会議") + "\r\n");
  auto again = RunCliIn(dir, {"import", "data", dir / "old/202405.sch", "--skip-duplicates", "--dry-run"});
  EXPECT_EQ(again.out, "0\t2024/05/03\t会議\t\ncount\t0\t1\t0\n");

  auto holidays = RunCliIn(dir, {"import", "data", dir / "old/Holiday.dat", "--dry-run"});
  ASSERT_EQ(holidays.status, 0) << holidays.err;
  EXPECT_EQ(holidays.out, "1\t08/08\t記念\t\n9\t8/9\t壊れ\t不正なデータがあるため処理できません。\\n2 レコード目\ncount\t1\t0\t1\n");
  EXPECT_EQ(RunCliIn(dir, {"import", "data", dir / "old/in.csv"}).status, 1);
}

}  // namespace
}  // namespace kal::cli

namespace kal::cli {
namespace {

TEST(CliImport, CalendarEventsGoThroughTheScheduleConversion) {
  test::TempFolder dir;
  dir.Write("in.ics",
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//test//JA\r\n"
            "BEGIN:VEVENT\r\nUID:1\r\nDTSTART:20240503T010000Z\r\nDTEND:20240503T023000Z\r\n"
            "SUMMARY:\xE4\xBC\x9A\xE8\xAD\xB0\r\nDESCRIPTION:\xE4\xB8\x80\\n\xE4\xBA\x8C\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:20240504T010000Z\r\nRRULE:FREQ=DAILY\r\nSUMMARY:daily\r\nEND:VEVENT\r\n"
            "END:VCALENDAR\r\n");
  auto run = RunCliIn(dir, {"import", "ics", dir / "in.ics"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), "1\t2024/05/03\t会議\t\n");
  EXPECT_NE(run.out.find("\t繰り返しの予定は取り込めません。\\n2 レコード目\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.substr(run.out.rfind("count")), "count\t1\t0\t1\n");
  EXPECT_EQ(dir.Read("202405.sch"), Sjis("0310:0011:30" + std::string(14, ' ') + "0000会議" + std::string(76, ' ') +
                                         "001\r\n"));
  EXPECT_EQ(dir.Read("202405.dtl"), Sjis("001,一,二\r\n"));
  EXPECT_EQ(RunCliIn(dir, {"import", "vcs", dir / "in.ics"}).status, 1);  // the extension disagrees
}

}  // namespace
}  // namespace kal::cli
