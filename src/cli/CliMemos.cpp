// memos, set-memo, notes, note: the memo and note files through the same store as the window.
#include <ostream>

#include "cli/CliCommands.h"
#include "store/DateText.h"
#include "store/MemoFile.h"
#include "store/NoteFile.h"
#include "store/TextFile.h"

namespace kal::cli {
namespace {

// "yyyy/mm/dd" (a day memo) or "yyyy/mm" (a month memo).
std::optional<store::MemoId> ParseMemoDate(const std::string& text) {
  if (auto date = store::ParseDateText(text)) return store::MemoId::OfDay(*date);
  if (text.size() == 7 && text[4] == '/') {
    if (auto date = store::ParseDateText(text + "/01")) return store::MemoId::OfMonth(store::YearOf(*date), store::MonthOf(*date));
  }
  return std::nullopt;
}

std::string MemoDateField(const store::MemoId& id) {
  const std::string date = store::DateText(id.date());
  return id.is_month() ? date.substr(0, 7) : date;
}

}  // namespace

int RunMemos(CliContext& context, const std::vector<std::string>& args) {
  int year = 0, month = 0;
  if (args.size() != 1 || !ParseMonthStem(args[0], year, month)) throw UsageError{"memos takes yyyymm"};
  const std::string& folder = SessionOf(context).folders.memo;
  for (const auto& id : store::MemosOfMonth(context.files, folder, year, month))
    PrintRow(*context.out, {MemoDateField(id), store::JoinMemoLines(store::LoadMemo(context.files, folder, id))});
  return 0;
}

int RunSetMemo(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError{"set-memo takes yyyy/mm/dd|yyyy/mm TEXT"};
  auto id = ParseMemoDate(args[0]);
  if (!id) throw UsageError{"set-memo takes yyyy/mm/dd|yyyy/mm TEXT"};
  const app::Folders& folders = SessionOf(context).folders;
  const std::vector<std::string> lines = store::MemoTextToLines(args[1]);
  if (lines.empty())
    store::DeleteMemo(context.files, folders.memo, folders.data, *id);
  else
    store::SaveMemo(context.files, folders.memo, *id, lines);
  return 0;
}

int RunNotes(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) throw UsageError{"notes takes no arguments"};
  const app::Session& session = SessionOf(context);
  const auto titles = store::LoadNoteTitles(context.files, session.folders.note);
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const bool locked = store::NoteIsProtected(i, titles.size(), session.settings.note.password);
    PrintRow(*context.out, {std::to_string(i), titles[i], titles[i] + store::kNoteExtension, locked ? "1" : "0"});
  }
  return 0;
}

int RunNote(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) throw UsageError{"note takes TITLE"};
  const std::string& folder = SessionOf(context).folders.note;
  const auto titles = store::LoadNoteTitles(context.files, folder);
  const std::string* found = nullptr;
  for (const auto& title : titles)
    if (title == args[0]) found = &title;
  for (const auto& title : titles)
    if (!found && store::SameNoteTitle(title, args[0])) found = &title;
  if (!found) throw CliError{"「" + args[0] + "」というノートはありません。"};
  for (const auto& line : store::LoadNote(context.files, folder, *found)) PrintRow(*context.out, {line});
  return 0;
}

}  // namespace kal::cli
