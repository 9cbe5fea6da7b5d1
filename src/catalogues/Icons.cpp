#include "catalogues/Icons.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "catalogues/Category.h"
#include "store/TextFile.h"

namespace kal::catalogues {
namespace {

constexpr const char* kBuiltInNames[kBuiltInIconCount] = {"祝日", "休日", "記念日1", "記念日2", "記念日3"};

// The number in a name "Klcat" + three characters + ".bmp"; 0 when they are not 001..099.
int NumberOfIconFile(const std::string& name) {
  if (name.size() != 12) return 0;
  int value = 0;
  for (std::size_t i = 5; i < 8; ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    value = value * 10 + (name[i] - '0');
  }
  return value >= 1 && value <= kMaxIconNumber ? value : 0;
}

// Reads a chosen bitmap and writes it as the number's file; false (after the message) when it
// cannot be read as an image.
bool StoreIcon(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& from, const std::string& to,
               const ImageCheck& readable) {
  platform::ReadResult source = fs.Read(from);
  if (!source.ok() || !readable(source.bytes)) {
    dialogs.Error(IconReadErrorMessage(from), kIconReadErrorCaption);
    return false;
  }
  std::string error;
  if (!fs.WriteAtomic(to, source.bytes, &error)) throw store::FileError(store::WriteErrorMessage(to, error));
  return true;
}

}  // namespace

std::string BuiltInIconName(int number) {
  return number >= 1 && number <= kBuiltInIconCount ? kBuiltInNames[number - 1] : "";
}

std::string IconNumberText(int number) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%03d", number);
  return buffer;
}

std::string IconFileName(int number) { return "Klcat" + IconNumberText(number) + ".bmp"; }

std::map<int, std::string> IconFiles(platform::FileSystem& fs, const std::string& category_folder) {
  std::map<int, std::string> files;
  for (const std::string& name : fs.List(category_folder, "Klcat???.bmp")) {
    int number = NumberOfIconFile(name);
    if (number > 0) files.emplace(number, platform::JoinPath(category_folder, name));
  }
  return files;
}

std::string IconWritePath(platform::FileSystem& fs, const std::string& category_folder, int number) {
  auto files = IconFiles(fs, category_folder);
  auto it = files.find(number);
  return it != files.end() ? it->second : platform::JoinPath(category_folder, IconFileName(number));
}

std::vector<int> UsedIconNumbers(const std::vector<std::string>& category_lines) {
  std::set<int> used;
  for (const auto& line : category_lines) {
    int n = CategoryIcon(line);
    if (n > 0) used.insert(n);
  }
  return {used.begin(), used.end()};
}

std::vector<IconFile> IconLoadPlan(platform::FileSystem& fs, const std::string& category_folder,
                                   const std::vector<std::string>& category_lines) {
  const auto files = IconFiles(fs, category_folder);
  std::vector<IconFile> plan;
  for (int n = 1; n <= kBuiltInIconCount; ++n) {
    auto it = files.find(n);
    if (it != files.end()) plan.push_back({n, it->second});
  }
  for (int n : UsedIconNumbers(category_lines)) {
    if (n <= kBuiltInIconCount) continue;
    auto it = files.find(n);
    if (it != files.end()) plan.push_back({n, it->second});
  }
  return plan;
}

std::string IconReadErrorMessage(const std::string& path) { return path + " Read Error"; }

std::vector<IconListEntry> BuildIconList(platform::FileSystem& fs, const std::string& category_folder,
                                         const std::vector<std::string>& category_lines) {
  const auto files = IconFiles(fs, category_folder);
  auto path_of = [&](int n) {
    auto it = files.find(n);
    return it != files.end() ? it->second : std::string();
  };
  std::vector<IconListEntry> list;
  for (int n = 1; n <= kBuiltInIconCount; ++n) list.push_back({n, IconKind::BuiltIn, path_of(n)});
  const std::vector<int> used = UsedIconNumbers(category_lines);
  for (int n : used)
    if (n >= kFirstUserIcon) list.push_back({n, IconKind::InUse, path_of(n)});
  for (const auto& [n, path] : files) {
    if (n < kFirstUserIcon || std::binary_search(used.begin(), used.end(), n)) continue;
    list.push_back({n, IconKind::Unused, path});
  }
  return list;
}

IconButtons IconButtonsFor(const IconListEntry& entry) {
  switch (entry.kind) {
    case IconKind::BuiltIn: return {true, !entry.path.empty()};
    case IconKind::InUse: return {true, false};
    case IconKind::Unused: return {false, true};
  }
  return {};
}

std::optional<int> FreeUserIconNumber(platform::FileSystem& fs, const std::string& category_folder,
                                       const std::vector<std::string>& category_lines) {
  const auto files = IconFiles(fs, category_folder);
  const std::vector<int> used = UsedIconNumbers(category_lines);
  for (int n = kFirstUserIcon; n <= kMaxIconNumber; ++n) {
    if (files.count(n) || std::binary_search(used.begin(), used.end(), n)) continue;
    return n;
  }
  return std::nullopt;
}

std::optional<int> IconAdd(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& category_folder,
                           const std::vector<std::string>& category_lines, const ImageCheck& readable) {
  auto number = FreeUserIconNumber(fs, category_folder, category_lines);
  if (!number) {
    dialogs.Error(kIconListFullMessage, kIconListFullCaption);
    return std::nullopt;
  }
  auto chosen = dialogs.OpenFileName("", platform::FileFilter{kIconFilter}, "");
  if (!chosen) return std::nullopt;
  if (!StoreIcon(fs, dialogs, *chosen, platform::JoinPath(category_folder, IconFileName(*number)), readable))
    return std::nullopt;
  return number;
}

bool IconChange(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& category_folder,
                const IconListEntry& entry, const ImageCheck& readable) {
  if (!IconButtonsFor(entry).change) return false;
  auto chosen = dialogs.OpenFileName("", platform::FileFilter{kIconFilter}, "");
  if (!chosen) return false;
  const std::string to = entry.path.empty() ? platform::JoinPath(category_folder, IconFileName(entry.number))
                                            : entry.path;
  return StoreIcon(fs, dialogs, *chosen, to, readable);
}

bool IconDelete(platform::FileSystem& fs, platform::Dialogs& dialogs, const IconListEntry& entry) {
  if (!IconButtonsFor(entry).remove || entry.path.empty()) return false;
  const std::string number = IconNumberText(entry.number);
  if (!dialogs.Confirm("アイコン番号: " + number + " を削除しますか？", "削除")) return false;
  if (!fs.Remove(entry.path))
    throw store::FileError("ファイル \"" + entry.path + "\" を削除できません。");
  if (entry.kind == IconKind::BuiltIn) dialogs.Info(number + " は再起動することで表示されます。", "確認");
  return true;
}

}  // namespace kal::catalogues
