#include "printing/TDlgPrint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "mainwindow/ViewModes.h"
#include "printing/TDlgPreview.h"
#include "store/TextFile.h"

namespace kal::printing {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
QColor Bgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QComboBox* Sizes(QWidget* parent, const char* name, int from, int to) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  for (int n = from; n <= to; ++n) box->addItem(QString::number(n));
  return box;
}

QSpinBox* Margin(QWidget* parent, const char* name) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QLatin1String(name));
  spin->setRange(0, 999);
  return spin;
}

}  // namespace

TDlgPrint::TDlgPrint(const PrintContext& context, QPrinter& printer, bool from_preview, QWidget* parent)
    : QDialog(parent), context_(context), printer_(printer) {
  setObjectName(QStringLiteral("TDlgPrint"));
  auto* layout = new QVBoxLayout(this);

  auto* title_box = new QGroupBox(QStringLiteral("見出し"), this);
  auto* tg = new QGridLayout(title_box);
  CmbTitle = new QComboBox(title_box);
  CmbTitle->setObjectName(QStringLiteral("CmbTitle"));
  CmbTitle->setEditable(true);
  for (const std::string& p : TitlePatterns()) CmbTitle->addItem(Q(p));
  BtnFont = new QPushButton(QStringLiteral("フォント(&F)"), title_box);
  BtnFont->setObjectName(QStringLiteral("BtnFont"));
  PnlTitle = new QLabel(title_box);
  PnlTitle->setObjectName(QStringLiteral("PnlTitle"));
  PnlTitle->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PnlTitle->setMinimumHeight(36);
  LblTitleNote = new QLabel(QString::fromUtf8(kTitleNote), title_box);
  LblTitleNote->setObjectName(QStringLiteral("LblTitleNote"));
  tg->addWidget(CmbTitle, 0, 0);
  tg->addWidget(BtnFont, 0, 1);
  tg->addWidget(LblTitleNote, 1, 0, 1, 2);
  tg->addWidget(PnlTitle, 2, 0, 1, 2);
  auto* pos_box = new QGroupBox(QStringLiteral("見出しの位置(&S)"), title_box);
  auto* pl = new QHBoxLayout(pos_box);
  const char* pos_names[] = {"左側(&L)", "中央(&C)", "右側(&R)"};
  for (int i = 0; i < 3; ++i) {
    RdoTitlePos[i] = new QRadioButton(QString::fromUtf8(pos_names[i]), pos_box);
    RdoTitlePos[i]->setObjectName(QStringLiteral("RdoTitlePos%1").arg(i));
    pl->addWidget(RdoTitlePos[i]);
  }
  tg->addWidget(pos_box, 3, 0, 1, 2);
  CmbDate = new QComboBox(title_box);
  CmbDate->setObjectName(QStringLiteral("CmbDate"));
  CmbDate->setEditable(true);
  for (const std::string& p : CreationDatePatterns()) CmbDate->addItem(Q(p));
  PnlDate = new QLabel(title_box);
  PnlDate->setObjectName(QStringLiteral("PnlDate"));
  PnlDate->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  tg->addWidget(new QLabel(QStringLiteral("作成日"), title_box), 4, 0, 1, 2);
  tg->addWidget(CmbDate, 5, 0);
  tg->addWidget(PnlDate, 5, 1);
  auto* date_pos = new QGroupBox(QStringLiteral("作成日の位置(&A)"), title_box);
  auto* dl = new QHBoxLayout(date_pos);
  const char* date_names[] = {"右上(&T)", "右下(&B)"};
  for (int i = 0; i < 2; ++i) {
    RdoDatePos[i] = new QRadioButton(QString::fromUtf8(date_names[i]), date_pos);
    RdoDatePos[i]->setObjectName(QStringLiteral("RdoDatePos%1").arg(i));
    dl->addWidget(RdoDatePos[i]);
  }
  tg->addWidget(date_pos, 6, 0, 1, 2);
  layout->addWidget(title_box);

  auto* middle = new QHBoxLayout;
  auto* margin_box = new QGroupBox(QStringLiteral("余白(&M)"), this);
  auto* mg = new QGridLayout(margin_box);
  SpnTop = Margin(margin_box, "SpnTop");
  SpnBottom = Margin(margin_box, "SpnBottom");
  SpnLeft = Margin(margin_box, "SpnLeft");
  SpnRight = Margin(margin_box, "SpnRight");
  mg->addWidget(new QLabel(QStringLiteral("上"), margin_box), 0, 0);
  mg->addWidget(SpnTop, 0, 1);
  mg->addWidget(new QLabel(QStringLiteral("下"), margin_box), 0, 2);
  mg->addWidget(SpnBottom, 0, 3);
  mg->addWidget(new QLabel(QStringLiteral("左"), margin_box), 1, 0);
  mg->addWidget(SpnLeft, 1, 1);
  mg->addWidget(new QLabel(QStringLiteral("右"), margin_box), 1, 2);
  mg->addWidget(SpnRight, 1, 3);
  CmbDayFont = Sizes(margin_box, "CmbDayFont", 8, 16);
  CmbSchFont = Sizes(margin_box, "CmbSchFont", 8, 16);
  CmbLinePitch = Sizes(margin_box, "CmbLinePitch", 1, 8);
  mg->addWidget(new QLabel(QStringLiteral("日付"), margin_box), 2, 0);
  mg->addWidget(CmbDayFont, 2, 1);
  mg->addWidget(new QLabel(QStringLiteral("予定"), margin_box), 2, 2);
  mg->addWidget(CmbSchFont, 2, 3);
  mg->addWidget(new QLabel(QStringLiteral("行間"), margin_box), 3, 0);
  mg->addWidget(CmbLinePitch, 3, 1);
  auto* orientation = new QGroupBox(QStringLiteral("印刷の向き(&O)"), margin_box);
  auto* ol = new QHBoxLayout(orientation);
  const char* orientation_names[] = {"縦(&T)", "横(&L)"};
  for (int i = 0; i < 2; ++i) {
    RdoOrientation[i] = new QRadioButton(QString::fromUtf8(orientation_names[i]), orientation);
    RdoOrientation[i]->setObjectName(QStringLiteral("RdoOrientation%1").arg(i));
    ol->addWidget(RdoOrientation[i]);
  }
  mg->addWidget(orientation, 4, 0, 1, 4);
  middle->addWidget(margin_box);

  auto* item_box = new QGroupBox(QStringLiteral("印刷項目(&I)"), this);
  auto* il = new QVBoxLayout(item_box);
  LstItem = new QListWidget(item_box);
  LstItem->setObjectName(QStringLiteral("LstItem"));
  for (const char* caption : PrintItemCaptions()) {
    auto* item = new QListWidgetItem(QString::fromUtf8(caption), LstItem);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  il->addWidget(LstItem);
  middle->addWidget(item_box);
  layout->addLayout(middle);

  auto check = [this](const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), this);
    box->setObjectName(QLatin1String(name));
    return box;
  };
  ChkOtherMonth = check("ChkOtherMonth", "前・次月を印刷する(&A)");
  ChkOtherCol = check("ChkOtherCol", "淡色で印刷する(&G)");
  ChkSchCr = check("ChkSchCr", "件名を折り返す(&R)");
  ChkRenWaku = check("ChkRenWaku", "複数日にまたがる範囲バーに枠を付ける(&B)");
  ChkColor = check("ChkColor", "カラー印刷(&C)");
  auto* other = new QHBoxLayout;
  other->addWidget(ChkOtherMonth);
  other->addWidget(ChkOtherCol);
  layout->addLayout(other);
  layout->addWidget(ChkSchCr);
  layout->addWidget(ChkRenWaku);
  layout->addWidget(ChkColor);

  auto* buttons = new QHBoxLayout;
  auto button = [this, buttons](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QLatin1String(name));
    buttons->addWidget(b);
    return b;
  };
  BtnSetup = button("BtnSetup", "プリンタの設定(&S)");
  BtnPreview = button("BtnPreview", "印刷プレビュー(&V)");
  BtnPrint = button("BtnPrint", "印刷開始(&P)");
  buttons->addStretch();
  BtnOk = button("BtnOk", "OK");
  BtnCancel = button("BtnCancel", "キャンセル");
  BtnOk->setDefault(true);
  layout->addLayout(buttons);
  BtnPreview->setVisible(!from_preview);
  BtnPrint->setVisible(!from_preview);

  // The title is chosen only in the monthly view; the timelines print neither items nor
  // other-month days.
  const int mode = context_.source.mode;
  const bool monthly = mode == mainwindow::kModeMonthly;
  CmbTitle->setVisible(monthly);
  BtnFont->setVisible(monthly);
  LblTitleNote->setVisible(!monthly);
  const bool vertical = mode == mainwindow::kModeDaily || mode == mainwindow::kModeVertical;
  for (QWidget* w : std::initializer_list<QWidget*>{LstItem, ChkOtherMonth, ChkOtherCol, ChkSchCr})
    w->setEnabled(!vertical);

  connect(BtnOk, &QPushButton::clicked, this, &TDlgPrint::BtnOkClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(BtnPreview, &QPushButton::clicked, this, &TDlgPrint::BtnPreviewClick);
  connect(BtnPrint, &QPushButton::clicked, this, &TDlgPrint::BtnPrintClick);
  connect(BtnSetup, &QPushButton::clicked, this, &TDlgPrint::BtnSetupClick);
  connect(BtnFont, &QPushButton::clicked, this, &TDlgPrint::BtnFontClick);
  connect(CmbTitle, &QComboBox::currentTextChanged, this, [this] { ShowSamples(); });
  connect(CmbDate, &QComboBox::currentTextChanged, this, [this] { ShowSamples(); });
  connect(ChkColor, &QCheckBox::toggled, this, [this] { ShowSamples(); });
  connect(ChkOtherMonth, &QCheckBox::toggled, this, [this](bool on) {
    ChkOtherCol->setEnabled(on && LstItem->isEnabled());
  });

  // Opening: the caption, every control from Klprint.ini, the samples.
  SetCaption();
  LoadControls(ReadPrintSettings(context_));
}

