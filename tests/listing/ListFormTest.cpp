#include "listing/ListForm.h"

#include <gtest/gtest.h>

#include "listing/ListFixtures.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::listing {
namespace {

using store::MakeDate;
using test::Sch;
using test::SchLine;

TEST(ListSort, NumericColumnsSortAsNumbers) {
  std::vector<ListRow> rows;
  for (const char* days : {"10", "-3", "", "2", "100"}) {
    ListRow r;
    r.cells = std::vector<std::string>(12, "");
    r.cells[3] = days;
    r.cells[6] = std::string("件名") + days;
    rows.push_back(r);
  }
  SortRows(rows, ListKind::Todo, 3, 1);
  std::vector<std::string> order;
  for (const auto& r : rows) order.push_back(r.cells[3]);
  EXPECT_EQ(order, (std::vector<std::string>{"", "-3", "2", "10", "100"}));
  SortRows(rows, ListKind::Todo, 3, -1);
  EXPECT_EQ(rows.front().cells[3], "100");
  // The same texts in a text column sort as text.
  SortRows(rows, ListKind::Todo, 6, 1);
  EXPECT_EQ(rows[1].cells[6], "件名-3");
  EXPECT_EQ(rows[2].cells[6], "件名10");
  EXPECT_EQ(CompareCells(" 50%", "100%", true), -1);
  EXPECT_EQ(CompareCells("abc", "ABD", false), -1);
}

TEST(ListSort, HeaderClicksTurnTheColumnOverAndSkipTheKeyAndLastColumns) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  folder.Write("202401.sch", test::JoinCrLf({SchLine(Sch{.day = 1, .title = "b"}), SchLine(Sch{.day = 2, .title = "a"}),
                                             SchLine(Sch{.day = 3, .title = "c"})}));
  ListForm form(test::SourceIn(fs, folder, MakeDate(2024, 1, 1)), ListKind::Schedule, ListMode::List);
  form.SetView(2);
  auto titles = [&] {
    std::string t;
    for (const auto& r : form.rows()) t += r.cells[5];
    return t;
  };
  EXPECT_EQ(titles(), "bac");
  EXPECT_FALSE(form.ColumnClick(0));
  EXPECT_FALSE(form.ColumnClick(11));
  const int before = SortState::ColumnDirection(5);
  ASSERT_TRUE(form.ColumnClick(5));
  EXPECT_EQ(form.sort().direction, -before);
  EXPECT_EQ(titles(), before > 0 ? "cba" : "abc");
  ASSERT_TRUE(form.ColumnClick(5));
  EXPECT_EQ(titles(), before > 0 ? "abc" : "cba");
  // A rebuilt list keeps the sort.
  form.Refresh();
  EXPECT_EQ(titles(), before > 0 ? "abc" : "cba");
}

TEST(ListFormStatus, TextsPerViewAndMode) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 1, 9));
  ListForm form(source, ListKind::Schedule, ListMode::List);
  form.Refresh();
  EXPECT_EQ(form.view(), 1);
  EXPECT_EQ(form.StatusText(), "2024年1月9日(火)のスケジュール [0件]");
  form.SetView(2);
  EXPECT_EQ(form.StatusText(), "2024年1月のスケジュール [0件]");
  form.SetView(3);
  EXPECT_EQ(form.StatusText(), "2024年のスケジュール [0件]");
  form.SetView(4);
  EXPECT_EQ(form.StatusText(), "全件のスケジュール [0件]");
  EXPECT_EQ(ListForm::SelectionText(3), "選択 3件");
  EXPECT_EQ(form.Caption(), "スケジュール一覧");

  ListForm exporting(source, ListKind::Weather, ListMode::Export);
  EXPECT_EQ(exporting.view(), 2);
  EXPECT_EQ(exporting.Caption(), "天気情報のエクスポート");
  EXPECT_EQ(exporting.StatusText(),
            "2024年1月の天気情報 [0件]　エクスポートする天気情報を選択し（［Ctrl］キーを押しながらクリック）、"
            "ファイルメニューより処理を選択して下さい。");
  EXPECT_FALSE(exporting.CommandShown(ListCommand::Change));
  EXPECT_TRUE(exporting.CommandShown(ListCommand::ExportCsv));

  ListForm todo(source, ListKind::Todo, ListMode::List);
  EXPECT_EQ(todo.sort().column, 2);
  EXPECT_EQ(todo.StatusText(), "未処理のToDo [0件]");
  EXPECT_TRUE(todo.CommandEnabled(ListCommand::Add, 0));
  ListForm addons(source, ListKind::Addon, ListMode::List);
  EXPECT_EQ(addons.StatusText(), "アドオン [0件]");
  EXPECT_TRUE(addons.CommandEnabled(ListCommand::Add, 0));
}

TEST(ListFormCommands, WhatEachKindOffers) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 1, 9));
  ListForm schedules(source, ListKind::Schedule, ListMode::List);
  EXPECT_FALSE(schedules.CommandEnabled(ListCommand::Change, 0));
  EXPECT_TRUE(schedules.CommandEnabled(ListCommand::Change, 1));
  EXPECT_TRUE(schedules.CommandEnabled(ListCommand::BulkEdit, 1));
  EXPECT_TRUE(schedules.CommandEnabled(ListCommand::ExportVcs, 2));
  ListForm weather(source, ListKind::Weather, ListMode::List);
  EXPECT_FALSE(weather.CommandShown(ListCommand::Delete));
  EXPECT_FALSE(weather.CommandShown(ListCommand::Add));
  EXPECT_FALSE(weather.CommandShown(ListCommand::Copy));
  EXPECT_FALSE(weather.CommandShown(ListCommand::ExportIcs));
  ListForm holidays(source, ListKind::Holiday, ListMode::List);
  EXPECT_TRUE(holidays.CommandShown(ListCommand::ExportIcs));
  EXPECT_FALSE(holidays.CommandShown(ListCommand::ExportCsv));
  EXPECT_FALSE(holidays.CommandShown(ListCommand::BulkEdit));
}

TEST(ListFormEdit, AChangedLineIsRefusedAndTheListReread) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  const std::string line = SchLine(Sch{.day = 9, .title = "元"});
  folder.Write("202401.sch", test::JoinCrLf({line}));
  ListForm form(test::SourceIn(fs, folder, MakeDate(2024, 1, 9)), ListKind::Schedule, ListMode::List);
  form.Refresh();
  const ListRow row = form.rows().at(0);
  auto old = form.ScheduleForEdit(dialogs, row);
  ASSERT_TRUE(old);
  EXPECT_EQ(old->year, 2024);
  EXPECT_EQ(old->month, 1);
  EXPECT_EQ(old->index, 0u);
  EXPECT_EQ(old->line, line);
  folder.Write("202401.sch", test::JoinCrLf({SchLine(Sch{.day = 9, .title = "別"})}));
  EXPECT_FALSE(form.ScheduleForEdit(dialogs, row));
  EXPECT_EQ(dialogs.shown.back().text, store::kStaleMessage);
  EXPECT_EQ(form.rows().at(0).cells[5], "別");
}

TEST(ListFormEdit, AutomaticHolidaysCannotBeChanged) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  ListForm form(test::SourceIn(fs, folder, MakeDate(2030, 1, 1)), ListKind::Holiday, ListMode::List);
  ListRow automatic{{"9999", "2030/03/20(水)", "自動設定", "春分の日", "祝日", "1949", ""}, "", false};
  EXPECT_FALSE(form.HolidayLinesForEdit(dialogs, automatic));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "自動設定した祝日については訂正できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "祝日訂正エラー");
}

}  // namespace
}  // namespace kal::listing
