// Sorting the list dialog's rows by a column.
#pragma once

#include <string>
#include <vector>

#include "listing/ListKinds.h"
#include "listing/ListRows.h"

namespace kal::listing {

// Whether a click on the column's header sorts (not the key column, not the columns after the
// eleventh).
bool ColumnSorts(int column);

// <0, 0, >0. Texts compare character by character with ASCII letters folded; in a numeric column
// (残日数, 進捗, temperatures, 降水確率) the leading whole numbers compare by value, and an empty
// cell comes before every number.
int CompareCells(const std::string& a, const std::string& b, bool numeric);

// Sorts the rows by the column (direction +1 ascending, -1 descending); rows that compare equal
// keep their order.
void SortRows(std::vector<ListRow>& rows, ListKind kind, int column, int direction);

// The sort state: one direction per column, shared by every kind while the program runs, the
// sort column and its direction.
struct SortState {
  int column = 1;
  int direction = 1;
  // A header click: the column's direction turns over and becomes the sort.
  void Click(int clicked);
  // A rebuilt list is sorted again only when it is not in file order (column 1 ascending).
  bool ResortNeeded() const { return column > 1 || direction < 0; }
  static int& ColumnDirection(int column);
};

}  // namespace kal::listing
