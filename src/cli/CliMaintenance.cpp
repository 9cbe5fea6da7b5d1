// backup DIR, restore DIR, delete-old MONTHS [--yes].
#include <ostream>

#include "cli/CliCommands.h"
#include "maintenance/Backup.h"
#include "maintenance/DataDeletion.h"

namespace kal::cli {

namespace {

std::string FolderArgument(const std::vector<std::string>& args, const char* usage) {
  if (args.size() != 1 || args[0].empty()) throw UsageError{usage};
  std::string folder = app::AbsoluteFolder(args[0]);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

int Report(CliContext& context, const maintenance::CopyOutcome& outcome) {
  for (const std::string& path : outcome.copied) *context.out << path << '\n';
  for (const std::string& failure : outcome.failed) *context.err << failure << '\n';
  return outcome.failed.empty() ? 0 : 1;
}

}  // namespace

int RunBackup(CliContext& context, const std::vector<std::string>& args) {
  const std::string target = FolderArgument(args, "backup takes DIR");
  const app::Folders& folders = SessionOf(context).folders;
  if (const std::string refusal = maintenance::BackupRefusal(folders, target); !refusal.empty())
    throw CliError{refusal};
  const maintenance::CopyPlan plan = maintenance::PlanBackup(context.files, folders, target);
  if (plan.items.empty()) throw CliError{maintenance::kNothingToCopyMessage};
  if (!context.files.MakeDirs(target)) throw CliError{target + ": フォルダが作成できません。"};
  return Report(context, maintenance::RunCopyPlan(context.files, plan));
}

int RunRestore(CliContext& context, const std::vector<std::string>& args) {
  const std::string source = FolderArgument(args, "restore takes DIR");
  const app::Folders& folders = SessionOf(context).folders;
  if (const std::string refusal = maintenance::RestoreRefusal(context.files, folders, source); !refusal.empty())
    throw CliError{refusal};
  const maintenance::CopyPlan plan = maintenance::PlanRestore(context.files, folders, source);
  if (plan.items.empty()) throw CliError{maintenance::kNothingToCopyMessage};
  return Report(context, maintenance::RunCopyPlan(context.files, plan));
}

int RunDeleteOld(CliContext& context, const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || (args.size() == 2 && args[1] != "--yes"))
    throw UsageError{"delete-old takes MONTHS [--yes]"};
  int months = 0;
  for (const auto& period : maintenance::DeletionPeriods()) {
    if (args[0] == std::to_string(period.months)) months = period.months;
  }
  if (months == 0) throw UsageError{"MONTHS is one of 1, 2, 3, 6, 12"};
  const maintenance::DeletionPlan plan =
      maintenance::PlanDeletion(context.files, SessionOf(context).folders, context.clock.Now().date, months);
  int status = 0;
  for (const std::string& path : plan.files) {
    const std::string name = path.substr(path.rfind('/') + 1);
    if (args.size() == 2 && (!context.files.Remove(path) || context.files.Exists(path))) {
      *context.err << path << ": 削除できません。\n";
      status = 1;
      continue;
    }
    *context.out << name << '\n';
  }
  return status;
}

}  // namespace kal::cli
