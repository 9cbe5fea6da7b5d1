#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/TFrmMain.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "printing/TDlgPreview.h"
#include "printing/TDlgPrint.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

class TFrmMainPrintTest : public ::testing::Test {
 protected:
  std::unique_ptr<TFrmMain> Make() {
    store::ScheduleFields f;
    f.day = 15;
    f.start = "09:00";
    f.title = "印刷される予定";
    dir.Write("202612.sch", store::JoinLines({store::BuildScheduleLine(f).line}));
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    auto w = std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
    w->show();
    return w;
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
};

TEST_F(TFrmMainPrintTest, ThePreviewCommandShowsTheDisplayedMonth) {
  auto w = Make();
  std::vector<std::string> texts;
  QString status;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<printing::TDlgPreview*>(test::FindModal());
    ASSERT_NE(preview, nullptr);
    texts = preview->Shown().page.Texts();
    status = preview->SbrStatus->text();
    EXPECT_TRUE(preview->BtnSetup->isVisible());
    preview->BtnClose->click();
  });
  w->Action(QStringLiteral("MenPreview"))->trigger();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "2026年 12月のスケジュール");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "09:00 印刷される予定"), texts.end());
  EXPECT_TRUE(status.endsWith(QStringLiteral("A4 横")));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TFrmMainPrintTest, ThePrintCommandOpensTheSettingsAndViewsWithoutDayCellsAreRefused) {
  auto w = Make();
  QString caption;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<printing::TDlgPrint*>(test::FindModal());
    ASSERT_NE(dialog, nullptr);
    caption = dialog->windowTitle();
    EXPECT_TRUE(dialog->BtnPreview->isVisible());
    dialog->BtnCancel->click();
  });
  w->Action(QStringLiteral("MenPrint"))->trigger();
  EXPECT_TRUE(caption.startsWith(QStringLiteral("印刷 - ")));
  EXPECT_FALSE(files.Exists(dir / "Klprint.ini"));  // cancelled: nothing saved

  w->Layout()->GridModeClick(5);
  w->Action(QStringLiteral("MenPreview"))->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "この表示は印刷できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "印刷");
}

}  // namespace
}  // namespace kal::app
