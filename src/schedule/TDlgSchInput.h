// The schedule entry dialog: a new, changed or copied schedule, a multi-day schedule or a
// repeated series. Every rule lives in schedule/ScheduleForm.h; the dialog shows the form and
// turns the user's gestures into calls on it.
#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "calendar/PublicHoliday.h"
#include "catalogues/Category.h"
#include "schedule/ScheduleForm.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace kal::platform {
class Clock;
class Dialogs;
class FileSystem;
class Shell;
}  // namespace kal::platform

namespace kal::catalogues {
class CategoryIcons;
}

namespace kal::schedule {

// What the dialog needs of the program.
struct SchInputPorts {
  platform::Dialogs& dialogs;
  platform::FileSystem& files;
  platform::Shell& shell;
  const platform::Clock& clock;
};

class TDlgSchInput : public QDialog {
  Q_OBJECT

 public:
  // Reads the category table, the alarm table, the entry tables and the source line's memo.
  // Throws store::FileError when one of them cannot be read.
  TDlgSchInput(SchInputPorts ports, const app::Session& session, const OpenRequest& request,
               QWidget* parent = nullptr);
  ~TDlgSchInput() override;

  const ScheduleForm& Form() const { return form_; }
  // The schedules stored by OK.
  const std::vector<StoredSchedule>& Stored() const { return stored_; }
  // OK was refused in a way that closed the dialog (the changed line was changed elsewhere, or a
  // series stopped part way): the calendar must be read again.
  bool NeedsReload() const { return refused_; }

  QDateEdit* DtpSchFromDate;
  QDateEdit* DtpSchToDate;
  QComboBox* CmbStrhhmm;
  QComboBox* CmbEndhhmm;
  QComboBox* CmbTitle;
  QComboBox* CmbPlace;
  QComboBox* CmbBunrui;
  QPushButton* BtnCat;
  QCheckBox* ChkExtendDay;
  QSpinBox* SpnDay1;
  QLabel* LblDay;
  QCheckBox* ChkBold;
  QCheckBox* ChkItalic;
  QCheckBox* ChkUnderline;
  QCheckBox* ChkStrikeout;
  QCheckBox* ChkAlarm;
  QComboBox* CmbAlarm1;
  QComboBox* CmbAlarm2;
  QPlainTextEdit* MemSch;
  QLabel* LblSample;
  QComboBox* CmbSample;
  QPushButton* BtnFontCol;
  QPushButton* BtnBackCol;
  QFrame* PnlSample;
  QLineEdit* EdtFileLink;
  QPushButton* BtnFileLink;
  QPushButton* BtnFileOpen;
  QCheckBox* ChkRepeat;
  QGroupBox* GrpRepeat;
  QDateEdit* DtpFromSch;
  QDateEdit* DtpToSch;
  QComboBox* CmbMaiKak;
  QComboBox* CmbPattern;
  QSpinBox* SpnDay2;
  QLabel* LblDays;
  QComboBox* CmbWeek;
  QComboBox* CmbCycle;
  QComboBox* CmbMonth;
  QComboBox* CmbDay;
  QComboBox* CmbFurikae;
  QCheckBox* ChkHol1;
  QCheckBox* ChkHol2;
  QCheckBox* ChkSat;
  QCheckBox* ChkSun;
  QLabel* LblEdit;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;

  // OK (SchUpdate): the checks, then the store; the dialog closes with Accepted when stored.
  void BtnOkClick();
  // RepeatSchUd(false): the count of the repetition on LblEdit.
  void RepeatSchUd();

 private:
  void BuildControls();
  void Connect();
  void FillCategories();
  void FillSampleList();
  void Show();
  void ShowRepeat();
  void ShowSamplePanel();
  QWidget* FieldWidget(FormField field) const;
  void TitleEdited(QComboBox* box);
  void BtnCatClick();
  void BtnFontColClick();
  void BtnBackColClick();
  void BtnFileLinkClick();
  void BtnFileOpenClick();
  void ChkRepeatClick(bool on);

  SchInputPorts ports_;
  const app::Session& session_;
  ScheduleForm form_;
  catalogues::CategoryTable categories_;
  std::unique_ptr<catalogues::CategoryIcons> icons_;
  std::vector<int> alarm_offsets_;
  std::unique_ptr<calendar::HolidayList> holidays_;  // loaded when ChkRepeat is first ticked
  calendar::HolidayOracle oracle_;
  std::vector<StoredSchedule> stored_;
  bool showing_ = false;
  bool refused_ = false;
};

}  // namespace kal::schedule
