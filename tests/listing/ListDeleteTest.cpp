#include "listing/ListDelete.h"

#include <gtest/gtest.h>

#include "listing/ListFixtures.h"
#include "listing/ListForm.h"
#include "store/HolidayFile.h"
#include "todo/TodoFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::listing {
namespace {

using store::MakeDate;
using test::Sch;
using test::SchLine;
using test::Sjis;

const ListRow& Row(const std::vector<ListRow>& rows, const std::string& title) {
  for (const auto& r : rows)
    if (r.cells[5] == title || r.cells[3] == title) return r;
  throw std::runtime_error("no row " + title);
}

class ScheduleDelete : public ::testing::Test {
 protected:
  void SetUp() override {
    jan = {SchLine(Sch{.day = 3, .title = "一"}), SchLine(Sch{.day = 4, .title = "二", .detail = 1}),
           SchLine(Sch{.day = 5, .title = "三"}), SchLine(Sch{.day = 6, .title = "四", .detail = 2})};
    feb = {SchLine(Sch{.day = 1, .title = "五"}), SchLine(Sch{.day = 2, .title = "六"})};
    folder.Write("202401.sch", test::JoinCrLf(jan));
    folder.Write("202401.dtl", test::JoinCrLf({"001,memo one", "002,memo two"}));
    folder.Write("202402.sch", test::JoinCrLf(feb));
  }
  std::vector<ListRow> AllRows() { return ScheduleRows(test::SourceIn(fs, folder, MakeDate(2024, 1, 1)), kViewAll); }
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  std::vector<std::string> jan, feb;
};

TEST_F(ScheduleDelete, ThreeRowsFromTwoMonthFilesKeepEveryOtherLineInOrder) {
  const auto rows = AllRows();
  const std::vector<ListRow> selected = {Row(rows, "六"), Row(rows, "二"), Row(rows, "一")};
  EXPECT_EQ(DeleteRows(dialogs, test::SourceIn(fs, folder, MakeDate(2024, 1, 1)), ListKind::Schedule, selected),
            DeleteOutcome::Deleted);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "3件のスケジュールを削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "スケジュールの削除");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(folder.Read("202401.sch"), test::JoinCrLf({jan[2], jan[3]}));
  EXPECT_EQ(folder.Read("202402.sch"), test::JoinCrLf({feb[0]}));
  EXPECT_EQ(folder.Read("202401.dtl"), test::JoinCrLf({"002,memo two"}));
}

TEST_F(ScheduleDelete, NoAnswerAndAChangedFileDeleteNothing) {
  const auto rows = AllRows();
  dialogs.answers = {platform::MsgAnswer::No};
  EXPECT_EQ(DeleteRows(dialogs, test::SourceIn(fs, folder, MakeDate(2024, 1, 1)), ListKind::Schedule, {rows[0]}),
            DeleteOutcome::Cancelled);
  EXPECT_EQ(folder.Read("202401.sch"), test::JoinCrLf(jan));

  // Another program inserted a line before the rows: the indices now point at other schedules.
  folder.Write("202401.sch", test::JoinCrLf({SchLine(Sch{.day = 1, .title = "新"}), jan[0], jan[1], jan[2], jan[3]}));
  ListForm form(test::SourceIn(fs, folder, MakeDate(2024, 1, 1)), ListKind::Schedule, ListMode::List);
  form.SetView(kViewAll);
  const std::vector<ListRow> stale = {Row(rows, "二"), Row(rows, "六")};
  EXPECT_EQ(form.Delete(dialogs, stale), DeleteOutcome::Stale);
  EXPECT_EQ(dialogs.shown.back().text, store::kStaleMessage);
  EXPECT_EQ(folder.Read("202402.sch"), test::JoinCrLf(feb));
  EXPECT_EQ(folder.Read("202401.dtl"), test::JoinCrLf({"001,memo one", "002,memo two"}));
  EXPECT_EQ(form.rows().size(), 7u);  // read again
  EXPECT_EQ(form.modified(), 0);
}

TEST_F(ScheduleDelete, OneScheduleNamesTheFirstTwentyBytesOfItsTitle) {
  folder.Write("202403.sch", test::JoinCrLf({SchLine(Sch{.day = 1, .title = "abcdefghijklmnopqrs漢字の続き"})}));
  const auto rows = ScheduleRows(test::SourceIn(fs, folder, MakeDate(2024, 3, 1)), 2);
  // 19 ASCII bytes and a double-byte character: the cut never splits it.
  EXPECT_EQ(DeleteQuestion(ListKind::Schedule, rows), "「abcdefghijklmnopqrs」を削除します。\nよろしいですか？");
}

TEST(ListDelete, QuestionsOfTheOtherKinds) {
  ListRow memo{{"20240503", "", ""}, "", false};
  ListRow month_memo{{"202405", "", ""}, "", false};
  ListRow holiday{{"0003", "", "", "元日", "祝日", "", ""}, "", false};
  EXPECT_EQ(DeleteQuestion(ListKind::Memo, {memo}), "「2024年05月03日」のメモを削除します。\nよろしいですか？");
  EXPECT_EQ(DeleteQuestion(ListKind::Memo, {month_memo}), "「2024年05月」のメモを削除します。\nよろしいですか？");
  EXPECT_EQ(DeleteQuestion(ListKind::Holiday, {holiday}), "「元日」を削除します。\nよろしいですか？");
  EXPECT_EQ(DeleteQuestion(ListKind::Memo, {memo, month_memo}), "2件のメモを削除します。\nよろしいですか？");
  EXPECT_EQ(DeleteCaption(ListKind::Holiday), "祝日・休日・記念日の削除");
}

TEST(ListDelete, AutomaticHolidaysAreNeverDeleted) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  const std::vector<std::string> lines = {Sjis(" 1 11949    000元日"), Sjis(" 5 5        001休み"),
                                          Sjis(" 3 3        002雛祭")};
  folder.Write("Holiday.dat", test::JoinCrLf(lines));
  ListSource source = test::SourceIn(fs, folder, MakeDate(2030, 1, 1));
  source.holidays = {true, true};
  const auto rows = HolidayRows(source, kViewAll);
  const ListRow* automatic = nullptr;
  for (const auto& r : rows)
    if (r.key() == "9999") automatic = &r;
  ASSERT_NE(automatic, nullptr);

  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Holiday, {*automatic}), DeleteOutcome::Refused);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "自動設定した祝日については削除できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(folder.Read("Holiday.dat"), test::JoinCrLf(lines));

  // Together with stored rows only the stored rows go.
  const ListRow* stored = nullptr;
  for (const auto& r : rows)
    if (r.key() == "0001") stored = &r;
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Holiday, {*automatic, *stored}), DeleteOutcome::Deleted);
  EXPECT_EQ(dialogs.shown.back().text, "2件の祝日・休日・記念日を削除します。\nよろしいですか？");
  EXPECT_EQ(folder.Read("Holiday.dat"), test::JoinCrLf({lines[0], lines[2]}));
}

