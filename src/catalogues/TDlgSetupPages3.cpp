// The settings dialog's pages 色とフォント, データフォルダ and その他.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "catalogues/ColourSet.h"
#include "catalogues/FolderSet.h"
#include "catalogues/NamedSet.h"
#include "catalogues/TDlgSetup.h"
#include "catalogues/TDlgSetupParts.h"
#include "platform/QtControls.h"
#include "store/HolidayFile.h"
#include "store/TextFile.h"

namespace kal::catalogues {

using platform::Q;

namespace {

// The sample grid: a week header and two weeks of days, each cell standing for one colour area
// (index into ColourAreas()).
struct SampleCell {
  const char* text;
  std::size_t area;
};
constexpr std::size_t kSel = 0, kDay = 1, kSat = 2, kSun = 3, kSyu = 4, kKyu = 5, kKn1 = 6, kZen = 9, kTod = 10,
                      kRok = 11, kSek = 12, kDyh = 13, kSah = 14, kSuh = 15, kMcr = 26;
constexpr SampleCell kSample[3][7] = {
    {{"日", kSuh}, {"月", kDyh}, {"火", kDyh}, {"水", kDyh}, {"木", kDyh}, {"金", kDyh}, {"土", kSah}},
    {{"30", kZen}, {"1 元日", kSyu}, {"2 休日", kKyu}, {"3 大安", kRok}, {"4", kDay}, {"5 小寒", kSek}, {"6", kSat}},
    {{"7", kSun}, {"8 記念日", kKn1}, {"9", kSel}, {"10 今日", kTod}, {"11", kDay}, {"12", kMcr}, {"13", kSat}},
};

}  // namespace

QWidget* TDlgSetup::BuildColourFont() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  lst_color_ = new QListWidget(page);
  lst_color_->setObjectName(QStringLiteral("LstColor"));
  for (const ColourArea& area : ColourAreas()) new QListWidgetItem(QString::fromUtf8(area.name), lst_color_);
  lst_color_->setCurrentRow(0);
  lst_color_->setMaximumHeight(130);
  top->addWidget(lst_color_, 1);
  auto* side = new QVBoxLayout;
  btn_font_col_ = platform::NamedButton(page, "BtnFontCol", "文字色(&F)");
  btn_back_col_ = platform::NamedButton(page, "BtnBackCol", "背景色(&B)");
  QPushButton* reset = platform::NamedButton(page, "BtnColorInit", "初期値(&R)");
  for (QPushButton* b : {btn_font_col_, btn_back_col_, reset}) side->addWidget(b);
  side->addStretch(1);
  top->addLayout(side);
  grd_sample_ = new QTableWidget(3, 7, page);
  grd_sample_->setObjectName(QStringLiteral("GrdSample"));
  grd_sample_->horizontalHeader()->hide();
  grd_sample_->verticalHeader()->hide();
  grd_sample_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grd_sample_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grd_sample_->setSelectionMode(QAbstractItemView::NoSelection);
  grd_sample_->setFixedHeight(grd_sample_->rowHeight(0) * 3 + 4);
  v->addLayout(top);
  v->addWidget(grd_sample_);
  connect(lst_color_, &QListWidget::currentRowChanged, this, [this] { ColourButtonsEnable(); });
  connect(grd_sample_, &QTableWidget::cellClicked, this, [this](int row, int column) {
    lst_color_->setCurrentRow(static_cast<int>(kSample[row][column].area));
  });
  auto change = [this, &s](bool text) {
    const int row = lst_color_->currentRow();
    if (row < 0) return;
    store::ColourPair& pair = ColourOf(s.color, static_cast<std::size_t>(row));
    ChooseColour(text ? pair.text : pair.back, [this] { ColourListRefresh(); });
  };
  connect(btn_font_col_, &QPushButton::clicked, this, [change] { change(true); });
  connect(btn_back_col_, &QPushButton::clicked, this, [change] { change(false); });
  connect(reset, &QPushButton::clicked, this, [this, &s] {
    ResetColours(s.color, context_.defaults);
    ColourListRefresh();
  });

