// The calendar's ToDo marks. The month model's mark type stays behind this header, so that window
// code can hold and pass the marks without including the model next to the toolkit's headers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "todo/TodoState.h"

namespace kal::store {
struct TodoMark;
}

namespace kal::todo {

// The marks of every record with a limit (the month model places those on screen): state 6 for
// a done record, 7 for one the wait rules put aside, else 1..4 by its limit.
std::vector<store::TodoMark> TodoMarks(const std::vector<std::string>& records, const Classification& classes);

// The marks of a ToDo list, built when the list or the day changes.
class TodoMarkList {
 public:
  TodoMarkList();
  ~TodoMarkList();
  TodoMarkList(const TodoMarkList&) = delete;
  TodoMarkList& operator=(const TodoMarkList&) = delete;

  void Build(const std::vector<std::string>& records, const Classification& classes);
  const std::vector<store::TodoMark>& marks() const { return *marks_; }

 private:
  std::unique_ptr<std::vector<store::TodoMark>> marks_;
};

}  // namespace kal::todo
