#include "catalogues/BulkEdit.h"

#include <gtest/gtest.h>

#include "catalogues/ItemTable.h"
#include "listing/ListFixtures.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"
#include "store/ScheduleFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using test::Sch;
using test::SchLine;
using test::Sjis;

// The targets of the rows of month `stem` at the given indices, as the list hands them over.
std::vector<BulkTarget> Targets(const test::TempFolder& folder, const std::string& stem, std::vector<int> indices) {
  std::vector<BulkTarget> t;
  const auto lines = store::SplitLines(folder.Read(stem + ".sch"));
  for (int i : indices) {
    char key[32];
    std::snprintf(key, sizeof key, "%s01%04d000", stem.c_str(), i);
    t.push_back({key, i < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(i)] : ""});
  }
  return t;
}

class BulkEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* stem : {"202401", "202402", "202403"})
      folder.Write(std::string(stem) + ".sch",
                   test::JoinCrLf({SchLine(Sch{.day = 1, .title = "朝会", .start = "09:00", .place = "会議室"}),
                                   SchLine(Sch{.day = 2, .title = "昼会", .category = "会議"}),
                                   SchLine(Sch{.day = 3, .title = "夕会", .detail = 4})}));
  }
  std::vector<BulkTarget> AllTargets() {
    std::vector<BulkTarget> t;
    for (const char* stem : {"202401", "202402", "202403"})
      for (auto& x : Targets(folder, stem, {0, 1, 2})) t.push_back(x);
    return t;
  }
  std::vector<store::ScheduleFields> Read(const std::string& stem) {
    std::vector<store::ScheduleFields> f;
    for (const auto& l : store::SplitLines(folder.Read(stem + ".sch"))) f.push_back(store::ReadScheduleLine(l));
    return f;
  }
  BulkOutcome Ok(const std::vector<BulkTarget>& targets, BulkInput input) {
    return BulkEditOk(dialogs, fs, folder.path(), targets, input, DefaultAlarmOffsets());
  }
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
};

TEST_F(BulkEdit, AlarmOneInSchedulesOfThreeMonthsEachSavedSorted) {
  EXPECT_EQ(Ok(AllTargets(), {BulkItem::Alarm1, "", 3}), BulkOutcome::Done);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "9件のスケジュールの「アラーム1」を \"3 分\" に変更します。\n処理を開始しますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "確認");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  for (const char* stem : {"202401", "202402", "202403"}) {
    const auto fields = Read(stem);
    ASSERT_EQ(fields.size(), 3u);
    for (const auto& f : fields) EXPECT_EQ(f.alarm1, 3) << stem;
    auto lines = store::SplitLines(folder.Read(std::string(stem) + ".sch"));
    auto sorted = lines;
    store::SortLines(sorted);
    EXPECT_EQ(lines, sorted);
  }
}

TEST_F(BulkEdit, FieldValuesAsStored) {
  struct Case {
    BulkInput input;
    std::string expected_line0;  // the first line of January afterwards
  };
  const std::string before = SchLine(Sch{.day = 1, .title = "朝会", .start = "09:00", .place = "会議室"});
  auto with = [&](std::size_t pos, const std::string& bytes) {
    std::string l = before;
    l.replace(pos - 1, bytes.size(), bytes);
    return l;
  };
  const Case cases[] = {
      {{BulkItem::StartTime, "9:5", 0}, with(3, "09:05")},
      {{BulkItem::StartTime, "１０：３０", 0}, with(3, "10:30")},
      {{BulkItem::StartTime, "", 0}, with(3, "     ")},
      {{BulkItem::EndTime, "18:00", 0}, with(8, "18:00")},
      {{BulkItem::Category, "１２３４５６７８", 0}, with(13, Sjis("１２３４５６７"))},  // 16 bytes: the first 14
      {{BulkItem::Style1, "", 3}, with(27, "3")},
      {{BulkItem::Style2, "", 2}, with(28, "2")},
      {{BulkItem::Alarm2, "", 9}, with(30, "9")},
      {{BulkItem::Title, "新しい件名", 0}, with(31, store::PadField(Sjis("新しい件名"), 40))},
      {{BulkItem::Place, "", 0}, before.substr(0, 70)},
  };
  for (const Case& c : cases) {
    folder.Write("202401.sch", test::JoinCrLf({before}));
    EXPECT_EQ(Ok(Targets(folder, "202401", {0}), c.input), BulkOutcome::Done);
    EXPECT_EQ(store::SplitLines(folder.Read("202401.sch")).at(0), c.expected_line0)
        << BulkItemNames()[static_cast<std::size_t>(*c.input.item)] << " " << c.input.text;
  }
}

