#include "app/TFrmMain.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

#include "maintenance/TDlgPasswd.h"
#include "mainwindow/QtNotePanel.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/IniFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

class TFrmMainTest : public ::testing::Test {
 protected:
  std::unique_ptr<TFrmMain> Make(const std::string& title = "") {
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    session.settings.window.title = title;
    return std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
};

// Captions of a menu's items in order, separators as "-", submenus as "caption>".
QStringList Captions(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      out << QStringLiteral("-");
    } else {
      out << a->text() + (a->menu() ? QStringLiteral(">") : QString());
    }
  }
  return out;
}

QStringList Strings(std::initializer_list<const char*> list) {
  QStringList out;
  for (const char* s : list) out << QString::fromUtf8(s);
  return out;
}

TEST_F(TFrmMainTest, TheMenuBarHasTheSevenMenusWithBlanksAroundTheirCaptions) {
  auto w = Make();
  QStringList captions;
  for (QAction* a : w->menuBar()->actions()) captions << a->text();
  EXPECT_EQ(captions, Strings({" ファイル(&F) ", " 編集(&E) ", " 表示(&V) ", " 移動(&G) ", " ツール(&T) ",
                               " 設定(&S) ", " ヘルプ(&H) "}));
}

TEST_F(TFrmMainTest, EveryMenuHoldsItsItemsInOrder) {
  auto w = Make();
  struct Case {
    const char* menu;
    std::initializer_list<const char*> items;
  };
  const Case cases[] = {
      {"MenFile", {"インポート(&I)>", "エクスポート(&E)", "-", "スケジュール表の印刷(&P)", "印刷プレビュー(&V)", "-", "終了(&X)"}},
      {"MenImport", {"スケジュール(&S)", "祝日・休日・記念日(&H)", "ToDo(&T)", "天気情報(&W)"}},
      {"MenEdit",
       {"スケジュールの追加(&A)", "メモの編集(&M)", "ToDoの追加(&T)", "ノートの編集(&N)", "-", "スケジュール一覧(&S)",
        "祝日・休日・記念日一覧(&H)", "メモ一覧(&M)", "ToDo一覧(&O)", "天気情報一覧(&W)"}},
      {"MenView",
       {"ツールバー(&T)", "ステータスバー(&S)", "-", "前月ミニカレンダー(&B)", "当月ミニカレンダー(&C)",
        "次月ミニカレンダー(&X)", "-", "スケジュールリスト(&L)", "ノート(&N)", "メモ欄(&E)", "-",
        "複数日バーチカル(&R)", "週間バーチカル(&U)", "複数週間(&W)", "月間(&M)", "複数月(&P)", "複数年同月(&Q)",
        "年間横表示(&Y)", "年間縦表示(&F)", "-", "土・日を平日の1/2表示(&H)", "土・日を表示しない(&V)",
        "選択日の幅を自動調整(&A)", "件名を折り返して表示(&V)", "-", "アンダーパネル表示(&F)", "サイドパネル表示(&S)",
        "アンダー・サイドパネル表示(&P)", "-", "ミニカレンダー(&N)", "タスクトレイに格納(&K)", "-",
        "最新の情報に更新(&Z)"}},
      {"MenMove", {"今月(&H)", "次月(&N)", "前月(&B)", "-", "次年(&Y)", "前年(&Z)", "-", "指定した日付へ移動(&J)"}},
      {"MenTool",
       {"検索(&F)", "時刻の表示(&G)", "-", "バックアップとデータ削除(&B)", "バックアップデータのリストア(&R)", "-",
        "サーバーと同期(&Y)", "同期の設定(&O)...", "-", "アドオン一覧(&A)"}},
      {"MenSetting",
       {"環境設定(&E)", "分類の設定(&W)", "-", "行間設定>", "表示週数(&I)>", "画面サイズの初期化>", "-", "パスワード登録(&P)", "-",
        "チェック済みの分類を表示(&X)", "未チェックの分類を表示(&Y)", "すべての分類を表示(&Z)"}},
      {"MenLinePitch", {"1", "2", "3", "4", "5", "6", "7", "8"}},
      {"MenSizeReset", {"表示中の画面サイズを初期化", "すべての画面サイズを初期化", "ミニカレンダーのサイズを初期化"}},
      {"MenHelpMenu", {"Kalendor ヘルプ(&H)", "Webオンラインヘルプ(&W)", "-", "バージョン情報(&A)..."}},
  };
  for (const Case& c : cases) {
    QMenu* menu = w->Menu(QString::fromUtf8(c.menu));
    ASSERT_NE(menu, nullptr) << c.menu;
    EXPECT_EQ(Captions(menu), Strings(c.items)) << c.menu;
  }
}

