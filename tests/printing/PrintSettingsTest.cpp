#include "printing/PrintSettings.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "store/IniFile.h"
#include "support/TempFolder.h"

namespace kal::printing {
namespace {

using store::IniFile;

TEST(PrintSettings, AMissingFileGivesTheSettingsOfANewInstallation) {
  const PrintSettings s = LoadPrintSettings(IniFile{}, "IPAexGothic");
  EXPECT_EQ(PrintSettingsRows(s), (std::vector<std::array<std::string, 3>>{
                                      {"Title", "Title", "yyyy年 m月のスケジュール"},
                                      {"Title", "TFont", "IPAexGothic,14,2,0"},
                                      {"Title", "Date", "yyyy.mm.dd"},
                                      {"TiTle", "TitlePos", "0"},
                                      {"TiTle", "DatePos", "0"},
                                      {"Margin", "Top", "10"},
                                      {"Margin", "Bottom", "10"},
                                      {"Margin", "Left", "10"},
                                      {"Margin", "Right", "10"},
                                      {"Option", "Item", "11111111100"},
                                      {"Option", "DayFont", "12"},
                                      {"Option", "FontSize", "9"},
                                      {"Option", "LinePitch", "6"},
                                      {"Option", "Orientation", "1"},
                                      {"Option", "OtherMonth", "2"},
                                      {"Option", "SchCr", "0"},
                                      {"Option", "RenWaku", "1"},
                                      {"Option", "Color", "0"},
                                  }));
  // Every item but the two ToDo items.
  for (int item = 0; item < kPrintItemCount; ++item)
    EXPECT_EQ(s.ItemOn(item), item != kPrintTodoOpen && item != kPrintTodoDone) << item;
}

TEST(PrintSettings, ItemCharactersOtherThanDigitsAndMissingOnesAreOn) {
  struct Case {
    const char* stored;
    const char* held;
  };
  for (const Case& c : {Case{"00000000000", "00000000000"}, Case{"1x2 9", "11010111111"},
                        Case{"0", "01111111111"}, Case{"", "11111111111"},
                        Case{"111111111110000", "11111111111"}}) {
    const PrintSettings s = LoadPrintSettings(IniFile::FromLines({"[Option]", std::string("Item=") + c.stored}), "F");
    EXPECT_EQ(s.items, c.held) << c.stored;
    for (int item = 0; item < kPrintItemCount; ++item) EXPECT_EQ(s.ItemOn(item), c.held[item] == '1') << c.stored;
  }
}

TEST(PrintSettings, ValuesAreReadWhateverTheCaseOfTheSectionAndMendedIntoRange) {
  const PrintSettings s = LoadPrintSettings(
      IniFile::FromLines({"[title]", "Title=eee yyyy", "TFont=\"ＭＳ 明朝\",20,5,255", "TitlePos=2", "DatePos=7", "Date=(なし)",
                          "[MARGIN]", "Top=0", "Left=-4", "Right=abc", "[Option]", "DayFont=99", "FontSize=3",
                          "LinePitch=9", "Orientation=0", "OtherMonth=1", "SchCr=1", "RenWaku=0", "Color=1"}),
      "F");
  EXPECT_EQ(s.title, "eee yyyy");
  EXPECT_EQ(s.title_font, (TitleFont{"ＭＳ 明朝", 20, 5, 255}));
  EXPECT_EQ(s.title_pos, 2);
  EXPECT_EQ(s.date_pos, 1);
  EXPECT_EQ(s.date, "(なし)");
  EXPECT_EQ(s.top, 0);
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.right, 10);  // not a number: the default
  EXPECT_EQ(s.bottom, 10);
  EXPECT_EQ(s.day_font, 16);
  EXPECT_EQ(s.font_size, 8);
  EXPECT_EQ(s.line_pitch, 7);
  EXPECT_FALSE(s.landscape());
  EXPECT_EQ(s.other_month, 1);
  EXPECT_TRUE(s.sch_cr);
  EXPECT_FALSE(s.ren_waku);
  EXPECT_TRUE(s.color);
}

TEST(PrintSettings, AShortTitleFontKeepsTheDefaultsOfItsMissingItems) {
  // The preview used to write the font without its colour.
  const PrintSettings s = LoadPrintSettings(IniFile::FromLines({"[Title]", "TFont=Serif,16"}), "Main");
  EXPECT_EQ(s.title_font, (TitleFont{"Serif", 16, 2, 0}));
  EXPECT_EQ(LoadPrintSettings(IniFile::FromLines({"[Title]", "TFont=,0,x"}), "Main").title_font,
            (TitleFont{"Main", 14, 2, 0}));
}

TEST(PrintSettings, SavingWritesEveryKeyAsCp932LinesAndKeepsForeignLines) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.WriteLines("Klprint.ini", {"; 手で書いた行", "[Title]", "Other=1"});
  PrintSettings s = DefaultPrintSettings("IPAexGothic");
  s.title = "ggge年 m月の予定 ";
  s.SetItem(kPrintTodoOpen, true);
  s.SetItem(kPrintRokuyo, false);
  s.other_month = OtherMonthOf(false, true);
  SavePrintSettingsFile(fs, dir.path(), s);
  EXPECT_EQ(dir.Read("Klprint.ini"),
            test::Sjis("; 手で書いた行\r\n[Title]\r\nOther=1\r\nTitle=\"ggge年 m月の予定 \"\r\nTFont=IPAexGothic,14,2,0\r\n"
                       "Date=yyyy.mm.dd\r\nTitlePos=0\r\nDatePos=0\r\n[Margin]\r\nTop=10\r\nBottom=10\r\nLeft=10\r\n"
                       "Right=10\r\n[Option]\r\nItem=01111111110\r\nDayFont=12\r\nFontSize=9\r\nLinePitch=6\r\n"
                       "Orientation=1\r\nOtherMonth=0\r\nSchCr=0\r\nRenWaku=1\r\nColor=0\r\n"));
  EXPECT_EQ(ReadPrintSettingsFile(fs, dir.path(), "IPAexGothic"), s);
}

