#include "import/DataFileReader.h"

#include <gtest/gtest.h>

#include "import/ImportEngine.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/TempFolder.h"

namespace kal::import {
namespace {

using test::Sjis;

class DataFileImportTest : public ::testing::Test {
 protected:
  test::TempFolder dir;  // the current data folder; the source files lie in dir/"old/"
  platform::PosixFileSystem fs;

  void SetUp() override { dir.MakeFolder("old"); }

  ImportResult Import(ImportTarget target, const std::string& name, bool skip_duplicates, ImportMode mode) {
    std::string error;
    auto source = ReadDataFile(fs, target, dir / ("old/" + name), dir.path(), &error);
    EXPECT_TRUE(source) << error;
    if (!source) return {};
    ImportRequest request;
    request.target = target;
    request.format = SourceFormat::Data;
    request.records = source->records;
    request.assignment = source->assignment;
    request.options.skip_duplicates = skip_duplicates;
    request.folders = {dir.path(), dir.path(), dir.path()};
    request.data_month = source->data_month;
    return RunImport(fs, request, mode);
  }
};

std::string Schedule(const std::string& day_times, const std::string& title, const std::string& detail = "",
                     const std::string& tail = "") {
  std::string line = day_times;
  line.resize(26, ' ');
  line += "1200" + Sjis(title);
  if (!detail.empty()) {
    line.resize(110, ' ');
    line += detail + tail;
  }
  return line;
}

TEST_F(DataFileImportTest, MonthFileRecordsTakeNewDetailNumbersAndLeaveTheirLinksBehind) {
  dir.Write("old/202405.sch", Schedule("0310:0011:00", "会議", "003") + "\r\n" +
                                  Schedule("05", "旅行", "000", "03$000000$80FF802  0C:\\a.txt") + "\r\n");
  dir.Write("old/202405.dtl", Sjis("001,ほか\r\n003,\"議題 一\",二\r\n"));
  dir.Write("202405.dtl", "");
  auto result = Import(ImportTarget::Schedule, "202405.sch", true, ImportMode::Execute);
  ASSERT_EQ(result.imported, 2) << (result.records.empty() ? "" : result.records[0].message);
  EXPECT_EQ(result.records[0].date, "2024/05/03");
  EXPECT_EQ(dir.Read("202405.sch"), Schedule("0310:0011:00", "会議", "001") + "\r\n" +
                                        Schedule("05", "旅行", "000", "03$000000$80FF802") + "\r\n");
  EXPECT_EQ(dir.Read("202405.dtl"), Sjis("001,\"議題 一\",二\r\n"));

  // The same file again adds nothing.
  auto again = Import(ImportTarget::Schedule, "202405.sch", true, ImportMode::Execute);
  EXPECT_EQ(again.duplicates, 2);
  EXPECT_FALSE(again.written);
}

TEST_F(DataFileImportTest, TheTargetIsTheMonthOfTheNameAndNeverTheFileItself) {
  dir.Write("old/202401 (2).sch", Schedule("31", "x") + "\r\n" + Schedule("3x", "y") + "\r\n");
  auto result = Import(ImportTarget::Schedule, "202401 (2).sch", false, ImportMode::Execute);
  EXPECT_EQ(result.imported, 1);
  ASSERT_EQ(result.records.size(), 2u);
  EXPECT_EQ(result.records[1].message, "開始日に誤りがあるため処理できません。\n2 レコード目: 3x");
  EXPECT_TRUE(dir.Exists("202401.sch"));

  dir.Write("202402.sch", Schedule("01", "z") + "\r\n");
  std::string error;
  EXPECT_FALSE(ReadDataFile(fs, ImportTarget::Schedule, dir / "202402.sch", dir.path(), &error));
  EXPECT_EQ(error, "インポート元とインポート先が同じファイルのためインポートできません。");
  EXPECT_FALSE(ReadDataFile(fs, ImportTarget::Schedule, dir / "old/2024xx.sch", dir.path(), &error));
  EXPECT_EQ(error, "ファイル名が yyyymm.sch形式でないためインポートできません。");
  EXPECT_EQ(DataSourceText(dir / "old/202401 (2).sch"), "2024年1月");
}

TEST_F(DataFileImportTest, HolidayLinesAreCheckedAsNumbers) {
  dir.WriteLines("Holiday.dat", {" 5 3        000憲法記念日"});
  dir.WriteLines("old/Holiday.dat", {" 5 3        000憲法記念日", "9932        002月末", " 7 1        003記念 %d",
                                     "13 1        002十三月", " 1 1        005種別5", "     ", std::string(12, ' ') + "012毎週"});
  auto result = Import(ImportTarget::Holiday, "Holiday.dat", true, ImportMode::Check);
  std::vector<char> codes;
  for (const auto& r : result.records) codes.push_back(StatusCode(r.status));
  EXPECT_EQ(codes, (std::vector<char>{'0', '1', '1', '9', '9', '1'}));  // the blank line is no record
  EXPECT_EQ(result.records[3].message, "不正なデータがあるため処理できません。\n4 レコード目");
  EXPECT_EQ(result.records[4].message, "不正なデータがあるため処理できません。\n5 レコード目");
}

}  // namespace
}  // namespace kal::import

