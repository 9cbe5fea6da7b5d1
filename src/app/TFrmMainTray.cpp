// The main window in the notification area: the tray icon and its menu, hiding into the tray and
// coming back, mini mode, the hot key and the marks of the status bar.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimer>
#include <QToolBar>

#include "app/TFrmMain.h"
#include "app/TFrmMainTray.h"
#include "maintenance/TDlgPasswd.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/MemoBox.h"
#include "mainwindow/QtToolIcons.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/QtDesktop.h"
#include "store/DatePattern.h"

namespace kal::app {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

QColor FromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// The `Tray` font key (name, size, style bits 1 bold, 2 italic); size 10 by default.
QFont TrayFont(const std::vector<std::string>& key) {
  QFont font = QApplication::font();
  int size = 10;
  if (key.size() >= 2) {
    try {
      size = std::stoi(key[1]);
    } catch (...) {
    }
  }
  if (!key.empty() && !key[0].empty()) font.setFamily(U(key[0]));
  font.setPointSize(size > 0 ? size : 10);
  if (key.size() >= 3) {
    try {
      const int style = std::stoi(key[2]);
      font.setBold((style & 1) != 0);
      font.setItalic((style & 2) != 0);
    } catch (...) {
    }
  }
  return font;
}

// The 16 x 16 tray picture: a calendar leaf with the day number centred in the day kind's colour.
QIcon TrayDayPicture(int day, const QColor& colour, const QFont& font) {
  QIcon icon;
  for (const int size : {16, 32}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal k = size / 16.0;
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), k * 0.75));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5 * k, 0.5 * k, 15 * k, 15 * k));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawRect(QRectF(k, k, 14 * k, 3 * k));
    QFont f = font;
    // The number fits below the band whatever the font's point size.
    f.setPixelSize(std::min(static_cast<int>(12 * k), std::max(6, QFontInfo(font).pixelSize()) * size / 16));
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRectF(0, 4 * k, size, 12 * k), Qt::AlignCenter, QString::number(day));
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

// The alarm mark: a bell, drawn grey when alarm sounds are off.
QPixmap AlarmMarkPixmap(bool sound) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor body = sound ? QColor(0xE0, 0xA0, 0x00) : QColor(0x90, 0x90, 0x90);
  p.setPen(QPen(body.darker(150), 1));
  p.setBrush(body);
  QPainterPath bell;
  bell.moveTo(3, 12);
  bell.cubicTo(4.5, 11, 4, 4, 8, 3);
  bell.cubicTo(12, 4, 11.5, 11, 13, 12);
  bell.closeSubpath();
  p.drawPath(bell);
  p.drawEllipse(QPointF(8, 13.5), 1.5, 1.5);
  if (!sound) {
    p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 1.5));
    p.drawLine(QPointF(2, 2), QPointF(14, 14));
  }
  p.end();
  return pixmap;
}

// The caption of the hot key's report when it comes in a message box.
constexpr const char* kHotKeyCaption = "ホットキー";

// A double click on a widget's own background (not on its buttons) runs `on_double_click`.
class DoubleClickWatcher : public QObject {
 public:
  DoubleClickWatcher(QObject* parent, std::function<void()> on_double_click)
      : QObject(parent), on_double_click_(std::move(on_double_click)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      on_double_click_();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> on_double_click_;
};

// Runs `on_show` each time the watched window is about to be shown (before it is mapped).
class ShowEventWatcher : public QObject {
 public:
  ShowEventWatcher(QObject* parent, std::function<void()> on_show) : QObject(parent), on_show_(std::move(on_show)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched == parent()) on_show_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> on_show_;
};

QScreen* ScreenOf(const QWidget* w) {
  QScreen* s = w->screen();
  return s ? s : QGuiApplication::primaryScreen();
}

}  // namespace

// ---- Tray icon and menu ------------------------------------------------------------------------

