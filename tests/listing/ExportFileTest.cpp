#include <gtest/gtest.h>

#include "catalogues/ItemTable.h"
#include "listing/ExportFile.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::listing {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using test::Sjis;

std::string Line(const store::ScheduleFields& f) {
  auto r = store::BuildScheduleLine(f);
  EXPECT_TRUE(r.ok);
  return r.line;
}

class ExportFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store::ScheduleFields a;
    a.day = 3;
    a.start = "09:00";
    a.end = "10:00";
    a.alarm1 = 9;  // 60 minutes in the built-in table
    a.title = "朝会";
    store::ScheduleFields b;
    b.day = 3;
    b.start = "13:00";
    b.title = "打合せ";
    b.detail = 2;
    dir.Write("202405.sch", store::JoinLines({Line(a), Line(b)}));
    dir.Write("202405.dtl", store::JoinLines({Sjis("001,別の,メモ"), Sjis("002,議題,\"A, B\"")}));
    dir.Write("Holiday.dat", store::JoinLines({Sjis("050319482030000憲法記念日")}));
    dir.Write("memo/20240503.mem", store::JoinLines({Sjis("一行目"), Sjis("二行目")}));
    sources.fs = &fs;
    sources.data_folder = dir.path();
    sources.memo_folder = dir / "memo";
    sources.alarm_offsets = catalogues::DefaultAlarmOffsets();
    sources.csv.alarm = true;
    sources.now_utc = {store::MakeDate(2024, 5, 1), 0, 0, 0};
  }

  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  ExportSources sources;
  const std::vector<ListRow> schedule_rows = {{{"202405030000000"}}, {{"202405030001002"}}};
};

TEST_F(ExportFileTest, ScheduleCsvFromTheRowKeys) {
  const auto out = BuildExport(ExportFormat::Csv, ListKind::Schedule, schedule_rows, sources);
  EXPECT_EQ(out.records, 2);
  EXPECT_EQ(out.bytes,
            Sjis("\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\","
                 "\"ｱﾗｰﾑ ｵﾝ/ｵﾌ\",\"ｱﾗｰﾑ日付\",\"ｱﾗｰﾑ時刻\"\r\n"
                 "\"2024/05/03\",\"09:00\",\"2024/05/03\",\"10:00\",\"朝会\",\"\",\"\",\"\",\"True\",\"2024/05/03\","
                 "\"08:00\",\r\n"
                 "\"2024/05/03\",\"13:00\",\"2024/05/03\",\"\",\"打合せ\",\"\",\"\",\"議題\nA, B\",\"False\",\r\n"));
}

TEST_F(ExportFileTest, AChangedLineStopsTheExportAndWritesNothing) {
  dialogs.file_names.push_back(dir / "out.ics");
  // The second row names detail 003, but the line carries 002: the file changed since listing.
  const auto n = ExportToFile(dialogs, ExportFormat::ICalendar, ListKind::Schedule,
                              {{{"202405030000000"}}, {{"202405030001003"}}}, sources, dir.path());
  EXPECT_FALSE(n);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "スケジュールが他で変更されています。\n最新の情報に更新してから操作して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "エクスポート");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
  EXPECT_FALSE(dir.Exists("out.ics"));
  // A row beyond the file's end is refused the same way.
  EXPECT_THROW(BuildExport(ExportFormat::Csv, ListKind::Schedule, {{{"202405030005000"}}}, sources), ExportError);
}

