#include "mainwindow/MemoBox.h"

#include "mainwindow/CellContents.h"
#include "store/DatePattern.h"
#include "store/TextFile.h"

namespace kal::mainwindow {

std::string MemoTabCaption(const std::string& pattern, const store::Date& date) {
  return store::HasPatternLetters(pattern) ? store::FormatDatePattern(pattern, date) : pattern;
}

std::pair<int, int> MemoBoxColours(const store::Settings& settings, int tab, int stored_colour, bool has_memo) {
  const auto& mem = settings.color.mem;
  if (tab != kMemoTabDay) return {mem.text, mem.back};
  const int colour = (has_memo && stored_colour >= 1 && stored_colour <= 5) ? stored_colour : settings.memo.icon_color;
  return {mem.text, MemoIconColours(colour).first};
}

MemoBox::MemoBox(platform::FileSystem& fs) : fs_(fs) {}

void MemoBox::SetFolders(const std::string& memo_folder, const std::string& data_folder) {
  memo_folder_ = memo_folder;
  data_folder_ = data_folder;
}

store::MemoId MemoBox::Id(int tab) const {
  return tab == kMemoTabMonth ? store::MemoId::OfMonth(store::YearOf(date_), store::MonthOf(date_))
                              : store::MemoId::OfDay(date_);
}

std::string MemoBox::Path(int tab) const { return store::MemoPath(memo_folder_, Id(tab)); }

bool MemoBox::HasMemo(int tab) const { return !memo_folder_.empty() && fs_.Exists(Path(tab)); }

std::optional<std::string> MemoBox::SelectDay(const store::Date& date) {
  if (auto failed = Save()) return failed;
  date_ = date;
  return Load();
}

std::optional<std::string> MemoBox::SetTab(int tab) {
  if (auto failed = Save()) return failed;
  tab_ = tab == kMemoTabMonth ? kMemoTabMonth : kMemoTabDay;
  return Load();
}

void MemoBox::SetText(std::string text) {
  if (read_only() || text == text_) return;
  text_ = std::move(text);
  modified_ = true;
}

std::optional<std::string> MemoBox::Save() {
  if (!modified_ || mini_ || read_only() || memo_folder_.empty()) return std::nullopt;
  try {
    store::SaveMemo(fs_, memo_folder_, ShownId(), store::MemoTextToLines(text_));
  } catch (const store::FileError& e) {
    return std::string(e.what());
  }
  modified_ = false;
  return std::nullopt;
}

std::optional<std::string> MemoBox::Reload() { return Load(); }

std::optional<std::string> MemoBox::Load() {
  text_.clear();
  modified_ = false;
  unreadable_ = false;
  external_ = !external_path_.empty() && external_path_ == Path(tab_);
  if (memo_folder_.empty()) return std::nullopt;
  try {
    text_ = store::MemoLinesToText(store::LoadMemo(fs_, memo_folder_, ShownId()));
  } catch (const store::FileError& e) {
    unreadable_ = true;
    return std::string(e.what());
  }
  return std::nullopt;
}

void MemoBox::SetExternalEditor(const std::string& path, bool running) {
  external_path_ = running ? path : std::string();
  external_ = running && path == Path(tab_);
}

store::MemoId MemoToEdit(const store::Date& selected, int active_tab, bool from_grid) {
  if (!from_grid && active_tab == kMemoTabMonth)
    return store::MemoId::OfMonth(store::YearOf(selected), store::MonthOf(selected));
  return store::MemoId::OfDay(selected);
}

std::optional<std::string> ExternalEditor(bool exe, const std::string& exe_name) {
  if (!exe || exe_name.empty()) return std::nullopt;
  return exe_name;
}

}  // namespace kal::mainwindow