void TFrmMain::TraySetup(bool tray_available) {
  TFrmMainTrayParts& t = *tray_;
  t.tray_available = tray_available;
  const store::Settings& st = session_.settings;

  // The status bar marks live on panel 1, at 2 and 24 pixels from its left.
  if (t.alarm_mark == nullptr) {
    t.alarm_mark = new QLabel(panels_[1]);
    t.alarm_mark->setObjectName(QStringLiteral("SbrAlarmMark"));
    t.alarm_mark->setGeometry(2, 1, 16, 16);
    t.alarm_mark->hide();
    t.signal_mark = new QLabel(panels_[1]);
    t.signal_mark->setObjectName(QStringLiteral("SbrSignalMark"));
    t.signal_mark->setGeometry(24, 1, 16, 16);
    t.signal_mark->setPixmap(mainwindow::ToolIconPixmap(QStringLiteral("MenTimeSignal"), 16));
    t.signal_mark->hide();
  }

  if (t.menu == nullptr) {
    t.menu = new QMenu(this);
    t.menu->setObjectName(QStringLiteral("PopTrayMain"));
    auto add = [&](const char* name, const char* caption, auto handler) {
      QAction* a = t.menu->addAction(QString::fromUtf8(caption));
      a->setObjectName(QString::fromUtf8(name));
      connect(a, &QAction::triggered, this, handler);
      return a;
    };
    add("PopTraySchAdd", "スケジュールの追加(&A)", [this] {
      FormActive();
      DaySchAdd();
    });
    // The list, memo and settings dialogs open from their own menu items once they exist.
    auto forward = [this](const char* menu_name) {
      return [this, menu_name] {
        QAction* a = Action(QString::fromUtf8(menu_name));
        if (a == nullptr || !a->isEnabled()) return;
        FormActive();
        a->trigger();
      };
    };
    add("PopTraySchList", "スケジュール一覧(&E)", forward("MenSchList"));
    add("PopTrayMemo", "メモの編集(&M)", forward("MenMemoEdit"));
    add("PopTraySetup", "環境設定(&S)", forward("MenSetup"));
    t.menu->addSeparator();
    add("PopTraySize", "タスクトレイに入れる(&R)", [this] {
      if (isVisible()) {
        TaskTraySet();
      } else {
        MainFormShow();
      }
    });
    add("PopTrayMini", "ミニカレンダー(&N)", [this] {
      if (isVisible()) {
        SmallSize();
        return;
      }
      // From the tray: mini mode is switched as the window comes out.
      MainFormShow();
      if (isVisible()) SmallSize();
    });
    t.menu->addSeparator();
    add("PopTrayExit", "終了(&X)", [this] { MenExitClick(); });
    // Captions and the password lock are brought up to date each time the menu opens.
    connect(t.menu, &QMenu::aboutToShow, this, [this] {
      TFrmMainTrayParts& tp = *tray_;
      const mainwindow::TrayMenuText text = mainwindow::TrayMenuCaptions(isVisible(), tp.mini.Active());
      tp.menu->findChild<QAction*>(QStringLiteral("PopTraySize"))->setText(U(text.size));
      tp.menu->findChild<QAction*>(QStringLiteral("PopTrayMini"))->setText(U(text.mini));
      for (const char* name : {"PopTraySchAdd", "PopTraySchList", "PopTrayMemo", "PopTraySetup"}) {
        QAction* a = tp.menu->findChild<QAction*>(QString::fromUtf8(name));
        const char* menu_name = std::string_view(name) == "PopTraySchAdd"    ? "MenSchAdd"
                                : std::string_view(name) == "PopTraySchList" ? "MenSchList"
                                : std::string_view(name) == "PopTrayMemo"    ? "MenMemoEdit"
                                                                             : "MenSetup";
        QAction* m = Action(QString::fromUtf8(menu_name));
        a->setEnabled(tp.lock.ItemsEnabled() && m != nullptr && m->isEnabled());
      }
      // While the tray password is asked nothing of the menu works (the window waits for it).
      if (tp.password_open) {
        for (QAction* a : tp.menu->actions()) a->setEnabled(false);
      } else {
        for (const char* name : {"PopTraySize", "PopTrayMini", "PopTrayExit"})
          tp.menu->findChild<QAction*>(QString::fromUtf8(name))->setEnabled(true);
      }
    });
  }

  // The window commands.
  QAction* tray_command = Action(QStringLiteral("MenTray"));
  QAction* mini_command = Action(QStringLiteral("MenMiniMode"));
  QAction* mini_reset = Action(QStringLiteral("MenSizeResetMini"));
  if (tray_command->property("trayConnected").isNull()) {
    tray_command->setProperty("trayConnected", true);
    connect(tray_command, &QAction::triggered, this, &TFrmMain::TaskTraySet);
    connect(mini_command, &QAction::triggered, this, &TFrmMain::SmallSize);
    connect(mini_reset, &QAction::triggered, this, &TFrmMain::MiniSizeResetClick);
    // "すべての画面サイズを初期化" resets the mini size as well.
    if (QAction* reset_all = Action(QStringLiteral("MenSizeResetAll"))) {
      connect(reset_all, &QAction::triggered, this, [this] {
        if (!tray_->mini.Active() && mainwindow::MiniSizeReset(session_.settings.mini)) session_.layout_changed = true;
      });
    }
    // F12 and F3 keep working in mini mode, where the menu bar is hidden. A held key switches
    // once: the window is re-created by each switch, and a repeat would switch it back.
    mini_command->setAutoRepeat(false);
    tray_command->setAutoRepeat(false);
    addAction(mini_command);
    addAction(tray_command);
    // TaskBar: no task-bar button while the tray can bring the window back (set again each time
    // the window is shown: mini mode re-creates it, and hiding drops the state).
    installEventFilter(new ShowEventWatcher(this, [this] {
      const bool off = mainwindow::TaskBarButtonHidden(
          {tray_->tray_available, session_.settings.tray.close_tray, session_.settings.window.task_bar});
      if (off || tray_->task_bar_off) platform::KeepOffTaskBar(this, off);
      tray_->task_bar_off = off;
    }));
    // The desktop keeps the title bar's double click to itself (it maximises): the navigation
    // bar, the window's own caption strip, takes it instead and switches mini mode (TitleBar).
    if (QWidget* nav = findChild<QWidget*>(QStringLiteral("PnlMonSch"))) {
      nav->installEventFilter(new DoubleClickWatcher(nav, [this] {
        if (session_.settings.mini.title_bar) SmallSize();
      }));
    }
  }
  mini_command->setEnabled(true);
  mini_reset->setEnabled(true);
  if (QMenu* parent = Menu(QStringLiteral("MenSizeReset"))) parent->menuAction()->setEnabled(true);
  // Without a notification area a hidden window could not be reached again.
  tray_command->setEnabled(tray_available);
  tray_command->setToolTip(tray_available ? QString() : QString::fromUtf8(mainwindow::kNoTrayTip));
  if (layout_ != nullptr && layout_->ToolBar() != nullptr) {
    for (QAction* a : layout_->ToolBar()->actions()) {
      if (a->objectName() == QStringLiteral("TbtTray")) {
        a->setEnabled(tray_available);
        if (!tray_available) a->setToolTip(QString::fromUtf8(mainwindow::kNoTrayTip));
      }
      if (a->objectName() == QStringLiteral("TbtMiniMode")) a->setEnabled(true);
    }
  }

  if (tray_available && !t.tray) {
    t.tray = std::make_unique<platform::QtTray>();
    t.tray->on_click = [this] { MainFormShow(); };
    connect(t.tray->Icon(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      if (reason != QSystemTrayIcon::Context || tray_->password_open) return;
      activateWindow();
    });
    t.tray->Icon()->setContextMenu(t.menu);
  }
  IconTraySet();
  if (t.tray) t.tray->Show();

  // The tray picture follows the date: checked every minute.
  if (t.day_timer == nullptr) {
    t.day_timer = new QTimer(this);
    t.day_timer->setInterval(60 * 1000);
    connect(t.day_timer, &QTimer::timeout, this, [this] {
      if (!(ports_.clock.Now().date == tray_->icon_date)) IconTraySet();
    });
    t.day_timer->start();
  }

  setWindowFlag(Qt::WindowStaysOnTopHint, st.window.stay_on_top);

  TrayHotKeySet();
}