  auto* switches = new QGridLayout;
  QCheckBox* today = Check(page, "ChkToday", "今日の背景色を表示する(&Y)", s.color.today);
  QCheckBox* mini = Check(page, "ChkMiniColor", "ミニカレンダーの表示範囲に色を付ける(&I)", s.color.mini_color);
  switches->addWidget(today, 0, 0);
  switches->addWidget(Check(page, "ChkMonthBeforeNext", "月間表示で前月・次月の日を表示する(&M)", s.color.month_before_next),
                      0, 1);
  switches->addWidget(mini, 1, 0);
  switches->addWidget(Check(page, "ChkWeekBeforeNext", "複数週間表示で前月・次月の日を色分けする(&W)",
                            s.color.week_before_next),
                      1, 1);
  switches->addWidget(Caption(page, "見出しの配色(&H):"), 2, 0);
  switches->addWidget(Index(page, "CmbVistaHead", {"指定なし", "ブラック", "チャコール", "グリーン", "グレー"}, s.color.vista_head),
                      2, 1);
  v->addLayout(switches);
  for (QCheckBox* box : {today, mini}) {
    connect(box, &QCheckBox::toggled, this, [this, &s, today, mini] {
      s.color.today = today->isChecked();
      s.color.mini_color = mini->isChecked();
      ColourButtonsEnable();
    });
  }

  auto* fonts = new QHBoxLayout;
  lst_font_ = new QListWidget(page);
  lst_font_->setObjectName(QStringLiteral("LstFont"));
  lst_font_->setMaximumHeight(90);
  for (const FontArea& area : FontAreas()) new QListWidgetItem(QString::fromUtf8(area.name), lst_font_);
  lst_font_->setCurrentRow(0);
  QPushButton* font = platform::NamedButton(page, "BtnFont", "フォント(&T)");
  lbl_font_ = SamplePanel(page, "PnlFont");
  connect(lst_font_, &QListWidget::currentRowChanged, this, [this] { FontLabelRefresh(); });
  connect(font, &QPushButton::clicked, this, [this, &s] {
    const int row = lst_font_->currentRow();
    if (row >= 0) ChooseFont(FontOf(s.font, static_cast<std::size_t>(row)), false, lbl_font_);
  });
  auto* font_side = new QVBoxLayout;
  font_side->addWidget(font);
  font_side->addWidget(lbl_font_);
  font_side->addStretch(1);
  fonts->addWidget(lst_font_, 1);
  fonts->addLayout(font_side, 1);
  v->addLayout(fonts);

  auto* sets = new QHBoxLayout;
  sets->addWidget(Caption(page, "配色(&S):"));
  cmb_setcol_ = platform::NamedCombo(page, "CmbSetcol");
  QPushButton* save = platform::NamedButton(page, "BtnSavecol", "登録(&V)");
  QPushButton* remove = platform::NamedButton(page, "BtnDelcol", "削除(&D)");
  sets->addWidget(cmb_setcol_, 1);
  sets->addWidget(save);
  sets->addWidget(remove);
  v->addLayout(sets);
  ColourSetsFill("");
  connect(cmb_setcol_, &QComboBox::textActivated, this, &TDlgSetup::ColourSetChoose);
  connect(save, &QPushButton::clicked, this, [this] {
    Store();
    if (auto name = ColourSetSave(ports_.files, ports_.dialogs, context_.program_folder, state_.settings,
                                  cmb_setcol_->currentText().toStdString()))
      ColourSetsFill(*name);
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    const std::string name = cmb_setcol_->currentText().toStdString();
    if (name.empty()) return;
    DeleteSetFile(ports_.files, context_.program_folder, name, kColourSetExtension);
    ColourSetsFill("");
  });
  return page;
}

void TDlgSetup::ColourSetsFill(const std::string& select) {
  filling_ = true;
  platform::FillCombo(cmb_setcol_, ColourSetNames(ports_.files, context_.program_folder));
  cmb_setcol_->setCurrentIndex(cmb_setcol_->findText(Q(select)));
  filling_ = false;
}

