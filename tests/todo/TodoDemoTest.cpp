#include "todo/TodoDemo.h"

#include <gtest/gtest.h>

#include <set>

#include "support/TempFolder.h"
#include "todo/TodoFile.h"
#include "todo/TodoState.h"

namespace kal::todo {
namespace {

TEST(TodoDemo, TheDemonstrationListShowsAllSevenStates) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const Date today = store::MakeDate(2027, 1, 15);
  WriteDemoTodoList(fs, dir.path(), today);
  const TodoLoad load = LoadTodoList(fs, dir.path());
  EXPECT_TRUE(load.damaged.empty());
  std::vector<std::string> sorted = load.records;
  SortTodoList(sorted);
  EXPECT_EQ(sorted, load.records);
  const Classification classes = ClassifyTodos(load.records, today, ClassifyOptions{});
  std::set<int> states;
  for (const auto& c : classes.items) states.insert(c.state);
  EXPECT_EQ(states, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
  const auto memos = LoadTodoMemos(fs, dir.path());
  for (const auto& r : load.records) {
    if (TodoMemoNumber(r) > 0) {
      EXPECT_FALSE(TodoMemoOf(memos, TodoMemoNumber(r)).empty());
    }
  }
}

}  // namespace
}  // namespace kal::todo
