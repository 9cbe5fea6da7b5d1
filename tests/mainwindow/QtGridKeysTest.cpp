#include "mainwindow/QtGridKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace kal::mainwindow {
namespace {

using store::MakeDate;

// A month view on a plain widget standing for the grid: every key goes through the filter.
struct MonthView {
  NavContext ctx;
  NavState state{MakeDate(2026, 10, 1), MakeDate(2026, 10, 14)};
  int applied = 0, today = 0, activated = 0, removed = 0;
  QWidget grid;
  QtGridKeys keys{GridKeyHost{[this] { return ctx; }, [this] { return state; },
                              [this](const NavState& s) {
                                state = s;
                                ++applied;
                              },
                              [this] { ++today; }, [this] { ++activated; }, [this] { ++removed; }, {}, {}, {}}};
  MonthView() { keys.Watch(&grid); }

  void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&grid, &press);
  }
  void Turn(int delta) {
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid, &wheel);
  }
  std::string Selected() const { return store::DateText(state.selected); }
  std::string Displayed() const { return store::DateText(state.displayed); }
};

TEST(QtGridKeys, KeysWalkThroughAMonthAndIntoTheNext) {
  MonthView v;
  v.Press(Qt::Key_Right);
  EXPECT_EQ(v.Selected(), "2026/10/15");
  v.Press(Qt::Key_Down);
  v.Press(Qt::Key_Down);
  EXPECT_EQ(v.Selected(), "2026/10/29");
  EXPECT_EQ(v.Displayed(), "2026/10/01");
  v.Press(Qt::Key_Down);  // below the last row: into November
  EXPECT_EQ(v.Selected(), "2026/11/05");
  EXPECT_EQ(v.Displayed(), "2026/11/01");
  v.Press(Qt::Key_PageUp);
  EXPECT_EQ(v.Selected(), "2026/10/05");
  v.Press(Qt::Key_Left);
  v.Press(Qt::Key_Up);
  EXPECT_EQ(v.Selected(), "2026/09/27");
  EXPECT_EQ(v.applied, 7);
}

TEST(QtGridKeys, HomeEnterAndCtrlDGoToTheirCommands) {
  MonthView v;
  v.Press(Qt::Key_Home);
  v.Press(Qt::Key_Return);
  v.Press(Qt::Key_Enter, Qt::KeypadModifier);
  v.Press(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(v.today, 1);
  EXPECT_EQ(v.activated, 2);
  EXPECT_EQ(v.removed, 1);
  v.Press(Qt::Key_Right, Qt::ShiftModifier);  // range selection stays with the grid
  EXPECT_EQ(v.applied, 0);
}

TEST(QtGridKeys, TheWheelMovesOnlyFromTheEdgeRows) {
  MonthView v;
  v.Turn(-120);  // down, selection in a middle row
  EXPECT_EQ(v.applied, 0);
  v.state.selected = MakeDate(2026, 10, 29);
  v.Turn(-120);
  EXPECT_EQ(v.Selected(), "2026/11/05");
  v.state = {MakeDate(2026, 10, 1), MakeDate(2026, 10, 1)};
  v.Turn(120);
  EXPECT_EQ(v.Selected(), "2026/09/24");
}

}  // namespace
}  // namespace kal::mainwindow