void TDlgPrint::SetCaption() { setWindowTitle(QStringLiteral("印刷 - ") + printer_.printerName()); }

void TDlgPrint::LoadControls(const PrintSettings& s) {
  CmbTitle->setCurrentText(Q(s.title));
  title_font_ = s.title_font;
  RdoTitlePos[static_cast<std::size_t>(std::clamp(s.title_pos, 0, 2))]->setChecked(true);
  CmbDate->setCurrentText(Q(s.date));
  RdoDatePos[static_cast<std::size_t>(std::clamp(s.date_pos, 0, 1))]->setChecked(true);
  SpnTop->setValue(s.top);
  SpnBottom->setValue(s.bottom);
  SpnLeft->setValue(s.left);
  SpnRight->setValue(s.right);
  CmbDayFont->setCurrentText(QString::number(s.day_font));
  CmbSchFont->setCurrentText(QString::number(s.font_size));
  CmbLinePitch->setCurrentIndex(std::clamp(s.line_pitch, 0, 7));
  RdoOrientation[s.landscape() ? 1 : 0]->setChecked(true);
  for (int i = 0; i < kPrintItemCount; ++i) LstItem->item(i)->setCheckState(s.ItemOn(i) ? Qt::Checked : Qt::Unchecked);
  ChkOtherMonth->setChecked(s.other_month != 0);
  ChkOtherCol->setChecked(s.other_month == 2);
  ChkOtherCol->setEnabled(s.other_month != 0 && LstItem->isEnabled());
  ChkSchCr->setChecked(s.sch_cr);
  ChkRenWaku->setChecked(s.ren_waku);
  ChkColor->setChecked(s.color);
  ShowSamples();
}

