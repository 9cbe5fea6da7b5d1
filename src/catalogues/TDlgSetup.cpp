// The frame of the settings dialog: the page control, the bound controls, OK and キャンセル.
#include "catalogues/TDlgSetup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Folders.h"
#include "catalogues/ItemTable.h"
#include "catalogues/TDlgItemSet.h"
#include "catalogues/TDlgSetupParts.h"
#include "platform/QtControls.h"
#include "store/CommaText.h"
#include "store/DatePattern.h"
#include "store/TextFile.h"

namespace kal::catalogues {

using platform::Q;

TDlgSetup::TDlgSetup(SetupPorts ports, SetupOpenContext context, QWidget* parent)
    : QDialog(parent), ports_(ports), context_(std::move(context)) {
  setObjectName(QStringLiteral("DlgSetup"));
  state_ = SetupOpen(ports_.files, context_.settings_file, context_.defaults);
  setWindowTitle(QString::fromUtf8(context_.first_run ? kFirstRunCaption : kSetupCaption));

  PagSetup = new QTabWidget(this);
  PagSetup->setObjectName(QStringLiteral("PagSetup"));
  PagSetup->setUsesScrollButtons(true);
  QWidget* (TDlgSetup::*builders[kSetupPageCount])() = {
      &TDlgSetup::BuildStartup, &TDlgSetup::BuildDisplay,  &TDlgSetup::BuildGeneral,    &TDlgSetup::BuildCalendar,
      &TDlgSetup::BuildVertical, &TDlgSetup::BuildMemo,    &TDlgSetup::BuildTodo,       &TDlgSetup::BuildNote,
      &TDlgSetup::BuildMini,    &TDlgSetup::BuildToolBar,  &TDlgSetup::BuildAlarm,      &TDlgSetup::BuildSignal,
      &TDlgSetup::BuildColourFont, &TDlgSetup::BuildFolders, &TDlgSetup::BuildOther};
  for (int i = 0; i < kSetupPageCount; ++i) {
    QWidget* page = (this->*builders[i])();
    page->setObjectName(QStringLiteral("Tab%1").arg(i));
    PagSetup->addTab(page, QString::fromUtf8(SetupPageCaptions()[static_cast<std::size_t>(i)]));
  }

  platform::MakeOkCancel(this, BtnOk, BtnCancel);
  connect(BtnOk, &QPushButton::clicked, this, &TDlgSetup::BtnOkClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  // Fifteen pages do not fit one row of tabs: the page captions stand in a list at the left.
  PagSetup->tabBar()->hide();
  auto* pages = new QListWidget(this);
  pages->setObjectName(QStringLiteral("LstPages"));
  for (const char* caption : SetupPageCaptions()) pages->addItem(QString::fromUtf8(caption));
  pages->setSpacing(3);
  pages->setFixedWidth(pages->sizeHintForColumn(0) + 30);
  connect(pages, &QListWidget::currentRowChanged, PagSetup, &QTabWidget::setCurrentIndex);
  connect(PagSetup, &QTabWidget::currentChanged, pages, [pages](int index) { pages->setCurrentRow(index); });
  pages->setCurrentRow(0);
  auto* body = new QHBoxLayout;
  body->addWidget(pages);
  body->addWidget(PagSetup, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(buttons);

  // The "..." choosers are narrow buttons.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("...")) button->setFixedWidth(32);
  }
  Load();
  resize(780, 560);
  if (context_.first_run) {
    // The first start: a normal window of its own, centred on the screen.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      move(area.center() - QPoint(width() / 2, height() / 2));
    }
  }
}

TDlgSetup::~TDlgSetup() = default;

void TDlgSetup::ShowPage(SetupPage page) { PagSetup->setCurrentIndex(static_cast<int>(page)); }

std::string TDlgSetup::Sample(const std::string& pattern, bool with_time) const {
  const platform::LocalDateTime now = ports_.clock.Now();
  return with_time ? store::FormatDatePattern(pattern, now) : store::FormatDatePattern(pattern, now.date);
}

// ---- Bound controls -------------------------------------------------------------------------

void TDlgSetup::Bind(std::function<void()> load, std::function<void()> store) {
  bindings_.push_back({std::move(load), std::move(store)});
}

QCheckBox* TDlgSetup::Check(QWidget* parent, const char* name, const char* caption, bool& member) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  Bind([box, &member] { box->setChecked(member); }, [box, &member] { member = box->isChecked(); });
  return box;
}

