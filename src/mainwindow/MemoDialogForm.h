// The memo dialog TDlgMemo without its widgets: which file it edits in each of its three modes,
// its caption, the text it starts with, the date change of a day memo, and OK.
//
// Modes: 0 the day-memo template ("MemoTemp.txt" in the caller's folder), 1 a day or month memo
// (a day memo starts from the template when it has no file, and so does a month memo), 2 a note.
// The dialog reads its file when it opens: a file that cannot be read is reported and the dialog
// does not open, so OK can never write an empty text over it. OK writes the text (lines as they
// stand); a text that becomes empty deletes the file. キャンセル writes nothing.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/MemoFile.h"

namespace kal::mainwindow {

enum class MemoDialogMode { Template = 0, Memo = 1, Note = 2 };

inline constexpr const char* kMemoTemplateCaption = "デイリーメモ テンプレートの編集";
inline constexpr int kMemoDialogMinWidth = 350;

class MemoDialogForm {
 public:
  explicit MemoDialogForm(platform::FileSystem& fs);

  // Opens the form in one mode; the message of a file that cannot be read, else nothing.
  std::optional<std::string> OpenTemplate(const std::string& folder);
  std::optional<std::string> OpenMemo(const std::string& memo_folder, const store::MemoId& id);
  std::optional<std::string> OpenNote(const std::string& note_folder, const std::string& title);

  MemoDialogMode mode() const { return mode_; }
  const std::string& caption() const { return caption_; }
  const std::string& path() const { return path_; }
  // The text the editor starts with (lines each ended by LF).
  const std::string& text() const { return text_; }
  // The date picker ("yyyy年M月d日(ddd)") is shown for a day memo only.
  bool has_date() const { return mode_ == MemoDialogMode::Memo && !id_.is_month(); }
  store::Date date() const { return id_.date(); }
  const store::MemoId& id() const { return id_; }

  // The date picker changed: the form edits that day's memo; the text becomes its file, the
  // template, or nothing (unsaved text of the previous date is dropped). The message of a file
  // that cannot be read, else nothing; the form then keeps the date it had.
  std::optional<std::string> ChangeDate(const store::Date& date);

  // OK: writes the editor's text. The message of a refusal (a character CP932 cannot hold, a
  // write that failed), else nothing; the dialog stays open on a refusal.
  std::optional<std::string> Ok(const std::string& editor_text);

  // The width of a memo dialog: the side panel's width + 20 when that is wider than 350 pixels.
  static int MemoWidth(int side_panel_width, int default_width);

 private:
  platform::FileSystem& fs_;
  MemoDialogMode mode_ = MemoDialogMode::Memo;
  std::string folder_;
  std::string path_;
  std::string name_;  // the text's name in a refusal
  std::string caption_;
  std::string text_;
  store::MemoId id_;
};

}  // namespace kal::mainwindow