PrintSettings TDlgPrint::Settings() const {
  PrintSettings s;
  s.title = S(CmbTitle->currentText());
  s.title_font = title_font_;
  s.date = S(CmbDate->currentText());
  s.title_pos = RdoTitlePos[1]->isChecked() ? 1 : RdoTitlePos[2]->isChecked() ? 2 : 0;
  s.date_pos = RdoDatePos[1]->isChecked() ? 1 : 0;
  s.top = SpnTop->value();
  s.bottom = SpnBottom->value();
  s.left = SpnLeft->value();
  s.right = SpnRight->value();
  s.items = std::string(kPrintItemCount, '0');
  for (int i = 0; i < kPrintItemCount; ++i) s.SetItem(i, LstItem->item(i)->checkState() == Qt::Checked);
  s.day_font = CmbDayFont->currentText().toInt();
  s.font_size = CmbSchFont->currentText().toInt();
  s.line_pitch = CmbLinePitch->currentIndex();
  s.orientation = RdoOrientation[1]->isChecked() ? 1 : 0;
  s.other_month = OtherMonthOf(ChkOtherMonth->isChecked(), ChkOtherCol->isChecked());
  s.sch_cr = ChkSchCr->isChecked();
  s.ren_waku = ChkRenWaku->isChecked();
  s.color = ChkColor->isChecked();
  return s;
}

