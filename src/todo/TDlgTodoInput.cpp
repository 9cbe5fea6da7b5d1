#include "todo/TDlgTodoInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "catalogues/TDlgCatSet.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "schedule/ScheduleForm.h"
#include "store/HolidayFile.h"
#include "store/TextFile.h"
#include "todo/LinkOpening.h"

namespace kal::todo {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
QDate ToQ(const Date& d) { return QDate(store::YearOf(d), store::MonthOf(d), store::DayOf(d)); }
Date FromQ(const QDate& d) { return store::MakeDate(d.year(), d.month(), d.day()); }

QDateEdit* DateBox(const char* name) {
  auto* box = new QDateEdit;
  box->setObjectName(U(name));
  box->setCalendarPopup(true);
  box->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  box->setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));
  return box;
}

QComboBox* Choice(const char* name, const std::vector<std::string>& items) {
  auto* box = new QComboBox;
  box->setObjectName(U(name));
  for (const auto& i : items) box->addItem(Q(i));
  return box;
}

QCheckBox* Check(const char* name, const char* caption) {
  auto* box = new QCheckBox(U(caption));
  box->setObjectName(U(name));
  return box;
}

std::vector<std::string> Lines(const QString& text) {
  if (text.isEmpty()) return {};
  std::vector<std::string> lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(S(line));
  return lines;
}

QString Joined(const std::vector<std::string>& lines) {
  QStringList list;
  for (const auto& l : lines) list << Q(l);
  return list.join(QLatin1Char('\n'));
}

}  // namespace

TDlgTodoInput::TDlgTodoInput(TodoInputPorts ports, const app::Session& session, TodoForm form, QWidget* parent)
    : QDialog(parent), ports_(ports), session_(session), form_(std::move(form)) {
  setObjectName(QStringLiteral("TDlgTodoInput"));
  setWindowTitle(Q(TodoFormCaption(form_.kind)));
  categories_ = catalogues::LoadCategoryTable(ports_.files, session_.folders.category);
  const std::vector<std::string> records = LoadTodoRecords(ports_.files, session_.folders.todo);
  const std::vector<std::string> memos = LoadTodoMemos(ports_.files, session_.folders.todo);
  if (form_.kind == TodoEntryKind::New) {
    form_.memo_enabled = memos.size() < kMaxMemoLines;
    if (form_.category.empty() && !categories_.empty()) form_.category = categories_.Entry(0).name;
  } else if (auto index = categories_.FindText(form_.category)) {
    form_.category = categories_.Entry(*index).name;
  } else {
    form_.category.clear();
  }
  Build();
  {
    // The drop-down's items do not choose the subject.
    const QSignalBlocker block(CmbTitle);
    for (const auto& subject : TodoSubjects(records)) CmbTitle->addItem(Q(subject));
    CmbTitle->setCurrentIndex(-1);
  }
  FillCategories();
  // The default period: one year from the start box (the pattern's rule at opening).
  SetRepeatPattern(form_, form_.rule.pattern);
  Show();
}

TDlgTodoInput::~TDlgTodoInput() = default;

