#include "reminders/Launch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

using Kind = LaunchPlan::Kind;

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
  struct Case {
    std::string text;
    std::vector<std::string> words;
  } cases[] = {
      {"prog a  b", {"prog", "a", "b"}},
      {"\"/opt/my tool/run\" --x \"\"", {"/opt/my tool/run", "--x", ""}},
      {"'it''s' \"say 'hi'\"", {"its", "say 'hi'"}},
      {"a;rm -rf $HOME", {"a;rm", "-rf", "$HOME"}},
      {"   ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.text), c.words) << c.text;
}

class LaunchFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("my tool/run", "#!/bin/sh\n");
    ::chmod((dir / "my tool/run").c_str(), 0755);
    dir.Write("notes.txt", "text\n");
  }
  test::TempFolder dir;
  test::FakeShell shell;
};

TEST_F(LaunchFiles, AFieldNamingAFileIsStartedOrOpened) {
  const std::string program = dir / "my tool/run";
  // The whole field names an executable with a blank in its path.
  EXPECT_EQ(PlanLaunch(program, {"2024/05/03"}, shell), (LaunchPlan{Kind::Start, program, {"2024/05/03"}}));
  // Quoted, with arguments.
  EXPECT_EQ(PlanLaunch("\"" + program + "\" -v", {"2024/05/03"}, shell),
            (LaunchPlan{Kind::Start, program, {"-v", "2024/05/03"}}));
  // A document opens with the desktop's handler; with arguments it goes to its associated program.
  EXPECT_EQ(PlanLaunch(dir / "notes.txt", {}, shell), (LaunchPlan{Kind::Open, dir / "notes.txt", {}}));
  shell.associated = "/usr/bin/editor";
  EXPECT_EQ(PlanLaunch(dir / "notes.txt", {"2024/05/03"}, shell),
            (LaunchPlan{Kind::Start, "/usr/bin/editor", {dir / "notes.txt", "2024/05/03"}}));
}

TEST_F(LaunchFiles, BareNamesAreSearchedAlongPathAndMissingProgramsRefused) {
  const LaunchPlan sh = PlanLaunch("sh -c 'exit 0'", {}, shell);
  EXPECT_EQ(sh.kind, Kind::Start);
  EXPECT_NE(sh.program.find("/sh"), std::string::npos);
  EXPECT_EQ(sh.arguments, (std::vector<std::string>{"-c", "exit 0"}));
  EXPECT_EQ(PlanLaunch("no-such-program-here --x", {}, shell).kind, Kind::Missing);
  EXPECT_EQ(PlanLaunch(dir / "missing/run", {}, shell).kind, Kind::Missing);
  EXPECT_EQ(PlanLaunch("  ", {}, shell).kind, Kind::Missing);
}

TEST_F(LaunchFiles, TheRunnerStartsWithoutWaitingAndReportsWhatCannotStart) {
  test::FakeProcesses processes;
  test::FakeDialogs dialogs;
  AddonRunner runner(processes, shell, dialogs);
  const std::string program = dir / "my tool/run";
  EXPECT_TRUE(runner.Start(program, {}, true, true));
  EXPECT_TRUE(runner.Start(program, {"x"}, false, true));
  ASSERT_EQ(processes.started.size(), 2u);
  EXPECT_EQ(processes.started[1].arguments, std::vector<std::string>{"x"});
  EXPECT_TRUE(runner.Waiting());  // only the first is waited for
  EXPECT_TRUE(runner.Poll().empty());
  processes.running = false;
  const auto ended = runner.Poll();
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_TRUE(ended[0].refresh);
  EXPECT_FALSE(runner.Waiting());

  // A document is handed to the desktop.
  EXPECT_TRUE(runner.Start(dir / "notes.txt", {}, true, true));
  EXPECT_EQ(shell.opened, std::vector<std::string>{dir / "notes.txt"});

  // Missing, or refused by the system: one message, nothing waited for.
  EXPECT_FALSE(runner.Start("/nowhere/tool -x", {}, true, true));
  processes.next_handle = 0;
  EXPECT_FALSE(runner.Start(program, {}, true, true));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, "\"/nowhere/tool -x\" は起動できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "アプリ実行エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_FALSE(runner.Waiting());
}

}  // namespace
}  // namespace kal::reminders
