// The list dialog's inputs taken from the program's session: folders and the settings it reads.
#pragma once

#include "app/Startup.h"
#include "listing/ListRows.h"
#include "listing/ListSort.h"
#include "store/IniFile.h"

namespace kal::listing {

// The folders of the session, section View's AutoSynSyu and AutoHoliday, section ToDo's waiting
// rules, the reference date and today.
ListSource ListSourceOf(platform::FileSystem& fs, const app::Session& session, const store::Date& reference,
                        const store::Date& today);

// The sort a kind opens with: schedules the saved sort of section List (SchColumn, SchOrder),
// ToDo items 期限 ascending, the others column 1 ascending.
SortState InitialSort(ListKind kind, const store::ListSettings& list);

// The window and schedule columns of section List.
struct ListLayout {
  int top = 0, left = 0, height = 0, width = 0;
  std::vector<int> widths;  // the twelve schedule columns, the key column first
  int column = 1, order = 1;
};
// The schedule column widths: SchItemWidth where its entry is a number other than 0, else the
// default width; the key column is 0.
std::vector<int> ScheduleColumnWidths(const store::ListSettings& list);
ListLayout LayoutOf(const store::ListSettings& list);
// The layout as section List holds it ("0" and the widths of columns 2 to 12 in SchItemWidth).
store::ListSettings ListSettingsOf(const ListLayout& layout);
// Writes the seven keys of section List.
void WriteListLayout(store::IniFile& ini, const ListLayout& layout);

}  // namespace kal::listing
