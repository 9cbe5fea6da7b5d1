#include "listing/ListSession.h"

namespace kal::listing {

ListSource ListSourceOf(platform::FileSystem& fs, const app::Session& session, const store::Date& reference,
                        const store::Date& today) {
  ListSource source{fs};
  source.data_folder = session.folders.data;
  source.memo_folder = session.folders.memo;
  source.todo_folder = session.folders.todo;
  source.table_folder = session.folders.table;
  source.reference = reference;
  source.today = today;
  source.holidays.auto_equinox = session.settings.view.auto_syn_syu;
  source.holidays.auto_holiday = session.settings.view.auto_holiday;
  const store::TodoSettings& td = session.settings.todo;
  source.wait = {td.wait_task, td.wait_day, td.wait_count, td.wait_cnt, td.wait_date};
  return source;
}

SortState InitialSort(ListKind kind, const store::ListSettings& list) {
  switch (kind) {
    case ListKind::Schedule: {
      const int column = ColumnSorts(list.sch_column) ? list.sch_column : 1;
      return {column, list.sch_order < 0 ? -1 : 1};
    }
    case ListKind::Todo: return {2, 1};
    default: return {1, 1};
  }
}

}  // namespace kal::listing
