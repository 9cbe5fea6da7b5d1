#include "app/TDlgWeather.h"

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

std::string ThirtyTwo(int day, const std::string& line) {
  std::vector<std::string> all(32, "00");
  all[static_cast<std::size_t>(day)] = line;
  return store::JoinLines(all);
}

class TDlgWeatherTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  test::FakeDialogs dialogs;
  platform::PosixFileSystem files;
};

TEST_F(TDlgWeatherTest, OpensFromTheDayLine) {
  TDlgWeather dlg(dialogs, files, dir / "202403.day", MakeDate(2024, 3, 5), "00312 $FFFFFF  10  5 --");
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("天気情報入力 - 2024/3/5"));
  EXPECT_TRUE(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(dlg.CmbWeather1->currentText(), QStringLiteral("雨"));
  EXPECT_EQ(dlg.CmbWeather2->currentText(), QStringLiteral("のち"));
  EXPECT_EQ(dlg.CmbWeather3->currentText(), QStringLiteral("曇り"));
  EXPECT_EQ(dlg.EdtMaxTemp->text(), QStringLiteral("10"));
  EXPECT_EQ(dlg.EdtMinTemp->text(), QStringLiteral("5"));
  EXPECT_EQ(dlg.EdtRainPer->text(), QStringLiteral("--"));
}

TEST_F(TDlgWeatherTest, ListsDependOnEachOther) {
  TDlgWeather dlg(dialogs, files, dir / "202403.day", MakeDate(2024, 3, 5), "");
  EXPECT_FALSE(dlg.CmbWeather2->isEnabled());
  EXPECT_FALSE(dlg.CmbWeather3->isEnabled());
  dlg.CmbWeather1->setCurrentIndex(1);
  EXPECT_TRUE(dlg.CmbWeather2->isEnabled());
  dlg.CmbWeather2->setCurrentIndex(2);
  dlg.CmbWeather3->setCurrentIndex(3);
  EXPECT_TRUE(dlg.CmbWeather3->isEnabled());
  dlg.CmbWeather2->setCurrentIndex(0);
  EXPECT_EQ(dlg.CmbWeather3->currentIndex(), 0);
  EXPECT_FALSE(dlg.CmbWeather3->isEnabled());
  dlg.CmbWeather2->setCurrentIndex(1);
  dlg.EdtMaxTemp->setText(QStringLiteral("20"));
  dlg.BtnClear->click();
  EXPECT_EQ(dlg.CmbWeather1->currentIndex(), 0);
  EXPECT_EQ(dlg.CmbWeather2->currentIndex(), 0);
  EXPECT_FALSE(dlg.CmbWeather2->isEnabled());
  EXPECT_EQ(dlg.EdtMaxTemp->text(), QString());
}

TEST_F(TDlgWeatherTest, SameWeatherTwiceIsRefused) {
  TDlgWeather dlg(dialogs, files, dir / "202403.day", MakeDate(2024, 3, 5), "");
  dlg.CmbWeather1->setCurrentIndex(1);
  dlg.CmbWeather2->setCurrentIndex(1);
  dlg.CmbWeather3->setCurrentIndex(1);
  dlg.BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "天気の正しく選択して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_FALSE(dir.Exists("202403.day"));
}

TEST_F(TDlgWeatherTest, OkWritesTheDayLine) {
  TDlgWeather dlg(dialogs, files, dir / "202403.day", MakeDate(2024, 3, 5), "");
  dlg.CmbWeather1->setCurrentIndex(1);
  dlg.EdtRainPer->setText(QStringLiteral("--"));
  dlg.BtnOk->click();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dir.Read("202403.day"), ThirtyTwo(5, "00100" + std::string(16, ' ') + "--"));
}

}  // namespace
}  // namespace kal::app
