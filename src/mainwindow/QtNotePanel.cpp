#include "mainwindow/QtNotePanel.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QVBoxLayout>

#include "mainwindow/QtPanelParts.h"
#include "platform/Dialogs.h"
#include "platform/QtControls.h"
#include "platform/Shell.h"

namespace kal::mainwindow {
namespace {

using platform::Q;

constexpr int kTextLeft = 2;
constexpr int kLinkColour = 0xFF0000;      // blue
constexpr int kSelectedBack = 0x800000;    // navy
constexpr int kRoleLinkText = Qt::UserRole + 1;

// Draws a line: the link text blue and underlined, the rest in the DAY text colour; other lines in
// the list's own colours; the selected line white on navy.
class NoteLineDelegate : public QStyledItemDelegate {
 public:
  NoteLineDelegate(const store::Settings& settings, QObject* parent)
      : QStyledItemDelegate(parent), settings_(settings) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QString text = index.data(Qt::DisplayRole).toString();
    const QString link = index.data(kRoleLinkText).toString();
    const bool selected = option.state & QStyle::State_Selected;
    const auto& colours = settings_.color.not_;
    p->save();
    p->fillRect(option.rect, BgrColour(selected ? kSelectedBack : colours.back));
    p->setFont(option.font);
    QRect r = option.rect.adjusted(kTextLeft, 0, 0, 0);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (selected) {
      p->setPen(Qt::white);
      p->drawText(r, flags, text);
    } else if (!link.isEmpty()) {
      QFont underlined = option.font;
      underlined.setUnderline(true);
      p->setFont(underlined);
      p->setPen(BgrColour(kLinkColour));
      p->drawText(r, flags, link);
      const int w = QFontMetrics(underlined).horizontalAdvance(link);
      p->setFont(option.font);
      p->setPen(BgrColour(settings_.color.day.text));
      p->drawText(r.adjusted(w, 0, 0, 0), flags, text.mid(link.size()));
    } else {
      p->setPen(BgrColour(colours.text));
      p->drawText(r, flags, text);
    }
    p->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QFontMetrics m(option.font);
    const int h = m.boundingRect(QLatin1Char('H')).height();
    return {m.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + kTextLeft + 4,
            h == m.height() ? h + 1 : std::max(h - 1, m.height())};
  }

 private:
  const store::Settings& settings_;
};

}  // namespace

// ---- LstNote --------------------------------------------------------------------------------------

QtNoteList::QtNoteList(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("LstNote"));
  setMouseTracking(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
}

std::optional<NoteLink> QtNoteList::LinkAt(int row, int* width) const {
  const QListWidgetItem* it = item(row);
  if (!it) return std::nullopt;
  auto link = FindNoteLink(it->text().toStdString());
  if (link && width) {
    QFont underlined = font();
    underlined.setUnderline(true);
    *width = kTextLeft + QFontMetrics(underlined).horizontalAdvance(it->data(kRoleLinkText).toString());
  }
  return link;
}

void QtNoteList::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const QModelIndex index = indexAt(pos);
  if (!index.isValid()) {
    // Below the last line: no line is selected and the grid takes the focus.
    clearSelection();
    setCurrentRow(-1);
    if (on_below_last_line) on_below_last_line();
    return;
  }
  QListWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  int width = 0;
  auto link = LinkAt(index.row(), &width);
  const int x = pos.x() + horizontalOffset();
  if (link && x >= kTextLeft && x < width && on_open_link) on_open_link(link->target);
}

void QtNoteList::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid() && on_double_click) {
    on_double_click();
    return;
  }
  QListWidget::mouseDoubleClickEvent(event);
}

void QtNoteList::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const QModelIndex index = indexAt(pos);
  int width = 0;
  const bool over = index.isValid() && LinkAt(index.row(), &width) && pos.x() + horizontalOffset() < width;
  viewport()->setCursor(over ? Qt::PointingHandCursor : Qt::ArrowCursor);
  QListWidget::mouseMoveEvent(event);
}

