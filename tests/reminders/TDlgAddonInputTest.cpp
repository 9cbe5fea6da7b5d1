#include "reminders/TDlgAddonInput.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

class TDlgAddonInputTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
};

TEST_F(TDlgAddonInputTest, ANewEntryStartsBeforeStartUpAndWaitingAndIsStored) {
  TDlgAddonInput dlg(fs, dialogs, dir.path(), AddonFormMode::Add, std::nullopt);
  EXPECT_EQ(dlg.windowTitle(), QString("アドオンの追加"));
  EXPECT_TRUE(dlg.RdoRunOption[0]->isChecked());
  EXPECT_EQ(dlg.RdoRunOption[2]->text(), QString("時刻を指定する （hh:mm形式で入力）"));
  EXPECT_TRUE(dlg.ChkScrUd->isChecked());
  EXPECT_FALSE(dlg.EdtTime->isEnabled());
  dlg.RdoRunOption[2]->setChecked(true);
  EXPECT_TRUE(dlg.EdtTime->isEnabled());
  dlg.EdtProgram->setText("/usr/bin/日報");
  dlg.EdtTime->setText("7:5");
  dlg.ChkScrUd->setChecked(false);
  dlg.BtnOk->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dir.Read("Addon.lst"), test::Sjis("07:0510 /usr/bin/日報\r\n"));
}

TEST_F(TDlgAddonInputTest, RefusalsKeepTheDialogOpenWithTheFocusOnTheField) {
  TDlgAddonInput dlg(fs, dialogs, dir.path(), AddonFormMode::Add, std::nullopt);
  dlg.show();
  dlg.BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "プログラム名が未入力です。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.focusWidget(), dlg.EdtProgram);

  dlg.EdtProgram->setText(QString(129, 'a'));
  dlg.BtnOk->click();
  EXPECT_EQ(dialogs.shown.back().text, "プログラム名が長すぎます。128バイト以内で入力して下さい。");

  dlg.EdtProgram->setText("/bin/a");
  dlg.RdoRunOption[2]->setChecked(true);
  dlg.EdtTime->setText("24:00");
  dlg.BtnOk->click();
  EXPECT_EQ(dialogs.shown.back().text, "設定できない時刻です。");
  EXPECT_EQ(dlg.focusWidget(), dlg.EdtTime);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_FALSE(dir.Exists("Addon.lst"));
}

TEST_F(TDlgAddonInputTest, AChangeOpensWithTheStoredEntryAndReplacesIt) {
  dir.Write("Addon.lst", "CALEN01 /opt/cal\r\nSTART11 /opt/other\r\n");
  TDlgAddonInput dlg(fs, dialogs, dir.path(), AddonFormMode::Change, std::string("CALEN01 /opt/cal"));
  EXPECT_EQ(dlg.windowTitle(), QString("アドオンの訂正"));
  EXPECT_TRUE(dlg.RdoRunOption[3]->isChecked());
  EXPECT_EQ(dlg.EdtProgram->text(), QString("/opt/cal"));
  EXPECT_TRUE(dlg.ChkScrUd->isChecked());
  dlg.RdoRunOption[1]->setChecked(true);
  dlg.BtnOk->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  // The stored (disabled) flag is kept.
  EXPECT_EQ(dir.Read("Addon.lst"), "START01 /opt/cal\r\nSTART11 /opt/other\r\n");
}

TEST_F(TDlgAddonInputTest, TheChooserFillsTheProgram) {
  dialogs.file_names.push_back(std::string("/usr/bin/xclock"));
  TDlgAddonInput dlg(fs, dialogs, dir.path(), AddonFormMode::Add, std::nullopt);
  dlg.BtnProgram->click();
  EXPECT_EQ(dlg.EdtProgram->text(), QString("/usr/bin/xclock"));
}

}  // namespace
}  // namespace kal::reminders
