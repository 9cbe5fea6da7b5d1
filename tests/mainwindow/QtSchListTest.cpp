#include "mainwindow/QtSchList.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cstdio>

#include "store/ScheduleFile.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;

// A day entry: order key, kind, four-digit index, payload (the month model's layout).
std::string Entry(const char* key, char kind, int index, const std::string& payload) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", index);
  return std::string(key) + kind + digits + payload;
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(w, &press);
}

void DoubleClick(QWidget* w, const QPoint& at) {
  const QPointF p(at);
  QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &dbl);
  QMouseEvent release2(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release2);
}

std::vector<std::string> DayEntries() {
  store::ScheduleFields a;
  a.day = 10;
  a.start = "09:00";
  a.title = "朝会";
  a.detail = 2;
  store::ScheduleFields b = a;
  b.start = "13:00";
  b.title = "会議";
  b.detail = 0;
  return {Entry("CC", '0', 9999, test::Sjis("天皇誕生日")),
          Entry("SC", '5', 4, store::BuildScheduleLine(a).line),
          Entry("SC", '5', 5, store::BuildScheduleLine(b).line)};
}

std::vector<SchListRow> Rows(const std::vector<std::string>& entries) {
  DayListInput in;
  in.entries = &entries;
  in.selected = MakeDate(2026, 12, 10);
  in.today = MakeDate(2026, 12, 10);
  in.alarm_offsets = {0, 1, 3, 5, 10, 15, 20, 30, 60};
  return SchListRows(in);
}

TEST(QtSchList, ShowsTheRowsWithTheirKeysAndColumns) {
  const auto entries = DayEntries();
  QtSchList list;
  list.Fill(Rows(entries), 0xEEEEFF);
  ASSERT_EQ(list.topLevelItemCount(), 3);
  EXPECT_EQ(list.objectName(), QStringLiteral("LtvSchList"));
  EXPECT_EQ(list.headerItem()->text(1), QStringLiteral("開始"));
  EXPECT_EQ(list.headerItem()->text(3), QStringLiteral("件名"));
  EXPECT_EQ(list.KeyAt(0), QStringLiteral("CC00000"));
  EXPECT_EQ(list.KeyAt(1), QStringLiteral("SC50004202612" "5"));
  EXPECT_EQ(list.topLevelItem(1)->text(1), QStringLiteral("2026/12/10(木) 09:00"));
  EXPECT_EQ(list.topLevelItem(1)->text(3), QStringLiteral("朝会"));
  EXPECT_FALSE(list.topLevelItem(1)->icon(6).isNull());  // memo
  EXPECT_TRUE(list.topLevelItem(2)->icon(6).isNull());
  EXPECT_EQ(list.columnWidth(0), 22);
  EXPECT_TRUE(list.isColumnHidden(5));  // 分類 is off by default
  EXPECT_EQ(list.palette().color(QPalette::Base), QColor(0xFF, 0xEE, 0xEE));
}

TEST(QtSchList, TheHiddenIconColumnKeepsTheKeys) {
  const auto entries = DayEntries();
  QtSchList list;
  list.SetColumns("0111101111", {20, 140, 140, 160, 120, 100, 32, 36, 38, 32});
  list.Fill(Rows(entries), 0xFFFFFF);
  EXPECT_FALSE(list.isColumnHidden(0));
  EXPECT_EQ(list.columnWidth(0), 0);
  EXPECT_EQ(list.KeyAt(2), QStringLiteral("SC50005202612" "5"));
}

TEST(QtSchList, HeaderClickSortsDescendingFirstAndARefillResets) {
  const auto entries = DayEntries();
  QtSchList list;
  list.Fill(Rows(entries), 0xFFFFFF);
  list.header()->sectionClicked(3);
  EXPECT_EQ(list.topLevelItem(0)->text(3), QStringLiteral("朝会"));
  EXPECT_EQ(list.topLevelItem(1)->text(3), QStringLiteral("天皇誕生日"));
  EXPECT_EQ(list.topLevelItem(2)->text(3), QStringLiteral("会議"));
  EXPECT_EQ(list.KeyAt(0), QStringLiteral("SC50004202612" "5"));  // keys travel with their rows
  list.header()->sectionClicked(0);  // the icon column does not sort
  EXPECT_EQ(list.topLevelItem(0)->text(3), QStringLiteral("朝会"));
  list.Fill(Rows(entries), 0xFFFFFF);
  EXPECT_EQ(list.topLevelItem(0)->text(3), QStringLiteral("天皇誕生日"));
}

