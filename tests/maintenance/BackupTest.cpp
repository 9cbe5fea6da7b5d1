#include "maintenance/Backup.h"

#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::maintenance {
namespace {

using platform::MsgAnswer;
using platform::MsgIcon;

// A program folder whose six data folders are its subfolders, or all the program folder itself.
app::Folders FoldersIn(const test::TempFolder& dir, bool separate) {
  app::Folders f;
  f.program = dir.path();
  auto sub = [&](const char* name) { return separate ? dir.path() + name + "/" : dir.path(); };
  f.data = sub("data");
  f.memo = sub("memo");
  f.todo = sub("todo");
  f.note = sub("note");
  f.category = sub("cate");
  f.table = sub("tbl");
  app::FileNameSet(f);
  return f;
}

// One file of every kind, in one shared folder.
void WriteEveryKind(const test::TempFolder& dir) {
  for (const char* name : {"202401.sch", "202401.day", "202401.dtl", "Holiday.dat", "20240105.mem", "202401.mem",
                           "MemoTemp.txt", "Todokl.dat", "Todokl.dtl", "Note.lst", "1.not", "Category.tbl",
                           "Klcat001.bmp", "SchTitle.tbl", "Alarm.tbl", "Kalendor.ini", "other.txt"}) {
    dir.Write(name, std::string("bytes of ") + name + "\r\n\x82\xa0");
  }
}

const platform::LocalDateTime kNow{store::MakeDate(2024, 3, 15), 9, 5, 7};

TEST(Backup, EveryKindGoesIntoItsSubfolderAndTodoDetailsOnlyIntoTodo) {
  test::TempFolder data, backup;
  WriteEveryKind(data);
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  const BackupResult result = RunBackup(fs, dialogs, FoldersIn(data, false), backup.path(), true, kNow);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.folder, backup.path() + "Kalendor_20240315_090507");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Data", "202401.sch"}, {"Data", "202401.day"},   {"Data", "202401.dtl"},   {"Data", "Holiday.dat"},
      {"Memo", "20240105.mem"}, {"Memo", "202401.mem"}, {"Memo", "MemoTemp.txt"}, {"Todo", "Todokl.dat"},
      {"Todo", "Todokl.dtl"}, {"Note", "1.not"},        {"Note", "Note.lst"},     {"Cate", "Category.tbl"},
      {"Cate", "Klcat001.bmp"}, {"Tbl", "SchTitle.tbl"}, {"Tbl", "Alarm.tbl"}};
  ASSERT_EQ(result.outcome.copied.size(), expected.size());
  for (const auto& [sub, name] : expected) {
    const std::string copy = "Kalendor_20240315_090507/" + sub + "/" + name;
    EXPECT_EQ(backup.Read(copy), data.Read(name)) << copy;
  }
  EXPECT_FALSE(backup.Exists("Kalendor_20240315_090507/Data/Todokl.dtl"));
  EXPECT_FALSE(backup.Exists("Kalendor_20240315_090507/Tbl/Kalendor.ini"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "バックアップ完了しました。\n" + result.folder);
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Information);
}

TEST(Backup, ASecondBackupInTheSameSecondGetsItsOwnFolder) {
  test::TempFolder data, backup;
  WriteEveryKind(data);
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  RunBackup(fs, dialogs, FoldersIn(data, false), backup.path(), true, kNow);
  const BackupResult second = RunBackup(fs, dialogs, FoldersIn(data, false), backup.path(), true, kNow);
  EXPECT_TRUE(second.ok);
  EXPECT_EQ(second.folder, backup.path() + "Kalendor_20240315_090507_2");
}

