#include "mainwindow/QtNotePanel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

using test::Sjis;

struct QtNotePanelFixture : ::testing::Test {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  store::Settings settings;
  NoteBook book{fs, dialogs};
  std::unique_ptr<QtNotePanel> panel;

  QtNotePanelFixture() {
    settings.view.del_msg = true;
    panel = std::make_unique<QtNotePanel>(book, dialogs, shell, settings);
    panel->resize(400, 300);
    panel->show();
    QApplication::processEvents();
  }
  QStringList Tabs() const {
    QStringList tabs;
    for (int i = 0; i < panel->TabNote->count(); ++i) tabs << panel->TabNote->tabText(i);
    return tabs;
  }
  QAction* Action(const char* name) { return panel->PopNot->findChild<QAction*>(QString::fromLatin1(name)); }
  void Click(QWidget* w, const QPoint& pos, QEvent::Type type = QEvent::MouseButtonPress) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
};

TEST_F(QtNotePanelFixture, AddRenameAndDeleteATab) {
  panel->Open(dir.path());
  EXPECT_EQ(Tabs(), (QStringList{"目標", "重要", "購入", "アイデア", "秘密"}));

  dialogs.input_texts.push_back("旅行");
  Action("PopNotAdd")->trigger();
  EXPECT_EQ(Tabs().front(), QStringLiteral("旅行"));
  EXPECT_EQ(panel->TabNote->currentIndex(), 0);
  EXPECT_EQ(dir.Read("Note.lst"), Sjis("旅行\r\n目標\r\n重要\r\n購入\r\nアイデア\r\n秘密\r\n"));

  panel->TabNote->setCurrentIndex(2);  // 重要
  dialogs.input_texts.push_back("至急");
  Action("PopNotRename")->trigger();
  EXPECT_EQ(Tabs()[2], QStringLiteral("至急"));
  EXPECT_EQ(dir.Read("Note.lst"), Sjis("旅行\r\n目標\r\n至急\r\n購入\r\nアイデア\r\n秘密\r\n"));

  // A rename onto another tab's title is refused with its message.
  dialogs.input_texts.push_back("目標");
  Action("PopNotRename")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「目標」は登録済みです。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  dialogs.shown.clear();

  dialogs.answers.push_back(platform::MsgAnswer::Yes);
  Action("PopNotDelete")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「至急」を削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(Tabs(), (QStringList{"旅行", "目標", "購入", "アイデア", "秘密"}));
  EXPECT_EQ(panel->TabNote->currentIndex(), 0);
}

TEST_F(QtNotePanelFixture, LinesLinksAndTheDoubleClick) {
  dir.WriteLines("Note.lst", {"Links"});
  dir.WriteLines("Links.not", {"https://example.jp/a 説明", "a\tb", "普通の行"});
  panel->Open(dir.path());
  ASSERT_EQ(panel->LstNote->count(), 3);
  EXPECT_EQ(panel->LstNote->item(1)->text(), QStringLiteral("a       b"));

  // A click on the link text opens only the address; a click right of it does not.
  const QRect first = panel->LstNote->visualItemRect(panel->LstNote->item(0));
  Click(panel->LstNote->viewport(), first.topLeft() + QPoint(6, first.height() / 2));
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0], "https://example.jp/a");
  int link_width = 0;
  ASSERT_TRUE(panel->LstNote->LinkAt(0, &link_width));
  ASSERT_LT(link_width + 10, first.right());
  Click(panel->LstNote->viewport(), QPoint(link_width + 10, first.center().y()));
  EXPECT_EQ(shell.opened.size(), 1u);
  // A plain line opens nothing.
  const QRect third = panel->LstNote->visualItemRect(panel->LstNote->item(2));
  Click(panel->LstNote->viewport(), third.topLeft() + QPoint(6, third.height() / 2));
  EXPECT_EQ(shell.opened.size(), 1u);

  // The toolkit's double click edits the note.
  int edits = 0;
  panel->on_edit = [&] { ++edits; };
  Click(panel->LstNote->viewport(), third.topLeft() + QPoint(6, third.height() / 2), QEvent::MouseButtonDblClick);
  EXPECT_EQ(edits, 1);

  // A press below the last line clears the selection and hands the focus to the grid.
  int to_grid = 0;
  panel->on_focus_grid = [&] { ++to_grid; };
  panel->LstNote->setCurrentRow(1);
  Click(panel->LstNote->viewport(), QPoint(10, panel->LstNote->viewport()->height() - 3));
  EXPECT_EQ(to_grid, 1);
  EXPECT_TRUE(panel->LstNote->selectedItems().isEmpty());
}

TEST_F(QtNotePanelFixture, DeleteLineInsertLinkAndTheMenuState) {
  dir.WriteLines("Note.lst", {"A", "B"});
  dir.WriteLines("A.not", {"one", "two", "three"});
  dir.Write("my docs/資料.txt", "x");
  panel->program_folder = dir.path();
  panel->Open(dir.path());

  panel->PopNot->aboutToShow();
  panel->LstNote->clearSelection();
  dialogs.file_names.push_back(dir / "my docs/資料.txt");
  panel->LstNote->setCurrentRow(1);
  Action("PopNotLink")->trigger();
  ASSERT_EQ(panel->LstNote->count(), 4);
  EXPECT_EQ(panel->LstNote->item(1)->text(), QString::fromStdString(FileLinkUrl(dir / "my docs/資料.txt")));
  EXPECT_EQ(panel->LstNote->item(1)->text().indexOf(QLatin1Char(' ')), -1);

  panel->LstNote->setCurrentRow(0);
  Action("PopNotLineDelete")->trigger();
  EXPECT_EQ(panel->LstNote->count(), 3);
  EXPECT_EQ(panel->LstNote->item(0)->text().left(7), QStringLiteral("file://"));

  // Move down: B then A.
  Action("PopNotDown")->trigger();
  EXPECT_EQ(Tabs(), (QStringList{"B", "A"}));
  EXPECT_EQ(panel->TabNote->currentIndex(), 1);

  // The tab position toggles and marks the layout changed.
  int changed = 0;
  panel->on_layout_changed = [&] { ++changed; };
  Action("PopNotListTab")->trigger();
  EXPECT_TRUE(settings.note.list_tab);
  EXPECT_EQ(panel->TabNote->shape(), QTabBar::RoundedSouth);
  EXPECT_EQ(changed, 1);
}

TEST_F(QtNotePanelFixture, TheProtectedTabIsShownAsProtected) {
  settings.note.password = true;
  dir.WriteLines("Note.lst", {"A", "秘密"});
  dir.WriteLines("秘密.not", {"見せない"});
  panel->Open(dir.path());
  EXPECT_FALSE(panel->TabNote->tabToolTip(1).isEmpty());
  panel->TabNote->setCurrentIndex(1);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, kNotePasswordUnavailable);
  EXPECT_EQ(dialogs.shown[0].caption, kNotePasswordCaption);
  EXPECT_EQ(panel->TabNote->currentIndex(), 0);
  EXPECT_EQ(panel->LstNote->count(), 0);
}

}  // namespace
}  // namespace kal::mainwindow
