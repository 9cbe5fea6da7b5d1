#include "mainwindow/GridCommands.h"

#include <gtest/gtest.h>

#include "model/MultiDay.h"
#include "model/MonthModel.h"
#include "store/ScheduleFile.h"

namespace kal::mainwindow {
namespace {

std::string SingleDay(const std::string& title) {
  store::ScheduleFields f;
  f.day = 10;
  f.title = title;
  return store::MakeEntry("SC", '5', 0, store::BuildScheduleLine(f).line);
}

std::string BarDay(int position) {
  store::ScheduleFields f;
  f.day = 9;
  f.span = 3;
  f.title = "出張";
  return calendar::BarEntry(0, 1, store::BuildScheduleLine(f).line, position, false);
}

TEST(DoubleClick, TheRulesInTheirOrder) {
  const std::string holiday = store::MakeEntry("CC", '0', 9999, "振替休日");
  struct Case {
    const char* name;
    DoubleClickInput input;
    DoubleClickAction action;
  };
  DoubleClickInput memo_corner;
  memo_corner.day_has_memo = true;
  memo_corner.in_memo_corner = true;
  memo_corner.entries = {SingleDay("会議")};
  memo_corner.selected_item = ItemKind::Schedule;
  DoubleClickInput corner_without_memo = memo_corner;
  corner_without_memo.day_has_memo = false;
  DoubleClickInput empty_day;
  empty_day.day_has_memo = true;
  DoubleClickInput item = memo_corner;
  item.in_memo_corner = false;
  DoubleClickInput schedule_day;
  schedule_day.entries = {holiday, SingleDay("会議")};
  DoubleClickInput holiday_only;
  holiday_only.entries = {holiday};
  DoubleClickInput bar_first;
  bar_first.entries = {BarDay(1)};
  DoubleClickInput bar_middle;
  bar_middle.entries = {BarDay(2)};
  DoubleClickInput timeline_empty = schedule_day;
  timeline_empty.mode = 2;
  DoubleClickInput timeline_block = timeline_empty;
  timeline_block.timeline_cell_has_block = true;
  const Case cases[] = {
      {"memo corner of a day with a memo", memo_corner, DoubleClickAction::EditMemo},
      {"the corner of a day without a memo", corner_without_memo, DoubleClickAction::EditItem},
      {"a day without entries", empty_day, DoubleClickAction::NewSchedule},
      {"a selected item", item, DoubleClickAction::EditItem},
      {"a day with a one-day schedule", schedule_day, DoubleClickAction::ScheduleList},
      {"a day with a holiday only", holiday_only, DoubleClickAction::NewSchedule},
      {"the first day of a bar", bar_first, DoubleClickAction::ScheduleList},
      {"a later day of a bar", bar_middle, DoubleClickAction::NewSchedule},
      {"an empty timeline cell", timeline_empty, DoubleClickAction::NewSchedule},
      {"a timeline block", timeline_block, DoubleClickAction::ScheduleList},
  };
  for (const Case& c : cases) EXPECT_EQ(DoubleClickOn(c.input), c.action) << c.name;
}

TEST(DoubleClick, MemoCornerIsTheBottomRight18Pixels) {
  EXPECT_TRUE(InMemoCorner(82, 42, 100, 60));
  EXPECT_TRUE(InMemoCorner(99, 59, 100, 60));
  EXPECT_FALSE(InMemoCorner(81, 59, 100, 60));
  EXPECT_FALSE(InMemoCorner(99, 41, 100, 60));
}

TEST(ItemKindOf, EntryKinds) {
  EXPECT_EQ(ItemKindOf('0'), ItemKind::Holiday);
  EXPECT_EQ(ItemKindOf('4'), ItemKind::Holiday);
  EXPECT_EQ(ItemKindOf('5'), ItemKind::Schedule);
  EXPECT_EQ(ItemKindOf('6'), ItemKind::SolarTerm);
  EXPECT_EQ(ItemKindOf('8'), ItemKind::Todo);
}

struct Rule {
  const char* name;
  bool visible;
  bool enabled;
};

void Check(const std::vector<MenuItemState>& items, const std::vector<Rule>& rules, const char* what) {
  for (const Rule& r : rules) {
    const MenuItemState& item = ItemNamed(items, r.name);
    EXPECT_EQ(item.visible, r.visible) << what << ": " << r.name;
    EXPECT_EQ(item.enabled, r.enabled) << what << ": " << r.name;
  }
}

TEST(PopGrd, ItemsFollowTheSelectedItemMemoAndClipboard) {
  const auto none = PopGrdItems({});
  ASSERT_EQ(none.size(), 19u);
  EXPECT_EQ(none.front().caption, "スケジュールの追加(&A)");
  EXPECT_EQ(ItemNamed(none, "PopDelete").shortcut, "Ctrl+D");
  Check(none,
        {{"PopSchAdd", true, true}, {"PopSchRep", false, false}, {"PopSchToTodo", false, false},
         {"PopTodoRep", false, false}, {"PopTodoToSch", false, false}, {"PopHolidayRep", false, false},
         {"PopCut", true, false}, {"PopCopy", true, false}, {"PopPaste", true, false}, {"PopDelete", true, false},
         {"PopMemoColour", true, false}, {"PopMini", true, true}, {"PopTray", true, true}},
        "nothing selected");
  Check(PopGrdItems({false, ItemKind::Schedule, false, true}),
        {{"PopSchRep", true, true}, {"PopSchToTodo", true, true}, {"PopTodoRep", false, false},
         {"PopCut", true, true}, {"PopPaste", true, true}, {"PopDelete", true, true}},
        "a schedule");
  Check(PopGrdItems({false, ItemKind::Todo, false, false}),
        {{"PopSchRep", false, false}, {"PopTodoRep", true, true}, {"PopTodoToSch", true, true},
         {"PopCopy", true, true}, {"PopDelete", true, true}},
        "a ToDo item");
  Check(PopGrdItems({false, ItemKind::Holiday, false, false}),
        {{"PopHolidayRep", true, true}, {"PopCut", true, false}, {"PopCopy", true, false}, {"PopDelete", true, true}},
        "a holiday");
  Check(PopGrdItems({false, ItemKind::None, true, false}),
        {{"PopCut", true, true}, {"PopCopy", true, true}, {"PopDelete", true, true}, {"PopMemoColour", true, true}},
        "a memo only");
  Check(PopGrdItems({true, ItemKind::Schedule, true, true}),
        {{"PopSchAdd", true, true}, {"PopSchRep", false, false}, {"PopCut", true, false}, {"PopPaste", true, false},
         {"PopDelete", true, false}, {"PopMemoColour", true, false}, {"PopWeather", true, true}},
        "mini mode");
}

TEST(PopSch, ItemsFollowTheRowKind) {
  Check(PopSchItems(ItemKind::None),
        {{"PopSchRepL", false, false}, {"PopTodoRepL", false, false}, {"PopHolidayRepL", false, false},
         {"PopDeleteL", true, false}, {"PopColumns", true, true}},
        "no row");
  Check(PopSchItems(ItemKind::Schedule),
        {{"PopSchRepL", true, true}, {"PopSchToTodoL", true, true}, {"PopTodoRepL", false, false},
         {"PopDeleteL", true, true}},
        "schedule");
  Check(PopSchItems(ItemKind::Todo), {{"PopSchRepL", false, false}, {"PopTodoRepL", true, true}}, "ToDo");
  Check(PopSchItems(ItemKind::Holiday), {{"PopHolidayRepL", true, true}, {"PopTodoRepL", false, false}},
        "holiday");
  EXPECT_THROW(ItemNamed(PopSchItems(ItemKind::None), "Nothing"), std::out_of_range);
}

}  // namespace
}  // namespace kal::mainwindow
