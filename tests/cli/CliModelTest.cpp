#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "platform/FileSystem.h"
#include "store/HolidayFile.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::Sjis;

std::string Line(int day, const std::string& title, int span = 0, const std::string& start = "", int alarm1 = 0) {
  store::ScheduleFields f;
  f.day = day;
  f.title = title;
  f.span = span;
  f.start = start;
  f.alarm1 = alarm1;
  return store::BuildScheduleLine(f).line;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// The output lines that start with `prefix`.
std::vector<std::string> Starting(const std::string& text, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& l : Lines(text))
    if (l.rfind(prefix, 0) == 0) out.push_back(l);
  return out;
}

class CliModel : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::PosixFileSystem fs;
    store::CreateHolidayFile(fs, dir.path());
  }
  test::TempFolder dir;
};

TEST_F(CliModel, PrintsDaysEntriesAndTodaysAlarms) {
  dir.Write("202501.sch", store::JoinLines({Line(2, "初詣"), Line(2, "会議", 0, "09:30", 2), "zz broken",
                                            Line(30, "出張", 5)}));
  dir.Write("20250102.mem", Sjis("メモ\r\n"));
  test::CliRun r = test::RunCliIn(dir, {"--today", "2025/01/02", "model", "202501", "--view", "4"});
  EXPECT_EQ(r.status, 0);
  // Slots in slot order: January, February, then December of 2024 in slot 12.
  const auto days = Starting(r.out, "D\t");
  ASSERT_EQ(days.size(), 31u + 28u + 31u);
  EXPECT_EQ(days.front().substr(0, 17), "D\t1\t2025/01/01\t0\t");  // 元日: a public holiday
  EXPECT_EQ(days[31].substr(0, 14), "D\t2\t2025/02/01");
  EXPECT_EQ(days.back().substr(0, 15), "D\t12\t2024/12/31");
  EXPECT_EQ(Starting(r.out, "D\t1\t2025/01/02"), (std::vector<std::string>{"D\t1\t2025/01/02\t8\t2\t1"}));
  EXPECT_EQ(Starting(r.out, "E\t1\t2025/01/02"),
            (std::vector<std::string>{"E\t1\t2025/01/02\tSC\t5\t0000\t\t初詣", "E\t1\t2025/01/02\tSC\t5\t0001\t\t会議"}));
  EXPECT_EQ(Starting(r.out, "E\t1\t2025/01/01"), (std::vector<std::string>{"E\t1\t2025/01/01\tCC\t0\t0001\t\t元日"}));
  EXPECT_EQ(Starting(r.out, "E\t2\t2025/02/01"), (std::vector<std::string>{"E\t2\t2025/02/01\t00\t5\t0003\t03\t出張"}));
  EXPECT_EQ(Starting(r.out, "E\t2\t2025/02/03"),
            (std::vector<std::string>{"E\t2\t2025/02/03\t00\t5\t0003\t05\t出張", "E\t2\t2025/02/03\tCC\t6\t9999\t\t立春りっしゅん"}));
  EXPECT_EQ(Starting(r.out, "A\t"), (std::vector<std::string>{"A\t09:30\t2\t0\t会議"}));
  EXPECT_EQ(Lines(r.out).back(), "A\t09:30\t2\t0\t会議");
  EXPECT_EQ(r.err, dir.path() + "202501.sch の 3 行目は日付が正しくないため読み飛ばしました。\n");
}

TEST_F(CliModel, TheCountSetsTheHeldMonths) {
  auto slots = [](const std::string& out) {
    std::set<std::string> s;
    for (const auto& l : Starting(out, "D\t")) s.insert(l.substr(2, l.find('\t', 2) - 2));
    return s;
  };
  EXPECT_EQ(slots(test::RunCliIn(dir, {"model", "202511", "--view", "3", "--count", "5"}).out),
            (std::set<std::string>{"1", "10", "11", "12"}));
  EXPECT_EQ(slots(test::RunCliIn(dir, {"model", "202511", "--view", "3", "--count", "4"}).out),
            (std::set<std::string>{"10", "11", "12"}));
  test::CliRun same = test::RunCliIn(dir, {"model", "202502", "--view", "7", "--count", "2"});
  EXPECT_EQ(slots(same.out), (std::set<std::string>{"1", "2"}));
  EXPECT_EQ(Starting(same.out, "D\t2\t").front().substr(0, 14), "D\t2\t2024/02/01");
  EXPECT_EQ(Starting(same.out, "D\t2\t").size(), 29u);
}

TEST_F(CliModel, WrongArgumentsAreUsageErrors) {
  for (auto args : std::vector<std::vector<std::string>>{{"model"},
                                                         {"model", "202501"},
                                                         {"model", "202513", "--view", "4"},
                                                         {"model", "202501", "--view", "9"},
                                                         {"model", "202501", "--view", "4", "--count", "7"},
                                                         {"model", "202501", "--view", "2", "--count", "1"},
                                                         {"model", "202501", "--view"},
                                                         {"holidays"},
                                                         {"holidays", "25"}})
    EXPECT_EQ(test::RunCliIn(dir, args).status, 2) << args.size();
}

TEST_F(CliModel, HolidaysListsEveryStatutoryHolidayOfTheYear) {
  test::CliRun r = test::RunCliIn(dir, {"holidays", "2025"});
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> publics;
  for (const auto& l : Lines(r.out)) {
    std::istringstream f(l);
    std::string date, kind;
    std::getline(f, date, '\t');
    std::getline(f, kind, '\t');
    if (kind == "0") publics.push_back(date.substr(5));
  }
  EXPECT_EQ(publics, (std::vector<std::string>{"01/01", "01/13", "02/11", "02/23", "02/24", "03/20", "04/29", "05/03",
                                               "05/04", "05/05", "05/06", "07/21", "08/11", "09/15", "09/23", "10/13",
                                               "11/03", "11/23", "11/24"}));
  EXPECT_EQ(Starting(r.out, "2025/02/24"), (std::vector<std::string>{"2025/02/24\t0\t9999\t振替休日"}));
  EXPECT_EQ(Starting(r.out, "2025/03/20"), (std::vector<std::string>{"2025/03/20\t0\t9999\t春分の日"}));

  // 1990: substitute holidays and the citizens' holiday of 4 May.
  test::CliRun old = test::RunCliIn(dir, {"holidays", "1990"});
  EXPECT_EQ(Starting(old.out, "1990/05/04"), (std::vector<std::string>{"1990/05/04\t0\t9999\t国民の休日"}));
  for (const char* d : {"1990/02/12", "1990/04/30", "1990/09/24", "1990/12/24"})
    EXPECT_EQ(Starting(old.out, d), (std::vector<std::string>{std::string(d) + "\t0\t9999\t振替休日"}));
}

TEST_F(CliModel, HolidaysShowAnniversariesWithTheirYearCountAndReportDamagedLinesOnce) {
  dir.Write("Holiday.dat", store::JoinLines({Sjis(" 5 52000    003創立%d周年"), "broken"}));
  dir.Write("202505.sch", store::JoinLines({"x"}));
  test::CliRun r = test::RunCliIn(dir, {"holidays", "2025"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Starting(r.out, "2025/05/05"), (std::vector<std::string>{"2025/05/05\t3\t0000\t創立25周年"}));
  // Both damaged lines, each once although several rebuilds read the files.
  EXPECT_EQ(r.err, dir.path() + "Holiday.dat の 2 行目は祝日の形式ではないため読み飛ばしました。\n" + dir.path() +
                       "202505.sch の 1 行目は日付が正しくないため読み飛ばしました。\n");
}

}  // namespace
}  // namespace kal::cli
