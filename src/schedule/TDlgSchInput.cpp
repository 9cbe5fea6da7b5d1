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

namespace kal::schedule {
namespace {

using store::Date;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QDate ToQDate(const Date& d) { return QDate(store::YearOf(d), store::MonthOf(d), store::DayOf(d)); }
Date FromQDate(const QDate& d) { return store::MakeDate(d.year(), d.month(), d.day()); }

void Fill(QComboBox* box, const std::vector<std::string>& items) {
  QSignalBlocker block(box);
  box->clear();
  for (const auto& i : items) box->addItem(Q(i));
}

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A text shown in an editable box only when it differs, so that typing keeps its cursor.
void SetText(QComboBox* box, const std::string& text) {
  if (box->currentText() != Q(text)) box->setEditText(Q(text));
}

const char* const kSampleText = "サンプル";
constexpr int kBarStyleRole = Qt::UserRole + 2;

// The six multi-day bar styles drawn inside a cell, as the calendar draws its bars.
void DrawBarSample(QPainter& p, const QRect& cell, int style, const QColor& text, const QColor& fill) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  QRect box = cell.adjusted(2, 1, -2, -1);
  const int arrow = 8;
  QPolygon shape;
  switch (style) {
    case 0:
      p.fillRect(box, fill);
      p.setPen(Qt::black);
      p.drawRect(box.adjusted(0, 0, -1, -1));
      break;
    case 1:
    case 2: {
      QRect r = box.adjusted(0, 1, 0, -1);
      if (style == 2) r.adjust(0, 0, -1, -1);
      p.fillRect(r, fill);
      if (style == 2) {
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawLine(r.left() + 1, r.bottom() + 1, r.right() + 1, r.bottom() + 1);
        p.drawLine(r.right() + 1, r.top() + 1, r.right() + 1, r.bottom() + 1);
      }
      break;
    }
    case 3: {
      QRect r = box.adjusted(0, 2, 0, -2);
      const int mid = r.center().y();
      shape << QPoint(r.left(), mid) << QPoint(r.left() + arrow, r.top()) << QPoint(r.right() - arrow, r.top())
            << QPoint(r.right(), mid) << QPoint(r.right() - arrow, r.bottom()) << QPoint(r.left() + arrow, r.bottom());
      p.setPen(Qt::NoPen);
      p.setBrush(fill);
      p.drawPolygon(shape);
      break;
    }
    case 4: {
      const int mid = box.center().y();
      QRect bar(box.left() + arrow, mid - 1, box.width() - 2 * arrow, 3);
      p.fillRect(bar, fill);
      p.setPen(Qt::NoPen);
      p.setBrush(fill);
      QPolygon left, right;
      left << QPoint(box.left(), mid) << QPoint(box.left() + arrow, mid - 4) << QPoint(box.left() + arrow, mid + 4);
      right << QPoint(box.right(), mid) << QPoint(box.right() - arrow, mid - 4) << QPoint(box.right() - arrow, mid + 4);
      p.drawPolygon(left);
      p.drawPolygon(right);
      break;
    }
    default: {
      const int bottom = box.bottom();
      shape << QPoint(box.left() + 3, bottom - 2) << QPoint(box.right() - 3, bottom - 2) << QPoint(box.right(), bottom)
            << QPoint(box.left(), bottom);
      p.setPen(Qt::NoPen);
      p.setBrush(fill);
      p.drawPolygon(shape);
      break;
    }
  }
  p.setPen(text);
  p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, QString::fromUtf8(kSampleText));
  p.restore();
}

// The multi-day list of CmbSample: each row a bar style drawn with the schedule's colours.
class BarSampleDelegate : public QStyledItemDelegate {
 public:
  BarSampleDelegate(const ScheduleForm& form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QVariant style = index.data(kBarStyleRole);
    if (!style.isValid()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    painter->fillRect(option.rect, option.state & QStyle::State_Selected ? option.palette.highlight() : Qt::white);
    DrawBarSample(*painter, option.rect, style.toInt(), catalogues::BgrColour(form_.text_colour),
                  catalogues::BgrColour(form_.bar_colour));
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    return QSize(std::max(size.width(), 140), std::max(size.height(), 20));
  }

 private:
  const ScheduleForm& form_;
};

// The closed multi-day CmbSample shows the chosen style drawn too.
class SampleCombo : public QComboBox {
 public:
  SampleCombo(const ScheduleForm& form, QWidget* parent) : QComboBox(parent), form_(form) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    const QVariant style = currentData(kBarStyleRole);
    if (!style.isValid()) {
      QComboBox::paintEvent(event);
      return;
    }
    QComboBox::paintEvent(event);
    QPainter painter(this);
    QRect r = rect().adjusted(3, 3, -22, -3);
    painter.fillRect(r, Qt::white);
    DrawBarSample(painter, r, style.toInt(), catalogues::BgrColour(form_.text_colour),
                  catalogues::BgrColour(form_.bar_colour));
  }