void QtNoteList::leaveEvent(QEvent* event) {
  // Leaving the list clears the line selection; a pop-up menu opened over it does not leave it.
  if (QApplication::activePopupWidget() == nullptr) clearSelection();
  QListWidget::leaveEvent(event);
}

// ---- The panel ------------------------------------------------------------------------------------

QtNotePanel::QtNotePanel(NoteBook& book, platform::Dialogs& dialogs, platform::Shell& shell,
                         store::Settings& settings, QWidget* parent)
    : QWidget(parent), book_(book), dialogs_(dialogs), shell_(shell), settings_(settings) {
  setObjectName(QStringLiteral("PnlNote"));
  TabNote = new QTabBar(this);
  TabNote->setObjectName(QStringLiteral("TabNote"));
  TabNote->setExpanding(false);
  TabNote->setDrawBase(false);
  TabNote->setUsesScrollButtons(true);
  TabNote->setContextMenuPolicy(Qt::CustomContextMenu);
  LstNote = new QtNoteList(this);
  LstNote->setItemDelegate(new NoteLineDelegate(settings_, LstNote));
  LstNote->setContextMenuPolicy(Qt::CustomContextMenu);

  PopNot = new QMenu(this);
  PopNot->setObjectName(QStringLiteral("PopNot"));
  auto add = [this](const char* name, const char* caption, auto slot) {
    QAction* a = PopNot->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  add("PopNotAdd", "ノートの新規追加(&A)", [this] { AddClick(); });
  add("PopNotEdit", "ノートの編集(&R)", [this] { EditClick(); });
  add("PopNotDelete", "ノートの削除(&D)", [this] { DeleteClick(); });
  add("PopNotRename", "タイトルの変更(&R)", [this] { RenameClick(); });
  PopNot->addSeparator();
  add("PopNotLink", "リンクの挿入(&L)", [this] { InsertLinkClick(); });
  add("PopNotLineDelete", "行の削除(&X)", [this] { DeleteLineClick(); });
  add("PopNotClear", "内容の消去(&C)", [this] { ClearClick(); });
  PopNot->addSeparator();
  add("PopNotUp", "上に移動(&U)", [this] { MoveClick(-1); });
  add("PopNotDown", "下に移動(&d)", [this] { MoveClick(+1); });
  PopNot->addSeparator();
  add("PopNotListTab", "リストのタブ位置を下にする(&B)", [this] { ListTabClick(); })->setCheckable(true);

  auto popup = [this](QWidget* from, const QPoint& pos) {
    UpdateMenu();
    PopNot->popup(from->mapToGlobal(pos));
  };
  connect(TabNote, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint& pos) {
    const int tab = TabNote->tabAt(pos);
    if (tab >= 0 && tab != TabNote->currentIndex()) TabNote->setCurrentIndex(tab);
    popup(TabNote, pos);
  });
  connect(LstNote, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& pos) { popup(LstNote->viewport(), pos); });
  connect(TabNote, &QTabBar::currentChanged, this, [this](int index) { TabNoteChange(index); });
  connect(TabNote, &QTabBar::tabBarClicked, this, [this](int) { LstNote->clearSelection(); });
  LstNote->on_open_link = [this](const std::string& target) { shell_.Open(target); };
  LstNote->on_double_click = [this] { EditClick(); };
  LstNote->on_below_last_line = [this] {
    if (on_focus_grid) on_focus_grid();
  };
  ApplySettings();
}

