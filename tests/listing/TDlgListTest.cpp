#include "listing/TDlgList.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "app/TDlgHolidayInput.h"
#include "app/TFrmMain.h"
#include "mainwindow/TDlgMemo.h"
#include "catalogues/TDlgExc.h"
#include "listing/ListFixtures.h"
#include "reminders/TDlgAddonInput.h"
#include "schedule/TDlgSchInput.h"
#include "store/TextFile.h"
#include "todo/TDlgTodoInput.h"
#include "todo/TodoFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::listing {
namespace {

using store::MakeDate;
using test::Sch;
using test::SchLine;
using test::Sjis;

QString Q(const char* s) { return QString::fromUtf8(s); }

QStringList Column(const TDlgList& dlg, int column) {
  QStringList texts;
  for (int i = 0; i < dlg.LtvList->topLevelItemCount(); ++i) texts << dlg.LtvList->topLevelItem(i)->text(column);
  return texts;
}

QStringList Headers(const TDlgList& dlg) {
  QStringList texts;
  for (int i = 0; i < dlg.LtvList->columnCount(); ++i) texts << dlg.LtvList->headerItem()->text(i);
  return texts;
}

class TDlgListTest : public ::testing::Test {
 protected:
  TDlgListTest() {
    jan = {SchLine(Sch{.day = 9, .title = "朝会", .start = "09:00"}), SchLine(Sch{.day = 9, .title = "Lunch", .start = "12:00"}),
           SchLine(Sch{.day = 20, .title = "歯医者", .detail = 1})};
    dir.Write("202401.sch", test::JoinCrLf(jan));
    dir.Write("202401.dtl", test::JoinCrLf({Sjis("001,予約番号 42")}));
    dir.Write("Holiday.dat", test::JoinCrLf({Sjis(" 1 11949    000元日")}));
    dir.WriteLines("20240109.mem", {"メモです"});
    std::vector<std::string> day(32, "00");
    day[9] = "003";
    dir.Write("202401.day", test::JoinCrLf(day));
    session = app::ReadSession(dir.path(), app::kDefaultFontName, files, clock.Now().date).session;
  }
  std::unique_ptr<TDlgList> Make(ListKind kind, ListMode mode = ListMode::List) {
    auto dlg = std::make_unique<TDlgList>(ListPorts{dialogs, files, shell, clock}, session, kind, mode, MakeDate(2024, 1, 9));
    dlg->show();
    return dlg;
  }
  std::vector<std::string> Month() { return store::LoadLines(files, store::MonthFilePath(dir.path(), 2024, 1)); }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{MakeDate(2024, 1, 9), 12, 0, 0}};
  app::Session session;
  std::vector<std::string> jan;
};

TEST_F(TDlgListTest, OpensForEachKindWithItsColumnsViewAndStatus) {
  struct Case {
    ListKind kind;
    const char* caption;
    QStringList headers;
    int rows;
    const char* status;
  };
  const Case cases[] = {
      {ListKind::Schedule, "スケジュール一覧",
       {"No", "開始日", "開始時刻", "終了日", "終了時刻", "件名", "場所", "分類", "ﾒﾓ", "ｱﾗｰﾑ1", "ｱﾗｰﾑ2", "ﾌｧｲﾙ"}, 2,
       "2024年1月9日(火)のスケジュール [2件]"},
      {ListKind::Holiday, "祝日・休日・記念日一覧",
       {"No", "日付", "パターン", "件名", "分類", "適用開始年", "適用終了年"}, -1, nullptr},
      {ListKind::Memo, "メモ一覧", {"No", "日付", "内容"}, 1, "2024年1月のメモ [1件]"},
      {ListKind::Todo, "ToDo一覧",
       {"No", "状況", "期限", "残日数", "開始日", "優先度", "件名", "分類", "進捗", "処理日", "ﾒﾓ", "ﾌｧｲﾙ"}, 0,
       "未処理のToDo [0件]"},
      {ListKind::Weather, "天気情報一覧", {"", "日付", "天気", "最高気温", "最低気温", "降水確率"}, 31,
       "2024年1月の天気情報 [31件]"},
  };
  for (const Case& c : cases) {
    auto dlg = Make(c.kind);
    EXPECT_EQ(dlg->windowTitle(), Q(c.caption));
    EXPECT_EQ(Headers(*dlg), c.headers) << c.caption;
    EXPECT_TRUE(dlg->LtvList->isColumnHidden(0));
    if (c.rows >= 0) {
      EXPECT_EQ(dlg->LtvList->topLevelItemCount(), c.rows) << c.caption;
    }
    if (c.status != nullptr) {
      EXPECT_EQ(dlg->SbrPanel2->text(), Q(c.status));
    }
    EXPECT_FALSE(dlg->PnlFind->isVisible());
    // The export items follow the selection (list views select the first row) and the kind's formats.
    const bool selected = !dlg->LtvList->selectedItems().isEmpty();
    EXPECT_EQ(dlg->MenExportCsv->isEnabled(), selected && c.kind != ListKind::Holiday) << c.caption;
    EXPECT_EQ(dlg->MenExportIcs->isEnabled(), selected && (c.kind == ListKind::Schedule || c.kind == ListKind::Holiday))
        << c.caption;
  }
  auto weather = Make(ListKind::Weather);
  EXPECT_EQ(weather->LtvList->topLevelItem(8)->text(2), Q("雨"));
  EXPECT_FALSE(weather->MenDel->isVisible());
  auto holidays = Make(ListKind::Holiday);
  EXPECT_TRUE(Column(*holidays, 3).contains(Q("元日")));
  EXPECT_TRUE(Column(*holidays, 3).contains(Q("春分の日")));
}

