#include "mainwindow/NoteBook.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using test::Sjis;
using Titles = std::vector<std::string>;

const Titles kDefaults = {"目標", "重要", "購入", "アイデア", "秘密"};
const char* const kForbidden = "タブ名には次の文字は使えません。　　\\ / : , ; * ? \" < > |";

struct NoteFixture : ::testing::Test {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  NoteBook book{fs, dialogs};

  void Open(bool protection = false) { book.Open(dir.path(), protection); }
  std::string List() const { return dir.Read("Note.lst"); }
  static std::string ListOf(const Titles& titles) {
    std::string bytes;
    for (const auto& t : titles) bytes += Sjis(t) + "\r\n";
    return bytes;
  }
  void ExpectOneMessage(const std::string& text, const std::string& caption, MsgIcon icon = MsgIcon::Error) {
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, text);
    EXPECT_EQ(dialogs.shown[0].caption, caption);
    EXPECT_EQ(dialogs.shown[0].icon, icon);
    dialogs.shown.clear();
  }
};

TEST(NoteLines, TabExpansion) {
  struct Case {
    const char* line;
    const char* shown;
  };
  const Case cases[] = {
      {"a\tb", "a       b"},                // one letter, seven blanks
      {"\tx", "        x"},
      {"abcdefgh\ti", "abcdefgh        i"},  // at a multiple of 8 a tab still takes a full stop
      {"日本\t語", "日本    語"},          // a Japanese character counts two bytes
      {"a\t\tb", "a               b"},
      {"no tab", "no tab"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandNoteTabs(c.line), c.shown) << c.line;
}

TEST(NoteLines, Links) {
  struct Case {
    const char* line;
    std::size_t length;  // 0: no link
    const char* target;
  };
  const Case cases[] = {
      {"HttpS://example.jp/a?b=1 の記事を読む", 25, "HttpS://example.jp/a?b=1"},
      {"http://example.jp", 17, "http://example.jp"},
      {"FILE:///home/me/a%20b.txt", 25, "FILE:///home/me/a%20b.txt"},
      {"mailto:me@example.jp 宛て", 21, "mailto:me@example.jp"},
      {"ftp://example.jp", 0, ""},
      {" http://example.jp", 0, ""},
      {"https:/x", 0, ""},
      {"メモ http://example.jp", 0, ""},
  };
  for (const auto& c : cases) {
    auto link = FindNoteLink(c.line);
    if (c.length == 0) {
      EXPECT_FALSE(link) << c.line;
      continue;
    }
    ASSERT_TRUE(link) << c.line;
    EXPECT_EQ(link->length, c.length) << c.line;
    EXPECT_EQ(link->target, c.target) << c.line;
  }
}

TEST(NoteLines, FileLinkIsAnEncodedUrlOfTheAbsolutePath) {
  EXPECT_EQ(FileLinkUrl("/home/me/My Documents/資料 2024.txt"),
            "file:///home/me/My%20Documents/%E8%B3%87%E6%96%99%202024.txt");
  EXPECT_EQ(FileLinkUrl("/tmp/a#b%c&d.txt"), "file:///tmp/a%23b%25c%26d.txt");
  EXPECT_EQ(FileLinkUrl("/tmp/plain-name_1.~txt"), "file:///tmp/plain-name_1.~txt");
  // The whole link is one link text: it has no blank.
  auto link = FindNoteLink(FileLinkUrl("/home/me/My Documents/資料 2024.txt"));
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, "file:///home/me/My%20Documents/%E8%B3%87%E6%96%99%202024.txt");
}

