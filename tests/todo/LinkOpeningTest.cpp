#include "todo/LinkOpening.h"

#include <gtest/gtest.h>

#include <set>

namespace kal::todo {
namespace {

using Kind = LinkOpening::Kind;

TEST(LinkOpening, SplitsACommandLineWithoutAShell) {
  struct Case {
    const char* text;
    std::vector<std::string> words;
  } cases[] = {
      {"prog a b", {"prog", "a", "b"}},
      {"  prog   \"two words\"  ", {"prog", "two words"}},
      {"prog \"say \"\"hi\"\"\" x", {"prog", "say \"hi\"", "x"}},
      {"prog \"\"", {"prog", ""}},
      {"a;rm -rf /", {"a;rm", "-rf", "/"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.text), c.words) << c.text;
}

TEST(LinkOpening, OpensDocumentsStartsProgramsAndRefusesTheRest) {
  const std::set<std::string> files = {"/p/doc.txt", "/bin/tool", "/p/my tool"};
  const std::set<std::string> executables = {"/bin/tool", "/p/my tool"};
  auto full = [](const std::string& link) { return link.front() == '/' ? link : "/p/" + link; };
  auto is_file = [&](const std::string& p) { return files.count(p) > 0; };
  auto is_exec = [&](const std::string& p) { return executables.count(p) > 0; };
  struct Case {
    const char* link;
    Kind kind;
    std::string path;
    std::vector<std::string> args;
  } cases[] = {
      {"doc.txt", Kind::OpenDocument, "/p/doc.txt", {}},
      {"/bin/tool", Kind::StartProgram, "/bin/tool", {}},
      {"my tool", Kind::StartProgram, "/p/my tool", {}},  // a whole name with a blank
      {"/bin/tool -x \"a b\"", Kind::StartProgram, "/bin/tool", {"-x", "a b"}},
      {"doc.txt extra", Kind::NotFound, "/p/doc.txt extra", {}},  // a document takes no arguments
      {"missing.txt", Kind::NotFound, "/p/missing.txt", {}},
      {"   ", Kind::Empty, "", {}},
  };
  for (const auto& c : cases) {
    const LinkOpening o = DecideLinkOpening(c.link, full, is_file, is_exec);
    EXPECT_EQ(o.kind, c.kind) << c.link;
    EXPECT_EQ(o.path, c.path) << c.link;
    EXPECT_EQ(o.arguments, c.args) << c.link;
  }
  EXPECT_EQ(DecideLinkOpening("missing.txt", full, is_file, is_exec).message, "ファイル「missing.txt」が見つかりません。");
}

}  // namespace
}  // namespace kal::todo
