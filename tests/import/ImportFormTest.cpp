#include "import/ImportForm.h"

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::import {
namespace {

using test::Sjis;

class ImportFormTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;

  ImportForm Open(ImportTarget target, const std::string& name, const std::string& csv_bytes) {
    dir.Write(name, csv_bytes);
    std::string error;
    auto source = OpenImportSource(fs, target, dir / name, &error);
    EXPECT_TRUE(source) << error;
    return ImportForm(target, std::move(*source), {dir.path(), dir.path(), dir.path()}, store::MakeDate(2024, 6, 1));
  }
  std::vector<std::pair<std::string, std::string>> Shown() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& m : dialogs.shown) out.emplace_back(m.text, m.caption);
    return out;
  }
};

TEST_F(ImportFormTest, TextsOfTheTargets) {
  auto schedule = Open(ImportTarget::Schedule, "a.csv", Sjis("件名,開始日\r\nx,2024/05/03\r\n"));
  EXPECT_EQ(schedule.Caption(), "スケジュールデータのインポート (CSV形式) - " + dir.path() + "a.csv");
  EXPECT_EQ(schedule.DuplicateOptionText(), "開始日・開始時刻・件名が同じものは反映しない(&D)");
  EXPECT_TRUE(schedule.CategoryOptionShown());
  EXPECT_TRUE(schedule.options().first_is_header);  // "件名" in the first line
  EXPECT_EQ(schedule.TargetLines().front(), "開始日 (yyyy/mm/dd) : ");
  EXPECT_EQ(schedule.TargetLines().back(), "メモ（内容） : ");

  auto todo = Open(ImportTarget::Todo, "t.csv", Sjis("未処理,期限なし\r\n"));
  EXPECT_EQ(todo.DuplicateOptionText(), "期限・件名が同じものは反映しない(&D)");
  EXPECT_FALSE(todo.options().first_is_header);
  EXPECT_EQ(todo.TargetLines()[3], "優先度（A～D） : ");
  for (ImportTarget t : {ImportTarget::Holiday, ImportTarget::Weather}) {
    auto form = Open(t, "h.csv", "1\r\n");
    EXPECT_EQ(form.DuplicateOptionText(), "重複しているものは反映しない(&D)");
    EXPECT_FALSE(form.CategoryOptionShown());
    form.SetOptions({false, false, true});
    EXPECT_FALSE(form.options().add_categories);
  }
  EXPECT_EQ(FieldColour(0), 0xFF0000);
  EXPECT_EQ(FieldColour(8), 0x808000);
  EXPECT_EQ(StatusColour(RecordStatus::Refused), 0x0000FF);
}

TEST_F(ImportFormTest, OpeningRefusesWhatItCannotRead) {
  dir.Write("empty.csv", "\r\n");
  dir.Write("2024ab.sch", "x\r\n");
  dir.Write("a.ics", "BEGIN:VCALENDAR\r\n");
  const std::pair<const char*, const char*> cases[] = {
      {"empty.csv", "データが見つかりません。"},
      {"missing.csv", "データが見つかりません。"},
      {"2024ab.sch", "ファイル名が yyyymm.sch形式でないためインポートできません。"},
      {"a.ics", "この形式のファイルはまだインポートできません。"},
  };
  for (const auto& [name, message] : cases) {
    std::string error;
    // Calendar files are schedules: another target refuses them.
    const ImportTarget target = std::string(name) == "a.ics" ? ImportTarget::Weather : ImportTarget::Schedule;
    EXPECT_FALSE(OpenImportSource(fs, target, dir / name, &error));
    EXPECT_EQ(error, message) << name;
  }
}

