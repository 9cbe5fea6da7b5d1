// kalendor-cli: todos and todo-mark, the ToDo list as the panel classifies it and its done ticks.
#include <ostream>

#include "catalogues/Category.h"
#include "cli/CliCommands.h"
#include "cli/CliDialogs.h"
#include "todo/TodoForm.h"
#include "todo/TodoFile.h"
#include "todo/TodoState.h"

namespace kal::cli {
namespace {

std::string OptionalDate(const std::optional<store::Date>& date) { return date ? store::DateText(*date) : ""; }

}  // namespace

std::string TodoFolder(CliContext& context) { return SessionOf(context).folders.todo; }

int RunTodos(CliContext& context, const std::vector<std::string>& args) {
  std::optional<todo::TodoTab> tab;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--tab" || i + 1 >= args.size()) throw UsageError{"todos takes [--tab 未処理|処理済|待機]"};
    const std::string& name = args[++i];
    for (int t = 0; t < 3; ++t)
      if (name == todo::kTodoTabNames[static_cast<std::size_t>(t)]) tab = static_cast<todo::TodoTab>(t);
    if (!tab) throw UsageError{"--tab takes 未処理, 処理済 or 待機"};
  }
  const std::string folder = TodoFolder(context);
  const todo::TodoLoad load = todo::LoadTodoList(context.files, folder);
  for (const auto& [index, message] : load.damaged) *context.err << message << '\n';
  const store::Date today = context.clock.Now().date;
  const auto classes =
      todo::ClassifyTodos(load.records, today, todo::ClassifyOptionsOf(SessionOf(context).settings.todo));
  std::vector<std::string> memos;
  bool memos_loaded = false;
  for (std::size_t i = 0; i < load.records.size(); ++i) {
    const todo::TodoClass& c = classes.items[i];
    if (tab && c.tab != *tab) continue;
    const std::string& record = load.records[i];
    std::string memo;
    if (int number = todo::TodoMemoNumber(record); number > 0) {
      if (!memos_loaded) {
        memos = todo::LoadTodoMemos(context.files, folder);
        memos_loaded = true;
      }
      memo = JoinMemo(todo::TodoMemoOf(memos, number));
    }
    PrintRow(*context.out,
             {std::to_string(i), std::to_string(c.state), OptionalDate(todo::TodoLimit(record)),
              OptionalDate(todo::TodoStart(record)), todo::kPriorityLetters[todo::TodoPriority(record)],
              std::to_string(todo::TodoProgress(record) * 10), todo::TodoDone(record) ? "1" : "0",
              todo::TodoDoneDateText(record), todo::TodoCategory(record), todo::TodoSubject(record),
              todo::TodoLink(record), memo});
  }
  return 0;
}

int RunTodoMark(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() < 2 || (args[0] != "done" && args[0] != "undone"))
    throw UsageError{"todo-mark takes done|undone INDEX..."};
  const bool done = args[0] == "done";
  const std::string folder = TodoFolder(context);
  const std::vector<std::string> records = todo::LoadTodoRecords(context.files, folder);
  std::vector<todo::DoneChange> changes;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& text = args[i];
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
      throw UsageError{"todo-mark takes record indexes"};
    const std::size_t index = std::stoul(text);
    if (index >= records.size()) throw CliError{"ToDoの" + text + "番目のレコードはありません。"};
    changes.push_back({{index, records[index]}, done});
  }
  const todo::TodoResult result = todo::ApplyDoneChanges(context.files, folder, changes, context.clock.Now().date);
  if (result.status == todo::TodoStatus::Stale) throw CliError{todo::kTodoStaleMessage};
  return 0;
}

int RunAddTodo(CliContext& context, const std::vector<std::string>& args) {
  std::optional<std::string> subject, category, memo, link;
  std::optional<store::Date> limit, start;
  int priority = 0, progress = 0;
  bool done = false;
  RepeatOptions repeat;
  auto date_value = [](const std::string& option, const std::string& text) {
    auto date = store::ParseDateText(text);
    if (!date) throw UsageError{option + " takes yyyy/mm/dd"};
    return *date;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--done") {
      done = true;
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError{"add-todo: " + option + " needs a value"};
    const std::string& value = args[++i];
    if (option == "--subject") subject = value;
    else if (option == "--limit") limit = date_value(option, value);
    else if (option == "--start") start = date_value(option, value);
    else if (option == "--category") category = value;
    else if (option == "--memo") memo = value;
    else if (option == "--link") link = value;
    else if (option == "--priority") {
      if (value.size() != 1 || value[0] < 'A' || value[0] > 'D') throw UsageError{"--priority takes A, B, C or D"};
      priority = value[0] - 'A';
    } else if (option == "--progress") {
      const bool ok = !value.empty() && value.size() <= 3 && value.find_first_not_of("0123456789") == std::string::npos &&
                      std::stoi(value) <= 100 && std::stoi(value) % 10 == 0;
      if (!ok) throw UsageError{"--progress takes 0, 10, ... 100"};
      progress = std::stoi(value) / 10;
    } else if (!ReadRepeatOption(repeat, option, value)) {
      throw UsageError{"add-todo: unknown option " + option};
    }
  }
  if (!subject) throw UsageError{"add-todo needs --subject"};
  if (repeat.pattern == calendar::RepeatPattern::Day) throw UsageError{"add-todo: --pattern takes 週, 月 or 年"};

  const store::Date today = context.clock.Now().date;
  const std::string folder = TodoFolder(context);
  todo::TodoOpenRequest request;
  request.date = limit.value_or(repeat.from.value_or(today));
  todo::TodoForm form = todo::OpenTodoForm(request, today, {}, 0);
  form.no_limit = !limit && !repeat.any;
  if (start) {
    form.no_start = false;
    form.start = *start;
  }
  form.subject = *subject;
  if (category) {
    const catalogues::CategoryTable categories = catalogues::LoadCategoryTable(context.files, CategoryFolder(context));
    auto index = categories.FindText(*category);
    form.category = index ? categories.Entry(*index).name : *category;
  }
  form.priority = priority;
  form.progress = progress;
  form.done = done;
  form.done_date = today;
  if (memo) {
    form.memo = MemoLines(*memo);
    form.memo_changed = true;
  }
  form.link = link.value_or("");
  const calendar::HolidayList holidays = HolidaysOf(context);
  if (repeat.any) {
    form.repeat = true;
    form.rule = RepeatRuleOf(repeat, &form.rule);
  }

  CliDialogs dialogs;
  const todo::TodoUpdateResult result =
      todo::TodoUpdate(form, context.files, dialogs, folder, calendar::HolidayOracleOf(holidays));
  if (!result.stored) throw CliError{dialogs.errors.empty() ? "登録できませんでした。" : dialogs.errors.back()};
  for (const std::string& message : dialogs.errors) *context.err << message << '\n';
  for (const std::string& record : result.stored_records)
    PrintRow(*context.out, {OptionalDate(todo::TodoLimit(record)), todo::TodoSubject(record)});
  return 0;
}

}  // namespace kal::cli