TEST_F(TFrmMainTest, ShortcutsAreThoseOfTheMenuTable) {
  auto w = Make();
  const std::pair<const char*, const char*> cases[] = {
      {"MenDaily", "Ctrl+R"},    {"MenVertical", "Ctrl+U"},   {"MenWeekly", "Ctrl+W"},     {"MenMonthly", "Ctrl+M"},
      {"MenMonthly2", "Ctrl+P"}, {"MenMonthly3", "Ctrl+Q"},   {"MenYearly", "Ctrl+Y"},     {"MenYearly2", "Ctrl+F"},
      {"MenUnderPanel", "F8"},   {"MenSidePanel", "F9"},      {"MenPanelMode", "F10"},     {"MenMiniMode", "F12"},
      {"MenTray", "F3"},         {"MenRefresh", "F5"},        {"MenNowMonth", "Home"},     {"MenNextMonth", "Ctrl+N"},
      {"MenBeforeMonth", "Ctrl+B"}, {"MenNextYear", "Ctrl+Alt+N"}, {"MenBeforeYear", "Ctrl+Alt+B"},
      {"MenJump", "Ctrl+J"},     {"MenHelp", "F1"},           {"MenExit", ""},             {"MenSchAdd", ""},
  };
  for (const auto& [name, keys] : cases) {
    QAction* a = w->Action(QString::fromUtf8(name));
    ASSERT_NE(a, nullptr) << name;
    EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(keys))) << name;
  }
}

TEST_F(TFrmMainTest, OnlyTheCommandsThatExistAreEnabled) {
  auto w = Make();
  QStringList enabled;
  for (QAction* a : w->menuBar()->findChildren<QAction*>()) {
    if (a->isSeparator() || a->objectName().isEmpty() || a->menu() != nullptr) continue;
    if (a->isEnabled()) enabled << a->objectName();
  }
  enabled.sort();
  // The help commands, and the view modes, panels, week ends, widths, line pitch, counts, size
  // reset, period steps, go-to-date and refresh of the layout.
  EXPECT_EQ(enabled,
            Strings({"MenAddonList", "MenAutoWidth", "MenBackup", "MenBeforeMonth", "MenBeforeYear", "MenCr", "MenDaily", "MenExit", "MenExport",
                     "MenHelp", "MenHolidayList", "MenImportHoliday", "MenImportSch", "MenImportTodo", "MenImportWeather", "MenJump",
                     "MenLinePitch1", "MenLinePitch2", "MenLinePitch3", "MenLinePitch4", "MenLinePitch5",
                     "MenLinePitch6", "MenLinePitch7", "MenLinePitch8", "MenMemoEdit", "MenMemoList", "MenMemoPanel", "MenMiniBef",
                     "MenMiniCur", "MenMiniNxt", "MenMonthly", "MenMonthly2", "MenMonthly3", "MenNextMonth",
                     "MenNextYear", "MenNoteEdit", "MenNotePanel", "MenNowMonth", "MenPanelMode", "MenPassword",
                     "MenPreview", "MenPrint", "MenRefresh", "MenRestore", "MenSatSun", "MenSatSunNo", "MenSchAdd",
                     "MenSchList", "MenSchListView", "MenSearch", "MenSidePanel", "MenSizeResetAll", "MenSizeResetCurrent", "MenStatusBar", "MenSync", "MenSyncSetup",
                     "MenTimeSignal", "MenTodoAdd", "MenTodoList", "MenToolBar", "MenUnderPanel", "MenVersion", "MenVertical",
                     "MenWeatherList", "MenWebHelp", "MenWeekly", "MenYearly", "MenYearly2", "PopWek5", "PopWek6"}));
  // Commands of later parts stay disabled.
  for (const char* name : {"MenMiniMode", "MenTray", "MenSetup"}) {
    EXPECT_FALSE(w->Action(QString::fromUtf8(name))->isEnabled()) << name;
  }
  // A submenu is enabled with its commands (the import submenu with its four targets).
  EXPECT_TRUE(w->Menu(QStringLiteral("MenImport"))->menuAction()->isEnabled());
  EXPECT_TRUE(w->Menu(QStringLiteral("MenFile"))->menuAction()->isEnabled());
}

