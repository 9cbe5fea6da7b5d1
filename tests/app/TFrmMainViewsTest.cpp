// The timelines (modes 1 and 2) and the many-month views (modes 5 to 8) in the main window: what
// they show of a small data folder, the entry dialog from a double click on a half hour, on a
// block and on a day cell, and the side calendars' greying and framing.
#include "app/TFrmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtTimeline.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "schedule/TDlgSchInput.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using store::MakeDate;

QString U(const char* s) { return QString::fromUtf8(s); }

class TFrmMainViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    store::ScheduleFields meeting;
    meeting.day = 10;
    meeting.start = "10:00";
    meeting.end = "11:00";
    meeting.title = "会議";
    store::ScheduleFields all_day;
    all_day.day = 10;
    all_day.title = "終日作業";
    files.MakeDirs(session.folders.data);
    store::SaveLines(files, store::MonthFilePath(session.folders.data, 2026, 12),
                     {store::BuildScheduleLine(all_day).line, store::BuildScheduleLine(meeting).line});
  }

  void Open(int mode) {
    session.settings.window.grid_mode = mode;
    w = std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, session);
    w->resize(1000, 760);
    w->show();
    test::WaitUntil([&] { return !w->Initialising(); }, 1000);
    QApplication::processEvents();
    grid = w->findChild<mainwindow::QtCalendarGrid*>(QStringLiteral("GrdSch"));
    timeline = w->findChild<mainwindow::QtTimeline*>(QStringLiteral("GrdVer"));
  }

  struct SeenEntry {
    QString caption, title, start, end;
    QDate date;
  };
  SeenEntry EntryDialogOpenedBy(const std::function<void()>& gesture) {
    SeenEntry seen;
    QTimer::singleShot(0, [&] {
      test::WaitUntil([&] { return test::FindModal() != nullptr; });
      auto* dlg = qobject_cast<schedule::TDlgSchInput*>(test::FindModal());
      if (dlg == nullptr) return;
      seen.caption = dlg->windowTitle();
      seen.title = dlg->CmbTitle->currentText();
      seen.start = dlg->CmbStrhhmm->currentText();
      seen.end = dlg->CmbEndhhmm->currentText();
      seen.date = dlg->DtpSchFromDate->date();
      dlg->BtnCancel->click();
    });
    gesture();
    return seen;
  }

  static void DoubleClickAt(QWidget* target, const QPoint& point) {
    const QPointF p(point);
    QMouseEvent press(QEvent::MouseButtonPress, p, target->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, target->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, target->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dbl);
  }

  // The day column of the timeline showing a date.
  int TimelineColumn(const store::Date& date) const {
    const auto& columns = timeline->Picture().columns;
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (columns[c].date == date) return static_cast<int>(c);
    ADD_FAILURE() << "not shown: " << store::DateText(date);
    return 0;
  }

  // The grid cell of a date (data row, day column).
  std::pair<int, int> GridCell(const store::Date& date) const {
    const auto& dates = grid->Picture().dates;
    for (std::size_t r = 0; r < dates.size(); ++r)
      for (std::size_t c = 0; c < dates[r].size(); ++c)
        if (dates[r][c] == date) return {static_cast<int>(r), static_cast<int>(c)};
    ADD_FAILURE() << "not shown: " << store::DateText(date);
    return {0, 0};
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{MakeDate(2026, 12, 10), 9, 0, 0}};
  Session session;
  std::unique_ptr<TFrmMain> w;
  mainwindow::QtCalendarGrid* grid = nullptr;
  mainwindow::QtTimeline* timeline = nullptr;
};

