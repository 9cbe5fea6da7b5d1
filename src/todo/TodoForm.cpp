#include "todo/TodoForm.h"

#include <algorithm>
#include <set>

#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::todo {
namespace {

using calendar::RepeatCycle;
using calendar::RepeatPattern;

constexpr std::size_t kScheduleTitleBytes = 40;

// The repetition controls' defaults from the limit date; the period starts at the start box.
void PresetRepeat(TodoForm& form) {
  calendar::RepeatRule& r = form.rule;
  r.from = form.start;
  r.every_other = false;
  r.pattern = RepeatPattern::Month;
  r.cycle = RepeatCycle::ByDate;
  r.month = store::MonthOf(form.limit);
  r.day = store::DayOf(form.limit);
  r.last = false;
  r.weekday = store::WeekdayNumber(form.limit) - 1;
  r.shift = calendar::RepeatShift::None;
  r.to = calendar::RepeatDefaultEnd(r.pattern, r.from);
}

bool HasMemo(const TodoForm& form) { return !form.memo.empty(); }

void Refuse(platform::Dialogs& dialogs, const std::string& message) {
  dialogs.Error(message, kTodoInputErrorCaption);
}

// The record of one item of the form with its limit and memo number.
TodoFields FieldsOf(const TodoForm& form, const std::optional<Date>& limit, int memo) {
  TodoFields f;
  f.limit = limit;
  if (!form.no_start) {
    if (limit && !form.no_limit) {
      // A repeated item keeps the dialog's distance between start and limit.
      const int distance = store::DayNumber(form.limit) - store::DayNumber(form.start);
      f.start = store::AddDays(*limit, -distance);
    } else {
      f.start = form.start;
    }
  }
  f.priority = form.priority;
  f.progress = form.progress;
  f.done = form.done;
  f.done_date = form.done_date;
  f.category = form.category;
  f.memo = memo;
  f.subject = form.subject;
  f.link = form.link;
  return f;
}

TodoFormField FieldOfName(const std::string& name) {
  if (name == kCategoryName) return TodoFormField::Category;
  if (name == kLinkName) return TodoFormField::Link;
  if (name == kMemoName) return TodoFormField::Memo;
  return TodoFormField::Subject;
}

}  // namespace

std::string TodoFormCaption(TodoEntryKind kind) {
  switch (kind) {
    case TodoEntryKind::Edit: return "ToDoの訂正";
    case TodoEntryKind::Copy: return "ToDoのコピー";
    case TodoEntryKind::ScheduleCopy: return "スケジュールをToDoにコピー";
    case TodoEntryKind::New: break;
  }
  return "ToDoの追加";
}

TodoForm OpenTodoForm(const TodoOpenRequest& request, const Date& today, const std::vector<std::string>& source_memo,
                      std::size_t memo_lines) {
  TodoForm form;
  form.kind = request.kind;
  if ((form.kind == TodoEntryKind::Edit || form.kind == TodoEntryKind::Copy) && !request.source)
    form.kind = TodoEntryKind::New;
  form.limit = form.start = form.done_date = request.date;
  form.repeat_allowed = form.kind == TodoEntryKind::New || form.kind == TodoEntryKind::Copy;
  form.done_enabled = form.kind == TodoEntryKind::Edit;
  if (form.kind == TodoEntryKind::New) {
    form.memo_enabled = memo_lines < kMaxMemoLines;
  } else {
    const std::string& record = request.source->line;
    if (auto limit = TodoLimit(record)) {
      form.limit = *limit;
    } else {
      form.no_limit = true;
    }
    if (auto start = TodoStart(record)) {
      form.start = *start;
      form.no_start = false;
    } else {
      form.no_start = true;
      form.start = form.limit;
    }
    form.priority = TodoPriority(record);
    form.progress = TodoProgress(record);
    form.category = TodoCategory(record);
    form.subject = TodoSubject(record);
    form.link = TodoLink(record);
    form.memo = source_memo;
    if (form.kind == TodoEntryKind::Edit) {
      form.source = request.source;
      form.done = request.shown_done.value_or(TodoDone(record));
      const auto stored = TodoDoneDate(record);
      form.done_date = form.done && stored ? *stored : today;
    } else {
      form.done = false;
      form.done_date = today;
      form.memo_changed = !form.memo.empty();  // the copy takes the memo under a new number
    }
  }
  PresetRepeat(form);
  return form;
}