QCheckBox* TDlgSetup::CheckInt(QWidget* parent, const char* name, const char* caption, int& member) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  Bind([box, &member] { box->setChecked(member != 0); }, [box, &member] { member = box->isChecked() ? 1 : 0; });
  return box;
}

QSpinBox* TDlgSetup::Spin(QWidget* parent, const char* name, int min, int max, int& member) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(min, max);
  Bind([spin, &member] { spin->setValue(member); }, [spin, &member] { member = spin->value(); });
  return spin;
}

QComboBox* TDlgSetup::Index(QWidget* parent, const char* name, const std::vector<std::string>& items, int& member,
                            int offset) {
  QComboBox* box = platform::NamedCombo(parent, name, items);
  Bind([box, &member, offset] { box->setCurrentIndex(std::clamp(member - offset, 0, box->count() - 1)); },
       [box, &member, offset] { member = box->currentIndex() + offset; });
  return box;
}

QComboBox* TDlgSetup::HourCombo(QWidget* parent, const char* name, int& member) {
  std::vector<std::string> hours;
  for (int h = 0; h < kHourChoices; ++h) hours.push_back(HourText(h));
  return Index(parent, name, hours, member);
}

QComboBox* TDlgSetup::Pattern(QWidget* parent, const char* name, const std::vector<std::string>& items,
                              std::string& member, QLabel* sample, bool with_time) {
  QComboBox* box = platform::NamedCombo(parent, name, items);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  Bind([box, &member] { box->setEditText(Q(member)); }, [box, &member] { member = box->currentText().toStdString(); });
  if (sample != nullptr) {
    auto refresh = [this, box, sample, with_time] {
      sample->setText(Q(Sample(box->currentText().toStdString(), with_time)));
    };
    connect(box, &QComboBox::editTextChanged, this, refresh);
    Bind(refresh, [] {});
  }
  return box;
}

QLineEdit* TDlgSetup::Edit(QWidget* parent, const char* name, std::string& member) {
  QLineEdit* edit = platform::NamedEdit(parent, name);
  Bind([edit, &member] { edit->setText(Q(member)); }, [edit, &member] { member = edit->text().toStdString(); });
  return edit;
}

QGroupBox* TDlgSetup::Radio(QWidget* parent, const char* name, const char* caption,
                            const std::vector<std::string>& items, int& member, int offset, int columns) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
  group->setObjectName(QString::fromLatin1(name));
  auto* grid = new QGridLayout(group);
  auto* buttons = new QButtonGroup(group);
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(Q(items[i]), group);
    button->setObjectName(QString::fromLatin1(name) + QString::number(i));
    buttons->addButton(button, static_cast<int>(i));
    grid->addWidget(button, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
  }
  Bind(
      [buttons, &member, offset] {
        if (QAbstractButton* b = buttons->button(member - offset)) b->setChecked(true);
      },
      [buttons, &member, offset] {
        if (buttons->checkedId() >= 0) member = buttons->checkedId() + offset;
      });
  return group;
}

QHBoxLayout* TDlgSetup::EditorRow(QWidget* parent, const char* check, const char* edit, const char* button, bool& use,
                                  std::string& program) {
  auto* row = new QHBoxLayout;
  QCheckBox* box = Check(parent, check, "外部エディタを使う(&E)", use);
  QLineEdit* name = Edit(parent, edit, program);
  QPushButton* browse = platform::NamedButton(parent, button, "...");
  connect(browse, &QPushButton::clicked, this, [this, name] { ChooseProgram(name, kProgramFilter); });
  row->addWidget(box);
  row->addWidget(name, 1);
  row->addWidget(browse);
  Enables(box, {name, browse});
  return row;
}

QHBoxLayout* TDlgSetup::SoundRow(QWidget* parent, const char* edit, const char* open, const char* play,
                                 std::string& wav, std::vector<QWidget*>* controls) {
  auto* row = new QHBoxLayout;
  QLineEdit* file = Edit(parent, edit, wav);
  QPushButton* choose = platform::NamedButton(parent, open, "...");
  QPushButton* test = platform::NamedButton(parent, play, "再生");
  connect(choose, &QPushButton::clicked, this, [this, file] { ChooseProgram(file, kSoundFilter); });
  // The sound plays without waiting.
  connect(test, &QPushButton::clicked, this, [this, file] {
    if (ports_.sound != nullptr && !file->text().isEmpty()) ports_.sound->Play(file->text().toStdString());
  });
  row->addWidget(file, 1);
  row->addWidget(choose);
  row->addWidget(test);
  if (controls != nullptr) controls->insert(controls->end(), {file, choose, test});
  return row;
}