TEST_F(TFrmMainViewsTest, TimelinesShowBlocksAndOpenTheEntryDialogAtTheClickedHalfHour) {
  struct Case {
    int mode;
    int row_of_1430;  // mode 1 shows 0:00-23:59, mode 2 8:00-20:59
  } cases[] = {{1, 29}, {2, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Open(c.mode);
    ASSERT_NE(timeline, nullptr);
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(timeline->isVisibleTo(w.get()));
    const int column = TimelineColumn(MakeDate(2026, 12, 10));
    // The timed schedule is a block; the untimed one stays in the header's all-day row.
    const mainwindow::TimelineColumn& day = timeline->Picture().columns[static_cast<std::size_t>(column)];
    ASSERT_EQ(day.looks.size(), 1u);
    EXPECT_EQ(day.looks[0].text, "10:00-11:00 会議");
    const auto& header = grid->Picture().cells.at(0).at(static_cast<std::size_t>(column));
    ASSERT_EQ(header.lines.size(), 1u);
    EXPECT_EQ(header.lines[0].text, "終日作業");

    // A double click on 14:30 of that day: a new schedule from 14:30 to 15:30 (DefTime 1).
    const QRect half_hour = timeline->CellRect(c.row_of_1430, column);
    const SeenEntry fresh = EntryDialogOpenedBy([&] { DoubleClickAt(timeline, half_hour.center()); });
    EXPECT_EQ(fresh.caption, U("スケジュールの追加"));
    EXPECT_EQ(fresh.date, QDate(2026, 12, 10));
    EXPECT_EQ(fresh.start, QStringLiteral("14:30"));
    EXPECT_EQ(fresh.end, QStringLiteral("15:30"));

    // A double click on the block opens it for a change.
    const QRect block = timeline->BlockRect(column, 0);
    const SeenEntry change = EntryDialogOpenedBy([&] { DoubleClickAt(timeline, block.center()); });
    EXPECT_EQ(change.caption, U("スケジュールの訂正"));
    EXPECT_EQ(change.title, U("会議"));
    EXPECT_EQ(change.start, QStringLiteral("10:00"));
    w.reset();
  }
}

TEST_F(TFrmMainViewsTest, AddCommandTakesTheDraggedRangeOfHalfHours) {
  Open(2);  // 8:00-20:59: row 4 is 10:00, row 6 is 11:00
  ASSERT_NE(timeline, nullptr);
  w->activateWindow();
  const int column = TimelineColumn(MakeDate(2026, 12, 9));
  const QPointF from(timeline->CellRect(4, column).center());
  const QPointF to(timeline->CellRect(6, column).center());
  QMouseEvent press(QEvent::MouseButtonPress, from, timeline->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(timeline, &press);
  QMouseEvent move(QEvent::MouseMove, to, timeline->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(timeline, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, to, timeline->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(timeline, &release);
  ASSERT_EQ(timeline->SelectedRows(), std::make_optional(std::make_pair(4, 6)));
  timeline->setFocus();
  ASSERT_TRUE(test::WaitUntil([&] { return timeline->hasFocus(); }, 1000));
  const SeenEntry seen = EntryDialogOpenedBy([&] { w->Action(QStringLiteral("MenSchAdd"))->trigger(); });
  EXPECT_EQ(seen.caption, U("スケジュールの追加"));
  EXPECT_EQ(seen.date, QDate(2026, 12, 9));
  EXPECT_EQ(seen.start, QStringLiteral("10:00"));
  EXPECT_EQ(seen.end, QStringLiteral("11:30"));
  // Without the timeline's focus the command opens an untimed schedule on the selected day.
  w->activateWindow();
  grid->setFocus();
  ASSERT_TRUE(test::WaitUntil([&] { return grid->hasFocus(); }, 1000));
  const SeenEntry plain = EntryDialogOpenedBy([&] { w->Action(QStringLiteral("MenSchAdd"))->trigger(); });
  EXPECT_EQ(plain.date, QDate(2026, 12, 9));
  EXPECT_EQ(plain.start, QString());
}

TEST_F(TFrmMainViewsTest, MultiDayTimelineStartsAtTheSelectedDayAndMarksItsDaysInTheSideCalendar) {
  session.settings.view_mode(1).day_no = 4;
  Open(1);
  ASSERT_NE(timeline, nullptr);
  const auto& columns = timeline->Picture().columns;
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns.front().date, MakeDate(2026, 12, 10));
  EXPECT_EQ(columns.back().date, MakeDate(2026, 12, 13));
  // The current month's side calendar shows the four days in the range colour.
  auto* side = w->findChild<mainwindow::QtCalendarGrid*>(QStringLiteral("GrdCur"));
  ASSERT_NE(side, nullptr);
  const auto& dates = side->Picture().dates;
  const int mcr = session.settings.color.mcr.back;
  for (std::size_t r = 0; r < dates.size(); ++r) {
    for (std::size_t c = 0; c < dates[r].size(); ++c) {
      if (!dates[r][c] || store::MonthOf(*dates[r][c]) != 12) continue;
      const int day = store::DayOf(*dates[r][c]);
      const bool marked = side->Picture().cells[r][c].back_colour == mcr;
      EXPECT_EQ(marked, day >= 10 && day <= 13) << day;
    }
  }
}

TEST_F(TFrmMainViewsTest, ManyMonthViewsOpenTheEntryDialogForTheDoubleClickedDay) {
  for (int mode : {5, 6, 7, 8}) {
    SCOPED_TRACE(mode);
    Open(mode);
    ASSERT_NE(grid, nullptr);
    EXPECT_FALSE(timeline->isVisibleTo(w.get()));
    const auto [row, column] = GridCell(MakeDate(2026, 12, 10));
    // Both schedules of the day are in its cell (in mode 8 the first one on the date line).
    const auto& cell10 = grid->Picture().cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    EXPECT_EQ(cell10.lines.size(), mode == 8 ? 1u : 2u);
    // A double click on a free day opens a new schedule there.
    const auto [free_row, free_column] = GridCell(MakeDate(2026, 12, 9));
    const QRect cell = grid->CellRect(free_row, free_column);
    const SeenEntry seen =
        EntryDialogOpenedBy([&] { DoubleClickAt(grid, QPoint(cell.left() + 2, cell.bottom() - 1)); });
    EXPECT_EQ(seen.caption, U("スケジュールの追加"));
    EXPECT_EQ(seen.date, QDate(2026, 12, 9));
    w.reset();
  }
}

TEST_F(TFrmMainViewsTest, YearViewGreysTheSideCalendarOfAMonthItDoesNotHold) {
  session.settings.view_mode(5).side_panel = true;
  session.settings.view_mode(5).mini_cur = true;
  session.settings.view_mode(5).mini_nxt = true;
  Open(5);
  ASSERT_NE(grid, nullptr);
  // December is selected: January of the next year lies beyond the loaded year.
  auto* next = w->findChild<mainwindow::QtCalendarGrid*>(QStringLiteral("GrdNxt"));
  auto* current = w->findChild<mainwindow::QtCalendarGrid*>(QStringLiteral("GrdCur"));
  ASSERT_NE(next, nullptr);
  ASSERT_NE(current, nullptr);
  ASSERT_TRUE(next->isVisibleTo(w.get()));
  const int zen = session.settings.color.zen.back;
  for (const auto& row : next->Picture().cells)
    for (const auto& cell : row) EXPECT_EQ(cell.back_colour, zen);
  // The current month's calendar is drawn normally and frames the selected day.
  const auto& dates = current->Picture().dates;
  const auto [r, c] = std::make_pair(current->SelectedRow(), current->SelectedColumn());
  ASSERT_GE(r, 0);
  EXPECT_EQ(dates[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], std::optional<store::Date>(MakeDate(2026, 12, 10)));
  // A day with schedules is underlined (CalLine); one without is not.
  const auto& cells = current->Picture().cells;
  for (std::size_t i = 0; i < dates.size(); ++i) {
    for (std::size_t j = 0; j < dates[i].size(); ++j) {
      if (!dates[i][j] || store::MonthOf(*dates[i][j]) != 12) continue;
      EXPECT_EQ(cells[i][j].underline, store::DayOf(*dates[i][j]) == 10) << store::DayOf(*dates[i][j]);
    }
  }
}

}  // namespace
}  // namespace kal::app
