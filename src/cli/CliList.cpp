#include <algorithm>
#include <ostream>

#include "cli/CliCommands.h"
#include "cli/CliListForm.h"
#include "listing/ListSession.h"

namespace kal::cli {
namespace {

std::optional<listing::ListKind> KindOf(const std::string& name) {
  static const std::pair<const char*, listing::ListKind> kinds[] = {
      {"schedule", listing::ListKind::Schedule}, {"holiday", listing::ListKind::Holiday},
      {"memo", listing::ListKind::Memo},         {"todo", listing::ListKind::Todo},
      {"weather", listing::ListKind::Weather},   {"addon", listing::ListKind::Addon}};
  for (const auto& [n, k] : kinds)
    if (name == n) return k;
  return std::nullopt;
}

store::Date DateOption(const std::string& option, const std::string& value) {
  auto d = store::ParseDateText(value);
  if (!d) throw UsageError{option + " takes yyyy/mm/dd"};
  return *d;
}

}  // namespace

listing::ListForm ListFormFromArgs(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() < 2) throw UsageError{"list takes KIND VIEW"};
  const auto kind = KindOf(args[0]);
  if (!kind) throw UsageError{"list: unknown kind " + args[0]};
  const bool search = args[1] == "search";
  int view = search ? listing::kViewSearch : 0;
  if (!search) {
    if (args[1].size() != 1 || args[1][0] < '1' || args[1][0] > '4') throw UsageError{"list: VIEW is 1 to 4 or search"};
    view = args[1][0] - '0';
  }
  const store::Date today = context.clock.Now().date;
  store::Date reference = today;
  listing::SearchConditions conditions;
  std::string category;
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
      return args[++i];
    };
    if (a == "--date") reference = DateOption(a, value());
    else if (search && a == "--from") conditions.from = DateOption(a, value());
    else if (search && a == "--to") conditions.to = DateOption(a, value());
    else if (search && a == "--title") conditions.title = value();
    else if (search && a == "--ignore-case") conditions.ignore_case = true;
    else if (search && a == "--category") category = value();
    else if (search && a == "--detail") conditions.detail = value();
    else throw UsageError{"list: unknown option " + a};
  }
  const listing::SearchPanelFields panel = listing::SearchPanelOf(*kind);
  if (panel.category_fixed && !category.empty()) {
    const auto it = std::find(panel.fixed_list.begin(), panel.fixed_list.end(), category);
    if (it == panel.fixed_list.end()) throw UsageError{"list: --category is one of the kind's fixed list"};
    conditions.category_index = static_cast<int>(it - panel.fixed_list.begin());
  } else {
    conditions.category = category;
  }

  const app::Session& session = SessionOf(context);
  listing::ListForm form(listing::ListSourceOf(context.files, session, reference, today), *kind,
                         search ? listing::ListMode::Search : listing::ListMode::List);
  const listing::SortState sort = listing::InitialSort(*kind, session.settings.list);
  form.SetSort(sort.column, sort.direction);
  if (search) {
    // The not-found message is the dialog's; here the count line says it.
    if (auto failure = form.Search(nullptr, conditions)) throw CliError{failure->message};
  } else {
    form.SetView(view);
  }
  return form;
}

int RunList(CliContext& context, const std::vector<std::string>& args) {
  const listing::ListForm form = ListFormFromArgs(context, args);
  for (const listing::ListRow& row : form.rows()) PrintRow(*context.out, row.cells);
  PrintRow(*context.out, {"count", std::to_string(form.rows().size())});
  return 0;
}

}  // namespace kal::cli
