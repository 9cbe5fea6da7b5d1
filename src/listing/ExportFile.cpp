#include "listing/ExportFile.h"

#include <memory>

#include "catalogues/ItemTable.h"
#include "listing/ICalendarExport.h"
#include "listing/VCalendarExport.h"
#include "store/TextFile.h"
#include "todo/TodoFile.h"

namespace kal::listing {

ExportSources ExportSourcesOf(platform::FileSystem& fs, const app::Session& session,
                              const platform::LocalDateTime& now) {
  ExportSources sources;
  sources.fs = &fs;
  sources.data_folder = session.folders.data;
  sources.memo_folder = session.folders.memo;
  const store::FileSettings& file = session.settings.file;
  sources.csv = {file.csv_str_time, file.csv_end_time, file.csv_alarm};
  sources.alarm_offsets = catalogues::LoadAlarmOffsets(fs, session.folders.table);
  sources.now_utc = platform::ToUtc(now);
  // The ToDo memos (Todokl.dtl) are read once, when the first ToDo row asks for its detail.
  auto memos = std::make_shared<std::optional<std::vector<std::string>>>();
  sources.todo_memo = [&fs, folder = session.folders.todo, memos](const ListRow& row) {
    if (!*memos) *memos = todo::LoadTodoMemos(fs, folder);
    return todo::TodoMemoOf(**memos, todo::TodoMemoNumber(row.line));
  };
  return sources;
}

bool ExportOffered(ListKind kind, ExportFormat format) {
  switch (format) {
    case ExportFormat::Csv:
      return kind == ListKind::Schedule || kind == ListKind::Memo || kind == ListKind::Todo ||
             kind == ListKind::Weather;
    case ExportFormat::VCalendar: return kind == ListKind::Schedule;
    case ExportFormat::ICalendar: return kind == ListKind::Schedule || kind == ListKind::Holiday;
  }
  return false;
}

ExportOutput BuildExport(ExportFormat format, ListKind kind, const std::vector<ListRow>& rows,
                         const ExportSources& sources) {
  if (!ExportOffered(kind, format)) throw ExportError("この一覧はこの形式で保存できません。");
  ExportOutput out;
  if (kind == ListKind::Schedule) {
    const auto items = LoadScheduleItems(*sources.fs, sources.data_folder, rows);
    out.records = static_cast<int>(items.size());
    if (format == ExportFormat::Csv)
      out.bytes = ScheduleCsv(items, sources.csv, sources.alarm_offsets);
    else if (format == ExportFormat::VCalendar)
      out.bytes = ScheduleVCalendar(items);
    else
      out.bytes = ScheduleICalendar(items, sources.now_utc);
  } else if (kind == ListKind::Holiday) {
    const auto lines = store::LoadLines(*sources.fs, store::HolidayFilePath(sources.data_folder));
    out.bytes = HolidayICalendar(HolidayItems(lines, rows), sources.now_utc, &out.records);
  } else if (kind == ListKind::Memo) {
    const auto items = LoadMemoItems(*sources.fs, sources.memo_folder, rows);
    out.records = static_cast<int>(items.size());
    out.bytes = MemoCsv(items);
  } else if (kind == ListKind::Todo) {
    std::vector<TodoItem> items;
    for (const auto& row : rows)
      items.push_back({row, sources.todo_memo ? sources.todo_memo(row) : std::vector<std::string>{}});
    out.records = static_cast<int>(items.size());
    out.bytes = TodoCsv(items);
  } else {
    out.records = static_cast<int>(rows.size());
    out.bytes = WeatherCsv(rows);
  }
  return out;
}

ExportChooser ExportChooserFor(ExportFormat format, ListKind kind) {
  ExportChooser c;
  if (format == ExportFormat::Csv) {
    c.title = "CSV形式で保存";
    c.filter.text = "CSV (カンマ区切り) (*.csv)| *.csv|すべてのファイル (*.*)|*.*";
    const char* stem = kind == ListKind::Memo ? "Memo" : kind == ListKind::Todo ? "Todo"
                       : kind == ListKind::Weather ? "Weather" : "Sch";
    c.file_name = std::string(stem) + ".csv";
    return c;
  }
  const std::string name = format == ExportFormat::VCalendar ? "vCalendar形式" : "iCalendar形式";
  const std::string ext = format == ExportFormat::VCalendar ? "vcs" : "ics";
  c.title = name + "で保存";
  c.filter.text = name + " (*." + ext + ")|*." + ext + "|すべてのファイル (*.*)|*.*";
  c.file_name = (kind == ListKind::Holiday ? "Hol." : "Sch.") + ext;
  return c;
}

std::string OverwriteQuestion(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return "'" + (slash == std::string::npos ? path : path.substr(slash + 1)) + "' を上書きしますか？";
}

std::optional<int> ExportToPath(platform::Dialogs& dialogs, ExportFormat format, ListKind kind,
                                const std::vector<ListRow>& rows, const ExportSources& sources,
                                const std::string& path, bool ask) {
  if (ask && sources.fs->Exists(path) && !dialogs.Confirm(OverwriteQuestion(path), kOverwriteCaption))
    return std::nullopt;
  try {
    const ExportOutput out = BuildExport(format, kind, rows, sources);
    std::string error;
    if (!sources.fs->WriteAtomic(path, out.bytes, &error))
      throw store::FileError(store::WriteErrorMessage(path, error));
    return out.records;
  } catch (const ExportError& e) {
    dialogs.Error(e.what(), kExportCaption);
  } catch (const store::FileError& e) {
    dialogs.Error(e.what(), store::kFileErrorCaption);
  }
  return std::nullopt;
}

std::optional<int> ExportToFile(platform::Dialogs& dialogs, ExportFormat format, ListKind kind,
                                const std::vector<ListRow>& rows, const ExportSources& sources,
                                const std::string& initial_folder) {
  const ExportChooser chooser = ExportChooserFor(format, kind);
  const auto path =
      dialogs.SaveFileName(chooser.title, chooser.filter, platform::JoinPath(initial_folder, chooser.file_name));
  if (!path) return std::nullopt;
  return ExportToPath(dialogs, format, kind, rows, sources, *path, true);
}

}  // namespace kal::listing
