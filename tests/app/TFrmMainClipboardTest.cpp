// The main window's clipboard: schedules dragged to another day and to another half hour (Ctrl
// copies) with the drop preview over the target, the pop-up menu's and the keys' cut, copy and
// paste, the text put on the desktop's clipboard, and DragMsg's question.
#include "app/TFrmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <optional>

#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtScheduleDrag.h"
#include "mainwindow/QtTimeline.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
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

std::string Line(int day, const char* start, const char* end, const char* title) {
  store::ScheduleFields f;
  f.day = day;
  f.start = start;
  f.end = end;
  f.title = title;
  return store::BuildScheduleLine(f).line;
}

void Mouse(QWidget* to, QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers mods = Qt::NoModifier) {
  const QPointF local(to->mapFromGlobal(global));
  QMouseEvent event(type, local, QPointF(global), Qt::LeftButton, buttons, mods);
  QApplication::sendEvent(to, &event);
}

class TFrmMainClipboardTest : public ::testing::Test {
 protected:
  void Open(int mode, const std::vector<std::string>& december, bool drag_msg = false) {
    session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    session.settings.window.grid_mode = mode;
    session.settings.view.drag_msg = drag_msg;
    files.MakeDirs(session.folders.data);
    store::SaveLines(files, store::MonthFilePath(session.folders.data, 2026, 12), december);
    w = std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, session);
    w->resize(1000, 760);
    w->show();
    test::WaitUntil([&] { return !w->Initialising(); }, 1000);
    QApplication::processEvents();
    grid = w->findChild<mainwindow::QtCalendarGrid*>(QStringLiteral("GrdSch"));
    timeline = w->findChild<mainwindow::QtTimeline*>(QStringLiteral("GrdVer"));
  }
  std::vector<std::string> December() {
    return store::LoadLines(files, store::MonthFilePath(session.folders.data, 2026, 12));
  }
  // The centre of a day's cell in the main grid, in global coordinates.
  QPoint CellCentre(const store::Date& date) const {
    const auto& dates = grid->Picture().dates;
    for (std::size_t r = 0; r < dates.size(); ++r)
      for (std::size_t c = 0; c < dates[r].size(); ++c)
        if (dates[r][c] == date)
          return grid->mapToGlobal(grid->CellRect(static_cast<int>(r), static_cast<int>(c)).center());
    ADD_FAILURE() << "not shown: " << store::DateText(date);
    return {};
  }
  // A point on the first item line of a day's cell (grid coordinates).
  std::optional<QPoint> ItemPoint(const store::Date& date) const {
    const QPoint centre = grid->mapFromGlobal(CellCentre(date));
    int row = 0, column = 0;
    grid->CellAt(centre, &row, &column);
    const QRect rect = grid->CellRect(row, column);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      int r = 0, c = 0, line = 0;
      const QPoint p(rect.left() + 30, y);
      if (grid->LineAt(p, &r, &c, &line) && line >= 0) return p;
    }
    return std::nullopt;
  }
  int TimelineColumn(const store::Date& date) const {
    const auto& columns = timeline->Picture().columns;
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (columns[c].date == date) return static_cast<int>(c);
    ADD_FAILURE() << "not shown: " << store::DateText(date);
    return 0;
  }
  // The timeline's row of a half hour.
  int HalfHour(int hour, int minute) const {
    return (hour - timeline->Picture().settings.range.first) * 2 + minute / 30;
  }
  // Press on `from`, move past the drag distance and onto `to` (global), as the mouse does.
  void DragTo(QWidget* source, const QPoint& from, const QPoint& to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(source, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(source, QEvent::MouseMove, from + QPoint(QApplication::startDragDistance() + 2, 0), Qt::LeftButton, mods);
    Mouse(source, QEvent::MouseMove, to, Qt::LeftButton, mods);
  }
  void Drop(QWidget* source, const QPoint& at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Mouse(source, QEvent::MouseButtonRelease, at, Qt::NoButton, mods);
    QApplication::processEvents();
  }
  mainwindow::QtDropPreview* Preview() const { return w->Layout()->Drag()->Preview(); }

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

TEST_F(TFrmMainClipboardTest, DraggingAScheduleToAnotherDayMovesItWithThePreviewOverTheTarget) {
  Open(4, {Line(15, "10:00", "11:00", "会議")});
  QGuiApplication::clipboard()->setText(QStringLiteral("the user's own text"));
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  const QPoint target = CellCentre(MakeDate(2026, 12, 22));
  DragTo(grid, grid->mapToGlobal(*item), target);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the user's own text"));  // a drag is no copy

  // While the mouse is over the 22nd, the preview marks that cell with the schedule's title.
  ASSERT_NE(Preview(), nullptr);
  int row = 0, column = 0;
  ASSERT_TRUE(grid->CellAt(grid->mapFromGlobal(target), &row, &column));
  EXPECT_EQ(Preview()->Area(), grid->CellRect(row, column));
  EXPECT_EQ(Preview()->Text(), U("会議"));
  EXPECT_EQ(December(), std::vector<std::string>{Line(15, "10:00", "11:00", "会議")});  // nothing moved yet

  Drop(grid, target);
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_EQ(December(), std::vector<std::string>{Line(22, "10:00", "11:00", "会議")});
  EXPECT_EQ(store::DateText(w->SelectedDate()), "2026/12/22");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TFrmMainClipboardTest, CtrlAtTheDropCopiesAndTheCopyCanBePastedAgain) {
  Open(4, {Line(15, "10:00", "11:00", "会議")});
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  const QPoint target = CellCentre(MakeDate(2026, 12, 3));
  DragTo(grid, grid->mapToGlobal(*item), target, Qt::ControlModifier);
  Drop(grid, target, Qt::ControlModifier);
  EXPECT_EQ(December(), (std::vector<std::string>{Line(3, "10:00", "11:00", "会議"), Line(15, "10:00", "11:00", "会議")}));

  // The buffer holds the copy: Ctrl+V on another selected day pastes it once more.
  Mouse(grid, QEvent::MouseButtonPress, CellCentre(MakeDate(2026, 12, 29)), Qt::LeftButton);
  Mouse(grid, QEvent::MouseButtonRelease, CellCentre(MakeDate(2026, 12, 29)), Qt::NoButton);
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QApplication::sendEvent(grid, &paste);
  EXPECT_EQ(December(), (std::vector<std::string>{Line(3, "10:00", "11:00", "会議"), Line(15, "10:00", "11:00", "会議"),
                                                  Line(29, "10:00", "11:00", "会議")}));
}

TEST_F(TFrmMainClipboardTest, DraggingABlockToAnotherHalfHourKeepsItsDuration) {
  Open(2, {Line(10, "10:00", "10:45", "会議")});
  const int from_column = TimelineColumn(MakeDate(2026, 12, 10));
  const int to_column = TimelineColumn(MakeDate(2026, 12, 11));
  const int row = HalfHour(14, 30);
  auto* scroll = w->findChild<QScrollArea*>(QStringLiteral("ScrVer"));
  const QRect cell = timeline->CellRect(row, to_column);
  scroll->ensureVisible(cell.center().x(), cell.center().y(), 0, 60);
  QApplication::processEvents();
  const QPoint block = timeline->mapToGlobal(timeline->BlockRect(from_column, 0).center());
  const QPoint target = timeline->mapToGlobal(cell.center());

  DragTo(timeline, block, target);
  ASSERT_TRUE(w->Layout()->Drag()->Dragging());
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(Preview()->Text(), U("14:30-15:15 会議"));
  EXPECT_EQ(Preview()->Area(), cell.united(timeline->CellRect(row + 1, to_column)));
  Drop(timeline, target);

  EXPECT_EQ(December(), std::vector<std::string>{Line(11, "14:30", "15:15", "会議")});
  EXPECT_EQ(timeline->CurrentRow(), row);
  EXPECT_EQ(timeline->CurrentColumn(), to_column);

  // The timeline's pop-up menu pastes the buffer (now a copy) at the half hour under the pointer.
  const QRect later = timeline->CellRect(HalfHour(16, 0), to_column);
  emit timeline->customContextMenuRequested(later.center());
  auto* menu = grid->findChild<QMenu*>(QStringLiteral("PopGrd"));
  ASSERT_NE(menu, nullptr);
  QAction* paste = menu->findChild<QAction*>(QStringLiteral("PopPaste"));
  ASSERT_TRUE(paste->isEnabled());
  paste->trigger();
  menu->close();
  EXPECT_EQ(December(), (std::vector<std::string>{Line(11, "14:30", "15:15", "会議"), Line(11, "16:00", "16:45", "会議")}));
}

TEST_F(TFrmMainClipboardTest, AScheduleCopiedFromTheHeaderLastsDefTimeOnTheTimeline) {
  Open(2, {Line(10, "", "", "終日")});
  int row = 0, column = 0;
  std::optional<QPoint> header_item;
  const QRect rect = grid->CellRect(0, TimelineColumn(MakeDate(2026, 12, 10)));
  for (int y = rect.top(); y <= rect.bottom() && !header_item; ++y) {
    int line = 0;
    if (grid->LineAt(QPoint(rect.left() + 20, y), &row, &column, &line) && line >= 0) header_item = QPoint(rect.left() + 20, y);
  }
  ASSERT_TRUE(header_item);
  auto* scroll = w->findChild<QScrollArea*>(QStringLiteral("ScrVer"));
  const QRect cell = timeline->CellRect(HalfHour(10, 30), TimelineColumn(MakeDate(2026, 12, 12)));
  scroll->ensureVisible(cell.center().x(), cell.center().y(), 0, 60);
  QApplication::processEvents();
  const QPoint target = timeline->mapToGlobal(cell.center());
  DragTo(grid, grid->mapToGlobal(*header_item), target, Qt::ControlModifier);
  Drop(grid, target, Qt::ControlModifier);
  EXPECT_EQ(December(), (std::vector<std::string>{Line(10, "", "", "終日"), Line(12, "10:30", "11:30", "終日")}));
}

TEST_F(TFrmMainClipboardTest, ThePopupCopiesPutsTheTextOnTheDesktopClipboardAndPastes) {
  Open(4, {Line(15, "10:00", "11:00", "会議")});
  auto* layout = w->Layout();
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  std::unique_ptr<QMenu> menu(layout->BuildGridPopup(*item));
  auto action = [](QMenu* m, const char* name) { return m->findChild<QAction*>(QString::fromLatin1(name)); };
  ASSERT_TRUE(action(menu.get(), "PopCut")->isEnabled());
  EXPECT_EQ(action(menu.get(), "PopCut")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
  EXPECT_FALSE(action(menu.get(), "PopPaste")->isEnabled());
  action(menu.get(), "PopCut")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), U("2026/12/15(火) 10:00-11:00 会議"));
  EXPECT_EQ(December(), std::vector<std::string>{Line(15, "10:00", "11:00", "会議")});  // a cut removes at the paste

  // An empty day: cut and copy stay off, paste is on.
  const QPoint empty = grid->mapFromGlobal(CellCentre(MakeDate(2026, 12, 23)));
  std::unique_ptr<QMenu> other(layout->BuildGridPopup(empty));
  EXPECT_FALSE(action(other.get(), "PopCopy")->isEnabled());
  ASSERT_TRUE(action(other.get(), "PopPaste")->isEnabled());
  action(other.get(), "PopPaste")->trigger();
  EXPECT_EQ(December(), std::vector<std::string>{Line(23, "10:00", "11:00", "会議")});
}