 private:
  const ScheduleForm& form_;
};

// CmbEndhhmm: opening the list first lifts an end time below the start time.
class EndTimeCombo : public QComboBox {
 public:
  std::function<void()> before_popup;
  using QComboBox::QComboBox;
  void showPopup() override {
    if (before_popup) before_popup();
    QComboBox::showPopup();
  }
};

// The category drop-down shows the selected category drawn as a cell, like its list rows.
class CategoryCombo : public QComboBox {
 public:
  const catalogues::CategoryIcons* icons = nullptr;
  using QComboBox::QComboBox;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QComboBox::paintEvent(event);
    const QVariant line = currentData(catalogues::kCategoryLineRole);
    if (!line.isValid()) return;
    const catalogues::CategoryEntry entry = catalogues::ReadCategoryLine(catalogues::CategoryLineFromData(line));
    QPainter painter(this);
    const QPixmap icon = icons && entry.icon > 0 ? icons->Image(entry.icon) : QPixmap();
    catalogues::DrawCategoryCell(painter, rect().adjusted(3, 3, -22, -3), entry, icon,
                                 catalogues::kCellIconLeftDropDown, false);
  }
};

}  // namespace

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

void TDlgSchInput::BuildControls() {
  auto date_edit = [this](const char* name) {
    auto* edit = Named(new QDateEdit(this), name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit->setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));
    return edit;
  };
  auto combo = [this](const char* name, bool editable) {
    auto* box = Named(new QComboBox(this), name);
    box->setEditable(editable);
    if (editable) box->setInsertPolicy(QComboBox::NoInsert);
    return box;
  };
  auto check = [this](const char* name, const char* caption) {
    return Named(new QCheckBox(QString::fromUtf8(caption), this), name);
  };
  auto button = [this](const char* name, const char* caption) {
    auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
    b->setAutoDefault(false);
    return b;
  };

  DtpSchFromDate = date_edit("DtpSchFromDate");
  DtpSchToDate = date_edit("DtpSchToDate");
  CmbStrhhmm = combo("CmbStrhhmm", true);
  CmbStrhhmm->lineEdit()->setMaxLength(static_cast<int>(kTimeChars));
  auto* end_time = new EndTimeCombo(this);
  end_time->setObjectName(QStringLiteral("CmbEndhhmm"));
  end_time->setEditable(true);
  end_time->setInsertPolicy(QComboBox::NoInsert);
  end_time->lineEdit()->setMaxLength(static_cast<int>(kTimeChars));
  end_time->before_popup = [this] {
    form_.end = S(CmbEndhhmm->currentText());
    form_.start = S(CmbStrhhmm->currentText());
    EndTimeDropDown(form_);
    SetText(CmbEndhhmm, form_.end);
  };
  CmbEndhhmm = end_time;
  CmbTitle = combo("CmbTitle", true);
  CmbPlace = combo("CmbPlace", true);
  auto* category = new CategoryCombo(this);
  category->setObjectName(QStringLiteral("CmbBunrui"));
  category->icons = icons_.get();
  CmbBunrui = category;
  auto* delegate = new catalogues::CategoryCellDelegate(icons_.get(), catalogues::kCellIconLeftDropDown, CmbBunrui);
  delegate->SetGreyed([this](const std::string& line) {
    return !categories_.Shown(catalogues::CategoryNameField(line), session_.settings.view.catchk);
  });
  CmbBunrui->setItemDelegate(delegate);
  BtnCat = button("BtnCat", "分類設定");
  ChkExtendDay = check("ChkExtendDay", "複数日");
  SpnDay1 = Named(new QSpinBox(this), "SpnDay1");
  SpnDay1->setRange(1, kMaxSpan);
  LblDay = Named(new QLabel(QStringLiteral("日"), this), "LblDay");
  ChkBold = check("ChkBold", "太字");
  ChkItalic = check("ChkItalic", "斜体");
  ChkUnderline = check("ChkUnderline", "下線");
  ChkStrikeout = check("ChkStrikeout", "取消線");
  ChkAlarm = check("ChkAlarm", "アラームの設定");
  CmbAlarm1 = combo("CmbAlarm1", false);
  CmbAlarm2 = combo("CmbAlarm2", false);
  MemSch = Named(new QPlainTextEdit(this), "MemSch");
  MemSch->setTabChangesFocus(true);
  LblSample = Named(new QLabel(this), "LblSample");
  CmbSample = new SampleCombo(form_, this);
  CmbSample->setObjectName(QStringLiteral("CmbSample"));
  CmbSample->setItemDelegate(new BarSampleDelegate(form_, CmbSample));
  CmbSample->setMinimumWidth(150);
  BtnFontCol = button("BtnFontCol", "文字色");
  BtnBackCol = button("BtnBackCol", "背景色");
  PnlSample = Named(new QFrame(this), "PnlSample");
  PnlSample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PnlSample->setAutoFillBackground(true);
  PnlSample->setMinimumSize(40, 20);
  EdtFileLink = Named(new QLineEdit(this), "EdtFileLink");
  EdtFileLink->setMaxLength(static_cast<int>(store::kScheduleLinkMax));
  BtnFileLink = button("BtnFileLink", "...");
  BtnFileLink->setMaximumWidth(28);
  BtnFileOpen = button("BtnFileOpen", "開く");
  ChkRepeat = check("ChkRepeat", "繰り返し登録(&R)");

  GrpRepeat = Named(new QGroupBox(this), "GrpRepeat");
  DtpFromSch = date_edit("DtpFromSch");
  DtpToSch = date_edit("DtpToSch");
  CmbMaiKak = combo("CmbMaiKak", false);
  Fill(CmbMaiKak, RepeatEveryChoices());
  CmbPattern = combo("CmbPattern", false);
  Fill(CmbPattern, RepeatPatternChoices());
  SpnDay2 = Named(new QSpinBox(this), "SpnDay2");
  SpnDay2->setRange(1, kMaxRepeatDays);
  LblDays = Named(new QLabel(QStringLiteral("日間"), this), "LblDays");
  CmbWeek = combo("CmbWeek", false);
  Fill(CmbWeek, RepeatWeekChoices());
  CmbCycle = combo("CmbCycle", false);
  Fill(CmbCycle, RepeatCycleChoices());
  CmbMonth = combo("CmbMonth", false);
  Fill(CmbMonth, RepeatMonthChoices());
  CmbDay = combo("CmbDay", false);
  CmbFurikae = combo("CmbFurikae", false);
  Fill(CmbFurikae, RepeatShiftChoices());
  ChkHol1 = check("CHkHol1", "祝日");
  ChkHol2 = check("ChkHol2", "休日");
  ChkSat = check("ChkSat", "土曜");
  ChkSun = check("ChkSun", "日曜");
  LblEdit = Named(new QLabel(this), "LblEdit");
  BtnOk = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOk");
  BtnOk->setDefault(true);
  BtnCancel = Named(new QPushButton(QStringLiteral("キャンセル"), this), "BtnCancel");
  BtnCancel->setAutoDefault(false);

  auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
  auto* grid = new QGridLayout;
  int row = 0;
  auto* dates = new QHBoxLayout;
  dates->addWidget(DtpSchFromDate);
  dates->addWidget(label("～"));
  dates->addWidget(DtpSchToDate);
  dates->addSpacing(8);
  dates->addWidget(ChkExtendDay);
  dates->addWidget(SpnDay1);
  dates->addWidget(LblDay);
  dates->addStretch();
  grid->addWidget(label("日付:"), row, 0);
  grid->addLayout(dates, row++, 1, 1, 3);
  auto* times = new QHBoxLayout;
  times->addWidget(CmbStrhhmm);
  times->addWidget(label("～"));
  times->addWidget(CmbEndhhmm);
  times->addStretch();
  grid->addWidget(label("時刻:"), row, 0);
  grid->addLayout(times, row++, 1, 1, 3);
  grid->addWidget(label("件名:"), row, 0);
  grid->addWidget(CmbTitle, row++, 1, 1, 3);
  grid->addWidget(label("場所:"), row, 0);
  grid->addWidget(CmbPlace, row++, 1, 1, 3);
  auto* cat = new QHBoxLayout;
  cat->addWidget(CmbBunrui, 1);
  cat->addWidget(BtnCat);
  grid->addWidget(label("分類:"), row, 0);
  grid->addLayout(cat, row++, 1, 1, 3);
  auto* styles = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(ChkBold), static_cast<QWidget*>(ChkItalic),
                     static_cast<QWidget*>(ChkUnderline), static_cast<QWidget*>(ChkStrikeout)})
    styles->addWidget(w);
  styles->addStretch();
  grid->addWidget(label("書式:"), row, 0);
  grid->addLayout(styles, row++, 1, 1, 3);
  auto* alarm = new QHBoxLayout;
  alarm->addWidget(ChkAlarm);
  alarm->addWidget(CmbAlarm1);
  alarm->addWidget(CmbAlarm2);
  alarm->addStretch();
  grid->addWidget(label("アラーム:"), row, 0);
  grid->addLayout(alarm, row++, 1, 1, 3);
  grid->addWidget(label("メモ:"), row, 0, Qt::AlignTop);
  grid->addWidget(MemSch, row++, 1, 1, 3);
  auto* sample = new QHBoxLayout;
  sample->addWidget(LblSample);
  sample->addWidget(CmbSample);
  sample->addWidget(BtnFontCol);
  sample->addWidget(BtnBackCol);
  sample->addWidget(PnlSample);
  sample->addStretch();
  grid->addLayout(sample, row++, 0, 1, 4);
  auto* link = new QHBoxLayout;
  link->addWidget(EdtFileLink, 1);
  link->addWidget(BtnFileLink);
  link->addWidget(BtnFileOpen);
  grid->addWidget(label("ファイル:"), row, 0);
  grid->addLayout(link, row++, 1, 1, 3);

  auto* repeat = new QGridLayout(GrpRepeat);
  auto* period = new QHBoxLayout;
  period->addWidget(label("登録期間:"));
  period->addWidget(DtpFromSch);
  period->addWidget(label("から"));
  period->addWidget(DtpToSch);
  period->addWidget(LblEdit);
  period->addStretch();
  repeat->addLayout(period, 0, 0);
  auto* rule = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(CmbMaiKak), static_cast<QWidget*>(CmbPattern),
                     static_cast<QWidget*>(SpnDay2), static_cast<QWidget*>(LblDays), static_cast<QWidget*>(CmbMonth),
                     static_cast<QWidget*>(CmbCycle), static_cast<QWidget*>(CmbDay), static_cast<QWidget*>(CmbWeek)})
    rule->addWidget(w);
  rule->addStretch();
  repeat->addLayout(rule, 1, 0);
  auto* shift = new QHBoxLayout;
  shift->addWidget(CmbFurikae);
  for (QWidget* w : {static_cast<QWidget*>(ChkHol1), static_cast<QWidget*>(ChkHol2), static_cast<QWidget*>(ChkSat),
                     static_cast<QWidget*>(ChkSun)})
    shift->addWidget(w);
  shift->addStretch();
  repeat->addLayout(shift, 2, 0);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ChkRepeat);
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);

  auto* top = new QVBoxLayout(this);
  top->setSizeConstraint(QLayout::SetFixedSize);
  top->addLayout(grid);
  top->addLayout(buttons);
  top->addWidget(GrpRepeat);
  setMinimumWidth(480);
}

