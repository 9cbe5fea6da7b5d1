#include "schedule/TDlgSchInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "catalogues/ItemTable.h"
#include "catalogues/QtCategoryCell.h"
#include "catalogues/QtCategoryIcons.h"
#include "catalogues/TDlgCatSet.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "store/TextFile.h"
#include "schedule/TDlgSchInputParts.h"

namespace kal::schedule {

using namespace input_parts;

TDlgSchInput::TDlgSchInput(SchInputPorts ports, const app::Session& session, const OpenRequest& request,
                           QWidget* parent)
    : QDialog(parent), ports_(ports), session_(session), icons_(std::make_unique<catalogues::CategoryIcons>()) {
  setObjectName(QStringLiteral("TDlgSchInput"));
  const store::Settings& settings = session_.settings;
  const platform::LocalDateTime now = ports_.clock.Now();

  categories_ = catalogues::LoadCategoryTable(ports_.files, session_.folders.category);
  icons_->Load(ports_.files, ports_.dialogs, session_.folders.category, categories_.lines());
  alarm_offsets_ = catalogues::LoadAlarmOffsets(ports_.files, session_.folders.table);

  FormDefaults defaults;
  defaults.today = now.date;
  defaults.categories = &categories_;
  defaults.alarm_offsets = alarm_offsets_;
  defaults.alarm_time1 = settings.alarm.time1;
  defaults.alarm_time2 = settings.alarm.time2;
  defaults.alarm_check_on = settings.alarm.check_on;
  defaults.extend_bar = settings.view.extend_bar;
  std::vector<std::string> memo;
  if (request.source && (request.mode == EntryMode::Change || request.mode == EntryMode::Copy))
    memo = LoadSourceMemo(ports_.files, session_.folders.data, *request.source);
  form_ = OpenForm(request, defaults, memo);

  BuildControls();

  // The lists: times, titles and places with the history of the source month and the month before.
  const Date month = form_.source ? store::MakeDate(form_.source->year, form_.source->month, 1) : form_.from;
  const EntryLists lists =
      LoadEntryLists(ports_.files, session_.folders.table, session_.folders.data, month, settings.view.no_history);
  Fill(CmbStrhhmm, lists.starts);
  Fill(CmbEndhhmm, lists.ends);
  Fill(CmbTitle, lists.titles);
  Fill(CmbPlace, lists.places);
  Fill(CmbAlarm1, catalogues::AlarmChoiceTexts(alarm_offsets_));
  Fill(CmbAlarm2, catalogues::AlarmChoiceTexts(alarm_offsets_));
  FillCategories();
  FillSampleList();

  setWindowTitle(Q(FormCaption(form_.mode)));
  ChkRepeat->setVisible(form_.repeat_allowed);
  Show();
  ShowRepeat();
  Connect();
  if (form_.mode == EntryMode::New) CmbStrhhmm->setFocus();
  else CmbTitle->setFocus();
  // Placed 24 pixels below and 16 pixels right of the main window's top left corner.
  if (parent) move(parent->window()->frameGeometry().topLeft() + QPoint(16, 24));
}

TDlgSchInput::~TDlgSchInput() = default;

void TDlgSchInput::Show() {
  showing_ = true;
  const QSignalBlocker blocks[] = {QSignalBlocker(DtpSchFromDate), QSignalBlocker(DtpSchToDate),
                                   QSignalBlocker(SpnDay1),        QSignalBlocker(ChkExtendDay),
                                   QSignalBlocker(CmbBunrui),      QSignalBlocker(ChkAlarm),
                                   QSignalBlocker(CmbAlarm1),      QSignalBlocker(CmbAlarm2),
                                   QSignalBlocker(CmbSample),      QSignalBlocker(MemSch)};
  DtpSchFromDate->setDate(ToQDate(form_.from));
  DtpSchToDate->setDate(ToQDate(form_.to));
  SpnDay1->setValue(form_.span);
  ChkExtendDay->setChecked(form_.multi_day);
  DtpSchToDate->setEnabled(form_.multi_day);
  SpnDay1->setEnabled(form_.multi_day);
  LblDay->setEnabled(form_.multi_day);
  BtnFontCol->setEnabled(form_.multi_day);
  BtnBackCol->setEnabled(form_.multi_day || form_.background == Background::Custom);
  PnlSample->setVisible(!form_.multi_day);
  SetText(CmbStrhhmm, form_.start);
  SetText(CmbEndhhmm, form_.end);
  SetText(CmbTitle, form_.title);
  SetText(CmbPlace, form_.place);
  int category = CmbBunrui->findText(Q(form_.category), Qt::MatchFixedString);
  CmbBunrui->setCurrentIndex(form_.category.empty() ? -1 : category);
  ChkBold->setChecked(form_.bold);
  ChkItalic->setChecked(form_.italic);
  ChkUnderline->setChecked(form_.underline);
  ChkStrikeout->setChecked(form_.strikeout);
  ChkAlarm->setChecked(form_.alarm_on);
  ChkAlarm->setEnabled(form_.alarm_enabled);
  CmbAlarm1->setCurrentIndex(form_.alarm1);
  CmbAlarm2->setCurrentIndex(form_.alarm2);
  CmbAlarm1->setEnabled(form_.alarm_on);
  CmbAlarm2->setEnabled(form_.alarm_on);
  std::string memo;
  for (std::size_t i = 0; i < form_.memo.size(); ++i) memo += (i ? "\n" : "") + form_.memo[i];
  if (S(MemSch->toPlainText()) != memo) MemSch->setPlainText(Q(memo));
  if (EdtFileLink->text() != Q(form_.link)) EdtFileLink->setText(Q(form_.link));
  BtnFileOpen->setEnabled(!form_.link.empty());
  if (form_.multi_day) CmbSample->setCurrentIndex(form_.bar_style);
  else CmbSample->setCurrentIndex(static_cast<int>(form_.background));
  CmbSample->update();
  ShowSamplePanel();
  showing_ = false;
}

void TDlgSchInput::ShowSamplePanel() {
  std::optional<int> colour;
  switch (form_.background) {
    case Background::Holiday:
      colour = session_.settings.color.syu.back;
      break;
    case Background::Weekday:
      colour = session_.settings.color.day.back;
      break;
    case Background::Custom:
      colour = form_.custom_colour;
      break;
    default:
      break;
  }
  QPalette palette = PnlSample->palette();
  palette.setColor(QPalette::Window, colour ? catalogues::BgrColour(*colour) : this->palette().color(QPalette::Window));
  PnlSample->setPalette(palette);
}

void TDlgSchInput::ShowRepeat() {
  showing_ = true;
  const RepeatForm& repeat = form_.repeat;
  const calendar::RepeatRule& rule = repeat.rule;
  const QSignalBlocker blocks[] = {QSignalBlocker(ChkRepeat), QSignalBlocker(DtpFromSch), QSignalBlocker(DtpToSch),
                                   QSignalBlocker(CmbMaiKak), QSignalBlocker(CmbPattern), QSignalBlocker(SpnDay2),
                                   QSignalBlocker(CmbWeek),   QSignalBlocker(CmbCycle),   QSignalBlocker(CmbMonth),
                                   QSignalBlocker(CmbDay),    QSignalBlocker(CmbFurikae), QSignalBlocker(ChkHol1),
                                   QSignalBlocker(ChkHol2),   QSignalBlocker(ChkSat),     QSignalBlocker(ChkSun)};
  ChkRepeat->setChecked(repeat.on);
  GrpRepeat->setVisible(form_.repeat_allowed && repeat.on);
  DtpSchFromDate->setEnabled(!(form_.repeat_allowed && repeat.on));
  DtpFromSch->setDate(ToQDate(rule.from));
  DtpToSch->setDate(ToQDate(rule.to));
  CmbMaiKak->setCurrentIndex(rule.every_other ? 1 : 0);
  CmbPattern->setCurrentIndex(static_cast<int>(rule.pattern));
  SpnDay2->setValue(repeat.days);
  CmbWeek->setCurrentIndex(rule.weekday);
  CmbCycle->setCurrentIndex(static_cast<int>(rule.cycle));
  CmbMonth->setCurrentIndex(rule.month - 1);
  Fill(CmbDay, RepeatDayChoices(rule.cycle));
  CmbDay->setCurrentIndex(RepeatDayIndex(rule));
  CmbFurikae->setCurrentIndex(static_cast<int>(rule.shift));
  ChkHol1->setChecked(rule.on_public_holiday);
  ChkHol2->setChecked(rule.on_private_holiday);
  ChkSat->setChecked(rule.on_saturday);
  ChkSun->setChecked(rule.on_sunday);

  using calendar::RepeatPattern;
  const bool day = rule.pattern == RepeatPattern::Day;
  const bool by_weekday = rule.cycle == calendar::RepeatCycle::ByWeekday;
  const bool monthly = rule.pattern == RepeatPattern::Month || rule.pattern == RepeatPattern::Year;
  SpnDay2->setVisible(day);
  LblDays->setVisible(day);
  CmbMonth->setVisible(rule.pattern == RepeatPattern::Year);
  CmbCycle->setVisible(monthly);
  CmbDay->setVisible(monthly);
  CmbWeek->setVisible(rule.pattern == RepeatPattern::Week || (monthly && by_weekday));
  const bool shift = rule.shift != calendar::RepeatShift::None;
  for (QCheckBox* box : {ChkHol1, ChkHol2, ChkSat, ChkSun}) box->setEnabled(shift);
  showing_ = false;
  RepeatSchUd();
}

void TDlgSchInput::RepeatSchUd() {
  if (!form_.repeat.on) {
    LblEdit->clear();
    return;
  }
  LblEdit->setText(Q(RepeatCountLabel(form_, oracle_)));
}

void TDlgSchInput::Connect() {
  const auto today = [this] { return ports_.clock.Now().date; };
  connect(DtpSchFromDate, &QDateEdit::dateChanged, this, [this, today](const QDate& d) {
    SetFromDate(form_, FromQDate(d), today());
    Show();
  });
  connect(DtpSchToDate, &QDateEdit::dateChanged, this, [this, today](const QDate& d) {
    SetToDate(form_, FromQDate(d), today());
    Show();
  });
  connect(SpnDay1, &QSpinBox::valueChanged, this, [this](int span) {
    SetSpan(form_, span);
    Show();
  });
  connect(ChkExtendDay, &QCheckBox::toggled, this, [this](bool on) {
    SetMultiDay(form_, on, session_.settings.view.extend_bar);
    FillSampleList();
    Show();
  });
  connect(CmbStrhhmm, &QComboBox::currentTextChanged, this, [this](const QString& t) { form_.start = S(t); });
  connect(CmbEndhhmm, &QComboBox::currentTextChanged, this, [this](const QString& t) { form_.end = S(t); });
  connect(CmbTitle, &QComboBox::currentTextChanged, this, [this] { TitleEdited(CmbTitle); });
  connect(CmbPlace, &QComboBox::currentTextChanged, this, [this] { TitleEdited(CmbPlace); });
  connect(CmbBunrui, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    const QVariant line = CmbBunrui->itemData(index, catalogues::kCategoryLineRole);
    if (line.isValid()) {
      SetCategory(form_, catalogues::ReadCategoryLine(catalogues::CategoryLineFromData(line)));
    } else {
      form_.category = S(CmbBunrui->itemText(index));
    }
    Show();
  });
  connect(BtnCat, &QPushButton::clicked, this, [this] { BtnCatClick(); });
  connect(ChkBold, &QCheckBox::toggled, this, [this](bool on) { form_.bold = on; });
  connect(ChkItalic, &QCheckBox::toggled, this, [this](bool on) { form_.italic = on; });
  connect(ChkUnderline, &QCheckBox::toggled, this, [this](bool on) { form_.underline = on; });
  connect(ChkStrikeout, &QCheckBox::toggled, this, [this](bool on) { form_.strikeout = on; });
  connect(ChkAlarm, &QCheckBox::toggled, this, [this](bool on) {
    form_.alarm_on = on;
    Show();
  });
  connect(CmbAlarm1, &QComboBox::currentIndexChanged, this, [this](int i) { form_.alarm1 = std::max(i, 0); });
  connect(CmbAlarm2, &QComboBox::currentIndexChanged, this, [this](int i) { form_.alarm2 = std::max(i, 0); });
  connect(MemSch, &QPlainTextEdit::textChanged, this, [this] {
    if (showing_) return;
    form_.memo.clear();
    const QStringList lines = MemSch->toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : lines) form_.memo.push_back(S(line));
    if (form_.memo.size() == 1 && form_.memo[0].empty()) form_.memo.clear();
    form_.memo_changed = true;
  });
  connect(CmbSample, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    if (form_.multi_day) form_.bar_style = index;
    else form_.background = static_cast<Background>(index);
    Show();
  });
  connect(BtnFontCol, &QPushButton::clicked, this, [this] { BtnFontColClick(); });
  connect(BtnBackCol, &QPushButton::clicked, this, [this] { BtnBackColClick(); });
  connect(EdtFileLink, &QLineEdit::textChanged, this, [this](const QString& t) {
    form_.link = S(t);
    BtnFileOpen->setEnabled(!t.trimmed().isEmpty());
  });
  connect(BtnFileLink, &QPushButton::clicked, this, [this] { BtnFileLinkClick(); });
  connect(BtnFileOpen, &QPushButton::clicked, this, [this] { BtnFileOpenClick(); });

  // Repetition: every change recounts.
  connect(ChkRepeat, &QCheckBox::toggled, this, [this](bool on) { ChkRepeatClick(on); });
  connect(DtpFromSch, &QDateEdit::dateChanged, this, [this](const QDate& d) {
    form_.repeat.rule.from = FromQDate(d);
    ShowRepeat();
  });
  connect(DtpToSch, &QDateEdit::dateChanged, this, [this](const QDate& d) {
    form_.repeat.rule.to = FromQDate(d);
    ShowRepeat();
  });
  connect(CmbMaiKak, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.repeat.rule.every_other = i == 1;
    ShowRepeat();
  });
  connect(CmbPattern, &QComboBox::currentIndexChanged, this, [this](int i) {
    SetRepeatPattern(form_, static_cast<calendar::RepeatPattern>(i));
    ShowRepeat();
  });
  connect(SpnDay2, &QSpinBox::valueChanged, this, [this](int days) {
    SetRepeatDays(form_, days);
    ShowRepeat();
  });
  connect(CmbWeek, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.repeat.rule.weekday = i;
    ShowRepeat();
  });
  connect(CmbCycle, &QComboBox::currentIndexChanged, this, [this](int i) {
    SetRepeatCycle(form_, static_cast<calendar::RepeatCycle>(i));
    ShowRepeat();
  });
  connect(CmbMonth, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.repeat.rule.month = i + 1;
    ShowRepeat();
  });
  connect(CmbDay, &QComboBox::currentIndexChanged, this, [this](int i) {
    SetRepeatDayIndex(form_.repeat.rule, i);
    ShowRepeat();
  });
  connect(CmbFurikae, &QComboBox::currentIndexChanged, this, [this](int i) {
    form_.repeat.rule.shift = static_cast<calendar::RepeatShift>(i);
    ShowRepeat();
  });
  const std::pair<QCheckBox*, bool calendar::RepeatRule::*> conditions[] = {
      {ChkHol1, &calendar::RepeatRule::on_public_holiday},
      {ChkHol2, &calendar::RepeatRule::on_private_holiday},
      {ChkSat, &calendar::RepeatRule::on_saturday},
      {ChkSun, &calendar::RepeatRule::on_sunday}};
  for (const auto& condition : conditions) {
    // A named copy: clang 14 cannot capture a structured binding.
    bool calendar::RepeatRule::*member = condition.second;
    connect(condition.first, &QCheckBox::toggled, this, [this, member](bool on) {
      form_.repeat.rule.*member = on;
      ShowRepeat();
    });
  }

  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgSchInput::TitleEdited(QComboBox* box) {
  const std::string typed = S(box->currentText());
  const CutText cut = CutEntryText(typed);
  if (cut.beep) {
    QSignalBlocker block(box);
    const int pos = box->lineEdit()->cursorPosition();
    box->setEditText(Q(cut.text));
    box->lineEdit()->setCursorPosition(std::min(pos, static_cast<int>(box->currentText().size())));
    QApplication::beep();
  }
  (box == CmbTitle ? form_.title : form_.place) = cut.text;
}