void TFrmMain::TrayHotKeySet() {
  TFrmMainTrayParts& t = *tray_;
  const std::optional<int> wanted = mainwindow::WantedHotKey(session_.settings.tray);
  if (!wanted) {
    if (t.hot_key) t.hot_key->Unregister();
    t.hot_key_value = 0;
    return;
  }
  if (t.hot_key_value == *wanted) return;  // held already
  if (!t.hot_key) {
    t.hot_key = t.make_hot_key ? t.make_hot_key() : std::make_unique<platform::QtHotKey>();
    t.hot_key->on_pressed = [this] { FormActive(); };
  }
  t.hot_key->Unregister();
  t.hot_key_value = 0;
  if (t.hot_key->Register(*wanted)) {
    t.hot_key_value = *wanted;
    return;
  }
  // One attempt per call: the key stays unregistered until the next start or settings change.
  if (!t.hot_key_reports.FirstFailure(*wanted)) return;
  const QString text = U(mainwindow::HotKeyFailureText(*wanted));
  // Shown once the window is on the screen: over the status bar's panels, or in a message box
  // when the status bar is not shown (mini mode, or switched off).
  QTimer::singleShot(0, this, [this, text] {
    if (statusBar()->isVisible()) {
      statusBar()->showMessage(text, 15000);
    } else {
      ports_.dialogs.Message(text.toStdString(), kHotKeyCaption, platform::MsgIcon::Warning, platform::MsgButtons::Ok);
    }
  });
}