TEST_F(TDlgListTest, ListViewsSelectTheFirstRowAndCountTheSelection) {
  auto dlg = Make(ListKind::Schedule);
  EXPECT_EQ(Column(*dlg, 5), (QStringList{"朝会", "Lunch"}));
  EXPECT_EQ(dlg->SbrPanel1->text(), Q("選択 1件"));
  EXPECT_TRUE(dlg->MenRep->isEnabled());
  dlg->MenView[1]->trigger();
  EXPECT_EQ(dlg->LtvList->topLevelItemCount(), 3);
  dlg->MenSelectAll->trigger();
  EXPECT_EQ(dlg->SbrPanel1->text(), Q("選択 3件"));
  EXPECT_EQ(dlg->SbrPanel2->text(), Q("2024年1月のスケジュール [3件]"));
}

TEST_F(TDlgListTest, SearchFindsRowsAndReportsRefusals) {
  auto dlg = Make(ListKind::Schedule, ListMode::Search);
  EXPECT_EQ(dlg->windowTitle(), Q("スケジュールの検索"));
  EXPECT_TRUE(dlg->PnlFind->isVisible());
  EXPECT_EQ(dlg->LtvList->topLevelItemCount(), 0);

  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "検索条件を入力して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);

  dlg->EdtTitle->setText(QStringLiteral("lunch"));
  dlg->ChkCapital->setChecked(true);
  dlg->BtnOk->click();
  EXPECT_EQ(Column(*dlg, 5), QStringList{"Lunch"});
  EXPECT_EQ(dlg->SbrPanel2->text(), Q("スケジュールの検索結果 [1件]"));

  dlg->EdtTitle->clear();
  dlg->EdtDtl->setText(Q("予約番号"));
  dlg->BtnOk->click();
  EXPECT_EQ(Column(*dlg, 5), QStringList{"歯医者"});

  dlg->EdtDtl->setText(Q("存在しない"));
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->LtvList->topLevelItemCount(), 0);
  EXPECT_EQ(dialogs.shown.back().text, "一致するデータは見つかりませんでした。");
  EXPECT_EQ(dialogs.shown.back().caption, "スケジュールの検索");
  EXPECT_NE(dlg->Modified(), kModified);

  dlg->ChkFromDate->setChecked(true);
  dlg->ChkToDate->setChecked(true);
  dlg->DtpFromDate->setDate(QDate(2024, 2, 1));
  dlg->DtpToDate->setDate(QDate(2024, 1, 1));
  dlg->BtnOk->click();
  EXPECT_EQ(dialogs.shown.back().text, "日付の入力に誤りがあります。");

  dlg->BtnClearClick();
  EXPECT_TRUE(dlg->EdtDtl->text().isEmpty());
  EXPECT_FALSE(dlg->ChkFromDate->isChecked());
}

