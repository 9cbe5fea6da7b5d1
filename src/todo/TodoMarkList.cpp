#include "todo/TodoMarkList.h"

#include "model/MonthModel.h"
#include "todo/TodoFile.h"

namespace kal::todo {

std::vector<store::TodoMark> TodoMarks(const std::vector<std::string>& records, const Classification& classes) {
  std::vector<store::TodoMark> marks;
  for (std::size_t i = 0; i < records.size() && i < classes.items.size() && i < kMaxTodoRecords; ++i) {
    if (classes.items[i].mark_state == 0) continue;
    auto limit = TodoLimit(records[i]);
    if (!limit) continue;
    store::TodoMark mark;
    mark.date = *limit;
    mark.state = classes.items[i].mark_state;
    mark.index = static_cast<int>(i);
    mark.record = records[i];
    marks.push_back(std::move(mark));
  }
  return marks;
}

TodoMarkList::TodoMarkList() : marks_(std::make_unique<std::vector<store::TodoMark>>()) {}
TodoMarkList::~TodoMarkList() = default;

void TodoMarkList::Build(const std::vector<std::string>& records, const Classification& classes) {
  *marks_ = TodoMarks(records, classes);
}

}  // namespace kal::todo
