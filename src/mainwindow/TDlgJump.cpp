#include "mainwindow/TDlgJump.h"

#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/QtControls.h"

namespace kal::mainwindow {

namespace {

QDate ToQDate(const store::Date& d) { return QDate(store::YearOf(d), store::MonthOf(d), store::DayOf(d)); }

}  // namespace

TDlgJump::TDlgJump(const store::Date& today, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TDlgJump"));
  setWindowTitle(QStringLiteral("指定した日付へ移動"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  if (parent != nullptr) setFont(parent->font());

  auto* label = new QLabel(QStringLiteral("日付:"), this);
  label->setObjectName(QStringLiteral("LblDate"));
  DtpDate = new QDateEdit(this);
  DtpDate->setObjectName(QStringLiteral("DtpDate"));
  DtpDate->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  DtpDate->setDisplayFormat(QStringLiteral("yyyy年M月d日(ddd)"));
  DtpDate->setCalendarPopup(true);
  DtpDate->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
  label->setBuddy(DtpDate);
  SetChosenDate(today);

  platform::MakeOkCancel(this, BtnOk, BtnCancel);
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(DtpDate, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

store::Date TDlgJump::ChosenDate() const {
  const QDate d = DtpDate->date();
  return store::MakeDate(d.year(), d.month(), d.day());
}

void TDlgJump::SetChosenDate(const store::Date& date) { DtpDate->setDate(ToQDate(date)); }

std::optional<store::Date> TDlgJump::Choose(const store::Date& today, QWidget* parent) {
  TDlgJump dialog(today, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenDate();
}

}  // namespace kal::mainwindow
