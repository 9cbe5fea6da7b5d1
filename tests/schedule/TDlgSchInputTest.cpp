#include "schedule/TDlgSchInput.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/TFrmMain.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::schedule {
namespace {

using platform::MsgAnswer;
using store::MakeDate;
using test::Sjis;

std::string Pad(const std::string& cp932, std::size_t width) {
  std::string s = cp932;
  s.resize(width, ' ');
  return s;
}

QString Q(const char* s) { return QString::fromUtf8(s); }

class TDlgSchInputTest : public ::testing::Test {
 protected:
  TDlgSchInputTest() {
    dir.Write("Category.tbl", Pad(Sjis("仕事"), 14) + "1 " + "00000000" + "16777215" + "\r\n" + Pad(Sjis("旅行"), 14) +
                                  "1 " + "00000255" + "00065280" + "\r\n");
    session = app::ReadSession(dir.path(), app::kDefaultFontName, files, clock.Now().date).session;
  }

  std::unique_ptr<TDlgSchInput> Make(EntryMode mode, store::Date date,
                                     std::optional<store::OldSchedule> source = std::nullopt) {
    OpenRequest request;
    request.mode = mode;
    request.date = date;
    request.source = std::move(source);
    auto dlg = std::make_unique<TDlgSchInput>(SchInputPorts{dialogs, files, shell, clock}, session, request);
    dlg->show();
    return dlg;
  }

  std::vector<std::string> Month(int y, int m) {
    return store::LoadLines(files, store::MonthFilePath(dir.path(), y, m));
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{MakeDate(2024, 5, 10), 12, 0, 0}};
  app::Session session;
};

TEST_F(TDlgSchInputTest, ANewScheduleIsStoredOnOk) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 20));
  EXPECT_EQ(dlg->windowTitle(), Q("スケジュールの追加"));
  EXPECT_EQ(dlg->DtpSchFromDate->date(), QDate(2024, 5, 20));
  EXPECT_FALSE(dlg->DtpSchToDate->isEnabled());
  EXPECT_EQ(dlg->CmbBunrui->currentText(), Q("仕事"));
  EXPECT_EQ(dlg->CmbAlarm1->itemText(0), Q("----"));
  EXPECT_EQ(dlg->CmbAlarm1->itemText(9), Q("1 時間"));
  EXPECT_EQ(dlg->LblSample->text(), Q("登録日の背景色:"));
  EXPECT_EQ(dlg->CmbSample->count(), 5);
  EXPECT_FALSE(dlg->ChkRepeat->isHidden());
  EXPECT_TRUE(dlg->GrpRepeat->isHidden());

  dlg->CmbStrhhmm->setEditText(QStringLiteral("9:30"));
  dlg->CmbTitle->lineEdit()->setText(Q("歯医者"));
  dlg->CmbPlace->lineEdit()->setText(Q("駅前"));
  dlg->CmbBunrui->setCurrentIndex(1);
  dlg->ChkBold->setChecked(true);
  dlg->ChkAlarm->setChecked(true);
  EXPECT_TRUE(dlg->CmbAlarm1->isEnabled());
  dlg->CmbAlarm1->setCurrentIndex(5);
  dlg->MemSch->setPlainText(Q("保険証\n診察券"));
  dlg->CmbSample->setCurrentIndex(1);  // 休日
  dlg->BtnOk->click();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Month(2024, 5), std::vector<std::string>{"2009:30     " + Pad(Sjis("旅行"), 14) + "1050" +
                                                     Pad(Sjis("歯医者"), 40) + Pad(Sjis("駅前"), 40) + "001"});
  EXPECT_EQ(dir.Read("202405.dtl"), Sjis("001,保険証,診察券\r\n"));
  EXPECT_EQ(store::LoadLines(files, dir / "202405.day").at(20), "05");
  ASSERT_EQ(dlg->Stored().size(), 1u);
  EXPECT_EQ(dlg->Stored()[0].index, 0u);
}

TEST_F(TDlgSchInputTest, ARefusedCheckKeepsTheDialogOpenWithTheFocusOnTheField) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 20));
  dlg->activateWindow();
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "件名が未入力です。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_NE(dlg->result(), QDialog::Accepted);
  QWidget* focus = dlg->focusWidget();
  EXPECT_TRUE(focus == dlg->CmbTitle || focus == dlg->CmbTitle->lineEdit());
  EXPECT_FALSE(dir.Exists("202405.sch"));
}

