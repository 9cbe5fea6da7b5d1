#include "reminders/Launch.h"

#include "platform/ProgramPath.h"
#include "store/Record.h"

namespace kal::reminders {
namespace {

LaunchPlan ForDocument(const std::string& document, const std::vector<std::string>& extra, platform::Shell& shell) {
  if (extra.empty()) return {LaunchPlan::Kind::Open, document, {}};
  if (auto program = shell.AssociatedProgram(document)) {
    std::vector<std::string> args{document};
    args.insert(args.end(), extra.begin(), extra.end());
    return {LaunchPlan::Kind::Start, *program, args};
  }
  return {LaunchPlan::Kind::Open, document, {}};
}

LaunchPlan ForPath(const std::string& path, const std::vector<std::string>& args, platform::Shell& shell) {
  if (platform::IsExecutableFile(path)) return {LaunchPlan::Kind::Start, path, args};
  return ForDocument(path, args, shell);
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  char quote = 0;
  for (char c : text) {
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        word += c;
    } else if (c == '"' || c == '\'') {
      quote = c;
      in_word = true;
    } else if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

LaunchPlan PlanLaunch(const std::string& field, const std::vector<std::string>& extra, platform::Shell& shell) {
  const std::string whole(store::Trim(field));
  if (whole.empty()) return {};
  if (platform::PathExists(whole)) return ForPath(whole, extra, shell);
  std::vector<std::string> words = SplitCommandLine(whole);
  if (words.empty()) return {};
  const std::string first = words.front();
  words.erase(words.begin());
  words.insert(words.end(), extra.begin(), extra.end());
  if (first.find('/') != std::string::npos) {
    if (platform::PathExists(first)) return ForPath(first, words, shell);
    return {};
  }
  if (auto program = platform::FindExecutable(first)) return {LaunchPlan::Kind::Start, *program, words};
  return {};
}

std::string CannotStartMessage(const std::string& field) { return "\"" + field + "\" は起動できません。"; }

bool AddonRunner::Start(const std::string& field, const std::vector<std::string>& extra, bool wait,
                        bool refresh_after) {
  const LaunchPlan plan = PlanLaunch(field, extra, shell_);
  bool ok = false;
  long handle = 0;
  switch (plan.kind) {
    case LaunchPlan::Kind::Start:
      handle = processes_.Start(plan.program, plan.arguments);
      ok = handle > 0;
      break;
    case LaunchPlan::Kind::Open:
      ok = shell_.Open(plan.program);
      break;
    case LaunchPlan::Kind::Missing:
      break;
  }
  if (!ok) {
    dialogs_.Error(CannotStartMessage(field), kRunErrorCaption);
    return false;
  }
  if (wait && handle > 0) waiting_.push_back({handle, field, refresh_after});
  return true;
}

std::vector<AddonRunner::Ended> AddonRunner::Poll() {
  std::vector<Ended> ended;
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    if (processes_.Running(it->handle)) {
      ++it;
    } else {
      ended.push_back({it->field, it->refresh});
      it = waiting_.erase(it);
    }
  }
  return ended;
}

}  // namespace kal::reminders
