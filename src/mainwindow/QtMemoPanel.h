// The memo box of the under panel: the two-tab control TabMemo (tab 0 the selected day's memo,
// tab 1 its month's memo) over the box MemDaily, a thin view of the core MemoBox.
#pragma once

#include <QWidget>

#include <functional>

#include "mainwindow/MemoBox.h"

class QPlainTextEdit;
class QTabBar;

namespace kal::platform {
class Dialogs;
}  // namespace kal::platform

namespace kal::mainwindow {

class QtMemoPanel : public QWidget {
  Q_OBJECT

 public:
  QtMemoPanel(MemoBox& box, platform::Dialogs& dialogs, const store::Settings& settings, QWidget* parent = nullptr);

  QTabBar* TabMemo;
  QPlainTextEdit* MemDaily;

  // Select day: saves a modified box, shows the date's memos. `stored_colour` gives the day's
  // memo-icon colour (0 for none) for the box colour.
  void SelectDay(const store::Date& date);
  // MemDailyUpdate: saves a modified box; a failure is shown and answers false (the caller stops).
  bool Save();
  // Reads the shown memo again (after a command that touched memo files).
  void Reload();
  // Fonts, colours, Tab key and tab position from the settings (start-up and after 環境設定).
  void ApplySettings();

  // The day's stored memo-icon colour (1..5, 0 none), asked for the box colour of tab 0.
  std::function<int(const store::Date&)> stored_colour;
  // A modified box lost the focus, or a tab change saved the day memo (the window saves the box
  // and reloads the calendar).
  std::function<void()> on_left_modified;

  MemoBox& box() { return box_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowBox();
  void TabMemoChange(int index);
  void Report(const std::optional<std::string>& failure);

  MemoBox& box_;
  platform::Dialogs& dialogs_;
  const store::Settings& settings_;
  bool showing_ = false;
};

}  // namespace kal::mainwindow