TEST_F(TDlgListTest, HeaderClicksSortTheList) {
  auto dlg = Make(ListKind::Schedule);
  dlg->MenView[1]->trigger();
  const int before = SortState::ColumnDirection(5);
  dlg->LtvList->header()->sectionClicked(5);
  const QStringList ascending{"Lunch", "朝会", "歯医者"};
  const QStringList descending{"歯医者", "朝会", "Lunch"};
  EXPECT_EQ(Column(*dlg, 5), before > 0 ? descending : ascending);
  EXPECT_EQ(dlg->LtvList->header()->sortIndicatorSection(), 5);
  dlg->LtvList->header()->sectionClicked(5);
  EXPECT_EQ(Column(*dlg, 5), before > 0 ? ascending : descending);
  dlg->LtvList->header()->sectionClicked(0);  // the key column does not sort
  EXPECT_EQ(Column(*dlg, 5), before > 0 ? ascending : descending);
}

TEST_F(TDlgListTest, DeletesTwoSelectedRows) {
  auto dlg = Make(ListKind::Schedule);
  dlg->MenView[1]->trigger();
  dlg->LtvList->clearSelection();
  for (int i : {0, 2}) dlg->LtvList->topLevelItem(i)->setSelected(true);
  ASSERT_TRUE(dlg->MenDel->isEnabled());
  dlg->MenDel->trigger();
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().text, "2件のスケジュールを削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown.back().caption, "スケジュールの削除");
  EXPECT_EQ(Month(), std::vector<std::string>{jan[1]});
  EXPECT_EQ(Column(*dlg, 5), QStringList{"Lunch"});
  EXPECT_EQ(dlg->Modified(), kModified);
  EXPECT_EQ(dir.Read("202401.dtl"), "");  // the memo of 歯医者 went with it
}

TEST_F(TDlgListTest, ChangeOpensTheScheduleEntryDialogOnTheRow) {
  auto dlg = Make(ListKind::Schedule);
  dlg->LtvList->setCurrentItem(dlg->LtvList->topLevelItem(1));
  QString caption, title;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* entry = qobject_cast<schedule::TDlgSchInput*>(test::FindModal());
    if (entry == nullptr) return;
    caption = entry->windowTitle();
    title = entry->CmbTitle->currentText();
    entry->CmbTitle->lineEdit()->setText(QStringLiteral("Lunch meeting"));
    entry->BtnOk->click();
  });
  dlg->MenRep->trigger();
  EXPECT_EQ(caption, Q("スケジュールの訂正"));
  EXPECT_EQ(title, QStringLiteral("Lunch"));
  EXPECT_EQ(dlg->Modified(), kModified);
  EXPECT_EQ(Column(*dlg, 5), (QStringList{"朝会", "Lunch meeting"}));
}

TEST_F(TDlgListTest, AChangeOfAnAutomaticHolidayIsRefused) {
  auto dlg = Make(ListKind::Holiday);
  for (int i = 0; i < dlg->LtvList->topLevelItemCount(); ++i)
    if (dlg->LtvList->topLevelItem(i)->text(3) == Q("春分の日")) dlg->LtvList->setCurrentItem(dlg->LtvList->topLevelItem(i));
  dlg->MenRep->trigger();
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().text, "自動設定した祝日については訂正できません。");
  EXPECT_EQ(dialogs.shown.back().caption, "祝日訂正エラー");
}

TEST_F(TDlgListTest, BulkEditOfTheSelectedSchedules) {
  auto dlg = Make(ListKind::Schedule);
  dlg->MenView[1]->trigger();
  dlg->MenSelectAll->trigger();
  QString caption;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* exc = qobject_cast<catalogues::TDlgExc*>(test::FindModal());
    if (exc == nullptr) return;
    caption = exc->windowTitle();
    exc->CmbItem->setCurrentIndex(4);  // 分類
    exc->CmbRep->setEditText(Q("私用"));
    exc->BtnOk->click();
  });
  dlg->MenExc->trigger();
  EXPECT_EQ(caption, Q("スケジュール一括訂正 - 選択 3件"));
  EXPECT_EQ(dialogs.shown.back().text, "3件のスケジュールの「分類」を \"私用\" に変更します。\n処理を開始しますか？");
  EXPECT_EQ(Column(*dlg, 7), (QStringList{"私用", "私用", "私用"}));
  EXPECT_EQ(dlg->Modified(), kModified);
}

