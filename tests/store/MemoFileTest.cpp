#include "store/MemoFile.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

TEST(MemoFile, NamesAndPaths) {
  EXPECT_EQ(MemoFileName(MemoId::OfDay(MakeDate(2024, 5, 3))), "20240503.mem");
  EXPECT_EQ(MemoFileName(MemoId::OfMonth(2024, 5)), "202405.mem");
  EXPECT_EQ(MemoPath("/m", MemoId::OfMonth(2024, 12)), "/m/202412.mem");
  EXPECT_EQ(MemoPath("/m/", MemoId::OfDay(MakeDate(2024, 12, 31))), "/m/20241231.mem");
  EXPECT_EQ(MemoTemplatePath("/m/"), "/m/MemoTemp.txt");
  EXPECT_EQ(MemoName(MemoId::OfDay(MakeDate(2024, 5, 3))), "2024年5月3日のメモ");
  EXPECT_EQ(MemoName(MemoId::OfMonth(2024, 11)), "2024年11月のメモ");
}

TEST(MemoFile, ParsesFileNames) {
  struct Case {
    const char* name;
    std::optional<MemoId> id;
  };
  const Case cases[] = {
      {"20240503.mem", MemoId{2024, 5, 3}},
      {"202405.mem", MemoId{2024, 5, 0}},
      {"20240229.MEM", MemoId{2024, 2, 29}},
      {"20230229.mem", std::nullopt},  // no such day
      {"20241301.mem", std::nullopt},
      {"202400.mem", std::nullopt},
      {"2024053.mem", std::nullopt},
      {"2024050a.mem", std::nullopt},
      {"20240503.txt", std::nullopt},
      {"MemoTemp.txt", std::nullopt},
      {".mem", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseMemoFileName(c.name), c.id) << c.name;
}

TEST(MemoFile, TextAndLines) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"\n", {""}},  // one empty line is a memo
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\r\nb", {"a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(MemoTextToLines(c.text), c.lines) << c.text;
  EXPECT_EQ(MemoLinesToText({"a", "", "b"}), "a\n\nb\n");
  EXPECT_EQ(MemoTextToLines(MemoLinesToText({""})), std::vector<std::string>{""});
  EXPECT_EQ(JoinMemoLines({"a", "b"}), "a\nb");
}

TEST(MemoFile, SavesGoldenBytesAndDeletesAnEmptyMemo) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const MemoId day = MemoId::OfDay(MakeDate(2024, 5, 3));
  EXPECT_TRUE(SaveMemo(fs, dir.path(), day, {"会議の準備", "", "～資料"}));
  EXPECT_EQ(dir.Read("20240503.mem"), Sjis("会議の準備") + "\r\n\r\n" + Sjis("～資料") + "\r\n");
  EXPECT_EQ(LoadMemo(fs, dir.path(), day), (std::vector<std::string>{"会議の準備", "", "～資料"}));

  // One empty line is kept: the file holds CR LF.
  EXPECT_TRUE(SaveMemo(fs, dir.path(), day, {""}));
  EXPECT_EQ(dir.Read("20240503.mem"), "\r\n");

  // No lines: the file goes.
  EXPECT_FALSE(SaveMemo(fs, dir.path(), day, {}));
  EXPECT_FALSE(dir.Exists("20240503.mem"));
  EXPECT_FALSE(SaveMemo(fs, dir.path(), day, {}));  // deleting again is no error
  EXPECT_TRUE(LoadMemo(fs, dir.path(), day).empty());
}

TEST(MemoFile, RefusesWhatItCannotStoreAndLosesNothing) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  const MemoId day = MemoId::OfDay(MakeDate(2024, 5, 3));
  dir.Write("20240503.mem", Sjis("元の内容") + "\r\n");

  // A character CP932 cannot hold: the refusal names the memo and the character; the file stays.
  try {
    SaveMemo(fs, dir.path(), day, {"絵文字😀"});
    FAIL() << "no refusal";
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "2024年5月3日のメモに保存できない文字「😀」が含まれています。");
  }
  EXPECT_EQ(dir.Read("20240503.mem"), Sjis("元の内容") + "\r\n");

  // A failed write keeps the old file.
  fs.unwritable.insert(dir / "20240503.mem");
  EXPECT_THROW(SaveMemo(fs, dir.path(), day, {"新しい内容"}), FileError);
  EXPECT_EQ(dir.Read("20240503.mem"), Sjis("元の内容") + "\r\n");

  // An unreadable memo is an error, never an empty memo.
  fs.unreadable.insert(dir / "20240503.mem");
  EXPECT_THROW(LoadMemo(fs, dir.path(), day), FileError);
}

