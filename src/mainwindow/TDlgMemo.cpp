#include "mainwindow/TDlgMemo.h"

#include <QDate>
#include <QDateEdit>
#include <QFont>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "mainwindow/QtPanelParts.h"
#include "platform/Dialogs.h"
#include "platform/QtControls.h"
#include "store/TextFile.h"

namespace kal::mainwindow {
namespace {

using platform::Q;

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

TDlgMemo::TDlgMemo(platform::Dialogs& dialogs, MemoDialogForm& form, const MemoDialogLook& look, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), form_(form) {
  setObjectName(QStringLiteral("DlgMemo"));
  setMinimumSize(kMemoDialogMinWidth, 200);
  resize(look.width > 0 ? std::max(look.width, kMemoDialogMinWidth) : 420, 320);

  MemText = new QPlainTextEdit(this);
  MemText->setObjectName(QStringLiteral("MemText"));
  MemText->setTabChangesFocus(!look.tab_inserts);
  MemText->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font = MemText->font();
  if (!look.font_name.empty()) font.setFamily(Q(look.font_name));
  if (look.font_size > 0) font.setPointSize(look.font_size);
  MemText->setFont(font);
  QPalette palette = MemText->palette();
  palette.setColor(QPalette::Text, BgrColour(look.text_colour));
  palette.setColor(QPalette::Base, BgrColour(look.back_colour));
  MemText->setPalette(palette);

  if (form_.has_date()) {
    DtpDate = new QDateEdit(this);
    DtpDate->setObjectName(QStringLiteral("DtpDate"));
    DtpDate->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    DtpDate->setDisplayFormat(QStringLiteral("yyyy年M月d日(ddd)"));
    DtpDate->setCalendarPopup(true);
    const store::Date d = form_.date();
    DtpDate->setDate(QDate(store::YearOf(d), store::MonthOf(d), store::DayOf(d)));
    connect(DtpDate, &QDateEdit::dateChanged, this, [this] { DtpDateChange(); });
  }
  platform::MakeOkCancel(this, BtnOk, BtnCancel);
  BtnOk->setDefault(false);  // Enter makes a new line in the text
  BtnOk->setAutoDefault(false);
  BtnCancel->setAutoDefault(false);
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  ShowForm();
  MemText->setFocus();
}

void TDlgMemo::ShowForm() {
  setWindowTitle(Q(form_.caption()));
  MemText->setPlainText(Q(form_.text()));
  MemText->document()->setModified(false);
}

void TDlgMemo::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // The text fills the client area but 38 pixels; the buttons sit 7 pixels below it.
  const int w = width();
  const int text_height = std::max(height() - 38, 20);
  MemText->setGeometry(0, 0, w, text_height);
  const int y = text_height + 7;
  BtnCancel->setGeometry(w - kButtonWidth - 8, y, kButtonWidth, kButtonHeight);
  BtnOk->setGeometry(w - 2 * kButtonWidth - 14, y, kButtonWidth, kButtonHeight);
  if (DtpDate) DtpDate->setGeometry(6, y, std::min(190, w - 2 * kButtonWidth - 26), kButtonHeight);
}

void TDlgMemo::DtpDateChange() {
  const QDate d = DtpDate->date();
  if (auto failed = form_.ChangeDate(store::MakeDate(d.year(), d.month(), d.day()))) {
    dialogs_.Error(*failed, store::kFileErrorCaption);
    const store::Date back = form_.date();
    const QSignalBlocker block(DtpDate);
    DtpDate->setDate(QDate(store::YearOf(back), store::MonthOf(back), store::DayOf(back)));
    return;
  }
  ShowForm();
}

void TDlgMemo::BtnOkClick() {
  if (auto refused = form_.Ok(MemText->toPlainText().toStdString())) {
    dialogs_.Error(*refused, store::kFileErrorCaption);
    MemText->setFocus();
    return;
  }
  accept();
}

MemoDialogLook MemoLookOf(const std::vector<std::string>& font, const store::ColourPair& colours, bool tab, int width) {
  MemoDialogLook look;
  if (!font.empty()) look.font_name = font[0];
  try {
    if (font.size() > 1) look.font_size = std::stoi(font[1]);
  } catch (const std::exception&) {
  }
  look.text_colour = colours.text;
  look.back_colour = colours.back;
  look.tab_inserts = tab;
  look.width = width;
  return look;
}

bool ShowDlgMemo(platform::Dialogs& dialogs, MemoDialogForm& form, const std::optional<std::string>& open_error,
                 const MemoDialogLook& look, QWidget* parent, const QPoint& position) {
  if (open_error) {
    dialogs.Error(*open_error, store::kFileErrorCaption);
    return false;
  }
  TDlgMemo dialog(dialogs, form, look, parent);
  dialog.move(position);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kal::mainwindow
