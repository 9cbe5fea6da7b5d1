// The import dialog's rules (TDlgImport shows them): the two lists, the assignment of source
// columns to target fields, the options, moving through the records, the check with its reports,
// and the execution. Everything here runs without a display.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "import/ImportEngine.h"
#include "import/ImportSource.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::import {

// The colour of target field i and of the source field assigned to it (BGR): blue, fuchsia,
// maroon, red, olive, teal, purple, green, teal.
int FieldColour(std::size_t field);
// The colour of a record status in LblCsvItem: black, grey, blue, red.
int StatusColour(RecordStatus status);

class ImportForm {
 public:
  ImportForm(ImportTarget target, ImportSource source, ImportFolders folders, store::Date today);

  ImportTarget target() const { return target_; }
  SourceFormat format() const { return source_.format; }

  // Target name + "データのインポート (" + "CSV形式" + ") - " + the file's full name.
  std::string Caption() const;
  // ChkDubleNo's text for the target.
  std::string DuplicateOptionText() const;
  // ChkCategory is shown (schedules and ToDo items only).
  bool CategoryOptionShown() const;
  // The assignment buttons and Chk1stHeader can be used (CSV sources only).
  bool AssignmentEnabled() const { return !source_.assignment_fixed; }

  // LstImpToSch: each target field + " : " + the value of its column in the current record.
  std::vector<std::string> TargetLines() const;
  // LstImpItem: the fields of the current record.
  std::vector<std::string> SourceLines() const;
  // For each field of the current record, the target field it is assigned to (or -1).
  std::vector<int> SourceAssignedTo() const;
  // LblCsvItem: "変換元項目 [n/N] " + the current record's status text.
  std::string RecordLabel() const;
  RecordStatus CurrentStatus() const;
  // The current record's message after a check (why it was refused), or empty.
  std::string CurrentMessage() const;

  std::size_t RecordCount() const { return source_.records.size(); }
  std::size_t Current() const { return current_; }  // 0-based
  void MoveFirst() { current_ = 0; }
  void MovePrevious() { if (current_ > 0) --current_; }
  void MoveNext() { if (current_ + 1 < RecordCount()) ++current_; }
  void MoveLast() { current_ = RecordCount() == 0 ? 0 : RecordCount() - 1; }

  const Assignment& assignment() const { return assignment_; }
  // "< 選択": column `column` to target field `field` (the column leaves any other field).
  void Assign(std::size_t field, int column);
  // "<< 全選択": column n to field n for as many as both have.
  void AssignAll();
  // "クリア >" and "全クリア >>".
  void Clear(std::size_t field);
  void ClearAll();

  const ImportOptions& options() const { return options_; }
  void SetOptions(const ImportOptions& options);

  // 実行 is enabled: the last check found something to add, and nothing changed since.
  bool ExecuteEnabled() const { return execute_enabled_; }

  // "データチェック": runs the check and shows its boxes (a missing field, the first stopping
  // failure, which also becomes the current record, the records refused on their own, the memo
  // overflow, and the report). Throws store::FileError.
  void Check(platform::FileSystem& fs, platform::Dialogs& dialogs);
  // "実行": checks again without boxes and, when nothing stops, writes and reports. True when the
  // dialog closes with OK. Throws store::FileError.
  bool Execute(platform::FileSystem& fs, platform::Dialogs& dialogs);

 private:
  ImportRequest Request() const;
  void Changed();
  bool ShowStops(const ImportResult& result, platform::Dialogs& dialogs);
  void TakeStatuses(const ImportResult& result);

  ImportTarget target_;
  ImportSource source_;
  ImportFolders folders_;
  store::Date today_;
  Assignment assignment_;
  ImportOptions options_;
  std::vector<RecordStatus> statuses_;
  std::vector<std::string> messages_;
  std::size_t current_ = 0;
  bool execute_enabled_ = false;
};

}  // namespace kal::import
