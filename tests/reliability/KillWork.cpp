#include "reliability/KillWork.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "store/IniFile.h"
#include "store/MemoFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "todo/TodoFile.h"

namespace kal::test {
namespace {

constexpr int kYear = 2024, kMonth = 5;
constexpr std::size_t kMaxSchedules = 40;
constexpr std::size_t kMaxTodos = 25;

// Text of a length that varies with the generation, so that a torn file cannot look whole.
std::string Filler(int generation, int salt) {
  std::string text;
  const int words = 1 + (generation * 7 + salt) % 23;
  for (int i = 0; i < words; ++i) text += "日程" + std::to_string(generation) + "の" + std::to_string(i) + " ";
  return text;
}

void StoreScheduleGeneration(platform::FileSystem& fs, const std::string& data, int generation) {
  FakeDialogs dialogs;
  const std::vector<std::string> lines = store::LoadLines(fs, platform::JoinPath(data, "202405.sch"));
  if (lines.size() >= kMaxSchedules) {
    // Delete the first line through the main window's delete command (no question).
    if (store::DaySchDel(fs, dialogs, data, kYear, kMonth, 0, lines[0], false) != store::DeleteStatus::Deleted)
      throw std::runtime_error("schedule delete refused");
    return;
  }
  store::StoreRequest request;
  request.folder = data;
  request.date = store::MakeDate(kYear, kMonth, 1 + generation % 28);
  request.fields.title = "予定" + std::to_string(generation);
  request.fields.place = store::CutUtf8ToWidth(Filler(generation, 1), 40);
  if (generation % 3 != 0) request.fields.start = (generation % 2 ? "09:" : "14:") + std::string("30");
  request.memo = {Filler(generation, 2), "二行目 " + std::to_string(generation)};
  if (store::StoreSchedule(fs, dialogs, request).status != store::StoreStatus::Stored)
    throw std::runtime_error("schedule store refused");
}

void StoreTodoGeneration(platform::FileSystem& fs, const std::string& todo, int generation) {
  std::vector<std::string> records = todo::LoadTodoRecords(fs, todo);
  std::vector<std::string> memos = todo::LoadTodoMemos(fs, todo);
  if (records.size() >= kMaxTodos) {
    todo::RemoveTodoMemo(memos, todo::TodoMemoNumber(records.front()));
    records.erase(records.begin());
  }
  todo::TodoFields fields;
  fields.subject = store::CutUtf8ToWidth("ToDo" + std::to_string(generation) + " " + Filler(generation, 3), 80);
  fields.limit = store::MakeDate(kYear, 1 + generation % 12, 1 + generation % 28);
  fields.priority = generation % 4;
  fields.progress = generation % 11;
  fields.memo = todo::FreeTodoMemoNumber(records);
  const todo::TodoBuild built = todo::BuildTodoRecord(fields);
  const auto memo_line = todo::BuildTodoMemoLine(fields.memo, {Filler(generation, 4), "メモ"});
  if (!built || !memo_line) throw std::runtime_error("ToDo not built");
  records.push_back(built.line);
  todo::SortTodoList(records);
  memos.push_back(*memo_line);
  todo::SaveTodoFiles(fs, todo, memos, records);
}

}  // namespace

int KillGeneration(platform::FileSystem& fs, const std::string& folder) {
  return store::IniFile::Load(fs, folder + kKillSettingsFile).ReadInteger("Kill", "Generation", 0);
}

void WriteKillGeneration(platform::FileSystem& fs, const std::string& folder, int generation) {
  StoreScheduleGeneration(fs, folder + "data/", generation);
  StoreTodoGeneration(fs, folder + "todo/", generation);

  // A day memo of the month, one of four days, of a length that changes every generation.
  std::vector<std::string> memo;
  for (int i = 0; i <= generation % 9; ++i) memo.push_back(Filler(generation, i));
  store::SaveMemo(fs, folder + "memo/", store::MemoId{kYear, kMonth, 1 + generation % 4}, memo);

  store::IniFile ini = store::IniFile::Load(fs, folder + kKillSettingsFile);
  ini.WriteInteger("Kill", "Generation", generation);
  ini.WriteString("Kill", "Text", Filler(generation, 5));
  ini.WriteInteger("Main", "Left", generation % 800);
  ini.Flush(fs, folder + kKillSettingsFile);
}

}  // namespace kal::test
