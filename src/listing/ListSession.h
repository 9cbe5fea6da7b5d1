// The list dialog's inputs taken from the program's session: folders and the settings it reads.
#pragma once

#include "app/Startup.h"
#include "listing/ListRows.h"
#include "listing/ListSort.h"

namespace kal::listing {

// The folders of the session, section View's AutoSynSyu and AutoHoliday, section ToDo's waiting
// rules, the reference date and today.
ListSource ListSourceOf(platform::FileSystem& fs, const app::Session& session, const store::Date& reference,
                        const store::Date& today);

// The sort a kind opens with: schedules the saved sort of section List (SchColumn, SchOrder),
// ToDo items 期限 ascending, the others column 1 ascending.
SortState InitialSort(ListKind kind, const store::ListSettings& list);

}  // namespace kal::listing