TEST_F(TDlgSchInputTest, APastAlarmQuestionAnsweredYesGoesBackToTheStartTime) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 10));
  dlg->CmbTitle->lineEdit()->setText(QStringLiteral("x"));
  dlg->CmbStrhhmm->setEditText(QStringLiteral("09:00"));
  dlg->ChkAlarm->setChecked(true);
  dlg->CmbAlarm1->setCurrentIndex(1);
  dialogs.answers = {MsgAnswer::Yes};
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "警告");
  EXPECT_NE(dlg->result(), QDialog::Accepted);
  EXPECT_FALSE(dir.Exists("202405.sch"));
  dialogs.answers = {MsgAnswer::No};
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Month(2024, 5), std::vector<std::string>{"1009:00     " + Pad(Sjis("仕事"), 14) + "0010x"});
}

TEST_F(TDlgSchInputTest, ADateBeforeTodayDisablesTheAlarm) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 20));
  EXPECT_TRUE(dlg->ChkAlarm->isEnabled());
  dlg->DtpSchFromDate->setDate(QDate(2024, 5, 1));
  EXPECT_FALSE(dlg->ChkAlarm->isEnabled());
  EXPECT_FALSE(dlg->ChkAlarm->isChecked());
  EXPECT_EQ(dlg->DtpSchToDate->date(), QDate(2024, 5, 1));
}

TEST_F(TDlgSchInputTest, OpeningTheEndTimeListLiftsAnEarlierEndTime) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 20));
  dlg->CmbStrhhmm->setEditText(QStringLiteral("10:00"));
  dlg->CmbEndhhmm->setEditText(QStringLiteral("09:30"));
  dlg->CmbEndhhmm->showPopup();
  dlg->CmbEndhhmm->hidePopup();
  EXPECT_EQ(dlg->CmbEndhhmm->currentText(), QStringLiteral("10:00"));
  dlg->CmbEndhhmm->setEditText(QStringLiteral("11:00"));
  dlg->CmbEndhhmm->showPopup();
  dlg->CmbEndhhmm->hidePopup();
  EXPECT_EQ(dlg->CmbEndhhmm->currentText(), QStringLiteral("11:00"));
}

TEST_F(TDlgSchInputTest, ATitleTypedBeyondFortyBytesIsCutAtACharacterBoundary) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 20));
  dlg->CmbTitle->lineEdit()->setText(QString(39, QLatin1Char('a')) + Q("あ"));
  EXPECT_EQ(dlg->CmbTitle->currentText(), QString(39, QLatin1Char('a')));
  EXPECT_EQ(dlg->Form().title, std::string(39, 'a'));
}

TEST_F(TDlgSchInputTest, ChangingAScheduleReplacesItsLineAndOffersNoRepetition) {
  const std::string line = "0708:00     " + Pad(Sjis("仕事"), 14) + "0000" + Sjis("朝会");
  dir.Write("202405.sch", line + "\r\n" + "09          " + Pad(Sjis("仕事"), 14) + "0000other\r\n");
  auto dlg = Make(EntryMode::Change, MakeDate(2024, 5, 7), store::OldSchedule{2024, 5, 0, line});
  EXPECT_EQ(dlg->windowTitle(), Q("スケジュールの訂正"));
  EXPECT_TRUE(dlg->ChkRepeat->isHidden());
  EXPECT_EQ(dlg->CmbTitle->currentText(), Q("朝会"));
  EXPECT_EQ(dlg->CmbStrhhmm->currentText(), QStringLiteral("08:00"));
  // The history of the month is in the title list.
  EXPECT_GE(dlg->CmbTitle->findText(QStringLiteral("other")), 0);
  dlg->CmbTitle->lineEdit()->setText(Q("朝礼"));
  dlg->DtpSchFromDate->setDate(QDate(2024, 5, 8));
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Month(2024, 5), (std::vector<std::string>{"0808:00     " + Pad(Sjis("仕事"), 14) + "0000" + Sjis("朝礼"),
                                                      "09          " + Pad(Sjis("仕事"), 14) + "0000other"}));
}

