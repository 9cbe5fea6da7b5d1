#include "maintenance/TDlgBackUp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "store/DateText.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::maintenance {
namespace {

using platform::MsgAnswer;

app::Folders SharedFolders(const test::TempFolder& dir) {
  app::Folders f;
  f.program = f.data = f.memo = f.todo = f.note = f.category = f.table = dir.path();
  app::FileNameSet(f);
  return f;
}

struct Fixture {
  test::TempFolder data, backup;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2024, 3, 15), 10, 0, 0}};
  TDlgBackUp dialog{{fs, dialogs, clock}, SharedFolders(data), data / "Kalendor.ini", "/old/place/"};
};

TEST(TDlgBackUp, ShowsBothGroupsWithTheLastFolderAndTheDefaultPeriod) {
  Fixture f;
  EXPECT_EQ(f.dialog.windowTitle(), QStringLiteral("バックアップとデータ削除"));
  EXPECT_EQ(f.dialog.EdtBackupPath->text(), QStringLiteral("/old/place/"));
  EXPECT_EQ(f.dialog.CmbDataDel->currentText(), QStringLiteral("1年以前"));
  EXPECT_EQ(f.dialog.CmbDataDel->count(), 5);
  EXPECT_EQ(f.dialog.BtnBackup->text(), QStringLiteral("バックアップを実行する(&R)"));
  EXPECT_EQ(f.dialog.BtnDataDel->text(), QStringLiteral("データの削除を実行する(&E)"));
  EXPECT_EQ(f.dialog.BtnOk->text(), QStringLiteral("閉じる"));
  EXPECT_TRUE(f.dialog.LblWarning->text().startsWith(QStringLiteral("【警告!!】\n")));
  EXPECT_TRUE(f.dialog.LblBackup->text().contains(QStringLiteral("Todo : Todokl.*")));
  f.dialog.ChkDated->setChecked(false);
  EXPECT_TRUE(f.dialog.LblBackup->text().contains(QStringLiteral("既存のファイルは上書きされます。")));
}

TEST(TDlgBackUp, BackupStoresTheFolderAndCopiesIntoADatedFolder) {
  Fixture f;
  f.data.Write("202403.sch", "line\r\n");
  f.data.Write("Kalendor.ini", "[Kalendor]\r\nBackupPath=/old/place/\r\n");
  f.dialogs.file_names = {f.backup.path().substr(0, f.backup.path().size() - 1)};
  f.dialog.BtnSelectBk->click();
  f.dialog.BtnBackup->click();
  EXPECT_EQ(f.backup.Read("Kalendor_20240315_100000/Data/202403.sch"), "line\r\n");
  EXPECT_NE(f.data.Read("Kalendor.ini").find("BackupPath=" + f.backup.path() + "\r\n"), std::string::npos);
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].text,
            "バックアップ完了しました。\n" + f.backup.path() + "Kalendor_20240315_100000");
}

TEST(TDlgBackUp, DeletionOfTheChosenPeriodAfterYes) {
  Fixture f;
  f.data.Write("202312.sch", "x");
  f.data.Write("202401.sch", "x");
  f.dialog.CmbDataDel->setCurrentIndex(2);  // 3ヶ月以前
  f.dialogs.answers = {MsgAnswer::Yes};
  f.dialog.BtnDataDel->click();
  EXPECT_FALSE(f.data.Exists("202312.sch"));
  EXPECT_TRUE(f.data.Exists("202401.sch"));
  EXPECT_TRUE(f.dialog.data_deleted());
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.dialogs.shown[1].text, "データ削除完了しました。");
}

}  // namespace
}  // namespace kal::maintenance
