#include "listing/ListSession.h"

#include <gtest/gtest.h>

namespace kal::listing {
namespace {

TEST(ListLayout, SavedWidthsWhereNonZeroAndSectionListWrittenBack) {
  store::ListSettings list;
  list.sch_top = 30;
  list.sch_left = 20;
  list.sch_height = 620;
  list.sch_width = 920;
  list.sch_item_width = {"0", "120", "0", "x", "70"};
  list.sch_column = 5;
  list.sch_order = -1;
  const ListLayout layout = LayoutOf(list);
  // Column 1 saved, 2 zero and 3 not a number keep their defaults, 4 saved, the rest defaults.
  EXPECT_EQ(layout.widths, (std::vector<int>{0, 120, 64, 102, 70, 180, 100, 100, 40, 44, 44, 40}));
  store::IniFile ini;
  WriteListLayout(ini, layout);
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[List]", "SchTop=30", "SchLeft=20", "SchHeight=620", "SchWidth=920",
                                                   "SchItemWidth=0,120,64,102,70,180,100,100,40,44,44,40",
                                                   "SchColumn=5", "SchOrder=-1"}));
  EXPECT_EQ(InitialSort(ListKind::Schedule, list).column, 5);
  EXPECT_EQ(InitialSort(ListKind::Schedule, list).direction, -1);
  list.sch_column = 11;  // a column that does not sort falls back to 開始日
  EXPECT_EQ(InitialSort(ListKind::Schedule, list).column, 1);
  EXPECT_EQ(InitialSort(ListKind::Todo, list).column, 2);
}

}  // namespace
}  // namespace kal::listing
