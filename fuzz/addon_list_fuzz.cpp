// Addon.lst: the add-on list loaded, its entries asked for each timing and both menus.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "reminders/Addon.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs;
  fs.files["/prog/Addon.lst"] = std::string(reinterpret_cast<const char*>(data), size);
  const auto entries = reminders::LoadAddons(fs, "/prog/");
  for (const auto& entry : entries) {
    fuzz::Check(reminders::ReadAddonLine(entry.line) == entry, "an entry reads the same from its line");
    (void)reminders::AddonFileName(entry.program, true);
    (void)reminders::AddonFileName(entry.program, false);
  }
  for (const char* timing : {reminders::kTimingBeforeStart, reminders::kTimingAfterStart, "09:30"}) {
    (void)reminders::EnabledAddons(entries, timing);
  }
  (void)reminders::ToolsMenuAddons(entries);
  const std::chrono::year_month_day first{std::chrono::year{2024} / 5 / 1};
  (void)reminders::CalendarMenuAddons(entries, first, std::nullopt);
  (void)reminders::CalendarMenuAddons(entries, first, std::chrono::year_month_day{std::chrono::year{2024} / 5 / 9});
  return 0;
}
