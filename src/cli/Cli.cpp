#include "cli/Cli.h"

#include <ostream>

#include "cli/CliCommands.h"
#include "platform/SystemInfo.h"
#include "store/DateText.h"
#include "store/TextFile.h"

namespace kal::cli {

std::string EscapeField(const std::string& field) {
  std::string out;
  out.reserve(field.size());
  for (char c : field) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

void PrintRow(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out << '\t';
    out << EscapeField(fields[i]);
  }
  out << '\n';
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"settings", "settings", RunSettings},
      {"folders", "folders", RunFolders},
      {"schedules", "schedules yyyymm", RunSchedules},
      {"holidays", "holidays yyyy", RunHolidays},
      {"holiday-check", "holiday-check FROM [TO]", RunHolidayCheck},
      {"rokuyo", "rokuyo FROM TO", RunRokuyo},
      {"sekki", "sekki yyyy", RunSekki},
      {"format", "format yyyy/mm/dd PATTERN", RunFormat},
      {"status", "status yyyy/mm/dd PATTERN", RunStatus},
      {"repeat",
       "repeat --from yyyy/mm/dd --to yyyy/mm/dd --every 毎|隔 --pattern 日|週|月|年 [--days N] [--weekday 0-6]"
       " [--cycle date|weekday] [--month 1-12] [--day 1-31|末日|第1|第2|第3|第4|最終]"
       " [--shift none|before|after|skip] [--on 祝日,休日,土曜,日曜]",
       RunRepeat},
      {"categories", "categories", RunCategories},
      {"alarm-offsets", "alarm-offsets", RunAlarmOffsets},
      {"alarms", "alarms yyyy/mm/dd hh:nn yyyy/mm/dd hh:nn", RunAlarms},
      {"add-schedule",
       "add-schedule --date yyyy/mm/dd [--end-date yyyy/mm/dd] [--start hh:nn] [--end hh:nn] --title T"
       " [--place P] [--category C] [--bold] [--italic] [--underline] [--strikeout] [--alarm1 N] [--alarm2 N]"
       " [--memo TEXT] [--link PATH] [--bar-style 0-5] [--text-colour $BBGGRR] [--bar-colour $BBGGRR]"
       " [--background 変更しない|休日|平日|カスタム|元の背景色に戻す] [--background-colour $BBGGRR]"
       " [repetition options of repeat]",
       RunAddSchedule},
      {"model", "model yyyymm --view N [--count N]", RunModel},
      {"list",
       "list KIND VIEW [--date yyyy/mm/dd] [--from yyyy/mm/dd] [--to yyyy/mm/dd] [--title T] [--ignore-case] "
       "[--category C] [--detail D]",
       RunList},
      {"todos", "todos [--tab 未処理|処理済|待機]", RunTodos},
      {"todo-mark", "todo-mark done|undone INDEX...", RunTodoMark},
      {"add-todo",
       "add-todo --subject T [--limit yyyy/mm/dd] [--start yyyy/mm/dd] [--priority A|B|C|D] [--progress 0-100]"
       " [--done] [--category C] [--memo TEXT] [--link PATH] [repetition options of repeat]",
       RunAddTodo},
      {"print", "print yyyymm --view N [--count N] --output FILE.pdf", RunPrint},
      {"backup", "backup DIR", RunBackup},
      {"restore", "restore DIR", RunRestore},
      {"delete-old", "delete-old MONTHS [--yes]", RunDeleteOld},
      {"memos", "memos yyyymm", RunMemos},
      {"set-memo", "set-memo yyyy/mm/dd|yyyy/mm TEXT", RunSetMemo},
      {"notes", "notes", RunNotes},
      {"note", "note TITLE", RunNote},
      {"export", "export csv|vcs|ics KIND VIEW|search [--date yyyy/mm/dd] [SEARCH] --output FILE", RunExport},
      {"import",
       "import csv|ics|vcs|data FILE [--kind schedule|holiday|todo|weather] [--map N=FIELD,...]"
       " [--skip-duplicates] [--dry-run]",
       RunImport},
      {"sync", "sync --url URL --user USER [--calendar NAME] [--password-file FILE] [--dry-run]", RunSync},
  };
  return commands;
}

namespace {

void PrintHelp(std::ostream& out) {
  out << "kalendor-cli [--program-folder DIR] [--today yyyy/mm/dd] [--now hh:nn] COMMAND [ARGS...]\n\n";
  out << "Commands:\n";
  for (const auto& c : Commands()) out << "  " << c.usage << '\n';
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliContext context;
  context.out = &out;
  context.err = &err;
  platform::LocalDateTime now = platform::SystemClock().Now();
  std::size_t i = 0;
  try {
    for (; i < args.size(); ++i) {
      const std::string& a = args[i];
      auto value = [&]() -> const std::string& {
        if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
        return args[++i];
      };
      if (a == "--help") {
        PrintHelp(out);
        return 0;
      } else if (a == "--version") {
        out << "kalendor-cli " << KALENDOR_VERSION << '\n';
        return 0;
      } else if (a == "--program-folder") {
        context.program_folder = app::AbsoluteFolder(value());
      } else if (a == "--today") {
        auto d = store::ParseDateText(value());
        if (!d) throw UsageError{"--today takes yyyy/mm/dd"};
        now.date = *d;
      } else if (a == "--now") {
        auto t = store::ParseTimeText(value());
        if (!t) throw UsageError{"--now takes hh:nn"};
        now.hour = t->hour;
        now.minute = t->minute;
        now.second = 0;
      } else if (a.rfind("--", 0) == 0) {
        throw UsageError{"unknown option " + a};
      } else {
        break;
      }
    }
    if (i >= args.size()) throw UsageError{"no command given"};
    if (context.program_folder.empty()) {
      std::string user = platform::PerUserDataFolder();
      context.program_folder = user.empty() ? platform::ExecutableFolder() : user + "/Kalendor/";
    }
    context.clock.Set(now);
    const std::string& name = args[i];
    std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
    for (const auto& command : Commands()) {
      if (name == command.name) return command.run(context, rest);
    }
    throw UsageError{"unknown command " + name};
  } catch (const UsageError& e) {
    err << "kalendor-cli: " << e.message << "\n";
    PrintHelp(err);
    return 2;
  } catch (const CliError& e) {
    err << e.message << '\n';
    return 1;
  } catch (const store::FileError& e) {
    err << e.what() << '\n';
    return 1;
  }
}

}  // namespace kal::cli
