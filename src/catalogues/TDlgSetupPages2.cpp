// The settings dialog's pages ノート, ミニカレンダー, ツールバー, アラーム and 時報.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "catalogues/ItemTable.h"
#include "catalogues/TDlgSetup.h"
#include "catalogues/TDlgSetupParts.h"
#include "platform/QtControls.h"
#include "reminders/NotificationSettings.h"
#include "reminders/TDlgAlarm.h"
#include "store/CommaText.h"
#include "store/TextFile.h"

namespace kal::catalogues {

using platform::Q;

namespace {

const std::vector<std::string> kWindowPositions = {"画面左上", "画面左下", "画面右上", "画面右下", "画面中央"};

// The checked button of a radio group made by Radio().
int CheckedIndex(QGroupBox* group) {
  const auto* buttons = group->findChild<QButtonGroup*>();
  return buttons != nullptr ? buttons->checkedId() : -1;
}

void OnRadioChange(QGroupBox* group, QObject* receiver, const std::function<void()>& handler) {
  if (auto* buttons = group->findChild<QButtonGroup*>())
    QObject::connect(buttons, &QButtonGroup::idToggled, receiver, [handler](int, bool on) {
      if (on) handler();
    });
}

}  // namespace

QWidget* TDlgSetup::BuildNote() {
  store::NoteSettings& n = state_.settings.note;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->addWidget(Check(page, "ChkNotePas", "最後のノートにパスワードを設定する(&P)", n.password));
  v->addLayout(EditorRow(page, "ChkNoteExe", "EdtNoteExe", "BtnNoteExe", n.exe, n.exe_name));
  v->addWidget(Check(page, "ChkNoteChr8", "ノートでタブ文字を入力できるようにする(&T)", n.tab));
  v->addWidget(Check(page, "ChkNoteHBar", "ノートに横スクロールバーを表示する(&H)", n.h_bar));
  v->addStretch(1);
  return page;
}

QWidget* TDlgSetup::BuildMini() {
  store::MiniSettings& m = state_.settings.mini;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->addWidget(Radio(page, "RdoMiniPos", "起動時の表示位置(&P)",
                     {"画面左上", "画面右上", "画面中央", "画面左下", "画面右下", "前回終了時の位置"}, m.pos_mode, 0, 3));
  v->addWidget(Check(page, "ChkSchLine", "スケジュールのある日に下線を表示する(&L)", m.sch_line));
  v->addWidget(Check(page, "ChkTitleBar", "タイトルバーのダブルクリックでミニカレンダーにする(&D)", m.title_bar));
  v->addWidget(Check(page, "ChkMiniWeekOfYear", "週数を表示する(&W)", m.week_of_year));
  v->addWidget(Check(page, "ChkMiniFontSizeAuto", "日付の文字の大きさを画面に合わせる(&F)", m.font_size_auto));
  auto* trans = new QHBoxLayout;
  QCheckBox* on = CheckInt(page, "ChkMiniTrans", "半透明で表示する(&T)", m.trans);
  auto* track = new QSlider(Qt::Horizontal, page);
  track->setObjectName(QStringLiteral("TrkMiniTrans"));
  track->setRange(0, kMiniTransSteps);
  lbl_mini_trans_ = SamplePanel(page, "LblMiniTrans");
  lbl_mini_trans_->setMinimumWidth(50);
  connect(track, &QSlider::valueChanged, this,
          [this](int position) { lbl_mini_trans_->setText(QString::number(position * 5) + QStringLiteral("%")); });
  Bind(
      [track, &m] {
        track->setValue(MiniTransPosition(m.trans_value));
        emit track->valueChanged(track->value());
      },
      [track, &m] { m.trans_value = MiniTransValue(track->value()); });
  trans->addWidget(on);
  trans->addWidget(track, 1);
  trans->addWidget(lbl_mini_trans_);
  v->addLayout(trans);
  Enables(on, {track, lbl_mini_trans_});
  v->addStretch(1);
  return page;
}

QWidget* TDlgSetup::BuildToolBar() {
  store::ViewSettings& view = state_.settings.view;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->addWidget(Caption(page, "表示するボタン(&B):"));
  lst_tool_bar_ = new QListWidget(page);
  lst_tool_bar_->setObjectName(QStringLiteral("LstToolBar"));
  for (const std::string& caption : context_.tool_buttons) {
    auto* item = new QListWidgetItem(caption.empty() ? QString::fromUtf8("――――（区切り）") : Q(caption), lst_tool_bar_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  }
  Bind(
      [this, &view] {
        for (int i = 0; i < lst_tool_bar_->count(); ++i) {
          const auto at = static_cast<std::size_t>(i);
          const bool shown = at >= view.tool_bar_icon.size() || view.tool_bar_icon[at] == '1';
          lst_tool_bar_->item(i)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        }
      },
      [this, &view] {
        for (int i = 0; i < lst_tool_bar_->count(); ++i) {
          const auto at = static_cast<std::size_t>(i);
          if (at >= view.tool_bar_icon.size()) view.tool_bar_icon.resize(at + 1, '1');
          view.tool_bar_icon[at] = lst_tool_bar_->item(i)->checkState() == Qt::Checked ? '1' : '0';
        }
      });
  v->addWidget(lst_tool_bar_, 1);
  v->addWidget(Check(page, "ChkButtonCap", "ボタンに文字を表示する(&C)", view.button_cap));
  v->addWidget(Check(page, "ChkCapList", "文字をアイコンの右に表示する(&R)", view.cap_list));
  return page;
}

QWidget* TDlgSetup::BuildAlarm() {
  store::AlarmSettings& a = state_.settings.alarm;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* radios = new QHBoxLayout;
  rdo_alarm_type_ = Radio(page, "RdoAlarmType", "表示方法(&K)", {"通常", "ロール", "透過", "タスクトレイにバルーン表示"}, a.type);
  QGroupBox* pos = Radio(page, "RdoAlarmPos", "表示位置(&P)", kWindowPositions, a.pos);
  radios->addWidget(rdo_alarm_type_);
  radios->addWidget(pos);
  v->addLayout(radios);
  OnRadioChange(rdo_alarm_type_, this, [this] { AlarmEnableSet(); });
  auto* just = new QCheckBox(QString::fromUtf8("開始時刻にも通知する(&J)"), page);
  just->setObjectName(QStringLiteral("ChkAlarmJust"));
  Bind([just, &a] { just->setChecked(a.mode == 2); }, [just, &a] { a.mode = just->isChecked() ? 2 : 1; });
  v->addWidget(just);
  auto* clear_row = new QHBoxLayout;
  QCheckBox* clear = Check(page, "ChkAlarmClear", "自動的に閉じる(&L)", a.clear);
  QSpinBox* seconds = Spin(page, "SpnAlarmShowTime", 1, 999, a.show_time);
  clear_row->addWidget(clear);
  clear_row->addWidget(seconds);
  clear_row->addWidget(Caption(page, "秒後"));
  clear_row->addStretch(1);
  v->addLayout(clear_row);
  alarm_window_controls_ = {pos, clear, seconds};
  connect(clear, &QCheckBox::toggled, this, [this] { AlarmEnableSet(); });
  v->addWidget(Check(page, "ChkAlarmTop", "常に手前に表示する(&O)", a.stay_on_top));
  auto* wav = new QHBoxLayout;
  wav->addWidget(Caption(page, "音声ファイル(&W):"));
  wav->addLayout(SoundRow(page, "EdtAlarmWav", "BtnOpenAlarm", "BtnAlarmTest", a.wav), 1);
  v->addLayout(wav);
  v->addWidget(Check(page, "ChkFileOpen", "開始時刻にリンクしたファイルを開く(&F)", a.file_open));

  auto* defaults = new QGroupBox(QString::fromUtf8("スケジュール新規登録時のアラーム"), page);
  auto* g = new QGridLayout(defaults);
  const char* names[2] = {"CmbAlarm1", "CmbAlarm2"};
  int* members[2] = {&a.time1, &a.time2};
  for (int i = 0; i < 2; ++i) {
    g->addWidget(Caption(defaults, i == 0 ? "アラーム1:" : "アラーム2:"), 0, i * 2);
    cmb_alarm_[i] = platform::NamedCombo(defaults, names[i]);
    g->addWidget(cmb_alarm_[i], 0, i * 2 + 1);
    int& member = *members[i];
    QComboBox* box = cmb_alarm_[i];
    Bind([box, &member] { box->setCurrentIndex(std::clamp(member, 0, box->count() - 1)); },
         [box, &member] { member = std::max(box->currentIndex(), 0); });
  }
  g->addWidget(Check(defaults, "ChkAlarmOn", "スケジュール新規登録画面のアラームをチェック済にする(&C)", a.check_on), 1,
               0, 1, 4);
  v->addWidget(defaults);
  AlarmListsFill();

  auto* buttons = new QHBoxLayout;
  QPushButton* set = platform::NamedButton(page, "BtnAlarmSet", "アラーム一覧の編集(&A)");
  btn_alarm_clear_ = platform::NamedButton(page, "BtnAlarmClear", "アラーム初期化(&R)");
  QPushButton* show = platform::NamedButton(page, "BtnAlarmShow", "テスト(&T)");
  connect(set, &QPushButton::clicked, this, [this] { OpenTable(static_cast<int>(ItemTableType::Alarm)); });
  connect(btn_alarm_clear_, &QPushButton::clicked, this, [this] {
    if (!ports_.dialogs.Confirm("アラーム一覧を初期化しますか？", "確認")) return;
    ports_.files.Remove(ItemTablePath(TableFolder(), ItemTableType::Alarm));
    AlarmListsFill();
  });
  connect(show, &QPushButton::clicked, this, &TDlgSetup::AlarmTest);
  buttons->addWidget(set);
  buttons->addWidget(btn_alarm_clear_);
  buttons->addStretch(1);
  buttons->addWidget(show);
  v->addLayout(buttons);
  v->addStretch(1);
  return page;
}

// The default-alarm lists from Alarm.tbl of the table folder entered on the folder page.
void TDlgSetup::AlarmListsFill() {
  std::vector<int> offsets;
  bool has_file = false;
  try {
    has_file = ports_.files.Exists(ItemTablePath(TableFolder(), ItemTableType::Alarm));
    offsets = LoadAlarmOffsets(ports_.files, TableFolder());
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    offsets = DefaultAlarmOffsets();
  }
  const std::vector<std::string> texts = AlarmChoiceTexts(offsets);
  for (QComboBox* box : cmb_alarm_) {
    const int kept = box->currentIndex();
    platform::FillCombo(box, texts);
    box->setCurrentIndex(std::clamp(kept, 0, box->count() - 1));
  }
  if (btn_alarm_clear_ != nullptr) btn_alarm_clear_->setEnabled(has_file);
}

// The balloon needs no window place and no stay time.
void TDlgSetup::AlarmEnableSet() {
  if (rdo_alarm_type_ == nullptr) return;
  const bool window = CheckedIndex(rdo_alarm_type_) != reminders::kAlarmTypeBalloon;
  for (QWidget* w : alarm_window_controls_) w->setEnabled(window);
  if (window) {
    auto* clear = findChild<QCheckBox*>(QStringLiteral("ChkAlarmClear"));
    findChild<QSpinBox*>(QStringLiteral("SpnAlarmShowTime"))->setEnabled(clear->isChecked());
  }
}

void TDlgSetup::AlarmTest() {
  Store();
  const store::Settings& s = state_.settings;
  const platform::LocalDateTime now = ports_.clock.Now();
  char time[8];
  std::snprintf(time, sizeof time, "%02d:%02d", now.hour, now.minute);
  if (s.alarm.type == reminders::kAlarmTypeBalloon) {
    if (context_.show_balloon) context_.show_balloon("開始時刻の通知", std::string(time) + " アラームのテストです。");
    return;
  }
  reminders::AlarmNotice notice;
  notice.due_date = notice.date = now.date;
  notice.due_minute = now.hour * 60 + now.minute;
  notice.start = notice.end = time;
  notice.title = "アラームのテスト";
  notice.place = kWindowPositions.at(static_cast<std::size_t>(std::clamp(s.alarm.pos, 0, 4)));
  const std::vector<int> offsets = [&] {
    try {
      return LoadAlarmOffsets(ports_.files, TableFolder());
    } catch (const store::FileError&) {
      return DefaultAlarmOffsets();
    }
  }();
  notice.lead = AlarmLead(offsets, s.alarm.time1).value_or(0);
  notice.at_start = notice.lead == 0;
  notice.message = notice.at_start ? "です。" : " " + AlarmOffsetText(notice.lead) + "前です。";
  if (ports_.sound == nullptr) return;
  auto* window = reminders::TDlgAlarm::ForAlarm(notice, reminders::AlarmWindowSettings(s), *ports_.sound, ports_.clock);
  window->Start(screen());
}

QWidget* TDlgSetup::BuildSignal() {
  store::SignalSettings& sg = state_.settings.signal;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* radios = new QHBoxLayout;
  rdo_signal_mode_ = Radio(page, "RdoSignalMode", "時報(&M)", {"設定しない", "HH時00分", "00分・30分", "時刻を設定"}, sg.mode);
  QGroupBox* type = Radio(page, "RdoSignalType", "表示方法(&K)", {"通常", "ロール", "透過"}, sg.type);
  QGroupBox* pos = Radio(page, "RdoSignalPos", "表示位置(&P)", kWindowPositions, sg.pos);
  radios->addWidget(rdo_signal_mode_);
  radios->addWidget(type);
  radios->addWidget(pos);
  v->addLayout(radios);
  OnRadioChange(rdo_signal_mode_, this, [this] { SignalEnableSet(); });
  auto* clear_row = new QHBoxLayout;
  QCheckBox* clear = Check(page, "ChkSignalClear", "自動的に閉じる(&L)", sg.clear);
  QSpinBox* seconds = Spin(page, "SpnSignalShowTime", 1, 60, sg.show_time);
  clear_row->addWidget(clear);
  clear_row->addWidget(seconds);
  clear_row->addWidget(Caption(page, "秒後"));
  clear_row->addStretch(1);
  v->addLayout(clear_row);
  connect(clear, &QCheckBox::toggled, this, [this] { SignalEnableSet(); });
  QCheckBox* top = Check(page, "ChkSignalTop", "常に手前に表示する(&O)", sg.stay_on_top);
  QCheckBox* font_only = Check(page, "ChkSignalFont", "文字だけを表示する(&F)", sg.font);
  v->addWidget(top);
  v->addWidget(font_only);
  auto* form = new QGridLayout;
  form->addWidget(Caption(page, "表示形式(&D):"), 0, 0);
  auto* sample = SamplePanel(page, "PnlSignalSample");
  QComboBox* pattern = Pattern(page, "CmbSignalForm", {"h:nn:ss", "h:nn", "h時nn分", "hh:nn"}, sg.form, sample, true);
  form->addWidget(pattern, 0, 1);
  form->addWidget(sample, 0, 2);
  QPushButton* font = platform::NamedButton(page, "BtnSignalFont", "フォント(&N)");
  QPushButton* back = platform::NamedButton(page, "BtnSignalBack", "背景色(&B)");
  // FontName: name, size, style, text colour, background colour.
  auto font_items = [this, &sg] {
    std::vector<std::string> items = store::FromCommaText(sg.font_name);
    if (items.size() != 5) items = {context_.defaults.main_font_name, "24", "1", "0", "16777215"};
    return items;
  };
  connect(font, &QPushButton::clicked, this, [this, &sg, font_items] {
    std::vector<std::string> items = font_items();
    std::vector<std::string> font3(items.begin(), items.begin() + 4);
    ChooseFont(font3, true, nullptr);
    items[0] = font3[0];
    items[1] = font3[1];
    items[2] = font3[2];
    sg.font_name = store::ToCommaText(items);
  });
  connect(back, &QPushButton::clicked, this, [this, &sg, font_items] {
    std::vector<std::string> items = font_items();
    int colour = std::atoi(items[4].c_str());
    ChooseColour(colour, [&] {
      items[4] = std::to_string(colour);
      sg.font_name = store::ToCommaText(items);
    });
  });
  auto* font_row = new QHBoxLayout;
  font_row->addWidget(font);
  font_row->addWidget(back);
  font_row->addStretch(1);
  form->addLayout(font_row, 1, 1, 1, 2);
  form->addWidget(Caption(page, "音声ファイル(&W):"), 2, 0);
  std::vector<QWidget*> sound;
  form->addLayout(SoundRow(page, "EdtSignalWav", "BtnOpenSignal", "BtnSignalTest", sg.wav, &sound), 2, 1, 1, 2);
  form->setColumnStretch(1, 1);
  v->addLayout(form);
  auto* buttons = new QHBoxLayout;
  btn_signal_set_ = platform::NamedButton(page, "BtnSignalSet", "時刻の設定(&H)");
  QPushButton* show = platform::NamedButton(page, "BtnSignalShow", "テスト(&T)");
  connect(btn_signal_set_, &QPushButton::clicked, this, [this] { OpenTable(static_cast<int>(ItemTableType::SigTime)); });
  connect(show, &QPushButton::clicked, this, &TDlgSetup::SignalTest);
  buttons->addWidget(btn_signal_set_);
  buttons->addStretch(1);
  buttons->addWidget(show);
  v->addLayout(buttons);
  signal_controls_ = {type, pos, clear, seconds, top, font_only, pattern, font, back, show};
  signal_controls_.insert(signal_controls_.end(), sound.begin(), sound.end());
  v->addStretch(1);
  return page;
}

// With "設定しない" the other signal controls are disabled; "時刻の設定" only for "時刻を設定".
void TDlgSetup::SignalEnableSet() {
  if (rdo_signal_mode_ == nullptr) return;
  const int mode = CheckedIndex(rdo_signal_mode_);
  for (QWidget* w : signal_controls_) w->setEnabled(mode != 0);
  btn_signal_set_->setEnabled(mode == 3);
  if (mode != 0) {
    auto* clear = findChild<QCheckBox*>(QStringLiteral("ChkSignalClear"));
    findChild<QSpinBox*>(QStringLiteral("SpnSignalShowTime"))->setEnabled(clear->isChecked());
  }
}

void TDlgSetup::SignalTest() {
  Store();
  if (ports_.sound == nullptr) return;
  auto* window = reminders::TDlgAlarm::ForSignal("時報のテストです。", reminders::SignalWindowSettings(state_.settings),
                                                  *ports_.sound, ports_.clock);
  window->Start(screen());
}

}  // namespace kal::catalogues
