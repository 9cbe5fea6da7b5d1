#include "store/DayFile.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

std::string ThirtyTwo(const std::vector<std::pair<int, std::string>>& lines) {
  std::vector<std::string> all(32, "00");
  for (const auto& [n, l] : lines) all[static_cast<std::size_t>(n)] = l;
  return JoinLines(all);
}

// A day line from its parts: the first six bytes, the colour field and the three texts, each at
// its width, trimmed on the right.
std::string L(const std::string& head, const std::string& colour = "", const std::string& max = "",
              const std::string& min = "", const std::string& rain = "") {
  std::string line = head;
  line.resize(6, ' ');
  auto pad = [](std::string t, std::size_t w) { t.resize(w, ' '); return t; };
  line += pad(colour, 9) + pad(max, 3) + pad(min, 3) + pad(rain, 3);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

TEST(DayFile, PathAndFill) {
  EXPECT_EQ(DayFilePath("/d/", 2024, 1), "/d/202401.day");
  EXPECT_EQ(DayFilePath("/d", 2024, 12), "/d/202412.day");
  std::vector<std::string> lines = {"0500", ""};
  FillDayLines(lines);
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_EQ(lines[0], "0500");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[31], "00");
}

TEST(DayFile, ReadsTheFields) {
  auto d = ReadDayLine(Sjis("0S1233$0000FF  25 -3 --"));
  EXPECT_EQ(d.reserved, "0");
  EXPECT_EQ(d.colour_code, 'S');
  EXPECT_EQ(d.weather1, 1);
  EXPECT_EQ(d.transition, 2);
  EXPECT_EQ(d.weather2, 3);
  EXPECT_EQ(d.memo_colour, '3');
  EXPECT_EQ(d.colour, "$0000FF");
  EXPECT_EQ(d.max_temp, "25");
  EXPECT_EQ(d.min_temp, "-3");
  EXPECT_EQ(d.rain, "--");
  auto bad = ReadDayLine("0xA");
  EXPECT_EQ(bad.weather1, 0);  // not a digit
  EXPECT_EQ(ReadDayLine("").colour_code, '0');
}

TEST(DayFile, ColourMenuCodes) {
  std::string codes;
  for (const auto& item : DayColourItems()) codes += item.code;
  EXPECT_EQ(codes, "0159SMBN");
  EXPECT_STREQ(DayColourItems()[4].caption, "□(&S)");
  EXPECT_EQ(DayColourItemFor('M'), 5);
  EXPECT_EQ(DayColourItemFor('7'), 0);
  EXPECT_TRUE(DayColourHasColour('9'));
  EXPECT_TRUE(DayColourHasColour('S'));
  EXPECT_FALSE(DayColourHasColour('5'));
}

TEST(DayFile, CustomColourOnADayWithoutAFile) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.colours.push_back(0x00FF00);
  ASSERT_TRUE(SetDayColour(dialogs, fs, dir / "202401.day", 5, '9', 0));
  EXPECT_EQ(dir.Read("202401.day"), ThirtyTwo({{5, "09    $00FF00"}}));
}

TEST(DayFile, ColourChooserCancelledChangesNothing) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.colours.push_back(std::nullopt);
  EXPECT_FALSE(SetDayColour(dialogs, fs, dir / "202401.day", 5, 'S', 0));
  EXPECT_FALSE(dir.Exists("202401.day"));
}

TEST(DayFile, RebuildKeepsEveryFieldAtItsWidth) {
  struct Case {
    std::string old_line;
    char code;
    const char* colour;
    std::string expected;
  };
  const Case cases[] = {
      {L("09112", "$FF0000", "25", "10", "30"), '1', "", L("01112", "", "25", "10", "30")},
      {"0", '5', "", "05"},
      {"", 'M', "$123456", "0M    $123456"},
      {"00300", 'N', "$000000", "0N300 $000000"},
      {"0930", 'B', "$00FF00", "0B30  $00FF00"},  // a short line keeps its fields in place
      {"X0111", '0', "", "X0111"},                // the reserved byte stays as found
  };
  for (const auto& c : cases) EXPECT_EQ(RebuildDayLine(c.old_line, c.code, c.colour), c.expected) << c.old_line;
}

