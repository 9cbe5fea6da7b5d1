// The schedule list `LtvSchList` above the calendar: a report-style list of the selected day's
// entries, fed with the day panel's rows. Column 0 is always present (0 pixels wide when the icon
// column is off) and holds each row's schedule-list key as its invisible text.
#pragma once

#include <QTreeWidget>

#include <optional>
#include <string>
#include <vector>

#include "mainwindow/DayPanel.h"
#include "mainwindow/GridCommands.h"

class QMenu;

namespace kal::catalogues {
class CategoryIcons;
}

namespace kal::mainwindow {

class QtSchList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit QtSchList(QWidget* parent = nullptr);

  // Rebuilds the columns from the flags of `SchItem` and the stored widths.
  void SetColumns(const std::string& sch_item, const std::vector<int>& widths);
  const std::string& Columns() const { return sch_item_; }
  // The icons of categories and holidays (optional; the built-in holiday icons otherwise).
  void SetCategoryIcons(const catalogues::CategoryIcons* icons) { icons_ = icons; }

  // Clears the list and adds one item per row, on the given background ($BBGGRR). The sort order
  // of the last column click lasts until this refill.
  void Fill(const std::vector<SchListRow>& rows, int background);

  // The rows as shown (after sorting), and the selected one.
  const std::vector<SchListRow>& Rows() const { return rows_; }
  const SchListRow* SelectedRow() const;
  ItemKind SelectedKind() const;
  // The schedule-list key shown in row `row` (column 0's text).
  QString KeyAt(int row) const;

  // The pop-up commands that can run (by item name); the others follow their rule but stay
  // disabled. Without a call every command can run.
  void SetWorkingCommands(const QStringList& names) { working_ = names; }

  // The pop-up menu `PopSch` for the current selection (built on every opening).
  QMenu* BuildPopup(QWidget* parent);

  // A header click: sorts by the column (not the icon column).
  void SortByColumn(int column);

  // The height that shows every row and the header, for the automatic height.
  int NeededHeight() const;
  // The row height of the list's font (font pixel height + 9, + 6 when the cell height equals
  // the character height).
  int RowHeight() const;

 signals:
  // Double click or Enter on a row (`LtvSchListUpdate`); -1 with no row selected.
  void editRequested(int row);
  // "削除(&D)" or Ctrl+D on the selected row.
  void deleteRequested(int row);
  // A pop-up command by its item name (PopSchRepL, PopSchToTodoL, PopTodoRepL, PopHolidayRepL).
  void commandChosen(const QString& name);
  // A column item of "表示項目の設定(&M)": the flags have been switched and the columns rebuilt.
  void columnsChanged(const QString& sch_item);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Refill();
  int SelectedIndex() const;

  std::string sch_item_ = kDefaultSchItem;
  std::vector<int> widths_;
  std::vector<SchListRow> rows_;
  int background_ = 0xFFFFFF;
  SchListSort sort_;
  const catalogues::CategoryIcons* icons_ = nullptr;
  std::optional<QStringList> working_;
};

}  // namespace kal::mainwindow