TEST_F(ExportFileTest, ChooserNamesFiltersAndOverwriteQuestion) {
  struct Case {
    ExportFormat format;
    ListKind kind;
    std::string title, filter, name;
  } cases[] = {
      {ExportFormat::Csv, ListKind::Schedule, "CSV形式で保存", "CSV (カンマ区切り) (*.csv)| *.csv|すべてのファイル (*.*)|*.*",
       "Sch.csv"},
      {ExportFormat::Csv, ListKind::Memo, "CSV形式で保存", "CSV (カンマ区切り) (*.csv)| *.csv|すべてのファイル (*.*)|*.*",
       "Memo.csv"},
      {ExportFormat::Csv, ListKind::Todo, "CSV形式で保存", "CSV (カンマ区切り) (*.csv)| *.csv|すべてのファイル (*.*)|*.*",
       "Todo.csv"},
      {ExportFormat::Csv, ListKind::Weather, "CSV形式で保存",
       "CSV (カンマ区切り) (*.csv)| *.csv|すべてのファイル (*.*)|*.*", "Weather.csv"},
      {ExportFormat::VCalendar, ListKind::Schedule, "vCalendar形式で保存",
       "vCalendar形式 (*.vcs)|*.vcs|すべてのファイル (*.*)|*.*", "Sch.vcs"},
      {ExportFormat::ICalendar, ListKind::Schedule, "iCalendar形式で保存",
       "iCalendar形式 (*.ics)|*.ics|すべてのファイル (*.*)|*.*", "Sch.ics"},
      {ExportFormat::ICalendar, ListKind::Holiday, "iCalendar形式で保存",
       "iCalendar形式 (*.ics)|*.ics|すべてのファイル (*.*)|*.*", "Hol.ics"},
  };
  for (const auto& c : cases) {
    const auto chooser = ExportChooserFor(c.format, c.kind);
    EXPECT_EQ(chooser.title, c.title);
    EXPECT_EQ(chooser.filter.text, c.filter);
    EXPECT_EQ(chooser.file_name, c.name);
  }

  // An existing file: No keeps it; Yes replaces it.
  dir.Write("Sch.ics", "old");
  dialogs.file_names.push_back(dir / "Sch.ics");
  dialogs.answers.push_back(MsgAnswer::No);
  EXPECT_FALSE(ExportToFile(dialogs, ExportFormat::ICalendar, ListKind::Schedule, schedule_rows, sources, dir.path()));
  ASSERT_EQ(dialogs.choosers.size(), 1u);
  EXPECT_EQ(dialogs.choosers[0].initial, dir / "Sch.ics");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "'Sch.ics' を上書きしますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "ファイルの保存");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(dir.Read("Sch.ics"), "old");

  dialogs.file_names.push_back(dir / "Sch.ics");
  dialogs.answers.push_back(MsgAnswer::Yes);
  EXPECT_EQ(ExportToFile(dialogs, ExportFormat::ICalendar, ListKind::Schedule, schedule_rows, sources, dir.path()), 2);
  const std::string ics = dir.Read("Sch.ics");
  EXPECT_TRUE(ics.starts_with("BEGIN:VCALENDAR\r\n"));
  EXPECT_NE(ics.find("DESCRIPTION:議題\\nA\\, B\r\n"), std::string::npos);

  // Cancelling the chooser writes nothing and asks nothing.
  dialogs.file_names.push_back(std::nullopt);
  EXPECT_FALSE(ExportToFile(dialogs, ExportFormat::Csv, ListKind::Schedule, schedule_rows, sources, dir.path()));
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(ExportFileTest, HolidayAndMemoRowsReadTheirFiles) {
  const auto hol = BuildExport(ExportFormat::ICalendar, ListKind::Holiday,
                               {{{"0000", "2024/05/03(金)", "毎年05月03日", "憲法記念日", "祝日", "1948", "2030"}},
                                {{"9999", "2024/03/20(水)", "自動設定", "春分の日", "祝日", "1949", ""}}},
                               sources);
  EXPECT_EQ(hol.records, 2);
  EXPECT_NE(hol.bytes.find("DTSTART;VALUE=DATE:19480503\r\nDTEND;VALUE=DATE:19480504\r\n"
                           "RRULE:FREQ=YEARLY;INTERVAL=1;BYMONTH=05;BYMONTHDAY=03;UNTIL=20301231\r\n"
                           "SUMMARY:憲法記念日\r\nCATEGORIES:祝日\r\n"),
            std::string::npos);
  EXPECT_NE(hol.bytes.find("DTSTART;VALUE=DATE:20240320\r\nDTEND;VALUE=DATE:20240321\r\nSUMMARY:春分の日\r\n"),
            std::string::npos);
  // A row whose class no longer matches its line is refused.
  EXPECT_THROW(BuildExport(ExportFormat::ICalendar, ListKind::Holiday, {{{"0000", "", "", "x", "休日"}}}, sources),
               ExportError);

  const auto memo = BuildExport(ExportFormat::Csv, ListKind::Memo, {{{"20240503"}}, {{"20240504"}}}, sources);
  EXPECT_EQ(memo.records, 1);  // the second memo has no file
  EXPECT_EQ(memo.bytes, Sjis("日付,内容\r\n2024/05/03,\"一行目\n二行目\"\r\n"));

  // A kind the format does not serve.
  EXPECT_THROW(BuildExport(ExportFormat::VCalendar, ListKind::Memo, {}, sources), ExportError);
}

}  // namespace
}  // namespace kal::listing

