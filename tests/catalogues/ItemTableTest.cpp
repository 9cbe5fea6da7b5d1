#include "catalogues/ItemTable.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using test::Sjis;

TEST(ItemTables, FileNamesCaptionsAndLabels) {
  struct Case {
    ItemTableType type;
    const char* file;
    const char* caption;
    const char* label;
    std::size_t limit;
  } cases[] = {
      {ItemTableType::SigTime, "SigTime.tbl", "時報時刻の設定", "追加する時刻(hh:mm形式): ", 5},
      {ItemTableType::SchFrom, "SchFrom.tbl", "開始時刻の設定", "追加する時刻(hh:mm形式): ", 5},
      {ItemTableType::SchTo, "SchTo.tbl", "終了時刻の設定", "追加する時刻(hh:mm形式): ", 5},
      {ItemTableType::SchTitle, "SchTitle.tbl", "スケジュール件名の設定", "追加するスケジュール内容: ", 40},
      {ItemTableType::SchPlace, "SchPlace.tbl", "場所の設定", "追加する場所: ", 40},
      {ItemTableType::Alarm, "Alarm.tbl", "アラーム一覧の編集", "追加するアラーム前分(1～360分): ", 40},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(ItemTableFileName(c.type), c.file);
    EXPECT_EQ(ItemTableCaption(c.type), c.caption);
    EXPECT_EQ(ItemTableLabel(c.type), c.label);
    EXPECT_EQ(ItemTableEntryLimit(c.type), c.limit);
  }
}

TEST(ItemTables, DefaultContents) {
  auto sig = DefaultItems(ItemTableType::SigTime);
  ASSERT_EQ(sig.size(), 15u);
  EXPECT_EQ(sig.front(), "09:00");
  EXPECT_EQ(sig.back(), "23:00");
  auto from = DefaultItems(ItemTableType::SchFrom);
  ASSERT_EQ(from.size(), 32u);
  EXPECT_EQ(from[0], "08:00");
  EXPECT_EQ(from[1], "08:30");
  EXPECT_EQ(from.back(), "23:30");
  EXPECT_EQ(DefaultItems(ItemTableType::SchTo), from);
  EXPECT_TRUE(DefaultItems(ItemTableType::SchTitle).empty());
  EXPECT_TRUE(DefaultItems(ItemTableType::SchPlace).empty());
  EXPECT_EQ(DefaultItems(ItemTableType::Alarm),
            (std::vector<std::string>{"  0", "  1", "  3", "  5", " 10", " 15", " 20", " 30", " 60"}));
  auto file = DefaultTimeFileLines();
  ASSERT_EQ(file.size(), 33u);
  EXPECT_EQ(file[0], "     ");
  EXPECT_EQ(file[1], "08:00");
}

TEST(ItemTables, TimesAreRewrittenAsHhNn) {
  struct Case {
    const char* text;
    std::optional<std::string> time;
  } cases[] = {
      {"9:5", "09:05"},   {"09:05", "09:05"}, {" 23:59 ", "23:59"}, {"0:0", "00:00"},
      {"9:05:30", "09:05"}, {"９：０５", "09:05"}, {"24:00", std::nullopt}, {"9:60", std::nullopt},
      {"9", std::nullopt}, {"905", std::nullopt}, {"9:", std::nullopt},  {":5", std::nullopt},
      {"abc", std::nullopt}, {"9:5x", std::nullopt}, {"123:4", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadTimeText(c.text), c.time);
  }
}

TEST(ItemTables, AlarmFieldsAndTexts) {
  EXPECT_EQ(AlarmField(0), "  0");
  EXPECT_EQ(AlarmField(5), "  5");
  EXPECT_EQ(AlarmField(10), " 10");
  EXPECT_EQ(AlarmField(360), "360");
  EXPECT_EQ(AlarmOffsetText(5), "5 分");
  EXPECT_EQ(AlarmOffsetText(59), "59 分");
  EXPECT_EQ(AlarmOffsetText(120), "2 時間");
  EXPECT_EQ(AlarmChoiceTexts({0, 30, 60, 360}),
            (std::vector<std::string>{"----", "0 分", "30 分", "1 時間", "6 時間"}));
}

class ItemEditorTest : public ::testing::Test {
 protected:
  test::FakeDialogs dialogs;
  void ExpectOneError(const std::string& text) {
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, text);
    EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
    dialogs.shown.clear();
  }
};

TEST_F(ItemEditorTest, SignalTimeTypedAs9Colon5IsStoredAs0905) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  ItemTableEditor editor(ItemTableType::SigTime, {"10:00"});
  EXPECT_EQ(editor.Add(dialogs, "9:5"), 0u);
  editor.Save(fs, dir.path());
  EXPECT_EQ(dir.Read("SigTime.tbl"), "09:05\r\n10:00\r\n");
}

