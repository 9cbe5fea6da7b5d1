#include "maintenance/Backup.h"

#include <cstdio>
#include <filesystem>
#include <set>

#include "store/DateText.h"

namespace kal::maintenance {

namespace {

std::string Slash(std::string folder) { return app::WithTrailingSeparator(std::move(folder)); }

// The folder as a normal absolute path without a trailing separator.
std::string Normal(const std::string& folder) {
  std::string s = std::filesystem::path(folder).lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

bool Inside(const std::string& inner, const std::string& outer) {
  if (inner == outer) return true;
  if (outer == "/") return true;
  return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 && inner[outer.size()] == '/';
}

constexpr const char* kDataPatterns[] = {"*.sch", "*.dtl", "*.day", "T*.dat", "*.mem"};
constexpr std::size_t kListedFiles = 20;

std::string ListOf(const std::vector<std::string>& paths) {
  std::string text;
  for (std::size_t i = 0; i < paths.size() && i < kListedFiles; ++i) text += "\n" + paths[i];
  if (paths.size() > kListedFiles) text += "\n… 他 " + std::to_string(paths.size() - kListedFiles) + " 個";
  return text;
}

}  // namespace

std::vector<BackupRow> BackupRows(const app::Folders& f) {
  return {
      {"Data", Slash(f.data), {"*.sch", "*.day", "*.dtl", "Holiday.dat"}},
      {"Memo", Slash(f.memo), {"*.mem", "MemoTemp.txt"}},
      {"Todo", Slash(f.todo), {"Todokl.*"}},
      {"Note", Slash(f.note), {"*.not", "Note.lst"}},
      {"Cate", Slash(f.category), {"Category.tbl", "Klcat*.bmp"}},
      {"Tbl", Slash(f.table), {"S*.tbl", "Alarm.tbl"}},
  };
}

std::string DatedBackupName(platform::FileSystem& fs, const std::string& parent, const platform::LocalDateTime& now) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "Kalendor_%04d%02d%02d_%02d%02d%02d", store::YearOf(now.date),
                store::MonthOf(now.date), store::DayOf(now.date), now.hour, now.minute, now.second);
  std::string name = stamp;
  for (int n = 2; fs.Exists(platform::JoinPath(parent, name)); ++n) name = std::string(stamp) + "_" + std::to_string(n);
  return name;
}

bool FoldersOverlap(const std::string& a, const std::string& b) {
  const std::string na = Normal(a), nb = Normal(b);
  return Inside(na, nb) || Inside(nb, na);
}

CopyPlan PlanBackup(platform::FileSystem& fs, const app::Folders& folders, const std::string& target) {
  CopyPlan plan;
  for (const BackupRow& row : BackupRows(folders)) {
    const std::string into = platform::JoinPath(target, row.subfolder);
    plan.folders.push_back(into);
    std::set<std::string> taken;
    for (const std::string& pattern : row.patterns) {
      for (const std::string& name : fs.List(row.folder, pattern)) {
        // Todokl.dtl shares "*.dtl" with the detail files when the ToDo folder is the data
        // folder; it belongs to the "Todo" row only.
        if (row.subfolder == "Data" && platform::WildcardMatch("Todokl.dtl", name)) continue;
        if (!taken.insert(name).second) continue;
        plan.items.push_back({row.folder + name, platform::JoinPath(into, name)});
      }
    }
  }
  return plan;
}

CopyPlan PlanRestore(platform::FileSystem& fs, const app::Folders& folders, const std::string& source) {
  CopyPlan plan;
  for (const BackupRow& row : BackupRows(folders)) {
    const std::string from = platform::JoinPath(source, row.subfolder);
    if (!fs.IsDirectory(from)) continue;
    const std::vector<std::string> names = fs.List(from, "*");
    if (names.empty()) continue;
    plan.folders.push_back(row.folder);
    for (const std::string& name : names) plan.items.push_back({platform::JoinPath(from, name), row.folder + name});
  }
  return plan;
}

CopyOutcome RunCopyPlan(platform::FileSystem& fs, const CopyPlan& plan) {
  CopyOutcome outcome;
  for (const std::string& folder : plan.folders) {
    if (!fs.MakeDirs(folder)) {
      outcome.failed.push_back(folder + ": フォルダが作成できません。");
      return outcome;
    }
  }
  for (const CopyItem& item : plan.items) {
    std::string error;
    if (fs.Copy(item.from, item.to, &error)) {
      outcome.copied.push_back(item.to);
    } else {
      outcome.failed.push_back(item.to + ": " + error);
    }
  }
  return outcome;
}