TodoForm TodoFormFromSchedule(const Date& date, const Date& today, std::string_view schedule_line,
                              const std::vector<std::string>& detail_memo) {
  TodoForm form;
  form.kind = TodoEntryKind::ScheduleCopy;
  form.limit = form.start = form.done_date = date;
  form.done_enabled = false;
  form.repeat_allowed = false;
  const store::ScheduleFields fields = store::ReadScheduleLine(schedule_line);
  form.subject = fields.title;
  form.category = fields.category;
  form.link = fields.link;
  form.memo = detail_memo;
  form.memo_changed = !detail_memo.empty();
  (void)today;
  PresetRepeat(form);
  return form;
}

// ---- Interactive -----------------------------------------------------------------------------------

void SetNoLimit(TodoForm& form, bool no_limit) {
  form.no_limit = no_limit;
  if (no_limit) form.repeat = false;
}

bool RepeatShown(const TodoForm& form) { return form.repeat_allowed && !form.no_limit; }

void SetRepeatOn(TodoForm& form, bool on) { form.repeat = on && RepeatShown(form); }

void SetRepeatPattern(TodoForm& form, RepeatPattern pattern) {
  if (pattern == RepeatPattern::Day) pattern = RepeatPattern::Week;  // ToDo items repeat by week at the least
  form.rule.pattern = pattern;
  form.rule.to = calendar::RepeatDefaultEnd(pattern, form.rule.from);
}

void SetRepeatCycle(TodoForm& form, RepeatCycle cycle) {
  form.rule.cycle = cycle;
  form.rule.last = false;
  if (cycle == RepeatCycle::ByDate) {
    form.rule.day = store::DayOf(form.limit);
  } else {
    form.rule.day = (store::DayOf(form.limit) - 1) / 7 + 1;
    if (form.rule.day > 4) form.rule.last = true;
    form.rule.weekday = store::WeekdayNumber(form.limit) - 1;
  }
}

CutSubject CutTodoSubject(const std::string& text) {
  CutSubject cut;
  cut.text = store::CutUtf8ToWidth(text, kSubjectWidth);
  cut.beep = cut.text.size() != text.size();
  return cut;
}

std::string ProgressLabel(int progress) { return std::to_string(std::clamp(progress, 0, 10) * 10) + "%"; }

calendar::RepeatResult TodoRepeatDates(const TodoForm& form, const calendar::HolidayOracle& holidays) {
  calendar::RepeatRule rule = form.rule;
  if (rule.pattern == RepeatPattern::Day) rule.pattern = RepeatPattern::Week;
  return calendar::RepeatDates(rule, holidays);
}

std::string TodoRepeatLabel(const TodoForm& form, const calendar::HolidayOracle& holidays) {
  return calendar::RepeatCountText(TodoRepeatDates(form, holidays));
}

std::vector<std::string> TodoSubjects(const std::vector<std::string>& records) {
  std::set<std::string> subjects;
  for (const auto& r : records) {
    std::string s = TodoSubject(r);
    if (!s.empty()) subjects.insert(std::move(s));
  }
  return {subjects.begin(), subjects.end()};
}

// ---- OK --------------------------------------------------------------------------------------------

std::optional<TodoFormField> CheckTodoForm(const TodoForm& form, platform::Dialogs& dialogs,
                                           const calendar::HolidayOracle& holidays,
                                           std::vector<std::optional<Date>>& limits) {
  limits.clear();
  const bool repeating = form.repeat && RepeatShown(form);
  if (store::Trim(form.subject).empty()) {
    Refuse(dialogs, kNoSubjectMessage);
    return TodoFormField::Subject;
  }
  if (!form.no_start && !form.no_limit && form.limit < form.start) {
    Refuse(dialogs, kStartAfterLimitMessage);
    return repeating ? TodoFormField::Start : TodoFormField::Limit;
  }
  if (repeating) {
    if (!(form.rule.from < form.rule.to)) {
      Refuse(dialogs, kBadPeriodMessage);
      return TodoFormField::RepeatFrom;
    }
    const calendar::RepeatRule& r = form.rule;
    if (r.shift != calendar::RepeatShift::None && !r.on_public_holiday && !r.on_private_holiday && !r.on_saturday &&
        !r.on_sunday) {
      Refuse(dialogs, kNoShiftConditionMessage);
      return TodoFormField::RepeatFrom;
    }
  }
  // Characters the files cannot hold.
  TodoBuild probe = BuildTodoRecord(FieldsOf(form, form.limit, 0));
  if (!probe.ok) {
    Refuse(dialogs, probe.message);
    return FieldOfName(probe.field);
  }
  std::string bad;
  if (HasMemo(form) && !BuildTodoMemoLine(1, form.memo, &bad)) {
    Refuse(dialogs, store::UnencodableMessage(kMemoName, bad));
    return TodoFormField::Memo;
  }
  if (repeating) {
    const calendar::RepeatResult result = TodoRepeatDates(form, holidays);
    if (result.dates.empty()) {
      Refuse(dialogs, kNoTodoToStoreMessage);
      return TodoFormField::RepeatFrom;
    }
    for (const auto& d : result.dates) limits.emplace_back(d);
  } else {
    limits.push_back(form.no_limit ? std::nullopt : std::optional<Date>(form.limit));
  }
  return std::nullopt;
}