TEST_F(ItemEditorTest, SignalTimeThatIsNotATimeIsRefused) {
  ItemTableEditor editor(ItemTableType::SigTime, {});
  EXPECT_EQ(editor.Add(dialogs, "noon"), std::nullopt);
  ExpectOneError("時刻を正しく入力して下さい。");
  EXPECT_TRUE(editor.lines().empty());
}

TEST_F(ItemEditorTest, StartTimesAcceptAnyTextAsTyped) {
  ItemTableEditor editor(ItemTableType::SchFrom, {"08:00"});
  EXPECT_EQ(editor.Add(dialogs, "7:3"), 0u);
  EXPECT_TRUE(editor.Add(dialogs, "未定").has_value());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(editor.lines(), (std::vector<std::string>{"07:03", "08:00", Sjis("未定")}));
}

TEST_F(ItemEditorTest, TitlesAreSortedWithoutRepeatsAndCutToFortyBytes) {
  ItemTableEditor editor(ItemTableType::SchTitle, {"beta", "Alpha", "beta"});
  EXPECT_EQ(editor.lines(), (std::vector<std::string>{"Alpha", "beta"}));
  EXPECT_EQ(editor.Add(dialogs, "  beta  "), 1u);  // already present: not added again
  EXPECT_EQ(editor.lines().size(), 2u);
  EXPECT_EQ(editor.Add(dialogs, ""), std::nullopt);
  EXPECT_EQ(editor.Add(dialogs, "   "), std::nullopt);
  editor.Add(dialogs, std::string(30, 'x') + "あいうえおか");  // 30 + 12 bytes
  EXPECT_EQ(editor.lines().back(), std::string(30, 'x') + Sjis("あいうえお"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ItemEditorTest, TextThatCannotBeStoredIsRefused) {
  ItemTableEditor editor(ItemTableType::SchPlace, {});
  EXPECT_EQ(editor.Add(dialogs, "会議室😀"), std::nullopt);
  ExpectOneError("場所に保存できない文字「😀」が含まれています。");
}

TEST_F(ItemEditorTest, ListShowsTheFirstFortyBytes) {
  ItemTableEditor editor(ItemTableType::SigTime, {"09:00 " + std::string(60, 'a')});
  EXPECT_EQ(editor.ShownItems(), (std::vector<std::string>{"09:00 " + std::string(34, 'a')}));
}

TEST_F(ItemEditorTest, AlarmValuesAreCheckedAndRightAligned) {
  ItemTableEditor editor(ItemTableType::Alarm, {"  0", "  3", " 10"});
  dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
  // 5 lands between "  3" and " 10" (code 3 moves: asked first).
  EXPECT_EQ(editor.Add(dialogs, "5"), 2u);
  dialogs.shown.clear();
  EXPECT_EQ(editor.Add(dialogs, "90"), std::nullopt);
  ExpectOneError("60分以上を登録する場合は、60の倍数で入力して下さい。");
  EXPECT_EQ(editor.Add(dialogs, "400"), std::nullopt);
  ExpectOneError("0～360を入力して下さい。");
  EXPECT_EQ(editor.Add(dialogs, "-5"), std::nullopt);
  ExpectOneError("0～360を入力して下さい。");
  EXPECT_EQ(editor.Add(dialogs, "ten"), std::nullopt);
  ExpectOneError("0～360を入力して下さい。");
  EXPECT_EQ(editor.Add(dialogs, "120"), 4u);  // at the end: nothing moves, nothing asked
  EXPECT_EQ(editor.Add(dialogs, "360"), 5u);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(editor.lines(), (std::vector<std::string>{"  0", "  3", "  5", " 10", "120", "360"}));
}

TEST_F(ItemEditorTest, AlarmTableHoldsAtMostNineEntries) {
  ItemTableEditor editor(ItemTableType::Alarm, DefaultItems(ItemTableType::Alarm));
  EXPECT_EQ(editor.Add(dialogs, "120"), std::nullopt);
  ExpectOneError("これ以上登録できません。");
  EXPECT_EQ(editor.lines().size(), 9u);
}

TEST_F(ItemEditorTest, AlarmAddThatMovesCodesAsksFirst) {
  ItemTableEditor editor(ItemTableType::Alarm, {"  0", "  3", " 10"});
  dialogs.answers = {MsgAnswer::No};
  EXPECT_EQ(editor.Add(dialogs, "5"), std::nullopt);
  EXPECT_EQ(editor.lines(), (std::vector<std::string>{"  0", "  3", " 10"}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "アラーム一覧の順番が変わるため、登録済みのスケジュールのアラーム時間が次のように変わります。\n"
            "\nアラーム3: 10 分 → 5 分\n\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "確認");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
}

TEST_F(ItemEditorTest, AlarmDeleteThatShiftsLaterCodesAsksFirst) {
  ItemTableEditor editor(ItemTableType::Alarm, {"  0", "  5", " 10", " 60"});
  dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
  EXPECT_FALSE(editor.Remove(dialogs, 1));
  EXPECT_EQ(editor.lines().size(), 4u);
  EXPECT_TRUE(editor.Remove(dialogs, 1));
  EXPECT_EQ(editor.lines(), (std::vector<std::string>{"  0", " 10", " 60"}));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text,
            "アラーム一覧の順番が変わるため、登録済みのスケジュールのアラーム時間が次のように変わります。\n"
            "\nアラーム2: 5 分 → 10 分\nアラーム3: 10 分 → 1 時間\nアラーム4: 1 時間 → なし\n\nよろしいですか？");
  // The last entry moves nothing: removed without a question.
  dialogs.shown.clear();
  EXPECT_TRUE(editor.Remove(dialogs, 2));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(editor.Remove(dialogs, 5));
}

TEST_F(ItemEditorTest, OtherTablesDeleteWithoutAsking) {
  ItemTableEditor editor(ItemTableType::SchTitle, {"a", "b"});
  EXPECT_TRUE(editor.Remove(dialogs, 0));
  EXPECT_EQ(editor.lines(), std::vector<std::string>{"b"});
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ItemEditorTest, OpensWithTheDefaultWhenTheFileIsMissingAndSavesOnlyOnOk) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  ItemTableEditor editor(fs, dir.path(), ItemTableType::SigTime);
  EXPECT_EQ(editor.lines().size(), 15u);
  EXPECT_FALSE(dir.Exists("SigTime.tbl"));
  editor.Save(fs, dir.path());
  EXPECT_EQ(dir.Read("SigTime.tbl").substr(0, 14), "09:00\r\n10:00\r\n");
}

TEST_F(ItemEditorTest, AlarmEditorLeavesOutLinesThatAreNotLeadTimes) {
  test::TempFolder dir;
  dir.Write("Alarm.tbl", " 10\r\nabc\r\n5\r\n999\r\n  5\r\n");
  platform::PosixFileSystem fs;
  ItemTableEditor editor(fs, dir.path(), ItemTableType::Alarm);
  EXPECT_EQ(editor.lines(), (std::vector<std::string>{"  5", " 10"}));
}

TEST(AlarmOffsets, MissingFileGivesTheBuiltInList) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  EXPECT_EQ(LoadAlarmOffsets(fs, dir.path()), (std::vector<int>{0, 1, 3, 5, 10, 15, 20, 30, 60}));
}

TEST(AlarmOffsets, BadLinesAreIgnoredAndCodesBeyondTheListMeanNoAlarm) {
  test::TempFolder dir;
  dir.Write("Alarm.tbl", "  0\r\n 15\r\nsoon\r\n\r\n-3\r\n120\r\n  1\r\n  2\r\n  3\r\n  4\r\n  5\r\n  6\r\n  7\r\n");
  platform::PosixFileSystem fs;
  std::vector<std::size_t> ignored;
  auto offsets = LoadAlarmOffsets(fs, dir.path(), &ignored);
  EXPECT_EQ(offsets, (std::vector<int>{0, 15, 120, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(ignored, (std::vector<std::size_t>{3, 4, 5}));
  EXPECT_EQ(AlarmLead(offsets, 2), 15);
  EXPECT_EQ(AlarmLead(offsets, 3), 120);
  EXPECT_EQ(AlarmLead(offsets, 0), std::nullopt);
  EXPECT_EQ(AlarmLead({0, 5}, 3), std::nullopt);
  EXPECT_EQ(AlarmLead({0, 5}, 1), 0);
}

TEST(AlarmOffsets, DeletingAnEntryShiftsTheLeadOfLaterCodes) {
  // A schedule with code 3 had 10 minutes; after "  5" is deleted it has 60.
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.Write("Alarm.tbl", "  0\r\n  5\r\n 10\r\n 60\r\n");
  EXPECT_EQ(AlarmLead(LoadAlarmOffsets(fs, dir.path()), 3), 10);
  test::FakeDialogs dialogs;
  ItemTableEditor editor(fs, dir.path(), ItemTableType::Alarm);
  ASSERT_TRUE(editor.Remove(dialogs, 1));
  editor.Save(fs, dir.path());
  EXPECT_EQ(AlarmLead(LoadAlarmOffsets(fs, dir.path()), 3), 60);
  EXPECT_EQ(AlarmLead(LoadAlarmOffsets(fs, dir.path()), 4), std::nullopt);
}

TEST(AlarmOffsets, UnreadableFileIsAnError) {
  test::TempFolder dir;
  dir.MakeFolder("Alarm.tbl");
  platform::PosixFileSystem fs;
  EXPECT_THROW(LoadAlarmOffsets(fs, dir.path()), store::FileError);
}

}  // namespace
}  // namespace kal::catalogues
