#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

// The PDF itself is checked by tests/printing/cli_print_pdf.py against the Qt-linked
// kalendor-cli; here the command line and the refusals that come before any drawing.
TEST(CliPrint, WrongArgumentsAreUsageErrors) {
  test::TempFolder dir;
  for (auto args : std::vector<std::vector<std::string>>{{"print"},
                                                         {"print", "202405", "--view", "4"},
                                                         {"print", "202405", "--output", "a.pdf"},
                                                         {"print", "202413", "--view", "4", "--output", "a.pdf"},
                                                         {"print", "202405", "--view", "0", "--output", "a.pdf"},
                                                         {"print", "202405", "--view", "4", "--count", "9", "--output", "a.pdf"},
                                                         {"print", "202405", "--view", "4", "--output"},
                                                         {"print", "202405", "--view", "4", "--size", "A3", "--output", "a.pdf"}}) {
    EXPECT_EQ(test::RunCliIn(dir, args).status, 2) << args.size();
  }
}

TEST(CliPrint, ViewsWithoutDayCellsAndABuildWithoutPdfOutputAreRefused) {
  test::TempFolder dir;
  for (const char* view : {"5", "6", "7", "8"}) {
    const test::CliRun r = test::RunCliIn(dir, {"print", "202405", "--view", view, "--output", dir / "a.pdf"});
    EXPECT_EQ(r.status, 1) << view;
    EXPECT_EQ(r.err, "この表示は印刷できません。\n") << view;
  }
  // This test program links the core only: no painter backend, so no PDF.
  const test::CliRun r = test::RunCliIn(dir, {"print", "202405", "--view", "4", "--output", dir / "a.pdf"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "このkalendor-cliはPDFを書けません（Qtなしで作られています）。\n");
  EXPECT_FALSE(dir.Exists("a.pdf"));
}

}  // namespace
}  // namespace kal::cli
