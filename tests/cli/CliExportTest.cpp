#include <gtest/gtest.h>

#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "todo/TodoFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::Sjis;

std::string Line(const store::ScheduleFields& f) {
  auto r = store::BuildScheduleLine(f);
  EXPECT_TRUE(r.ok);
  return r.line;
}

TEST(CliExport, WritesTheViewsRowsAndPrintsTheirCount) {
  test::TempFolder dir;
  store::ScheduleFields a;
  a.day = 3;
  a.start = "10:00";
  a.end = "11:30";
  a.title = "打合せ";
  a.place = "本社";
  a.category = "仕事";
  store::ScheduleFields b = a;
  b.day = 4;
  b.title = "翌日";
  dir.Write("202405.sch", store::JoinLines({Line(a), Line(b)}));

  // View 1: the reference day only.
  test::CliRun r = test::RunCliIn(dir, {"export", "csv", "schedule", "1", "--date", "2024/05/03", "--output",
                                        dir / "day.csv"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\n");
  EXPECT_EQ(dir.Read("day.csv"),
            Sjis("\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\",\r\n"
                 "\"2024/05/03\",\"10:00\",\"2024/05/03\",\"11:30\",\"打合せ\",\"本社\",\"仕事\",\"\",\r\n"));

  r = test::RunCliIn(dir, {"--today", "2024/05/20", "export", "vcs", "schedule", "2", "--output", dir / "m.vcs"});
  EXPECT_EQ(r.out, "2\n");
  EXPECT_NE(dir.Read("m.vcs").find("DTSTART:20240504T010000Z\r\n"), std::string::npos);
}

TEST(CliExport, TheSettingsSwitchesAndTheAlarmTable) {
  test::TempFolder dir;
  dir.Write("Kalendor.ini", "[File]\r\nCsvStrTime=1\r\nCsvAlarm=1\r\n");
  dir.Write("Alarm.tbl", "  5\r\n 90\r\n");
  store::ScheduleFields timed;
  timed.day = 3;
  timed.start = "01:00";
  timed.alarm1 = 2;  // 90 minutes
  timed.title = "早朝";
  store::ScheduleFields all_day;
  all_day.day = 3;
  all_day.title = "休み";
  dir.Write("202405.sch", store::JoinLines({Line(all_day), Line(timed)}));
  test::CliRun r = test::RunCliIn(dir, {"export", "csv", "schedule", "1", "--date", "2024/05/03", "--output",
                                        dir / "a.csv"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("a.csv"),
            Sjis("\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\","
                 "\"ｱﾗｰﾑ ｵﾝ/ｵﾌ\",\"ｱﾗｰﾑ日付\",\"ｱﾗｰﾑ時刻\"\r\n"
                 "\"2024/05/03\",\"00:00\",\"2024/05/04\",\"00:00\",\"休み\",\"\",\"\",\"\",\"False\",\r\n"
                 "\"2024/05/03\",\"01:00\",\"2024/05/03\",\"\",\"早朝\",\"\",\"\",\"\",\"True\",\"2024/05/02\","
                 "\"23:30\",\r\n"));
}

TEST(CliExport, HolidaysWithTheComputedOnesOfTheReferenceYear) {
  test::TempFolder dir;
  dir.Write("Holiday.dat", store::JoinLines({Sjis(" 5 319482030000憲法記念日"), Sjis(" 6101990    002創立%d周年")}));
  test::CliRun r =
      test::RunCliIn(dir, {"export", "ics", "holiday", "1", "--date", "2030/01/01", "--output", dir / "Hol.ics"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string ics = dir.Read("Hol.ics");
  EXPECT_NE(ics.find("RRULE:FREQ=YEARLY;INTERVAL=1;BYMONTH=05;BYMONTHDAY=03;UNTIL=20301231\r\n"), std::string::npos);
  EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20300320\r\nDTEND;VALUE=DATE:20300321\r\nSUMMARY:春分の日\r\n"),
            std::string::npos);
  EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20300923\r\n"), std::string::npos);
  EXPECT_EQ(ics.find("創立"), std::string::npos);  // view 1 holds public holidays only
  // 憲法記念日 and the two equinoxes; 2030 has substitute days too.
  EXPECT_GE(std::stoi(r.out), 3);

  r = test::RunCliIn(dir, {"export", "ics", "holiday", "3", "--output", dir / "Ann.ics"});
  EXPECT_EQ(r.out, "1\n");
  EXPECT_NE(dir.Read("Ann.ics").find("SUMMARY:創立%d周年\r\nCATEGORIES:記念日1\r\n"), std::string::npos);
}

TEST(CliExport, TheRowsOfAListSearchAndToDoItemsWithTheirMemos) {
  test::TempFolder dir;
  store::ScheduleFields a;
  a.day = 3;
  a.title = "打合せ";
  store::ScheduleFields b = a;
  b.day = 20;
  b.title = "歯医者";
  dir.Write("202405.sch", store::JoinLines({Line(a), Line(b)}));
  // The search of `list` picks the rows: one title over all months.
  test::CliRun r = test::RunCliIn(dir, {"export", "csv", "schedule", "search", "--title", "歯医者", "--output",
                                        dir / "found.csv"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\n");
  EXPECT_EQ(dir.Read("found.csv"),
            Sjis("\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\",\r\n"
                 "\"2024/05/20\",\"\",\"2024/05/20\",\"\",\"歯医者\",\"\",\"\",\"\",\r\n"));
  r = test::RunCliIn(dir, {"export", "csv", "schedule", "search", "--title", "無い", "--output", dir / "none.csv"});
  // As `list` prints a count of 0, the export writes a file of its header only.
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "0\n");
  EXPECT_EQ(dir.Read("none.csv"),
            Sjis("\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\",\r\n"));

  todo::TodoFields item;
  item.limit = store::MakeDate(2024, 5, 31);
  item.subject = "報告書";
  item.memo = 1;
  dir.Write("Todokl.dat", store::JoinLines({todo::BuildTodoRecord(item).line}));
  dir.Write("Todokl.dtl", store::JoinLines({Sjis("0001,表紙")}));
  r = test::RunCliIn(dir, {"--today", "2024/05/01", "export", "csv", "todo", "4", "--output", dir / "Todo.csv"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\n");
  EXPECT_EQ(dir.Read("Todo.csv"), Sjis("状況,期限,開始日,優先度,件名,分類,進捗,処理日,ﾒﾓ,内容\r\n"
                                        "未処理,2024/05/31,,A,報告書,,0%,,有,表紙\r\n"));
}

TEST(CliExport, UsageErrors) {
  test::TempFolder dir;
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"export", "pdf", "schedule", "1", "--output", dir / "x"},
           {"export", "vcs", "holiday", "1", "--output", dir / "x"},
           {"export", "csv", "schedule", "1"},
           {"export", "csv", "schedule", "7", "--output", dir / "x"},
           {"export", "csv", "schedule", "1", "--output"},
           {"export", "csv", "diary", "1", "--output", dir / "x"}}) {
    test::CliRun r = test::RunCliIn(dir, args);
    EXPECT_EQ(r.status, 2) << args[1] << " " << args[3];
  }
  EXPECT_FALSE(dir.Exists("x"));
}

}  // namespace
}  // namespace kal::cli