TEST(Backup, RefusalsCopyNothingAndSaySo) {
  test::TempFolder data;
  WriteEveryKind(data);
  const app::Folders folders = FoldersIn(data, false);
  platform::PosixFileSystem fs;
  struct Case {
    std::string chosen;
    bool dated;
    std::string message;
  };
  const Case cases[] = {
      {data.path() + "missing", true, "指定したフォルダは存在しません。"},
      {data.path(), false, kOverlapMessage},                     // the data folder itself
      {data.path().substr(0, data.path().size() - 1), false, kOverlapMessage},  // without its separator
  };
  for (const Case& c : cases) {
    test::FakeDialogs dialogs;
    const BackupResult result = RunBackup(fs, dialogs, folders, c.chosen, c.dated, kNow);
    EXPECT_FALSE(result.ok) << c.chosen;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.chosen;
    EXPECT_EQ(dialogs.shown[0].text, c.message);
    EXPECT_EQ(dialogs.shown[0].caption, "バックアップとデータ削除");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
  }
  EXPECT_FALSE(data.Exists("Data"));
}

TEST(Backup, NothingToCopyIsAnError) {
  test::TempFolder data, backup;
  test::FakeDialogs dialogs;
  platform::PosixFileSystem fs;
  const BackupResult result = RunBackup(fs, dialogs, FoldersIn(data, true), backup.path(), true, kNow);
  EXPECT_FALSE(result.ok);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "コピーするファイルがありません。");
}

TEST(Backup, AFailedCopyIsListedAndNoSuccessIsReported) {
  test::TempFolder data, backup;
  WriteEveryKind(data);
  test::FaultyFileSystem fs;
  fs.unreadable.insert(data / "202401.dtl");
  test::FakeDialogs dialogs;
  const BackupResult result = RunBackup(fs, dialogs, FoldersIn(data, false), backup.path(), false, kNow);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.outcome.copied.size(), 14u);
  ASSERT_EQ(result.outcome.failed.size(), 1u);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
  EXPECT_EQ(dialogs.shown[0].text, "バックアップは完了していません。次のファイルがコピーできませんでした。\n" +
                                       backup.path() + "Data/202401.dtl: Input/output error");
}

TEST(Backup, OverlapIsDecidedOnWholePathParts) {
  EXPECT_TRUE(FoldersOverlap("/a/b", "/a/b/"));
  EXPECT_TRUE(FoldersOverlap("/a/b/c", "/a/b"));
  EXPECT_TRUE(FoldersOverlap("/a", "/a/b/c/"));
  EXPECT_TRUE(FoldersOverlap("/a/./b/../b", "/a/b"));
  EXPECT_FALSE(FoldersOverlap("/a/bc", "/a/b"));
  EXPECT_FALSE(FoldersOverlap("/x/b", "/a/b"));
}

// ---- Restore ------------------------------------------------------------------------------------

struct RestoreFixture {
  test::TempFolder source, target, backup;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  RestoreFixture() {
    WriteEveryKind(source);
    test::FakeDialogs quiet;
    RunBackup(fs, quiet, FoldersIn(source, false), backup.path(), false, kNow);
  }
};

TEST(Restore, IntoOtherFoldersGivesBackEveryFileByteForByte) {
  RestoreFixture f;
  const app::Folders target = FoldersIn(f.target, true);
  f.dialogs.answers = {MsgAnswer::Yes};
  f.dialogs.file_names = {f.backup.path()};
  const RestoreResult result = MenRestoreClick(f.fs, f.dialogs, target, "");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(f.target.Read("data/202401.sch"), f.source.Read("202401.sch"));
  EXPECT_EQ(f.target.Read("memo/20240105.mem"), f.source.Read("20240105.mem"));
  EXPECT_EQ(f.target.Read("todo/Todokl.dtl"), f.source.Read("Todokl.dtl"));
  EXPECT_EQ(f.target.Read("note/Note.lst"), f.source.Read("Note.lst"));
  EXPECT_EQ(f.target.Read("cate/Klcat001.bmp"), f.source.Read("Klcat001.bmp"));
  EXPECT_EQ(f.target.Read("tbl/Alarm.tbl"), f.source.Read("Alarm.tbl"));
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.dialogs.shown[0].text, "バックアップデータのリストアを実行しますか？");
  EXPECT_EQ(f.dialogs.shown[0].caption, "確認");
  EXPECT_EQ(f.dialogs.shown[1].text, "15個のファイルのリストア完了しました。\nKalendorを再起動して下さい。");
}