TEST_F(TFrmMainClipboardTest, CtrlCTakesTheItemUnderThePointerInTheSelectedCell) {
  Open(4, {Line(15, "10:00", "11:00", "会議")});
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  QGuiApplication::clipboard()->setText(QString());
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  // The pointer on the item of a cell that is not selected: nothing is taken.
  QCursor::setPos(grid->mapToGlobal(*item));
  QApplication::sendEvent(grid, &copy);
  EXPECT_TRUE(w->Clipboard().empty());
  Mouse(grid, QEvent::MouseButtonPress, grid->mapToGlobal(*item), Qt::LeftButton);
  Mouse(grid, QEvent::MouseButtonRelease, grid->mapToGlobal(*item), Qt::NoButton);
  QCursor::setPos(grid->mapToGlobal(*item));
  QApplication::sendEvent(grid, &copy);
  EXPECT_EQ(w->Clipboard().kind, mainwindow::ClipKind::Schedule);
  EXPECT_FALSE(w->Clipboard().cut);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), U("2026/12/15(火) 10:00-11:00 会議"));
}

TEST_F(TFrmMainClipboardTest, TheMiniCalendarNeitherDragsNorTakesTheClipboardKeys) {
  Open(4, {Line(15, "10:00", "11:00", "会議")});
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  std::unique_ptr<QMenu> menu(w->Layout()->BuildGridPopup(*item));
  menu->findChild<QAction*>(QStringLiteral("PopCopy"))->trigger();
  ASSERT_EQ(w->Clipboard().kind, mainwindow::ClipKind::Schedule);

  w->TraySetup(false);
  w->Action(QStringLiteral("MenMiniMode"))->trigger();
  ASSERT_TRUE(w->MiniModeOn());
  QApplication::processEvents();
  const QPoint from = CellCentre(MakeDate(2026, 12, 15));
  const QPoint to = CellCentre(MakeDate(2026, 12, 22));
  DragTo(grid, from, to);
  EXPECT_EQ(Preview(), nullptr);
  Drop(grid, to);
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QApplication::sendEvent(grid, &paste);
  EXPECT_EQ(December(), std::vector<std::string>{Line(15, "10:00", "11:00", "会議")});
  std::unique_ptr<QMenu> mini_menu(w->Layout()->BuildGridPopup(grid->mapFromGlobal(to)));
  for (const char* name : {"PopCut", "PopCopy", "PopPaste"}) {
    const QAction* a = mini_menu->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_TRUE(a == nullptr || !a->isVisible() || !a->isEnabled()) << name;
  }
}