namespace kal::import {
namespace {

TEST_F(DataFileImportTest, OldTodoRecordsAreCheckedAndRebuiltWithTheirMemos) {
  // Old layout: limit 10, priority 1, progress 2, done 1, done date 10, category 14, memo 2, subject.
  auto old_line = [](const std::string& limit, const std::string& codes, const std::string& memo,
                     const std::string& subject) {
    std::string line = Sjis(limit) + codes;
    line.resize(24, ' ');
    line += Sjis("仕事");
    line.resize(38, ' ');
    return line + memo + Sjis(subject);
  };
  dir.Write("old/Todo.dat", old_line("2024/06/30", "1051", "05", "報告書") + "\r\n" +
                                old_line("期限なし  ", "3000", "00", "いつか") + "\r\n" +
                                old_line("2024/06/31", "0000", "00", "x") + "\r\n" +
                                old_line("2024/07/01", "4000", "00", "y") + "\r\n");
  dir.Write("old/TodoMemo.dat", Sjis("05,会議 資料を添付\r\n"));
  std::string error;
  auto source = ReadDataFile(fs, ImportTarget::Todo, dir / "old/Todo.dat", dir.path(), &error, dir.path());
  ASSERT_TRUE(source) << error;
  EXPECT_TRUE(source->old_todo_format);
  ASSERT_EQ(source->records.size(), 4u);
  EXPECT_EQ(source->records[0].memo, std::vector<std::string>{"会議 資料を添付"});
  EXPECT_EQ(source->records[0].fields[4], "報告書");

  ImportRequest request;
  request.target = ImportTarget::Todo;
  request.format = SourceFormat::Data;
  request.records = source->records;
  request.assignment = source->assignment;
  request.old_todo_format = true;
  request.folders = {dir.path(), dir.path(), dir.path()};
  auto result = RunImport(fs, request, ImportMode::Check);
  std::vector<char> codes;
  for (const auto& r : result.records) codes.push_back(StatusCode(r.status));
  EXPECT_EQ(codes, (std::vector<char>{'1', '1', '9', '9'}));
  EXPECT_EQ(result.records[2].message, "期限に誤りがあるため処理できません。\n3 レコード目: 2024/06/31");
  EXPECT_EQ(result.records[3].message, "不正なデータがあるため処理できません。\n4 レコード目");
  request.records.resize(2);
  EXPECT_EQ(RunImport(fs, request, ImportMode::Execute).imported, 2);
  std::string subject_line = Sjis("2024/06/30") + std::string(10, ' ') + "1051" + std::string(10, ' ') + Sjis("仕事");
  subject_line.resize(48, ' ');
  std::string someday = Sjis("期限なし  ") + std::string(10, ' ') + "3000" + std::string(10, ' ') + Sjis("仕事");
  someday.resize(48, ' ');
  EXPECT_EQ(dir.Read("Todokl.dat"), subject_line + "0001    " + Sjis("報告書") + "\r\n" + someday + "0000    " +
                                        Sjis("いつか") + "\r\n");
  EXPECT_EQ(dir.Read("Todokl.dtl"), Sjis("0001,\"会議 資料を添付\"\r\n"));
}

}  // namespace
}  // namespace kal::import
