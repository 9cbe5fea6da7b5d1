#include "catalogues/FolderSet.h"

#include <filesystem>

#include "catalogues/NamedSet.h"
#include "catalogues/SetupForm.h"
#include "store/TextFile.h"

namespace kal::catalogues {

std::string AbsoluteFolderValue(const std::string& value, const std::string& program_folder) {
  const std::string resolved = app::ResolveFolder(value, program_folder);
  return app::WithTrailingSeparator(std::filesystem::path(resolved).lexically_normal().string());
}

std::string RelativeFolderValue(const std::string& value, const std::string& program_folder) {
  const std::filesystem::path folder = AbsoluteFolderValue(value, program_folder);
  const std::filesystem::path base = AbsoluteFolderValue("", program_folder);
  std::string relative = folder.lexically_relative(base).string();
  if (relative.empty() || relative == "." || relative == "./") return "";
  if (relative.size() >= 2 && relative.compare(relative.size() - 2, 2, "/.") == 0) relative.resize(relative.size() - 1);
  return app::WithTrailingSeparator(relative);
}

void SetPathMode(store::KalendorSettings& k, int relative_path, const std::string& program_folder) {
  k.relative_path = relative_path;
  for (std::string* value : FolderMembers(k)) {
    *value = relative_path == 1 ? RelativeFolderValue(*value, program_folder)
                                : AbsoluteFolderValue(*value, program_folder);
  }
}

std::string ChosenFolderValue(const std::string& chosen, int relative_path, const std::string& program_folder) {
  return relative_path == 1 ? RelativeFolderValue(chosen, program_folder) : chosen;
}

app::FolderValues FolderValuesOf(const store::KalendorSettings& k) {
  return app::FolderValues{k.relative_path, k.data_path, k.memo_path, k.todo_path, k.note_path, k.cate_path, k.tbl_path};
}

void SetFolderValues(store::KalendorSettings& k, const app::FolderValues& v) {
  k.relative_path = v.relative_path;
  k.data_path = v.data;
  k.memo_path = v.memo;
  k.todo_path = v.todo;
  k.note_path = v.note;
  k.cate_path = v.category;
  k.tbl_path = v.table;
}

std::optional<app::FolderValues> FolderSetChoose(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                                 const std::string& program_folder, const std::string& name) {
  app::FolderSetLoad load;
  try {
    load = app::LoadFolderSet(fs, program_folder, name);
  } catch (const store::FileError& e) {
    dialogs.Error(e.what(), store::kFileErrorCaption);
    return std::nullopt;
  }
  switch (load.status) {
    case app::FolderSetStatus::Ok: return load.values;
    case app::FolderSetStatus::MissingFolder: dialogs.Error(kNoFolderMessage, kFolderErrorCaption); break;
    case app::FolderSetStatus::TooShort:
      dialogs.Error("「" + name + kFolderSetExtension + "」は行が足りないため、データフォルダの設定として使えません。",
                    kFolderErrorCaption);
      break;
    case app::FolderSetStatus::Missing: break;
  }
  return std::nullopt;
}

std::optional<std::string> FolderSetSave(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                         const std::string& program_folder, const store::KalendorSettings& k,
                                         const std::string& current_name, std::optional<std::size_t>* missing) {
  if (auto at = MissingFolder(k, program_folder, fs)) {
    if (missing) *missing = at;
    dialogs.Error(kNoFolderMessage, kInputErrorCaption);
    return std::nullopt;
  }
  auto name = AskSetName(fs, dialogs, program_folder,
                         {"データフォルダ名の保存", "データフォルダ名: ", current_name, kFolderSetExtension});
  if (!name) return std::nullopt;
  try {
    app::SaveFolderSet(fs, program_folder, *name, FolderValuesOf(k));
  } catch (const store::FileError& e) {
    dialogs.Error(e.what(), store::kFileErrorCaption);
    return std::nullopt;
  }
  return name;
}

}  // namespace kal::catalogues
