// sync --url URL --user USER [--calendar NAME] [--password-file FILE] [--dry-run]: one two-way
// sync of the schedules with a CalDAV calendar, as the window's sync command runs it.
#include <ostream>

#include "cli/CliCommands.h"
#include "cli/CliDialogs.h"
#include "platform/SecretStore.h"
#include "store/TextFile.h"
#include "sync/SyncEngine.h"

namespace kal::cli {

namespace {

constexpr const char* kUsage =
    "sync takes --url URL --user USER [--calendar NAME] [--password-file FILE] [--dry-run]";
constexpr const char* kNoPasswordMessage =
    "パスワードがありません。--password-file で指定するか、デスクトップのキーリングに保存して下さい。";
constexpr const char* kNoNetworkMessage = "このkalendor-cliはサーバーと通信できません（Qtなしで作られています）。";

std::string PasswordFromFile(CliContext& context, const std::string& path) {
  const platform::ReadResult read = context.files.Read(path);
  if (!read.ok()) throw CliError{store::ReadErrorMessage(path, read.missing() ? "ファイルがありません。" : read.error)};
  const std::vector<std::string> lines = store::SplitLines(read.bytes);
  return lines.empty() ? std::string() : lines.front();
}

}  // namespace

int RunSync(CliContext& context, const std::vector<std::string>& args) {
  sync::SyncRequest request;
  std::string password_file;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError{kUsage};
      return args[++i];
    };
    if (a == "--url") request.url = value();
    else if (a == "--user") request.user = value();
    else if (a == "--calendar") request.calendar = value();
    else if (a == "--password-file") password_file = value();
    else if (a == "--dry-run") request.dry_run = true;
    else throw UsageError{kUsage};
  }
  if (request.url.empty() || request.user.empty()) throw UsageError{kUsage};

  sync::ServerAccount account{request.url, request.user, {}};
  if (!password_file.empty()) {
    account.password = PasswordFromFile(context, password_file);
  } else {
    platform::LibSecretStore secrets;
    auto kept = secrets.Lookup(request.url, request.user);
    if (!kept) throw CliError{kNoPasswordMessage};
    account.password = *kept;
  }
  const sync::CalDavServerFactory factory = sync::GetCalDavServerFactory();
  if (factory == nullptr) throw CliError{kNoNetworkMessage};
  std::unique_ptr<sync::CalDavServer> server = factory(account);

  const app::Session& session = SessionOf(context);
  request.program_folder = session.program_folder;
  request.data_folder = session.folders.data;
  request.now = context.clock.Now();
  CliDialogs dialogs;
  const sync::SyncReport report = sync::RunSync(context.files, dialogs, *server, request);
  for (const sync::SyncChange& c : report.changes) {
    if (c.kind == sync::ChangeKind::Conflict) PrintRow(*context.out, {"conflict", c.date, c.title});
    else PrintRow(*context.out, {sync::DirectionText(c.kind), sync::ActionText(c.kind), c.date, c.title});
  }
  for (const std::string& notice : report.notices) *context.err << notice << '\n';
  for (const std::string& message : dialogs.errors) *context.err << message << '\n';
  if (!report.completed()) throw CliError{report.error};
  PrintRow(*context.out, {"count", std::to_string(report.pulled), std::to_string(report.pushed),
                          std::to_string(report.conflicts)});
  return 0;
}

}  // namespace kal::cli