std::string FailureMessage(const std::vector<std::string>& failed, bool restore) {
  std::string head = restore ? "リストアは完了していません。次のファイルがコピーできませんでした。"
                             : "バックアップは完了していません。次のファイルがコピーできませんでした。";
  return head + ListOf(failed);
}

std::string BackupRefusal(const app::Folders& folders, const std::string& target) {
  for (const BackupRow& row : BackupRows(folders)) {
    if (FoldersOverlap(target, row.folder)) return kOverlapMessage;
  }
  return "";
}

BackupResult RunBackup(platform::FileSystem& fs, platform::Dialogs& dialogs, const app::Folders& folders,
                       const std::string& chosen, bool dated, const platform::LocalDateTime& now) {
  BackupResult result;
  auto refuse = [&](const std::string& message) {
    result.message = message;
    dialogs.Error(message, kBackupCaption);
    return result;
  };
  if (chosen.empty() || !fs.IsDirectory(chosen)) return refuse(kNoFolderMessage);
  result.folder = dated ? platform::JoinPath(chosen, DatedBackupName(fs, chosen, now)) : Normal(chosen);
  if (const std::string refusal = BackupRefusal(folders, result.folder); !refusal.empty()) return refuse(refusal);
  const CopyPlan plan = PlanBackup(fs, folders, result.folder);
  if (plan.items.empty()) return refuse(kNothingToCopyMessage);
  result.outcome = RunCopyPlan(fs, plan);
  if (!result.outcome.ok()) return refuse(FailureMessage(result.outcome.failed, false));
  result.ok = true;
  result.message = std::string(kBackupDoneMessage) + "\n" + result.folder;
  dialogs.Info(result.message, kBackupCaption);
  return result;
}

std::string RestoreRefusal(platform::FileSystem& fs, const app::Folders& folders, const std::string& source) {
  if (source.empty() || !fs.IsDirectory(source)) return kNoFolderMessage;
  bool any = false;
  for (const BackupRow& row : BackupRows(folders)) {
    if (fs.IsDirectory(platform::JoinPath(source, row.subfolder))) any = true;
  }
  if (!any) return kNoBackupMessage;
  for (const BackupRow& row : BackupRows(folders)) {
    if (FoldersOverlap(source, row.folder)) return kOverlapMessage;
  }
  for (const BackupRow& row : BackupRows(folders)) {
    for (const char* pattern : kDataPatterns) {
      if (!fs.List(row.folder, pattern).empty()) return Normal(row.folder) + kDataPresentSuffix;
    }
  }
  return "";
}

std::vector<std::string> RestoreOverwrites(platform::FileSystem& fs, const CopyPlan& plan) {
  std::vector<std::string> paths;
  for (const CopyItem& item : plan.items) {
    if (fs.Exists(item.to)) paths.push_back(item.to);
  }
  return paths;
}

std::string OverwriteQuestion(const std::vector<std::string>& paths) {
  return "次のファイルは上書きされます。" + ListOf(paths) + "\nよろしいですか？";
}

std::string RestoreDoneMessage(std::size_t count) {
  return std::to_string(count) + "個のファイルのリストア完了しました。\nKalendorを再起動して下さい。";
}

RestoreResult MenRestoreClick(platform::FileSystem& fs, platform::Dialogs& dialogs, const app::Folders& folders,
                              const std::string& initial) {
  RestoreResult result;
  if (!dialogs.Confirm(kRestoreQuestion, "確認")) return result;
  const std::optional<std::string> source = dialogs.FolderName(kRestoreFolderPrompt, initial);
  if (!source) return result;
  if (const std::string refusal = RestoreRefusal(fs, folders, *source); !refusal.empty()) {
    dialogs.Error(refusal, "エラー");
    return result;
  }
  const CopyPlan plan = PlanRestore(fs, folders, *source);
  if (plan.items.empty()) {
    dialogs.Error(kNothingToCopyMessage, "エラー");
    return result;
  }
  if (const std::vector<std::string> replaced = RestoreOverwrites(fs, plan); !replaced.empty()) {
    if (!dialogs.Confirm(OverwriteQuestion(replaced), "確認")) return result;
  }
  result.outcome = RunCopyPlan(fs, plan);
  result.done = !result.outcome.copied.empty();
  result.ok = result.outcome.ok();
  if (result.ok) {
    dialogs.Info(RestoreDoneMessage(result.outcome.copied.size()), "リストア");
  } else {
    dialogs.Error(FailureMessage(result.outcome.failed, true), "エラー");
  }
  return result;
}

}  // namespace kal::maintenance
