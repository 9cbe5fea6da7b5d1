#include <gtest/gtest.h>

#include "catalogues/ItemTable.h"
#include "listing/CsvExport.h"
#include "support/TempFolder.h"

namespace kal::listing {
namespace {

using test::Sjis;

ScheduleItem Schedule(const std::string& start, const std::string& end, int alarm = 0) {
  ScheduleItem s;
  s.date = store::MakeDate(2024, 5, 3);
  s.start = start;
  s.end = end;
  s.title = "打合せ";
  s.place = "本社";
  s.category = "仕事";
  s.alarm1 = alarm;
  return s;
}

const std::string kHeader = "\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\",";

TEST(CsvExport, ScheduleGoldenBytesAllSwitchesOff) {
  const std::string bytes = ScheduleCsv({Schedule("10:00", "11:30")}, {}, catalogues::DefaultAlarmOffsets());
  EXPECT_EQ(bytes, Sjis(kHeader + "\r\n" +
                        "\"2024/05/03\",\"10:00\",\"2024/05/03\",\"11:30\",\"打合せ\",\"本社\",\"仕事\",\"\",\r\n"));
}

TEST(CsvExport, ScheduleAlarmHeaderEndsWithoutComma) {
  const std::string bytes = ScheduleCsv({}, {false, false, true}, catalogues::DefaultAlarmOffsets());
  EXPECT_EQ(bytes, Sjis(kHeader + "\"ｱﾗｰﾑ ｵﾝ/ｵﾌ\",\"ｱﾗｰﾑ日付\",\"ｱﾗｰﾑ時刻\"\r\n"));
}

// Fields 2 to 4 and 9 to 11 under the switches.
TEST(CsvExport, ScheduleTimesAndAlarms) {
  const std::vector<int> table = {0, 1, 3, 5, 10, 15, 20, 30, 60, 90};
  ScheduleItem multi = Schedule("", "");
  multi.span = 3;  // 3..5 May
  ScheduleItem wrapped = Schedule("22:00", "01:00");
  struct Case {
    const char* name;
    ScheduleItem item;
    CsvSwitches sw;
    std::vector<std::string> want;  // fields 2, 3, 4, then 9.. when the alarm switch is on
  } cases[] = {
      {"all day, no switch", Schedule("", ""), {}, {"", "2024/05/03", ""}},
      {"all day as 00:00 to the next day", Schedule("", ""), {true, false, false}, {"00:00", "2024/05/04", "00:00"}},
      {"all-day range ends after its last day", multi, {true, false, false}, {"00:00", "2024/05/06", "00:00"}},
      {"end time missing is start + 1 hour", Schedule("08:00", ""), {false, true, false}, {"08:00", "2024/05/03", "09:00"}},
      {"start + 1 hour past midnight is the next day", Schedule("23:30", ""), {false, true, false},
       {"23:30", "2024/05/04", "00:30"}},
      {"unreadable end", Schedule("08:00", "8時"), {false, true, false}, {"08:00", "2024/05/03", "00:00"}},
      {"end before start ends the next day", wrapped, {}, {"22:00", "2024/05/04", "01:00"}},
      {"10-minute alarm at 09:00", Schedule("09:00", "", 5), {false, false, true},
       {"09:00", "2024/05/03", "", "True", "2024/05/03", "08:50"}},
      {"30-minute alarm at 00:10 is the day before", Schedule("00:10", "", 8), {false, false, true},
       {"00:10", "2024/05/03", "", "True", "2024/05/02", "23:40"}},
      {"90-minute lead stays 90", Schedule("12:00", "", 10), {false, false, true},
       {"12:00", "2024/05/03", "", "True", "2024/05/03", "10:30"}},
      {"no alarm", Schedule("12:00", "", 0), {false, false, true}, {"12:00", "2024/05/03", "", "False"}},
      {"a code beyond the table is no alarm", Schedule("12:00", "", 11), {false, false, true},
       {"12:00", "2024/05/03", "", "False"}},
      {"alarm without start time keeps the date only", Schedule("", "", 5), {false, false, true},
       {"", "2024/05/03", "", "True", "2024/05/03"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto f = ScheduleCsvFields(c.item, c.sw, table);
    ASSERT_EQ(f.size(), 8 + (c.want.size() - 3));
    EXPECT_EQ(f[0], "2024/05/03");
    EXPECT_EQ((std::vector<std::string>{f[1], f[2], f[3]}),
              (std::vector<std::string>{c.want[0], c.want[1], c.want[2]}));
    for (std::size_t i = 3; i < c.want.size(); ++i) EXPECT_EQ(f[8 + i - 3], c.want[i]);
  }
}

TEST(CsvExport, DoubleQuotesAreDoubledInBothStyles) {
  ScheduleItem s = Schedule("", "");
  s.title = "\"新\"製品";
  s.memo = {"一行目", "二行目, \"b\""};
  EXPECT_EQ(ScheduleCsv({s}, {}, {}),
            Sjis(kHeader + "\r\n\"2024/05/03\",\"\",\"2024/05/03\",\"\",\"\"\"新\"\"製品\",\"本社\",\"仕事\","
                           "\"一行目\n二行目, \"\"b\"\"\",\r\n"));

  TodoItem t;
  t.row.cells = {"0", "未処理", "2024/05/03(金)", "3", "", "A", "\"新\"製品", "", " 50%", "", "", ""};
  EXPECT_EQ(TodoCsv({t}), Sjis("状況,期限,開始日,優先度,件名,分類,進捗,処理日,ﾒﾓ,内容\r\n"
                               "未処理,2024/05/03,,A,\"\"\"新\"\"製品\",,50%,,,\r\n"));
}

TEST(CsvExport, ToDoRowsHaveAsManyFieldsAsTheHeader) {
  TodoItem t;
  t.row.cells = {"4", "処理済", "期限なし", "", "2024/04/01(月)", "D", "報告書", "仕事", "100%", "2024/04/02(火)", "有", ""};
  t.memo = {"下書き", "清書"};
  EXPECT_EQ(TodoCsv({t}), Sjis("状況,期限,開始日,優先度,件名,分類,進捗,処理日,ﾒﾓ,内容\r\n"
                               "処理済,期限なし,2024/04/01,D,報告書,仕事,100%,2024/04/02,有,\"下書き\n清書\"\r\n"));
}

TEST(CsvExport, MemoOfTwoLinesIsOneQuotedField) {
  EXPECT_EQ(MemoCsv({{"2024/05/03", {"買い物", "牛乳 2本"}}, {"2024/05", {"月末締め"}}}),
            Sjis("日付,内容\r\n2024/05/03,\"買い物\n牛乳 2本\"\r\n2024/05,月末締め\r\n"));
}

TEST(CsvExport, WeatherCellsAsShown) {
  ListRow r{{"20240503", "2024/05/03(金)", "晴れのち曇り", "25℃", "18℃", "30%"}};
  EXPECT_EQ(WeatherCsv({r}), Sjis("日付,天気,最高気温,最低気温,降水確率\r\n2024/05/03,晴れのち曇り,25℃,18℃,30%\r\n"));
}

TEST(CsvExport, ACharacterShiftJisCannotHoldStopsTheExport) {
  ScheduleItem s = Schedule("", "");
  s.title = "絵文字😀";
  try {
    ScheduleCsv({s}, {}, {});
    FAIL() << "no error";
  } catch (const ExportError& e) {
    EXPECT_EQ(std::string(e.what()), "「😀」はShift_JISのファイルに書き出せない文字です。");
  }
}

}  // namespace
}  // namespace kal::listing
