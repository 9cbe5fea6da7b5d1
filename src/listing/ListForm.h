// The list and search dialog's state and rules without its widgets: the kind, mode and view, the
// rows and their sort, the search, the status texts, which commands apply, the modified flag, and
// the checks before a row is edited. TDlgList shows what this answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "listing/ListDelete.h"
#include "listing/ListKinds.h"
#include "listing/ListRows.h"
#include "listing/ListSearch.h"
#include "listing/ListSort.h"
#include "platform/Dialogs.h"
#include "store/ScheduleFile.h"

namespace kal::listing {

// The modified flag the caller reads: 1 when an entry was added, changed or deleted; 9 after a
// search that found nothing (the caller reacts only to 1).
inline constexpr int kModified = 1;
inline constexpr int kNothingFound = 9;

enum class ListCommand { Add, Change, Delete, Copy, BulkEdit, SelectAll, ExportCsv, ExportVcs, ExportIcs };

class ListForm {
 public:
  ListForm(ListSource source, ListKind kind, ListMode mode);

  ListKind kind() const { return kind_; }
  ListMode mode() const { return mode_; }
  int view() const { return view_; }
  const std::vector<ListRow>& rows() const { return rows_; }
  const SortState& sort() const { return sort_; }
  int modified() const { return modified_; }
  const ListSource& source() const { return source_; }
  std::string Caption() const { return ListCaption(kind_, mode_); }

  // The kind selector: the columns change; outside the search view the list is rebuilt.
  void SetKind(ListKind kind);
  // A view button (1 to 4) rebuilds the list; 5 shows the search panel and clears the list.
  void SetView(int view);
  // Starts a sort (the saved schedule sort, or the ToDo list's 期限 ascending).
  void SetSort(int column, int direction);
  // A header click: sorts by the column when it sorts; true when it did.
  bool ColumnClick(int column);

  // Reads the rows of the current view again, or repeats the last search. Throws store::FileError.
  void Refresh();
  // The search button: the checks (the failure is returned, nothing else happens), the search,
  // and the not-found message through `dialogs`.
  std::optional<SearchFailure> Search(platform::Dialogs& dialogs, const SearchConditions& conditions) {
    return Search(&dialogs, conditions);
  }
  // The same without the not-found message when `dialogs` is null (the command line).
  std::optional<SearchFailure> Search(platform::Dialogs* dialogs, const SearchConditions& conditions);
  // "クリア": no conditions, no rows.
  void ClearSearch();
  bool searched() const { return searched_.has_value(); }

  // Status panel 1 ("選択 n件") and 2.
  static std::string SelectionText(std::size_t selected);
  std::string StatusText() const;

  // Whether a command is shown (export mode hides the editing commands, add-ons the rest) and
  // whether it is enabled with `selected` rows.
  bool CommandShown(ListCommand command) const;
  bool CommandEnabled(ListCommand command, std::size_t selected) const;

  // Deletes the selected rows (asks first); the list is rebuilt after a delete or a stale refusal.
  DeleteOutcome Delete(platform::Dialogs& dialogs, const std::vector<ListRow>& selected);

  // The stored line of a row, checked to be still where the row says. Nothing (with the stale
  // message shown and the list rebuilt) when it is not.
  std::optional<store::OldSchedule> ScheduleForEdit(platform::Dialogs& dialogs, const ListRow& row);
  // The Holiday.dat lines for the holiday entry dialog, when the row's line is still at its index;
  // the automatic rows are refused ("祝日訂正エラー").
  std::optional<std::vector<std::string>> HolidayLinesForEdit(platform::Dialogs& dialogs, const ListRow& row);
  // The day file of a weather row, when its line is still the row's.
  std::optional<std::vector<std::string>> DayLinesForEdit(platform::Dialogs& dialogs, const ListRow& row);

  // An entry dialog returned OK: the flag is set and the list rebuilt.
  void EntryStored();

  // The date a new schedule starts on: today from the search, else the reference date.
  store::Date NewScheduleDate() const;

 private:
  void Resort();
  void Reread();

  ListSource source_;
  ListKind kind_;
  ListMode mode_;
  int view_;
  SortState sort_;
  std::vector<ListRow> rows_;
  std::optional<SearchConditions> searched_;  // the last search, repeated by Refresh
  int modified_ = 0;
};

inline constexpr const char* kHolidayChangeCaption = "祝日訂正エラー";

}  // namespace kal::listing