TEST(MemoFile, MemosOfAMonthAndOfTheFolder) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  for (const char* name : {"20240510.mem", "202405.mem", "20240502.mem", "20240601.mem", "20240532.mem",
                           "MemoTemp.txt", "202404.mem"})
    dir.Write(name, "x\r\n");
  EXPECT_EQ(MemosOfMonth(fs, dir.path(), 2024, 5),
            (std::vector<MemoId>{{2024, 5, 2}, {2024, 5, 10}, {2024, 5, 0}}));
  EXPECT_TRUE(MemosOfMonth(fs, dir.path(), 2024, 7).empty());
  EXPECT_EQ(AllMemos(fs, dir.path()),
            (std::vector<MemoId>{{2024, 4, 0}, {2024, 5, 0}, {2024, 5, 2}, {2024, 5, 10}, {2024, 6, 1}}));
}

TEST(MemoFile, ColourByteInTheDayLine) {
  struct Case {
    std::string line;
    char digit;
    std::string expected;
  };
  const Case cases[] = {
      {"00", '2', "00   2"},                                 // short line padded to the field
      {"", '4', "     4"},
      {"0S1233$0000FF  25", '5', "0S1235$0000FF  25"},      // the rest of the line kept
      {"05000", '1', "050001"},
      {"050003$00FF00", '0', "050000$00FF00"},
  };
  for (const auto& c : cases) EXPECT_EQ(SetMemoColourInLine(c.line, c.digit), c.expected) << c.line;
}

TEST(MemoFile, StoringAColourFillsTheDayFileTo32Lines) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.Write("202405.day", "00\r\n00\r\n0500\r\n");
  StoreMemoColour(fs, dir.path(), MakeDate(2024, 5, 2), 1);
  std::vector<std::string> expected(32, "00");
  expected[2] = "0500 1";
  EXPECT_EQ(dir.Read("202405.day"), JoinLines(expected));
  EXPECT_EQ(StoredMemoColour(fs, dir.path(), MakeDate(2024, 5, 2)), 1);
  EXPECT_EQ(StoredMemoColour(fs, dir.path(), MakeDate(2024, 5, 3)), 0);
  EXPECT_EQ(StoredMemoColour(fs, dir.path(), MakeDate(2024, 6, 3)), 0);  // no file

  // A month without a day file gets one.
  StoreMemoColour(fs, dir.path(), MakeDate(2024, 7, 31), 5);
  expected.assign(32, "00");
  expected[31] = "00   5";
  EXPECT_EQ(dir.Read("202407.day"), JoinLines(expected));
}

TEST(MemoFile, DeletingADayMemoResetsItsColourAMonthMemoTouchesNoDayFile) {
  test::TempFolder memo, data;
  platform::PosixFileSystem fs;
  memo.Write("20240503.mem", "a\r\n");
  memo.Write("202405.mem", "b\r\n");
  std::vector<std::string> day_lines(32, "00");
  day_lines[3] = "0S1234$0000FF  25";
  day_lines[4] = "00   2";
  data.Write("202405.day", JoinLines(day_lines));

  EXPECT_EQ(MemoDeleteQuestion(MemoId::OfDay(MakeDate(2024, 5, 3))),
            "2024年5月3日 のメモを削除します。\nよろしいですか？");
  EXPECT_EQ(MemoDeleteQuestion(MemoId::OfMonth(2024, 5)), "2024年5月 のメモを削除します。\nよろしいですか？");

  EXPECT_TRUE(DeleteMemo(fs, memo.path(), data.path(), MemoId::OfDay(MakeDate(2024, 5, 3))));
  EXPECT_FALSE(memo.Exists("20240503.mem"));
  day_lines[3] = "0S1230$0000FF  25";
  EXPECT_EQ(data.Read("202405.day"), JoinLines(day_lines));

  const std::string before = data.Read("202405.day");
  EXPECT_TRUE(DeleteMemo(fs, memo.path(), data.path(), MemoId::OfMonth(2024, 5)));
  EXPECT_FALSE(memo.Exists("202405.mem"));
  EXPECT_EQ(data.Read("202405.day"), before);

  // No file: nothing happens, not even to the colour of day 4.
  EXPECT_FALSE(DeleteMemo(fs, memo.path(), data.path(), MemoId::OfDay(MakeDate(2024, 5, 4))));
  EXPECT_EQ(data.Read("202405.day"), before);
  // A day without a stored colour leaves the day file alone; no day file is created.
  memo.Write("20240601.mem", "c\r\n");
  EXPECT_TRUE(DeleteMemo(fs, memo.path(), data.path(), MemoId::OfDay(MakeDate(2024, 6, 1))));
  EXPECT_FALSE(data.Exists("202406.day"));
}

TEST(MemoFile, RemoveIfEmptyDeletesOnlyAnEmptyFile) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.Write("empty.mem", "");
  dir.Write("kept.mem", "\r\n");
  RemoveIfEmpty(fs, dir / "empty.mem");
  RemoveIfEmpty(fs, dir / "kept.mem");
  RemoveIfEmpty(fs, dir / "missing.mem");
  EXPECT_FALSE(dir.Exists("empty.mem"));
  EXPECT_TRUE(dir.Exists("kept.mem"));
}

}  // namespace
}  // namespace kal::store
