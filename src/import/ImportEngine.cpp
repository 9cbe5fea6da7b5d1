#include "import/ImportEngine.h"

#include <algorithm>

#include "catalogues/Category.h"
#include "import/ImportRun.h"
#include "platform/Codec.h"
#include "store/DayFile.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::import {

// --- Files held by a run -----------------------------------------------------------------------

ImportFiles::Entry& ImportFiles::Load(const std::string& path) {
  auto it = files_.find(path);
  if (it != files_.end()) return it->second;
  Entry entry;
  entry.existed = store::LoadLinesIfExists(fs_, path, entry.lines);
  return files_.emplace(path, std::move(entry)).first->second;
}

std::vector<std::string>& ImportFiles::Lines(const std::string& path) { return Load(path).lines; }

bool ImportFiles::Existed(const std::string& path) { return Load(path).existed; }

void ImportFiles::Touch(const std::string& path, Order order) {
  Entry& entry = Load(path);
  entry.changed = true;
  entry.order = order;
}

bool ImportFiles::SaveChanged() {
  auto rank = [](const std::string& path) {
    auto ends = [&](const std::string& tail) {
      return path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (ends(".dtl")) return 0;
    if (ends(catalogues::kCategoryFileName)) return 2;
    return 1;
  };
  bool saved = false;
  for (int pass = 0; pass < 3; ++pass) {
    for (auto& [path, entry] : files_) {
      if (!entry.changed || rank(path) != pass) continue;
      if (entry.order == Order::Sorted) store::SortLines(entry.lines);
      if (entry.order == Order::DayFile) store::FillDayLines(entry.lines);
      store::SaveLines(fs_, path, entry.lines);
      saved = true;
    }
  }
  return saved;
}

// --- The run -----------------------------------------------------------------------------------

ImportRun::ImportRun(platform::FileSystem& fs, const ImportRequest& req, ImportResult& res)
    : request(req), result(res), files(fs) {}

bool ImportRun::Assigned(std::size_t field) const {
  return field < request.assignment.size() && request.assignment[field] != kNoColumn;
}

std::string ImportRun::Value(const SourceRecord& record, std::size_t field) const {
  if (!Assigned(field)) return {};
  const auto column = static_cast<std::size_t>(request.assignment[field]);
  return column < record.fields.size() ? record.fields[column] : std::string();
}

void ImportRun::Fail(RecordOutcome& out, const SourceRecord& record, const std::string& reason,
                     const std::string& value) {
  out.status = RecordStatus::Refused;
  out.stops = true;
  out.message = reason + "\n" + std::to_string(record.number) + " レコード目: " + value;
}

void ImportRun::FailNoValue(RecordOutcome& out, const SourceRecord& record, const std::string& reason) {
  out.status = RecordStatus::Refused;
  out.stops = true;
  out.message = reason + "\n" + std::to_string(record.number) + " レコード目";
}

void ImportRun::Refuse(RecordOutcome& out, const SourceRecord& record, const std::string& reason) {
  out.status = RecordStatus::Refused;
  out.stops = false;
  out.message = reason + "\n" + std::to_string(record.number) + " レコード目";
}

void ImportRun::KnowCategoryLine(const std::string& cp932_line) {
  known_categories_.insert(catalogues::CategoryKey(catalogues::CategoryNameField(cp932_line)));
}

void ImportRun::CollectCategory(const std::string& utf8_name) {
  if (!request.options.add_categories) return;
  auto field = catalogues::NameField(TrimText(utf8_name));
  if (!field || store::TrimRight(*field).empty()) return;
  const std::string key = catalogues::CategoryKey(*field);
  if (!known_categories_.insert(key).second) return;
  new_categories_.push_back(*field);
  ++result.new_categories;
}

void ImportRun::AddCollectedCategories() {
  if (new_categories_.empty()) return;
  const std::string path = catalogues::CategoryFilePath(request.folders.category);
  auto& lines = files.Lines(path);
  for (const auto& name : new_categories_) lines.push_back(catalogues::NewCategoryLine(name));
  // The table keeps its order: new names go to its end.
  files.Touch(path, ImportFiles::Order::Kept);
}

// --- Helpers -----------------------------------------------------------------------------------

std::string TrimText(const std::string& text) { return std::string(store::Trim(text)); }

std::optional<store::Date> ParseImportDate(const std::string& text) {
  std::string t = TrimText(text);
  std::replace(t.begin(), t.end(), '-', '/');
  // A date with a time after it, as some calendars write it ("2024/05/03 0:00:00").
  const auto blank = t.find(' ');
  if (blank != std::string::npos) t.erase(blank);
  return store::ParseDateText(t);
}

std::optional<std::string> ParseImportTime(const std::string& text) {
  std::string t = TrimText(text);
  int shift = -1;  // -1 24-hour, 0 morning, 12 afternoon
  auto take = [&](const std::string& word, int value) {
    if (t.size() >= word.size() && t.compare(0, word.size(), word) == 0) {
      t = TrimText(t.substr(word.size()));
      shift = value;
    } else if (t.size() >= word.size() && t.compare(t.size() - word.size(), word.size(), word) == 0) {
      t = TrimText(t.substr(0, t.size() - word.size()));
      shift = value;
    }
  };
  take("午前", 0);
  take("午後", 12);
  take("AM", 0);
  take("PM", 12);
  take("am", 0);
  take("pm", 12);
  // "h:n:s": the seconds are dropped.
  const auto first = t.find(':');
  if (first != std::string::npos) {
    const auto second = t.find(':', first + 1);
    if (second != std::string::npos) {
      const std::string seconds = t.substr(second + 1);
      if (seconds.empty() || seconds.size() > 2 || seconds.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
      t.erase(second);
    }
  }
  auto time = store::ParseTimeText(t);
  if (!time) return std::nullopt;
  if (shift >= 0) {
    if (time->hour > 12) return std::nullopt;
    time->hour = time->hour % 12 + shift;
  }
  return store::TimeText(time->hour, time->minute);
}

std::vector<std::string> MemoLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(std::move(line));
      line.clear();
      continue;
    }
    line += text[i];
  }
  lines.push_back(std::move(line));
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string GroupedCount(int count) {
  std::string digits = std::to_string(count < 0 ? -count : count);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return count < 0 ? "-" + out : out;
}

