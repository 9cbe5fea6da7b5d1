#include <ostream>

#include "cli/CliCommands.h"

namespace kal::cli {

// Every command that reads the program folder's settings or data stops here when a folder is
// missing: reading on would print an empty calendar as if it were the user's, and a writing
// command would start a new data folder somewhere the user did not mean.
const app::Session& SessionOf(CliContext& context) {
  if (!context.session) {
    if (!context.files.IsDirectory(context.program_folder))
      throw CliError{std::string(kMissingProgramFolderMessage) + context.program_folder};
    app::SessionRead read =
        app::ReadSession(context.program_folder, app::kDefaultFontName, context.files, context.clock.Now().date);
    if (!read.folders_exist) throw CliError{app::kMissingFolderMessage};
    context.session = std::move(read.session);
  }
  return *context.session;
}

std::string DataFolder(CliContext& context) { return SessionOf(context).folders.data; }
std::string CategoryFolder(CliContext& context) { return SessionOf(context).folders.category; }
std::string TableFolder(CliContext& context) { return SessionOf(context).folders.table; }

int RunFolders(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) throw UsageError{"folders takes no arguments"};
  const app::Folders& f = SessionOf(context).folders;
  const std::pair<const char*, const std::string*> rows[] = {
      {"program", &f.program},   {"data", &f.data},
      {"memo", &f.memo},         {"todo", &f.todo},
      {"note", &f.note},         {"category", &f.category},
      {"table", &f.table},       {"categoryfile", &f.category_file},
      {"holidayfile", &f.holiday_file}, {"todofile", &f.todo_file},
  };
  for (const auto& [role, path] : rows) PrintRow(*context.out, {role, *path});
  return 0;
}

}  // namespace kal::cli