TEST_F(TFrmMainClipboardTest, WithDragMsgTheDropAsksAndNoChangesNothing) {
  Open(4, {Line(15, "10:00", "11:00", "会議")}, true);
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  const QPoint target = CellCentre(MakeDate(2026, 12, 22));
  dialogs.answers = {platform::MsgAnswer::No};
  DragTo(grid, grid->mapToGlobal(*item), target);
  Drop(grid, target);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "このスケジュールを移動します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "確認");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(December(), std::vector<std::string>{Line(15, "10:00", "11:00", "会議")});
  EXPECT_EQ(store::DateText(w->SelectedDate()), "2026/12/15");

  dialogs.answers = {platform::MsgAnswer::Yes};
  DragTo(grid, grid->mapToGlobal(*item), target, Qt::ControlModifier);
  Drop(grid, target, Qt::ControlModifier);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, "このスケジュールをコピーします。\nよろしいですか？");
  EXPECT_EQ(December(), (std::vector<std::string>{Line(15, "10:00", "11:00", "会議"), Line(22, "10:00", "11:00", "会議")}));
}

TEST_F(TFrmMainClipboardTest, TheMemoCornerDragsTheDayMemoToAnotherDay) {
  const std::string memo_folder = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session.folders.memo;
  files.MakeDirs(memo_folder);
  store::SaveLines(files, memo_folder + "20261215.mem", {"memo"});
  Open(4, {});
  const QPoint centre = grid->mapFromGlobal(CellCentre(MakeDate(2026, 12, 15)));
  int row = 0, column = 0, line = 0;
  ASSERT_TRUE(grid->CellAt(centre, &row, &column));
  const QPoint corner = grid->CellRect(row, column).bottomRight() - QPoint(9, 9);
  ASSERT_TRUE(grid->LineAt(corner, &row, &column, &line));
  ASSERT_EQ(line, -1);
  const QPoint target = CellCentre(MakeDate(2026, 12, 17));
  DragTo(grid, grid->mapToGlobal(corner), target);
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(Preview()->Text(), U("メモ"));
  Drop(grid, target);
  EXPECT_FALSE(files.Exists(memo_folder + "20261215.mem"));
  EXPECT_EQ(store::LoadLines(files, memo_folder + "20261217.mem"), std::vector<std::string>{"memo"});
}

