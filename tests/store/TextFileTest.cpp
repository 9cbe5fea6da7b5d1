#include "store/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

TEST(TextFile, SplitsEveryLineEnding) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
  // Mixed and repeated line ends, a last line without one.
  const struct {
    const char* bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"a", {"a"}},
      {"\n\n", {"", ""}},
      {"\r\n", {""}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"x\ry\nz", {"x", "y", "z"}},
      {"\r\rq\n\r\n", {"", "", "q", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.bytes), c.lines) << c.bytes;
}

TEST(TextFile, WritesCp932WithCrLfAtomically) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  SaveTextLines(fs, dir / "x.txt", {"会議", "～"});
  EXPECT_EQ(dir.Read("x.txt"), "\x89\xEF\x8B\x63\r\n\x81\x60\r\n");
  EXPECT_EQ(LoadTextLines(fs, dir / "x.txt"), (std::vector<std::string>{"会議", "～"}));
  // No temporary file is left behind.
  EXPECT_EQ(fs.List(dir.path(), "*").size(), 1u);
}

TEST(TextFile, OnlyAMissingFileReadsAsEmpty) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  EXPECT_TRUE(LoadLines(fs, dir / "none.sch").empty());
  dir.Write("bad.sch", "05\r\n");
  fs.unreadable.insert(dir / "bad.sch");
  EXPECT_THROW(LoadLines(fs, dir / "bad.sch"), FileError);
  dir.MakeFolder("folder.sch");
  platform::PosixFileSystem real;
  EXPECT_THROW(LoadLines(real, dir / "folder.sch"), FileError);
}

TEST(TextFile, AFailedWriteKeepsTheOldFile) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  dir.Write("a.sch", "old\r\n");
  fs.unwritable.insert(dir / "a.sch");
  EXPECT_THROW(SaveLines(fs, dir / "a.sch", {"new"}), FileError);
  EXPECT_EQ(dir.Read("a.sch"), "old\r\n");
}

// A file the user made read-only is not replaced, though its folder would allow the rename.
TEST(TextFile, AReadOnlyFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file; BadInputPermissions runs this as nobody";
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.Write("a.sch", "old\r\n");
  ::chmod((dir / "a.sch").c_str(), 0444);
  try {
    SaveLines(fs, dir / "a.sch", {"new"});
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), WriteErrorMessage(dir / "a.sch", "Permission denied"));
  }
  EXPECT_EQ(dir.Read("a.sch"), "old\r\n");
  EXPECT_EQ(fs.List(dir.path(), "*").size(), 1u);
}

TEST(TextFile, RefusesToSaveACharacterCp932CannotHold) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  EXPECT_THROW(SaveTextLines(fs, dir / "m.txt", {"😀"}), FileError);
  EXPECT_FALSE(dir.Exists("m.txt"));
}

}  // namespace
}  // namespace kal::store
