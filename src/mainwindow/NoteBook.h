// The notes of the under panel: the tabs of TabNote (one per title of Note.lst), the text of the
// current note shown line by line in LstNote, links in note lines, and the commands of the
// pop-up menu PopNot (add, edit, delete, rename, insert link, delete line, erase, move).
//
// The note files themselves are store/NoteFile.h. Every command re-reads the files it changes,
// writes at once, and reports a refusal or a file error in a message box (caption "エラー" unless
// the command has its own); it returns whether the tabs or the text changed, so that the panel
// shows them again.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::mainwindow {

// ---- Lines of the note list ----------------------------------------------------------------------

// A tab becomes one blank, then blanks up to the next multiple of 8 bytes (CP932 length) of the
// text so far.
std::string ExpandNoteTabs(const std::string& line);

// A link at the start of a shown line: the first 7 characters, upper-cased, are "HTTP://",
// "FILE://" or "MAILTO:", or the first 8 "HTTPS://". The link text is the line up to and
// including its first blank (the whole line when it has none); what opens is the link text
// without that blank.
struct NoteLink {
  std::size_t length = 0;  // bytes of the drawn link text (with its blank)
  std::string target;      // what the shell opens
};
std::optional<NoteLink> FindNoteLink(const std::string& shown_line);

// A file link of an absolute path: "file://" + the path with every byte outside the unreserved
// characters and "/" percent-encoded (blanks as %20, Japanese names as their UTF-8 bytes).
std::string FileLinkUrl(const std::string& absolute_path);

// ---- The protected note ----------------------------------------------------------------------------

// Asked when the protected (last) tab is chosen through the tab control; true lets the note be
// shown. The window sets `NoteBook::ask_password` to the password entry; this default, for a
// note book without a window, says that no password can be asked for here and refuses.
bool AskNotePassword(platform::Dialogs& dialogs);
inline constexpr const char* kNotePasswordCaption = "ノートのパスワード";
inline constexpr const char* kNotePasswordUnavailable =
    "パスワード機能はまだ使用できません。\n保護されたノートは表示できません。";

// ---- The notes ----------------------------------------------------------------------------------------

class NoteBook {
 public:
  NoteBook(platform::FileSystem& fs, platform::Dialogs& dialogs);

  // Reads the titles of the note folder; `protection` is setting Password of section Note. The
  // first tab becomes current. A file error is shown; the tabs are then empty.
  void Open(const std::string& note_folder, bool protection);
  void SetProtection(bool protection) { protection_ = protection; }
  // The password gate (AskNotePassword unless the window or a test sets another).
  std::function<bool()> ask_password;

  const std::string& folder() const { return folder_; }
  const std::vector<std::string>& titles() const { return titles_; }
  int current() const { return current_; }  // -1 when there is no tab
  std::string CurrentTitle() const;
  std::string CurrentPath() const;  // the current note's file
  // The last tab while protection is on (and there are at least two tabs).
  bool IsProtected(int index) const;

  // The tab control chose a tab: the protected tab asks for the password first, and on a refusal
  // the first tab is chosen instead. Returns the tab now current.
  int SelectTab(int index);
  // Makes a tab current without asking (after an edit, a rename or a move).
  void SetCurrent(int index);

  // The current note's lines with tabs expanded, as LstNote shows them (empty for no file). A
  // file error is shown and gives no lines.
  std::vector<std::string> ShownLines();
  // Whether the current note has a file ("内容の消去(&C)" is enabled only then).
  bool CurrentExists() const;

  // "ノートの新規追加(&A)": asks a title (caption "ノートの新規作成", prompt "タイトル: ") and adds it.
  bool AddAsk();
  // Adds the note as the first tab and makes it current; refuses a forbidden character and a
  // title another tab already has (letter case not counted). An empty title does nothing.
  bool Add(const std::string& title);
  // "タイトルの変更(&R)": asks (caption "タイトルの変更", prompt "新しいタイトル: ", preset the title).
  bool RenameAsk();
  // Renames the current note: the file is copied to the new name and checked, Note.lst is
  // written, and only then the old file is removed, so no failure loses the text.
  bool Rename(const std::string& new_title);
  // "ノートの削除(&D)": refusals for the last remaining tab and for the protected pair; the
  // confirmation when `del_msg`; Note.lst is written before the note's file is removed.
  bool Delete(bool del_msg);
  // "上に移動(&U)" / "下に移動(&d)": exchanges the current tab with its neighbour and writes Note.lst.
  bool MoveUp();
  bool MoveDown();
  bool CanMoveUp() const;
  bool CanMoveDown() const;
  // "内容の消去(&C)": after the question, deletes the note's file and writes Note.lst.
  bool Clear();
  // "行の削除(&X)": deletes line `line` (0-based, as listed) of the current note.
  bool DeleteLine(int line);
  // "リンクの挿入(&L)": the file link of `absolute_path` inserted before line `selected`, or
  // appended when `selected` is -1 or past the end; the file is written (created when missing).
  bool InsertLink(const std::string& absolute_path, int selected);
  // The file chooser ("すべてのファイル (*.*)|*.*"), then InsertLink. A relative answer is taken
  // from the program folder.
  bool InsertLinkAsk(const std::string& program_folder, int selected);
  // The memo dialog's caption in note mode: "「title」の編集".
  std::string EditCaption() const;

 private:
  bool Guarded(const std::function<bool()>& command);
  std::optional<std::string> TitleRefusal(const std::string& title, int except) const;
  void Reload(int select);

  platform::FileSystem& fs_;
  platform::Dialogs& dialogs_;
  std::string folder_;
  bool protection_ = false;
  std::vector<std::string> titles_;
  int current_ = -1;
};

}  // namespace kal::mainwindow