TEST(QtSchList, EnterAndDoubleClickEditCtrlDDeletes) {
  const auto entries = DayEntries();
  QtSchList list;
  list.Fill(Rows(entries), 0xFFFFFF);
  list.resize(600, 200);
  list.show();
  QApplication::processEvents();
  std::vector<int> edit, del;
  QObject::connect(&list, &QtSchList::editRequested, [&](int row) { edit.push_back(row); });
  QObject::connect(&list, &QtSchList::deleteRequested, [&](int row) { del.push_back(row); });
  Key(&list, Qt::Key_Return);
  EXPECT_EQ(edit, std::vector<int>{-1});  // no row: a new schedule
  Key(&list, Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(del.empty());
  list.setCurrentItem(list.topLevelItem(2));
  Key(&list, Qt::Key_Return);
  EXPECT_EQ(edit, (std::vector<int>{-1, 2}));
  Key(&list, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(del, std::vector<int>{2});
  const QRect r = list.visualItemRect(list.topLevelItem(1));
  ASSERT_TRUE(r.isValid());
  DoubleClick(list.viewport(), r.center());
  ASSERT_FALSE(edit.empty());
  EXPECT_EQ(edit.back(), 1);
}

TEST(QtSchList, PopupFollowsTheRowKindAndTogglesColumns) {
  const auto entries = DayEntries();
  QtSchList list;
  list.Fill(Rows(entries), 0xFFFFFF);
  list.setCurrentItem(list.topLevelItem(0));  // the holiday
  std::unique_ptr<QMenu> menu(list.BuildPopup(nullptr));
  auto action = [&](const char* name) { return menu->findChild<QAction*>(QString::fromLatin1(name)); };
  EXPECT_FALSE(action("PopSchRepL")->isVisible());
  EXPECT_TRUE(action("PopHolidayRepL")->isVisible());
  EXPECT_EQ(action("PopHolidayRepL")->text(), QStringLiteral("祝日・休日・記念日の訂正(&H)"));
  EXPECT_TRUE(action("PopDeleteL")->isEnabled());
  QStringList chosen;
  QObject::connect(&list, &QtSchList::commandChosen, [&](const QString& name) { chosen << name; });
  action("PopHolidayRepL")->trigger();
  EXPECT_EQ(chosen, QStringList{QStringLiteral("PopHolidayRepL")});

  QStringList columns;
  QObject::connect(&list, &QtSchList::columnsChanged, [&](const QString& flags) { columns << flags; });
  QAction* category = action("PopColumn5");
  EXPECT_EQ(category->text(), QStringLiteral("分類(&C)"));
  EXPECT_FALSE(category->isChecked());
  category->trigger();
  EXPECT_EQ(columns, QStringList{QStringLiteral("1111111111")});
  EXPECT_FALSE(list.isColumnHidden(5));
  EXPECT_EQ(list.topLevelItemCount(), 3);  // refilled

  list.setCurrentItem(list.topLevelItem(1));
  std::unique_ptr<QMenu> schedule(list.BuildPopup(nullptr));
  EXPECT_TRUE(schedule->findChild<QAction*>(QStringLiteral("PopSchRepL"))->isVisible());
  EXPECT_FALSE(schedule->findChild<QAction*>(QStringLiteral("PopHolidayRepL"))->isVisible());
  EXPECT_TRUE(schedule->findChild<QAction*>(QStringLiteral("PopSchToTodoL"))->isEnabled());

  // Commands that cannot run yet keep their visibility but are disabled.
  list.SetWorkingCommands({QStringLiteral("PopSchRepL")});
  std::unique_ptr<QMenu> limited(list.BuildPopup(nullptr));
  EXPECT_TRUE(limited->findChild<QAction*>(QStringLiteral("PopSchToTodoL"))->isVisible());
  EXPECT_FALSE(limited->findChild<QAction*>(QStringLiteral("PopSchToTodoL"))->isEnabled());
  EXPECT_TRUE(limited->findChild<QAction*>(QStringLiteral("PopSchRepL"))->isEnabled());
}

TEST(QtSchList, NeededHeightGrowsWithTheRows) {
  QtSchList list;
  list.resize(600, 200);
  list.show();
  list.Fill({}, 0xFFFFFF);
  const int empty = list.NeededHeight();
  const auto entries = DayEntries();
  list.Fill(Rows(entries), 0xFFFFFF);
  EXPECT_GT(list.NeededHeight(), empty + 2 * 10);
  EXPECT_GT(list.RowHeight(), 9);
}

}  // namespace
}  // namespace kal::mainwindow
