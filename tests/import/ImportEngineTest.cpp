#include "import/ImportEngine.h"

#include <gtest/gtest.h>

#include "import/CsvReader.h"
#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::import {
namespace {

using test::Sjis;

class ImportEngineTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  platform::PosixFileSystem fs;

  ImportRequest Request(ImportTarget target, const std::string& csv_utf8, Assignment assignment) {
    ImportRequest r;
    r.target = target;
    r.records = ReadCsv(Sjis(csv_utf8));
    r.assignment = std::move(assignment);
    r.folders = {dir.path(), dir.path(), dir.path()};
    r.today = store::MakeDate(2024, 6, 1);
    return r;
  }
  static std::vector<std::string> Statuses(const ImportResult& result) {
    std::vector<std::string> out;
    for (const auto& r : result.records) out.push_back(std::string(1, StatusCode(r.status)));
    return out;
  }
  std::string File(const std::string& name) { return dir.Read(name); }
};

const Assignment kScheduleColumns{0, 1, 2, 3, 4, 5, 6, 7};

// --- Schedules -------------------------------------------------------------------------------

TEST_F(ImportEngineTest, SchedulesGoToTheirMonthFilesWithMemosAndSpans) {
  dir.WriteLines("202405.sch", {"15" + std::string(10, ' ') + "仕事" + std::string(10, ' ') + "0000既存"});
  auto req = Request(ImportTarget::Schedule,
                     "開始日,開始時刻,終了日,終了時刻,件名,場所,分類,メモ\n"
                     "2024/5/3,9:5,,10:30,会議,本社,仕事,\"会議 資料\n\"\"原案\"\" $n\"\n"
                     "2024/05/30,,2024/06/02,,出張,大阪,,\n"
                     "2024/06/01,,,,\"単独\",,,\n",
                     kScheduleColumns);
  req.options.first_is_header = true;
  auto check = RunImport(fs, req, ImportMode::Check);
  EXPECT_EQ(Statuses(check), (std::vector<std::string>{"0", "1", "1", "1"}));
  EXPECT_EQ(check.records[0].status, RecordStatus::Header);
  EXPECT_EQ(check.imported, 3);
  EXPECT_FALSE(check.written);
  EXPECT_FALSE(dir.Exists("202406.sch"));  // a check writes nothing
  EXPECT_EQ(ReportText(ImportTarget::Schedule, check, ImportMode::Check),
            "3 件のスケジュールデータを反映します。\n0 件の分類を追加します。");

  auto run = RunImport(fs, req, ImportMode::Execute);
  EXPECT_TRUE(run.written);
  EXPECT_EQ(ReportText(ImportTarget::Schedule, run, ImportMode::Execute),
            "3 件のスケジュールデータを反映しました。\n0 件の分類を追加しました。");
  const std::string pad40(40 - 4, ' ');
  EXPECT_EQ(File("202405.sch"),
            Sjis("0309:0510:30仕事          0000会議" + pad40 + "本社" + std::string(36, ' ') + "001\r\n"
                 "15" + std::string(10, ' ') + "仕事" + std::string(10, ' ') + "0000既存\r\n"
                 "30" + std::string(24, ' ') + "0000出張" + pad40 + "大阪" + std::string(36, ' ') +
                 "00004$000000$80FF800\r\n"));
  // The memo keeps its blank, its quotes and a literal "$n" as text; its two lines stay two.
  EXPECT_EQ(File("202405.dtl"), Sjis("001,\"会議 資料\",\"\"\"原案\"\" $n\"\r\n"));
  EXPECT_EQ(File("202406.sch"), Sjis("01" + std::string(24, ' ') + "0000単独\r\n"));
  EXPECT_FALSE(dir.Exists("202406.dtl"));
}

