#include "listing/ListSession.h"

namespace kal::listing {

ListSource ListSourceOf(platform::FileSystem& fs, const app::Session& session, const store::Date& reference,
                        const store::Date& today) {
  ListSource source{fs};
  source.data_folder = session.folders.data;
  source.memo_folder = session.folders.memo;
  source.todo_folder = session.folders.todo;
  source.table_folder = session.folders.table;
  source.program_folder = session.program_folder;
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

std::vector<int> ScheduleColumnWidths(const store::ListSettings& list) {
  const auto& columns = Columns(ListKind::Schedule);
  std::vector<int> widths;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    int w = columns[c].width;
    if (c > 0 && c < list.sch_item_width.size()) {
      try {
        const int saved = std::stoi(list.sch_item_width[c]);
        if (saved > 0) w = saved;
      } catch (const std::exception&) {
      }
    }
    widths.push_back(c == 0 ? 0 : w);
  }
  return widths;
}

ListLayout LayoutOf(const store::ListSettings& list) {
  return {list.sch_top, list.sch_left, list.sch_height, list.sch_width, ScheduleColumnWidths(list),
          list.sch_column, list.sch_order};
}

store::ListSettings ListSettingsOf(const ListLayout& layout) {
  store::ListSettings list;
  list.sch_top = layout.top;
  list.sch_left = layout.left;
  list.sch_height = layout.height;
  list.sch_width = layout.width;
  list.sch_item_width.push_back("0");
  for (std::size_t c = 1; c < layout.widths.size(); ++c) list.sch_item_width.push_back(std::to_string(layout.widths[c]));
  list.sch_column = layout.column;
  list.sch_order = layout.order;
  return list;
}

void WriteListLayout(store::IniFile& ini, const ListLayout& layout) {
  const store::ListSettings list = ListSettingsOf(layout);
  ini.WriteInteger("List", "SchTop", list.sch_top);
  ini.WriteInteger("List", "SchLeft", list.sch_left);
  ini.WriteInteger("List", "SchHeight", list.sch_height);
  ini.WriteInteger("List", "SchWidth", list.sch_width);
  std::string widths;
  for (std::size_t i = 0; i < list.sch_item_width.size(); ++i) widths += (i ? "," : "") + list.sch_item_width[i];
  ini.WriteString("List", "SchItemWidth", widths);
  ini.WriteInteger("List", "SchColumn", list.sch_column);
  ini.WriteInteger("List", "SchOrder", list.sch_order);
}

}  // namespace kal::listing