TEST_F(TFrmMainClipboardTest, DraggingAToDoLineMovesItsLimitToTheTargetDay) {
  const std::string todo_folder = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session.folders.todo;
  files.MakeDirs(todo_folder);
  const std::string record = "2026/12/15          0000" "2026/12/15" + std::string(14, ' ') + "0000    report";
  store::SaveLines(files, todo_folder + "Todokl.dat", {record});
  Open(4, {});
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  const QPoint target = CellCentre(MakeDate(2026, 12, 18));
  DragTo(grid, grid->mapToGlobal(*item), target);
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(Preview()->Text(), U("ToDo report"));
  Drop(grid, target);
  EXPECT_EQ(store::LoadLines(files, todo_folder + "Todokl.dat"),
            std::vector<std::string>{"2026/12/18          0000" "2026/12/18" + std::string(14, ' ') + "0000    report"});
}

TEST_F(TFrmMainClipboardTest, EscapeEndsADragWithoutADrop) {
  Open(4, {Line(15, "10:00", "11:00", "会議")});
  const auto item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(item);
  const QPoint target = CellCentre(MakeDate(2026, 12, 22));
  DragTo(grid, grid->mapToGlobal(*item), target);
  ASSERT_NE(Preview(), nullptr);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(grid, &escape);
  EXPECT_EQ(Preview(), nullptr);
  Drop(grid, target);
  EXPECT_EQ(December(), std::vector<std::string>{Line(15, "10:00", "11:00", "会議")});
}

}  // namespace
}  // namespace kal::app