TEST_F(BulkEdit, ThePlaceOfAShortLineIsPlacedAtItsField) {
  const std::string short_line = SchLine(Sch{.day = 2, .title = "昼会"});
  ASSERT_LT(short_line.size(), 70u);
  folder.Write("202401.sch", test::JoinCrLf({short_line}));
  EXPECT_EQ(Ok(Targets(folder, "202401", {0}), {BulkItem::Place, "本社", 0}), BulkOutcome::Done);
  const auto f = Read("202401");
  EXPECT_EQ(f[0].title, "昼会");
  EXPECT_EQ(f[0].place, "本社");
  EXPECT_EQ(store::SplitLines(folder.Read("202401.sch"))[0], store::PadField(short_line, 70) + Sjis("本社"));
  // A line with a detail keeps its detail number where it was.
  EXPECT_EQ(Ok(Targets(folder, "202402", {2}), {BulkItem::Place, "別館", 0}), BulkOutcome::Done);
  EXPECT_EQ(Read("202402")[2].detail, 4);
  EXPECT_EQ(Read("202402")[2].place, "別館");
}

TEST_F(BulkEdit, RefusalsKeepTheDialogOpen) {
  const std::string jan = folder.Read("202401.sch");
  struct Case {
    BulkInput input;
    const char* message;
  };
  const Case cases[] = {
      {{std::nullopt, "", 0}, "訂正項目を入力して下さい。"},
      {{BulkItem::Title, "   ", 0}, "件名はブランクで登録できません。"},
      {{BulkItem::StartTime, "25:00", 0}, "設定できない時刻です。"},
      {{BulkItem::EndTime, "朝", 0}, "設定できない時刻です。"},
  };
  for (const Case& c : cases) {
    dialogs.shown.clear();
    EXPECT_EQ(Ok(AllTargets(), c.input), BulkOutcome::Refused) << c.message;
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, c.message);
    EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
    EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  }
  dialogs.shown.clear();
  dialogs.answers = {platform::MsgAnswer::No};
  EXPECT_EQ(Ok(AllTargets(), {BulkItem::Title, "x", 0}), BulkOutcome::Cancelled);
  EXPECT_EQ(folder.Read("202401.sch"), jan);
}

TEST_F(BulkEdit, AShrunkFileIsSkippedAndAChangedLineStopsEverything) {
  auto targets = Targets(folder, "202401", {0, 2});
  const auto jan = store::SplitLines(folder.Read("202401.sch"));
  folder.Write("202401.sch", test::JoinCrLf({jan[0], jan[1]}));
  EXPECT_EQ(Ok(targets, {BulkItem::Alarm1, "", 1}), BulkOutcome::Done);
  EXPECT_EQ(Read("202401")[0].alarm1, 1);
  EXPECT_EQ(Read("202401")[1].alarm1, 0);
  EXPECT_EQ(dialogs.shown.size(), 1u);  // the question only

  // The February line at index 1 was replaced meanwhile: nothing is written in any month.
  auto more = Targets(folder, "202402", {0, 1});
  const std::string feb_before = folder.Read("202402.sch");
  auto feb = store::SplitLines(feb_before);
  feb[1] = SchLine(Sch{.day = 2, .title = "差し替え"});
  folder.Write("202402.sch", test::JoinCrLf(feb));
  const std::string mar = folder.Read("202403.sch");
  auto mixed = Targets(folder, "202403", {0});
  mixed.insert(mixed.begin(), more.begin(), more.end());
  EXPECT_EQ(Ok(mixed, {BulkItem::Alarm1, "", 2}), BulkOutcome::Stale);
  EXPECT_EQ(dialogs.shown.back().text, store::kStaleMessage);
  EXPECT_EQ(folder.Read("202402.sch"), test::JoinCrLf(feb));
  EXPECT_EQ(folder.Read("202403.sch"), mar);
}

TEST(BulkEditTexts, CaptionChoicesAndQuestion) {
  EXPECT_EQ(BulkCaption(3), "スケジュール一括訂正 - 選択 3件");
  EXPECT_EQ(BulkChoices(BulkItem::Alarm1, {5, 90}), (std::vector<std::string>{"----", "5 分", "1 時間"}));
  EXPECT_EQ(BulkChoices(BulkItem::Style2, {}), (std::vector<std::string>{"標準", "下線", "取消線", "下線 取消線"}));
  EXPECT_EQ(BulkQuestion(1, BulkItem::Place, "本社  "),
            "1件のスケジュールの「場所」を \"本社\" に変更します。\n処理を開始しますか？");
}

}  // namespace
}  // namespace kal::catalogues
