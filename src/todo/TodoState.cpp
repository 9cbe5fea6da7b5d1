#include "todo/TodoState.h"

#include <cstdio>

#include "store/DatePattern.h"
#include "todo/TodoFile.h"

namespace kal::todo {
namespace {

int DaysBetween(const Date& from, const Date& to) { return store::DayNumber(to) - store::DayNumber(from); }

}  // namespace

ClassifyOptions ClassifyOptionsOf(const store::TodoSettings& s) {
  ClassifyOptions o;
  o.warn_term = s.warn_term;
  o.wait_task = s.wait_task;
  o.wait_day = s.wait_day;
  o.wait_count = s.wait_count;
  o.wait_cnt = s.wait_cnt;
  o.wait_date = s.wait_date;
  return o;
}

int StateByLimit(const std::optional<Date>& limit, const Date& today, int warn_term, bool waiting) {
  if (!limit) return kStateNoLimit;
  const int days = DaysBetween(today, *limit);
  if (days < 0) return kStateOverdue;
  if (days == 0) return kStateDueToday;
  if (warn_term + 1 > days) return kStateWarning;
  return waiting ? kStateWaiting : kStateRunning;
}

Classification ClassifyTodos(const std::vector<std::string>& records, const Date& today,
                             const ClassifyOptions& options) {
  Classification result;
  result.items.reserve(records.size());
  const std::string today_text = store::DateText(today);
  int not_done = 0;
  for (const auto& record : records) {
    TodoClass c;
    const auto limit = TodoLimit(record);
    if (TodoDone(record)) {
      c.state = kStateDone;
      c.tab = kTabDone;
      c.mark_state = limit ? kStateDone : 0;
      ++result.counts[kTabDone];
      result.items.push_back(c);
      continue;
    }
    if (limit) {
      if (options.wait_task && DaysBetween(today, *limit) > options.wait_day) c.waiting = true;
      if (!c.waiting && options.wait_count && not_done > options.wait_cnt - 2) c.waiting = true;
    }
    if (!c.waiting && options.wait_date) {
      const std::string start = TodoStartText(record);
      if (!start.empty() && start > today_text) c.waiting = true;
    }
    c.state = StateByLimit(limit, today, options.warn_term, c.waiting);
    if (c.waiting) {
      c.tab = kTabWaiting;
      ++result.counts[kTabWaiting];
    } else {
      c.tab = kTabNotDone;
      ++not_done;
      ++result.counts[kTabNotDone];
    }
    if (limit) c.mark_state = c.waiting ? kStateWaiting : StateByLimit(limit, today, options.warn_term, false);
    result.items.push_back(c);
  }
  return result;
}

std::string TabCaption(TodoTab tab, int count) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, " [%2d件]", count);
  return std::string(kTodoTabNames[tab]) + buffer;
}

store::ColourPair StateColours(const store::TodoSettings& settings, int state) {
  if (state < 1 || state > 7) return {0, kNoStateBackground};
  return settings.state_colours[static_cast<std::size_t>(state - 1)];
}

std::string StartupWarnings(const std::vector<std::string>& records, const Classification& classes,
                            const Date& today, int pop_level) {
  if (pop_level <= 0) return {};
  std::string lines;
  for (std::size_t i = 0; i < records.size() && i < classes.items.size(); ++i) {
    const TodoClass& c = classes.items[i];
    if (c.tab != kTabNotDone || c.state < kStateOverdue || c.state > kStateWarning || c.state > pop_level) continue;
    const auto limit = TodoLimit(records[i]);
    if (!limit) continue;
    const int days = DaysBetween(today, *limit);
    lines += store::FormatDatePattern("yyyy年m月d日(aaa)", *limit) + "の「" + TodoSubject(records[i]) + "」の期限";
    if (days > 0) {
      lines += "まであと " + std::to_string(days) + "日です。";
    } else if (days < 0) {
      lines += "を " + std::to_string(-days) + "日過ぎています。";
    } else {
      lines += "です。";
    }
    lines += "\n";
  }
  if (lines.empty()) return {};
  return "\n【ToDoの警告】\n" + lines;
}

}  // namespace kal::todo
