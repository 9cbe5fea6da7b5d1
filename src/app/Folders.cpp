#include "app/Folders.h"

#include <algorithm>
#include <filesystem>

#include "platform/Codec.h"
#include "store/IniFile.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::app {

std::string WithTrailingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string AbsoluteFolder(const std::string& folder) {
  std::error_code ec;
  auto absolute = std::filesystem::absolute(folder, ec);
  if (ec) return WithTrailingSeparator(folder);
  return WithTrailingSeparator(absolute.lexically_normal().string());
}

std::string ResolveFolder(const std::string& value, const std::string& program_folder) {
  std::string folder = value;
  std::replace(folder.begin(), folder.end(), '\\', '/');
  if (folder.empty()) return WithTrailingSeparator(program_folder);
  if (folder.front() != '/') {
    if (folder.rfind("./", 0) == 0) folder.erase(0, 2);
    folder = WithTrailingSeparator(program_folder) + folder;
  }
  return WithTrailingSeparator(folder);
}

void FileNameSet(Folders& f) {
  f.category_file = f.category + "Category.tbl";
  f.holiday_file = f.data + "Holiday.dat";
  f.todo_file = f.todo + "Todokl.dat";
}

Folders ResolveFolders(const FolderValues& v, const std::string& program_folder) {
  Folders f;
  f.program = WithTrailingSeparator(program_folder);
  f.data = ResolveFolder(v.data, f.program);
  f.memo = ResolveFolder(v.memo, f.program);
  f.todo = ResolveFolder(v.todo, f.program);
  f.note = ResolveFolder(v.note, f.program);
  f.category = ResolveFolder(v.category, f.program);
  f.table = ResolveFolder(v.table, f.program);
  FileNameSet(f);
  return f;
}

namespace {

std::vector<const std::string*> ValueList(const FolderValues& v) {
  return {&v.data, &v.memo, &v.todo, &v.note, &v.category, &v.table};
}

}  // namespace

bool FoldersExist(const FolderValues& values, const std::string& program_folder, platform::FileSystem& fs) {
  for (const std::string* value : ValueList(values)) {
    if (!value->empty() && !fs.IsDirectory(ResolveFolder(*value, program_folder))) return false;
  }
  return true;
}

std::vector<std::string> SetFileNames(platform::FileSystem& fs, const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  for (const auto& file : fs.List(folder, "*" + extension)) {
    std::string name = file.substr(0, file.size() - extension.size());
    if (!name.empty()) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), store::LineLess{});
  return names;
}

std::vector<std::string> FolderSetNames(platform::FileSystem& fs, const std::string& program_folder) {
  return SetFileNames(fs, program_folder, ".fld");
}

bool ValidSetName(const std::string& name) {
  if (name.empty() || name.front() == '.' || name.find("..") != std::string::npos) return false;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

FolderSetLoad LoadFolderSet(platform::FileSystem& fs, const std::string& program_folder, const std::string& name) {
  FolderSetLoad load;
  if (!ValidSetName(name)) return load;
  std::vector<std::string> lines;
  if (!store::LoadLinesIfExists(fs, WithTrailingSeparator(program_folder) + name + ".fld", lines)) return load;
  for (auto& line : lines) line = std::string(store::TrimRight(platform::Cp932ToUtf8(line)));
  if (lines.size() < 6) {
    load.status = FolderSetStatus::TooShort;
    return load;
  }
  FolderValues& v = load.values;
  v.relative_path = store::ParseInteger(lines[0]).value_or(0);
  v.data = lines[1];
  v.memo = lines[2];
  v.todo = lines[3];
  v.note = lines[4];
  v.category = lines[5];
  v.table = lines.size() > 6 ? lines[6] : WithTrailingSeparator(program_folder);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].empty() && !fs.IsDirectory(ResolveFolder(lines[i], program_folder))) {
      load.status = FolderSetStatus::MissingFolder;
      return load;
    }
  }
  load.status = FolderSetStatus::Ok;
  return load;
}

void SaveFolderSet(platform::FileSystem& fs, const std::string& program_folder, const std::string& name,
                   const FolderValues& values) {
  std::vector<std::string> lines = {values.relative_path == 1 ? "1" : "0"};
  for (const std::string* value : ValueList(values)) lines.push_back(WithTrailingSeparator(*value));
  store::SaveTextLines(fs, WithTrailingSeparator(program_folder) + name + ".fld", lines);
}

void WriteFolderValues(store::IniFile& ini, const FolderValues& v) {
  ini.WriteInteger("Kalendor", "RelativePath", v.relative_path);
  ini.WriteString("Kalendor", "DataPath", v.data);
  ini.WriteString("Kalendor", "MemoPath", v.memo);
  ini.WriteString("Kalendor", "ToDoPath", v.todo);
  ini.WriteString("Kalendor", "NotePath", v.note);
  ini.WriteString("Kalendor", "CatePath", v.category);
  ini.WriteString("Kalendor", "TblPath", v.table);
}

std::optional<FolderValues> SwitchFolderSet(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                            const std::string& program_folder, const std::string& settings_file,
                                            const std::string& name) {
  FolderSetLoad load = LoadFolderSet(fs, program_folder, name);
  if (load.status == FolderSetStatus::MissingFolder) {
    dialogs.Error("指定したデータフォルダは存在しません。", "フォルダエラー");
    return std::nullopt;
  }
  if (load.status != FolderSetStatus::Ok) return std::nullopt;
  store::IniFile ini = store::IniFile::Load(fs, settings_file);
  WriteFolderValues(ini, load.values);
  ini.Flush(fs, settings_file);
  return load.values;
}

}  // namespace kal::app