TEST_F(ImportEngineTest, SchedulesRefusedForTheirRecordWithTheMessage) {
  struct Case {
    const char* row;
    const char* message;
    bool stops;
  };
  const Case cases[] = {
      {"2024/13/01,,,,a,,,", "開始日に誤りがあるため処理できません。\n1 レコード目: 2024/13/01", true},
      {",,,,a,,,", "開始日に誤りがあるため処理できません。\n1 レコード目: ", true},
      {"2024/05/03,25:00,,,a,,,", "開始時刻に誤りがあるため処理できません。\n1 レコード目: 25:00", true},
      {"2024/05/03,,,朝,a,,,", "終了時刻に誤りがあるため処理できません。\n1 レコード目: 朝", true},
      {"2024/05/03,,2024/05/02,,a,,,", "終了日が開始日より前のため処理できません。\n1 レコード目: 2024/05/02", true},
      {"2024/05/01,,2024/07/02,,a,,,", "期間が62日を超えるため処理できません。\n1 レコード目: 2024/07/02", true},
      {"2024/05/03,,,,\xF0\x9F\x98\x80会議,,,", "件名に保存できない文字「\xF0\x9F\x98\x80」が含まれています。\n1 レコード目", false},
      {"2024/05/03,,,,a,\xE2\x99\xA5,,", "場所に保存できない文字「\xE2\x99\xA5」が含まれています。\n1 レコード目", false},
      {"2024/05/03,,,,a,,,\xE2\x99\xA5", "メモに保存できない文字「\xE2\x99\xA5」が含まれています。\n1 レコード目", false},
  };
  for (const auto& c : cases) {
    ImportRequest req;
    req.target = ImportTarget::Schedule;
    req.records = ReadCsv(c.row);  // UTF-8: the refused characters come through
    req.assignment = kScheduleColumns;
    req.folders = {dir.path(), dir.path(), dir.path()};
    auto result = RunImport(fs, req, ImportMode::Execute);
    ASSERT_EQ(result.records.size(), 1u) << c.row;
    EXPECT_EQ(result.records[0].status, RecordStatus::Refused) << c.row;
    EXPECT_EQ(result.records[0].message, c.message) << c.row;
    EXPECT_EQ(result.records[0].stops, c.stops) << c.row;
    EXPECT_EQ(result.first_stop.has_value(), c.stops) << c.row;
    EXPECT_FALSE(result.written);
  }
  EXPECT_FALSE(dir.Exists("202405.sch"));
}

TEST_F(ImportEngineTest, AnUnstorableCharacterRefusesOnlyItsRecord) {
  ImportRequest req;
  req.target = ImportTarget::Schedule;
  req.records = ReadCsv("2024/05/03,,,,前,,,\n2024/05/04,,,,\xF0\x9F\x8E\x89祝,,,\n2024/05/05,,,,後,,,\n");
  req.assignment = kScheduleColumns;
  req.folders = {dir.path(), dir.path(), dir.path()};
  auto result = RunImport(fs, req, ImportMode::Execute);
  EXPECT_EQ(Statuses(result), (std::vector<std::string>{"1", "9", "1"}));
  EXPECT_FALSE(result.first_stop);
  EXPECT_EQ(result.refused, 1);
  EXPECT_EQ(File("202405.sch"), Sjis("03" + std::string(24, ' ') + "0000前\r\n05" + std::string(24, ' ') + "0000後\r\n"));
}

TEST_F(ImportEngineTest, TheSameFileTwiceWithTheDuplicateOptionAddsNothing) {
  const std::string csv =
      "2024/05/03,10:00,,,会議,,,メモ\n2024/05/03,10:00,,,会議,,,メモ\n2024/05/03,11:00,,,会議,,,\n";
  auto req = Request(ImportTarget::Schedule, csv, kScheduleColumns);
  req.options.skip_duplicates = true;
  auto first = RunImport(fs, req, ImportMode::Execute);
  // The second line repeats the first within the same run.
  EXPECT_EQ(Statuses(first), (std::vector<std::string>{"1", "0", "1"}));
  const std::string month = File("202405.sch"), detail = File("202405.dtl");

  auto second = RunImport(fs, req, ImportMode::Check);
  EXPECT_EQ(Statuses(second), (std::vector<std::string>{"0", "0", "0"}));
  EXPECT_EQ(second.imported, 0);
  EXPECT_EQ(ReportText(ImportTarget::Schedule, second, ImportMode::Check),
            "0 件のスケジュールデータを反映します。\n0 件の分類を追加します。");
  auto again = RunImport(fs, req, ImportMode::Execute);
  EXPECT_FALSE(again.written);
  EXPECT_EQ(File("202405.sch"), month);
  EXPECT_EQ(File("202405.dtl"), detail);

  // Without the option every record is added again.
  req.options.skip_duplicates = false;
  auto all = RunImport(fs, req, ImportMode::Execute);
  EXPECT_EQ(all.imported, 3);
  EXPECT_EQ(store::SplitLines(File("202405.sch")).size(), 5u);
}

