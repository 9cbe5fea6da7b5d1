#include "listing/ListSearch.h"

#include <gtest/gtest.h>

#include "listing/ListFixtures.h"
#include "listing/ListForm.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::listing {
namespace {

using store::MakeDate;
using test::Sch;
using test::SchLine;
using test::Sjis;

TEST(SearchChecks, FirstFailingCheckGivesMessageAndFocus) {
  struct Case {
    std::optional<ListKind> kind;
    SearchConditions c;
    const char* message;  // "" none
    SearchField focus;
  };
  const auto d1 = MakeDate(2024, 3, 1), d2 = MakeDate(2024, 2, 1);
  const Case cases[] = {
      {std::nullopt, {.title = "x"}, "検索対象を選択して下さい。", SearchField::Kind},
      {ListKind::Schedule, {.category = "  "}, "検索条件を入力して下さい。", SearchField::Title},
      {ListKind::Todo, {}, "検索条件を入力して下さい。", SearchField::Title},
      {ListKind::Weather, {}, "検索条件を入力して下さい。", SearchField::Category},
      {ListKind::Holiday, {.from = d1}, "検索条件を入力して下さい。", SearchField::Title},
      {ListKind::Memo, {.category = "x"}, "件名文字列を入力して下さい。", SearchField::Title},
      {ListKind::Schedule, {.from = d1, .to = d2}, "日付の入力に誤りがあります。", SearchField::FromDate},
      {ListKind::Schedule, {.detail = "x"}, "", SearchField::Kind},
      {ListKind::Weather, {.category_index = 0}, "", SearchField::Kind},
      {ListKind::Memo, {.to = d2}, "", SearchField::Kind},
      {ListKind::Schedule, {.from = d2, .to = d2}, "", SearchField::Kind},
  };
  for (const Case& c : cases) {
    const auto failure = CheckSearch(c.kind, c.c);
    if (std::string(c.message).empty()) {
      EXPECT_FALSE(failure) << failure->message;
      continue;
    }
    ASSERT_TRUE(failure) << c.message;
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->focus, c.focus) << c.message;
  }
}

TEST(SearchChecks, PeriodButtons) {
  EXPECT_EQ(YearSpan(2023), std::make_pair(MakeDate(2023, 1, 1), MakeDate(2023, 12, 31)));
  EXPECT_EQ(PastStart(MakeDate(2024, 5, 10), 1), MakeDate(2023, 5, 11));
  EXPECT_EQ(PastStart(MakeDate(2024, 2, 29), 1), MakeDate(2023, 3, 1));
}

class ScheduleSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("202312.sch", test::JoinCrLf({SchLine(Sch{.day = 31, .title = "Year-end party", .category = "私用"})}));
    folder.Write("202401.sch", test::JoinCrLf({
                                   SchLine(Sch{.day = 5, .title = "定例MEETING", .category = "会議室A"}),
                                   SchLine(Sch{.day = 9, .title = "表計算の講習", .category = "会議", .detail = 2}),
                                   SchLine(Sch{.day = 20, .title = "ａｂｃ打合せ", .detail = 1}),
                               }));
    folder.Write("202401.dtl", test::JoinCrLf({Sjis("001,資料を印刷"), Sjis("002,\"Excel 関数\",第二行")}));
    folder.Write("202401 (2).sch", test::JoinCrLf({SchLine(Sch{.day = 5, .title = "定例MEETING"})}));
  }
  std::vector<std::string> Titles(const SearchConditions& c) {
    std::vector<std::string> t;
    for (const auto& r : SearchRows(test::SourceIn(fs, folder, MakeDate(2024, 1, 9)), ListKind::Schedule, c))
      t.push_back(r.cells[5]);
    return t;
  }
  test::TempFolder folder;
  platform::PosixFileSystem fs;
};

TEST_F(ScheduleSearch, TitleCategoryDetailAndPeriod) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Titles({.title = "meeting"}), V{});
  EXPECT_EQ(Titles({.title = "meeting", .ignore_case = true}), V{"定例MEETING"});
  EXPECT_EQ(Titles({.title = "ＡＢＣ", .ignore_case = true}), V{"ａｂｃ打合せ"});
  EXPECT_EQ(Titles({.title = "e", .ignore_case = true}), (V{"Year-end party", "定例MEETING"}));
  // A backslash is never found inside "表" (whose second byte is one).
  EXPECT_EQ(Titles({.title = "\\"}), V{});
  // The category begins with the text.
  EXPECT_EQ(Titles({.category = "会議"}), (V{"定例MEETING", "表計算の講習"}));
  EXPECT_EQ(Titles({.category = "会議室"}), V{"定例MEETING"});
  // The detail line's text after its number, with case.
  EXPECT_EQ(Titles({.detail = "関数"}), V{"表計算の講習"});
  EXPECT_EQ(Titles({.detail = "excel"}), V{});
  EXPECT_EQ(Titles({.detail = "第二行"}), V{"表計算の講習"});
  EXPECT_EQ(Titles({.detail = "印刷"}), V{"ａｂｃ打合せ"});
  // Both bounds are inclusive; the month files outside are not read.
  EXPECT_EQ(Titles({.from = MakeDate(2023, 12, 31), .to = MakeDate(2024, 1, 5)}), (V{"Year-end party", "定例MEETING"}));
  EXPECT_EQ(Titles({.from = MakeDate(2024, 1, 6)}), (V{"表計算の講習", "ａｂｃ打合せ"}));
  EXPECT_EQ(Titles({.to = MakeDate(2024, 1, 19), .title = "打合せ"}), V{});
}