void QtNotePanel::ApplySettings() {
  PlaceTabs(this, TabNote, LstNote, settings_.note.list_tab);
  LstNote->setFont(PanelFont(LstNote->font(), settings_.font.note));
  QPalette palette = LstNote->palette();
  palette.setColor(QPalette::Base, BgrColour(settings_.color.not_.back));
  palette.setColor(QPalette::Text, BgrColour(settings_.color.not_.text));
  LstNote->setPalette(palette);
  LstNote->setHorizontalScrollBarPolicy(settings_.note.h_bar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  book_.SetProtection(settings_.note.password);
}

void QtNotePanel::Open(const std::string& note_folder) {
  book_.Open(note_folder, settings_.note.password);
  ShowTabs();
  ShowNote();
}

void QtNotePanel::ShowTabs() {
  showing_ = true;
  while (TabNote->count() > 0) TabNote->removeTab(0);
  const auto& titles = book_.titles();
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const int tab = TabNote->addTab(Q(titles[i]));
    if (book_.IsProtected(tab)) TabNote->setTabToolTip(tab, QStringLiteral("パスワードで保護されています"));
  }
  TabNote->setCurrentIndex(book_.current());
  showing_ = false;
}

void QtNotePanel::ShowNote() {
  if (TabNote->count() != static_cast<int>(book_.titles().size())) ShowTabs();
  LstNote->clear();
  for (const auto& line : book_.ShownLines()) {
    auto* item = new QListWidgetItem(Q(line), LstNote);
    if (auto link = FindNoteLink(line)) item->setData(kRoleLinkText, Q(line.substr(0, link->length)));
  }
}

void QtNotePanel::TabNoteChange(int index) {
  if (showing_) return;
  const int now = book_.SelectTab(index);
  if (now != index) {
    showing_ = true;
    TabNote->setCurrentIndex(now);
    showing_ = false;
  }
  ShowNote();
}

void QtNotePanel::UpdateMenu() {
  auto action = [this](const char* name) { return PopNot->findChild<QAction*>(QString::fromLatin1(name)); };
  const bool any = book_.current() >= 0;
  for (const char* name : {"PopNotDelete", "PopNotRename", "PopNotLink"}) action(name)->setEnabled(any);
  action("PopNotLineDelete")->setEnabled(LstNote->currentRow() >= 0 && !LstNote->selectedItems().isEmpty());
  action("PopNotClear")->setEnabled(book_.CurrentExists());
  action("PopNotUp")->setEnabled(book_.CanMoveUp());
  action("PopNotDown")->setEnabled(book_.CanMoveDown());
  action("PopNotListTab")->setChecked(settings_.note.list_tab);
}

void QtNotePanel::AddClick() {
  if (book_.AddAsk()) {
    ShowTabs();
    ShowNote();
  }
}

void QtNotePanel::EditClick() {
  if (book_.current() < 0) {
    AddClick();
    return;
  }
  if (on_edit) on_edit();
  ShowNote();
}

void QtNotePanel::DeleteClick() {
  if (book_.Delete(settings_.view.del_msg)) {
    ShowTabs();
    ShowNote();
  }
}

void QtNotePanel::RenameClick() {
  if (book_.RenameAsk()) {
    ShowTabs();
    ShowNote();
  }
}

void QtNotePanel::InsertLinkClick() {
  const int selected = LstNote->selectedItems().isEmpty() ? -1 : LstNote->currentRow();
  if (book_.InsertLinkAsk(program_folder, selected)) ShowNote();
}

void QtNotePanel::DeleteLineClick() {
  if (LstNote->selectedItems().isEmpty()) return;
  if (book_.DeleteLine(LstNote->currentRow())) ShowNote();
}

void QtNotePanel::ClearClick() {
  if (book_.Clear()) ShowNote();
}

void QtNotePanel::MoveClick(int direction) {
  if (direction < 0 ? book_.MoveUp() : book_.MoveDown()) {
    ShowTabs();
    ShowNote();
  }
}

void QtNotePanel::ListTabClick() {
  settings_.note.list_tab = !settings_.note.list_tab;
  ApplySettings();
  if (on_layout_changed) on_layout_changed();
}

}  // namespace kal::mainwindow