TEST_F(TDlgSchInputTest, AChangeOfALineChangedElsewhereClosesTheDialogForAReload) {
  const std::string line = "07          " + Pad(Sjis("仕事"), 14) + "0000" + Sjis("朝会");
  auto dlg = Make(EntryMode::Change, MakeDate(2024, 5, 7), store::OldSchedule{2024, 5, 0, line});
  dir.Write("202405.sch", "07          " + Pad(Sjis("仕事"), 14) + "0000" + Sjis("朝礼") + "\r\n");
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, store::kStaleMessage);
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
  EXPECT_TRUE(dlg->NeedsReload());
  EXPECT_EQ(Month(2024, 5), std::vector<std::string>{"07          " + Pad(Sjis("仕事"), 14) + "0000" + Sjis("朝礼")});
}

TEST_F(TDlgSchInputTest, CopyingAScheduleKeepsTheOriginalAndOffersRepetition) {
  const std::string line = "07          " + Pad(Sjis("仕事"), 14) + "0000" + Pad(Sjis("朝会"), 40) + Pad("", 40) + "001";
  dir.Write("202405.sch", line + "\r\n");
  dir.Write("202405.dtl", Sjis("001,議題\r\n"));
  auto dlg = Make(EntryMode::Copy, MakeDate(2024, 5, 7), store::OldSchedule{2024, 5, 0, line});
  EXPECT_EQ(dlg->windowTitle(), Q("スケジュールのコピー"));
  EXPECT_FALSE(dlg->ChkRepeat->isHidden());
  EXPECT_EQ(dlg->MemSch->toPlainText(), Q("議題"));
  dlg->DtpSchFromDate->setDate(QDate(2024, 6, 3));
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Month(2024, 5), std::vector<std::string>{line});
  EXPECT_EQ(Month(2024, 6), std::vector<std::string>{"03" + line.substr(2)});
  EXPECT_EQ(dir.Read("202406.dtl"), Sjis("001,議題\r\n"));
  EXPECT_EQ(dir.Read("202405.dtl"), Sjis("001,議題\r\n"));
}

TEST_F(TDlgSchInputTest, AMonthlySeriesStoresEveryOccurrence) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 10));
  dlg->CmbTitle->lineEdit()->setText(Q("定例"));
  dlg->ChkRepeat->setChecked(true);
  EXPECT_FALSE(dlg->GrpRepeat->isHidden());
  EXPECT_FALSE(dlg->DtpSchFromDate->isEnabled());
  EXPECT_EQ(dlg->CmbPattern->currentText(), Q("月"));
  EXPECT_EQ(dlg->LblEdit->text(), Q("まで 1件")) << "the period ends where it starts until it is set";
  dlg->CmbPattern->setCurrentIndex(0);  // 日
  EXPECT_EQ(dlg->SpnDay2->value(), 10);
  EXPECT_FALSE(dlg->SpnDay2->isHidden());
  dlg->CmbPattern->setCurrentIndex(2);  // 月: one year on
  EXPECT_EQ(dlg->DtpToSch->date(), QDate(2025, 5, 10));
  EXPECT_TRUE(dlg->SpnDay2->isHidden());
  EXPECT_EQ(dlg->CmbDay->currentText(), Q("10日"));
  EXPECT_EQ(dlg->LblEdit->text(), Q("まで 13件"));
  dlg->CmbCycle->setCurrentIndex(1);  // 曜日指定: the second Friday
  EXPECT_EQ(dlg->CmbDay->currentText(), Q("第 2"));
  EXPECT_EQ(dlg->CmbWeek->currentText(), Q("金曜日"));
  EXPECT_FALSE(dlg->CmbWeek->isHidden());
  EXPECT_FALSE(dlg->ChkSat->isEnabled());
  dlg->CmbFurikae->setCurrentIndex(3);  // 登録しない
  EXPECT_TRUE(dlg->ChkSat->isEnabled());
  dlg->CmbCycle->setCurrentIndex(0);
  dlg->ChkSat->setChecked(true);  // 10 August 2024 and 10 May 2025 are Saturdays
  EXPECT_EQ(dlg->LblEdit->text(), Q("まで 11件"));
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  ASSERT_EQ(dlg->Stored().size(), 11u);
  EXPECT_TRUE(Month(2024, 8).empty());
  EXPECT_TRUE(Month(2025, 5).empty());
  for (int m : {5, 6, 7, 9, 10, 11, 12}) EXPECT_EQ(Month(2024, m).size(), 1u) << m;
  for (int m : {1, 2, 3, 4}) EXPECT_EQ(Month(2025, m).size(), 1u) << m;
}

