#include "catalogues/Category.h"

#include <gtest/gtest.h>

#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using test::Sjis;

TEST(CategoryLine, FieldsAreReadByPosition) {
  const std::string line = Sjis("打ち合わせ    1 0000000016777164003");
  CategoryEntry e = ReadCategoryLine(line);
  EXPECT_EQ(e.name, "打ち合わせ");
  EXPECT_TRUE(e.checked);
  EXPECT_EQ(e.text_colour, 0);
  EXPECT_EQ(e.back_colour, 16777164);
  EXPECT_EQ(e.icon, 3);
}

TEST(CategoryLine, MissingBlankAndDamagedFieldsReadAsNone) {
  struct Case {
    const char* line;
    bool checked;
    std::optional<int> text, back;
    int icon;
  } cases[] = {
      {"Work          1", true, {}, {}, 0},                              // freshly added, 15 bytes
      {"Work          0 ", false, {}, {}, 0},                            // first 16 bytes only
      {"Work          1 00000255", true, 255, {}, 0},                    // line ends after the text colour
      {"Work          1         00000255", true, {}, 255, 0},            // blank text colour
      {"Work          1 0000abcd0000x255012", true, {}, {}, 12},         // colours not numbers
      {"Work          1                   7", true, {}, {}, 7},          // blanks before the icon digits
      {"Work          1                 07", true, {}, {}, 7},           // two digits of the icon
      {"Work          1                 abc", true, {}, {}, 0},          // icon not a number
      {"Work          1                 000", true, {}, {}, 0},          // icon 0 is none
      {"Work", false, {}, {}, 0},                                        // name only
      {"Work          x", false, {}, {}, 0},                             // flag neither 0 nor 1
      {"Work          1 99999999        ", true, {}, {}, 0},             // beyond any colour
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CategoryEntry e = ReadCategoryLine(c.line);
    EXPECT_EQ(e.name, "Work");
    EXPECT_EQ(e.checked, c.checked);
    EXPECT_EQ(e.text_colour, c.text);
    EXPECT_EQ(e.back_colour, c.back);
    EXPECT_EQ(e.icon, c.icon);
  }
}

TEST(CategoryLine, NameIsCutToFourteenBytesAtACharacterBoundary) {
  // 7 double-byte characters take 14 bytes; an eighth is cut off.
  auto field = NameField("あいうえおかきく");
  ASSERT_TRUE(field);
  EXPECT_EQ(*field, Sjis("あいうえおかき"));
  // An ASCII letter first leaves 13 bytes for double-byte ones: the seventh is cut, one blank pads.
  field = NameField("Aあいうえおかき");
  ASSERT_TRUE(field);
  EXPECT_EQ(*field, Sjis("Aあいうえおか "));
  EXPECT_EQ(NewCategoryLine(*NameField("Tab\there")), "Tab here      1");
  std::string bad;
  EXPECT_FALSE(NameField("😀", &bad));
  EXPECT_EQ(bad, "😀");
}

TEST(CategoryLine, CheckFlagRewriteKeepsTheRestOfTheLine) {
  const std::string line = Sjis("休暇          1 0000000013421823007");
  EXPECT_EQ(WithCheckFlag(line, false), Sjis("休暇          0 0000000013421823007"));
  EXPECT_EQ(WithCheckFlag(line, true), line);
  // A short line gains only the flag; a name-only line is padded to its 14 bytes first.
  EXPECT_EQ(WithCheckFlag("Work          1", false), "Work          0");
  EXPECT_EQ(WithCheckFlag("Work", true), "Work          1");
}

TEST(CategoryLine, FieldTexts) {
  EXPECT_EQ(ColourField(0), "00000000");
  EXPECT_EQ(ColourField(0xFFFFFF), "16777215");
  EXPECT_EQ(NoColourField(), "        ");
  EXPECT_EQ(IconField(7), "007");
  EXPECT_EQ(IconField(99), "099");
}

CategoryTable SampleTable() {
  return CategoryTable({Sjis("仕事          1 00000255        "), Sjis("Private       0 "), "Holiday       1",
                        Sjis("ＡＢＣ        0")});
}

TEST(CategoryTable, FindsByTheFourteenByteFieldWithoutRegardToCase) {
  CategoryTable table = SampleTable();
  EXPECT_EQ(table.Find(Sjis("仕事")), 0u);
  EXPECT_EQ(table.Find("PRIVATE"), 1u);
  EXPECT_EQ(table.Find("private       "), 1u);
  EXPECT_EQ(table.FindText("holiday"), 2u);
  EXPECT_EQ(table.FindText("Holidays"), std::nullopt);
  EXPECT_EQ(table.FindText(""), std::nullopt);
  // Only ASCII letters fold: full-width letters match only exactly.
  EXPECT_EQ(table.FindText("ＡＢＣ"), 3u);
  EXPECT_EQ(table.FindText("ａｂｃ"), std::nullopt);
}

TEST(CategoryTable, NamesThatDifferOnlyAfterByteFourteenAreTheSameCategory) {
  CategoryTable table({"Project-Alpha-1 "});  // stored as its first 14 bytes "Project-Alpha-"
  EXPECT_EQ(table.Entry(0).name, "Project-Alpha-");
  EXPECT_EQ(table.FindText("Project-Alpha-2"), 0u);
  EXPECT_EQ(table.FindText("project-alpha-zzz"), 0u);
  EXPECT_EQ(table.FindText("Project-Alpha"), std::nullopt);
}

