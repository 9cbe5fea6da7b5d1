// Small data folders for the list dialog's tests.
#pragma once

#include <string>
#include <vector>

#include "listing/ListRows.h"
#include "store/ScheduleFile.h"
#include "support/TempFolder.h"

namespace kal::test {

struct Sch {
  int day = 1;
  std::string title = "予定";
  std::string start{}, end{}, place{}, category{};
  int detail = 0, span = 0, alarm1 = 0, alarm2 = 0;
  std::string link{};
};

inline std::string SchLine(const Sch& s) {
  store::ScheduleFields f;
  f.day = s.day;
  f.title = s.title;
  f.start = s.start;
  f.end = s.end;
  f.place = s.place;
  f.category = s.category;
  f.detail = s.detail;
  f.span = s.span;
  f.alarm1 = s.alarm1;
  f.alarm2 = s.alarm2;
  f.link = s.link;
  return store::BuildScheduleLine(f).line;
}

inline std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\r\n";
  return bytes;
}

// A program folder whose data, memo, ToDo and table folders are all `folder`.
inline listing::ListSource SourceIn(platform::FileSystem& fs, const TempFolder& folder, store::Date reference,
                                    store::Date today = store::MakeDate(2024, 1, 10)) {
  listing::ListSource source{fs};
  source.data_folder = folder.path();
  source.memo_folder = folder.path();
  source.todo_folder = folder.path();
  source.table_folder = folder.path();
  source.program_folder = folder.path();
  source.reference = reference;
  source.today = today;
  return source;
}

// The cells of a row without its key.
inline std::vector<std::string> Cells(const listing::ListRow& row) {
  return std::vector<std::string>(row.cells.begin() + 1, row.cells.end());
}

}  // namespace kal::test
