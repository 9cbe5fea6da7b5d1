#include "listing/ListForm.h"

#include <algorithm>

#include "store/DatePattern.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/TextFile.h"

namespace kal::listing {

ListForm::ListForm(ListSource source, ListKind kind, ListMode mode)
    : source_(std::move(source)), kind_(kind), mode_(mode), view_(InitialView(kind, mode)) {
  if (kind == ListKind::Todo) sort_ = {2, 1};
}

void ListForm::SetKind(ListKind kind) {
  kind_ = kind;
  rows_.clear();
  searched_.reset();
  if (view_ == 3 && ViewCaptions(kind)[2].empty()) view_ = kViewAll;
  if (view_ != kViewSearch) Refresh();
}

void ListForm::SetView(int view) {
  view_ = view;
  searched_.reset();
  rows_.clear();
  if (view != kViewSearch) Refresh();
}

void ListForm::SetSort(int column, int direction) {
  sort_.column = column;
  sort_.direction = direction;
}

bool ListForm::ColumnClick(int column) {
  if (!ColumnSorts(column) || column >= static_cast<int>(Columns(kind_).size())) return false;
  sort_.Click(column);
  SortRows(rows_, kind_, sort_.column, sort_.direction);
  return true;
}

void ListForm::Resort() {
  if (sort_.ResortNeeded()) SortRows(rows_, kind_, sort_.column, sort_.direction);
}

void ListForm::Reread() {
  if (view_ == kViewSearch) {
    rows_ = searched_ ? SearchRows(source_, kind_, *searched_) : std::vector<ListRow>{};
  } else {
    rows_ = ListRows(source_, kind_, view_);
  }
  Resort();
}

void ListForm::Refresh() { Reread(); }

std::optional<SearchFailure> ListForm::Search(platform::Dialogs* dialogs, const SearchConditions& conditions) {
  if (auto failure = CheckSearch(kind_, conditions)) return failure;
  view_ = kViewSearch;
  searched_ = conditions;
  Reread();
  if (rows_.empty()) {
    if (dialogs != nullptr) dialogs->Info(kNotFoundMessage, Caption());
    if (modified_ != kModified) modified_ = kNothingFound;
  }
  return std::nullopt;
}

void ListForm::ClearSearch() {
  searched_.reset();
  rows_.clear();
}

std::string ListForm::SelectionText(std::size_t selected) { return "選択 " + std::to_string(selected) + "件"; }

std::string ListForm::StatusText() const {
  const std::string count = " [" + std::to_string(rows_.size()) + "件]";
  if (kind_ == ListKind::Addon) return KindName(kind_) + count;  // one page without views
  std::string text;
  if (view_ == kViewSearch) {
    text = KindName(kind_) + "の検索結果" + count;
  } else {
    const int y = store::YearOf(source_.reference), m = store::MonthOf(source_.reference);
    std::string when;
    if (kind_ == ListKind::Holiday) {
      when = std::to_string(y) + "年の" + ViewCaptions(kind_)[static_cast<std::size_t>(view_ - 1)];
    } else if (kind_ == ListKind::Todo || view_ == kViewAll) {
      when = ViewCaptions(kind_)[static_cast<std::size_t>(view_ - 1)];
    } else if (view_ == 1) {
      when = std::to_string(y) + "年" + std::to_string(m) + "月" + std::to_string(store::DayOf(source_.reference)) +
             "日(" + store::ShortWeekdayName(store::WeekdayNumber(source_.reference)) + ")";
    } else if (view_ == 2) {
      when = std::to_string(y) + "年" + std::to_string(m) + "月";
    } else {
      when = std::to_string(y) + "年";
    }
    text = when + "の" + KindName(kind_) + count;
  }
  if (mode_ == ListMode::Export)
    text += "　エクスポートする" + KindName(kind_) + "を選択し（［Ctrl］キーを押しながらクリック）、ファイルメニューより処理を選択して下さい。";
  return text;
}

bool ListForm::CommandShown(ListCommand command) const {
  const bool editing = command == ListCommand::Add || command == ListCommand::Change ||
                       command == ListCommand::Delete || command == ListCommand::Copy ||
                       command == ListCommand::BulkEdit;
  if (editing && mode_ == ListMode::Export) return false;
  switch (command) {
    case ListCommand::Add: return kind_ != ListKind::Weather;
    case ListCommand::Change: return true;
    case ListCommand::Delete: return kind_ != ListKind::Weather;
    case ListCommand::Copy: return kind_ == ListKind::Schedule || kind_ == ListKind::Todo || kind_ == ListKind::Addon;
    case ListCommand::BulkEdit: return kind_ == ListKind::Schedule;
    case ListCommand::SelectAll: return kind_ != ListKind::Addon;
    case ListCommand::ExportCsv:
      return kind_ == ListKind::Schedule || kind_ == ListKind::Memo || kind_ == ListKind::Todo ||
             kind_ == ListKind::Weather;
    case ListCommand::ExportVcs: return kind_ == ListKind::Schedule;
    case ListCommand::ExportIcs: return kind_ == ListKind::Schedule || kind_ == ListKind::Holiday;
  }
  return false;
}

bool ListForm::CommandEnabled(ListCommand command, std::size_t selected) const {
  if (!CommandShown(command)) return false;
  switch (command) {
    case ListCommand::Add:
    case ListCommand::SelectAll: return true;
    // The bulk edit works on one schedule as well as on many.
    default: return selected >= 1;
  }
}

DeleteOutcome ListForm::Delete(platform::Dialogs& dialogs, const std::vector<ListRow>& selected) {
  if (!CommandEnabled(ListCommand::Delete, selected.size())) return DeleteOutcome::Refused;
  const DeleteOutcome outcome = DeleteRows(dialogs, source_, kind_, selected);
  if (outcome == DeleteOutcome::Deleted) modified_ = kModified;
  if (outcome == DeleteOutcome::Deleted || outcome == DeleteOutcome::Stale) Reread();
  return outcome;
}

std::optional<store::OldSchedule> ListForm::ScheduleForEdit(platform::Dialogs& dialogs, const ListRow& row) {
  const std::string& key = row.key();
  store::OldSchedule old{std::stoi(key.substr(0, 4)), std::stoi(key.substr(4, 2)),
                         static_cast<std::size_t>(std::stoul(key.substr(8, 4))), row.line};
  const auto lines = store::LoadLines(source_.fs, store::MonthFilePath(source_.data_folder, old.year, old.month));
  if (old.index >= lines.size() || lines[old.index] != row.line) {
    dialogs.Error(store::kStaleMessage, store::kStaleCaption);
    Reread();
    return std::nullopt;
  }
  return old;
}

std::optional<std::vector<std::string>> ListForm::HolidayLinesForEdit(platform::Dialogs& dialogs, const ListRow& row) {
  if (row.key() == "9999") {
    dialogs.Error(store::kComputedChangeRefusal, kHolidayChangeCaption);
    return std::nullopt;
  }
  auto lines = store::LoadLines(source_.fs, store::HolidayFilePath(source_.data_folder));
  const std::size_t index = static_cast<std::size_t>(std::stoul(row.key()));
  if (index >= lines.size() || lines[index] != row.line) {
    dialogs.Error(store::kHolidayGoneMessage, store::kStaleCaption);
    Reread();
    return std::nullopt;
  }
  return lines;
}

std::optional<std::vector<std::string>> ListForm::DayLinesForEdit(platform::Dialogs& dialogs, const ListRow& row) {
  const std::string& key = row.key();
  const int y = std::stoi(key.substr(0, 4)), m = std::stoi(key.substr(4, 2)), d = std::stoi(key.substr(6, 2));
  auto lines = store::LoadLines(source_.fs, store::DayFilePath(source_.data_folder, y, m));
  const std::string now = static_cast<std::size_t>(d) < lines.size() ? lines[static_cast<std::size_t>(d)] : "";
  if (now != row.line) {
    dialogs.Error(store::kStaleMessage, store::kStaleCaption);
    Reread();
    return std::nullopt;
  }
  return lines;
}

void ListForm::EntryStored() {
  modified_ = kModified;
  Reread();
}

store::Date ListForm::NewScheduleDate() const {
  return mode_ == ListMode::Search || view_ == kViewSearch ? source_.today : source_.reference;
}

}  // namespace kal::listing
