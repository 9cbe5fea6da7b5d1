#include "reminders/TimeSignal.h"

#include "catalogues/ItemTable.h"
#include "store/DatePattern.h"
#include "store/DateText.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::reminders {

std::vector<std::string> LoadSignalList(platform::FileSystem& fs, const std::string& table_folder) {
  return store::LoadLines(fs, catalogues::ItemTablePath(table_folder, catalogues::ItemTableType::SigTime));
}

std::optional<std::string> SignalDue(int mode, const std::vector<std::string>& list, int minute) {
  const int m = minute % 60;
  if (m == 0 && (mode == kSignalHourly || mode == kSignalHalfHourly)) return std::string();
  if (m == 30 && mode == kSignalHalfHourly) return std::string();
  if (mode != kSignalListed) return std::nullopt;
  const std::string now = store::TimeText(minute / 60, m);
  for (const auto& line : list) {
    const std::string time = store::FieldBytes(line, 1, 5);
    if (time > now) break;
    if (time == now) {
      const std::string text = store::Field(line, 6, kSignalTextMax);
      return store::Trim(text).empty() ? std::string() : text;
    }
  }
  return std::nullopt;
}

std::string SignalLabel(const std::string& form, const platform::LocalDateTime& now, const std::string& text) {
  std::string label = store::FormatDatePattern(form.empty() ? "h:nn" : form, now);
  if (!store::Trim(text).empty()) label += "\n" + text;
  return label;
}

}  // namespace kal::reminders
