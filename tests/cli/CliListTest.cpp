#include <gtest/gtest.h>

#include "listing/ListFixtures.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::Sch;
using test::SchLine;
using test::Sjis;

class CliList : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("202401.sch", test::JoinCrLf({SchLine(Sch{.day = 9, .title = "打合せ", .start = "10:00", .end = "11:00",
                                                        .place = "本社", .category = "会議", .alarm1 = 5}),
                                            SchLine(Sch{.day = 30, .title = "Trip", .span = 3})}));
    dir.Write("Holiday.dat", test::JoinCrLf({Sjis(" 1 11949    000元日")}));
  }
  test::CliRun List(std::vector<std::string> args) {
    args.insert(args.begin(), {"--today", "2024/01/09", "list"});
    return test::RunCliIn(dir, args);
  }
  test::TempFolder dir;
};

TEST_F(CliList, RowsOfAViewWithTheirKeysAndACount) {
  const auto r = List({"schedule", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "202401090000000\t2024/01/09(火)\t10:00\t2024/01/09(火)\t11:00\t打合せ\t本社\t会議\t\t10 分\t\t\n"
            "202401300001000\t2024/01/30(火)\t\t2024/02/01(木)\t\tTrip\t\t\t\t\t\t\n"
            "count\t2\n");
  EXPECT_EQ(List({"schedule", "1", "--date", "2024/01/30"}).out.substr(0, 16), "202401300001000\t");
  EXPECT_EQ(List({"schedule", "1", "--date", "2024/01/10"}).out, "count\t0\n");
}

TEST_F(CliList, HolidayRowsWithTheAutomaticOnes) {
  const auto r = List({"holiday", "1", "--date", "2030/01/01"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("0000\t2030/01/01(火)\t毎年 1月 1日\t元日\t祝日\t1949\t\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("9999\t2030/03/20(水)\t自動設定\t春分の日\t祝日\t1949\t\n"), std::string::npos) << r.out;
}

TEST_F(CliList, SearchesAndTheirRefusals) {
  auto r = List({"schedule", "search", "--title", "trip", "--ignore-case"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 16), "202401300001000\t");
  EXPECT_EQ(r.out.substr(r.out.size() - 8), "count\t1\n");
  r = List({"schedule", "search", "--title", "trip"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "count\t0\n");
  r = List({"holiday", "search", "--category", "祝日"});
  EXPECT_EQ(r.out.substr(0, 5), "0000\t");
  r = List({"schedule", "search"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "検索条件を入力して下さい。\n");
  r = List({"schedule", "search", "--from", "2024/02/01", "--to", "2024/01/01"});
  EXPECT_EQ(r.err, "日付の入力に誤りがあります。\n");
  EXPECT_EQ(List({"holiday", "search", "--category", "平日"}).status, 2);
  EXPECT_EQ(List({"schedule", "5"}).status, 2);
  EXPECT_EQ(List({"diary", "1"}).status, 2);
  r = List({"todo", "1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "count\t0\n");
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace kal::cli
