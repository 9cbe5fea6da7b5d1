#include "catalogues/TDlgSetup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QScreen>

#include <map>

#include "app/Startup.h"
#include "app/TFrmMain.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "store/IniFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/FaultyFileSystem.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

class TDlgSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A settings file of this version ("Ver=5.71"), as a running program leaves it.
    dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Window]", "Title=Kalendor"});
  }
  std::unique_ptr<TDlgSetup> Make() {
    SetupOpenContext context;
    context.program_folder = dir.path();
    context.settings_file = dir / "Kalendor.ini";
    context.defaults = store::SettingsDefaults{dir.path(), "IPAexGothic", 9};
    context.window_top = 40;
    context.window_left = 30;
    context.tool_buttons = mainwindow::ToolButtonCaptions();
    return std::make_unique<TDlgSetup>(SetupPorts{dialogs, fs, clock}, std::move(context));
  }
  template <class W>
  static W* Find(TDlgSetup& dlg, const char* name) {
    W* w = dlg.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // The value of every key of the file, counting repeats ("section/key" in lower case).
  std::map<std::string, std::vector<std::string>> Keys() {
    std::map<std::string, std::vector<std::string>> keys;
    std::string section;
    for (const auto& line : store::LoadTextLines(fs, dir / "Kalendor.ini")) {
      if (!line.empty() && line[0] == '[') {
        section = line.substr(1, line.size() - 2);
        continue;
      }
      const auto eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string name = section + "/" + line.substr(0, eq);
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      keys[name].push_back(line.substr(eq + 1));
    }
    return keys;
  }

  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 30, 0}};
};

TEST_F(TDlgSetupTest, HasTheFifteenPagesInOrder) {
  auto dlg = Make();
  EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("環境設定"));
  QStringList pages;
  for (int i = 0; i < dlg->PagSetup->count(); ++i) pages << dlg->PagSetup->tabText(i);
  EXPECT_EQ(pages, (QStringList{"起動", "表示", "全般", "スケジュール表", "バーチカル", "メモ", "ToDo", "ノート",
                                "ミニカレンダー", "ツールバー", "アラーム", "時報", "色とフォント", "データフォルダ", "その他"}));
  // The dialog's own defaults of keys the file lacks.
  EXPECT_TRUE(Find<QCheckBox>(*dlg, "ChkPop2")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(*dlg, "ChkPop1")->isChecked());
  EXPECT_EQ(Find<QComboBox>(*dlg, "CmbSignalForm")->currentText(), QString("h:nn:ss"));
  EXPECT_EQ(Find<QLabel>(*dlg, "PnlSignalSample")->text(), QString("9:30:00"));
  EXPECT_EQ(Find<QListWidget>(*dlg, "LstToolBar")->count(), 47);
  EXPECT_EQ(Find<QListWidget>(*dlg, "LstColor")->count(), 28);
}