void TDlgPrint::ShowSamples() {
  const int year = store::YearOf(context_.source.selected);
  const int month = store::MonthOf(context_.source.selected);
  const bool monthly = context_.source.mode == mainwindow::kModeMonthly;
  const std::string title = monthly ? PrintTitleText(S(CmbTitle->currentText()), year, month)
                            : context_.source.settings
                                ? PageTitle(Settings(), *context_.source.settings, context_.source.mode,
                                            context_.source.selected)
                                : std::string();
  PnlTitle->setText(Q(title));
  QFont font(Q(title_font_.name));
  font.setPointSize(title_font_.size);
  font.setBold((title_font_.style & 1) != 0);
  font.setItalic((title_font_.style & 2) != 0);
  font.setUnderline((title_font_.style & 4) != 0);
  font.setStrikeOut((title_font_.style & 8) != 0);
  PnlTitle->setFont(font);
  QPalette palette = PnlTitle->palette();
  palette.setColor(QPalette::WindowText, ChkColor->isChecked() ? Bgr(title_font_.colour) : QColor(Qt::black));
  PnlTitle->setPalette(palette);
  PnlDate->setText(Q(CreationDateText(S(CmbDate->currentText()), context_.source.today).value_or("")));
}

bool TDlgPrint::WriteIniFile() {
  try {
    SavePrintSettingsFile(*context_.files, context_.program_folder, Settings());
    return true;
  } catch (const store::FileError& e) {
    context_.dialogs->Error(e.what(), store::kFileErrorCaption);
    return false;
  }
}

void TDlgPrint::BtnOkClick() {
  if (WriteIniFile()) accept();
}

void TDlgPrint::BtnPreviewClick() {
  if (!WriteIniFile()) return;
  TDlgPreview preview(context_, printer_, true, this);
  preview.exec();
}

void TDlgPrint::BtnPrintClick() {
  if (!WriteIniFile()) return;
  if (PrintRun(printer_, context_, Settings())) accept();
}

void TDlgPrint::BtnSetupClick() {
  QPrintDialog dialog(&printer_, this);
  dialog.exec();
  SetCaption();
}

void TDlgPrint::BtnFontClick() {
  QFont initial(Q(title_font_.name), title_font_.size);
  initial.setBold((title_font_.style & 1) != 0);
  initial.setItalic((title_font_.style & 2) != 0);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, this);
  if (!ok) return;
  title_font_.name = S(chosen.family());
  title_font_.size = std::max(1, chosen.pointSize());
  title_font_.style = (chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0) | (chosen.underline() ? 4 : 0) |
                      (chosen.strikeOut() ? 8 : 0);
  ShowSamples();
}

}  // namespace kal::printing
