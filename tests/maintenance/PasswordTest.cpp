#include "maintenance/Password.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::maintenance {
namespace {

using platform::MsgIcon;
using Outcome = PasswordEntry::Outcome;

TEST(PasswordFile, HashedLineIsAsciiSaltedAndOwnerOnly) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  std::string error;
  ASSERT_TRUE(StorePassword(fs, dir.path(), " ab c ", &error)) << error;
  const std::string first = dir.Read("Kalendor.pwd");
  EXPECT_EQ(first.rfind("pbkdf2-sha256$", 0), 0u);
  EXPECT_EQ(first.find("ab c"), std::string::npos);
  for (unsigned char c : first) EXPECT_LT(c, 0x80);
  struct stat st {};
  ASSERT_EQ(::stat((dir / "Kalendor.pwd").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  const StoredPassword stored = ReadStoredPassword(fs, dir.path());
  EXPECT_EQ(stored.kind, StoredKind::Hashed);
  EXPECT_TRUE(Matches(stored, " ab c "));
  EXPECT_FALSE(Matches(stored, "ab c"));
  EXPECT_FALSE(Matches(stored, " AB C "));

  StorePassword(fs, dir.path(), " ab c ", &error);
  EXPECT_NE(dir.Read("Kalendor.pwd"), first);  // a new salt each time
}

TEST(PasswordFile, KnownVectorOfTheHash) {
  // The published PBKDF2-HMAC-SHA256 vector for "password", "salt", one iteration, 32 bytes.
  EXPECT_EQ(HashLine("password", "salt", 1),
            "pbkdf2-sha256$1$73616c74$120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
}

TEST(PasswordFile, EmptyDamagedOrMissingFilesAreNotAPassword) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  EXPECT_FALSE(PasswordSet(fs, dir.path()));
  // A round count far above ours (a damaged or planted file) would make every entry hash for
  // minutes: such a line is not one of ours.
  const std::string huge_count =
      "pbkdf2-sha256$999999999$73616c74$120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b\r\n";
  for (const std::string& bytes : {std::string(""), std::string("\r\n"), std::string("pbkdf2-sha256$x$00$11\r\n"),
                                  std::string("plain text\r\n"), huge_count}) {
    dir.Write("Kalendor.pwd", bytes);
    EXPECT_FALSE(PasswordSet(fs, dir.path())) << bytes;
    test::FakeDialogs dialogs;
    PasswordEntry entry(fs, dir.path());
    EXPECT_EQ(entry.Try(dialogs, "anything"), Outcome::StayOpen) << bytes;
    EXPECT_EQ(dialogs.shown.at(0).text, "パスワードが違います。");
  }
}

TEST(PasswordEntryDialog, ThreeWrongEntriesRefuseTwoWrongAndARightOneAccept) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  std::string error;
  StorePassword(fs, dir.path(), "kal1", &error);
  {
    test::FakeDialogs dialogs;
    PasswordEntry entry(fs, dir.path());
    EXPECT_EQ(entry.Try(dialogs, "x1"), Outcome::StayOpen);
    EXPECT_EQ(entry.Try(dialogs, "x2"), Outcome::StayOpen);
    EXPECT_EQ(entry.Try(dialogs, "x3"), Outcome::Refused);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].text, "パスワードが違います。");
    EXPECT_EQ(dialogs.shown[2].caption, "Kalendor");
    EXPECT_EQ(dialogs.shown[2].icon, MsgIcon::Error);
  }
  test::FakeDialogs dialogs;
  PasswordEntry entry(fs, dir.path());
  EXPECT_EQ(entry.Try(dialogs, "x1"), Outcome::StayOpen);
  EXPECT_EQ(entry.Try(dialogs, "  "), Outcome::StayOpen);  // empty input is not a try
  EXPECT_EQ(entry.Try(dialogs, "123456789"), Outcome::StayOpen);
  EXPECT_EQ(entry.Try(dialogs, "x2"), Outcome::StayOpen);
  EXPECT_EQ(entry.Try(dialogs, "kal1"), Outcome::Accepted);
  ASSERT_EQ(dialogs.shown.size(), 4u);
  EXPECT_EQ(dialogs.shown[1].text, "パスワードを入力して下さい。");
  EXPECT_EQ(dialogs.shown[2].text, "入力文字数が多すぎます。");
}

TEST(PasswordEntryDialog, AnOlderScrambledFileIsVerifiedThenReplacedByAHash) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const std::string legacy = LegacyLine("093000 240315", test::Sjis("鍵ab"));
  dir.Write("Kalendor.pwd", legacy + "\r\n");
  EXPECT_EQ(ReadStoredPassword(fs, dir.path()).kind, StoredKind::Legacy);
  test::FakeDialogs dialogs;
  PasswordEntry entry(fs, dir.path());
  EXPECT_EQ(entry.Try(dialogs, "鍵a"), Outcome::StayOpen);
  EXPECT_EQ(dir.Read("Kalendor.pwd"), legacy + "\r\n");
  EXPECT_EQ(entry.Try(dialogs, "鍵ab"), Outcome::Accepted);
  EXPECT_EQ(ReadStoredPassword(fs, dir.path()).kind, StoredKind::Hashed);
  PasswordEntry again(fs, dir.path());
  EXPECT_EQ(again.Try(dialogs, "鍵ab"), Outcome::Accepted);
}

TEST(PasswordRegistration, ChecksInOrderWithTheirFocus) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const StoredPassword none;
  struct Case {
    std::string current, fresh, again, message;
    EntryField focus;
  };
  const Case cases[] = {
      {"", "abc", "abc", "パスワードは４文字以上で入力して下さい。", EntryField::New},
      {"", "  abc  ", "  abc  ", "パスワードは４文字以上で入力して下さい。", EntryField::New},
      {"", "abcd", "abce", "新しいパスワードと再入力したパスワードが違います。", EntryField::Again},
      {"", "123456789", "123456789", kTooLongMessage, EntryField::New},
      {"", "日本語です", "日本語です", kTooLongMessage, EntryField::New},  // 10 bytes
      {"", "😀abcd", "😀abcd", kUnencodableMessage, EntryField::New},
      {"", " abcd ", " abcd ", "", EntryField::New},
      {"", "日本語", "日本語", "パスワードは４文字以上で入力して下さい。", EntryField::New},
      {"", "日本語a", "日本語a", "", EntryField::New},
  };
  for (const Case& c : cases) {
    const EntryCheck check = CheckRegistration(none, c.current, c.fresh, c.again);
    EXPECT_EQ(check.message, c.message) << c.fresh;
    if (!c.message.empty()) {
      EXPECT_EQ(check.focus, c.focus) << c.fresh;
    }
  }
  std::string error;
  StorePassword(fs, dir.path(), "old1", &error);
  const StoredPassword stored = ReadStoredPassword(fs, dir.path());
  const EntryCheck wrong = CheckRegistration(stored, "old2", "new1", "new1");
  EXPECT_EQ(wrong.message, "現在のパスワードが違います。");
  EXPECT_EQ(wrong.focus, EntryField::Current);
  EXPECT_EQ(CheckRegistration(stored, "old1", "new1", "new1").message, "");
}

}  // namespace
}  // namespace kal::maintenance
