#include "todo/TDlgTodoInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"

namespace kal::todo {
namespace {

using test::Sjis;

QString Q(const char* s) { return QString::fromUtf8(s); }
Date D(int y, int m, int d) { return store::MakeDate(y, m, d); }
std::string Blanks(std::size_t n) { return std::string(n, ' '); }

class TDlgTodoInputTest : public ::testing::Test {
 protected:
  TDlgTodoInputTest() {
    dir.Write("Category.tbl", Sjis("仕事") + Blanks(10) + "1 " + "00000000" + "16777215" + "\r\n" + Sjis("私用") +
                                  Blanks(10) + "1 " + "00000255" + "00065280" + "\r\n");
    records = {"2024/05/01" + Blanks(10) + "2030" + "2024/05/01" + Sjis("私用") + Blanks(10) + "0001" + Blanks(4) +
                   Sjis("請求書"),
               Sjis("期限なし  ") + Blanks(10) + "0000" + "2024/05/01" + Blanks(14) + "0000" + Blanks(4) + "later"};
    dir.Write("Todokl.dat", store::JoinLines(records));
    dir.Write("Todokl.dtl", Sjis("0001,宛先,金額\r\n"));
    session = app::ReadSession(dir.path(), app::kDefaultFontName, files, clock.Now().date).session;
  }

  std::unique_ptr<TDlgTodoInput> Make(TodoEntryKind kind, std::optional<std::size_t> index = std::nullopt) {
    TodoOpenRequest request;
    request.kind = kind;
    request.date = D(2024, 5, 20);
    std::vector<std::string> memo;
    if (index) {
      request.source = TodoRef{*index, records[*index]};
      memo = TodoMemoOf(LoadTodoMemos(files, dir.path()), TodoMemoNumber(records[*index]));
    }
    auto dlg = std::make_unique<TDlgTodoInput>(TodoInputPorts{dialogs, files, shell, processes, clock}, session,
                                               OpenTodoForm(request, clock.Now().date, memo, 1));
    dlg->show();
    return dlg;
  }
  std::vector<std::string> Stored() { return store::SplitLines(dir.Read("Todokl.dat")); }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  test::FakeProcesses processes;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{D(2024, 5, 10), 12, 0, 0}};
  app::Session session;
  std::vector<std::string> records;
};

TEST_F(TDlgTodoInputTest, ANewItemIsStoredSortedOnOk) {
  auto dlg = Make(TodoEntryKind::New);
  EXPECT_EQ(dlg->windowTitle(), Q("ToDoの追加"));
  EXPECT_EQ(dlg->DtpLimitDate->date(), QDate(2024, 5, 20));
  EXPECT_TRUE(dlg->ChkNoStart->isChecked());
  EXPECT_FALSE(dlg->DtpStartDate->isEnabled());
  EXPECT_EQ(dlg->CmbBunrui->currentText(), Q("仕事"));
  EXPECT_EQ(dlg->CmbPri->currentText(), Q("A"));
  EXPECT_FALSE(dlg->ChkTask->isEnabled());
  EXPECT_FALSE(dlg->ChkRepeat->isHidden());
  EXPECT_TRUE(dlg->GrpRepeat->isHidden());
  EXPECT_EQ(dlg->CmbTitle->count(), 2);  // the list's subjects

  dlg->CmbTitle->lineEdit()->setText(Q("見積書"));
  dlg->CmbPri->setCurrentIndex(1);
  dlg->TrkProgress->setValue(4);
  EXPECT_EQ(dlg->LblProgress->text(), Q("40%"));
  dlg->MemTodo->setPlainText(Q("一行目\n二行目"));
  dlg->BtnOk->click();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  const std::string added = "2024/05/20" + Blanks(10) + "1040" + "2024/05/20" + Sjis("仕事") + Blanks(10) + "0002" +
                            Blanks(4) + Sjis("見積書");
  EXPECT_EQ(Stored(), (std::vector<std::string>{records[0], added, records[1]}));
  EXPECT_EQ(dir.Read("Todokl.dtl"), Sjis("0001,宛先,金額\r\n0002,一行目,二行目\r\n"));
}

TEST_F(TDlgTodoInputTest, ARefusedCheckKeepsTheDialogOpenWithTheFocusOnTheField) {
  auto dlg = Make(TodoEntryKind::New);
  dlg->activateWindow();
  dlg->ChkNoStart->setChecked(false);
  dlg->DtpStartDate->setDate(QDate(2024, 5, 21));
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "件名が未入力です。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  QWidget* focus = dlg->focusWidget();
  EXPECT_TRUE(focus == dlg->CmbTitle || focus == dlg->CmbTitle->lineEdit());

  dlg->CmbTitle->lineEdit()->setText(Q("x"));
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, "期限 ≧ 開始日でなければなりません。");
  EXPECT_NE(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Stored(), records);
}

