// kalendor-cli alarms FROM TO: the timer's minute work run minute by minute, nothing shown.
#include <ostream>

#include "cli/CliCommands.h"
#include "reminders/ReminderInputs.h"
#include "store/DateText.h"

namespace kal::cli {
namespace {

constexpr const char* kUsage = "alarms takes FROM TO as yyyy/mm/dd hh:nn each (at most 31 days)";

// "yyyy/mm/dd hh:nn" as one argument, or as two.
platform::LocalDateTime ReadMoment(const std::vector<std::string>& args, std::size_t& i) {
  if (i >= args.size()) throw UsageError{kUsage};
  std::string text = args[i++];
  if (text.find(' ') == std::string::npos) {
    if (i >= args.size()) throw UsageError{kUsage};
    text += " " + args[i++];
  }
  const std::size_t blank = text.find(' ');
  auto date = store::ParseDateText(text.substr(0, blank));
  auto time = store::ParseTimeText(text.substr(blank + 1));
  if (!date || !time) throw UsageError{kUsage};
  platform::LocalDateTime at;
  at.date = *date;
  at.hour = time->hour;
  at.minute = time->minute;
  return at;
}

}  // namespace

int RunAlarms(CliContext& context, const std::vector<std::string>& args) {
  std::size_t i = 0;
  const platform::LocalDateTime from = ReadMoment(args, i);
  const platform::LocalDateTime to = ReadMoment(args, i);
  if (i != args.size()) throw UsageError{kUsage};
  const auto first = reminders::MinuteCount(from), last = reminders::MinuteCount(to);
  if (last < first || last - first >= 31 * 24 * 60) throw UsageError{kUsage};

  const app::Session& session = SessionOf(context);
  const reminders::EngineInputs inputs = reminders::LoadEngineInputs(
      context.files, session.settings, {context.program_folder, DataFolder(context), TableFolder(context)});
  std::ostream& out = *context.out;
  for (const auto& a : reminders::RunMinutes(inputs, from, to)) {
    const std::string when = store::DateText(a.date) + " " + store::TimeText(a.minute / 60, a.minute % 60);
    switch (a.kind) {
      case reminders::ActionKind::Alarm:
        PrintRow(out, {when, "alarm", store::DateText(a.alarm.date), a.alarm.start, std::to_string(a.alarm.lead),
                       a.alarm.title});
        break;
      case reminders::ActionKind::Signal: PrintRow(out, {when, "signal", a.text}); break;
      case reminders::ActionKind::Addon: PrintRow(out, {when, "addon", a.addon.program}); break;
      default: break;
    }
  }
  return 0;
}

}  // namespace kal::cli
