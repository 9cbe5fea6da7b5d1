// Starting add-ons and linked files without a shell, and waiting for them without a nested
// event loop.
//
// A command field (an add-on's program, a schedule's file link) is resolved like this:
//  1. When the whole field (trimmed) names an existing file or folder, that is the target: an
//     executable regular file is started as a program; anything else is a document, opened with
//     the desktop's handler (with extra arguments: started with its associated program, the
//     document and the arguments).
//  2. Otherwise the field is split into words: blanks separate them, double or single quotes
//     group a word with blanks in it ("/opt/my tool/run" --x). The first word is the program: a
//     word holding "/" must name an executable file (or a document, as above); a bare name is
//     searched along PATH. The other words, then the extra arguments, are its arguments.
//  3. Nothing found: the run is refused with the message "\"" + field + "\" は起動できません。"
//     (caption "アプリ実行エラー").
// Nothing ever goes through a shell, so quotes, ";" or "$" in a field are never interpreted.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Shell.h"

namespace kal::reminders {

inline constexpr const char* kRunErrorCaption = "アプリ実行エラー";

// Splits a command field into words (blanks separate, double or single quotes group; a quote
// character of the other kind inside quotes is kept).
std::vector<std::string> SplitCommandLine(const std::string& text);

struct LaunchPlan {
  enum class Kind { Start, Open, Missing };
  Kind kind = Kind::Missing;
  std::string program;                 // Start: the program; Open: the document
  std::vector<std::string> arguments;  // Start only
  friend bool operator==(const LaunchPlan&, const LaunchPlan&) = default;
};

// How a command field with extra arguments is run (see above). `shell` is asked for the program
// associated with a document only when extra arguments must be passed to it.
LaunchPlan PlanLaunch(const std::string& field, const std::vector<std::string>& extra, platform::Shell& shell);

// "\"" + field + "\" は起動できません。"
std::string CannotStartMessage(const std::string& field);

// Add-on runs in progress. Start() launches at once and returns; the caller polls (every 100
// milliseconds) with Poll(), which reports the waited runs that have ended. While a waited run
// is in progress, Waiting() is true: the main window stays disabled meanwhile.
class AddonRunner {
 public:
  AddonRunner(platform::Processes& processes, platform::Shell& shell, platform::Dialogs& dialogs)
      : processes_(processes), shell_(shell), dialogs_(dialogs) {}

  // Runs a command field with extra arguments. `wait`: keep the window disabled until it ends;
  // `refresh_after`: the calendar is to be refreshed when a waited run ends. A field that cannot
  // be started is reported at once (message box) and false is returned.
  bool Start(const std::string& field, const std::vector<std::string>& extra, bool wait, bool refresh_after);

  struct Ended {
    std::string field;
    bool refresh = false;
  };
  // The waited runs that have ended since the last poll.
  std::vector<Ended> Poll();
  bool Waiting() const { return !waiting_.empty(); }

 private:
  struct Run {
    long handle = 0;
    std::string field;
    bool refresh = false;
  };
  platform::Processes& processes_;
  platform::Shell& shell_;
  platform::Dialogs& dialogs_;
  std::vector<Run> waiting_;
};

}  // namespace kal::reminders
