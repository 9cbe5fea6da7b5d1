#include "app/TDlgHolidayInput.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using store::MakeDate;
using test::Sjis;

class TDlgHolidayInputTest : public ::testing::Test {
 protected:
  std::unique_ptr<TDlgHolidayInput> Make(int mode, int index, store::Date date, std::vector<std::string> lines) {
    return std::make_unique<TDlgHolidayInput>(dialogs, files,
                                              HolidayDialogSetup{mode, index, date, std::move(lines), dir / "Holiday.dat"});
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  platform::PosixFileSystem files;
};

TEST_F(TDlgHolidayInputTest, NewEntryStartsFromTheSelectedDate) {
  auto dlg = Make(0, -1, MakeDate(2024, 9, 27), {});
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("祝日・休日・記念日の追加"));
  EXPECT_EQ(dlg->CmbPattern->currentText(), QStringLiteral("毎年"));
  EXPECT_EQ(dlg->CmbMonth->currentText(), QStringLiteral("9月"));
  EXPECT_EQ(dlg->CmbDay->currentText(), QStringLiteral("27日"));
  EXPECT_EQ(dlg->CmbBunrui->currentIndex(), -1);
  dlg->CmbCycle->setCurrentIndex(kByWeekday);
  EXPECT_EQ(dlg->CmbDay->currentText(), QStringLiteral("第 4"));
  EXPECT_EQ(dlg->CmbWeek->currentText(), QStringLiteral("金曜日"));
  EXPECT_FALSE(dlg->CmbWeek->isHidden());
  dlg->CmbPattern->setCurrentIndex(kEveryWeek);
  EXPECT_TRUE(dlg->CmbMonth->isHidden());
  EXPECT_TRUE(dlg->CmbDay->isHidden());
}

TEST_F(TDlgHolidayInputTest, RefusedInputKeepsTheDialogOpenWithTheFocusOnTheField) {
  auto dlg = Make(0, -1, MakeDate(2024, 4, 30), {});
  dlg->show();
  dlg->EdtTitle->setText(QStringLiteral("記念日"));
  dlg->CmbDay->setCurrentIndex(30);  // 31日 of April
  dlg->CmbBunrui->setCurrentIndex(2);
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "ありえない日付が入力されています。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
  EXPECT_FALSE(dir.Exists("Holiday.dat"));
  EXPECT_EQ(dlg->focusWidget(), dlg->CmbDay);

  dlg->CmbDay->setCurrentIndex(29);
  dlg->EdtTitle->clear();
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, "件名が未入力です。");
  EXPECT_EQ(dlg->focusWidget(), dlg->EdtTitle);
}

TEST_F(TDlgHolidayInputTest, OkStoresTheNewLineSorted) {
  auto dlg = Make(0, -1, MakeDate(2024, 6, 1), {Sjis(" 1 11949    000元日"), Sjis("1225        002クリスマス")});
  dlg->EdtTitle->setText(QStringLiteral("創立%d周年"));
  dlg->EdtFromYear->setText(QStringLiteral("2000"));
  dlg->CmbBunrui->setCurrentIndex(2);
  dlg->BtnOk->click();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(dir.Read("Holiday.dat"),
            Sjis(" 1 11949    000元日\r\n 6 12000    002創立%d周年\r\n1225        002クリスマス\r\n"));
}

TEST_F(TDlgHolidayInputTest, ChangeShowsTheLineAndReplacesIt) {
  std::vector<std::string> lines = {Sjis(" 1 11949    000元日"), Sjis("99          952最終金曜")};
  auto dlg = Make(1, 1, MakeDate(2024, 3, 5), lines);
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("祝日・休日・記念日の訂正"));
  EXPECT_EQ(dlg->CmbPattern->currentText(), QStringLiteral("毎月"));
  EXPECT_EQ(dlg->CmbCycle->currentText(), QStringLiteral("曜日指定"));
  EXPECT_EQ(dlg->CmbDay->currentText(), QStringLiteral("最終"));
  EXPECT_EQ(dlg->CmbWeek->currentText(), QStringLiteral("金曜日"));
  EXPECT_EQ(dlg->EdtTitle->text(), QStringLiteral("最終金曜"));
  EXPECT_EQ(dlg->CmbBunrui->currentText(), QStringLiteral("記念日1"));
  dlg->CmbWeek->setCurrentIndex(1);
  dlg->BtnOk->click();
  EXPECT_EQ(dir.Read("Holiday.dat"), Sjis(" 1 11949    000元日\r\n99          912最終金曜\r\n"));
}

TEST_F(TDlgHolidayInputTest, YearFieldsTakeOnlyDigits) {
  auto dlg = Make(0, -1, MakeDate(2024, 6, 1), {});
  dlg->EdtFromYear->setFocus();
  dlg->EdtFromYear->insert(QStringLiteral("20a"));
  EXPECT_EQ(dlg->EdtFromYear->text(), QStringLiteral(""));
  dlg->EdtFromYear->insert(QStringLiteral("12345"));
  EXPECT_LE(dlg->EdtFromYear->text().size(), 4);
}

}  // namespace
}  // namespace kal::app