TEST_F(TFrmMainTest, TheViewModesAreOneRadioGroupWithTheMonthlyModeChecked) {
  auto w = Make();
  QAction* monthly = w->Action(QStringLiteral("MenMonthly"));
  QAction* daily = w->Action(QStringLiteral("MenDaily"));
  EXPECT_TRUE(monthly->isChecked());
  daily->setChecked(true);
  EXPECT_FALSE(monthly->isChecked());
  // The line pitch items are a group of their own.
  w->Action(QStringLiteral("MenLinePitch3"))->setChecked(true);
  EXPECT_TRUE(daily->isChecked());
}

TEST_F(TFrmMainTest, TheTitleComesFromTheSettings) {
  EXPECT_EQ(Make()->windowTitle(), QStringLiteral("Kalendor"));
  EXPECT_EQ(Make("我が家の予定")->windowTitle(), QStringLiteral("我が家の予定"));
  EXPECT_EQ(Make("我が家の予定")->BaseTitle(), QStringLiteral("我が家の予定"));
}

TEST_F(TFrmMainTest, TheStatusBarHasTwoPanels) {
  auto w = Make();
  w->show();
  ASSERT_NE(w->StatusPanel(0), nullptr);
  ASSERT_NE(w->StatusPanel(1), nullptr);
  EXPECT_EQ(w->StatusPanel(2), nullptr);
  EXPECT_EQ(w->StatusPanel(0)->parentWidget(), w->statusBar());
  EXPECT_EQ(w->StatusPanel(1)->parentWidget(), w->statusBar());
  EXPECT_EQ(w->StatusPanel(1)->width(), 120);
  // The text panel takes the rest of the 920-pixel window.
  EXPECT_GT(w->StatusPanel(0)->width(), 600);
  EXPECT_EQ(w->size(), QSize(920, 680));
  EXPECT_NE(w->CentralArea(), nullptr);
  EXPECT_EQ(w->centralWidget(), w->CentralArea());
}

TEST_F(TFrmMainTest, TheFirstShowRunsItsWorkOnce) {
  auto w = Make();
  int first_shows = 0;
  w->on_first_show = [&] {
    ++first_shows;
    EXPECT_TRUE(w->isVisible());
  };
  w->show();
  EXPECT_TRUE(test::WaitUntil([&] { return first_shows == 1; }));
  w->hide();
  w->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(first_shows, 1);
}

TEST_F(TFrmMainTest, ExitRunsTheCloseQueryAndClosesTheWindow) {
  auto w = Make();
  int queries = 0;
  w->on_close_query = [&] { ++queries; };
  w->show();
  w->Action(QStringLiteral("MenExit"))->trigger();
  EXPECT_EQ(queries, 1);
  EXPECT_FALSE(w->isVisible());
}

TEST_F(TFrmMainTest, TheHelpCommandReportsAMissingHelpFile) {
  auto w = Make();
  w->Action(QStringLiteral("MenHelp"))->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "ヘルプファイル \"" + dir.path() + "Kalendor.chm\" が見つかりません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(shell.opened.empty());

  dir.Write("Kalendor.chm", "x");
  w->Action(QStringLiteral("MenHelp"))->trigger();
  EXPECT_EQ(shell.opened, (std::vector<std::string>{dir.path() + "Kalendor.chm"}));
  w->Action(QStringLiteral("MenWebHelp"))->trigger();
  EXPECT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(shell.opened.back().rfind("https://", 0), 0u);
}

TEST_F(TFrmMainTest, TheAboutBoxShowsTheVersion) {
  auto w = Make();
  QString caption;
  QString version;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    QWidget* box = test::FindModal();
    if (box == nullptr) return;
    caption = box->windowTitle();
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("LblVersion"))) version = label->text();
    box->close();
  });
  w->Action(QStringLiteral("MenVersion"))->trigger();
  EXPECT_EQ(caption, QStringLiteral("バージョン情報"));
  EXPECT_TRUE(version.startsWith(QStringLiteral("Version 5.71."))) << version.toStdString();
  EXPECT_EQ(version.size(), QStringLiteral("Version 5.71.yymmdd").size());
}

TEST_F(TFrmMainTest, AWakeUpBringsTheWindowBack) {
  auto w = Make();
  // Hidden in the tray: the restore from the tray does the work.
  int restores = 0;
  w->on_show_from_tray = [&] {
    ++restores;
    w->show();
  };
  w->BringForward();
  EXPECT_EQ(restores, 1);
  EXPECT_TRUE(w->isVisible());
  // Minimised: restored.
  w->showMinimized();
  w->BringForward();
  EXPECT_FALSE(w->isMinimized());
  EXPECT_EQ(restores, 1);
  // Without a tray restore the window is simply shown.
  auto plain = Make();
  plain->BringForward();
  EXPECT_TRUE(plain->isVisible());
}

