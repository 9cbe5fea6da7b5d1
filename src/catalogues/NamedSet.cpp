#include "catalogues/NamedSet.h"

#include "app/Folders.h"

namespace kal::catalogues {

std::string SetFilePath(const std::string& program_folder, const std::string& name, const std::string& extension) {
  return app::WithTrailingSeparator(program_folder) + name + extension;
}

std::optional<std::string> AskSetName(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                      const std::string& program_folder, const SetNameQuestion& q) {
  auto name = dialogs.InputText(q.caption, q.prompt, q.initial);
  if (!name || name->empty()) return std::nullopt;
  if (!app::ValidSetName(*name)) {
    dialogs.Error(kBadSetNameMessage, "入力エラー");
    return std::nullopt;
  }
  if (fs.Exists(SetFilePath(program_folder, *name, q.extension)) &&
      !dialogs.Confirm(*name + " はすでに存在します。\n上書きしますか？", "確認"))
    return std::nullopt;
  return name;
}

bool DeleteSetFile(platform::FileSystem& fs, const std::string& program_folder, const std::string& name,
                   const std::string& extension) {
  if (!app::ValidSetName(name)) return false;
  const std::string path = SetFilePath(program_folder, name, extension);
  return fs.Remove(path) || !fs.Exists(path);
}

}  // namespace kal::catalogues
