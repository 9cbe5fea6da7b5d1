// kalendor-cli: model and holidays, both read from the month model as a view builds it.
#include <ostream>
#include <set>

#include "cli/CliCommands.h"
#include "store/DateText.h"
#include "model/MonthModel.h"
#include "store/Record.h"

namespace kal::cli {

bool ParseMonthStem(const std::string& text, int& year, int& month) {
  if (text.size() != 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  year = std::stoi(text.substr(0, 4));
  month = std::stoi(text.substr(4, 2));
  return year >= 1 && month >= 1 && month <= 12;
}

bool ParseCount(const std::string& text, int& value) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::stoi(text);
  return true;
}

bool SetViewCount(store::Settings& settings, int mode, int count) {
  store::ViewModeSettings& v = settings.view_mode(mode);
  switch (mode) {
    case store::kModeDaily: v.day_no = count; return count >= 1 && count <= 7;
    case store::kModeWeekly: v.week_no = count; return count >= 1 && count <= 6;
    case store::kModeMonthly: v.month_no = count; return count >= 5 && count <= 6;
    case store::kModeMonthly2: v.mon_no = count; return count >= 1 && count <= 12;
    case store::kModeMonthly3: v.year_no = count; return count >= 1 && count <= 12;
    default: return false;
  }
}

store::ModelRequest ViewModelRequest(CliContext& context, const store::Settings& settings, int mode,
                                     const store::Date& selected) {
  const app::Session& session = SessionOf(context);
  store::ModelRequest request;
  request.view_mode = mode;
  request.selected = selected;
  request.today = context.clock.Now().date;
  request.data_folder = session.folders.data;
  request.memo_folder = session.folders.memo;
  request.options = store::ModelOptionsOf(settings, mode);
  return request;
}

namespace {

// What a rebuild reports, on standard error: each damaged line and the band limit, once per command.
void ReportMessages(CliContext& context, const store::RebuildResult& result, std::set<std::string>& shown) {
  for (const auto& d : result.damaged)
    if (shown.insert(d.message).second) *context.err << d.message << '\n';
  if (!result.unplaced.empty() && shown.insert(store::kBandLimitMessage).second)
    *context.err << store::kBandLimitMessage << '\n';
}

std::string Digit(int n) { return std::to_string(n); }

}  // namespace

ViewArgs ParseViewArgs(CliContext& context, const std::vector<std::string>& args, const std::string& usage,
                       const std::string& output_option) {
  ViewArgs v;
  int count = 0;
  bool has_count = false;
  if (args.empty() || !ParseMonthStem(args[0], v.year, v.month)) throw UsageError{usage};
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (i + 1 >= args.size()) throw UsageError{usage};
    if (args[i] == "--view") {
      if (!ParseCount(args[++i], v.mode) || v.mode < 1 || v.mode > store::kViewModeCount) throw UsageError{usage};
    } else if (args[i] == "--count") {
      if (!ParseCount(args[++i], count)) throw UsageError{usage};
      has_count = true;
    } else if (!output_option.empty() && args[i] == output_option) {
      v.output = args[++i];
    } else {
      throw UsageError{usage};
    }
  }
  if (v.mode == 0 || (!output_option.empty() && v.output.empty())) throw UsageError{usage};
  v.settings = SessionOf(context).settings;
  if (has_count && !SetViewCount(v.settings, v.mode, count))
    throw UsageError{"--count is out of the range of view " + Digit(v.mode)};
  return v;
}

int RunModel(CliContext& context, const std::vector<std::string>& args) {
  ViewArgs v = ParseViewArgs(context, args, "model takes yyyymm --view N [--count N]", "");
  const int year = v.year, month = v.month, mode = v.mode;
  const store::Settings& settings = v.settings;
  store::MonthModel model;
  const store::RebuildResult result =
      store::SchUpdate(model, context.files, ViewModelRequest(context, settings, mode, store::MakeDate(year, month, 1)));
  std::ostream& out = *context.out;
  for (int n : model.UsedSlotsInOrder()) {
    const store::MonthSlot& slot = model.slot(n);
    const int length = store::DaysInMonth(slot.year, slot.month);
    for (int day = 1; day <= length; ++day) {
      const store::DayCell& cell = model.cell(day, n);
      const std::string date = store::DateText(store::MakeDate(slot.year, slot.month, day));
      PrintRow(out, {"D", Digit(n), date, Digit(cell.kind), Digit(cell.rokuyo), cell.memo ? "1" : "0"});
      for (const auto& entry : cell.entries) {
        const int position = store::EntryPosition(entry);
        std::string pos;
        if (position > 0) pos = (position < 10 ? "0" : "") + Digit(position);
        PrintRow(out, {"E", Digit(n), date, std::string(store::EntryKey(entry)), std::string(1, store::EntryKind(entry)),
                       std::string(store::EntryIndexText(entry)), pos, store::EntryText(entry)});
      }
    }
  }
  for (const auto& line : model.today_alarms)
    PrintRow(out, {"A", store::Field(line, 3, 5), store::Field(line, 29, 1), store::Field(line, 30, 1),
                   store::Field(line, 31, 40)});
  std::set<std::string> shown;
  ReportMessages(context, result, shown);
  return 0;
}

int RunHolidays(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].size() != 4 || args[0].find_first_not_of("0123456789") != std::string::npos)
    throw UsageError{"holidays takes a year yyyy"};
  const int year = std::stoi(args[0]);
  if (year < 1) throw UsageError{"holidays takes a year yyyy"};
  const store::Settings& settings = SessionOf(context).settings;
  store::MonthModel model;
  std::set<std::string> shown;
  for (int month = 1; month <= 12; ++month) {
    store::ModelRequest request = ViewModelRequest(context, settings, store::kModeMonthly, store::MakeDate(year, month, 1));
    request.options.memo_icon = false;
    ReportMessages(context, store::SchUpdate(model, context.files, request), shown);
    for (int day = 1; day <= store::DaysInMonth(year, month); ++day) {
      const std::string date = store::DateText(store::MakeDate(year, month, day));
      for (const auto& entry : model.cell(day, month).entries) {
        const char kind = store::EntryKind(entry);
        if (kind < '0' || kind > '4') continue;
        PrintRow(*context.out, {date, std::string(1, kind), std::string(store::EntryIndexText(entry)),
                                store::EntryText(entry)});
      }
    }
  }
  return 0;
}

}  // namespace kal::cli
