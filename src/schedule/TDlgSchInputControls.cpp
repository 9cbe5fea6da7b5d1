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
namespace {

using namespace input_parts;

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
}  // namespace kal::schedule
