// The settings dialog TDlgSetup ("環境設定"): fifteen pages of controls over every setting the
// dialog writes. It reads the settings file when it opens (SetupForm), maps each control to one
// member of the settings, and on OK runs the checks and the writes of SetupForm; キャンセル leaves
// every file as it was (the colour and folder sets, written at once, aside). In initial-settings
// mode (the first start of a new version) it is centred, captioned "Version 5.71 初期設定".
//
// The pages are built in TDlgSetupPages*.cpp; each control is named after its component
// ("ChkPasswd", "CmbStrTime3", ...) so that it can be found by name.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogues/SetupForm.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace kal::catalogues {

struct SetupPorts {
  platform::Dialogs& dialogs;
  platform::FileSystem& files;
  const platform::Clock& clock;
  platform::Sound* sound = nullptr;  // the sound tests and the test windows; none: they stay silent
};

struct SetupOpenContext {
  std::string program_folder;  // with a trailing "/"
  std::string settings_file;
  store::SettingsDefaults defaults;
  int window_top = 0;  // the main window's normal position, written as Window Top / Left
  int window_left = 0;
  bool first_run = false;  // initial-settings mode
  // The captions of the main window's tool buttons, in tool-bar order ("" for a separator).
  std::vector<std::string> tool_buttons;
  // Shows a tray balloon (title, text): the alarm test of the balloon display.
  std::function<void(const std::string&, const std::string&)> show_balloon;
};

class TDlgSetup : public QDialog {
  Q_OBJECT

 public:
  // Reads the settings file. Throws store::FileError when it cannot be read.
  TDlgSetup(SetupPorts ports, SetupOpenContext context, QWidget* parent = nullptr);
  ~TDlgSetup() override;

  QTabWidget* PagSetup = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;

  // The settings as the controls hold them (after Store) and as written by the last OK.
  const SetupState& State() const { return state_; }
  // Shows a page by its caption's position.
  void ShowPage(SetupPage page);

  // Sample texts the pages show: a date pattern applied to today / now.
  std::string Sample(const std::string& pattern, bool with_time) const;

 private:
  struct Binding {
    std::function<void()> load;
    std::function<void()> store;
  };

  // ---- control makers bound to one member of the settings ----
  QCheckBox* Check(QWidget* parent, const char* name, const char* caption, bool& member);
  QCheckBox* CheckInt(QWidget* parent, const char* name, const char* caption, int& member);
  QSpinBox* Spin(QWidget* parent, const char* name, int min, int max, int& member);
  QComboBox* Index(QWidget* parent, const char* name, const std::vector<std::string>& items, int& member,
                   int offset = 0);
  QComboBox* Pattern(QWidget* parent, const char* name, const std::vector<std::string>& items, std::string& member,
                     QLabel* sample = nullptr, bool with_time = false);
  QLineEdit* Edit(QWidget* parent, const char* name, std::string& member);
  QGroupBox* Radio(QWidget* parent, const char* name, const char* caption, const std::vector<std::string>& items,
                   int& member, int offset = 0, int columns = 1);
  QComboBox* HourCombo(QWidget* parent, const char* name, int& member);
  void Bind(std::function<void()> load, std::function<void()> store);
  // "外部エディタを使う" with its program box and chooser (memo and note pages).
  QHBoxLayout* EditorRow(QWidget* parent, const char* check, const char* edit, const char* button, bool& use,
                         std::string& program);
  // A sound file box with its chooser and its play button; `controls` receives the three.
  QHBoxLayout* SoundRow(QWidget* parent, const char* edit, const char* open, const char* play, std::string& wav,
                        std::vector<QWidget*>* controls = nullptr);
  // A check box that enables its companions while ticked.
  void Enables(QCheckBox* box, std::vector<QWidget*> companions);

  // ---- pages (TDlgSetupPages*.cpp) ----
  QWidget* BuildStartup();
  QWidget* BuildDisplay();
  QWidget* BuildGeneral();
  QWidget* BuildCalendar();
  QWidget* BuildVertical();
  QWidget* BuildMemo();
  QWidget* BuildTodo();
  QWidget* BuildNote();
  QWidget* BuildMini();
  QWidget* BuildToolBar();
  QWidget* BuildAlarm();
  QWidget* BuildSignal();
  QWidget* BuildColourFont();
  QWidget* BuildFolders();
  QWidget* BuildOther();

  // Handlers of the pages.
  void ChooseFont(std::vector<std::string>& font, bool with_colour, QLabel* shown);
  void ChooseColour(int& colour, const std::function<void()>& refresh);
  void ChooseProgram(QLineEdit* edit, const char* filter);
  void OpenTable(int type);
  void TodoListRefresh();
  void TodoIconChange();
  void TodoPopChanged();
  void AlarmListsFill();
  void AlarmEnableSet();
  void SignalEnableSet();
  void AlarmTest();
  void SignalTest();
  void ColourListRefresh();
  void ColourButtonsEnable();
  void FontLabelRefresh();
  void ColourSetChoose(const QString& name);
  void ColourSetsFill(const std::string& select);
  void FolderSetsFill(const std::string& select);
  void FolderSetChosen(const QString& name);
  void FolderBoxesFill();
  void PathModeChanged(int mode);
  void WeatherListRefresh();
  void HolidayUpdate();
  void TemplateEdit();
  std::string TableFolder() const;

  void Load();
  void Store();
  void BtnOkClick();

  SetupPorts ports_;
  SetupOpenContext context_;
  SetupState state_;
  std::vector<Binding> bindings_;

  // Controls the handlers need.
  QListWidget* lst_todo_ = nullptr;
  QCheckBox* chk_pop_[3] = {nullptr, nullptr, nullptr};
  QCheckBox* chk_todo_color_ = nullptr;
  QComboBox* cmb_alarm_[2] = {nullptr, nullptr};
  QPushButton* btn_alarm_clear_ = nullptr;
  QGroupBox* rdo_alarm_type_ = nullptr;
  std::vector<QWidget*> alarm_window_controls_;
  QGroupBox* rdo_signal_mode_ = nullptr;
  std::vector<QWidget*> signal_controls_;
  QPushButton* btn_signal_set_ = nullptr;
  QListWidget* lst_color_ = nullptr;
  QPushButton* btn_font_col_ = nullptr;
  QPushButton* btn_back_col_ = nullptr;
  QTableWidget* grd_sample_ = nullptr;
  QListWidget* lst_font_ = nullptr;
  QLabel* lbl_font_ = nullptr;
  QComboBox* cmb_setcol_ = nullptr;
  QLineEdit* edt_dir_[6] = {};
  QGroupBox* rdo_path_ = nullptr;
  QComboBox* cmb_folder_name_ = nullptr;
  QListWidget* lst_weather_ = nullptr;
  QListWidget* lst_tool_bar_ = nullptr;
  QLabel* lbl_mini_trans_ = nullptr;
  QPushButton* btn_holiday_ud_ = nullptr;
  bool filling_ = false;  // lists are being refilled: their change signals are not the user's
};

}  // namespace kal::catalogues
