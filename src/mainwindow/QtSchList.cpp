#include "mainwindow/QtSchList.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPalette>

#include "catalogues/QtCategoryIcons.h"
#include "catalogues/QtIconArt.h"

namespace kal::mainwindow {

namespace {

QColor Bgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

QtSchList::QtSchList(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("LtvSchList"));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setColumnCount(kSchListColumns);
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  header()->setMinimumSectionSize(0);
  widths_ = {20, 140, 140, 160, 120, 100, 32, 36, 38, 32};
  connect(header(), &QHeaderView::sectionClicked, this, &QtSchList::SortByColumn);
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int) { emit editRequested(indexOfTopLevelItem(item)); });
  SetColumns(sch_item_, widths_);
}

void QtSchList::SetColumns(const std::string& sch_item, const std::vector<int>& widths) {
  sch_item_ = sch_item;
  widths_ = widths;
  QStringList headers;
  for (const SchListColumn& c : SchListColumns()) headers << QString::fromUtf8(c.header);
  setHeaderLabels(headers);
  for (int c = 0; c < kSchListColumns; ++c) {
    const SchListColumn& column = SchListColumns()[static_cast<std::size_t>(c)];
    if (column.header_image >= 0)
      headerItem()->setIcon(c, QIcon(catalogues::SmallImagePixmap(column.header_image)));
    headerItem()->setTextAlignment(c, column.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    const int width = SchColumnWidth(sch_item_, widths_, c);
    // Column 0 stays present at 0 pixels so that the keys remain with the rows.
    setColumnHidden(c, c != 0 && width == 0);
    setColumnWidth(c, width);
  }
  header()->setSectionResizeMode(0, QHeaderView::Fixed);
  Refill();
}

void QtSchList::Fill(const std::vector<SchListRow>& rows, int background) {
  rows_ = rows;
  background_ = background;
  sort_.Reset();
  header()->setSortIndicatorShown(false);
  Refill();
}

void QtSchList::Refill() {
  QPalette p = palette();
  p.setColor(QPalette::Base, Bgr(background_));
  setPalette(p);
  clear();
  for (const SchListRow& row : rows_) {
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, QString::fromStdString(row.key));
    item->setForeground(0, QBrush(Qt::transparent));
    for (int c = 1; c < kSchListColumns; ++c) {
      item->setText(c, QString::fromStdString(row.texts[static_cast<std::size_t>(c)]));
      if (SchListColumns()[static_cast<std::size_t>(c)].centred) item->setTextAlignment(c, Qt::AlignCenter);
      if (row.text_colour) item->setForeground(c, Bgr(*row.text_colour));
      if (row.back_colour) item->setBackground(c, Bgr(*row.back_colour));
    }
    QPixmap icon;
    switch (row.icon) {
      case RowIcon::Holiday:
        icon = icons_ != nullptr ? icons_->Image(row.icon_number) : QPixmap();
        if (icon.isNull()) icon = catalogues::BuiltInIconPixmap(row.icon_number);
        break;
      case RowIcon::Alarm: icon = catalogues::SmallImagePixmap(catalogues::kImageAlarm); break;
      case RowIcon::Category: if (icons_ != nullptr) icon = icons_->Image(row.icon_number); break;
      case RowIcon::TodoState: icon = catalogues::TodoStatePixmap(row.icon_number); break;
      case RowIcon::None: break;
    }
    if (!icon.isNull()) item->setIcon(0, QIcon(icon));
    if (row.memo) item->setIcon(6, QIcon(catalogues::SmallImagePixmap(catalogues::kImageMemo)));
    if (row.file) item->setIcon(9, QIcon(catalogues::SmallImagePixmap(catalogues::kImageFile)));
  }
}

int QtSchList::SelectedIndex() const {
  const QList<QTreeWidgetItem*> items = selectedItems();
  return items.isEmpty() ? -1 : indexOfTopLevelItem(items.front());
}

const SchListRow* QtSchList::SelectedRow() const {
  const int at = SelectedIndex();
  return at < 0 || at >= static_cast<int>(rows_.size()) ? nullptr : &rows_[static_cast<std::size_t>(at)];
}

ItemKind QtSchList::SelectedKind() const {
  const SchListRow* row = SelectedRow();
  return row == nullptr ? ItemKind::None : ItemKindOf(row->kind());
}

QString QtSchList::KeyAt(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item == nullptr ? QString() : item->text(0);
}

void QtSchList::SortByColumn(int column) {
  if (!sort_.Click(rows_, column)) return;
  Refill();
  header()->setSortIndicatorShown(SchListColumns()[static_cast<std::size_t>(column)].header_image < 0);
  header()->setSortIndicator(column, sort_.direction(column) < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QMenu* QtSchList::BuildPopup(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("PopSch"));
  for (const MenuItemState& state : PopSchItems(SelectedKind())) {
    if (state.name == "PopColumns") {
      QMenu* columns = menu->addMenu(QString::fromStdString(state.caption));
      columns->setObjectName(QStringLiteral("PopColumns"));
      for (int c = 0; c < kSchListColumns; ++c) {
        QAction* a = columns->addAction(QString::fromUtf8(SchListColumns()[static_cast<std::size_t>(c)].menu));
        a->setObjectName(QStringLiteral("PopColumn%1").arg(c));
        a->setCheckable(true);
        a->setChecked(SchColumnShown(sch_item_, c));
        connect(a, &QAction::triggered, this, [this, c] {
          SetColumns(ToggleSchColumn(sch_item_, c), widths_);
          emit columnsChanged(QString::fromStdString(sch_item_));
        });
      }
      continue;
    }
    if (state.name == "PopDeleteL") menu->addSeparator();
    QAction* a = menu->addAction(QString::fromStdString(state.caption));
    a->setObjectName(QString::fromStdString(state.name));
    a->setVisible(state.visible);
    const QString name = QString::fromStdString(state.name);
    a->setEnabled(state.enabled && (!working_ || working_->contains(name)));
    if (state.name == "PopDeleteL")
      connect(a, &QAction::triggered, this, [this] { emit deleteRequested(SelectedIndex()); });
    else
      connect(a, &QAction::triggered, this, [this, name] { emit commandChosen(name); });
  }
  return menu;
}

void QtSchList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit editRequested(SelectedIndex());
    return;
  }
  if (event->key() == Qt::Key_D && event->modifiers() == Qt::ControlModifier) {
    if (SelectedIndex() >= 0) emit deleteRequested(SelectedIndex());
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void QtSchList::contextMenuEvent(QContextMenuEvent* event) {
  if (QTreeWidgetItem* item = itemAt(event->pos())) setCurrentItem(item);
  QMenu* menu = BuildPopup(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

int QtSchList::RowHeight() const {
  const QFontMetrics fm(font());
  // A font without internal leading has its cell height equal to its character height.
  return SchListRowHeight(fm.height(), fm.lineSpacing() == fm.height());
}

int QtSchList::NeededHeight() const {
  int rows_height = 0;
  for (int i = 0; i < topLevelItemCount(); ++i) rows_height += qMax(sizeHintForRow(i), 1);
  return header()->sizeHint().height() + rows_height + 2 * frameWidth();
}

}  // namespace kal::mainwindow
