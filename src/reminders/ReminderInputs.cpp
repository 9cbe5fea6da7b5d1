#include "reminders/ReminderInputs.h"

#include <map>
#include <memory>

#include "catalogues/ItemTable.h"
#include "reminders/TimeSignal.h"
#include "store/TextFile.h"

namespace kal::reminders {

EngineInputs LoadEngineInputs(platform::FileSystem& fs, const store::Settings& settings, const ReminderFolders& folders,
                              std::vector<std::string>* errors) {
  // Reads one piece; an unreadable file is reported through `errors` when given.
  auto guarded = [errors](auto read, auto fallback) {
    try {
      return read();
    } catch (const store::FileError& e) {
      if (!errors) throw;
      errors->push_back(e.what());
      return fallback;
    }
  };
  EngineInputs in;
  in.alarm_offsets = guarded([&] { return catalogues::LoadAlarmOffsets(fs, folders.table); },
                             catalogues::DefaultAlarmOffsets());
  in.alarm_mode = settings.alarm.mode;
  in.signal_mode = settings.signal.mode;
  if (in.signal_mode == kSignalListed)
    in.signal_list = guarded([&] { return LoadSignalList(fs, folders.table); }, std::vector<std::string>{});
  in.addons = guarded([&] { return LoadAddons(fs, folders.program); }, std::vector<AddonEntry>{});
  in.scr_ud = settings.view.scr_ud;
  in.ud_time = settings.view.ud_time;
  const std::string data = folders.data;
  in.alarm_lines = [&fs, data](const store::Date& date) { return LoadDayAlarmLines(fs, data, date); };
  return in;
}

std::vector<MinuteAction> RunMinutes(const EngineInputs& inputs, const platform::LocalDateTime& from,
                                     const platform::LocalDateTime& to) {
  std::vector<MinuteAction> out;
  // Nothing changes the files during the run, so each date's list is read once.
  EngineInputs cached = inputs;
  auto cache = std::make_shared<std::map<int, std::vector<std::string>>>();
  cached.alarm_lines = [cache, read = inputs.alarm_lines](const store::Date& date) {
    const int key = store::DayNumber(date);
    auto it = cache->find(key);
    if (it == cache->end()) it = cache->emplace(key, read ? read(date) : std::vector<std::string>{}).first;
    return it->second;
  };
  EngineState state;
  state.start_addons_done = true;
  state.today = from.date;
  const std::int64_t first = MinuteCount(from), last = MinuteCount(to);
  state.last = first - 1;
  for (std::int64_t m = first; m <= last; ++m) {
    platform::LocalDateTime at;
    at.date = store::FromDayNumber(static_cast<int>(m / (24 * 60)));
    at.hour = static_cast<int>(m % (24 * 60)) / 60;
    at.minute = static_cast<int>(m % 60);
    for (auto& a : Tick(state, at, cached)) out.push_back(std::move(a));
  }
  return out;
}

}  // namespace kal::reminders
