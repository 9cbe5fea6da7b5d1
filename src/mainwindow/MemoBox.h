// The memo box MemDaily in the two-tab control TabMemo of the under panel: tab 0 the selected
// day's memo, tab 1 the memo of its month.
//
// The box holds the text of one memo file and whether it was modified. It is written only at its
// save points (MemDailyUpdate): before the selection moves or the tab changes, before every
// reload, before an external editor or the settings dialog is started, when mini mode is entered,
// before the program ends, and before any command that reads or writes memo files (list,
// import, deletion, backup, clipboard); after such a command the box is read again (Reload), so
// the box and the file writers never overwrite each other.
//
// A memo that cannot be read leaves the box empty and read-only for that memo, so that nothing is
// ever saved over it; while an external editor runs on the memo shown, the box is read-only too.
// A save that fails (a character CP932 cannot hold, a full disk) keeps the box on its memo with
// its text and modified state, and the caller stops what it was doing.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/MemoFile.h"
#include "store/Settings.h"

namespace kal::mainwindow {

inline constexpr int kMemoTabDay = 0;
inline constexpr int kMemoTabMonth = 1;

// A tab caption: the date formatted with the pattern (DailyTitle, MonthlyTitle); a pattern without
// pattern letters (the default "未設定") is shown as it is.
std::string MemoTabCaption(const std::string& pattern, const store::Date& date);
// Text and back colour of the box: tab 1 the MEM colours; tab 0 the MEM text colour on the fill
// colour of the day's memo-icon colour (`stored_colour` 1..5, or the default IconColor for 0 or a
// day without a memo).
std::pair<int, int> MemoBoxColours(const store::Settings& settings, int tab, int stored_colour, bool has_memo);

class MemoBox {
 public:
  explicit MemoBox(platform::FileSystem& fs);

  void SetFolders(const std::string& memo_folder, const std::string& data_folder);
  const std::string& memo_folder() const { return memo_folder_; }
  const std::string& data_folder() const { return data_folder_; }

  // Select day: saves a modified box, then binds the two memos of the date and loads the active
  // tab. Returns the message of a failure (the save's, the box then keeps its memo; or the load's,
  // the box is then empty and read-only); nothing on success.
  std::optional<std::string> SelectDay(const store::Date& date);
  // Tab change (TabMemoChanging then TabMemoChange): saves, then loads the tab's memo.
  std::optional<std::string> SetTab(int tab);
  int tab() const { return tab_; }
  const store::Date& date() const { return date_; }

  // The memo of a tab for the bound date, its file path, and whether the file exists (tab image).
  store::MemoId Id(int tab) const;
  std::string Path(int tab) const;
  bool HasMemo(int tab) const;
  store::MemoId ShownId() const { return Id(tab_); }

  const std::string& text() const { return text_; }
  // The user edited the box (ignored while read-only).
  void SetText(std::string text);
  bool modified() const { return modified_; }
  bool read_only() const { return unreadable_ || external_; }

  // MemDailyUpdate: writes a modified box to the active tab's file (deleting it when the box is
  // empty), unless mini mode is on. Returns the failure message; the box then stays modified.
  std::optional<std::string> Save();
  // Reads the active tab's memo again, dropping unsaved text.
  std::optional<std::string> Reload();

  // Mini mode: the box is not saved while it is on.
  void SetMiniMode(bool on) { mini_ = on; }
  // An external editor runs on `path` (or has ended): the box is read-only while it shows that file.
  void SetExternalEditor(const std::string& path, bool running);

 private:
  std::optional<std::string> Load();

  platform::FileSystem& fs_;
  std::string memo_folder_;
  std::string data_folder_;
  store::Date date_{};
  int tab_ = kMemoTabDay;
  std::string text_;
  bool modified_ = false;
  bool unreadable_ = false;
  bool external_ = false;
  std::string external_path_;
  bool mini_ = false;
};

// ---- The edit memo command (ShowDlgMemo) ------------------------------------------------------

// The memo to edit: the month memo when the command comes from anywhere but the grid while tab 1
// is active, else the selected day's memo.
store::MemoId MemoToEdit(const store::Date& selected, int active_tab, bool from_grid);

// The external editor of a section (Exe on and ExeName set), or nothing.
std::optional<std::string> ExternalEditor(bool exe, const std::string& exe_name);

}  // namespace kal::mainwindow