TEST_F(TDlgListTest, TheMainWindowsListCommandsOpenTheDialog) {
  app::TFrmMain main(app::MainWindowPorts{dialogs, shell, files, clock}, session);
  const struct {
    const char* name;
    const char* caption;
  } commands[] = {{"MenSchList", "スケジュール一覧"},     {"MenHolidayList", "祝日・休日・記念日一覧"},
                  {"MenMemoList", "メモ一覧"},            {"MenTodoList", "ToDo一覧"},
                  {"MenWeatherList", "天気情報一覧"},     {"MenSearch", "スケジュールの検索"},
                  {"MenExport", "スケジュールのエクスポート"}};
  for (const auto& c : commands) {
    QString caption;
    int selected = -1;
    QTimer::singleShot(0, [&] {
      test::WaitUntil([&] { return test::FindModal() != nullptr; });
      if (auto* list = qobject_cast<TDlgList*>(test::FindModal())) {
        caption = list->windowTitle();
        selected = static_cast<int>(list->SelectedRows().size());
        list->reject();
      }
    });
    QAction* a = main.Action(QString::fromLatin1(c.name));
    ASSERT_TRUE(a->isEnabled()) << c.name;
    a->trigger();
    EXPECT_EQ(caption, Q(c.caption)) << c.name;
    // Export mode opens on the month with every row selected.
    if (std::string(c.name) == "MenExport") {
      EXPECT_EQ(selected, 3);
    }
  }
}

TEST_F(TDlgListTest, ExportModeWritesTheSelectedSchedulesToTheChosenFile) {
  auto dlg = Make(ListKind::Schedule, ListMode::Export);
  EXPECT_EQ(dlg->windowTitle(), Q("スケジュールのエクスポート"));
  EXPECT_EQ(Column(*dlg, 5), (QStringList{Q("朝会"), Q("Lunch"), Q("歯医者")}));
  ASSERT_EQ(dlg->LtvList->selectedItems().size(), 3);
  for (QAction* editing : {dlg->MenAdd, dlg->MenRep, dlg->MenDel, dlg->MenCopy, dlg->MenExc})
    EXPECT_FALSE(editing->isVisible()) << editing->objectName().toStdString();
  dlg->LtvList->topLevelItem(1)->setSelected(false);  // Lunch stays behind
  ASSERT_TRUE(dlg->MenExportCsv->isEnabled());

  const std::string path = dir.path() + "Sch.csv";
  dialogs.file_names.push_back(path);
  dlg->MenExportCsv->trigger();
  ASSERT_EQ(dialogs.choosers.size(), 1u);
  EXPECT_EQ(dialogs.choosers[0].title, "CSV形式で保存");
  EXPECT_EQ(dialogs.choosers[0].filter, "CSV (カンマ区切り) (*.csv)| *.csv|すべてのファイル (*.*)|*.*");
  EXPECT_EQ(dialogs.choosers[0].initial, session.folders.data + "Sch.csv");
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text;
  // The two rows in list order, the memo of 歯医者 from the detail file (its two comma-text items
  // are two memo lines, joined by LF inside the field); CP932, CR LF.
  EXPECT_EQ(dir.Read("Sch.csv"),
            Sjis("\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\",\r\n"
                 "\"2024/01/09\",\"09:00\",\"2024/01/09\",\"\",\"朝会\",\"\",\"\",\"\",\r\n"
                 "\"2024/01/20\",\"\",\"2024/01/20\",\"\",\"歯医者\",\"\",\"\",\"予約番号\n42\",\r\n"));

  // The same file again: the overwrite question; No keeps the file as it was.
  const std::string before = dir.Read("Sch.csv");
  dialogs.file_names.push_back(path);
  dialogs.answers.push_back(platform::MsgAnswer::No);
  dlg->LtvList->topLevelItem(0)->setSelected(false);
  dlg->MenExportIcs->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "'Sch.csv' を上書きしますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "ファイルの保存");
  EXPECT_EQ(dir.Read("Sch.csv"), before);

  // A cancelled chooser writes nothing; with no row selected the items are disabled.
  dialogs.file_names.push_back(std::nullopt);
  dlg->MenExportVcs->trigger();
  EXPECT_FALSE(dir.Exists("Sch.vcs"));
  dlg->LtvList->clearSelection();
  EXPECT_FALSE(dlg->MenExportCsv->isEnabled());
  EXPECT_FALSE(dlg->MenExportVcs->isEnabled());
}

TEST_F(TDlgListTest, AnExportOfARowChangedSinceListingIsRefused) {
  auto dlg = Make(ListKind::Schedule, ListMode::Export);
  ASSERT_EQ(dlg->LtvList->selectedItems().size(), 3);
  dir.Write("202401.sch", test::JoinCrLf({jan[1], jan[2]}));  // 朝会 went elsewhere meanwhile
  dialogs.file_names.push_back(dir.path() + "Sch.vcs");
  dlg->MenExportVcs->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "スケジュールが他で変更されています。\n最新の情報に更新してから操作して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "エクスポート");
  EXPECT_FALSE(dir.Exists("Sch.vcs"));
}