TEST_F(NoteFixture, AFreshFolderShowsTheDefaultsAndARenameWritesAllFive) {
  Open();
  EXPECT_EQ(book.titles(), kDefaults);
  EXPECT_EQ(book.current(), 0);
  EXPECT_FALSE(dir.Exists("Note.lst"));
  EXPECT_TRUE(book.ShownLines().empty());

  book.SetCurrent(2);
  dialogs.input_texts.push_back("買い物");
  EXPECT_TRUE(book.RenameAsk());
  EXPECT_EQ(List(), ListOf({"目標", "重要", "買い物", "アイデア", "秘密"}));
  EXPECT_EQ(book.CurrentTitle(), "買い物");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(NoteFixture, AddPutsTheNoteFirstAndRefusesBadOrTakenTitles) {
  Open();
  dialogs.input_texts.push_back("");  // empty answer: nothing
  EXPECT_FALSE(book.AddAsk());
  dialogs.input_texts.push_back(std::nullopt);  // cancelled
  EXPECT_FALSE(book.AddAsk());
  EXPECT_FALSE(dir.Exists("Note.lst"));

  EXPECT_TRUE(book.Add("Ideas"));
  EXPECT_EQ(book.current(), 0);
  EXPECT_EQ(List(), ListOf({"Ideas", "目標", "重要", "購入", "アイデア", "秘密"}));

  const std::pair<const char*, std::string> refused[] = {
      {"a/b", kForbidden},
      {"IDEAS", "「IDEAS」は登録済みです。"},  // another tab, letter case not counted
      {"重要", "「重要」は登録済みです。"},
  };
  for (const auto& [title, message] : refused) {
    EXPECT_FALSE(book.Add(title)) << title;
    ExpectOneMessage(message, "エラー");
  }
  EXPECT_EQ(book.titles().size(), 6u);
}

TEST_F(NoteFixture, RenameMovesTheTextAndRefusesATakenTitle) {
  dir.WriteLines("Note.lst", {"Plan", "Shop", "秘密"});
  dir.WriteLines("Plan.not", {"一行目", "二行目"});
  dir.WriteLines("Orphan.not", {"残り"});
  Open();

  // Another tab's title, without regard to case; a file of that name; a forbidden character.
  const std::pair<const char*, std::string> refused[] = {
      {"shop", "「shop」は登録済みです。"},
      {"Orphan", "「Orphan」は登録済みです。"},
      {"P:lan", kForbidden},
  };
  for (const auto& [title, message] : refused) {
    EXPECT_FALSE(book.Rename(title)) << title;
    ExpectOneMessage(message, "エラー");
  }
  EXPECT_FALSE(book.Rename("Plan"));  // unchanged
  EXPECT_FALSE(book.Rename(""));
  EXPECT_TRUE(dialogs.shown.empty());

  EXPECT_TRUE(book.Rename("計画"));
  EXPECT_EQ(List(), ListOf({"計画", "Shop", "秘密"}));
  EXPECT_FALSE(dir.Exists("Plan.not"));
  EXPECT_EQ(dir.Read("計画.not"), Sjis("一行目") + "\r\n" + Sjis("二行目") + "\r\n");
  EXPECT_EQ(book.ShownLines(), (Titles{"一行目", "二行目"}));

  // Only the letter case changes: allowed, it is the same tab.
  book.SetCurrent(1);
  EXPECT_TRUE(book.Rename("SHOP"));
  EXPECT_EQ(book.titles(), (Titles{"計画", "SHOP", "秘密"}));
}

TEST_F(NoteFixture, ARenameThatCannotWriteTheListKeepsTheNoteUnderItsOldName) {
  dir.WriteLines("Note.lst", {"Plan", "Shop"});
  dir.WriteLines("Plan.not", {"大事な内容"});
  Open();
  fs.unwritable.insert(dir / "Note.lst");
  EXPECT_TRUE(book.Rename("New"));  // shown again after the error
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_NE(dialogs.shown[0].text.find("Note.lst"), std::string::npos);
  EXPECT_EQ(book.titles(), (Titles{"Plan", "Shop"}));
  EXPECT_EQ(dir.Read("Plan.not"), Sjis("大事な内容") + "\r\n");
  EXPECT_FALSE(dir.Exists("New.not"));

  // A note file that cannot be copied: the list stays.
  dialogs.shown.clear();
  fs.unwritable = {dir / "New.not"};
  EXPECT_TRUE(book.Rename("New"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(List(), ListOf({"Plan", "Shop"}));
  EXPECT_EQ(dir.Read("Plan.not"), Sjis("大事な内容") + "\r\n");
}

TEST_F(NoteFixture, DeleteRefusalsConfirmationAndOrder) {
  dir.WriteLines("Note.lst", {"Only"});
  Open();
  EXPECT_FALSE(book.Delete(true));
  ExpectOneMessage("ノートは最低１つのタブが必要です。", "エラー");

  dir.WriteLines("Note.lst", {"A", "B"});
  Open(/*protection=*/true);
  EXPECT_FALSE(book.Delete(true));
  ExpectOneMessage("「B」はパスワードで保護されています。", "エラー");

  dir.WriteLines("Note.lst", {"A", "B", "C"});
  dir.WriteLines("A.not", {"x"});
  Open(true);
  dialogs.answers.push_back(MsgAnswer::No);
  EXPECT_FALSE(book.Delete(true));
  ExpectOneMessage("「A」を削除します。\nよろしいですか？", "エラー", MsgIcon::Warning);
  EXPECT_TRUE(dir.Exists("A.not"));

  EXPECT_TRUE(book.Delete(true));  // Yes
  dialogs.shown.clear();
  EXPECT_EQ(List(), ListOf({"B", "C"}));
  EXPECT_FALSE(dir.Exists("A.not"));
  EXPECT_EQ(book.current(), 0);
  // Two tabs left with protection on: C is the protected one, nothing more can be deleted.
  EXPECT_TRUE(book.IsProtected(1));
  EXPECT_FALSE(book.Delete(false));
  ExpectOneMessage("「C」はパスワードで保護されています。", "エラー");

  // With protection on and three tabs, deleting the last makes the second the protected one.
  dir.WriteLines("Note.lst", {"A", "B", "C"});
  Open(true);
  book.SetCurrent(2);
  EXPECT_TRUE(book.Delete(false));
  EXPECT_EQ(book.titles(), (Titles{"A", "B"}));
  EXPECT_TRUE(book.IsProtected(1));
}

TEST_F(NoteFixture, ADeleteThatCannotWriteTheListKeepsTheNoteFile) {
  dir.WriteLines("Note.lst", {"A", "B"});
  dir.WriteLines("A.not", {"残す"});
  Open();
  fs.unwritable.insert(dir / "Note.lst");
  book.Delete(false);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dir.Exists("A.not"));
  EXPECT_EQ(book.titles(), (Titles{"A", "B"}));
}

TEST_F(NoteFixture, MovingTabs) {
  Open(true);
  EXPECT_FALSE(book.CanMoveUp());
  EXPECT_FALSE(book.MoveUp());
  // Without Note.lst the tabs as shown are written in their new order.
  EXPECT_TRUE(book.MoveDown());
  EXPECT_EQ(List(), ListOf({"重要", "目標", "購入", "アイデア", "秘密"}));
  EXPECT_EQ(book.CurrentTitle(), "目標");

  book.SetCurrent(3);  // アイデア: down would take the protected last place
  EXPECT_FALSE(book.MoveDown());
  ExpectOneMessage("「秘密」はパスワードで保護されていため移動はできません。", "ノートの移動");
  EXPECT_TRUE(book.MoveUp());
  EXPECT_EQ(book.titles(), (Titles{"重要", "目標", "アイデア", "購入", "秘密"}));
  EXPECT_EQ(book.current(), 2);

  book.SetProtection(false);
  book.SetCurrent(3);
  EXPECT_TRUE(book.MoveDown());
  EXPECT_EQ(book.titles(), (Titles{"重要", "目標", "アイデア", "秘密", "購入"}));
  EXPECT_FALSE(book.CanMoveDown());
}

TEST_F(NoteFixture, TheProtectedTabAsksAndFallsBackToTheFirst) {
  dir.WriteLines("Note.lst", {"A", "B", "秘密"});
  dir.WriteLines("秘密.not", {"暗証番号"});
  Open(true);
  EXPECT_EQ(book.SelectTab(1), 1);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(book.SelectTab(2), 0);
  ExpectOneMessage(kNotePasswordUnavailable, kNotePasswordCaption);

  int asked = 0;
  book.ask_password = [&] { return ++asked > 0; };
  EXPECT_EQ(book.SelectTab(2), 2);
  EXPECT_EQ(book.ShownLines(), (Titles{"暗証番号"}));
  EXPECT_EQ(asked, 1);
  // Without protection nobody asks.
  Open(false);
  book.ask_password = [&] { ++asked; return false; };
  EXPECT_EQ(book.SelectTab(2), 2);
  EXPECT_EQ(asked, 1);
}

TEST_F(NoteFixture, ClearDeleteLineAndInsertLink) {
  dir.WriteLines("Note.lst", {"Links"});
  Open();
  // Appended with no line selected; the note file is created.
  EXPECT_TRUE(book.InsertLink("/home/me/資料 A.pdf", -1));
  EXPECT_EQ(dir.Read("Links.not"), "file:///home/me/%E8%B3%87%E6%96%99%20A.pdf\r\n");

  dir.WriteLines("Links.not", {"one", "two", "three", "four"});
  EXPECT_TRUE(book.InsertLink("/x/y.txt", 2));  // line 3 selected: it becomes line 3
  EXPECT_EQ(dir.Read("Links.not"), "one\r\ntwo\r\nfile:///x/y.txt\r\nthree\r\nfour\r\n");

  EXPECT_TRUE(book.DeleteLine(0));
  EXPECT_EQ(dir.Read("Links.not"), "two\r\nfile:///x/y.txt\r\nthree\r\nfour\r\n");
  EXPECT_FALSE(book.DeleteLine(9));

  // The chooser: an existing file is linked, a cancel does nothing.
  dir.Write("doc folder/メモ.txt", "x");
  dialogs.file_names.push_back(dir / "doc folder/メモ.txt");
  EXPECT_TRUE(book.InsertLinkAsk(dir.path(), -1));
  EXPECT_EQ(book.ShownLines().back(), FileLinkUrl(dir / "doc folder/メモ.txt"));
  dialogs.file_names.push_back(std::nullopt);
  EXPECT_FALSE(book.InsertLinkAsk(dir.path(), -1));

  dialogs.answers.push_back(MsgAnswer::No);
  EXPECT_FALSE(book.Clear());
  ExpectOneMessage("「Links」の内容をすべて消去します。\nよろしいですか？", "内容の消去", MsgIcon::Warning);
  EXPECT_TRUE(book.CurrentExists());
  EXPECT_TRUE(book.Clear());
  EXPECT_FALSE(dir.Exists("Links.not"));
  EXPECT_FALSE(book.CurrentExists());

  // Deleting the only line of a note deletes its file.
  dir.WriteLines("Links.not", {"last"});
  EXPECT_TRUE(book.DeleteLine(0));
  EXPECT_FALSE(dir.Exists("Links.not"));
}

TEST_F(NoteFixture, AnUnreadableNoteIsShownAsAnError) {
  dir.WriteLines("Note.lst", {"A"});
  dir.WriteLines("A.not", {"x"});
  fs.unreadable.insert(dir / "A.not");
  Open();
  EXPECT_TRUE(book.ShownLines().empty());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  dialogs.shown.clear();
  // A line delete stops instead of writing a note it could not read.
  book.DeleteLine(0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  fs.unreadable.clear();
  EXPECT_EQ(dir.Read("A.not"), "x\r\n");
}

}  // namespace
}  // namespace kal::mainwindow