TEST(Restore, IsRefusedWhileATargetFolderHoldsDataNamingTheFolder) {
  RestoreFixture f;
  const app::Folders target = FoldersIn(f.target, true);
  f.target.Write("memo/20231231.mem", "old");
  f.dialogs.answers = {MsgAnswer::Yes};
  f.dialogs.file_names = {f.backup.path()};
  const RestoreResult result = MenRestoreClick(f.fs, f.dialogs, target, "");
  EXPECT_FALSE(result.done);
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.dialogs.shown[1].text, f.target.path() + "memo にデータが存在するためリストアできません。");
  EXPECT_EQ(f.dialogs.shown[1].caption, "エラー");
  EXPECT_FALSE(f.target.Exists("data/202401.sch"));
}

TEST(Restore, AsksWithTheListBeforeReplacingTablesAndNoKeepsThem) {
  RestoreFixture f;
  const app::Folders target = FoldersIn(f.target, true);
  f.target.Write("tbl/Alarm.tbl", "mine");
  f.target.Write("cate/Category.tbl", "mine too");
  f.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::No};
  f.dialogs.file_names = {f.backup.path()};
  const RestoreResult result = MenRestoreClick(f.fs, f.dialogs, target, "");
  EXPECT_FALSE(result.done);
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  EXPECT_EQ(f.dialogs.shown[1].text, "次のファイルは上書きされます。\n" + f.target.path() + "cate/Category.tbl\n" +
                                         f.target.path() + "tbl/Alarm.tbl\nよろしいですか？");
  EXPECT_EQ(f.target.Read("tbl/Alarm.tbl"), "mine");
  EXPECT_FALSE(f.target.Exists("data/202401.sch"));
}

TEST(Restore, RefusesAFolderWithoutBackupAndAnOverlappingOne) {
  RestoreFixture f;
  EXPECT_EQ(RestoreRefusal(f.fs, FoldersIn(f.target, true), f.target.path()), kNoBackupMessage);
  // A backup inside the data folder it would restore into.
  test::FakeDialogs quiet;
  const app::Folders target = FoldersIn(f.target, false);
  f.target.MakeFolder("inside/Data");
  EXPECT_EQ(RestoreRefusal(f.fs, target, f.target.path() + "inside"), kOverlapMessage);
}

TEST(Restore, CancelledQuestionOrChooserCopiesNothing) {
  RestoreFixture f;
  const app::Folders target = FoldersIn(f.target, true);
  f.dialogs.answers = {MsgAnswer::No};
  EXPECT_FALSE(MenRestoreClick(f.fs, f.dialogs, target, "").done);
  f.dialogs.answers = {MsgAnswer::Yes};
  f.dialogs.file_names = {std::nullopt};
  EXPECT_FALSE(MenRestoreClick(f.fs, f.dialogs, target, "").done);
  EXPECT_FALSE(f.target.Exists("data"));
}

TEST(CliBackup, BackupAndRestoreIntoAnEmptyProgramFolderGiveBackEveryFile) {
  test::TempFolder source, empty, backup;
  WriteEveryKind(source);
  const auto saved = test::RunCliIn(source, {"backup", backup.path() + "set"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_NE(saved.out.find(backup.path() + "set/Data/202401.sch\n"), std::string::npos);
  const auto restored = test::RunCliIn(empty, {"restore", backup.path() + "set"});
  ASSERT_EQ(restored.status, 0) << restored.err;
  for (const char* name : {"202401.sch", "202401.day", "202401.dtl", "Holiday.dat", "20240105.mem", "202401.mem",
                           "MemoTemp.txt", "Todokl.dat", "Todokl.dtl", "Note.lst", "1.not", "Category.tbl",
                           "Klcat001.bmp", "SchTitle.tbl", "Alarm.tbl"}) {
    EXPECT_EQ(empty.Read(name), source.Read(name)) << name;
  }
  const auto again = test::RunCliIn(empty, {"restore", backup.path() + "set"});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, empty.path().substr(0, empty.path().size() - 1) + kDataPresentSuffix + std::string("\n"));
  const auto inside = test::RunCliIn(source, {"backup", source.path() + "b"});
  EXPECT_EQ(inside.status, 1);
  EXPECT_FALSE(source.Exists("b"));
}

}  // namespace
}  // namespace kal::maintenance