TEST_F(ImportFormTest, AssignmentAndMoving) {
  auto form = Open(ImportTarget::Schedule, "a.csv", Sjis("2024/05/03,会議,本社\r\n2024/05/04,休み\r\n"));
  EXPECT_EQ(form.RecordLabel(), "変換元項目 [1/2] 未チェック");
  form.Assign(0, 0);
  form.Assign(4, 1);
  form.Assign(5, 1);  // a column serves one field: 件名 loses it
  EXPECT_EQ(form.assignment(), (Assignment{0, -1, -1, -1, -1, 1, -1, -1}));
  EXPECT_EQ(form.TargetLines()[5], "場所 : 会議");
  EXPECT_EQ(form.SourceAssignedTo(), (std::vector<int>{0, 5, -1}));
  form.MoveLast();
  form.MoveNext();
  EXPECT_EQ(form.RecordLabel(), "変換元項目 [2/2] 未チェック");
  EXPECT_EQ(form.TargetLines()[5], "場所 : 休み");
  form.AssignAll();
  EXPECT_EQ(form.assignment(), (Assignment{0, 1, -1, -1, -1, -1, -1, -1}));  // the record shown has 2 fields
  form.Clear(0);
  EXPECT_EQ(form.assignment()[0], kNoColumn);
  form.ClearAll();
  EXPECT_EQ(form.assignment(), EmptyAssignment(ImportTarget::Schedule));
  form.MoveFirst();
  form.MovePrevious();
  EXPECT_EQ(form.Current(), 0u);
}

TEST_F(ImportFormTest, CheckShowsRefusalsAndReportThenExecuteWrites) {
  dir.WriteLines("202405.sch", {"03" + std::string(24, ' ') + "0000既存"});
  // UTF-8 with a byte-order mark, so that a character CP932 cannot hold reaches the check.
  auto form = Open(ImportTarget::Schedule, "a.csv",
                   "\xEF\xBB\xBF" "開始日,件名\r\n2024/05/03,既存\r\n2024/05/04,新規\r\n2024/05/05,\xF0\x9F\x8E\x89\r\n");
  form.Assign(0, 0);
  form.Assign(4, 1);
  form.SetOptions({true, true, false});
  form.Check(fs, dialogs);
  EXPECT_EQ(Shown(), (std::vector<std::pair<std::string, std::string>>{
                         {"件名に保存できない文字「\xF0\x9F\x8E\x89」が含まれています。\n4 レコード目", "エラー"},
                         {"1 件のスケジュールデータを反映します。\n0 件の分類を追加します。", "確認"}}));
  EXPECT_EQ(dialogs.shown[1].icon, platform::MsgIcon::Information);
  EXPECT_TRUE(form.ExecuteEnabled());
  EXPECT_EQ(form.RecordLabel(), "変換元項目 [1/4] インポート対象外（見出し）");
  form.MoveNext();
  EXPECT_EQ(form.RecordLabel(), "変換元項目 [2/4] インポート対象外（重複）");
  form.MoveNext();
  EXPECT_EQ(form.CurrentStatus(), RecordStatus::Import);
  form.MoveNext();
  EXPECT_EQ(form.RecordLabel(), "変換元項目 [4/4] データエラー");
  EXPECT_EQ(form.CurrentMessage(), "件名に保存できない文字「\xF0\x9F\x8E\x89」が含まれています。\n4 レコード目");
  EXPECT_FALSE(dir.Read("202405.sch").find(Sjis("新規")) != std::string::npos);

  // Any option change asks for a new check.
  form.SetOptions({true, true, true});
  EXPECT_FALSE(form.ExecuteEnabled());
  EXPECT_EQ(form.CurrentStatus(), RecordStatus::Unchecked);
  EXPECT_FALSE(form.Execute(fs, dialogs));
  form.Check(fs, dialogs);
  dialogs.shown.clear();
  EXPECT_TRUE(form.Execute(fs, dialogs));
  EXPECT_EQ(Shown(), (std::vector<std::pair<std::string, std::string>>{
                         {"1 件のスケジュールデータを反映しました。\n0 件の分類を追加しました。", "確認"}}));
  EXPECT_EQ(dir.Read("202405.sch"), Sjis("03" + std::string(24, ' ') + "0000既存\r\n04" + std::string(24, ' ') +
                                         "0000新規\r\n"));
}