void TDlgSetup::ColourSetChoose(const QString& name) {
  if (filling_ || name.isEmpty()) return;
  try {
    LoadColourSet(ports_.files, context_.program_folder, name.toStdString(), context_.defaults, state_.settings);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
  ColourListRefresh();
  FontLabelRefresh();
}

void TDlgSetup::ColourListRefresh() {
  if (lst_color_ == nullptr) return;
  store::ColorSettings& c = state_.settings.color;
  for (std::size_t i = 0; i < ColourAreas().size(); ++i) {
    QListWidgetItem* item = lst_color_->item(static_cast<int>(i));
    const store::ColourPair& pair = ColourOf(c, i);
    // An area without a text colour is named in black or white, whichever stands out.
    const int back = ColourAreas()[i].back ? pair.back : 0xFFFFFF;
    const int grey = ((back & 0xFF) + ((back >> 8) & 0xFF) + ((back >> 16) & 0xFF)) / 3;
    item->setForeground(Bgr(ColourAreas()[i].text ? pair.text : grey < 128 ? 0xFFFFFF : 0));
    item->setBackground(Bgr(ColourAreas()[i].back ? pair.back : 0xFFFFFF));
  }
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 7; ++column) {
      const SampleCell& cell = kSample[row][column];
      auto* item = new QTableWidgetItem(QString::fromUtf8(cell.text));
      const store::ColourPair& pair = ColourOf(c, cell.area);
      const store::ColourPair& day = ColourOf(c, kDay);
      item->setForeground(Bgr(ColourAreas()[cell.area].text ? pair.text : day.text));
      item->setBackground(Bgr(AreaBackEnabled(c, cell.area) ? pair.back : day.back));
      grd_sample_->setItem(row, column, item);
    }
  }
  ColourButtonsEnable();
}

void TDlgSetup::ColourButtonsEnable() {
  const int row = lst_color_->currentRow();
  const auto area = static_cast<std::size_t>(row);
  btn_font_col_->setEnabled(row >= 0 && ColourAreas()[area].text);
  btn_back_col_->setEnabled(row >= 0 && AreaBackEnabled(state_.settings.color, area));
}

void TDlgSetup::FontLabelRefresh() {
  if (lst_font_ == nullptr) return;
  const int row = std::max(lst_font_->currentRow(), 0);
  lbl_font_->setText(Q(FontText(FontOf(state_.settings.font, static_cast<std::size_t>(row)))));
}

// ---- データフォルダ ----------------------------------------------------------------------------