TEST_F(ImportEngineTest, AFullDetailFileStoresTheScheduleWithoutItsMemo) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 999; ++i) {
    std::string n = std::to_string(i);
    lines.push_back("01" + std::string(24, ' ') + "0000" + std::string(80, ' ') + std::string(3 - n.size(), '0') + n);
  }
  dir.WriteLines("202405.sch", lines);
  auto req = Request(ImportTarget::Schedule, "2024/05/02,,,,溢れ,,,メモ\n", kScheduleColumns);
  auto result = RunImport(fs, req, ImportMode::Execute);
  ASSERT_EQ(result.records[0].status, RecordStatus::Import);
  EXPECT_EQ(result.records[0].message, "メモの最大登録件数をオーバーしています。\nはこれ以上登録できません。");
  EXPECT_EQ(result.notices, std::vector<std::string>{result.records[0].message});
  auto stored = store::SplitLines(File("202405.sch"));
  ASSERT_EQ(stored.size(), 1000u);
  EXPECT_EQ(stored[999], Sjis("02" + std::string(24, ' ') + "0000溢れ"));
  EXPECT_FALSE(dir.Exists("202405.dtl"));
}

TEST_F(ImportEngineTest, NewCategoriesAreCollectedOnceAndAppended) {
  dir.WriteLines("Category.tbl", {"仕事          1 00000000", "Private       1"});
  auto req = Request(ImportTarget::Schedule,
                     "2024/05/03,,,,a,,仕事,\n2024/05/04,,,,b,,private,\n2024/05/05,,,,c,,旅行,\n"
                     "2024/05/06,,,,d,,旅行,\n2024/05/07,,,,e,,,\n",
                     kScheduleColumns);
  req.options.add_categories = true;
  auto check = RunImport(fs, req, ImportMode::Check);
  EXPECT_EQ(check.new_categories, 1);
  EXPECT_EQ(ReportText(ImportTarget::Schedule, check, ImportMode::Check),
            "5 件のスケジュールデータを反映します。\n1 件の分類を追加します。");
  RunImport(fs, req, ImportMode::Execute);
  EXPECT_EQ(File("Category.tbl"), Sjis("仕事          1 00000000\r\nPrivate       1\r\n旅行          1\r\n"));
}

TEST_F(ImportEngineTest, MissingAssignmentsAreNamed) {
  struct Case {
    ImportTarget target;
    Assignment assignment;
    const char* message;
  };
  const Case cases[] = {
      {ImportTarget::Schedule, {-1, -1, -1, -1, 0, -1, -1, -1}, "開始日が選択されていません。"},
      {ImportTarget::Schedule, {0, -1, -1, -1, -1, -1, -1, -1}, "件名が選択されていません。"},
      {ImportTarget::Holiday, {0, 1, -1, -1, -1}, "分類 (祝日･休日･記念日) が選択されていません。"},
      {ImportTarget::Todo, {0, 1, -1, 2, 3, -1, -1, -1, -1}, "進捗（0%～100%）が選択されていません。"},
      {ImportTarget::Weather, {-1, 0, -1, -1, -1}, "日付が選択されていません。"},
  };
  for (const auto& c : cases) {
    auto req = Request(c.target, "2024/05/03,x\n", c.assignment);
    auto result = RunImport(fs, req, ImportMode::Execute);
    EXPECT_EQ(result.assignment_error.value_or(""), c.message);
    EXPECT_TRUE(result.records.empty());
  }
}

TEST_F(ImportEngineTest, OurExportReadBackGivesEqualRecords) {
  // Our export layout (every field quoted, a comma after each), as it would write these two.
  dir.Write("in.csv", Sjis("\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\",\r\n"
                           "\"2024/05/03\",\"10:00\",\"2024/05/03\",\"11:30\",\"定例 \"A\"\",\"本社\",\"仕事\",\"\",\r\n"
                           "\"2024/05/30\",\"\",\"2024/06/02\",\"\",\"出張\",\"\",\"\",\"\",\r\n"));
  ImportRequest req;
  req.target = ImportTarget::Schedule;
  req.records = ReadCsv(dir.Read("in.csv"));
  req.assignment = AssignmentFromHeader(ImportTarget::Schedule, req.records[0]);
  req.options.first_is_header = LooksLikeHeader(req.records[0]);
  req.folders = {dir.path(), dir.path(), dir.path()};
  auto result = RunImport(fs, req, ImportMode::Execute);
  EXPECT_EQ(result.imported, 2);
  EXPECT_EQ(File("202405.sch"),
            Sjis("0310:0011:30仕事          0000定例 \"A\"" + std::string(32, ' ') + "本社\r\n"
                 "30" + std::string(24, ' ') + "0000出張" + std::string(36 + 40, ' ') + "00004$000000$80FF800\r\n"));
}

