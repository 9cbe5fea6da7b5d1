// Backup and restore of the six data folders.
//
// A backup folder holds one subfolder per data folder, always in this order:
//
//   "Data"  the data folder      *.sch, *.day, *.dtl (not Todokl.dtl), Holiday.dat
//   "Memo"  the memo folder      *.mem, MemoTemp.txt
//   "Todo"  the ToDo folder      Todokl.*
//   "Note"  the note folder      *.not, Note.lst
//   "Cate"  the category folder  Category.tbl, Klcat*.bmp
//   "Tbl"   the table folder     S*.tbl, Alarm.tbl
//
// Both directions work on whole files known by these name patterns. Every file is copied to a
// temporary name in its target folder and renamed over the old file, so a target file is either
// the old or the new one; every copy is checked, and the failures are listed.
//
// A backup goes, by default, into a new subfolder of the chosen folder named after the date and
// time ("Kalendor_yyyymmdd_hhnnss"), so that an older backup is never overwritten in place. A
// restore copies each subfolder into the folder now configured for it; it is refused while a
// target folder holds data, and it asks before replacing any other file.
#pragma once

#include <string>
#include <vector>

#include "app/Folders.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::maintenance {

struct BackupRow {
  std::string subfolder;              // "Data", "Memo", …
  std::string folder;                 // the data folder it belongs to, with a trailing "/"
  std::vector<std::string> patterns;  // the files a backup takes
};
// The six rows in order for the resolved folders.
std::vector<BackupRow> BackupRows(const app::Folders& folders);

struct CopyItem {
  std::string from, to;  // full paths
};
struct CopyPlan {
  std::vector<std::string> folders;  // folders to create first, in order
  std::vector<CopyItem> items;
};
struct CopyOutcome {
  std::vector<std::string> copied;  // target paths, in plan order
  std::vector<std::string> failed;  // "path: reason"
  bool ok() const { return failed.empty() && !copied.empty(); }
};

// "Kalendor_yyyymmdd_hhnnss"; a name already taken in `parent` gets "_2", "_3", … appended.
std::string DatedBackupName(platform::FileSystem& fs, const std::string& parent, const platform::LocalDateTime& now);

// True when `a` and `b` name the same folder or one lies inside the other (compared as absolute
// paths without trailing separators; "/a/b" is not inside "/a/bc").
bool FoldersOverlap(const std::string& a, const std::string& b);

// The copies of a backup into `target` (the folder that receives the six subfolders).
CopyPlan PlanBackup(platform::FileSystem& fs, const app::Folders& folders, const std::string& target);
// The copies of a restore from `source` (a folder holding the subfolders) into the data folders.
CopyPlan PlanRestore(platform::FileSystem& fs, const app::Folders& folders, const std::string& source);

// Creates the plan's folders, then copies every item (temporary file, then rename). A folder that
// cannot be created stops the run there, with the folder listed as failed; a file that cannot be
// copied is listed and the run goes on.
CopyOutcome RunCopyPlan(platform::FileSystem& fs, const CopyPlan& plan);

// ---- The commands -----------------------------------------------------------------------------

inline constexpr const char* kBackupCaption = "バックアップとデータ削除";
inline constexpr const char* kNoFolderMessage = "指定したフォルダは存在しません。";
inline constexpr const char* kBackupDoneMessage = "バックアップ完了しました。";
inline constexpr const char* kOverlapMessage =
    "バックアップ先とデータのフォルダが同じか、一方が他方の中にあります。\n別のフォルダを指定して下さい。";
inline constexpr const char* kNothingToCopyMessage = "コピーするファイルがありません。";
inline constexpr const char* kRestoreQuestion = "バックアップデータのリストアを実行しますか？";
inline constexpr const char* kRestoreFolderPrompt = "バックアップ元のフォルダを選んで下さい。";
inline constexpr const char* kBackupFolderPrompt = "バックアップデータを保存するフォルダを選んで下さい。";
inline constexpr const char* kDataPresentSuffix = " にデータが存在するためリストアできません。";
inline constexpr const char* kNoBackupMessage = "指定したフォルダにはバックアップデータがありません。";

struct BackupResult {
  bool ok = false;
  std::string folder;   // the folder that received the subfolders
  CopyOutcome outcome;
  std::string message;  // what the user was told last
};

// The refusal of a backup into `target` (the folder that receives the subfolders): it overlaps a
// data folder. "" when it may go on.
std::string BackupRefusal(const app::Folders& folders, const std::string& target);

// The backup of the dialog: checks that `chosen` exists and does not overlap a data
// folder, makes the dated subfolder (when `dated`), copies, and reports: the success message
// only when every file was copied and at least one was; otherwise the failures (or that there
// was nothing to copy) in an error box.
BackupResult RunBackup(platform::FileSystem& fs, platform::Dialogs& dialogs, const app::Folders& folders,
                       const std::string& chosen, bool dated, const platform::LocalDateTime& now);

// The checks of a restore from `source` before anything is copied: the backup must hold at least
// one of the six subfolders; no data folder may overlap it; no target folder may hold data
// ("*.sch", "*.dtl", "*.day", "T*.dat", "*.mem"). The refusal message, or "" when it may go on.
std::string RestoreRefusal(platform::FileSystem& fs, const app::Folders& folders, const std::string& source);
// The target files the restore would replace (each exists already), in plan order.
std::vector<std::string> RestoreOverwrites(platform::FileSystem& fs, const CopyPlan& plan);
// "次のファイルは上書きされます。よろしいですか？" with the list (at most 20 names, then "… 他 n 個").
std::string OverwriteQuestion(const std::vector<std::string>& paths);
// "n個のファイルのリストア完了しました。\nKalendorを再起動して下さい。"
std::string RestoreDoneMessage(std::size_t count);
// The failures listed after a copy that did not complete.
std::string FailureMessage(const std::vector<std::string>& failed, bool restore);

struct RestoreResult {
  bool done = false;    // files were copied (the program must reload or restart)
  bool ok = false;      // every file was copied
  CopyOutcome outcome;
};
// The restore of the window: the question, the folder chooser (starting at `initial`), the
// checks, the overwrite question, the copies and the report. Cancelling anywhere copies nothing.
RestoreResult MenRestoreClick(platform::FileSystem& fs, platform::Dialogs& dialogs, const app::Folders& folders,
                              const std::string& initial);

}  // namespace kal::maintenance