bool TFrmMain::TrayAvailable() const { return tray_->tray_available; }
QMenu* TFrmMain::TrayMenu() const { return tray_->menu; }
bool TFrmMain::MiniModeOn() const { return tray_->mini.Active(); }

void TFrmMain::IconTraySet() {
  TFrmMainTrayParts& t = *tray_;
  const store::Date today = ports_.clock.Now().date;
  const bool new_day = !(today == t.icon_date);
  t.icon_date = today;
  const int kind = mainwindow::TrayDayKind(model_->Day(today).kind,
                                           store::WeekdayNumber(today));
  // On the same day (an icon re-added) the colour of the last picture is used again.
  if (new_day || t.icon_colour < 0) t.icon_colour = mainwindow::TrayDayColour(kind, session_.settings.color);
  if (!t.tray) return;
  t.tray->SetTip(mainwindow::TrayTip(today));
  if (session_.settings.tray.tray_icon) {
    t.tray->Icon()->setIcon(
        TrayDayPicture(store::DayOf(today), FromBgr(t.icon_colour), TrayFont(session_.settings.font.tray)));
  } else {
    t.tray->SetDayNumber(0);
  }
}

// ---- Hiding and showing -------------------------------------------------------------------

void TFrmMain::TaskTraySet() {
  const mainwindow::WindowAction action = mainwindow::WindowCommandAction(
      mainwindow::WindowCommand::TrayCommand, {tray_->tray_available, false, false}, {isVisible(), isMinimized()});
  if (action == mainwindow::WindowAction::Minimise) {
    showMinimized();
    return;
  }
  tray_->lock.Hidden(session_.settings.tray.passwd2);
  hide();
}