int DecideMemoNumber(const TodoForm& form, const std::vector<std::string>& records) {
  if (form.kind == TodoEntryKind::Edit && form.source) {
    const int kept = TodoMemoNumber(form.source->line);
    if (kept > 0) return kept;
  }
  if (form.memo_changed) return FreeTodoMemoNumber(records);
  return 0;
}

TodoUpdateResult TodoUpdate(TodoForm& form, platform::FileSystem& fs, platform::Dialogs& dialogs,
                            const std::string& folder, const calendar::HolidayOracle& holidays) {
  TodoUpdateResult result;
  std::vector<std::optional<Date>> limits;
  result.focus = CheckTodoForm(form, dialogs, holidays, limits);
  if (result.focus) return result;

  std::vector<std::string> records = LoadTodoRecords(fs, folder);
  const bool editing = form.kind == TodoEntryKind::Edit && form.source;
  if (editing && (form.source->index >= records.size() || records[form.source->index] != form.source->line)) {
    ShowTodoStale(dialogs);
    result.stale = true;
    return result;
  }
  std::vector<std::string> memos;
  bool memos_loaded = false, memos_changed = false, overflow_shown = false;
  auto load_memos = [&] {
    if (!memos_loaded) memos = LoadTodoMemos(fs, folder);
    memos_loaded = true;
  };

  if (editing) {
    // The record's memo line goes when the memo was emptied; a kept number is rewritten below.
    const int old_number = TodoMemoNumber(form.source->line);
    if (old_number > 0 && !HasMemo(form)) {
      load_memos();
      memos_changed = RemoveTodoMemo(memos, old_number) > 0 || memos_changed;
    }
    records.erase(records.begin() + static_cast<long>(form.source->index));
  }

  for (const auto& limit : limits) {
    int number = 0;
    if (HasMemo(form)) {
      number = DecideMemoNumber(form, records);  // each item of a series takes a number of its own
      if (number > kMaxMemoNumber) {
        if (!overflow_shown) dialogs.Error(kMemoOverflowMessage, kMemoOverflowCaption);
        overflow_shown = true;
        number = 0;
      }
      if (number > 0) {
        load_memos();
        RemoveTodoMemo(memos, number);  // a stale line under the same number never survives
        memos.push_back(*BuildTodoMemoLine(number, form.memo));
        store::SortLines(memos);
        memos_changed = true;
      }
    }
    TodoBuild built = BuildTodoRecord(FieldsOf(form, limit, number));
    records.push_back(built.line);
    result.stored_records.push_back(built.line);
  }
  SortTodoList(records);
  SaveTodoFiles(fs, folder, memos_changed ? std::optional(memos) : std::nullopt, records);
  result.records = std::move(records);
  result.stored = true;
  return result;
}

ScheduleFromTodo ScheduleCopyOf(std::string_view record, const Date& today, const std::vector<std::string>& memo_lines) {
  ScheduleFromTodo copy;
  copy.date = TodoLimit(record).value_or(today);
  copy.title = std::string(store::TrimRight(store::CutUtf8ToWidth(TodoSubject(record), kScheduleTitleBytes)));
  copy.category = TodoCategory(record);
  copy.link = TodoLink(record);
  copy.memo = TodoMemoOf(memo_lines, TodoMemoNumber(record));
  return copy;
}

}  // namespace kal::todo