QWidget* TDlgSetup::BuildFolders() {
  store::KalendorSettings& k = state_.settings.kalendor;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* grid = new QGridLayout;
  const auto members = FolderMembers(k);
  for (std::size_t i = 0; i < 6; ++i) {
    const int row = static_cast<int>(i);
    const std::string edit_name = "EdtDir" + std::to_string(i + 1);
    const std::string button_name = "BtnSel" + std::to_string(i + 1);
    grid->addWidget(new QLabel(QString::fromUtf8(FolderNames()[i]) + QStringLiteral(":"), page), row, 0);
    edt_dir_[i] = Edit(page, edit_name.c_str(), *members[i]);
    grid->addWidget(edt_dir_[i], row, 1);
    QPushButton* choose = platform::NamedButton(page, button_name.c_str(), "...");
    grid->addWidget(choose, row, 2);
    connect(choose, &QPushButton::clicked, this, [this, i, &k] {
      const std::string initial =
          app::ResolveFolder(edt_dir_[i]->text().toStdString(), context_.program_folder);
      if (auto folder = ports_.dialogs.FolderName(FolderChooserTitle(i), initial)) {
        Store();
        edt_dir_[i]->setText(Q(ChosenFolderValue(*folder, k.relative_path, context_.program_folder)));
      }
    });
  }
  grid->setColumnStretch(1, 1);
  v->addLayout(grid);
  // The alarm lists and the holiday button follow the folders typed here.
  connect(edt_dir_[5], &QLineEdit::editingFinished, this, [this] { AlarmListsFill(); });
  connect(edt_dir_[0], &QLineEdit::textChanged, this, [this] {
    if (btn_holiday_ud_ != nullptr)
      btn_holiday_ud_->setEnabled(ports_.files.Exists(store::HolidayFilePath(
          app::ResolveFolder(edt_dir_[0]->text().toStdString(), context_.program_folder))));
  });
  rdo_path_ = Radio(page, "RdoPath", "パス指定", {"絶対パス", "相対パス"}, k.relative_path, 0, 2);
  v->addWidget(rdo_path_);
  for (int mode = 0; mode < 2; ++mode) {
    auto* button = rdo_path_->findChild<QAbstractButton*>(QStringLiteral("RdoPath%1").arg(mode));
    connect(button, &QAbstractButton::clicked, this, [this, mode] { PathModeChanged(mode); });
  }

  auto* sets = new QGroupBox(QString::fromUtf8("データフォルダの登録"), page);
  auto* row = new QHBoxLayout(sets);
  row->addWidget(Caption(sets, "データフォルダ名(&N):"));
  cmb_folder_name_ = platform::NamedCombo(sets, "CmbFolderName");
  QPushButton* save = platform::NamedButton(sets, "BtnFolderNameSave", "登録(&V)");
  QPushButton* remove = platform::NamedButton(sets, "BtnFolderNameDel", "削除(&D)");
  row->addWidget(cmb_folder_name_, 1);
  row->addWidget(save);
  row->addWidget(remove);
  v->addWidget(sets);
  FolderSetsFill("");
  connect(cmb_folder_name_, &QComboBox::textActivated, this, &TDlgSetup::FolderSetChosen);
  connect(save, &QPushButton::clicked, this, [this] {
    Store();
    std::optional<std::size_t> missing;
    auto name = FolderSetSave(ports_.files, ports_.dialogs, context_.program_folder, state_.settings.kalendor,
                              cmb_folder_name_->currentText().toStdString(), &missing);
    if (missing) edt_dir_[*missing]->setFocus();
    if (name) FolderSetsFill(*name);
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    const std::string name = cmb_folder_name_->currentText().toStdString();
    if (name.empty()) return;
    DeleteSetFile(ports_.files, context_.program_folder, name, kFolderSetExtension);
    FolderSetsFill("");
  });
  v->addStretch(1);
  return page;
}

void TDlgSetup::FolderSetsFill(const std::string& select) {
  filling_ = true;
  platform::FillCombo(cmb_folder_name_, app::FolderSetNames(ports_.files, context_.program_folder));
  cmb_folder_name_->setCurrentIndex(cmb_folder_name_->findText(Q(select)));
  filling_ = false;
}

void TDlgSetup::FolderSetChosen(const QString& name) {
  if (filling_ || name.isEmpty()) return;
  if (auto values = FolderSetChoose(ports_.files, ports_.dialogs, context_.program_folder, name.toStdString())) {
    Store();
    SetFolderValues(state_.settings.kalendor, *values);
    FolderBoxesFill();
  }
}

// The folder boxes and the path mode from the settings held.
void TDlgSetup::FolderBoxesFill() {
  store::KalendorSettings& k = state_.settings.kalendor;
  const auto members = FolderMembers(k);
  for (std::size_t i = 0; i < 6; ++i) edt_dir_[i]->setText(Q(*members[i]));
  if (auto* button = rdo_path_->findChild<QAbstractButton*>(QStringLiteral("RdoPath%1").arg(k.relative_path)))
    button->setChecked(true);
  AlarmListsFill();
}

void TDlgSetup::PathModeChanged(int mode) {
  Store();
  SetPathMode(state_.settings.kalendor, mode, context_.program_folder);
  FolderBoxesFill();
}

// ---- その他 -----------------------------------------------------------------------------------