TEST_F(TDlgTodoInputTest, AChangeShowsTheRecordAndReplacesIt) {
  auto dlg = Make(TodoEntryKind::Edit, 0);
  EXPECT_EQ(dlg->windowTitle(), Q("ToDoの訂正"));
  EXPECT_EQ(dlg->CmbTitle->currentText(), Q("請求書"));
  EXPECT_EQ(dlg->CmbBunrui->currentText(), Q("私用"));
  EXPECT_EQ(dlg->CmbPri->currentText(), Q("C"));
  EXPECT_EQ(dlg->TrkProgress->value(), 3);
  EXPECT_EQ(dlg->MemTodo->toPlainText(), Q("宛先\n金額"));
  EXPECT_TRUE(dlg->ChkRepeat->isHidden());
  EXPECT_TRUE(dlg->ChkTask->isEnabled());
  EXPECT_EQ(dlg->DtpOkDate->date(), QDate(2024, 5, 10));  // not done: today

  dlg->ChkTask->setChecked(true);
  dlg->CmbTitle->lineEdit()->setText(Q("請求書送付"));
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  const auto stored = Stored();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0], "2024/05/01" + Blanks(10) + "2031" + "2024/05/10" + Sjis("私用") + Blanks(10) + "0001" +
                           Blanks(4) + Sjis("請求書送付"));
  EXPECT_EQ(dir.Read("Todokl.dtl"), Sjis("0001,宛先,金額\r\n"));
}

TEST_F(TDlgTodoInputTest, ACopyGetsItsOwnMemoAndTheSourceStays) {
  auto dlg = Make(TodoEntryKind::Copy, 0);
  EXPECT_EQ(dlg->windowTitle(), Q("ToDoのコピー"));
  EXPECT_FALSE(dlg->ChkTask->isChecked());
  EXPECT_FALSE(dlg->ChkRepeat->isHidden());
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  const auto stored = Stored();
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0], records[0]);
  EXPECT_EQ(TodoMemoNumber(stored[1]), 2);
  EXPECT_EQ(TodoSubject(stored[1]), "請求書");
  EXPECT_EQ(dir.Read("Todokl.dtl"), Sjis("0001,宛先,金額\r\n0002,宛先,金額\r\n"));
}

TEST_F(TDlgTodoInputTest, ARepetitionShowsItsCountAndStoresEachItem) {
  auto dlg = Make(TodoEntryKind::New);
  dlg->CmbTitle->lineEdit()->setText(Q("週報"));
  dlg->ChkRepeat->setChecked(true);
  EXPECT_FALSE(dlg->GrpRepeat->isHidden());
  EXPECT_FALSE(dlg->DtpLimitDate->isEnabled());
  EXPECT_EQ(dlg->DtpToTod->date(), QDate(2025, 5, 20));  // one year from the start box
  dlg->CmbPattern->setCurrentIndex(0);                     // 週
  EXPECT_FALSE(dlg->CmbWeek->isHidden());
  EXPECT_TRUE(dlg->CmbDay->isHidden());
  dlg->CmbWeek->setCurrentIndex(5);  // 金曜日
  dlg->DtpToTod->setDate(QDate(2024, 6, 14));
  EXPECT_EQ(dlg->LblEdit->text(), Q("まで 4件"));  // 24 and 31 May, 7 and 14 June
  dlg->CmbFurikae->setCurrentIndex(3);  // 登録しない
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "振替条件を選択して下さい。");
  dlg->CmbFurikae->setCurrentIndex(0);
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  ASSERT_EQ(dlg->Stored().size(), 4u);
  EXPECT_EQ(TodoLimit(dlg->Stored()[3]), D(2024, 6, 14));
  EXPECT_EQ(Stored().size(), 6u);

  // Ticking 期限なし hides the repetition.
  auto other = Make(TodoEntryKind::New);
  other->ChkRepeat->setChecked(true);
  other->ChkNoLimit->setChecked(true);
  EXPECT_TRUE(other->ChkRepeat->isHidden());
  EXPECT_TRUE(other->GrpRepeat->isHidden());
}

TEST_F(TDlgTodoInputTest, OpeningALinkNeverGoesThroughAShell) {
  dir.Write("doc.txt", "x");
  auto dlg = Make(TodoEntryKind::New);
  dlg->EdtFileLink->setText(QString::fromStdString(dir / "doc.txt"));
  dlg->BtnFileOpen->click();
  EXPECT_EQ(shell.opened, std::vector<std::string>{dir / "doc.txt"});
  dlg->EdtFileLink->setText(QStringLiteral("/bin/echo \"two words\" x"));
  dlg->BtnFileOpen->click();
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].program, "/bin/echo");
  EXPECT_EQ(processes.started[0].arguments, (std::vector<std::string>{"two words", "x"}));
  dlg->EdtFileLink->setText(QStringLiteral("/nowhere/a.txt; rm -rf /"));
  dlg->BtnFileOpen->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "ファイル「/nowhere/a.txt; rm -rf /」が見つかりません。");
  EXPECT_EQ(shell.opened.size(), 1u);
}

}  // namespace
}  // namespace kal::todo