TEST_F(ImportEngineTest, AMailSuiteExportInUtf8WithByteOrderMark) {
  dir.Write("suite.csv",
            "\xEF\xBB\xBF\"件名\",\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"終日イベント\",\"場所\",\"分類項目\",\"説明\"\r\n"
            "\"打ち合わせ\",\"2024/5/7\",\"13:00:00\",\"2024/5/7\",\"午後 2:30:00\",\"False\",\"会議室\",\"\",\"議題:\r\n予算\"\r\n");
  ImportRequest req;
  req.target = ImportTarget::Schedule;
  req.records = ReadCsv(dir.Read("suite.csv"));
  ASSERT_EQ(req.records.size(), 2u);
  req.assignment = AssignmentFromHeader(ImportTarget::Schedule, req.records[0]);
  req.options.first_is_header = LooksLikeHeader(req.records[0]);
  req.folders = {dir.path(), dir.path(), dir.path()};
  auto result = RunImport(fs, req, ImportMode::Execute);
  ASSERT_EQ(result.imported, 1) << result.records[1].message;
  EXPECT_EQ(result.records[1].date, "2024/05/07");
  EXPECT_EQ(result.records[1].title, "打ち合わせ");
  EXPECT_EQ(File("202405.sch"), Sjis("0713:0014:30" + std::string(14, ' ') + "0000打ち合わせ" + std::string(30, ' ') +
                                     "会議室" + std::string(34, ' ') + "001\r\n"));
  EXPECT_EQ(File("202405.dtl"), Sjis("001,議題:,予算\r\n"));
}

// --- Holidays --------------------------------------------------------------------------------

TEST_F(ImportEngineTest, HolidayLinesAndTheirChecks) {
  dir.WriteLines("Holiday.dat", {" 1 1" + std::string(8, ' ') + "000元日"});
  auto req = Request(ImportTarget::Holiday,
                     "日付,件名,分類,開始,終了\n5/3,結婚記念日 %d 年,記念日2,2001,\n12/24,休み,休日,,2030\n"
                     "2024/1/1,元日,祝日,,\n2/30,x,祝日,,\n1/2,y,平日,,\n1/3,z,記念日,20,\n",
                     {0, 1, 2, 3, 4});
  req.options.first_is_header = true;
  req.options.skip_duplicates = true;
  auto result = RunImport(fs, req, ImportMode::Check);
  EXPECT_EQ(Statuses(result), (std::vector<std::string>{"0", "1", "1", "0", "9", "9", "9"}));
  EXPECT_EQ(result.records[4].message, "日付に誤りがあるため処理できません。\n5 レコード目: 2/30");
  EXPECT_EQ(result.records[5].message, "分類に誤りがあるため処理できません。\n6 レコード目");
  EXPECT_EQ(result.records[6].message, "適用開始年 (yyyy) に誤りがあるため処理できません。\n7 レコード目");
  EXPECT_EQ(*result.first_stop, 4u);

  // Without the failing records the file is extended, sorted and saved.
  req.records.resize(4);
  auto run = RunImport(fs, req, ImportMode::Execute);
  EXPECT_EQ(run.imported, 2);
  EXPECT_EQ(File("Holiday.dat"), Sjis(" 1 1" + std::string(8, ' ') + "000元日\r\n 5 32001    003結婚記念日 %d 年\r\n"
                                      "1224    2030001休み\r\n"));
}

TEST_F(ImportEngineTest, HolidaysIntoAFolderWithoutHolidayDatKeepThePublicHolidays) {
  auto req = Request(ImportTarget::Holiday, "5/3,記念,記念日,,\n", {0, 1, 2, -1, -1});
  RunImport(fs, req, ImportMode::Execute);
  auto lines = store::SplitLines(File("Holiday.dat"));
  EXPECT_GT(lines.size(), 30u);
  EXPECT_NE(std::find(lines.begin(), lines.end(), Sjis(" 5 3" + std::string(8, ' ') + "002記念")), lines.end());
}

// --- Weather ---------------------------------------------------------------------------------

