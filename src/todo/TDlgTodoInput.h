// The ToDo entry dialog: a new, changed or copied ToDo item, a schedule copied to a ToDo item, or
// a repeated series. Every rule lives in todo/TodoForm.h; the dialog shows the form and turns the
// user's gestures into calls on it.
#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "calendar/PublicHoliday.h"
#include "catalogues/Category.h"
#include "todo/TodoForm.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace kal::platform {
class Clock;
class Dialogs;
class FileSystem;
class Processes;
class Shell;
}  // namespace kal::platform

namespace kal::todo {

struct TodoInputPorts {
  platform::Dialogs& dialogs;
  platform::FileSystem& files;
  platform::Shell& shell;
  platform::Processes& processes;
  const platform::Clock& clock;
};

class TDlgTodoInput : public QDialog {
  Q_OBJECT

 public:
  // Reads the category table, the ToDo list (subjects) and the memo file. `form` is the form as
  // opened (OpenTodoForm or TodoFormFromSchedule). Throws store::FileError.
  TDlgTodoInput(TodoInputPorts ports, const app::Session& session, TodoForm form, QWidget* parent = nullptr);
  ~TDlgTodoInput() override;

  const TodoForm& Form() const { return form_; }
  // The records OK stored.
  const std::vector<std::string>& Stored() const { return stored_; }
  // OK found the changed record changed elsewhere: the panel must reload.
  bool NeedsReload() const { return stale_; }

  QDateEdit* DtpLimitDate;
  QCheckBox* ChkNoLimit;
  QDateEdit* DtpStartDate;
  QCheckBox* ChkNoStart;
  QComboBox* CmbTitle;
  QComboBox* CmbBunrui;
  QPushButton* BtnCat;
  QComboBox* CmbPri;
  QSlider* TrkProgress;
  QLabel* LblProgress;
  QCheckBox* ChkTask;
  QDateEdit* DtpOkDate;
  QPlainTextEdit* MemTodo;
  QLineEdit* EdtFileLink;
  QPushButton* BtnFileLink;
  QPushButton* BtnFileOpen;
  QCheckBox* ChkRepeat;
  QGroupBox* GrpRepeat;
  QComboBox* CmbMaiKak;
  QComboBox* CmbPattern;
  QComboBox* CmbCycle;
  QComboBox* CmbMonth;
  QComboBox* CmbDay;
  QComboBox* CmbWeek;
  QDateEdit* DtpFromTod;
  QDateEdit* DtpToTod;
  QComboBox* CmbFurikae;
  QCheckBox* CHkHol1;
  QCheckBox* ChkHol2;
  QCheckBox* ChkSat;
  QCheckBox* ChkSun;
  QLabel* LblEdit;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;

 private:
  void Build();
  void Show();           // the form into the widgets
  void FillCategories();
  void LoadHolidays();
  void BtnOkClick();
  void BtnCatClick();
  void BtnFileLinkClick();
  void BtnFileOpenClick();
  QWidget* FieldWidget(TodoFormField field) const;
  calendar::HolidayOracle Oracle() const;

  TodoInputPorts ports_;
  const app::Session& session_;
  TodoForm form_;
  catalogues::CategoryTable categories_;
  calendar::HolidayList holidays_;
  bool holidays_loaded_ = false;
  std::vector<std::string> stored_;
  bool stale_ = false;
  bool showing_ = false;
};

}  // namespace kal::todo