std::vector<std::size_t> RequiredFields(ImportTarget target) {
  switch (target) {
    case ImportTarget::Schedule: return {0, 4};
    case ImportTarget::Holiday: return {0, 1, 2};
    case ImportTarget::Todo: return {0, 1, 3, 4, 6};
    case ImportTarget::Weather: return {0};
  }
  return {};
}

std::string MissingFieldMessage(ImportTarget target, std::size_t field) {
  const TargetField& f = TargetFields(target).at(field);
  switch (target) {
    case ImportTarget::Schedule: return f.name + "が選択されていません。";
    case ImportTarget::Holiday: return f.name + f.format + " が選択されていません。";
    case ImportTarget::Todo: return f.name + f.format + "が選択されていません。";
    case ImportTarget::Weather: return f.name + "が選択されていません。";
  }
  return {};
}

std::string ReportText(ImportTarget target, const ImportResult& result, ImportMode mode) {
  const std::string ending = mode == ImportMode::Execute ? "した。" : "す。";
  return GroupedCount(result.imported) + " 件の" + TargetName(target) + "データを反映しま" + ending + "\n" +
         GroupedCount(result.new_categories) + " 件の分類を追加しま" + ending;
}

ImportResult RunImport(platform::FileSystem& fs, const ImportRequest& request, ImportMode mode) {
  ImportResult result;
  const bool data = request.format == SourceFormat::Data;
  for (std::size_t field : data ? std::vector<std::size_t>() : RequiredFields(request.target)) {
    if (field >= request.assignment.size() || request.assignment[field] == kNoColumn) {
      result.assignment_error = MissingFieldMessage(request.target, field);
      return result;
    }
  }
  ImportRun run(fs, request, result);
  if (request.options.add_categories &&
      (request.target == ImportTarget::Schedule || request.target == ImportTarget::Todo)) {
    for (const auto& line : catalogues::LoadCategoryLines(fs, request.folders.category))
      run.KnowCategoryLine(line);
  }
  result.records.resize(request.records.size());
  for (std::size_t i = 0; i < request.records.size(); ++i) {
    const SourceRecord& record = request.records[i];
    RecordOutcome& out = result.records[i];
    if (i == 0 && request.options.first_is_header) {
      out.status = RecordStatus::Header;
      continue;
    }
    if (record.memo_missing) result.memo_source_missing = true;
    if (!record.reader_error.empty()) {
      run.Refuse(out, record, record.reader_error);
    } else if (data && request.target == ImportTarget::Schedule) {
      ConvertMonthRecord(run, record, out);
    } else if (data && request.target == ImportTarget::Holiday) {
      ConvertHolidayRecord(run, record, out);
    } else if (data && request.target == ImportTarget::Todo) {
      ConvertTodoRecord(run, record, out);
    } else {
      switch (request.target) {
        case ImportTarget::Schedule: ConvertSchedule(run, record, out); break;
        case ImportTarget::Holiday: ConvertHoliday(run, record, out); break;
        case ImportTarget::Todo: ConvertTodo(run, record, out); break;
        case ImportTarget::Weather: ConvertWeather(run, record, out); break;
      }
    }
    switch (out.status) {
      case RecordStatus::Import: ++result.imported; break;
      case RecordStatus::Duplicate: ++result.duplicates; break;
      case RecordStatus::Refused:
        ++result.refused;
        if (out.stops && !result.first_stop) result.first_stop = i;
        break;
      default: break;
    }
    if (out.status == RecordStatus::Import && !out.message.empty() &&
        std::find(result.notices.begin(), result.notices.end(), out.message) == result.notices.end())
      result.notices.push_back(out.message);
  }
  if (mode == ImportMode::Execute && result.imported > 0) {
    if (request.target != ImportTarget::Weather && request.target != ImportTarget::Holiday)
      run.AddCollectedCategories();
    result.written = run.files.SaveChanged();
  }
  return result;
}

}  // namespace kal::import