void TDlgSchInput::ChkRepeatClick(bool on) {
  SetRepeatOn(form_, on);
  if (on && !holidays_) {
    const calendar::HolidaySettings settings{session_.settings.view.auto_syn_syu, session_.settings.view.auto_holiday};
    holidays_ = std::make_unique<calendar::HolidayList>(calendar::HolidayList::FromFileLines(
        store::LoadLines(ports_.files, session_.folders.holiday_file), settings));
    oracle_ = calendar::HolidayOracleOf(*holidays_);
  }
  ShowRepeat();
}

void TDlgSchInput::BtnCatClick() {
  catalogues::TDlgCatSet dialog(ports_.files, ports_.dialogs, session_.folders.category, this);
  if (dialog.exec() != QDialog::Accepted) return;
  categories_ = catalogues::LoadCategoryTable(ports_.files, session_.folders.category);
  icons_->Load(ports_.files, ports_.dialogs, session_.folders.category, categories_.lines());
  FillCategories();
  Show();
}

void TDlgSchInput::BtnFontColClick() {
  if (auto colour = ports_.dialogs.Colour(form_.text_colour)) {
    form_.text_colour = *colour;
    Show();
  }
}

void TDlgSchInput::BtnBackColClick() {
  int& target = form_.multi_day ? form_.bar_colour : form_.custom_colour;
  if (auto colour = ports_.dialogs.Colour(target)) {
    target = *colour;
    Show();
  }
}