void TDlgTodoInput::Build() {
  auto* grid = new QGridLayout;
  int row = 0;
  auto label = [&](const char* text, int r, int c = 0) {
    auto* l = new QLabel(U(text));
    grid->addWidget(l, r, c);
    return l;
  };

  DtpLimitDate = DateBox("DtpLimitDate");
  ChkNoLimit = Check("ChkNoLimit", "期限なし");
  label("期限:", row);
  grid->addWidget(DtpLimitDate, row, 1);
  grid->addWidget(ChkNoLimit, row++, 2);
  DtpStartDate = DateBox("DtpStartDate");
  ChkNoStart = Check("ChkNoStart", "開始日なし");
  label("開始日:", row);
  grid->addWidget(DtpStartDate, row, 1);
  grid->addWidget(ChkNoStart, row++, 2);

  CmbTitle = new QComboBox;
  CmbTitle->setObjectName(QStringLiteral("CmbTitle"));
  CmbTitle->setEditable(true);
  CmbTitle->setInsertPolicy(QComboBox::NoInsert);
  CmbTitle->setMinimumWidth(320);
  label("件名:", row);
  grid->addWidget(CmbTitle, row++, 1, 1, 3);

  CmbBunrui = new QComboBox;
  CmbBunrui->setObjectName(QStringLiteral("CmbBunrui"));
  BtnCat = new QPushButton(U("分類の設定"));
  BtnCat->setObjectName(QStringLiteral("BtnCat"));
  label("分類:", row);
  grid->addWidget(CmbBunrui, row, 1);
  grid->addWidget(BtnCat, row++, 2);

  CmbPri = Choice("CmbPri", {"A", "B", "C", "D"});
  TrkProgress = new QSlider(Qt::Horizontal);
  TrkProgress->setObjectName(QStringLiteral("TrkProgress"));
  TrkProgress->setRange(0, 10);
  TrkProgress->setPageStep(1);
  TrkProgress->setTickPosition(QSlider::TicksBelow);
  LblProgress = new QLabel;
  LblProgress->setObjectName(QStringLiteral("LblProgress"));
  LblProgress->setMinimumWidth(36);
  label("優先度:", row);
  grid->addWidget(CmbPri, row++, 1);
  label("進捗率:", row);
  grid->addWidget(TrkProgress, row, 1);
  grid->addWidget(LblProgress, row++, 2);

  ChkTask = Check("ChkTask", "処理済:");
  DtpOkDate = DateBox("DtpOkDate");
  grid->addWidget(ChkTask, row, 0);
  grid->addWidget(DtpOkDate, row++, 1);

  MemTodo = new QPlainTextEdit;
  MemTodo->setObjectName(QStringLiteral("MemTodo"));
  MemTodo->setTabChangesFocus(true);
  MemTodo->setMinimumHeight(70);
  label("メモ:", row);
  grid->addWidget(MemTodo, row++, 1, 1, 3);

  EdtFileLink = new QLineEdit;
  EdtFileLink->setObjectName(QStringLiteral("EdtFileLink"));
  BtnFileLink = new QPushButton(U("..."));
  BtnFileLink->setObjectName(QStringLiteral("BtnFileLink"));
  BtnFileOpen = new QPushButton(U("開く"));
  BtnFileOpen->setObjectName(QStringLiteral("BtnFileOpen"));
  label("ファイル:", row);
  auto* link = new QHBoxLayout;
  link->addWidget(EdtFileLink, 1);
  link->addWidget(BtnFileLink);
  link->addWidget(BtnFileOpen);
  grid->addLayout(link, row++, 1, 1, 3);

  ChkRepeat = Check("ChkRepeat", "繰り返し登録(&R)");
  grid->addWidget(ChkRepeat, row++, 0, 1, 2);

  GrpRepeat = new QGroupBox;
  GrpRepeat->setObjectName(QStringLiteral("GrpRepeat"));
  auto* rep = new QGridLayout(GrpRepeat);
  CmbMaiKak = Choice("CmbMaiKak", schedule::RepeatEveryChoices());
  CmbPattern = Choice("CmbPattern", {"週", "月", "年"});
  CmbCycle = Choice("CmbCycle", schedule::RepeatCycleChoices());
  CmbMonth = Choice("CmbMonth", schedule::RepeatMonthChoices());
  CmbDay = new QComboBox;
  CmbDay->setObjectName(QStringLiteral("CmbDay"));
  CmbWeek = Choice("CmbWeek", schedule::RepeatWeekChoices());
  auto* pattern = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{CmbMaiKak, CmbPattern, CmbCycle, CmbMonth, CmbDay, CmbWeek})
    pattern->addWidget(w);
  pattern->addStretch(1);
  rep->addLayout(pattern, 0, 0, 1, 4);
  DtpFromTod = DateBox("DtpFromTod");
  DtpToTod = DateBox("DtpToTod");
  auto* period = new QHBoxLayout;
  period->addWidget(new QLabel(U("登録期間:")));
  period->addWidget(DtpFromTod);
  period->addWidget(new QLabel(U("から")));
  period->addWidget(DtpToTod);
  period->addWidget(new QLabel(U("まで")));
  period->addStretch(1);
  rep->addLayout(period, 1, 0, 1, 4);
  CmbFurikae = Choice("CmbFurikae", schedule::RepeatShiftChoices());
  CHkHol1 = Check("CHkHol1", "祝日");
  ChkHol2 = Check("ChkHol2", "休日");
  ChkSat = Check("ChkSat", "土曜");
  ChkSun = Check("ChkSun", "日曜");
  auto* shift = new QHBoxLayout;
  shift->addWidget(new QLabel(U("振替設定:")));
  for (QWidget* w : std::initializer_list<QWidget*>{CmbFurikae, CHkHol1, ChkHol2, ChkSat, ChkSun}) shift->addWidget(w);
  shift->addStretch(1);
  rep->addLayout(shift, 2, 0, 1, 4);
  LblEdit = new QLabel;
  LblEdit->setObjectName(QStringLiteral("LblEdit"));
  rep->addWidget(LblEdit, 3, 3, Qt::AlignRight);
  grid->addWidget(GrpRepeat, row++, 0, 1, 4);

  BtnOk = new QPushButton(U("OK"));
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setDefault(true);
  BtnCancel = new QPushButton(U("キャンセル"));
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);

  auto* outer = new QVBoxLayout(this);
  outer->addLayout(grid);
  outer->addLayout(buttons);
  outer->setSizeConstraint(QLayout::SetFixedSize);  // grows and shrinks with GrpRepeat

  // Reactions: each changes the form, then the form is shown again.
  auto date = [this](QDateEdit* box, std::function<void(const Date&)> set) {
    connect(box, &QDateEdit::dateChanged, this, [this, set = std::move(set)](const QDate& d) {
      if (showing_) return;
      set(FromQ(d));
      Show();
    });
  };
  auto check = [this](QCheckBox* box, std::function<void(bool)> set) {
    connect(box, &QCheckBox::toggled, this, [this, set = std::move(set)](bool on) {
      if (showing_) return;
      set(on);
      Show();
    });
  };
  auto choice = [this](QComboBox* box, std::function<void(int)> set) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, set = std::move(set)](int i) {
      if (showing_ || i < 0) return;
      set(i);
      Show();
    });
  };
  date(DtpLimitDate, [this](const Date& d) { form_.limit = d; });
  date(DtpStartDate, [this](const Date& d) {
    form_.start = d;
    form_.rule.from = d;
  });
  date(DtpOkDate, [this](const Date& d) { form_.done_date = d; });
  date(DtpFromTod, [this](const Date& d) { form_.rule.from = d; });
  date(DtpToTod, [this](const Date& d) { form_.rule.to = d; });
  check(ChkNoLimit, [this](bool on) { SetNoLimit(form_, on); });
  check(ChkNoStart, [this](bool on) { form_.no_start = on; });
  check(ChkTask, [this](bool on) { form_.done = on; });
  check(ChkRepeat, [this](bool on) {
    if (on) LoadHolidays();
    SetRepeatOn(form_, on);
  });
  check(CHkHol1, [this](bool on) { form_.rule.on_public_holiday = on; });
  check(ChkHol2, [this](bool on) { form_.rule.on_private_holiday = on; });
  check(ChkSat, [this](bool on) { form_.rule.on_saturday = on; });
  check(ChkSun, [this](bool on) { form_.rule.on_sunday = on; });
  choice(CmbPri, [this](int i) { form_.priority = i; });
  choice(CmbMaiKak, [this](int i) { form_.rule.every_other = i == 1; });
  choice(CmbPattern, [this](int i) { SetRepeatPattern(form_, static_cast<calendar::RepeatPattern>(i + 1)); });
  choice(CmbCycle, [this](int i) { SetRepeatCycle(form_, static_cast<calendar::RepeatCycle>(i)); });
  choice(CmbMonth, [this](int i) { form_.rule.month = i + 1; });
  choice(CmbDay, [this](int i) { schedule::SetRepeatDayIndex(form_.rule, i); });
  choice(CmbWeek, [this](int i) { form_.rule.weekday = i; });
  choice(CmbFurikae, [this](int i) { form_.rule.shift = static_cast<calendar::RepeatShift>(i); });
  connect(CmbBunrui, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (showing_) return;
    form_.category = i >= 0 ? S(CmbBunrui->itemText(i)) : std::string();
  });
  connect(TrkProgress, &QSlider::valueChanged, this, [this](int v) {
    if (showing_) return;
    form_.progress = v;
    Show();
  });
  connect(CmbTitle, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    if (showing_) return;
    const CutSubject cut = CutTodoSubject(S(text));
    form_.subject = cut.text;
    if (cut.beep) {
      QApplication::beep();
      const QSignalBlocker block(CmbTitle);
      CmbTitle->setEditText(Q(cut.text));
      CmbTitle->lineEdit()->setCursorPosition(CmbTitle->lineEdit()->text().size());
    }
  });
  connect(MemTodo, &QPlainTextEdit::textChanged, this, [this] {
    if (showing_) return;
    form_.memo = Lines(MemTodo->toPlainText());
    form_.memo_changed = true;
  });
  connect(EdtFileLink, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (showing_) return;
    form_.link = S(t);
    BtnFileOpen->setEnabled(!t.trimmed().isEmpty());
  });
  connect(BtnCat, &QPushButton::clicked, this, [this] { BtnCatClick(); });
  connect(BtnFileLink, &QPushButton::clicked, this, [this] { BtnFileLinkClick(); });
  connect(BtnFileOpen, &QPushButton::clicked, this, [this] { BtnFileOpenClick(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgTodoInput::FillCategories() {
  const QSignalBlocker block(CmbBunrui);
  CmbBunrui->clear();
  for (std::size_t i = 0; i < categories_.size(); ++i) CmbBunrui->addItem(Q(categories_.Entry(i).name));
}

void TDlgTodoInput::Show() {
  showing_ = true;
  const bool repeating = form_.repeat && RepeatShown(form_);
  DtpLimitDate->setDate(ToQ(form_.limit));
  DtpLimitDate->setEnabled(!form_.no_limit && !repeating);
  ChkNoLimit->setChecked(form_.no_limit);
  DtpStartDate->setDate(ToQ(form_.start));
  DtpStartDate->setEnabled(!form_.no_start);
  ChkNoStart->setChecked(form_.no_start);
  if (S(CmbTitle->currentText()) != form_.subject) CmbTitle->setEditText(Q(form_.subject));
  int category = -1;
  for (int i = 0; i < CmbBunrui->count(); ++i)
    if (S(CmbBunrui->itemText(i)) == form_.category) category = i;
  CmbBunrui->setCurrentIndex(category);
  CmbPri->setCurrentIndex(form_.priority);
  TrkProgress->setValue(form_.progress);
  LblProgress->setText(Q(ProgressLabel(form_.progress)));
  ChkTask->setChecked(form_.done);
  ChkTask->setEnabled(form_.done_enabled);
  DtpOkDate->setDate(ToQ(form_.done_date));
  DtpOkDate->setEnabled(form_.done);
  if (Lines(MemTodo->toPlainText()) != form_.memo) MemTodo->setPlainText(Joined(form_.memo));
  MemTodo->setEnabled(form_.memo_enabled);
  if (S(EdtFileLink->text()) != form_.link) EdtFileLink->setText(Q(form_.link));
  BtnFileOpen->setEnabled(!EdtFileLink->text().trimmed().isEmpty());

  ChkRepeat->setVisible(RepeatShown(form_));
  ChkRepeat->setChecked(repeating);
  GrpRepeat->setVisible(repeating);
  const calendar::RepeatRule& r = form_.rule;
  CmbMaiKak->setCurrentIndex(r.every_other ? 1 : 0);
  const int pattern = r.pattern == calendar::RepeatPattern::Day ? 0 : static_cast<int>(r.pattern) - 1;
  CmbPattern->setCurrentIndex(pattern);
  const bool weekly = r.pattern == calendar::RepeatPattern::Week;
  const bool by_weekday = r.cycle == calendar::RepeatCycle::ByWeekday;
  CmbCycle->setVisible(!weekly);
  CmbCycle->setCurrentIndex(by_weekday ? 1 : 0);
  CmbMonth->setVisible(r.pattern == calendar::RepeatPattern::Year);
  CmbMonth->setCurrentIndex(r.month - 1);
  CmbDay->setVisible(!weekly);
  CmbDay->clear();
  for (const auto& item : schedule::RepeatDayChoices(r.cycle)) CmbDay->addItem(Q(item));
  CmbDay->setCurrentIndex(schedule::RepeatDayIndex(r));
  CmbWeek->setVisible(weekly || by_weekday);
  CmbWeek->setCurrentIndex(r.weekday);
  DtpFromTod->setDate(ToQ(r.from));
  DtpToTod->setDate(ToQ(r.to));
  CmbFurikae->setCurrentIndex(static_cast<int>(r.shift));
  const bool shifting = r.shift != calendar::RepeatShift::None;
  for (QCheckBox* box : {CHkHol1, ChkHol2, ChkSat, ChkSun}) box->setEnabled(shifting);
  CHkHol1->setChecked(r.on_public_holiday);
  ChkHol2->setChecked(r.on_private_holiday);
  ChkSat->setChecked(r.on_saturday);
  ChkSun->setChecked(r.on_sunday);
  LblEdit->setText(repeating ? Q(TodoRepeatLabel(form_, Oracle())) : QString());
  showing_ = false;
}

void TDlgTodoInput::LoadHolidays() {
  if (holidays_loaded_) return;
  try {
    const auto lines = store::LoadLines(ports_.files, store::HolidayFilePath(session_.folders.data));
    holidays_ = calendar::HolidayList::FromFileLines(
        lines, calendar::HolidaySettings{session_.settings.view.auto_syn_syu, session_.settings.view.auto_holiday});
    holidays_loaded_ = true;
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

calendar::HolidayOracle TDlgTodoInput::Oracle() const { return calendar::HolidayOracleOf(holidays_); }

void TDlgTodoInput::BtnCatClick() {
  const std::string chosen = form_.category;
  catalogues::TDlgCatSet dialog(ports_.files, ports_.dialogs, session_.folders.category, this);
  dialog.exec();
  try {
    categories_ = catalogues::LoadCategoryTable(ports_.files, session_.folders.category);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
  const int position = CmbBunrui->currentIndex();
  FillCategories();
  // The selected position is kept.
  form_.category = position >= 0 && position < CmbBunrui->count() ? S(CmbBunrui->itemText(position)) : chosen;
  Show();
}

void TDlgTodoInput::BtnFileLinkClick() {
  const std::string& program = session_.program_folder;
  auto chosen = ports_.dialogs.OpenFileName("", platform::FileFilter{"すべてのファイル|*.*"},
                                            schedule::LinkFullPath(form_.link, program));
  if (!chosen) return;
  form_.link = schedule::LinkForChosenFile(*chosen, program, session_.settings.kalendor.relative_path != 0);
  Show();
}

void TDlgTodoInput::BtnFileOpenClick() {
  const std::string& program = session_.program_folder;
  const LinkOpening opening = DecideLinkOpening(
      form_.link, [&](const std::string& link) { return schedule::LinkFullPath(link, program); },
      [](const std::string& path) { return QFileInfo(Q(path)).isFile(); },
      [](const std::string& path) { return QFileInfo(Q(path)).isExecutable(); });
  switch (opening.kind) {
    case LinkOpening::Kind::OpenDocument: ports_.shell.Open(opening.path); break;
    case LinkOpening::Kind::StartProgram: ports_.processes.Start(opening.path, opening.arguments); break;
    case LinkOpening::Kind::NotFound: ports_.dialogs.Error(opening.message, kLinkErrorCaption); break;
    case LinkOpening::Kind::Empty: break;
  }
}

QWidget* TDlgTodoInput::FieldWidget(TodoFormField field) const {
  switch (field) {
    case TodoFormField::Limit: return DtpLimitDate;
    case TodoFormField::Start: return DtpStartDate;
    case TodoFormField::Subject: return CmbTitle;
    case TodoFormField::Category: return CmbBunrui;
    case TodoFormField::Priority: return CmbPri;
    case TodoFormField::Progress: return TrkProgress;
    case TodoFormField::DoneDate: return DtpOkDate;
    case TodoFormField::Memo: return MemTodo;
    case TodoFormField::Link: return EdtFileLink;
    case TodoFormField::RepeatFrom: return DtpFromTod;
  }
  return nullptr;
}

void TDlgTodoInput::BtnOkClick() {
  if (form_.repeat) LoadHolidays();
  TodoUpdateResult result;
  try {
    result = TodoUpdate(form_, ports_.files, ports_.dialogs, session_.folders.todo, Oracle());
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return;
  }
  if (result.focus) {
    if (QWidget* w = FieldWidget(*result.focus)) w->setFocus();
    return;
  }
  if (result.stale) {
    stale_ = true;
    reject();
    return;
  }
  stored_ = result.stored_records;
  accept();
}

}  // namespace kal::todo