void TDlgSetup::Enables(QCheckBox* box, std::vector<QWidget*> companions) {
  auto apply = [box, companions] {
    for (QWidget* w : companions) w->setEnabled(box->isChecked());
  };
  connect(box, &QCheckBox::toggled, this, apply);
  Bind(apply, [] {});
}

void TDlgSetup::Load() {
  filling_ = true;
  for (const auto& b : bindings_) b.load();
  filling_ = false;
  TodoPopChanged();
  TodoListRefresh();
  AlarmEnableSet();
  SignalEnableSet();
  ColourListRefresh();
  FontLabelRefresh();
  WeatherListRefresh();
}

void TDlgSetup::Store() {
  for (const auto& b : bindings_) b.store();
  store::Settings& s = state_.settings;
  // The refresh period counts only while the refresh is on.
  if (!s.view.scr_ud) s.view.ud_time = 0;
}

// ---- Shared handlers ------------------------------------------------------------------------

// A font as comma text: name, size, style bits (bold 1, italic 2, underline 4, strike-out 8) and,
// `with_colour`, the colour it had.
void TDlgSetup::ChooseFont(std::vector<std::string>& font, bool with_colour, QLabel* shown) {
  QFont initial;
  if (!font.empty() && !font[0].empty()) initial.setFamily(Q(font[0]));
  const int size = font.size() > 1 ? std::atoi(font[1].c_str()) : 9;
  initial.setPointSize(size > 0 ? size : 9);
  const int style = font.size() > 2 ? std::atoi(font[2].c_str()) : 0;
  initial.setBold(style & 1);
  initial.setItalic(style & 2);
  initial.setUnderline(style & 4);
  initial.setStrikeOut(style & 8);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, this);
  if (!ok) return;
  const int bits = (chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0) | (chosen.underline() ? 4 : 0) |
                   (chosen.strikeOut() ? 8 : 0);
  std::vector<std::string> out = {chosen.family().toStdString(), std::to_string(chosen.pointSize()),
                                  std::to_string(bits)};
  if (with_colour) out.push_back(font.size() > 3 ? font[3] : "0");
  font = out;
  if (shown != nullptr) shown->setText(Q(font[0] + " " + font[1] + "pt"));
}

void TDlgSetup::ChooseColour(int& colour, const std::function<void()>& refresh) {
  if (auto chosen = ports_.dialogs.Colour(colour)) {
    colour = *chosen & 0xFFFFFF;
    if (refresh) refresh();
  }
}

void TDlgSetup::ChooseProgram(QLineEdit* edit, const char* filter) {
  if (auto file = ports_.dialogs.OpenFileName("", platform::FileFilter{filter}, edit->text().toStdString()))
    edit->setText(Q(*file));
}

// The table folder as the folder page holds it now.
std::string TDlgSetup::TableFolder() const {
  const std::string value =
      edt_dir_[5] != nullptr ? edt_dir_[5]->text().toStdString() : state_.settings.kalendor.tbl_path;
  return app::ResolveFolder(value, context_.program_folder);
}

void TDlgSetup::OpenTable(int type) {
  try {
    TDlgItemSet editor(ports_.files, ports_.dialogs, TableFolder(), static_cast<ItemTableType>(type), this);
    editor.exec();
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
  if (type == static_cast<int>(ItemTableType::Alarm)) AlarmListsFill();
}

// ---- OK ---------------------------------------------------------------------------------------

void TDlgSetup::BtnOkClick() {
  Store();
  if (auto failure = SetupCheck(state_.settings, context_.program_folder, ports_.files)) {
    ports_.dialogs.Error(failure->message, kInputErrorCaption);
    ShowPage(failure->page);
    if (auto* control = findChild<QWidget*>(Q(failure->control))) control->setFocus();
    return;
  }
  const SetupApplyContext apply{context_.program_folder, context_.settings_file, context_.window_top,
                                context_.window_left, store::YearOf(ports_.clock.Now().date)};
  if (SetupApply(ports_.files, ports_.dialogs, state_, apply)) accept();
}

}  // namespace kal::catalogues