void TDlgSchInput::BtnFileLinkClick() {
  const std::string& program = session_.program_folder;
  auto chosen = ports_.dialogs.OpenFileName("", platform::FileFilter{"すべてのファイル|*.*"},
                                            LinkFullPath(form_.link, program));
  if (!chosen) return;
  form_.link = LinkForChosenFile(*chosen, program, session_.settings.kalendor.relative_path != 0);
  Show();
}

void TDlgSchInput::BtnFileOpenClick() {
  const std::string path = LinkFullPath(form_.link, session_.program_folder);
  if (!path.empty() && ports_.files.Exists(path)) ports_.shell.Open(path);
}

QWidget* TDlgSchInput::FieldWidget(FormField field) const {
  switch (field) {
    case FormField::FromDate: return DtpSchFromDate;
    case FormField::ToDate: return DtpSchToDate;
    case FormField::StartTime: return CmbStrhhmm;
    case FormField::EndTime: return CmbEndhhmm;
    case FormField::Title: return CmbTitle;
    case FormField::Place: return CmbPlace;
    case FormField::Category: return CmbBunrui;
    case FormField::Span: return form_.repeat.on ? static_cast<QWidget*>(DtpToSch) : SpnDay1;
    case FormField::Alarm1: return CmbAlarm1;
    case FormField::Alarm2: return CmbAlarm2;
    case FormField::Memo: return MemSch;
    case FormField::Link: return EdtFileLink;
    case FormField::RepeatFrom: return DtpFromSch;
    case FormField::RepeatTo: return DtpToSch;
    case FormField::RepeatPattern: return CmbPattern;
    case FormField::RepeatShift: return CmbFurikae;
  }
  return CmbTitle;
}

void TDlgSchInput::BtnOkClick() {
  const UpdateResult result =
      SchUpdate(form_, ports_.files, ports_.dialogs, session_.folders.data, ports_.clock.Now(), oracle_);
  if (result.focus) {
    Show();
    FieldWidget(*result.focus)->setFocus();
    return;
  }
  stored_ = result.schedules;
  if (result.stored) {
    accept();
  } else if (result.refusal == store::StoreStatus::Stale || !stored_.empty()) {
    // The files changed under the dialog, or part of a series is stored: the calendar must be
    // read again, and the dialog has nothing more to store.
    refused_ = true;
    reject();
  }
}

}  // namespace kal::schedule