namespace kal::listing {
namespace {

TEST(ExportRows, ReadAndWriteFailuresAreShownAndKeepTheOldFile) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  store::ScheduleFields f;
  f.day = 3;
  f.title = "朝会";
  dir.Write("202405.sch", store::JoinLines({Line(f)}));
  dir.Write("out.csv", "old");
  ExportSources sources;
  sources.fs = &fs;
  sources.data_folder = dir.path();
  const std::vector<ListRow> rows = {{{"202405030000000"}}};

  fs.unwritable.insert(dir / "out.csv");
  EXPECT_FALSE(ExportToPath(dialogs, ExportFormat::Csv, ListKind::Schedule, rows, sources, dir / "out.csv", false));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "ファイル \"" + (dir / "out.csv") + "\" に書き込めません。\nNo space left on device");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dir.Read("out.csv"), "old");

  fs.unwritable.clear();
  fs.unreadable.insert(dir / "202405.sch");
  EXPECT_FALSE(ExportToPath(dialogs, ExportFormat::ICalendar, ListKind::Schedule, rows, sources, dir / "out.csv", false));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].caption, "エラー");
  EXPECT_EQ(dir.Read("out.csv"), "old");
}

TEST(ExportRows, TodoDetailLinesByTheirFourDigitNumber) {
  const std::vector<std::string> dtl = {test::Sjis("0001,一つ目"), test::Sjis("00010,違う番号"),
                                        test::Sjis("0010,十,\"a, b\"")};
  EXPECT_EQ(TodoDetailLines(dtl, 1), (std::vector<std::string>{"一つ目"}));
  EXPECT_EQ(TodoDetailLines(dtl, 10), (std::vector<std::string>{"十", "a, b"}));
  EXPECT_TRUE(TodoDetailLines(dtl, 2).empty());
  EXPECT_TRUE(TodoDetailLines(dtl, 0).empty());
}

TEST(ExportRows, ScheduleKeysAndMultiDaySpans) {
  const auto key = ParseScheduleKey("202401300012007");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->year, 2024);
  EXPECT_EQ(key->month, 1);
  EXPECT_EQ(key->day, 30);
  EXPECT_EQ(key->index, 12u);
  EXPECT_EQ(key->detail, 7);
  for (const char* bad : {"20240130001200", "202413300012007", "2024013000120x7"}) EXPECT_FALSE(ParseScheduleKey(bad));

  test::TempFolder dir;
  store::ScheduleFields f;
  f.day = 30;
  f.title = "出張";
  f.span = 3;
  dir.Write("202401.sch", store::JoinLines({Line(f)}));
  platform::PosixFileSystem fs;
  const auto items = LoadScheduleItems(fs, dir.path(), {{{"202401300000000"}}});
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(store::DateText(items[0].LastDay()), "2024/02/01");
}

}  // namespace
}  // namespace kal::listing