// Every page once: one setting changed on each, then OK; the file holds each key once.
TEST_F(TDlgSetupTest, EveryPageWritesItsSettingOnOk) {
  dir.MakeFolder("data");
  auto dlg = Make();
  auto page = [&](SetupPage p) { dlg->ShowPage(p); };

  page(SetupPage::Startup);
  Find<QCheckBox>(*dlg, "ChkPasswd")->click();
  page(SetupPage::Display);
  Find<QLineEdit>(*dlg, "EdtTitle")->setText(QString::fromUtf8("私の予定"));
  page(SetupPage::General);
  Find<QCheckBox>(*dlg, "ChkCloseTray")->click();
  page(SetupPage::Calendar);
  Find<QComboBox>(*dlg, "CmbRen")->setCurrentIndex(5);
  page(SetupPage::Vertical);
  Find<QComboBox>(*dlg, "CmbStrTime")->setCurrentIndex(6);
  Find<QComboBox>(*dlg, "CmbEndTime")->setCurrentIndex(29);
  page(SetupPage::Memo);
  Find<QRadioButton>(*dlg, "RdoMemoIcon4")->click();
  page(SetupPage::Todo);
  auto* warning = Find<QCheckBox>(*dlg, "ChkPop1");
  auto* limit = Find<QCheckBox>(*dlg, "ChkPop2");
  auto* overdue = Find<QCheckBox>(*dlg, "ChkPop3");
  warning->click();
  EXPECT_TRUE(limit->isChecked());
  EXPECT_FALSE(limit->isEnabled()) << "警告 ticks and locks 期限";
  warning->click();
  EXPECT_TRUE(limit->isEnabled());
  EXPECT_FALSE(overdue->isEnabled()) << "期限 keeps 期限切れ locked";
  page(SetupPage::Note);
  Find<QCheckBox>(*dlg, "ChkNoteHBar")->click();
  page(SetupPage::Mini);
  Find<QCheckBox>(*dlg, "ChkMiniTrans")->click();
  Find<QSlider>(*dlg, "TrkMiniTrans")->setValue(15);
  EXPECT_EQ(Find<QLabel>(*dlg, "LblMiniTrans")->text(), QString("75%"));
  page(SetupPage::ToolBar);
  Find<QListWidget>(*dlg, "LstToolBar")->item(0)->setCheckState(Qt::Unchecked);
  page(SetupPage::Alarm);
  Find<QCheckBox>(*dlg, "ChkAlarmJust")->click();
  page(SetupPage::Signal);
  Find<QRadioButton>(*dlg, "RdoSignalMode0")->click();
  EXPECT_FALSE(Find<QLineEdit>(*dlg, "EdtSignalWav")->isEnabled()) << "設定しない disables the rest";
  page(SetupPage::ColourFont);
  Find<QListWidget>(*dlg, "LstColor")->setCurrentRow(1);  // 平日
  dialogs.colours = {0x123456};
  Find<QPushButton>(*dlg, "BtnFontCol")->click();
  page(SetupPage::Folders);
  Find<QLineEdit>(*dlg, "EdtDir1")->setText(QString::fromStdString(dir / "data/"));
  page(SetupPage::Other);
  Find<QCheckBox>(*dlg, "ChkCsvAlarm")->click();

  dlg->BtnOk->click();
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text;

  const auto keys = Keys();
  for (const auto& key : store::SettingsKeys(store::SettingsDefaults{})) {
    if (!key.dialog || (key.section == "Alarm" && key.key == "Sound")) continue;
    std::string name = key.section + "/" + key.key;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto it = keys.find(name);
    ASSERT_NE(it, keys.end()) << name;
    EXPECT_EQ(it->second.size(), 1u) << name;
  }
  auto value = [&](const char* name) { return keys.at(name).front(); };
  const std::pair<const char*, std::string> expected[] = {
      {"view/passwd", "1"},
      {"window/title", "私の予定"},
      {"tray/closetray", "1"},
      {"view/extendbar", "5"},
      {"vertical/strtime", "6"},
      {"vertical/endtime", "29"},
      {"memo/iconcolor", "5"},
      {"todo/pop", "2"},
      {"note/hbar", "1"},
      {"mini/trans", "1"},
      {"mini/transvalue", "60"},
      {"view/toolbaricon", "0" + std::string(46, '1')},
      {"alarm/mode", "2"},
      {"signal/mode", "0"},
      {"color/day", "$123456,$E1FFFF"},
      {"kalendor/datapath", dir / "data/"},
      {"file/csvalarm", "1"},
      {"kalendor/ver", "5.71"},
      {"window/now", "2026"},
      {"window/top", "40"},
      {"window/left", "30"},
  };
  for (const auto& [name, text] : expected) EXPECT_EQ(value(name), text) << name;
  EXPECT_TRUE(dir.Exists("data/Holiday.dat")) << "the default files go to the folders chosen";
  EXPECT_TRUE(dir.Exists("Category.tbl"));
}

TEST_F(TDlgSetupTest, CancelLeavesEveryFileAsItWas) {
  const std::string before = dir.Read("Kalendor.ini");
  auto dlg = Make();
  Find<QCheckBox>(*dlg, "ChkPasswd")->click();
  Find<QLineEdit>(*dlg, "EdtTitle")->setText("x");
  dlg->BtnCancel->click();
  EXPECT_EQ(dlg->result(), QDialog::Rejected);
  EXPECT_EQ(dir.Read("Kalendor.ini"), before);
  EXPECT_FALSE(dir.Exists("Holiday.dat"));
  EXPECT_FALSE(dir.Exists("Category.tbl"));
}

TEST_F(TDlgSetupTest, ARefusedOkShowsThePageAndKeepsTheDialogOpen) {
  const std::string before = dir.Read("Kalendor.ini");
  auto dlg = Make();
  dlg->show();
  dlg->ShowPage(SetupPage::Startup);
  Find<QComboBox>(*dlg, "CmbStrTime3")->setCurrentIndex(8);
  Find<QComboBox>(*dlg, "CmbEndTime3")->setCurrentIndex(7);
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "表示時刻は、開始 < 終了でなければなれません。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(dlg->PagSetup->currentIndex(), static_cast<int>(SetupPage::Vertical));
  EXPECT_NE(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(dir.Read("Kalendor.ini"), before);

  dialogs.shown.clear();
  Find<QComboBox>(*dlg, "CmbEndTime3")->setCurrentIndex(20);
  Find<QLineEdit>(*dlg, "EdtDir4")->setText("/no/such/folder/");
  dlg->BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "指定したデータフォルダは存在しません。");
  EXPECT_EQ(dlg->PagSetup->currentIndex(), static_cast<int>(SetupPage::Folders));
  EXPECT_TRUE(test::WaitUntil([&] { return Find<QLineEdit>(*dlg, "EdtDir4")->hasFocus(); }));
}

