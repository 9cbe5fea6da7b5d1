// The notes of the under panel: the tab control TabNote over the line list LstNote, with the
// pop-up menu PopNot; a thin view of the core NoteBook. Links are drawn blue and underlined and
// open with a click on their text; the toolkit's double click edits the note.
#pragma once

#include <QListWidget>
#include <QWidget>

#include <functional>

#include "mainwindow/NoteBook.h"
#include "store/Settings.h"

class QMenu;
class QTabBar;

namespace kal::platform {
class Shell;
}  // namespace kal::platform

namespace kal::mainwindow {

// LstNote: the note's lines; link text under the pointer shows the hand cursor.
class QtNoteList : public QListWidget {
  Q_OBJECT

 public:
  explicit QtNoteList(QWidget* parent = nullptr);
  // The link of a row and the pixel width of its drawn link text (from 2 pixels on).
  std::optional<NoteLink> LinkAt(int row, int* width) const;

  std::function<void(const std::string& target)> on_open_link;
  std::function<void()> on_double_click;
  std::function<void()> on_below_last_line;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
};

class QtNotePanel : public QWidget {
  Q_OBJECT

 public:
  QtNotePanel(NoteBook& book, platform::Dialogs& dialogs, platform::Shell& shell, store::Settings& settings,
              QWidget* parent = nullptr);

  QTabBar* TabNote;
  QtNoteList* LstNote;
  QMenu* PopNot;

  // Reloads the tabs from the note folder and shows the current note.
  void Open(const std::string& note_folder);
  // TabNoteEdit: shows the current note's lines.
  void ShowNote();
  // Fonts, colours, tab position and the horizontal bar from the settings.
  void ApplySettings();
  // The commands of PopNot (menu items call these).
  void AddClick();
  void EditClick();
  void DeleteClick();
  void RenameClick();
  void InsertLinkClick();
  void DeleteLineClick();
  void ClearClick();
  void MoveClick(int direction);
  void ListTabClick();

  // Edit the current note (the window opens the memo dialog or the external editor, then calls
  // ShowNote).
  std::function<void()> on_edit;
  // A press below the last line gives the focus to the main grid.
  std::function<void()> on_focus_grid;
  std::function<void()> on_layout_changed;
  std::string program_folder;

 private:
  void ShowTabs();
  void UpdateMenu();
  void TabNoteChange(int index);

  NoteBook& book_;
  platform::Dialogs& dialogs_;
  platform::Shell& shell_;
  store::Settings& settings_;
  bool showing_ = false;
};

}  // namespace kal::mainwindow
