#include "app/TDlgHolidayInput.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/QtControls.h"
#include "store/HolidayFile.h"
#include "store/Record.h"

namespace kal::app {
namespace {

using platform::FillCombo;
using platform::NamedCombo;
using platform::Q;

}  // namespace

TDlgHolidayInput::TDlgHolidayInput(platform::Dialogs& dialogs, platform::FileSystem& files,
                                   HolidayDialogSetup setup, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), files_(files), setup_(std::move(setup)) {
  setWindowTitle(Q(HolidayDialogCaption(setup_.mode)));

  EdtTitle = new QLineEdit(this);
  EdtTitle->setObjectName(QStringLiteral("EdtTitle"));
  CmbBunrui = NamedCombo(this, "CmbBunrui", HolidayBunruiChoices());
  EdtFromYear = new QLineEdit(this);
  EdtFromYear->setObjectName(QStringLiteral("EdtFromYear"));
  EdtToYear = new QLineEdit(this);
  EdtToYear->setObjectName(QStringLiteral("EdtToYear"));
  for (QLineEdit* e : {EdtFromYear, EdtToYear}) {
    e->setMaxLength(4);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), e));
  }
  CmbPattern = NamedCombo(this, "CmbPattern", HolidayPatternChoices());
  CmbCycle = NamedCombo(this, "CmbCycle", HolidayCycleChoices());
  CmbMonth = NamedCombo(this, "CmbMonth", HolidayMonthChoices());
  CmbDay = NamedCombo(this, "CmbDay");
  CmbWeek = NamedCombo(this, "CmbWeek", HolidayWeekChoices());
  platform::MakeOkCancel(this, BtnOk, BtnCancel);

  auto* grid = new QGridLayout;
  int row = 0;
  grid->addWidget(new QLabel(QStringLiteral("件名:"), this), row, 0);
  grid->addWidget(EdtTitle, row++, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("分類:"), this), row, 0);
  grid->addWidget(CmbBunrui, row++, 1);
  grid->addWidget(new QLabel(QStringLiteral("適用年:"), this), row, 0);
  auto* years = new QHBoxLayout;
  years->addWidget(EdtFromYear);
  years->addWidget(new QLabel(QStringLiteral("から"), this));
  years->addWidget(EdtToYear);
  grid->addLayout(years, row++, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("※西暦4桁で入力して下さい。"), this), row++, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("周期:"), this), row, 0);
  grid->addWidget(CmbPattern, row, 1);
  lbl_cycle_ = new QLabel(QStringLiteral("指定:"), this);
  grid->addWidget(lbl_cycle_, row, 2);
  grid->addWidget(CmbCycle, row++, 3);
  lbl_month_ = new QLabel(QStringLiteral("月:"), this);
  grid->addWidget(lbl_month_, row, 0);
  grid->addWidget(CmbMonth, row, 1);
  lbl_day_ = new QLabel(QStringLiteral("日:"), this);
  grid->addWidget(lbl_day_, row, 2);
  grid->addWidget(CmbDay, row++, 3);
  lbl_week_ = new QLabel(QStringLiteral("曜日:"), this);
  grid->addWidget(lbl_week_, row, 0);
  grid->addWidget(CmbWeek, row++, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addLayout(buttons);

  // The name is cut at a character boundary where it would pass 80 bytes, with a beep.
  connect(EdtTitle, &QLineEdit::textEdited, this, [this](const QString& text) {
    const std::string utf8 = text.toStdString();
    const std::string cut = store::CutUtf8ToWidth(utf8, store::kHolidayNameWidth);
    if (cut != utf8) {
      const int pos = EdtTitle->cursorPosition();
      EdtTitle->setText(Q(cut));
      EdtTitle->setCursorPosition(std::min(pos, static_cast<int>(EdtTitle->text().size())));
      QApplication::beep();
    }
  });
  connect(CmbPattern, &QComboBox::currentIndexChanged, this, [this] { CmbPatternChange(); });
  connect(CmbCycle, &QComboBox::currentIndexChanged, this, [this] { CmbCycleChange(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  HolidayInput input = HolidayInputForDate(setup_.date);
  if (setup_.mode == 1 && setup_.index >= 0 && static_cast<std::size_t>(setup_.index) < setup_.lines.size())
    input = HolidayInputFromLine(setup_.lines[static_cast<std::size_t>(setup_.index)], setup_.date);
  Show(input);
  // Placed 24 pixels below and 16 pixels right of the main window's top left corner.
  if (parent) move(parent->window()->frameGeometry().topLeft() + QPoint(16, 24));
}

void TDlgHolidayInput::Show(const HolidayInput& in) {
  QSignalBlocker b1(CmbPattern), b2(CmbCycle);
  EdtTitle->setText(Q(in.title));
  CmbBunrui->setCurrentIndex(in.bunrui);
  EdtFromYear->setText(Q(in.from_year));
  EdtToYear->setText(Q(in.to_year));
  CmbPattern->setCurrentIndex(in.pattern);
  CmbCycle->setCurrentIndex(in.cycle);
  CmbMonth->setCurrentIndex(in.month);
  CmbWeek->setCurrentIndex(in.week);
  RefillDays(in.day);
  UpdateVisibility();
}

HolidayInput TDlgHolidayInput::Input() const {
  HolidayInput in;
  in.title = EdtTitle->text().toStdString();
  in.bunrui = CmbBunrui->currentIndex();
  in.from_year = EdtFromYear->text().toStdString();
  in.to_year = EdtToYear->text().toStdString();
  in.pattern = CmbPattern->currentIndex();
  in.cycle = CmbCycle->currentIndex();
  in.month = CmbMonth->currentIndex();
  in.day = CmbDay->currentIndex();
  in.week = CmbWeek->currentIndex();
  return in;
}

void TDlgHolidayInput::RefillDays(int keep) {
  FillCombo(CmbDay, HolidayDayChoices(CmbPattern->currentIndex(), CmbCycle->currentIndex()));
  CmbDay->setCurrentIndex(std::clamp(keep, 0, CmbDay->count() - 1));
}

void TDlgHolidayInput::CmbPatternChange() {
  RefillDays(CmbDay->currentIndex());
  UpdateVisibility();
}

void TDlgHolidayInput::CmbCycleChange() {
  // Switching between a day and a weekday occurrence starts again from the selected date.
  RefillDays(HolidayDayChoiceFor(setup_.date, CmbCycle->currentIndex()));
  UpdateVisibility();
}

void TDlgHolidayInput::UpdateVisibility() {
  const int pattern = CmbPattern->currentIndex(), cycle = CmbCycle->currentIndex();
  lbl_cycle_->setVisible(HolidayCycleShown(pattern));
  CmbCycle->setVisible(HolidayCycleShown(pattern));
  lbl_month_->setVisible(HolidayMonthShown(pattern));
  CmbMonth->setVisible(HolidayMonthShown(pattern));
  lbl_day_->setVisible(HolidayDayShown(pattern));
  CmbDay->setVisible(HolidayDayShown(pattern));
  lbl_week_->setVisible(HolidayWeekShown(pattern, cycle));
  CmbWeek->setVisible(HolidayWeekShown(pattern, cycle));
}

QWidget* TDlgHolidayInput::FieldWidget(HolidayInputField field) const {
  switch (field) {
    case HolidayInputField::Title: return EdtTitle;
    case HolidayInputField::Bunrui: return CmbBunrui;
    case HolidayInputField::FromYear: return EdtFromYear;
    case HolidayInputField::ToYear: return EdtToYear;
    case HolidayInputField::Month: return CmbMonth;
    case HolidayInputField::Day: return CmbDay;
    case HolidayInputField::Week: return CmbWeek;
  }
  return EdtTitle;
}

void TDlgHolidayInput::BtnOkClick() {
  const HolidayInput input = Input();
  if (auto failure = CheckHolidayInput(input)) {
    dialogs_.Error(failure->message, "入力エラー");
    FieldWidget(failure->focus)->setFocus();
    return;
  }
  store::HolidayStore(files_, setup_.path, setup_.lines, setup_.mode == 1, setup_.index,
                      BuildHolidayLine(input, setup_.mode == 1));
  accept();
}

}  // namespace kal::app
