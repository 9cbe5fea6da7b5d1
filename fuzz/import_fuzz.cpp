// The import from a file to the data folder, as the import dialog runs it: the file opened by the
// reader of its format (CSV, iCalendar through libical, vCalendar, the program's own data files),
// the records checked, then stored into an in-memory data folder.
//
// Built once per format: KALENDOR_FUZZ_FORMAT is 0 CSV, 1 iCalendar, 2 vCalendar, 3 data files.
// CSV and data-file inputs start with one byte that chooses the target (and the data file); a
// data file's memo file follows a "\n--\n" line.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "import/ImportEngine.h"
#include "import/ImportSource.h"
#include "store/TextFile.h"

using namespace kal;

namespace {

struct Source {
  import::ImportTarget target;
  const char* file;
  const char* memo_file;
};

Source Choose(std::uint8_t choice) {
  using T = import::ImportTarget;
#if KALENDOR_FUZZ_FORMAT == 0
  static const Source kSources[] = {{T::Schedule, "in.csv", ""}, {T::Holiday, "in.csv", ""},
                                    {T::Todo, "in.csv", ""},     {T::Weather, "in.csv", ""}};
#elif KALENDOR_FUZZ_FORMAT == 1
  static const Source kSources[] = {{T::Schedule, "in.ics", ""}};
#elif KALENDOR_FUZZ_FORMAT == 2
  static const Source kSources[] = {{T::Schedule, "in.vcs", ""}};
#else
  static const Source kSources[] = {{T::Schedule, "200405.sch", "200405.dtl"},
                                    {T::Holiday, "Holiday.dat", ""},
                                    {T::Todo, "Todokl.dat", "Todokl.dtl"},
                                    {T::Todo, "Todo.dat", "TodoMemo.dat"}};
#endif
  return kSources[choice % (sizeof kSources / sizeof kSources[0])];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
#if KALENDOR_FUZZ_FORMAT == 0 || KALENDOR_FUZZ_FORMAT == 3
  if (size == 0) return 0;
  const Source source = Choose(data[0]);
  ++data;
  --size;
#else
  const Source source = Choose(0);
#endif
  const auto parts = fuzz::SplitParts(data, size, *source.memo_file ? 2 : 1);
  fuzz::MemoryFileSystem fs;
  fs.files[std::string("/in/") + source.file] = parts[0];
  if (*source.memo_file) fs.files[std::string("/in/") + source.memo_file] = parts[1];

  std::string error;
  std::optional<import::ImportSource> opened;
  try {
    opened = import::OpenImportSource(fs, source.target, std::string("/in/") + source.file, &error, "/data/", "/todo/");
  } catch (const store::FileError&) {
    return 0;  // the in-memory folder has nothing that cannot be read
  }
  if (!opened) {
    fuzz::Check(!error.empty(), "a file that cannot be imported says why");
    return 0;
  }
  import::ImportRequest request;
  request.target = source.target;
  request.format = opened->format;
  request.records = opened->records;
  request.assignment =
      opened->assignment_fixed ? opened->assignment : import::IdentityAssignment(source.target);
  request.options.skip_duplicates = (size & 1) != 0;
  request.options.add_categories = (size & 2) != 0;
  request.folders = {"/data/", "/todo/", "/data/"};
  request.today = std::chrono::year_month_day{std::chrono::year{2024} / 5 / 1};
  request.data_month = opened->data_month;
  request.old_todo_format = opened->old_todo_format;

  const std::size_t files_before = fs.files.size();
  const import::ImportResult checked = import::RunImport(fs, request, import::ImportMode::Check);
  fuzz::Check(fs.files.size() == files_before, "a check writes nothing");
  if (checked.assignment_error) return 0;
  fuzz::Check(checked.records.size() == request.records.size(), "one outcome per record");
  const import::ImportResult done = import::RunImport(fs, request, import::ImportMode::Execute);
  fuzz::Check(done.imported == checked.imported, "execute imports what the check counted");
  return 0;
}
