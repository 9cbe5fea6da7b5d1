#include "mainwindow/HelpCommands.h"

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

TEST(HelpCommands, AMissingHelpFileIsReportedAndNothingIsOpened) {
  test::TempFolder dir;
  platform::PosixFileSystem files;
  test::FakeShell shell;
  test::FakeDialogs dialogs;
  OpenHelpFile(dir.path(), files, shell, dialogs);
  EXPECT_TRUE(shell.opened.empty());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "ヘルプファイル \"" + dir.path() + "Kalendor.chm\" が見つかりません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(dialogs.shown[0].buttons, platform::MsgButtons::Ok);
}

TEST(HelpCommands, AnExistingHelpFileIsOpenedWithItsProgram) {
  test::TempFolder dir;
  dir.Write("Kalendor.chm", "x");
  platform::PosixFileSystem files;
  test::FakeShell shell;
  test::FakeDialogs dialogs;
  OpenHelpFile(dir.path(), files, shell, dialogs);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{dir.path() + "Kalendor.chm"}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(HelpCommands, WebHelpIsBelowTheHomePage) {
  EXPECT_EQ(WebHelpAddress(), std::string(kMakerHomePage) + "help/Kalendor.html");
}

}  // namespace
}  // namespace kal::mainwindow