TEST(PrintSettings, TheCheckBoxesGiveOtherMonth) {
  EXPECT_EQ(OtherMonthOf(false, false), 0);
  EXPECT_EQ(OtherMonthOf(false, true), 0);  // the light-colour box does not count when the first is clear
  EXPECT_EQ(OtherMonthOf(true, false), 1);
  EXPECT_EQ(OtherMonthOf(true, true), 2);
}

TEST(PrintSettings, TitlePatternsAreAppliedToTheFirstDayOfTheMonth) {
  struct Case {
    const char* pattern;
    int year, month;
    const char* title;
  };
  for (const Case& c : {Case{"yyyy年 m月のスケジュール", 2024, 5, "2024年 5月のスケジュール"},
                        Case{"ggge年 m月のスケジュール", 2024, 5, "令和6年 5月のスケジュール"},
                        Case{"eee yyyy", 2024, 5, "May 2024"}, Case{"eee/eee", 2023, 12, "December/December"},
                        Case{"yyyy年 m月（aaa）", 2024, 9, "2024年 9月（日）"}, Case{"", 2024, 1, ""}}) {
    EXPECT_EQ(PrintTitleText(c.pattern, c.year, c.month), c.title) << c.pattern;
  }
}

TEST(PrintSettings, TheCreationDateIsTodayInThePatternOrNothing) {
  const store::Date today = store::MakeDate(2024, 5, 20);
  EXPECT_EQ(CreationDateText("yyyy.mm.dd", today), "2024.05.20");
  EXPECT_EQ(CreationDateText("作成者: ○○○　作成日: yyyy.mm.dd", today), "作成者: ○○○　作成日: 2024.05.20");
  EXPECT_EQ(CreationDateText("ggge年 m月 d日", today), "令和6年 5月 20日");
  EXPECT_EQ(CreationDateText("(なし)", today), std::nullopt);
  EXPECT_EQ(CreationDateText(" (なし) ", today), std::nullopt);
  EXPECT_EQ(CreationDateText("", today), std::nullopt);
}

}  // namespace
}  // namespace kal::printing