void TFrmMain::MainFormShow() {
  TFrmMainTrayParts& t = *tray_;
  if (t.password_open) return;
  const mainwindow::WindowAction action = mainwindow::WindowCommandAction(
      mainwindow::WindowCommand::TrayClick, {t.tray_available, false, false}, {isVisible(), isMinimized()});
  if (action != mainwindow::WindowAction::Show) {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    TaskTraySet();
    return;
  }
  if (session_.settings.tray.passwd2) {
    // The password entry with the label "パスワードの入力:"; without a password file it warns
    // that none is set and lets the window out.
    t.password_open = true;
    const bool ok = t.ask_password ? t.ask_password()
                                   : maintenance::AskPassword(ports_.files, ports_.dialogs, session_.program_folder,
                                                              maintenance::kTrayLabel, this) !=
                                         maintenance::PasswordCheck::Refused;
    t.password_open = false;
    if (!ok) return;
  }
  t.lock.Unlocked();
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TFrmMain::FormActive() {
  const mainwindow::WindowAction action = mainwindow::WindowCommandAction(
      mainwindow::WindowCommand::Activate, {tray_->tray_available, false, false}, {isVisible(), isMinimized()});
  switch (action) {
    case mainwindow::WindowAction::Show:
      MainFormShow();
      return;
    case mainwindow::WindowAction::Restore:
      setWindowState(windowState() & ~Qt::WindowMinimized);
      break;
    default:
      break;
  }
  raise();
  activateWindow();
}

bool TFrmMain::TrayCloseEvent(QCloseEvent* event) {
  if (tray_->exiting) return false;
  const mainwindow::WindowAction action = mainwindow::WindowCommandAction(
      mainwindow::WindowCommand::CloseButton,
      {tray_->tray_available, session_.settings.tray.close_tray, session_.settings.window.task_bar},
      {isVisible(), isMinimized()});
  if (action == mainwindow::WindowAction::Close) return false;
  event->ignore();
  if (action == mainwindow::WindowAction::Hide) {
    TaskTraySet();
  } else {
    showMinimized();
  }
  return true;
}

void TFrmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  TFrmMainTrayParts& t = *tray_;
  if (isMaximized() && t.mini.Active()) {
    // The mini window is never maximised: the desktop's maximise (a double click on its title
    // bar, or the maximise button kept with TitleBar) switches back to the normal window, or
    // without TitleBar is undone.
    QTimer::singleShot(0, this, [this] {
      if (!isMaximized() || !tray_->mini.Active()) return;
      if (session_.settings.mini.title_bar) {
        SmallSize();
      } else {
        showNormal();
      }
    });
    return;
  }
  if (isMinimized()) {
    const mainwindow::WindowAction action = mainwindow::WindowCommandAction(
        mainwindow::WindowCommand::MinimiseButton,
        {t.tray_available, session_.settings.tray.close_tray, session_.settings.window.task_bar}, {true, false});
    if (action == mainwindow::WindowAction::Hide) {
      // Minimising with TaskBar hides into the tray instead.
      QTimer::singleShot(0, this, [this] {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        TaskTraySet();
      });
      return;
    }
    t.minimised_title = true;
    setWindowTitle(U(mainwindow::MinimisedTitle(ports_.clock.Now().date)));
  } else if (t.minimised_title) {
    t.minimised_title = false;
    setWindowTitle(t.mini.Active() ? U(store::FormatDatePattern("yyyy年m月d日(aaa)", selected_date_)) : title_);
  }
}

// ---- Mini mode ---------------------------------------------------------------------------------

void TFrmMain::SmallSize() {
  TFrmMainTrayParts& t = *tray_;
  store::Settings& st = session_.settings;
  const bool was_visible = isVisible();
  const QRect avail = ScreenOf(this)->availableGeometry();
  const mainwindow::ScreenArea area{avail.left(), avail.top(), avail.width(), avail.height()};
  if (!t.mini.Active()) {
    // The memo box is written now: it is not saved while mini mode is on.
    MemDailyUpdate();
    if (memo_box_) memo_box_->SetMiniMode(true);
    const store::WindowGeometry mini = t.mini.Enter(Geometry(), isMaximized(), st.mini, area);
    if (isMaximized()) showNormal();
    t.saved_mode = layout_->Mode();
    t.menu_was_visible = menuBar()->isVisible() || !was_visible;
    t.status_was_visible = statusBar()->isVisible() || (!was_visible && st.window.status_bar);
    QToolBar* tools = layout_->ToolBar();
    t.tool_was_visible = tools != nullptr && (tools->isVisible() || (!was_visible && !tools->isHidden()));
    if (t.saved_mode != 4) layout_->GridModeClick(4);
    layout_->SetMini(true);
    t.hidden_regions.clear();
    for (const char* name : {"PnlRight", "PnlBottom", "PnlList", "PnlCalendars"}) {
      QWidget* region = layout_->Region(QString::fromUtf8(name));
      if (region != nullptr && !region->isHidden()) {
        region->hide();
        t.hidden_regions << region;
      }
    }
    menuBar()->hide();
    statusBar()->hide();
    if (tools != nullptr) tools->hide();
    // A small tool window. With TitleBar the desktop's maximise (a double click on the title bar)
    // stays possible: it brings the normal window back instead (changeEvent).
    Qt::WindowFlags flags = windowFlags() | Qt::Tool;
    if (!st.mini.title_bar) flags &= ~Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    // A tool window would not end the program when it closes: the main window still does.
    setAttribute(Qt::WA_QuitOnClose, true);
    setWindowFlag(Qt::WindowStaysOnTopHint, st.window.stay_on_top);
    // The small window may be smaller than the panels' minimum sizes: the calendar fills it.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumSize(0, 0);
    resize(mini.width, mini.height);
    move(mini.left, mini.top);
    if (st.mini.trans != 0) setWindowOpacity(std::clamp(st.mini.trans_value, 0, 255) / 255.0);
    setWindowTitle(U(store::FormatDatePattern("yyyy年m月d日(aaa)", selected_date_)));
  } else {
    if (isMaximized()) showNormal();
    const store::WindowGeometry normal = t.mini.Leave(Geometry(), st.mini);
    layout_->SetMini(false);
    if (memo_box_) memo_box_->SetMiniMode(false);
    setWindowFlags((windowFlags() & ~Qt::Tool) | Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_QuitOnClose, true);
    setWindowFlag(Qt::WindowStaysOnTopHint, st.window.stay_on_top);
    menuBar()->setVisible(t.menu_was_visible);
    statusBar()->setVisible(t.status_was_visible);
    if (QToolBar* tools = layout_->ToolBar()) tools->setVisible(t.tool_was_visible);
    for (const QPointer<QWidget>& region : t.hidden_regions) {
      if (region) region->show();
    }
    t.hidden_regions.clear();
    setWindowOpacity(1.0);
    setWindowTitle(title_);
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    if (normal.width > 0 && normal.height > 0) {
      resize(normal.width, normal.height);
      move(normal.left, normal.top);
    }
    if (t.saved_mode != layout_->Mode()) layout_->GridModeClick(t.saved_mode);
  }
  // Changing the window flags hides the window: it comes back as it was.
  if (was_visible) show();
  session_.layout_changed = true;
  if (QAction* a = Action(QStringLiteral("MenMiniMode"))) a->setChecked(t.mini.Active());
  IconTraySet();
  layout_->SchUpdate();
}

