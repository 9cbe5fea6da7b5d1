// The ToDo list Todokl.dat and its memo file Todokl.dtl, loaded as the program loads them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "store/TextFile.h"
#include "todo/TodoFile.h"
#include "todo/TodoState.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> parts = fuzz::SplitParts(data, size, 2);
  fuzz::MemoryFileSystem fs;
  fs.files["/todo/Todokl.dat"] = parts[0];
  fs.files["/todo/Todokl.dtl"] = parts[1];

  const todo::TodoLoad load = todo::LoadTodoList(fs, "/todo/");
  const std::vector<std::string> memos = todo::LoadTodoMemos(fs, "/todo/");
  for (const std::string& record : load.records) {
    const todo::TodoFields fields = todo::ReadTodoRecord(record);
    fuzz::Check(fields.priority >= 0 && fields.priority <= 3, "priority 0..3");
    fuzz::Check(fields.progress >= 0 && fields.progress <= 10, "progress 0..10");
    fuzz::Check(fields.memo >= 0 && fields.memo <= todo::kMaxMemoNumber, "memo number 0..9999");
    (void)todo::TodoDamage(record);
    (void)todo::TodoMemoOf(memos, fields.memo);
    (void)todo::TodoStartText(record);
    (void)todo::TodoDoneDateText(record);
  }
  std::vector<std::string> sorted = load.records;
  todo::SortTodoList(sorted);
  fuzz::Check(sorted.size() == load.records.size(), "sorting keeps every record");
  (void)todo::FreeTodoMemoNumber(load.records);
  return 0;
}
