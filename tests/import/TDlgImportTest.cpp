#include "import/TDlgImport.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include "import/ImportSource.h"
#include "platform/FileSystem.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::import {
namespace {

using test::Sjis;

class TDlgImportTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  test::FakeDialogs dialogs;
  platform::PosixFileSystem files;

  ImportForm Form(ImportTarget target, const std::string& csv) {
    dir.Write("in.csv", Sjis(csv));
    std::string error;
    auto source = OpenImportSource(files, target, dir / "in.csv", &error);
    EXPECT_TRUE(source) << error;
    return ImportForm(target, std::move(*source), {dir.path(), dir.path(), dir.path()}, store::MakeDate(2024, 6, 1));
  }
  static void Pick(QListWidget* list, int row) { list->setCurrentRow(row); }
};

TEST_F(TDlgImportTest, AssignCheckAndRunAScheduleImport) {
  dir.WriteLines("202405.sch", {"03" + std::string(24, ' ') + "0000定例"});
  TDlgImport dlg(dialogs, files,
                 Form(ImportTarget::Schedule, "件名,日付,開始\r\n定例,2024/05/03,\r\n打合せ,2024/05/07,9:30\r\n"));
  EXPECT_EQ(dlg.windowTitle(), QString::fromStdString("スケジュールデータのインポート (CSV形式) - " + dir.path() + "in.csv"));
  EXPECT_TRUE(dlg.Chk1stHeader->isChecked());
  EXPECT_TRUE(dlg.ChkCategory->isVisibleTo(&dlg));
  EXPECT_EQ(dlg.ChkDubleNo->text(), QStringLiteral("開始日・開始時刻・件名が同じものは反映しない(&D)"));
  EXPECT_FALSE(dlg.BtnConvert->isEnabled());
  EXPECT_EQ(dlg.LblCsvItem->text(), QStringLiteral("変換元項目 [1/3] 未チェック"));
  ASSERT_EQ(dlg.LstImpToSch->count(), 8);
  ASSERT_EQ(dlg.LstImpItem->count(), 3);

  // 開始日 from column 2, 開始時刻 from column 3, 件名 from column 1.
  Pick(dlg.LstImpToSch, 0);
  Pick(dlg.LstImpItem, 1);
  dlg.BtnLeft->click();
  EXPECT_EQ(dlg.LstImpToSch->currentRow(), 1);  // the next field is selected
  Pick(dlg.LstImpItem, 2);
  dlg.BtnLeft->click();
  Pick(dlg.LstImpToSch, 4);
  Pick(dlg.LstImpItem, 0);
  dlg.BtnLeft->click();
  dlg.BtnNext->click();
  EXPECT_EQ(dlg.LstImpToSch->item(0)->text(), QStringLiteral("開始日 (yyyy/mm/dd) : 2024/05/03"));
  EXPECT_EQ(dlg.LstImpToSch->item(4)->text(), QStringLiteral("件名 : 定例"));
  EXPECT_EQ(dlg.LstImpToSch->item(4)->foreground().color(), QColor(0x80, 0x80, 0x00));  // olive
  EXPECT_EQ(dlg.LstImpItem->item(0)->foreground().color(), QColor(0x80, 0x80, 0x00));

  dlg.ChkDubleNo->setChecked(true);
  dlg.BtnDataCheck->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "1 件のスケジュールデータを反映します。\n0 件の分類を追加します。");
  EXPECT_EQ(dialogs.shown[0].caption, "確認");
  EXPECT_TRUE(dlg.BtnConvert->isEnabled());
  EXPECT_EQ(dlg.LblCsvItem->text(), QStringLiteral("変換元項目 [2/3] インポート対象外（重複）"));
  EXPECT_EQ(dlg.LblCsvItem->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
  dlg.BtnLast->click();
  EXPECT_EQ(dlg.LblCsvItem->text(), QStringLiteral("変換元項目 [3/3] インポート対象"));
  EXPECT_EQ(dlg.LblCsvItem->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xFF));

  // An assignment change asks for a new check.
  Pick(dlg.LstImpToSch, 5);
  dlg.BtnRight->click();
  EXPECT_FALSE(dlg.BtnConvert->isEnabled());
  dlg.BtnDataCheck->click();
  dlg.BtnConvert->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dialogs.shown.back().text, "1 件のスケジュールデータを反映しました。\n0 件の分類を追加しました。");
  EXPECT_EQ(dir.Read("202405.sch"), Sjis("03" + std::string(24, ' ') + "0000定例\r\n0709:30" + std::string(19, ' ') +
                                         "0000打合せ\r\n"));
}

TEST_F(TDlgImportTest, HolidayTargetHidesTheCategoryOptionAndNamesTheMissingField) {
  TDlgImport dlg(dialogs, files, Form(ImportTarget::Holiday, "5/3,記念日\r\n"));
  EXPECT_FALSE(dlg.ChkCategory->isVisibleTo(&dlg));
  EXPECT_FALSE(dlg.Chk1stHeader->isChecked());
  EXPECT_EQ(dlg.ChkDubleNo->text(), QStringLiteral("重複しているものは反映しない(&D)"));
  dlg.BtnAllLeft->click();
  EXPECT_EQ(dlg.LstImpToSch->item(1)->text(), QStringLiteral("件名 : 記念日"));
  dlg.BtnDataCheck->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "分類 (祝日･休日･記念日) が選択されていません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  dlg.BtnAllRight->click();
  EXPECT_EQ(dlg.LstImpToSch->item(1)->text(), QStringLiteral("件名 : "));
  EXPECT_FALSE(dlg.BtnConvert->isEnabled());
}

}  // namespace
}  // namespace kal::import
