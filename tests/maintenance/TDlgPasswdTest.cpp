#include "maintenance/TDlgPasswd.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "maintenance/TDlgPassEntry.h"
#include "support/FakeDialogs.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::maintenance {
namespace {

TEST(TDlgPasswd, ThreeWrongPasswordsCloseItWithCancel) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  std::string error;
  ASSERT_TRUE(StorePassword(fs, dir.path(), "abcd", &error));
  test::FakeDialogs dialogs;
  TDlgPasswd dialog(fs, dialogs, dir.path(), kTrayLabel);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kalendor パスワード入力"));
  EXPECT_EQ(dialog.LblPasswd->text(), QStringLiteral("パスワードの入力:"));
  EXPECT_EQ(dialog.EdtPasswd->echoMode(), QLineEdit::Password);
  for (const char* wrong : {"abce", "ABCD", "abc"}) {
    dialog.EdtPasswd->setText(QString::fromUtf8(wrong));
    dialog.BtnOk->click();
  }
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[2].text, "パスワードが違います。");
  EXPECT_EQ(dialogs.shown[2].caption, "Kalendor");
}

TEST(TDlgPasswd, TheRightPasswordAcceptsAndNoPasswordOnlyWarns) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  EXPECT_EQ(AskPassword(fs, dialogs, dir.path(), kNoteLabel), PasswordCheck::NotSet);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "パスワード入力画面表示設定になっていますが、\nパスワードが設定されていません。");
  EXPECT_EQ(dialogs.shown[0].caption, "パスワード設定エラー");

  std::string error;
  ASSERT_TRUE(StorePassword(fs, dir.path(), test::Sjis("鍵ab"), &error));
  test::OnNextModal<TDlgPasswd>([](TDlgPasswd* dlg) {
    EXPECT_EQ(dlg->LblPasswd->text(), QStringLiteral("ノートのパスワードの入力:"));
    dlg->EdtPasswd->setText(QStringLiteral("鍵ab"));
    dlg->BtnOk->click();
    if (dlg->isVisible()) dlg->reject();  // a wrong answer would otherwise keep the test waiting
  });
  EXPECT_EQ(AskPassword(fs, dialogs, dir.path(), kNoteLabel), PasswordCheck::Passed);
}

TEST(TDlgPassEntry, RefusesAShortPasswordThenStoresAGoodOneAskingForItNextTime) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  {
    TDlgPassEntry dialog(fs, dialogs, dir.path());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("パスワード登録"));
    EXPECT_EQ(dialog.EdtCurrentPasswd, nullptr);
    dialog.EdtNewPasswd->setText(QStringLiteral(" ab "));
    dialog.EdtAgainPasswd->setText(QStringLiteral(" ab "));
    dialog.BtnOk->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "パスワードは４文字以上で入力して下さい。");
    EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
    EXPECT_FALSE(dir.Exists("Kalendor.pwd"));
    dialog.EdtNewPasswd->setText(QStringLiteral(" abcd "));
    dialog.EdtAgainPasswd->setText(QStringLiteral(" abcd "));
    dialog.BtnOk->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_TRUE(Matches(ReadStoredPassword(fs, dir.path()), " abcd "));
  TDlgPassEntry again(fs, dialogs, dir.path());
  ASSERT_NE(again.EdtCurrentPasswd, nullptr);
  again.EdtCurrentPasswd->setText(QStringLiteral("wrong"));
  again.EdtNewPasswd->setText(QStringLiteral("newer"));
  again.EdtAgainPasswd->setText(QStringLiteral("newer"));
  again.BtnOk->click();
  EXPECT_EQ(dialogs.shown.back().text, "現在のパスワードが違います。");
  EXPECT_TRUE(Matches(ReadStoredPassword(fs, dir.path()), " abcd "));
}

TEST(PasswordEdit, CutsTypingAtEightBytes) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  TDlgPassEntry dialog(fs, dialogs, dir.path());
  dialog.EdtNewPasswd->setFocus();
  dialog.EdtNewPasswd->insert(QStringLiteral("日本語で"));  // 8 bytes
  EXPECT_EQ(dialog.EdtNewPasswd->text(), QStringLiteral("日本語で"));
  dialog.EdtNewPasswd->insert(QStringLiteral("a"));
  EXPECT_EQ(dialog.EdtNewPasswd->text(), QStringLiteral("日本語で"));
}

}  // namespace
}  // namespace kal::maintenance