void TDlgSchInput::FillCategories() {
  QSignalBlocker block(CmbBunrui);
  CmbBunrui->clear();
  for (std::size_t i = 0; i < categories_.size(); ++i) {
    const std::string& line = categories_.lines()[i];
    CmbBunrui->addItem(Q(catalogues::CategoryName(line)));
    CmbBunrui->setItemData(CmbBunrui->count() - 1, catalogues::CategoryLineData(line), catalogues::kCategoryLineRole);
  }
  // A stored category that the table no longer has stays the schedule's category.
  if (!form_.category.empty() && !categories_.FindText(form_.category)) CmbBunrui->addItem(Q(form_.category));
}

void TDlgSchInput::FillSampleList() {
  QSignalBlocker block(CmbSample);
  CmbSample->clear();
  if (form_.multi_day) {
    LblSample->setText(QStringLiteral("複数日の範囲バー:"));
    for (int style = 0; style < kBarStyleCount; ++style) {
      CmbSample->addItem(QString());
      CmbSample->setItemData(style, style, kBarStyleRole);
    }
    CmbSample->setCurrentIndex(std::clamp(form_.bar_style, 0, kBarStyleCount - 1));
  } else {
    LblSample->setText(QStringLiteral("登録日の背景色:"));
    for (const std::string& choice : BackgroundChoices()) CmbSample->addItem(Q(choice));
    CmbSample->setCurrentIndex(static_cast<int>(form_.background));
  }
}

// Every control from the form.
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
  for (const auto& [box, member] : conditions) {
    connect(box, &QCheckBox::toggled, this, [this, member](bool on) {
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