QWidget* TDlgSetup::BuildOther() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* holidays = new QGroupBox(QString::fromUtf8("祝日"), page);
  auto* h = new QGridLayout(holidays);
  h->addWidget(Check(holidays, "ChkAutoHoliday", "祝日を自動設定する(&H)", s.view.auto_holiday), 0, 0);
  h->addWidget(Check(holidays, "ChkAutoSynSyu", "春分の日・秋分の日を自動計算する(&S)", s.view.auto_syn_syu), 1, 0);
  btn_holiday_ud_ = platform::NamedButton(holidays, "BtnHolidayUd", "祝日情報の更新");
  connect(btn_holiday_ud_, &QPushButton::clicked, this, &TDlgSetup::HolidayUpdate);
  h->addWidget(btn_holiday_ud_, 0, 1);
  h->setColumnStretch(0, 1);
  v->addWidget(holidays);
  btn_holiday_ud_->setEnabled(ports_.files.Exists(store::HolidayFilePath(
      app::ResolveFolder(s.kalendor.data_path, context_.program_folder))));

  auto* csv = new QGroupBox(QString::fromUtf8("CSVファイルの出力"), page);
  auto* c = new QVBoxLayout(csv);
  c->addWidget(Check(csv, "ChkCsvStrTime", "開始時刻のないスケジュールに開始時刻を出力する(&B)", s.file.csv_str_time));
  c->addWidget(Check(csv, "ChkCsvEndTime", "終了時刻のないスケジュールに終了時刻を出力する(&E)", s.file.csv_end_time));
  c->addWidget(Check(csv, "ChkCsvAlarm", "アラームを出力する(&A)", s.file.csv_alarm));
  v->addWidget(csv);

  auto* weather = new QGroupBox(QString::fromUtf8("天気のアイコン"), page);
  auto* w = new QHBoxLayout(weather);
  lst_weather_ = new QListWidget(weather);
  lst_weather_->setObjectName(QStringLiteral("LstWeather"));
  lst_weather_->setMaximumHeight(90);
  w->addWidget(lst_weather_, 1);
  auto* side = new QVBoxLayout;
  QPushButton* change = platform::NamedButton(weather, "BtnWeatherIocn", "アイコンの変更(&R)");
  QPushButton* origin = platform::NamedButton(weather, "BtnWeatherIconOriginal", "既定のアイコン(&N)");
  side->addWidget(change);
  side->addWidget(origin);
  side->addStretch(1);
  w->addLayout(side);
  v->addWidget(weather);
  connect(change, &QPushButton::clicked, this, [this] {
    const int row = lst_weather_->currentRow();
    if (row < 0) {
      ports_.dialogs.Error(kNoIconChosenMessage, "エラー");
      return;
    }
    if (auto file = ports_.dialogs.OpenFileName("", platform::FileFilter{kBitmapFilter}, "")) {
      state_.weather_icons[static_cast<std::size_t>(row)] = *file;
      WeatherListRefresh();
    }
  });
  connect(origin, &QPushButton::clicked, this, [this, &s] {
    s.view.weather_icon = "0000";
    state_.weather_icons = {};
    WeatherListRefresh();
  });
  v->addStretch(1);
  return page;
}

void TDlgSetup::WeatherListRefresh() {
  if (lst_weather_ == nullptr) return;
  const std::string& flags = state_.settings.view.weather_icon;
  const int row = lst_weather_->currentRow();
  lst_weather_->clear();
  const char* names[4] = {"晴れ", "曇り", "雨", "雪"};
  for (std::size_t i = 0; i < 4; ++i) {
    auto* item = new QListWidgetItem(QString::fromUtf8(names[i]), lst_weather_);
    std::string icon = state_.weather_icons[i];
    if (icon.empty() && i < flags.size() && flags[i] == '1') icon = context_.program_folder + WeatherIconFile(i);
    item->setIcon(icon.empty() ? QIcon(WeatherPixmap(static_cast<int>(i) + 1)) : QIcon(Q(icon)));
  }
  lst_weather_->setCurrentRow(row);
}

// "祝日情報の更新": the public holidays of Holiday.dat replaced by the built-in ones.
void TDlgSetup::HolidayUpdate() {
  if (ports_.dialogs.Message("最新の祝日情報に更新します。\n処理を続けますか？", "確認", platform::MsgIcon::Information,
                             platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
    return;
  const std::string path = store::HolidayFilePath(
      app::ResolveFolder(edt_dir_[0]->text().toStdString(), context_.program_folder));
  try {
    const int count = store::ReplacePublicHolidays(ports_.files, path);
    ports_.dialogs.Info(std::to_string(count) + "件の祝日情報を登録しました。", "確認");
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

}  // namespace kal::catalogues