TEST_F(TDlgListTest, AMonthMemoRowOpensTheMemoDialogAndAnEmptiedMemoGoes) {
  dir.WriteLines("202401.mem", {"月のメモ"});
  auto dlg = Make(ListKind::Memo);
  dlg->SetView(kViewAll);
  ASSERT_EQ(Column(*dlg, 0), (QStringList{QStringLiteral("202401"), QStringLiteral("20240109")}));
  ASSERT_TRUE(dlg->MenRep->isEnabled());
  dlg->LtvList->setCurrentItem(dlg->LtvList->topLevelItem(0));
  QString caption, text;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* memo = qobject_cast<mainwindow::TDlgMemo*>(test::FindModal());
    if (memo == nullptr) {
      if (test::FindModal() != nullptr) test::FindModal()->close();
      return;
    }
    caption = memo->windowTitle();
    text = memo->MemText->toPlainText();
    memo->MemText->clear();
    memo->BtnOk->click();
  });
  dlg->MenRep->trigger();
  EXPECT_EQ(caption, Q("2024年1月のメモ"));
  EXPECT_EQ(text, Q("月のメモ\n"));
  EXPECT_FALSE(dir.Exists("202401.mem"));
  EXPECT_EQ(dlg->Modified(), kModified);
  EXPECT_EQ(Column(*dlg, 0), QStringList{QStringLiteral("20240109")});
}

TEST_F(TDlgListTest, AddonCheckBoxesAreStoredAtCloseAndTheEntryDialogOpensOnTheRow) {
  dir.Write("Addon.lst", "KIDOU11 /bin/true\r\nSTART00 /bin/sync\r\n");
  auto dlg = Make(ListKind::Addon);
  EXPECT_EQ(dlg->windowTitle(), Q("アドオン一覧"));
  ASSERT_EQ(Column(*dlg, 1), (QStringList{Q("有効"), Q("無効")}));
  EXPECT_EQ(Column(*dlg, 2), (QStringList{Q("起動前"), Q("起動後")}));
  EXPECT_FALSE(dlg->LtvList->isColumnHidden(0));
  EXPECT_FALSE(dlg->CmbFile->isVisible());

  // A toggled box: the state text at once, the file before the entry dialog opens.
  dlg->LtvList->topLevelItem(1)->setCheckState(0, Qt::Checked);
  EXPECT_EQ(dlg->LtvList->topLevelItem(1)->text(1), Q("有効"));
  EXPECT_EQ(dir.Read("Addon.lst"), "KIDOU11 /bin/true\r\nSTART00 /bin/sync\r\n");
  dlg->LtvList->setCurrentItem(dlg->LtvList->topLevelItem(1));
  QString caption, program;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* entry = qobject_cast<reminders::TDlgAddonInput*>(test::FindModal());
    if (entry == nullptr) {
      if (test::FindModal() != nullptr) test::FindModal()->close();
      return;
    }
    caption = entry->windowTitle();
    program = entry->EdtProgram->text();
    entry->BtnCancel->click();
  });
  dlg->MenRep->trigger();
  EXPECT_EQ(dir.Read("Addon.lst"), "KIDOU11 /bin/true\r\nSTART10 /bin/sync\r\n");
  EXPECT_EQ(caption, Q("アドオンの訂正"));
  EXPECT_EQ(program, QStringLiteral("/bin/sync"));
  EXPECT_EQ(dlg->Modified(), kModified);

  // Unticked and closed: written at closing.
  dlg->LtvList->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  dlg->reject();
  EXPECT_EQ(dir.Read("Addon.lst"), "KIDOU01 /bin/true\r\nSTART10 /bin/sync\r\n");
}

TEST_F(TDlgListTest, AnAddonListChangedElsewhereIsNotOverwritten) {
  dir.Write("Addon.lst", "KIDOU11 /bin/true\r\n");
  auto dlg = Make(ListKind::Addon);
  dlg->LtvList->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  dir.Write("Addon.lst", "CALEN11 /bin/date\r\n");
  dlg->reject();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "アドオン一覧が他で変更されています。\n最新の情報に更新してから操作して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dir.Read("Addon.lst"), "CALEN11 /bin/date\r\n");
}