TEST_F(TFrmMainTest, AWindowClosedWhileInitialisingWritesNothing) {
  auto w = Make();
  EXPECT_TRUE(w->Initialising());
  w->close();
  EXPECT_FALSE(dir.Exists("Kalendor.ini"));
}

TEST_F(TFrmMainTest, AnUnchangedWindowWritesNothingAtExit) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Window]", "Now=2026", "PosMode=5", "Top=40", "Left=30"});
  const std::string before = dir.Read("Kalendor.ini");
  auto w = Make();
  w->show();
  ASSERT_TRUE(test::WaitUntil([&] { return !w->Initialising(); }));
  w->close();
  EXPECT_EQ(dir.Read("Kalendor.ini"), before);
}

TEST_F(TFrmMainTest, AResizedWindowWritesItsLayoutAtExit) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Window]", "Now=2026", "PosMode=5", "Top=40", "Left=30"});
  auto w = Make();
  w->show();
  ASSERT_TRUE(test::WaitUntil([&] { return !w->Initialising(); }));
  w->resize(800, 600);
  w->close();
  store::IniFile ini = store::IniFile::Load(files, dir / "Kalendor.ini");
  EXPECT_EQ(ini.ReadInteger("Window", "Now", 0), 2026);
  EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 800);
  EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), 600);
  EXPECT_EQ(ini.ReadInteger("Window", "State", -1), 2);
  EXPECT_EQ(ini.ReadString("Kalendor", "Ver", ""), "5.71");
  EXPECT_TRUE(ini.Value("Monthly", "ItemView"));  // the view shown since start-up
  EXPECT_FALSE(ini.Value("Daily", "ItemView"));
}

}  // namespace
}  // namespace kal::app

namespace kal::app {
namespace {

TEST_F(TFrmMainTest, AfterARestoreTheWindowClosesWithoutWritingOverTheRestoredFiles) {
  test::TempFolder backup;
  backup.Write("Data/202612.sch", "restored\r\n");
  backup.Write("Tbl/Alarm.tbl", "restored\r\n");
  auto w = Make();
  w->show();
  dialogs.answers = {platform::MsgAnswer::Yes};
  dialogs.file_names = {backup.path()};
  w->Action(QStringLiteral("MenRestore"))->trigger();
  ASSERT_TRUE(test::WaitUntil([&] { return !w->isVisible(); }));
  EXPECT_EQ(dir.Read("202612.sch"), "restored\r\n");
  EXPECT_EQ(dir.Read("Alarm.tbl"), "restored\r\n");
  EXPECT_FALSE(dir.Exists("Kalendor.ini"));  // no exit-time layout write
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, "2個のファイルのリストア完了しました。\nKalendorを再起動して下さい。");
}

}  // namespace
}  // namespace kal::app

namespace kal::app {
namespace {

TEST_F(TFrmMainTest, TheProtectedNoteAsksForTheProgramPasswordAndCancelGoesBack) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Note]", "Password=1"});
  dir.WriteLines("Note.lst", {"A", "秘密"});
  dir.WriteLines("秘密.not", {"見せない"});
  std::string error;
  ASSERT_TRUE(maintenance::StorePassword(files, dir.path(), "abcd", &error));
  auto w = Make();
  QTabBar* tabs = w->NotePanel()->TabNote;
  ASSERT_EQ(tabs->count(), 2);

  test::OnNextModal<maintenance::TDlgPasswd>([](maintenance::TDlgPasswd* dlg) {
    EXPECT_EQ(dlg->LblPasswd->text(), QStringLiteral("ノートのパスワードの入力:"));
    dlg->EdtPasswd->setText(QStringLiteral("abcd"));
    dlg->BtnOk->click();
    if (dlg->isVisible()) dlg->reject();
  });
  tabs->setCurrentIndex(1);
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(w->NotePanel()->LstNote->count(), 1);

  tabs->setCurrentIndex(0);
  test::OnNextModal<maintenance::TDlgPasswd>(
      [](maintenance::TDlgPasswd* dlg) { dlg->BtnCancel->click(); });
  tabs->setCurrentIndex(1);
  EXPECT_EQ(tabs->currentIndex(), 0);
}

}  // namespace
}  // namespace kal::app
