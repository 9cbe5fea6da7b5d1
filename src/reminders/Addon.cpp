#include "reminders/Addon.h"

#include "platform/Codec.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "reminders/Launch.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::reminders {
namespace {

std::string FoldAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string AddonListPath(const std::string& program_folder) {
  return platform::JoinPath(program_folder, kAddonFileName);
}

AddonEntry ReadAddonLine(const std::string& line) {
  AddonEntry e;
  e.timing = store::Field(line, 1, 5);
  e.enabled = store::FieldBytes(line, 6, 1) == "1";
  e.wait = store::FieldBytes(line, 7, 1) != "0";
  const std::string reserved = store::FieldBytes(line, 8, 1);
  e.reserved = reserved.empty() ? ' ' : reserved[0];
  e.program = store::Field(line, 9, kAddonProgramMax);
  e.line = line;
  return e;
}

std::vector<std::string> LoadAddonLines(platform::FileSystem& fs, const std::string& program_folder) {
  return store::LoadLines(fs, AddonListPath(program_folder));
}

std::vector<AddonEntry> LoadAddons(platform::FileSystem& fs, const std::string& program_folder) {
  std::vector<AddonEntry> entries;
  for (const auto& line : LoadAddonLines(fs, program_folder)) entries.push_back(ReadAddonLine(line));
  return entries;
}

void SaveAddonLines(platform::FileSystem& fs, const std::string& program_folder, std::vector<std::string> lines) {
  store::SortLines(lines);
  store::SaveLines(fs, AddonListPath(program_folder), lines);
}

std::optional<std::string> BuildAddonLine(const std::string& timing, bool enabled, bool wait,
                                          const std::string& program, char reserved, std::string* bad) {
  auto encoded = platform::Utf8ToCp932(program, bad);
  if (!encoded) return std::nullopt;
  const std::string trimmed(store::TrimRight(*encoded));
  if (trimmed.size() > kAddonProgramMax) return std::nullopt;
  std::string line = store::PadField(timing, 5);
  line += enabled ? '1' : '0';
  line += wait ? '1' : '0';
  line += reserved;
  line += trimmed;
  return line;
}

bool SameAddonLine(const std::string& a, const std::string& b) {
  return FoldAscii(platform::Cp932ToUtf8(a)) == FoldAscii(platform::Cp932ToUtf8(b));
}

std::vector<AddonEntry> EnabledAddons(const std::vector<AddonEntry>& entries, const std::string& timing) {
  std::vector<AddonEntry> out;
  for (const auto& e : entries)
    if (e.enabled && e.timing == timing) out.push_back(e);
  return out;
}

std::string AddonFileName(const std::string& program, bool with_extension) {
  const std::string whole(store::Trim(program));
  std::string path = whole;
  if (!platform::PathExists(whole)) {
    const auto words = SplitCommandLine(whole);
    if (!words.empty()) path = words.front();
  }
  std::string name = BaseName(path);
  if (!with_extension) {
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
  }
  return name;
}

std::vector<AddonMenuItem> ToolsMenuAddons(const std::vector<AddonEntry>& entries) {
  std::vector<AddonMenuItem> items;
  std::vector<std::string> seen;
  for (const auto& e : entries) {
    const std::string key = FoldAscii(e.program);
    bool dup = false;
    for (const auto& s : seen) dup = dup || s == key;
    if (dup || e.program.empty()) continue;
    seen.push_back(key);
    items.push_back({AddonFileName(e.program, true), e.program, {}, true});
  }
  return items;
}

std::vector<AddonMenuItem> CalendarMenuAddons(const std::vector<AddonEntry>& entries, const store::Date& first,
                                              const std::optional<store::Date>& last) {
  std::vector<AddonMenuItem> items;
  std::vector<std::string> dates{store::DateText(first)};
  if (last) dates.push_back(store::DateText(*last));
  for (const auto& e : EnabledAddons(entries, kTimingCalendar)) {
    if (e.program.empty()) continue;
    items.push_back({AddonFileName(e.program, false), e.program, dates, e.wait});
  }
  return items;
}

}  // namespace kal::reminders