void TFrmMain::MiniSizeResetClick() {
  if (mainwindow::MiniSizeReset(session_.settings.mini)) session_.layout_changed = true;
  if (tray_->mini.Active()) resize(mainwindow::kMiniDefaultWidth, mainwindow::kMiniDefaultHeight);
}

// The grid pop-up's "ミニカレンダー(&S)" ("元のサイズに戻す(&S)" in mini mode) and
// "タスクトレイに格納(&R)" (disabled without a notification area).
void TFrmMain::GridPopupTray(QMenu* menu) {
  if (QAction* mini = menu->findChild<QAction*>(QStringLiteral("PopMini"))) {
    mini->setEnabled(true);
    if (tray_->mini.Active()) mini->setText(QString::fromUtf8("元のサイズに戻す(&S)"));
    connect(mini, &QAction::triggered, this, &TFrmMain::SmallSize);
  }
  if (QAction* tray = menu->findChild<QAction*>(QStringLiteral("PopTray"))) {
    tray->setEnabled(tray_->tray_available);
    if (!tray_->tray_available) tray->setToolTip(QString::fromUtf8(mainwindow::kNoTrayTip));
    connect(tray, &QAction::triggered, this, &TFrmMain::TaskTraySet);
  }
}

void TFrmMain::TraySelectedChanged() {
  if (tray_ && tray_->mini.Active()) setWindowTitle(U(store::FormatDatePattern("yyyy年m月d日(aaa)", selected_date_)));
}

void TFrmMain::TrayExitState(store::ExitState& state) {
  TFrmMainTrayParts& t = *tray_;
  const store::MiniSettings& mini = session_.settings.mini;
  state.mini_saved = store::WindowGeometry{mini.top, mini.left, mini.height, mini.width};
  state.mini_mode = t.mini.Active();
  if (state.mini_mode) {
    state.normal_saved = t.mini.Normal();
    // The view mode stored is the one the window had before mini mode.
    session_.settings.window.grid_mode = t.saved_mode;
  }
}

// ---- Status bar marks -------------------------------------------------------------------------

void TFrmMain::SetAlarmMark(bool pending, bool sound, const QString& tip) {
  QLabel* mark = tray_->alarm_mark;
  if (mark == nullptr) return;
  mark->setPixmap(AlarmMarkPixmap(sound));
  mark->setToolTip(tip);
  mark->setVisible(pending);
}

void TFrmMain::SetSignalMark(bool on, const QString& tip) {
  QLabel* mark = tray_->signal_mark;
  if (mark == nullptr) return;
  mark->setToolTip(tip);
  mark->setVisible(on);
}

}  // namespace kal::app
