#include "store/NoteFile.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

TEST(NoteFile, TitlesFromTheListOrTheDefaults) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  EXPECT_EQ(LoadNoteTitles(fs, dir.path()), (std::vector<std::string>{"目標", "重要", "購入", "アイデア", "秘密"}));
  EXPECT_FALSE(NoteListExists(fs, dir.path()));

  SaveNoteTitles(fs, dir.path(), {"買い物", "Ideas"});
  EXPECT_EQ(dir.Read("Note.lst"), Sjis("買い物") + "\r\nIdeas\r\n");
  EXPECT_EQ(LoadNoteTitles(fs, dir.path()), (std::vector<std::string>{"買い物", "Ideas"}));

  dir.Write("Note.lst", "A\r\n\r\n  \r\nB\r\n");  // blank lines are no titles
  EXPECT_EQ(LoadNoteTitles(fs, dir.path()), (std::vector<std::string>{"A", "B"}));
  // Titles that name a file outside the folder, or hold a control character, are no tabs.
  dir.Write("Note.lst", "../../etc/passwd\r\nA\r\nsub/x\r\nB\x01\r\n..\\up\r\nB\r\n");
  EXPECT_EQ(LoadNoteTitles(fs, dir.path()), (std::vector<std::string>{"A", "B"}));
  dir.Write("Note.lst", "");  // an empty list is no tab at all
  EXPECT_TRUE(LoadNoteTitles(fs, dir.path()).empty());
}

TEST(NoteFile, TitleChecks) {
  const std::string forbidden = "タブ名には次の文字は使えません。　　\\ / : , ; * ? \" < > |";
  struct Case {
    const char* title;
    std::optional<std::string> refusal;
  };
  const Case cases[] = {
      {"買い物リスト", std::nullopt},
      {"Plan 2025", std::nullopt},
      {"a/b", forbidden},
      {"a\\b", forbidden},
      {"..\\x", forbidden},
      {"x?", forbidden},
      {"\"q\"", forbidden},
      {"a|b", forbidden},
      {"tab\there", std::string("タブ名には制御文字は使えません。")},
      {"😀", std::string("タブ名に保存できない文字「😀」が含まれています。")},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckNoteTitle(c.title), c.refusal) << c.title;
  EXPECT_TRUE(SameNoteTitle("Ideas", "IDEAS"));
  EXPECT_TRUE(SameNoteTitle("目標", "目標"));
  EXPECT_FALSE(SameNoteTitle("目標", "重要"));
  EXPECT_FALSE(SameNoteTitle("Idea", "Ideas"));
}

TEST(NoteFile, NoteTextGoldenBytesAndEmptyNoteHasNoFile) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  EXPECT_TRUE(LoadNote(fs, dir.path(), "購入").empty());
  EXPECT_TRUE(SaveNote(fs, dir.path(), "購入", {"牛乳", "\tパン"}));
  EXPECT_EQ(dir.Read("購入.not"), Sjis("牛乳") + "\r\n\t" + Sjis("パン") + "\r\n");
  EXPECT_EQ(LoadNote(fs, dir.path(), "購入"), (std::vector<std::string>{"牛乳", "\tパン"}));
  EXPECT_TRUE(NoteExists(fs, dir.path(), "購入"));

  try {
    SaveNote(fs, dir.path(), "購入", {"🍞"});
    FAIL() << "no refusal";
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "「購入」に保存できない文字「🍞」が含まれています。");
  }
  EXPECT_EQ(LoadNote(fs, dir.path(), "購入").size(), 2u);

  fs.unreadable.insert(dir / "購入.not");
  EXPECT_THROW(LoadNote(fs, dir.path(), "購入"), FileError);
  fs.unreadable.clear();

  EXPECT_FALSE(SaveNote(fs, dir.path(), "購入", {}));
  EXPECT_FALSE(dir.Exists("購入.not"));
}

}  // namespace
}  // namespace kal::store