TEST(ListDelete, MemoFilesAreRemoved) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  folder.WriteLines("20240503.mem", {"a"});
  folder.WriteLines("202405.mem", {"b"});
  folder.WriteLines("20240504.mem", {"c"});
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 5, 3));
  auto rows = MemoRows(source, 2);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Memo, {rows[0], rows[1]}), DeleteOutcome::Deleted);
  EXPECT_FALSE(folder.Exists("202405.mem"));
  EXPECT_FALSE(folder.Exists("20240503.mem"));
  EXPECT_TRUE(folder.Exists("20240504.mem"));
}

TEST(TodoDelete, SelectedItemsGoWithTheirMemosAndAChangedListIsRefused) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  auto record = [](const char* subject, int memo) {
    todo::TodoFields f;
    f.limit = MakeDate(2024, 1, 20);
    f.subject = subject;
    f.memo = memo;
    return todo::BuildTodoRecord(f).line;
  };
  const std::vector<std::string> records = {record("報告書", 1), record("買い物", 0), record("電話", 2)};
  folder.Write("Todokl.dat", test::JoinCrLf(records));
  folder.Write("Todokl.dtl", test::JoinCrLf({"0001,first", "0002,second"}));
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 1, 1));
  auto rows = ListRows(source, ListKind::Todo, kViewAll);
  ASSERT_EQ(rows.size(), 3u);

  // One item: its title in the question.
  dialogs.answers = {platform::MsgAnswer::No};
  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Todo, {rows[0]}), DeleteOutcome::Cancelled);
  EXPECT_EQ(dialogs.shown.back().text, "「報告書」を削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown.back().caption, "ToDoの削除");

  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Todo, {rows[0], rows[2]}), DeleteOutcome::Deleted);
  EXPECT_EQ(dialogs.shown.back().text, "2件のToDoを削除します。\nよろしいですか？");
  EXPECT_EQ(folder.Read("Todokl.dat"), test::JoinCrLf({records[1]}));
  EXPECT_EQ(folder.Read("Todokl.dtl"), "");

  // The list changed since it was read: nothing is deleted.
  folder.Write("Todokl.dat", test::JoinCrLf(records));
  rows = ListRows(source, ListKind::Todo, kViewAll);
  folder.Write("Todokl.dat", test::JoinCrLf({records[1], records[0], records[2]}));
  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Todo, {rows[0]}), DeleteOutcome::Stale);
  EXPECT_EQ(dialogs.shown.back().text, "ToDoが他で変更されています。\n最新の情報に更新してから操作して下さい。");
  EXPECT_EQ(folder.Read("Todokl.dat"), test::JoinCrLf({records[1], records[0], records[2]}));
}

TEST(AddonDelete, TheSelectedLinesGoAndAChangedListIsRefused) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  folder.Write("Addon.lst", "CALEN11 /bin/date\r\nKIDOU11 /bin/true\r\nSTART00 /bin/sync\r\n");
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 1, 1));
  const auto rows = ListRows(source, ListKind::Addon, 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Addon, {rows[0], rows[2]}), DeleteOutcome::Deleted);
  EXPECT_EQ(dialogs.shown.back().caption, "アドオンの削除");
  EXPECT_EQ(folder.Read("Addon.lst"), "KIDOU11 /bin/true\r\n");
  // rows[1] now stands at index 0: its index no longer names it.
  EXPECT_EQ(DeleteRows(dialogs, source, ListKind::Addon, {rows[1]}), DeleteOutcome::Stale);
  EXPECT_EQ(dialogs.shown.back().text, "アドオン一覧が他で変更されています。\n最新の情報に更新してから操作して下さい。");
  EXPECT_EQ(folder.Read("Addon.lst"), "KIDOU11 /bin/true\r\n");
}

}  // namespace
}  // namespace kal::listing
