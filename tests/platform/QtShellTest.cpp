#include "platform/QtShell.h"

#include <QImage>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include "platform/QtDesktop.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::platform {
namespace {

TEST(QtShell, RefusesToOpenWhatIsNotThere) {
  test::TempFolder dir;
  QtShell shell;
  EXPECT_FALSE(shell.Open(""));
  EXPECT_FALSE(shell.Open(dir / "no such file.txt"));
}

using test::ScopedEnv;

TEST(QtShell, FindsTheDefaultProgramOfADocument) {
  test::TempFolder dir;
  dir.Write("config/mimeapps.list",
            "[Added Associations]\ntext/plain=other.desktop;\n"
            "[Default Applications]\ntext/html=web.desktop\ntext/plain=kaltest-editor.desktop;other.desktop;\n");
  dir.Write("data/applications/kaltest-editor.desktop",
            "[Desktop Entry]\nType=Application\nName=Editor\nExec=\"/bin/true\" --edit %F\n");
  dir.Write("memo.txt", "x");
  ScopedEnv config("XDG_CONFIG_HOME", dir / "config");
  ScopedEnv config_dirs("XDG_CONFIG_DIRS", dir / "none");
  ScopedEnv data("XDG_DATA_HOME", dir / "data");
  QtShell shell;
  EXPECT_EQ(shell.AssociatedProgram(dir / "memo.txt"), std::optional<std::string>("/bin/true"));
  // A type with no default program.
  dir.Write("data.kalx", std::string("\0\1\2\3", 4));
  EXPECT_EQ(shell.AssociatedProgram(dir / "data.kalx"), std::nullopt);
}

TEST(QtSound, PlaysAFileWithTheFirstInstalledPlayer) {
  test::TempFolder dir;
  dir.Write("chime.wav", "RIFF");
  test::FakeProcesses processes;
  QtSound sound(processes, {"kalendor-no-such-player", "/bin/true"});
  EXPECT_TRUE(sound.Play(dir / "chime.wav"));
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].program, "/bin/true");
  EXPECT_EQ(processes.started[0].arguments, (std::vector<std::string>{dir / "chime.wav"}));
}

TEST(QtSound, FailsQuietlyWhenItCannotPlay) {
  test::TempFolder dir;
  dir.Write("chime.wav", "RIFF");
  test::FakeProcesses processes;
  QtSound no_player(processes, {"kalendor-no-such-player"});
  EXPECT_FALSE(no_player.Play(dir / "chime.wav"));
  QtSound sound(processes, {"/bin/true"});
  EXPECT_FALSE(sound.Play(dir / "missing.wav"));
  EXPECT_FALSE(sound.Play(dir.path()));  // a folder is no sound
  EXPECT_TRUE(processes.started.empty());
  processes.next_handle = 0;  // the player cannot be started
  EXPECT_FALSE(sound.Play(dir / "chime.wav"));
}

TEST(QtTray, TheIconShowsTheDayNumber) {
  const QImage day5 = QtTray::DayIcon(5).pixmap(32, 32).toImage();
  const QImage day6 = QtTray::DayIcon(6).pixmap(32, 32).toImage();
  const QImage day31 = QtTray::DayIcon(31).pixmap(32, 32).toImage();
  const QImage plain = QtTray::DayIcon(0).pixmap(32, 32).toImage();
  ASSERT_FALSE(day5.isNull());
  EXPECT_NE(day5, day6);
  EXPECT_NE(day6, day31);
  EXPECT_NE(day5, plain);
  QtTray tray;
  tray.SetDayNumber(6);
  EXPECT_EQ(tray.Icon()->icon().pixmap(32, 32).toImage(), day6);
}

}  // namespace
}  // namespace kal::platform
