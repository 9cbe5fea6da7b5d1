#include "app/TDlgWeather.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/QtControls.h"

namespace kal::app {
namespace {

using platform::NamedCombo;
using platform::Q;

QLineEdit* Edit(QWidget* parent, const char* name) {
  QLineEdit* e = platform::NamedEdit(parent, name);
  e->setMaxLength(static_cast<int>(store::kWeatherTextChars));
  return e;
}

}  // namespace

TDlgWeather::TDlgWeather(platform::Dialogs& dialogs, platform::FileSystem& files, const std::string& path,
                         const store::Date& date, const std::string& day_line, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), files_(files), path_(path), day_(store::DayOf(date)) {
  setWindowTitle(Q(store::WeatherDialogCaption(date)));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);

  CmbWeather1 = NamedCombo(this, "CmbWeather1", store::WeatherChoices());
  CmbWeather2 = NamedCombo(this, "CmbWeather2", store::TransitionChoices());
  CmbWeather3 = NamedCombo(this, "CmbWeather3", store::WeatherChoices());
  EdtMaxTemp = Edit(this, "EdtMaxTemp");
  EdtMinTemp = Edit(this, "EdtMinTemp");
  EdtRainPer = Edit(this, "EdtRainPer");
  BtnClear = platform::NamedButton(this, "BtnClear", "クリア");
  platform::MakeOkCancel(this, BtnOk, BtnCancel);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("天気:"), this), 0, 0);
  auto* weather = new QHBoxLayout;
  weather->addWidget(CmbWeather1);
  weather->addWidget(CmbWeather2);
  weather->addWidget(CmbWeather3);
  grid->addLayout(weather, 0, 1, 1, 2);
  const std::pair<const char*, const char*> texts[] = {{"最高気温:", "℃"}, {"最低気温:", "℃"}, {"降水確率:", "％"}};
  QLineEdit* edits[] = {EdtMaxTemp, EdtMinTemp, EdtRainPer};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(new QLabel(QString::fromUtf8(texts[i].first), this), i + 1, 0);
    grid->addWidget(edits[i], i + 1, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(texts[i].second), this), i + 1, 2);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnClear);
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addLayout(buttons);

  const store::WeatherInput in = store::WeatherInputFromLine(day_line);
  CmbWeather1->setCurrentIndex(in.weather1);
  CmbWeather2->setCurrentIndex(in.transition);
  CmbWeather3->setCurrentIndex(in.weather2);
  EdtMaxTemp->setText(Q(in.max_temp));
  EdtMinTemp->setText(Q(in.min_temp));
  EdtRainPer->setText(Q(in.rain));
  UpdateEnabled();

  connect(CmbWeather1, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabled(); });
  connect(CmbWeather2, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabled(); });
  connect(BtnClear, &QPushButton::clicked, this, [this] { BtnClearClick(); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgWeather::UpdateEnabled() {
  // Without a weather 1 there is no transition; without a transition no weather 2.
  if (CmbWeather1->currentIndex() <= 0) CmbWeather2->setCurrentIndex(0);
  CmbWeather2->setEnabled(CmbWeather1->currentIndex() > 0);
  if (CmbWeather2->currentIndex() <= 0) CmbWeather3->setCurrentIndex(0);
  CmbWeather3->setEnabled(CmbWeather2->currentIndex() > 0);
}

store::WeatherInput TDlgWeather::Input() const {
  store::WeatherInput in;
  in.weather1 = std::max(0, CmbWeather1->currentIndex());
  in.transition = std::max(0, CmbWeather2->currentIndex());
  in.weather2 = std::max(0, CmbWeather3->currentIndex());
  in.max_temp = EdtMaxTemp->text().toStdString();
  in.min_temp = EdtMinTemp->text().toStdString();
  in.rain = EdtRainPer->text().toStdString();
  return in;
}

void TDlgWeather::BtnClearClick() {
  CmbWeather1->setCurrentIndex(0);
  CmbWeather2->setCurrentIndex(0);
  CmbWeather3->setCurrentIndex(0);
  UpdateEnabled();
  EdtMaxTemp->clear();
  EdtMinTemp->clear();
  EdtRainPer->clear();
}

void TDlgWeather::BtnOkClick() {
  if (auto refused = store::StoreWeather(files_, path_, day_, Input())) {
    dialogs_.Error(*refused, "入力エラー");
    return;
  }
  accept();
}

}  // namespace kal::app