TEST_F(ImportFormTest, AStoppingFailureShowsItsRecordAndKeepsExecuteOff) {
  auto form = Open(ImportTarget::Schedule, "a.csv", Sjis("2024/05/03,a\r\n2024/02/30,b\r\n2024/05/05,c\r\n"));
  form.Check(fs, dialogs);
  EXPECT_EQ(Shown(), (std::vector<std::pair<std::string, std::string>>{{"開始日が選択されていません。", "エラー"}}));
  form.Assign(0, 0);
  form.Assign(4, 1);
  dialogs.shown.clear();
  form.Check(fs, dialogs);
  EXPECT_EQ(Shown(), (std::vector<std::pair<std::string, std::string>>{
                         {"開始日に誤りがあるため処理できません。\n2 レコード目: 2024/02/30", "エラー"}}));
  EXPECT_EQ(form.Current(), 1u);
  EXPECT_EQ(form.RecordLabel(), "変換元項目 [2/3] データエラー");
  EXPECT_FALSE(form.ExecuteEnabled());
  EXPECT_FALSE(dir.Exists("202405.sch"));
}

TEST_F(ImportFormTest, OnlyDuplicatesReportNothingAndKeepExecuteOff) {
  dir.WriteLines("202405.sch", {"03" + std::string(24, ' ') + "0000a"});
  auto form = Open(ImportTarget::Schedule, "a.csv", Sjis("2024/05/03,a\r\n"));
  form.Assign(0, 0);
  form.Assign(4, 1);
  form.SetOptions({false, true, false});
  form.Check(fs, dialogs);
  EXPECT_EQ(Shown(), (std::vector<std::pair<std::string, std::string>>{
                         {"0 件のスケジュールデータを反映します。\n0 件の分類を追加します。", "確認"}}));
  EXPECT_FALSE(form.ExecuteEnabled());
}

TEST_F(ImportFormTest, AMonthFileOfAnotherFolderWithAMissingDetailFileAsksOnce) {
  dir.MakeFolder("old");
  const std::string detail_line = "01" + std::string(24, ' ') + "0000" + std::string(80, ' ') + "003";
  dir.WriteLines("old/202405.sch", {detail_line, "02" + std::string(24, ' ') + "0000b", detail_line});
  std::string error;
  auto source = OpenImportSource(fs, ImportTarget::Schedule, dir / "old/202405.sch", &error, dir.path());
  ASSERT_TRUE(source) << error;
  ImportForm form(ImportTarget::Schedule, std::move(*source), {dir.path(), dir.path(), dir.path()},
                  store::MakeDate(2024, 6, 1));
  EXPECT_EQ(form.Caption(), "スケジュールデータのインポート (2024年5月) - " + dir.path() + "old/202405.sch");
  EXPECT_FALSE(form.AssignmentEnabled());
  EXPECT_EQ(form.TargetLines()[0], "開始日 (dd) : 01");
  EXPECT_EQ(form.TargetLines()[7], "メモ（内容） (INDEX) : 003");
  dialogs.answers = {platform::MsgAnswer::No};
  form.Check(fs, dialogs);
  EXPECT_EQ(Shown(), (std::vector<std::pair<std::string, std::string>>{
                         {"スケジュールメモが設定されていますが、" + dir.path() + "old/202405.dtl が見つかりません。\n"
                          "このまま処理を続けます？", "確認"}}));
  EXPECT_FALSE(form.ExecuteEnabled());
  dialogs.shown.clear();
  form.Check(fs, dialogs);  // Yes: the records go on without their memos
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, "3 件のスケジュールデータを反映します。\n0 件の分類を追加します。");
  EXPECT_TRUE(form.Execute(fs, dialogs));
  EXPECT_EQ(dir.Read("202405.sch"), Sjis("01" + std::string(24, ' ') + "0000\r\n01" + std::string(24, ' ') +
                                         "0000\r\n02" + std::string(24, ' ') + "0000b\r\n"));
}

}  // namespace
}  // namespace kal::import
