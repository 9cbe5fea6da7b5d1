// What the files that build the main window's layout share: text helpers, the default region
// sizes, the navigation bar and the small event watchers.
#pragma once

#include <QEvent>
#include <QFont>
#include <QObject>
#include <QResizeEvent>
#include <QString>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <string>

#include "mainwindow/Layout.h"
#include "mainwindow/ViewModes.h"

namespace kal::mainwindow::layout_parts {

inline QString U(const char* s) { return QString::fromUtf8(s); }
inline QString Q(const std::string& s) { return QString::fromStdString(s); }

inline constexpr int kSizeTop = 403;
inline constexpr int kSizeRight = 168;
inline constexpr int kSizeNote = 250;
inline constexpr int kSizeSchList = 54;
inline constexpr int kSizeTodo = 410;
inline constexpr int kSizeCalendar = 128;
inline constexpr int kNavHeight = 26;
inline constexpr int kNavButton = 24;

inline bool Flag(const std::string& flags, std::size_t n) { return n >= flags.size() || flags[n] == '1'; }

// Re-lays out the grids when their size changes.
class ResizeWatcher : public QObject {
 public:
  ResizeWatcher(QObject* parent, std::function<void()> on_resize) : QObject(parent), on_resize_(std::move(on_resize)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) on_resize_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> on_resize_;
};

// Runs once, after the window is first shown and laid out.
class ShowWatcher : public QObject {
 public:
  ShowWatcher(QObject* parent, std::function<void()> on_show) : QObject(parent), on_show_(std::move(on_show)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !done_) {
      done_ = true;
      QTimer::singleShot(0, this, on_show_);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> on_show_;
  bool done_ = false;
};

}  // namespace kal::mainwindow::layout_parts

namespace kal::mainwindow {

using namespace layout_parts;

// The navigation bar: the period caption centred, the month and year buttons beside it.
class NavigationBar : public QWidget {
 public:
  explicit NavigationBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PnlMonSch"));
    setFixedHeight(kNavHeight);
    setAutoFillBackground(true);
    const char* names[] = {"BtnBeforeYear", "BtnBeforeMonth", "BtnNowMonth", "BtnNextMonth", "BtnNextYear"};
    const char* arrows[] = {"≪", "＜", "", "＞", "≫"};
    for (int i = 0; i < 5; ++i) {
      buttons[i] = new QToolButton(this);
      buttons[i]->setObjectName(U(names[i]));
      buttons[i]->setText(U(arrows[i]));
      buttons[i]->setAutoRaise(true);
      buttons[i]->setFixedSize(kNavButton, kNavHeight - 4);
    }
    QFont font = buttons[2]->font();
    font.setPointSize(12);
    font.setBold(true);
    buttons[2]->setFont(font);
    buttons[2]->setFixedHeight(kNavHeight - 2);
  }
  void SetCaption(const QString& text) {
    buttons[2]->setText(text);
    const int width = buttons[2]->fontMetrics().horizontalAdvance(text) + 20;
    widest_shown = (mode == kModeMonthly || mode == kModeMonthly3) ? std::max(widest_shown, width) : width;
    if (!mini) buttons[2]->setFixedWidth(widest_shown);
    Place();
  }
  // Mini mode: 18 pixels high, the month buttons 24 pixels wide, no year buttons, the caption in
  // a plain font across the rest of the bar (TFrmMainMini.cpp).
  void SetMini(bool on);
  void Place() {
    if (mini) {
      const NavigationGeometry g = NavigationLayout(mode, width(), 0, 0, buttons[1]->width(), true);
      buttons[2]->setFixedWidth(std::max(g.caption_width, 1));
      buttons[1]->move(g.before_month, 1);
      buttons[2]->move(g.caption, 0);
      buttons[3]->move(g.next_month, 1);
      return;
    }
    const NavigationGeometry g = NavigationLayout(mode, width(), buttons[2]->width(), widest_caption, kNavButton, false);
    buttons[0]->move(g.before_year, 2);
    buttons[1]->move(g.before_month, 2);
    buttons[2]->move(g.caption, 1);
    buttons[3]->move(g.next_month, 2);
    buttons[4]->move(g.next_year, 2);
  }
  QToolButton* buttons[5] = {};
  int mode = kModeMonthly;
  int widest_caption = 260;
  int widest_shown = 0;
  bool mini = false;
  QFont normal_caption_font;  // the caption's font and the year buttons before mini mode
  bool years_shown = true;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Place();
  }
};

}  // namespace kal::mainwindow