TEST(CategoryTable, CaseFoldingNeverTouchesTheTrailByteOfADoubleByteCharacter) {
  // "ア" is 83 41 and "ャ" is 83 61: their trail bytes are "A" and "a".
  CategoryTable table({Sjis("ア            1")});
  EXPECT_EQ(table.FindText("ア"), 0u);
  EXPECT_EQ(table.FindText("ャ"), std::nullopt);
  EXPECT_EQ(CategoryKey(Sjis("ャa")), Sjis("ャA") + std::string(11, ' '));
}

TEST(CategoryTable, FirstMatchInTableOrderWins) {
  CategoryTable table({"Work          0 00000001", "WORK          1 00000002"});
  EXPECT_EQ(table.FindText("work"), 0u);
  EXPECT_EQ(table.Entry(*table.FindText("work")).text_colour, 1);
}

TEST(CategoryTable, ViewModesFilterByTheCheckFlag) {
  CategoryTable table = SampleTable();  // 仕事 ticked, Private unticked
  struct Case {
    int mode;
    bool ticked_shown, unticked_shown;
  } cases[] = {{kShowChecked, true, false}, {kShowUnchecked, false, true}, {kShowAll, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(table.ShownText("仕事", c.mode), c.ticked_shown);
    EXPECT_EQ(table.ShownText("private", c.mode), c.unticked_shown);
    EXPECT_EQ(table.Shown(Sjis("仕事          "), c.mode), c.ticked_shown);
    // Entries without a category, or with one not in the table, are never filtered.
    EXPECT_TRUE(table.ShownText("", c.mode));
    EXPECT_TRUE(table.ShownText("Unknown", c.mode));
  }
  EXPECT_TRUE(CategoryTable().ShownText("Anything", kShowChecked));
  EXPECT_TRUE(CategoryListEnabled(kShowChecked));
  EXPECT_TRUE(CategoryListEnabled(kShowUnchecked));
  EXPECT_FALSE(CategoryListEnabled(kShowAll));
}

TEST(CategoryTable, ScheduleCategoryFieldMatchesItsCategory) {
  store::ScheduleFields f;
  f.day = 5;
  f.category = "private";
  f.title = "x";
  auto built = store::BuildScheduleLine(f);
  ASSERT_TRUE(built.ok);
  store::ScheduleFields read = store::ReadScheduleLine(built.line);
  CategoryTable table = SampleTable();
  EXPECT_EQ(table.FindText(read.category), 1u);
  EXPECT_FALSE(table.ShownText(read.category, kShowChecked));
}

TEST(CategoryTable, RenamedCategoryNoLongerMatchesTheOldName) {
  CategoryTable table({"Meeting       1"});
  table.Reset({"Conference    1"});
  EXPECT_EQ(table.FindText("Meeting"), std::nullopt);
  EXPECT_TRUE(table.ShownText("Meeting", kShowChecked));
}

TEST(CategoryTable, SetCheckedRebuildsTheFilter) {
  CategoryTable table = SampleTable();
  table.SetChecked(1, true);
  EXPECT_EQ(table.lines()[1], "Private       1 ");
  EXPECT_TRUE(table.ShownText("Private", kShowChecked));
  EXPECT_FALSE(table.ShownText("Private", kShowUnchecked));
}

TEST(CategoryFile, DefaultTableBytes) {
  std::vector<std::string> lines = DefaultCategoryLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], Sjis("未分類        1 "));
  EXPECT_EQ(lines[5], Sjis("プライベート  1 0000000015125759"));
  for (const auto& line : lines) EXPECT_EQ(line.size(), lines[0] == line ? 16u : 32u);
  CategoryTable table(lines);
  EXPECT_EQ(table.Entry(1).name, "打ち合わせ");
  EXPECT_EQ(table.Entry(1).text_colour, 0);
  EXPECT_EQ(table.Entry(1).back_colour, 16777164);
  EXPECT_EQ(table.Entry(0).back_colour, std::nullopt);
}

TEST(CategoryFile, MissingFileIsAnEmptyTable) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  EXPECT_TRUE(LoadCategoryTable(fs, dir.path()).empty());
}

TEST(CategoryFile, CheckSetSavesTheWholeTableAtOnce) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.Write("Category.tbl", Sjis("未分類        1 \r\n休暇          1 0000000013421823\r\n"));
  CategoryTable table = LoadCategoryTable(fs, dir.path());
  ASSERT_EQ(table.size(), 2u);
  CategoryCheckSet(fs, dir.path(), table, 1, false);
  EXPECT_EQ(dir.Read("Category.tbl"), Sjis("未分類        1 \r\n休暇          0 0000000013421823\r\n"));
  EXPECT_FALSE(table.ShownText("休暇", kShowChecked));
}

TEST(CategoryFile, FailedCheckSetLeavesTheTableInMemoryUnchanged) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  dir.Write("Category.tbl", "Work          1\r\n");
  CategoryTable table = LoadCategoryTable(fs, dir.path());
  fs.unwritable.insert(CategoryFilePath(dir.path()));
  EXPECT_THROW(CategoryCheckSet(fs, dir.path(), table, 0, false), store::FileError);
  EXPECT_EQ(table.lines()[0], "Work          1");
  EXPECT_EQ(dir.Read("Category.tbl"), "Work          1\r\n");
}

TEST(CategoryFile, UnreadableTableStopsTheLoad) {
  test::TempFolder dir;
  dir.MakeFolder("Category.tbl");  // a folder where the file should be
  platform::PosixFileSystem fs;
  EXPECT_THROW(LoadCategoryTable(fs, dir.path()), store::FileError);
}

}  // namespace
}  // namespace kal::catalogues
