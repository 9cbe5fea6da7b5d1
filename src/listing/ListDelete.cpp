#include "listing/ListDelete.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/Codec.h"
#include "store/HolidayFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "reminders/Addon.h"
#include "reminders/AddonForm.h"
#include "todo/TodoFile.h"

namespace kal::listing {
namespace {

std::size_t IndexOf(const ListRow& row, std::size_t at, std::size_t width) {
  return static_cast<std::size_t>(std::stoul(row.key().substr(at, width)));
}

// The number a detail line begins with ("nnn,"); 0 when it does not begin with three digits.
int DetailLineNumber(const std::string& line) {
  if (line.size() < 3 || !std::all_of(line.begin(), line.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  return std::stoi(line.substr(0, 3));
}

bool IsComputed(const ListRow& row) { return row.key() == "9999"; }

std::string Quoted(const std::string& text) { return "「" + text + "」を削除します。\nよろしいですか？"; }

DeleteOutcome Stale(platform::Dialogs& dialogs) {
  dialogs.Error(store::kStaleMessage, store::kStaleCaption);
  return DeleteOutcome::Stale;
}

DeleteOutcome DeleteHolidayRows(platform::Dialogs& dialogs, const ListSource& source, const std::vector<ListRow>& rows) {
  const std::string path = store::HolidayFilePath(source.data_folder);
  std::vector<std::string> lines = store::LoadLines(source.fs, path);
  std::set<std::size_t> drop;
  for (const ListRow& row : rows) {
    if (IsComputed(row)) continue;
    const std::size_t index = IndexOf(row, 0, 4);
    if (index >= lines.size() || lines[index] != row.line) {
      dialogs.Error(store::kHolidayGoneMessage, store::kStaleCaption);
      return DeleteOutcome::Stale;
    }
    drop.insert(index);
  }
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!drop.count(i)) kept.push_back(lines[i]);
  store::SaveLines(source.fs, path, kept);
  return DeleteOutcome::Deleted;
}

DeleteOutcome DeleteMemoRows(platform::Dialogs& dialogs, const ListSource& source, const std::vector<ListRow>& rows) {
  std::vector<std::string> paths;
  for (const ListRow& row : rows) {
    const auto names = source.fs.List(source.memo_folder, row.key() + ".mem");
    if (names.empty()) return Stale(dialogs);
    const std::string path = source.memo_folder + names.front();
    std::string text;
    for (const std::string& l : store::LoadLines(source.fs, path)) text += l;
    if (text != row.line) return Stale(dialogs);
    paths.push_back(path);
  }
  for (const std::string& path : paths) source.fs.Remove(path);
  return DeleteOutcome::Deleted;
}

}  // namespace

std::string DeleteCaption(ListKind kind) { return KindName(kind) + "の削除"; }

std::string DeleteQuestion(ListKind kind, const std::vector<ListRow>& rows) {
  if (rows.size() != 1) return std::to_string(rows.size()) + "件の" + KindName(kind) + "を削除します。\nよろしいですか？";
  const ListRow& row = rows.front();
  switch (kind) {
    case ListKind::Schedule: {
      const std::string title = store::CutField(store::FieldBytes(row.line, 31, 40), 20);
      return Quoted(platform::Cp932ToUtf8(store::TrimRight(title)));
    }
    case ListKind::Memo: {
      const std::string& k = row.key();
      std::string when = k.substr(0, 4) + "年" + k.substr(4, 2) + "月";
      if (k.size() == 8) when += k.substr(6, 2) + "日";
      return "「" + when + "」のメモを削除します。\nよろしいですか？";
    }
    case ListKind::Holiday: return Quoted(row.cells[3]);
    case ListKind::Todo: return Quoted(row.cells[6]);
    case ListKind::Addon: return Quoted(row.cells[3]);
    case ListKind::Weather: break;
  }
  return Quoted(row.cells.size() > 1 ? row.cells[1] : "");
}

DeleteOutcome DeleteScheduleRows(platform::FileSystem& fs, const std::string& data_folder,
                                 const std::vector<ListRow>& rows) {
  // Month stem -> the selected indices with their lines.
  std::map<std::string, std::map<std::size_t, const ListRow*>> by_month;
  for (const ListRow& row : rows) by_month[row.key().substr(0, 6)][IndexOf(row, 8, 4)] = &row;

  struct MonthWork {
    int year, month;
    std::vector<std::string> kept;
    std::set<int> details;
  };
  std::vector<MonthWork> work;
  // Every file is read and every row checked before the first write.
  for (const auto& [stem, selected] : by_month) {
    MonthWork w{std::stoi(stem.substr(0, 4)), std::stoi(stem.substr(4, 2)), {}, {}};
    const auto lines = store::LoadLines(fs, store::MonthFilePath(data_folder, w.year, w.month));
    for (const auto& [index, row] : selected)
      if (index >= lines.size() || lines[index] != row->line) return DeleteOutcome::Stale;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (!selected.count(i)) {
        w.kept.push_back(lines[i]);
      } else if (int n = store::DetailNumber(lines[i]); n > 0) {
        w.details.insert(n);
      }
    }
    work.push_back(std::move(w));
  }
  // The month file first, its detail lines after: a failure in between leaves an unused detail
  // line, never a schedule without its memo.
  for (const MonthWork& w : work) {
    store::SaveLines(fs, store::MonthFilePath(data_folder, w.year, w.month), w.kept);
    if (w.details.empty()) continue;
    const std::string detail_path = store::DetailFilePath(data_folder, w.year, w.month);
    std::vector<std::string> detail_lines;
    if (!store::LoadLinesIfExists(fs, detail_path, detail_lines)) continue;
    std::vector<std::string> detail_kept;
    for (const std::string& l : detail_lines) {
      if (!w.details.count(DetailLineNumber(l))) detail_kept.push_back(l);
    }
    if (detail_kept.size() != detail_lines.size()) store::SaveLines(fs, detail_path, detail_kept);
  }
  return DeleteOutcome::Deleted;
}

DeleteOutcome DeleteRows(platform::Dialogs& dialogs, const ListSource& source, ListKind kind,
                         const std::vector<ListRow>& rows) {
  if (rows.empty() || kind == ListKind::Weather) return DeleteOutcome::Refused;
  if (kind == ListKind::Holiday &&
      std::all_of(rows.begin(), rows.end(), [](const ListRow& r) { return IsComputed(r); })) {
    dialogs.Error(store::kComputedDeleteRefusal, "エラー");
    return DeleteOutcome::Refused;
  }
  if (!dialogs.Confirm(DeleteQuestion(kind, rows), DeleteCaption(kind))) return DeleteOutcome::Cancelled;
  switch (kind) {
    case ListKind::Schedule: {
      const DeleteOutcome outcome = DeleteScheduleRows(source.fs, source.data_folder, rows);
      if (outcome == DeleteOutcome::Stale) return Stale(dialogs);
      return outcome;
    }
    case ListKind::Holiday: return DeleteHolidayRows(dialogs, source, rows);
    case ListKind::Memo: return DeleteMemoRows(dialogs, source, rows);
    case ListKind::Addon: {
      std::vector<std::string> lines = reminders::LoadAddonLines(source.fs, source.program_folder);
      std::set<std::size_t> selected;
      for (const ListRow& row : rows) {
        const auto index = static_cast<std::size_t>(std::stoul(row.key()));
        if (index >= lines.size() || lines[index] != row.line) {
          dialogs.Error(reminders::kAddonStale, reminders::kAddonStaleCaption);
          return DeleteOutcome::Stale;
        }
        selected.insert(index);
      }
      std::vector<std::string> kept;
      for (std::size_t i = 0; i < lines.size(); ++i)
        if (!selected.count(i)) kept.push_back(lines[i]);
      reminders::SaveAddonLines(source.fs, source.program_folder, kept);
      return DeleteOutcome::Deleted;
    }
    case ListKind::Todo: {
      std::vector<todo::TodoRef> refs;
      for (const ListRow& row : rows) refs.push_back({static_cast<std::size_t>(std::stoul(row.key())), row.line});
      if (todo::DeleteTodos(source.fs, source.todo_folder, refs).status == todo::TodoStatus::Stale) {
        todo::ShowTodoStale(dialogs);
        return DeleteOutcome::Stale;
      }
      return DeleteOutcome::Deleted;
    }
    default: return DeleteOutcome::Refused;
  }
}

}  // namespace kal::listing
