#include "import/DataFileReader.h"

#include "platform/Codec.h"
#include "store/CommaText.h"
#include "store/HolidayFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::import {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The same file, whatever the separators and a trailing separator of the folder.
bool SameFile(const std::string& a, const std::string& b) {
  auto norm = [](std::string p) {
    for (char& c : p)
      if (c == '\\') c = '/';
    std::string out;
    for (char c : p)
      if (!(c == '/' && !out.empty() && out.back() == '/')) out += c;
    return out;
  };
  return norm(a) == norm(b);
}

}  // namespace

DataFileKind DataFileKindOf(ImportTarget target, const std::string& path) {
  const std::string name = Lower(NameOf(path));
  if (target == ImportTarget::Schedule && EndsWith(name, ".sch")) return DataFileKind::MonthFile;
  if (target == ImportTarget::Holiday && name == "holiday.dat") return DataFileKind::HolidayFile;
  if (target == ImportTarget::Todo) return name == "todo.dat" ? DataFileKind::OldTodoFile : DataFileKind::TodoFile;
  return DataFileKind::None;
}

ImportTarget DataFileTarget(const std::string& path) {
  const std::string name = Lower(NameOf(path));
  if (EndsWith(name, ".sch")) return ImportTarget::Schedule;
  if (name == "holiday.dat") return ImportTarget::Holiday;
  return ImportTarget::Todo;
}

std::optional<store::Date> MonthOfFileName(const std::string& path) {
  const std::string name = NameOf(path);
  if (name.size() < 6 || name.substr(0, 6).find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return store::ParseDateText(name.substr(0, 4) + "/" + name.substr(4, 2) + "/01");
}

std::string MemoSourceMissingText(ImportTarget target, const std::string& memo_path) {
  return TargetName(target) + "メモが設定されていますが、" + memo_path + " が見つかりません。";
}

std::string DataSourceText(const std::string& path) {
  if (auto month = MonthOfFileName(path); month && EndsWith(Lower(path), ".sch"))
    return std::to_string(store::YearOf(*month)) + "年" + std::to_string(store::MonthOf(*month)) + "月";
  return NameOf(path);
}

std::optional<ImportSource> ReadDataFile(platform::FileSystem& fs, ImportTarget target, const std::string& path,
                                         const std::string& data_folder, std::string* error,
                                         const std::string& todo_folder) {
  auto fail = [&](const char* message) -> std::optional<ImportSource> {
    if (error) *error = message;
    return std::nullopt;
  };
  const DataFileKind kind = DataFileKindOf(target, path);
  ImportSource source;
  source.path = path;
  source.format = SourceFormat::Data;
  source.assignment_fixed = true;
  source.source_text = DataSourceText(path);
  std::string target_path;
  if (kind == DataFileKind::MonthFile) {
    source.data_month = MonthOfFileName(path);
    if (!source.data_month) return fail(kMonthFileNameMessage);
    target_path = store::MonthFilePath(data_folder, store::YearOf(*source.data_month), store::MonthOf(*source.data_month));
  } else if (kind == DataFileKind::HolidayFile) {
    target_path = store::HolidayFilePath(data_folder);
  } else if (kind == DataFileKind::TodoFile || kind == DataFileKind::OldTodoFile) {
    source.old_todo_format = kind == DataFileKind::OldTodoFile;
    target_path = todo_folder.empty() ? std::string() : platform::JoinPath(todo_folder, "Todokl.dat");
    source.memo_source_path = FolderOf(path) + (source.old_todo_format ? "TodoMemo.dat" : "Todokl.dtl");
  } else {
    return fail(kFormatNotReadyMessage);
  }
  if (!target_path.empty() && SameFile(path, target_path)) return fail(kSameFileMessage);

  std::vector<std::string> lines;
  if (!store::LoadLinesIfExists(fs, path, lines)) lines.clear();
  std::vector<std::string> details;
  bool details_exist = false;
  if (kind == DataFileKind::MonthFile) {
    source.memo_source_path = path.substr(0, path.size() - 4) + ".dtl";
  }
  if (!source.memo_source_path.empty()) details_exist = store::LoadLinesIfExists(fs, source.memo_source_path, details);
  for (const auto& line : lines) {
    if (store::TrimRight(line).empty()) continue;
    SourceRecord record;
    record.number = static_cast<int>(source.records.size()) + 1;
    record.raw = line;
    if (kind == DataFileKind::MonthFile) {
      const store::ScheduleTexts t = store::ReadScheduleTexts(line);
      record.fields = {t.day, t.start, t.span, t.end, t.title, t.place, t.category, t.detail};
      const int number = store::DetailNumber(line);
      if (number > 0) {
        if (details_exist) record.memo = store::DetailMemo(details, number);
        else record.memo_missing = true;
      }
    } else if (kind != DataFileKind::HolidayFile) {
      const bool old = source.old_todo_format;
      record.fields = {store::Field(line, old ? 14 : 24, 1), store::Field(line, 1, 10),
                       old ? std::string() : store::Field(line, 11, 10), store::Field(line, old ? 11 : 21, 1),
                       store::Field(line, old ? 41 : 57, 80), store::Field(line, old ? 25 : 35, 14),
                       store::Field(line, old ? 12 : 22, 2), store::Field(line, old ? 15 : 25, 10),
                       store::Field(line, old ? 39 : 49, old ? 2 : 4)};
      const std::string key = store::FieldBytes(line, old ? 39 : 49, old ? 2 : 4);
      const std::size_t width = old ? 2 : 4;
      if (key.size() == width && key.find_first_not_of('0') != std::string::npos) {
        if (!details_exist) {
          record.memo_missing = true;
        } else {
          for (const auto& memo_line : details) {
            if (memo_line.compare(0, width, key) != 0) continue;
            const std::string body = memo_line.size() > width + 1 ? memo_line.substr(width + 1) : std::string();
            if (old) record.memo = {platform::Cp932ToUtf8(body)};
            else record.memo = store::FromCommaText(platform::Cp932ToUtf8(body));
            break;
          }
        }
      }
    } else {
      record.fields = {store::Field(line, 1, 2), store::Field(line, 3, 2), store::Field(line, 13, 1),
                       store::Field(line, 14, 1), store::FieldToEnd(line, 16), store::Field(line, 15, 1),
                       store::Field(line, 5, 4), store::Field(line, 9, 4)};
    }
    source.records.push_back(std::move(record));
  }
  if (source.records.empty()) return fail(kNoDataMessage);
  source.assignment = Assignment(source.records.front().fields.size());
  for (std::size_t i = 0; i < source.assignment.size(); ++i) source.assignment[i] = static_cast<int>(i);
  return source;
}

}  // namespace kal::import
