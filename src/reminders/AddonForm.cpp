#include "reminders/AddonForm.h"

#include <algorithm>

#include "catalogues/ItemTable.h"
#include "store/Record.h"

namespace kal::reminders {

std::string AddonFormCaption(AddonFormMode mode) {
  switch (mode) {
    case AddonFormMode::Add: return "アドオンの追加";
    case AddonFormMode::Change: return "アドオンの訂正";
    case AddonFormMode::Copy: return "アドオンのコピー";
  }
  return "";
}

AddonInput AddonInputOf(const AddonEntry& entry) {
  AddonInput in;
  in.program = entry.program;
  in.wait = entry.wait;
  if (entry.timing == kTimingBeforeStart)
    in.option = AddonRunOption::BeforeStart;
  else if (entry.timing == kTimingAfterStart)
    in.option = AddonRunOption::AfterStart;
  else if (entry.timing == kTimingCalendar)
    in.option = AddonRunOption::CalendarMenu;
  else {
    in.option = AddonRunOption::AtTime;
    in.time = entry.timing;
  }
  return in;
}

AddonCheck CheckAddonInput(const AddonInput& input, AddonFormMode mode, const std::vector<std::string>& existing,
                           const std::optional<std::string>& old_line) {
  AddonCheck c;
  auto fail = [&](std::string message, AddonField field) {
    c.message = std::move(message);
    c.field = field;
    return c;
  };
  const std::string program(store::Trim(input.program));
  if (program.empty()) return fail(kAddonProgramEmpty, AddonField::Program);

  std::string timing;
  switch (input.option) {
    case AddonRunOption::BeforeStart: timing = kTimingBeforeStart; break;
    case AddonRunOption::AfterStart: timing = kTimingAfterStart; break;
    case AddonRunOption::CalendarMenu: timing = kTimingCalendar; break;
    case AddonRunOption::AtTime: {
      if (store::Trim(input.time).empty()) return fail(kAddonTimeEmpty, AddonField::Time);
      auto time = catalogues::ReadTimeText(input.time);
      if (!time) return fail(kAddonTimeBad, AddonField::Time);
      timing = *time;
      break;
    }
  }
  bool enabled = true;
  char reserved = ' ';
  if (mode == AddonFormMode::Change && old_line) {
    const AddonEntry old = ReadAddonLine(*old_line);
    enabled = old.enabled;
    reserved = old.reserved;
  }
  std::string bad;
  auto line = BuildAddonLine(timing, enabled, input.wait, program, reserved, &bad);
  if (!line) {
    if (!bad.empty()) return fail(store::UnencodableMessage("プログラム名", bad), AddonField::Program);
    return fail(kAddonProgramTooLong, AddonField::Program);
  }
  for (const auto& e : existing)
    if (SameAddonLine(e, *line)) return fail(kAddonDuplicate, AddonField::Program);
  c.ok = true;
  c.line = *line;
  return c;
}

AddonStoreResult StoreAddon(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& program_folder,
                            const AddonInput& input, AddonFormMode mode, const std::optional<std::string>& old_line) {
  std::vector<std::string> lines = LoadAddonLines(fs, program_folder);
  const bool change = mode == AddonFormMode::Change && old_line;
  const AddonCheck check = CheckAddonInput(input, mode, lines, change ? old_line : std::nullopt);
  if (!check.ok) {
    dialogs.Error(check.message, kAddonInputErrorCaption);
    return {false, check.field, {}};
  }
  if (change) {
    auto it = std::find(lines.begin(), lines.end(), *old_line);
    if (it == lines.end()) {
      dialogs.Error(kAddonStale, kAddonStaleCaption);
      return {false, AddonField::None, {}};
    }
    lines.erase(it);
  }
  lines.push_back(check.line);
  SaveAddonLines(fs, program_folder, lines);
  return {true, AddonField::None, check.line};
}

}  // namespace kal::reminders
