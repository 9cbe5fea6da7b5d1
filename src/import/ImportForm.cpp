#include "import/ImportForm.h"

#include <algorithm>

#include "import/DataFileReader.h"
#include "store/ScheduleFile.h"

namespace kal::import {
namespace {

constexpr std::size_t kRefusalsShown = 10;

}  // namespace

int FieldColour(std::size_t field) {
  static const int colours[] = {0xFF0000, 0xFF00FF, 0x000080, 0x0000FF, 0x008080,
                                0x808000, 0x800080, 0x008000, 0x808000};
  return colours[field % (sizeof colours / sizeof colours[0])];
}

int StatusColour(RecordStatus status) {
  switch (status) {
    case RecordStatus::Unchecked: return 0x000000;
    case RecordStatus::Header:
    case RecordStatus::Duplicate: return 0x808080;
    case RecordStatus::Import: return 0xFF0000;
    case RecordStatus::Refused: return 0x0000FF;
  }
  return 0;
}

ImportForm::ImportForm(ImportTarget target, ImportSource source, ImportFolders folders, store::Date today)
    : target_(target), source_(std::move(source)), folders_(std::move(folders)), today_(today) {
  assignment_ = source_.assignment_fixed ? source_.assignment : EmptyAssignment(target_);
  if (!source_.assignment_fixed) assignment_.resize(TargetFields(target_).size(), kNoColumn);
  options_.first_is_header = source_.header_likely && !source_.assignment_fixed;
  statuses_.assign(source_.records.size(), RecordStatus::Unchecked);
}

std::string ImportForm::Caption() const {
  const std::string format =
      source_.format == SourceFormat::Data ? source_.source_text : FormatName(source_.format) + "形式";
  return TargetName(target_) + "データのインポート (" + format + ") - " + source_.path;
}

std::string ImportForm::DuplicateOptionText() const {
  switch (target_) {
    case ImportTarget::Schedule: return "開始日・開始時刻・件名が同じものは反映しない(&D)";
    case ImportTarget::Todo: return "期限・件名が同じものは反映しない(&D)";
    default: return "重複しているものは反映しない(&D)";
  }
}

bool ImportForm::CategoryOptionShown() const {
  return target_ == ImportTarget::Schedule || target_ == ImportTarget::Todo;
}

std::vector<std::string> ImportForm::TargetLines() const {
  std::vector<std::string> lines;
  const SourceRecord* record = source_.records.empty() ? nullptr : &source_.records[current_];
  for (std::size_t i = 0; i < assignment_.size(); ++i) {
    std::string value;
    const int column = assignment_[i];
    if (record && column != kNoColumn && static_cast<std::size_t>(column) < record->fields.size())
      value = record->fields[static_cast<std::size_t>(column)];
    lines.push_back(TargetFieldLabel(target_, i, source_.format) + " : " + value);
  }
  return lines;
}

std::vector<std::string> ImportForm::SourceLines() const {
  if (source_.records.empty()) return {};
  return source_.records[current_].fields;
}

std::vector<int> ImportForm::SourceAssignedTo() const {
  std::vector<int> to(SourceLines().size(), -1);
  for (std::size_t i = 0; i < assignment_.size(); ++i) {
    const int column = assignment_[i];
    if (column != kNoColumn && static_cast<std::size_t>(column) < to.size())
      to[static_cast<std::size_t>(column)] = static_cast<int>(i);
  }
  return to;
}

RecordStatus ImportForm::CurrentStatus() const {
  return statuses_.empty() ? RecordStatus::Unchecked : statuses_[current_];
}

std::string ImportForm::CurrentMessage() const {
  return current_ < messages_.size() ? messages_[current_] : std::string();
}

std::string ImportForm::RecordLabel() const {
  const std::size_t shown = RecordCount() == 0 ? 0 : current_ + 1;
  return "変換元項目 [" + std::to_string(shown) + "/" + std::to_string(RecordCount()) + "] " +
         StatusText(CurrentStatus());
}

void ImportForm::Assign(std::size_t field, int column) {
  if (!AssignmentEnabled() || field >= assignment_.size() || column < 0) return;
  for (int& c : assignment_)
    if (c == column) c = kNoColumn;
  assignment_[field] = column;
  Changed();
}

void ImportForm::AssignAll() {
  if (!AssignmentEnabled()) return;
  const std::size_t columns = SourceLines().size();
  for (std::size_t i = 0; i < assignment_.size(); ++i) assignment_[i] = i < columns ? static_cast<int>(i) : kNoColumn;
  Changed();
}

void ImportForm::Clear(std::size_t field) {
  if (!AssignmentEnabled() || field >= assignment_.size()) return;
  assignment_[field] = kNoColumn;
  Changed();
}

void ImportForm::ClearAll() {
  if (!AssignmentEnabled()) return;
  std::fill(assignment_.begin(), assignment_.end(), kNoColumn);
  Changed();
}

void ImportForm::SetOptions(const ImportOptions& options) {
  options_ = options;
  if (!CategoryOptionShown()) options_.add_categories = false;
  if (!AssignmentEnabled()) options_.first_is_header = false;
  Changed();
}

void ImportForm::Changed() {
  execute_enabled_ = false;
  std::fill(statuses_.begin(), statuses_.end(), RecordStatus::Unchecked);
  messages_.clear();
}

ImportRequest ImportForm::Request() const {
  ImportRequest request;
  request.target = target_;
  request.format = source_.format;
  request.records = source_.records;
  request.assignment = assignment_;
  request.options = options_;
  request.folders = folders_;
  request.today = today_;
  request.data_month = source_.data_month;
  request.old_todo_format = source_.old_todo_format;
  return request;
}

void ImportForm::TakeStatuses(const ImportResult& result) {
  std::fill(statuses_.begin(), statuses_.end(), RecordStatus::Unchecked);
  messages_.assign(statuses_.size(), std::string());
  for (std::size_t i = 0; i < result.records.size() && i < statuses_.size(); ++i) {
    statuses_[i] = result.records[i].status;
    messages_[i] = result.records[i].message;
  }
}

// The boxes of a failed run; true when the run stops there.
bool ImportForm::ShowStops(const ImportResult& result, platform::Dialogs& dialogs) {
  if (result.assignment_error) {
    dialogs.Error(*result.assignment_error, kImportErrorCaption);
    return true;
  }
  if (result.first_stop) {
    current_ = *result.first_stop;
    dialogs.Error(result.records[*result.first_stop].message, kImportErrorCaption);
    return true;
  }
  return false;
}

void ImportForm::Check(platform::FileSystem& fs, platform::Dialogs& dialogs) {
  Changed();
  const ImportResult result = RunImport(fs, Request(), ImportMode::Check);
  TakeStatuses(result);
  if (ShowStops(result, dialogs)) return;
  if (result.memo_source_missing &&
      !dialogs.Confirm(MemoSourceMissingText(target_, source_.memo_source_path) + "\nこのまま処理を続けます？", "確認"))
    return;
  if (result.refused > 0) {
    std::string text;
    int shown = 0;
    for (const auto& r : result.records) {
      if (r.status != RecordStatus::Refused) continue;
      if (shown++ < static_cast<int>(kRefusalsShown)) text += (text.empty() ? "" : "\n") + r.message;
    }
    if (shown > static_cast<int>(kRefusalsShown))
      text += "\nほか " + GroupedCount(shown - static_cast<int>(kRefusalsShown)) + " 件";
    dialogs.Error(text, kImportErrorCaption);
  }
  for (const auto& notice : result.notices) dialogs.Error(notice, store::kFullCaption);
  dialogs.Info(ReportText(target_, result, ImportMode::Check), kImportReportCaption);
  execute_enabled_ = result.imported > 0 || result.new_categories > 0;
}

bool ImportForm::Execute(platform::FileSystem& fs, platform::Dialogs& dialogs) {
  if (!execute_enabled_) return false;
  const ImportResult check = RunImport(fs, Request(), ImportMode::Check);
  TakeStatuses(check);
  if (ShowStops(check, dialogs)) {
    execute_enabled_ = false;
    return false;
  }
  const ImportResult result = RunImport(fs, Request(), ImportMode::Execute);
  TakeStatuses(result);
  if (result.assignment_error) {
    dialogs.Error(*result.assignment_error, kImportErrorCaption);
    execute_enabled_ = false;
    return false;
  }
  for (const auto& notice : result.notices) dialogs.Error(notice, store::kFullCaption);
  dialogs.Info(ReportText(target_, result, ImportMode::Execute), kImportReportCaption);
  return true;
}

}  // namespace kal::import