TEST_F(ImportEngineTest, WeatherWordsAndValues) {
  dir.WriteLines("202405.day", {"00", "0S000 $0000FF"});
  auto req = Request(ImportTarget::Weather,
                     "2024/05/01,晴れ時々曇り,25.4℃,-0度,30%\n2024/05/02,晴れのち晴れ,,,\n"
                     "2024/05/03,くもり一時雨,,,\n2024/05/04,雪後みぞれ,,,\n2024/05/05,不明,1000,,\n"
                     "2024/05/06,雨,,abc,\n",
                     {0, 1, 2, 3, 4});
  auto result = RunImport(fs, req, ImportMode::Check);
  EXPECT_EQ(Statuses(result), (std::vector<std::string>{"1", "1", "1", "1", "9", "9"}));
  EXPECT_EQ(result.records[4].message, "不適切なデータがあります。\n5 レコード目: 1000");
  EXPECT_EQ(result.records[5].message, "不適切なデータがあります。\n6 レコード目: abc");
  req.records.resize(4);
  RunImport(fs, req, ImportMode::Execute);
  auto lines = store::SplitLines(File("202405.day"));
  ASSERT_EQ(lines.size(), 32u);
  // Day 1 keeps its colour code and colour; codes 1 2 2 for 晴れ時々曇り.
  EXPECT_EQ(lines[1], "0S122 $0000FF  25 0  30");
  EXPECT_EQ(lines[2], "00100");
  EXPECT_EQ(lines[3], "00233");
  EXPECT_EQ(lines[4], "00400");
  EXPECT_EQ(lines[5], "00");

  req.options.skip_duplicates = true;
  EXPECT_EQ(Statuses(RunImport(fs, req, ImportMode::Check)), (std::vector<std::string>{"0", "0", "0", "0"}));
}

// --- ToDo ------------------------------------------------------------------------------------

TEST_F(ImportEngineTest, TodoRecordsAreCheckedAndStoredWithTheirMemos) {
  const std::string existing = "2024/06/30" + std::string(10, ' ') + "0000" + std::string(24, ' ') + "0000    既存";
  dir.WriteLines("Todokl.dat", {existing});
  auto req = Request(ImportTarget::Todo,
                     "未処理,2024/6/30,,A,既存,,0%,,\n処理済,期限なし,2024/05/01,D,終わった,家,100%,,\"メモ\n2行\"\n"
                     "未処理,2024/07/01,,C,半分,,50,,\n未処理,2024/07/01,,E,x,,0,,\n未処理,2024/07/01,,A,y,,101%,,\n"
                     "処理済,2024/07/01,,A,z,,0,昨日,\n保留,2024/07/01,,A,w,,0,,\n",
                     {0, 1, 2, 3, 4, 5, 6, 7, 8});
  req.options.skip_duplicates = true;
  auto result = RunImport(fs, req, ImportMode::Check);
  EXPECT_EQ(Statuses(result), (std::vector<std::string>{"0", "1", "1", "9", "9", "9", "9"}));
  EXPECT_EQ(result.records[3].message, "優先度に誤りがあるため処理できません。\n4 レコード目: E");
  EXPECT_EQ(result.records[4].message, "進捗に誤りがあるため処理できません。\n5 レコード目: 101%");
  EXPECT_EQ(result.records[5].message, "処理日（yyyy/mm/dd）に誤りがあるため処理できません。\n6 レコード目: 昨日");
  EXPECT_EQ(result.records[6].message, "状況（未処理/処理済）に誤りがあるため処理できません。\n7 レコード目: 保留");

  req.records.resize(3);
  auto run = RunImport(fs, req, ImportMode::Execute);
  EXPECT_EQ(run.imported, 2);
  EXPECT_EQ(File("Todokl.dat"),
            Sjis(existing + "\r\n" + "2024/07/01" + std::string(10, ' ') + "2050" + std::string(24, ' ') + "0000    半分\r\n" +
                 "期限なし  2024/05/0131012024/06/01家" + std::string(12, ' ') + "0001    終わった\r\n"));
  EXPECT_EQ(File("Todokl.dtl"), Sjis("0001,メモ,2行\r\n"));
}

TEST_F(ImportEngineTest, AnUnreadableTargetStopsBeforeAnythingIsWritten) {
  dir.MakeFolder("202405.sch");  // a folder where the month file should be
  auto req = Request(ImportTarget::Schedule, "2024/04/03,,,,a,,,\n2024/05/03,,,,b,,,\n", kScheduleColumns);
  EXPECT_THROW(RunImport(fs, req, ImportMode::Execute), store::FileError);
  EXPECT_FALSE(dir.Exists("202404.sch"));
}

TEST(ImportHelpers, CountsAreGrouped) {
  EXPECT_EQ(GroupedCount(0), "0");
  EXPECT_EQ(GroupedCount(999), "999");
  EXPECT_EQ(GroupedCount(1000), "1,000");
  EXPECT_EQ(GroupedCount(1234567), "1,234,567");
}

}  // namespace
}  // namespace kal::import
