#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "support/CliRun.h"

namespace kal::cli {
namespace {

test::CliRun Cli(std::vector<std::string> args) { return test::RunCliCapture(args); }

TEST(CliFormat, FormatsWithEraLettersAndTheGivenTime) {
  auto r = Cli({"--now", "09:30", "format", "2019/05/01", "ggge年m月d日(aaa) hh:nn"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "令和1年5月1日(水) 09:30\n");
}

TEST(CliFormat, UsageErrorsExitTwo) {
  EXPECT_EQ(Cli({"format", "2019/13/01", "yyyy"}).status, 2);
  EXPECT_EQ(Cli({"nosuch"}).status, 2);
  EXPECT_EQ(Cli({}).status, 2);
}

TEST(CliOutput, EscapesFieldSeparators) {
  EXPECT_EQ(EscapeField("a\tb\\c\nd\re"), "a\\tb\\\\c\\nd\\re");
}

}  // namespace
}  // namespace kal::cli
