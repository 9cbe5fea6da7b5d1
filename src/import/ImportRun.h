// The shared state of one conversion run, for the per-target conversions (ImportSchedule.cpp,
// ImportHoliday.cpp, ImportTodo.cpp, ImportWeather.cpp). Not for callers: they use ImportEngine.h.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "import/ImportEngine.h"
#include "platform/FileSystem.h"
#include "store/ScheduleFile.h"

namespace kal::import {

// The target files as the run changes them, loaded once each and saved at the end.
class ImportFiles {
 public:
  // How a changed file is put in order before it is saved.
  enum class Order { Sorted, DayFile, Kept };

  explicit ImportFiles(platform::FileSystem& fs) : fs_(fs) {}

  // The lines of a file (loaded on first use; a missing file is empty). Throws FileError.
  std::vector<std::string>& Lines(const std::string& path);
  // Whether the file existed when it was loaded.
  bool Existed(const std::string& path);
  // Marks a file as changed.
  void Touch(const std::string& path, Order order);
  // Saves the changed files: names ending in ".dtl" first, then the others, "Category.tbl" last.
  // True when a file was saved.
  bool SaveChanged();

 private:
  struct Entry {
    std::vector<std::string> lines;
    bool existed = false;
    bool changed = false;
    Order order = Order::Sorted;
  };
  Entry& Load(const std::string& path);
  platform::FileSystem& fs_;
  std::map<std::string, Entry> files_;
};

class ImportRun {
 public:
  ImportRun(platform::FileSystem& fs, const ImportRequest& request, ImportResult& result);

  const ImportRequest& request;
  ImportResult& result;
  ImportFiles files;

  // The value of target field `field` in a record (empty when unassigned or beyond its fields).
  std::string Value(const SourceRecord& record, std::size_t field) const;
  bool Assigned(std::size_t field) const;

  // A rule failure that stops the dialog's conversion: reason + "\n" + n + " レコード目: " + value.
  void Fail(RecordOutcome& out, const SourceRecord& record, const std::string& reason, const std::string& value);
  // The same without the value: reason + "\n" + n + " レコード目".
  void FailNoValue(RecordOutcome& out, const SourceRecord& record, const std::string& reason);
  // A refusal of this record only (the rest goes on).
  void Refuse(RecordOutcome& out, const SourceRecord& record, const std::string& reason);

  // A line of the category table: its name is known, never added.
  void KnowCategoryLine(const std::string& cp932_line);
  // Categories (ChkCategory): a non-blank name not yet known is collected and counted.
  void CollectCategory(const std::string& utf8_name);
  // Appends the collected names to Category.tbl (Execute).
  void AddCollectedCategories();

 private:
  std::set<std::string> known_categories_;  // keys of the 14-byte names
  std::vector<std::string> new_categories_; // name fields (CP932, 14 bytes) in order
};

// Trims blanks and control characters at both ends (UTF-8 text).
std::string TrimText(const std::string& text);
// A date typed in a spreadsheet: "yyyy/m/d" or "yyyy-m-d", blanks around it ignored.
std::optional<store::Date> ParseImportDate(const std::string& text);
// A time as spreadsheets and calendars write it: "h:n", "h:n:s", with "午前"/"午後" or
// "AM"/"PM" before or after it; "hh:nn" (24-hour). Nothing when it is not a time.
std::optional<std::string> ParseImportTime(const std::string& text);
// A memo field split into its lines at its line breaks (CR LF, LF or CR).
std::vector<std::string> MemoLines(const std::string& text);

// Adds a schedule (its detail number set here) to the month file of (year, month) and a memo that
// is not empty to the month's detail file; refuses what cannot be stored, leaves duplicates out.
void StoreImportedSchedule(ImportRun& run, const SourceRecord& record, RecordOutcome& out,
                           store::ScheduleFields fields, const std::vector<std::string>& memo, int year, int month);
// Adds a line to the target Holiday.dat (which starts from the built-in lines when it does not
// exist yet), unless the duplicate option is on and `same` holds for one of its lines.
void AddHolidayLine(ImportRun& run, RecordOutcome& out, const std::string& line,
                    const std::function<bool(const std::string&)>& same);

// The per-target conversions of one record.
void ConvertSchedule(ImportRun& run, const SourceRecord& record, RecordOutcome& out);
void ConvertHoliday(ImportRun& run, const SourceRecord& record, RecordOutcome& out);
void ConvertTodo(ImportRun& run, const SourceRecord& record, RecordOutcome& out);
void ConvertWeather(ImportRun& run, const SourceRecord& record, RecordOutcome& out);
// Data files: a month-file record and a Holiday.dat line.
void ConvertMonthRecord(ImportRun& run, const SourceRecord& record, RecordOutcome& out);
void ConvertHolidayRecord(ImportRun& run, const SourceRecord& record, RecordOutcome& out);
// A record of Todokl.dat, or of the old Todo.dat when the request says so.
void ConvertTodoRecord(ImportRun& run, const SourceRecord& record, RecordOutcome& out);
// The required fields of a target, in the order their absence is reported.
std::vector<std::size_t> RequiredFields(ImportTarget target);

}  // namespace kal::import