TEST(DayFile, WeatherChecks) {
  EXPECT_EQ(CheckWeather({1, 1, 1, "", "", ""}), std::optional<std::string>("天気の正しく選択して下さい。"));
  EXPECT_EQ(CheckWeather({1, 2, 0, "", "", ""}), std::optional<std::string>("天気の正しく選択して下さい。"));
  EXPECT_EQ(CheckWeather({1, 0, 0, "", "", ""}), std::nullopt);
  EXPECT_EQ(CheckWeather({1, 1, 3, "", "", ""}), std::nullopt);
  EXPECT_EQ(CheckWeather({0, 0, 0, "", "", ""}), std::nullopt);
}

TEST(DayFile, WeatherLines) {
  struct Case {
    std::string old_line;
    WeatherInput input;
    std::string expected;
  };
  const Case cases[] = {
      {"00", {1, 0, 0, "", "", ""}, "00100"},
      {"00", {3, 1, 1, "", "", ""}, "00311"},
      {"00", {0, 0, 0, "", "", "--"}, L("00000", "", "", "", "--")},
      {"00", {2, 3, 3, " 25", "-3", "50"}, L("00233", "", "25", "-3", "50")},
      // the memo-icon colour and colour field stay; the day colour stays
      {"090005$0000FF", {1, 0, 0, "", "", ""}, "091005$0000FF"},
      {"0M4", {0, 0, 0, "", "", ""}, "0M000"},
      // full-width digits are cut at a character boundary
      {"00", {1, 0, 0, "２５", "", ""}, L("00100", "", "２")},
      {"", {4, 0, 0, "", "", ""}, "00400"},
  };
  for (const auto& c : cases) {
    auto line = BuildWeatherLine(Sjis(c.old_line), c.input);
    ASSERT_TRUE(line.has_value()) << c.old_line;
    EXPECT_EQ(*line, Sjis(c.expected)) << c.old_line;
  }
  std::string error;
  EXPECT_FALSE(BuildWeatherLine("00", {0, 0, 0, "😀", "", ""}, &error).has_value());
  EXPECT_NE(error.find("最高気温"), std::string::npos);
}

TEST(DayFile, StoreWeatherKeepsTheMemoColour) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.Write("202401.day", ThirtyTwo({{3, "000004"}}));
  EXPECT_EQ(StoreWeather(fs, dir / "202401.day", 3, {2, 1, 3, "10", "", ""}), std::nullopt);
  EXPECT_EQ(dir.Read("202401.day"), ThirtyTwo({{3, L("002134", "", "10")}}));
  EXPECT_EQ(StoreWeather(fs, dir / "202401.day", 3, {2, 0, 2, "", "", ""}),
            std::optional<std::string>("天気の正しく選択して下さい。"));
  EXPECT_EQ(dir.Read("202401.day"), ThirtyTwo({{3, L("002134", "", "10")}}));
}

TEST(DayFile, WritesTrimEveryLine) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.Write("202401.day", "00  \r\n0100 \r\n");
  test::FakeDialogs dialogs;
  ASSERT_TRUE(SetDayColour(dialogs, fs, dir / "202401.day", 2, '5', 0));
  EXPECT_EQ(dir.Read("202401.day"), ThirtyTwo({{0, "00"}, {1, "0100"}, {2, "05"}}));
}

TEST(DayFile, StoreWeatherStopsOnAnUnreadableFile) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  dir.Write("202401.day", "00\r\n");
  fs.unreadable.insert(dir / "202401.day");
  EXPECT_THROW(StoreWeather(fs, dir / "202401.day", 3, {1, 0, 0, "", "", ""}), FileError);
  EXPECT_EQ(dir.Read("202401.day"), "00\r\n");
}

TEST(DayFile, WeatherDialogOpensFromTheLine) {
  EXPECT_EQ(WeatherInputFromLine(L("00312", "$FFFFFF", "10", " 5", "--")), (WeatherInput{3, 1, 2, "10", "5", "--"}));
  EXPECT_EQ(WeatherInputFromLine(""), WeatherInput{});
  EXPECT_EQ(WeatherDialogCaption(MakeDate(2024, 3, 5)), "天気情報入力 - 2024/3/5");
}

TEST(DayFile, WeatherTip) {
  EXPECT_EQ(WeatherTip(L("00112", "", "25", "10", "30")), " 晴れのち曇り 最高: 25℃ 最低: 10℃ 降水確率: 30 ");
  EXPECT_EQ(WeatherTip(Sjis("00300")), " 雨 ");
  EXPECT_EQ(WeatherTip(L("00000", "", "", "-2")), " 最低: -2℃ ");
  EXPECT_EQ(WeatherTip(Sjis("05")), "");
}

}  // namespace
}  // namespace kal::store