TEST_F(TDlgSetupTest, SwitchingToRelativePathsRewritesTheFolders) {
  dir.MakeFolder("data");
  dir.WriteLines("Kalendor.ini",
                 {"[Kalendor]", "Ver=5.71", "RelativePath=0", "DataPath=" + dir / "data/", "MemoPath=" + dir.path()});
  auto dlg = Make();
  Find<QRadioButton>(*dlg, "RdoPath1")->click();
  EXPECT_EQ(Find<QLineEdit>(*dlg, "EdtDir1")->text(), QString("data/"));
  EXPECT_EQ(Find<QLineEdit>(*dlg, "EdtDir2")->text(), QString(""));
  Find<QRadioButton>(*dlg, "RdoPath0")->click();
  EXPECT_EQ(Find<QLineEdit>(*dlg, "EdtDir1")->text().toStdString(), dir / "data/");
  EXPECT_EQ(Find<QLineEdit>(*dlg, "EdtDir6")->text().toStdString(), dir.path());
}

TEST_F(TDlgSetupTest, AColourSetChosenFromTheListFillsTheColours) {
  dir.WriteLines("夏.col", {"[Color]", "DAY=$0000FF,$00FF00"});
  auto dlg = Make();
  auto* sets = Find<QComboBox>(*dlg, "CmbSetcol");
  ASSERT_EQ(sets->count(), 1);
  emit sets->textActivated(QString::fromUtf8("夏"));
  dlg->BtnOk->click();
  EXPECT_EQ(Keys().at("color/day").front(), "$0000FF,$00FF00");
}

// ---- The first start --------------------------------------------------------------------------

// Runs `act` on the settings dialog once it is up (it is shown from a nested event loop, so it is
// polled for rather than waited on).
void WhenSetupShows(const std::function<void(QWidget*)>& act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* modal = test::FindModal();
    if (modal == nullptr || modal->objectName() != QStringLiteral("DlgSetup")) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start();
}

TEST(TDlgSetupFirstRun, CancellingTheInitialSettingsEndsTheProgram) {
  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
  app::Session session = app::ReadSession(dir.path(), app::kDefaultFontName, files, clock.Now().date).session;
  ASSERT_TRUE(session.first_run);
  auto window = std::make_unique<app::TFrmMain>(app::MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  window->EnableInitialSettings();
  // The normal shutdown (the exit-time save) runs: the window closes for good, not into the tray.
  bool ended = false;
  window->on_close_query = [&] { ended = true; };

  QString caption;
  bool centred = false;
  WhenSetupShows([&](QWidget* setup) {
    caption = setup->windowTitle();
    const QRect area = setup->screen()->availableGeometry();
    centred = std::abs(setup->geometry().center().x() - area.center().x()) <= 2 &&
              std::abs(setup->geometry().center().y() - area.center().y()) <= 2;
    setup->findChild<QPushButton*>(QStringLiteral("BtnCancel"))->click();
  });
  window->show();
  EXPECT_TRUE(test::WaitUntil([&] { return !window->isVisible(); }));
  EXPECT_EQ(caption, QString::fromUtf8("Version 5.71 初期設定"));
  EXPECT_TRUE(centred);
  EXPECT_TRUE(ended);
  // Ver stays unwritten: the next start is a first run again.
  EXPECT_FALSE(store::IniFile::Load(files, dir / "Kalendor.ini").Value("Kalendor", "Ver"));
  EXPECT_TRUE(app::ReadSession(dir.path(), app::kDefaultFontName, files, clock.Now().date).session.first_run);
}

TEST(TDlgSetupFirstRun, OkOnTheInitialSettingsKeepsTheProgramAndEndsTheFirstRun) {
  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
  app::Session session = app::ReadSession(dir.path(), app::kDefaultFontName, files, clock.Now().date).session;
  auto window = std::make_unique<app::TFrmMain>(app::MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  window->EnableInitialSettings();
  WhenSetupShows([&](QWidget* setup) {
    setup->findChild<QLineEdit*>(QStringLiteral("EdtTitle"))->setText(QString::fromUtf8("予定表"));
    setup->findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
  });
  window->show();
  EXPECT_TRUE(test::WaitUntil([&] { return window->windowTitle() == QString::fromUtf8("予定表"); }));
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->session().first_run);
  EXPECT_EQ(store::IniFile::Load(files, dir / "Kalendor.ini").Value("Kalendor", "Ver"), "5.71");
  EXPECT_TRUE(dir.Exists("Holiday.dat"));
}

}  // namespace
}  // namespace kal::catalogues