class TDlgListTodoTest : public TDlgListTest {
 protected:
  TDlgListTodoTest() {
    auto record = [](const char* subject, int day, int memo) {
      todo::TodoFields f;
      f.limit = MakeDate(2024, 1, day);
      f.subject = subject;
      f.category = "仕事";
      f.memo = memo;
      return todo::BuildTodoRecord(f).line;
    };
    records = {record("報告書", 12, 1), record("電話", 15, 0)};
    EXPECT_EQ(session.folders.todo, dir.path());  // the ToDo files live in the program folder
    dir.Write("Todokl.dat", test::JoinCrLf(records));
    dir.Write("Todokl.dtl", test::JoinCrLf({Sjis("0001,表紙,目次")}));
  }
  std::string Todo() { return dir.Read("Todokl.dat"); }
  std::vector<std::string> records;
};

TEST_F(TDlgListTodoTest, ChangeOpensTheToDoEntryDialogOnTheRow) {
  auto dlg = Make(ListKind::Todo);
  ASSERT_EQ(Column(*dlg, 6), (QStringList{Q("報告書"), Q("電話")}));
  EXPECT_TRUE(dlg->MenAdd->isEnabled());
  EXPECT_TRUE(dlg->MenCopy->isEnabled());
  dlg->LtvList->setCurrentItem(dlg->LtvList->topLevelItem(0));
  QString caption, subject, memo;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* entry = qobject_cast<todo::TDlgTodoInput*>(test::FindModal());
    if (entry == nullptr) {
      if (test::FindModal() != nullptr) test::FindModal()->close();
      return;
    }
    caption = entry->windowTitle();
    subject = entry->CmbTitle->currentText();
    memo = entry->MemTodo->toPlainText();
    entry->CmbTitle->lineEdit()->setText(Q("報告書の提出"));
    entry->BtnOk->click();
  });
  dlg->MenRep->trigger();
  EXPECT_EQ(caption, Q("ToDoの訂正"));
  EXPECT_EQ(subject, Q("報告書"));
  EXPECT_EQ(memo, Q("表紙\n目次"));
  EXPECT_EQ(dlg->Modified(), kModified);
  EXPECT_EQ(Column(*dlg, 6), (QStringList{Q("報告書の提出"), Q("電話")}));
  const auto stored = store::SplitLines(Todo());
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(todo::TodoSubject(stored[0]), "報告書の提出");
  EXPECT_EQ(stored[1], records[1]);
}

TEST_F(TDlgListTodoTest, AChangedRecordIsRefusedBeforeTheDialogOpens) {
  auto dlg = Make(ListKind::Todo);
  dir.Write("Todokl.dat", test::JoinCrLf({records[1], records[0]}));
  dlg->LtvList->setCurrentItem(dlg->LtvList->topLevelItem(0));
  bool opened = false;
  // A timer of this test's own: when no dialog opens it must not fire in a later test.
  QTimer watch;
  watch.setSingleShot(true);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (QWidget* modal = test::FindModal()) {
      opened = true;
      modal->close();
    }
  });
  watch.start(0);
  dlg->MenRep->trigger();
  EXPECT_FALSE(opened);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "ToDoが他で変更されています。\n最新の情報に更新してから操作して下さい。");
  // The list was read again.
  EXPECT_EQ(Column(*dlg, 6), (QStringList{Q("報告書"), Q("電話")}));
  EXPECT_EQ(dlg->LtvList->topLevelItem(0)->text(0), QStringLiteral("1"));
}

TEST_F(TDlgListTodoTest, ACsvExportCarriesTheItemsMemo) {
  auto dlg = Make(ListKind::Todo);
  dlg->LtvList->selectAll();
  dialogs.file_names.push_back(dir.path() + "Todo.csv");
  dlg->MenExportCsv->trigger();
  EXPECT_EQ(dialogs.choosers.at(0).initial, session.folders.todo + "Todo.csv");
  EXPECT_EQ(dir.Read("Todo.csv"),
            Sjis("状況,期限,開始日,優先度,件名,分類,進捗,処理日,ﾒﾓ,内容\r\n"
                 "未処理,2024/01/12,,A,報告書,仕事,0%,,有,\"表紙\n目次\"\r\n"
                 "未処理,2024/01/15,,A,電話,仕事,0%,,,\r\n"));
}

}  // namespace
}  // namespace kal::listing
