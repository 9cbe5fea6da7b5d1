#include "mainwindow/GridDays.h"

#include <algorithm>
#include <cctype>

#include "model/MonthModel.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::mainwindow {

CellDay CellDayOf(const store::MonthModel& model, const Date& date) {
  CellDay day;
  day.date = date;
  const int weekday = store::WeekdayNumber(date);
  day.kind = weekday == 1 ? store::kDaySunday : weekday == 7 ? store::kDaySaturday : store::kDayWeekday;
  const int slot = model.SlotOf(store::YearOf(date), store::MonthOf(date));
  if (slot == 0) return day;
  const int d = store::DayOf(date);
  const store::DayCell& cell = model.cell(d, slot);
  day.kind = cell.kind;
  day.rokuyo = cell.rokuyo;
  day.memo = cell.memo;
  day.entries = cell.entries;
  const std::vector<std::string>& lines = model.slot(slot).day_lines;
  if (static_cast<std::size_t>(d) < lines.size()) day.day_line = lines[static_cast<std::size_t>(d)];
  return day;
}

std::vector<std::string> EntryMemo(platform::FileSystem& fs, const std::string& data_folder, const DayEntry& entry,
                                   const Date& date) {
  if (entry.kind != '5') return {};
  const int number = store::DetailNumber(entry.payload);
  if (number <= 0) return {};
  Date first = date;
  if (store::IsMultiDay(entry.payload)) {
    const std::string position = store::FieldBytes(entry.payload, 131, 2);
    int days = 1;
    if (position.size() == 2 && std::isdigit(static_cast<unsigned char>(position[0])) &&
        std::isdigit(static_cast<unsigned char>(position[1]))) {
      days = std::max((position[0] - '0') * 10 + (position[1] - '0'), 1);
    }
    first = store::AddDays(date, -(days - 1));
  }
  try {
    return store::ReadDetail(fs, data_folder, store::YearOf(first), store::MonthOf(first), number);
  } catch (const store::FileError&) {
    return {};
  }
}

int RowWeekNumber(const Date& first, const Date& last, bool week_of, int str_week) {
  return store::WeekNumber(first, last, week_of, str_week != 0);
}

GridModel::GridModel() : model_(std::make_unique<store::MonthModel>()) {}
GridModel::~GridModel() = default;

std::vector<GridModel::Message> GridModel::Reload(platform::FileSystem& fs, const store::Settings& settings, int mode,
                                                  const Date& selected, const Date& today,
                                                  const std::string& data_folder, const std::string& memo_folder,
                                                  const std::vector<store::TodoMark>* todo_marks) {
  store::ModelRequest request;
  request.view_mode = mode;
  request.selected = selected;
  request.today = today;
  request.data_folder = data_folder;
  request.memo_folder = memo_folder;
  request.options = store::ModelOptionsOf(settings, mode);
  if (todo_marks != nullptr) request.todo_marks = *todo_marks;
  const store::RebuildResult result = store::SchUpdate(*model_, fs, request);
  std::vector<Message> messages;
  for (const store::ModelMessage& m : result.messages) messages.push_back({m.text, m.caption});
  return messages;
}

bool GridModel::Holds(int year, int month) const { return model_->SlotOf(year, month) != 0; }

}  // namespace kal::mainwindow
