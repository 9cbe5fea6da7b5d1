#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/TFrmMain.h"
#include "import/TDlgImport.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using test::Sjis;

class TFrmMainImportTest : public ::testing::Test {
 protected:
  std::unique_ptr<TFrmMain> Make() {
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    return std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2024, 5, 1), 9, 0, 0}};
};

TEST_F(TFrmMainImportTest, TheMenuOpensTheChosenFileOrSaysWhyNot) {
  auto w = Make();
  dir.Write("empty.csv", "\r\n");
  dialogs.file_names = {std::nullopt, dir / "empty.csv"};
  w->Action(QStringLiteral("MenImportSch"))->trigger();  // chooser cancelled: nothing happens
  EXPECT_TRUE(dialogs.shown.empty());
  w->Action(QStringLiteral("MenImportWeather"))->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "データが見つかりません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
}

TEST_F(TFrmMainImportTest, AnImportThroughTheDialogReloadsTheCalendar) {
  auto w = Make();
  int reloads = 0;
  w->on_schedules_changed = [&] { ++reloads; };
  dir.Write("in.csv", Sjis("2024/05/03,会議\r\n"));
  dialogs.file_names = {dir / "in.csv"};
  bool driven = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dlg = qobject_cast<import::TDlgImport*>(test::FindModal());
    if (dlg == nullptr) return;
    poll.stop();
    driven = true;
    EXPECT_EQ(dlg->windowTitle(), QString::fromStdString("スケジュールデータのインポート (CSV形式) - " + dir.path() + "in.csv"));
    dlg->BtnAllLeft->click();  // 開始日 from column 1, 開始時刻 from column 2: swap in 件名
    dlg->LstImpToSch->setCurrentRow(4);
    dlg->LstImpItem->setCurrentRow(1);
    dlg->BtnLeft->click();
    dlg->BtnDataCheck->click();
    dlg->BtnConvert->click();
    if (dlg->isVisible()) dlg->reject();
  });
  poll.start();
  w->Action(QStringLiteral("MenImportSch"))->trigger();
  EXPECT_TRUE(driven);
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(dir.Read("202405.sch"), Sjis("03" + std::string(24, ' ') + "0000会議\r\n"));
}

}  // namespace
}  // namespace kal::app