TEST_F(ScheduleSearch, NothingFoundSaysSoAndDoesNotAskForAReload) {
  test::FakeDialogs dialogs;
  ListForm form(test::SourceIn(fs, folder, MakeDate(2024, 1, 9)), ListKind::Schedule, ListMode::Search);
  EXPECT_FALSE(form.Search(dialogs, {.title = "存在しない"}));
  EXPECT_TRUE(form.rows().empty());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "一致するデータは見つかりませんでした。");
  EXPECT_EQ(dialogs.shown[0].caption, "スケジュールの検索");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Information);
  EXPECT_EQ(form.modified(), kNothingFound);
  EXPECT_EQ(form.StatusText(), "スケジュールの検索結果 [0件]");

  EXPECT_FALSE(form.Search(dialogs, {.title = "講習"}));
  EXPECT_EQ(form.rows().size(), 1u);
  EXPECT_EQ(form.StatusText(), "スケジュールの検索結果 [1件]");
  // A failed check changes nothing.
  const auto failure = form.Search(dialogs, {});
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->message, "検索条件を入力して下さい。");
  EXPECT_EQ(form.rows().size(), 1u);
}

TEST(TodoSearch, LimitBoundsAndNoLimit) {
  const auto from = MakeDate(2024, 1, 1), to = MakeDate(2024, 1, 31);
  struct Case {
    const char* limit;
    std::optional<store::Date> from, to;
    bool within;
  };
  const Case cases[] = {
      {"2024/01/15", from, to, true},        {"2023/12/31", from, to, false},      {"2024/01/31", from, to, true},
      {kNoLimitText, std::nullopt, to, false}, {kNoLimitText, from, std::nullopt, true}, {kNoLimitText, from, to, false},
      {"2024/02/01", std::nullopt, to, false}, {"2024/02/01", from, std::nullopt, true},
  };
  for (const Case& c : cases) EXPECT_EQ(TodoLimitWithin(c.limit, c.from, c.to), c.within) << c.limit;
}

TEST(OtherSearches, HolidaysMemosAndWeather) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  folder.Write("Holiday.dat", test::JoinCrLf({Sjis(" 1 11949    000元日"), Sjis(" 5 5        002Birthday"),
                                              Sjis(" 8 1        001夏休み")}));
  folder.WriteLines("20240503.mem", {"Report 提出"});
  folder.WriteLines("202402.mem", {"二月の予定"});
  folder.WriteLines("20240310.mem", {"report"});
  std::vector<std::string> day(32, "00");
  day[3] = "0031";
  day[4] = "00213";
  folder.Write("202406.day", test::JoinCrLf(day));
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 6, 1));
  auto keys = [&](ListKind kind, const SearchConditions& c) {
    std::vector<std::string> k;
    for (const auto& r : SearchRows(source, kind, c)) k.push_back(r.key());
    return k;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(keys(ListKind::Holiday, {.title = "birth", .ignore_case = true}), V{"0001"});
  EXPECT_EQ(keys(ListKind::Holiday, {.category_index = 1}), V{"0002"});
  EXPECT_EQ(keys(ListKind::Holiday, {.title = "元", .category_index = 1}), V{});
  EXPECT_EQ(keys(ListKind::Memo, {.title = "report"}), V{"20240310"});
  EXPECT_EQ(keys(ListKind::Memo, {.title = "REPORT", .ignore_case = true}), (V{"20240310", "20240503"}));
  // A month memo is inside whenever its month is.
  EXPECT_EQ(keys(ListKind::Memo, {.from = MakeDate(2024, 2, 29), .to = MakeDate(2024, 3, 9)}), V{"202402"});
  EXPECT_EQ(keys(ListKind::Memo, {.from = MakeDate(2024, 2, 1), .to = MakeDate(2024, 2, 1)}), V{"202402"});
  EXPECT_EQ(keys(ListKind::Weather, {.category_index = 2}), (V{"20240603", "20240604"}));  // 雨 first or second
  EXPECT_EQ(keys(ListKind::Weather, {.category_index = 1}), V{"20240604"});
  EXPECT_EQ(keys(ListKind::Weather, {.from = MakeDate(2024, 7, 1)}), V{});
  EXPECT_EQ(keys(ListKind::Weather, {.from = MakeDate(2024, 6, 30)}).size(), 30u);  // every day of the month
}

}  // namespace
}  // namespace kal::listing