TEST_F(TDlgSchInputTest, AMultiDayScheduleWithItsBarStyleAndColours) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 30));
  dlg->CmbTitle->lineEdit()->setText(Q("旅行"));
  dlg->CmbBunrui->setCurrentIndex(1);
  dlg->ChkExtendDay->setChecked(true);
  EXPECT_EQ(dlg->LblSample->text(), Q("複数日の範囲バー:"));
  EXPECT_EQ(dlg->CmbSample->count(), 6);
  EXPECT_TRUE(dlg->DtpSchToDate->isEnabled());
  EXPECT_TRUE(dlg->BtnFontCol->isEnabled());
  EXPECT_TRUE(dlg->PnlSample->isHidden());
  dlg->SpnDay1->setValue(4);
  EXPECT_EQ(dlg->DtpSchToDate->date(), QDate(2024, 6, 2));
  dlg->CmbSample->setCurrentIndex(2);
  dialogs.colours = {0x123456};
  dlg->BtnBackCol->click();
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Month(2024, 5), std::vector<std::string>{"30          " + Pad(Sjis("旅行"), 14) + "0000" +
                                                     Pad(Sjis("旅行"), 40) + Pad("", 40) + "00004$0000FF$1234562"});
}

TEST_F(TDlgSchInputTest, AMultiDayPeriodOverThreeMonthsIsRefused) {
  auto dlg = Make(EntryMode::New, MakeDate(2024, 11, 30));
  dlg->CmbTitle->lineEdit()->setText(QStringLiteral("x"));
  dlg->ChkExtendDay->setChecked(true);
  dlg->DtpSchToDate->setDate(QDate(2025, 1, 2));
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "3ヶ月にまたがる期間は設定できません。");
  dlg->DtpSchToDate->setDate(QDate(2024, 12, 20));
  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(Month(2024, 11).size(), 1u);
}

TEST_F(TDlgSchInputTest, TheFileLinkIsChosenRelativeAndOpened) {
  session.settings.kalendor.relative_path = 1;
  dir.Write("docs/a.txt", "x");
  auto dlg = Make(EntryMode::New, MakeDate(2024, 5, 20));
  EXPECT_FALSE(dlg->BtnFileOpen->isEnabled());
  dialogs.file_names = {dir.path() + "docs/a.txt"};
  dlg->BtnFileLink->click();
  EXPECT_EQ(dlg->EdtFileLink->text(), QStringLiteral("docs/a.txt"));
  EXPECT_TRUE(dlg->BtnFileOpen->isEnabled());
  dlg->BtnFileOpen->click();
  EXPECT_EQ(shell.opened, std::vector<std::string>{dir.path() + "docs/a.txt"});
}

TEST_F(TDlgSchInputTest, TheMainWindowsAddCommandOpensTheDialogForTheSelectedDate) {
  app::TFrmMain main(app::MainWindowPorts{dialogs, shell, files, clock}, session);
  EXPECT_EQ(main.SelectedDate(), MakeDate(2024, 5, 10));
  main.SetSelectedDate(MakeDate(2024, 5, 21));
  QString caption;
  QDate date;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* dlg = qobject_cast<TDlgSchInput*>(test::FindModal());
    if (dlg == nullptr) return;
    caption = dlg->windowTitle();
    date = dlg->DtpSchFromDate->date();
    dlg->CmbTitle->lineEdit()->setText(QStringLiteral("x"));
    dlg->BtnOk->click();
  });
  int reloads = 0;
  main.on_schedules_changed = [&] { ++reloads; };
  QAction* add = main.Action(QStringLiteral("MenSchAdd"));
  ASSERT_TRUE(add->isEnabled());
  add->trigger();
  EXPECT_EQ(caption, Q("スケジュールの追加"));
  EXPECT_EQ(date, QDate(2024, 5, 21));
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(Month(2024, 5), std::vector<std::string>{"21          " + Pad(Sjis("仕事"), 14) + "0000x"});
}

}  // namespace
}  // namespace kal::schedule
