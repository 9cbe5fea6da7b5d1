#include "todo/QtTodoPanel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

#include "catalogues/Category.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"

namespace kal::todo {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
QColor Bgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

constexpr int kRowRole = Qt::UserRole;       // position in rows_
constexpr int kStateRole = Qt::UserRole + 1;  // the row's state number

// The program's own small pictures: states 1..7, the check column 8, priority 9, memo 10, file 18.
QPixmap DrawImage(int image) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  auto badge = [&](QColor fill, const QString& glyph) {
    p.setPen(fill.darker(140));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, glyph);
  };
  switch (image) {
    case 1: badge(QColor(220, 30, 30), U("!")); break;
    case 2: badge(QColor(240, 110, 110), U("今")); break;
    case 3: {
      QPolygonF tri({QPointF(8, 1.5), QPointF(14.5, 14), QPointF(1.5, 14)});
      p.setPen(QColor(160, 130, 0));
      p.setBrush(QColor(250, 210, 0));
      p.drawPolygon(tri);
      p.setPen(Qt::black);
      QFont f = p.font();
      f.setPixelSize(9);
      f.setBold(true);
      p.setFont(f);
      p.drawText(QRect(0, 3, 16, 12), Qt::AlignCenter, U("!"));
      break;
    }
    case 4: badge(QColor(40, 150, 60), U("▶")); break;
    case 5: badge(QColor(60, 90, 220), U("∞")); break;
    case 6: {
      p.setPen(QPen(QColor(90, 90, 90), 2.2));
      p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
      break;
    }
    case 7: {
      p.setPen(QColor(110, 110, 110));
      p.setBrush(QColor(200, 200, 200));
      p.drawPolygon(QPolygonF({QPointF(3.5, 2), QPointF(12.5, 2), QPointF(3.5, 14), QPointF(12.5, 14)}));
      break;
    }
    case 8: {
      p.setPen(QColor(80, 80, 80));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      p.setPen(QPen(QColor(40, 40, 40), 1.8));
      p.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 10.5), QPointF(11.5, 5)}));
      break;
    }
    case 9: {
      QFont f = p.font();
      f.setPixelSize(12);
      f.setBold(true);
      p.setFont(f);
      p.setPen(QColor(180, 40, 40));
      p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, U("優"));
      break;
    }
    case 10: {
      p.setPen(QColor(90, 90, 90));
      p.setBrush(QColor(255, 250, 200));
      p.drawRect(QRectF(3.5, 1.5, 9, 13));
      for (int y : {5, 8, 11}) p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
      break;
    }
    case 18: {
      p.setPen(QPen(QColor(70, 70, 140), 1.4));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(5, 1.5, 6, 12.5), 3, 3);
      p.drawLine(QPointF(8, 4.5), QPointF(8, 11));
      break;
    }
    default: break;
  }
  return pixmap;
}

// Draws the progress bar, the memo mark and the file mark of a cell.
class CellDelegate : public QStyledItemDelegate {
 public:
  CellDelegate(QtTodoPanel* panel, std::function<const store::TodoSettings*()> settings)
      : QStyledItemDelegate(panel), panel_(panel), settings_(std::move(settings)) {}
  std::function<int(int column)> field_of;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const int column = index.column();
    const int field = column > 0 && field_of ? field_of(column) : -1;
    const int position = index.siblingAtColumn(0).data(kRowRole).toInt();
    const auto& rows = panel_->Rows();
    const TodoRow* row = position >= 0 && static_cast<std::size_t>(position) < rows.size()
                             ? &rows[static_cast<std::size_t>(position)]
                             : nullptr;
    const store::TodoSettings* s = settings_();
    if (row != nullptr && field == kFieldProgress && s != nullptr && s->graph) {
      QStyleOptionViewItem o(option);
      initStyleOption(&o, index);
      o.text.clear();
      QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &o, painter);
      const QRect box = option.rect.adjusted(2, 2, -2, -2);
      painter->save();
      painter->fillRect(box, Bgr(s->back_color));
      QRect done = box;
      done.setWidth(box.width() * row->progress / 10);
      painter->fillRect(done, Bgr(s->graph_color));
      painter->setPen(Bgr(s->graph_color));
      painter->drawRect(box.adjusted(0, 0, -1, -1));
      QFont f(U("Tahoma"));
      f.setPointSize(8);
      painter->setFont(f);
      painter->setPen(Qt::black);
      painter->drawText(box, Qt::AlignCenter, index.data().toString());
      painter->restore();
      return;
    }
    QStyledItemDelegate::paint(painter, option, index);
    if (row != nullptr && ((field == kFieldMemo && row->memo) || (field == kFieldLink && row->link))) {
      const QPixmap mark = DrawImage(field == kFieldMemo ? kImageMemo : kImageLink);
      const QPoint at = option.rect.center() - QPoint(mark.width() / 2, mark.height() / 2);
      painter->drawPixmap(at, mark);
    }
  }

 private:
  QtTodoPanel* panel_;
  std::function<const store::TodoSettings*()> settings_;
};

}  // namespace

QtTodoPanel::QtTodoPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PnlTodo"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  TabTodo = new QTabBar(this);
  TabTodo->setObjectName(QStringLiteral("TabTodo"));
  TabTodo->setExpanding(false);
  TabTodo->setDrawBase(false);
  for (const char* name : kTodoTabNames) TabTodo->addTab(U(name));
  LtvTodo = new QTreeWidget(this);
  LtvTodo->setObjectName(QStringLiteral("LtvTodo"));
  LtvTodo->setRootIsDecorated(false);
  LtvTodo->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LtvTodo->setSelectionBehavior(QAbstractItemView::SelectRows);
  LtvTodo->setUniformRowHeights(true);
  LtvTodo->setAllColumnsShowFocus(true);
  LtvTodo->setContextMenuPolicy(Qt::DefaultContextMenu);
  LtvTodo->header()->setSectionsClickable(true);
  LtvTodo->header()->setStretchLastSection(false);
  LtvTodo->installEventFilter(this);
  LtvTodo->viewport()->installEventFilter(this);
  layout->addWidget(TabTodo);
  layout->addWidget(LtvTodo, 1);

  auto* delegate = new CellDelegate(this, [this] { return host_.settings ? &host_.settings->todo : nullptr; });
  delegate->field_of = [this](int column) {
    const std::size_t i = static_cast<std::size_t>(column - 1);
    return i < columns_.size() ? columns_[i].field : -1;
  };
  LtvTodo->setItemDelegate(delegate);

  connect(TabTodo, &QTabBar::currentChanged, this, [this](int index) {
    if (filling_ || index < 0) return;
    // Leaving a tab stores its widths and applies its ticks.
    StoreWidths();
    ApplyPending();
    tab_ = static_cast<TodoTab>(index);
    RebuildColumns();
  });
  connect(LtvTodo->header(), &QHeaderView::sectionClicked, this, [this](int section) { SortByColumn(section); });
  connect(LtvTodo, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) { EditSelected(); });
  connect(LtvTodo, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (filling_ || column != 0) return;
    const int position = item->data(0, kRowRole).toInt();
    if (position < 0 || static_cast<std::size_t>(position) >= rows_.size()) return;
    TodoRow& row = rows_[static_cast<std::size_t>(position)];
    row.checked = item->checkState(0) == Qt::Checked;
    // The strike-through of a ticked row follows the tick.
    const RowColours colours = TodoRowColours(host_.settings->todo, row, tab_, std::nullopt, std::nullopt);
    for (int c = 0; c < LtvTodo->columnCount(); ++c) {
      QFont f = item->font(c);
      f.setStrikeOut(colours.strike && host_.settings->todo.t_no_color);
      item->setFont(c, f);
    }
  });
}

QtTodoPanel::~QtTodoPanel() = default;

void QtTodoPanel::Attach(TodoPanelHost host) {
  host_ = std::move(host);
  ApplyTabPosition();
  LoadUserIcons();
}

void QtTodoPanel::ApplyTabPosition() {
  if (host_.settings == nullptr) return;
  auto* box = static_cast<QVBoxLayout*>(layout());
  box->removeWidget(TabTodo);
  const bool bottom = host_.settings->todo.list_tab;
  box->insertWidget(bottom ? 1 : 0, TabTodo);
  TabTodo->setShape(bottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
}

void QtTodoPanel::LoadUserIcons() {
  if (host_.settings == nullptr || host_.files == nullptr) return;
  const std::string& flags = host_.settings->todo.set_icon;
  for (int n = 1; n <= 7; ++n) {
    user_icons_[static_cast<std::size_t>(n)].reset();
    if (static_cast<std::size_t>(n - 1) >= flags.size() || flags[static_cast<std::size_t>(n - 1)] != '1') continue;
    char name[32];
    std::snprintf(name, sizeof name, "Kltod%03d.bmp", n);
    const platform::ReadResult read = host_.files->Read(platform::JoinPath(host_.program_folder, name));
    QImage image;
    if (read.ok() && image.loadFromData(reinterpret_cast<const uchar*>(read.bytes.data()),
                                        static_cast<int>(read.bytes.size())))
      user_icons_[static_cast<std::size_t>(n)] = image;
  }
}

void QtTodoPanel::ShowFileError(const std::string& message) {
  if (host_.dialogs) host_.dialogs->Error(message, store::kFileErrorCaption);
}

void QtTodoPanel::Classify() {
  if (host_.settings == nullptr || host_.clock == nullptr) return;
  classes_ = ClassifyTodos(records_, host_.clock->Now().date, ClassifyOptionsOf(host_.settings->todo));
  marks_.Build(records_, classes_);
}

void QtTodoPanel::RequestCalendar() {
  Classify();  // the marks follow the list as it now is
  if (host_.on_calendar_refresh) host_.on_calendar_refresh();
}

void QtTodoPanel::ReportDamage(const TodoLoad& load) {
  std::string text;
  for (const auto& [index, message] : load.damaged) {
    if (!damage_reported_.insert(load.records[index]).second) continue;
    if (!text.empty()) text += '\n';
    text += message;
  }
  if (!text.empty() && host_.dialogs) host_.dialogs->Error(text, kTodoErrorCaption);
}

void QtTodoPanel::Reload() {
  if (host_.files == nullptr) return;
  ApplyPending();
  try {
    TodoLoad load = LoadTodoList(*host_.files, host_.todo_folder);
    ReportDamage(load);
    records_ = std::move(load.records);
  } catch (const store::FileError& e) {
    ShowFileError(e.what());
  }
  Fill();
}

void QtTodoPanel::Refill() {
  ApplyPending();
  Fill();
}

void QtTodoPanel::RebuildColumns() {
  if (host_.settings == nullptr) return;
  store::TodoTabSettings& tab = host_.settings->todo.tabs[static_cast<std::size_t>(tab_)];
  columns_ = TodoColumns(tab, host_.settings->todo.graph);
  MendSortPosition(tab, columns_.size());
  built_ = true;
  filling_ = true;
  LtvTodo->clear();
  LtvTodo->setColumnCount(static_cast<int>(columns_.size()) + 1);
  auto* header = new QTreeWidgetItem;
  header->setIcon(0, DrawImage(kImageCheckColumn));
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const TodoColumn& c = columns_[i];
    const int column = static_cast<int>(i) + 1;
    header->setText(column, Q(c.header));
    if (c.header_image) header->setIcon(column, DrawImage(c.header_image));
    const Qt::Alignment align = c.align == CellAlign::Right    ? Qt::AlignRight
                                : c.align == CellAlign::Centre ? Qt::AlignHCenter
                                                               : Qt::AlignLeft;
    header->setTextAlignment(column, align | Qt::AlignVCenter);
  }
  LtvTodo->setHeaderItem(header);
  LtvTodo->setColumnWidth(0, FirstColumnWidth(tab));
  for (std::size_t i = 0; i < columns_.size(); ++i) LtvTodo->setColumnWidth(static_cast<int>(i) + 1, columns_[i].width);
  filling_ = false;
  Fill();
}

void QtTodoPanel::StoreWidths() {
  if (host_.settings == nullptr || columns_.empty()) return;
  store::TodoTabSettings& tab = host_.settings->todo.tabs[static_cast<std::size_t>(tab_)];
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const int width = LtvTodo->columnWidth(static_cast<int>(i) + 1);
    const std::size_t field = static_cast<std::size_t>(columns_[i].field);
    if (width > 0 && field < tab.item_width.size() && tab.item_width[field] != width) {
      tab.item_width[field] = width;
      marked_[static_cast<std::size_t>(tab_)] = true;
      if (host_.layout_changed) *host_.layout_changed = true;
    }
  }
}

std::vector<int> QtTodoPanel::ColumnWidths() const {
  std::vector<int> widths(kTodoFieldCount, -1);
  for (std::size_t i = 0; i < columns_.size(); ++i)
    widths[static_cast<std::size_t>(columns_[i].field)] = LtvTodo->columnWidth(static_cast<int>(i) + 1);
  return widths;
}

void QtTodoPanel::Fill() {
  if (host_.settings == nullptr || host_.clock == nullptr) return;
  if (!built_) {
    RebuildColumns();
    return;
  }
  const store::TodoSettings& s = host_.settings->todo;
  const Date today = host_.clock->Now().date;
  Classify();
  rows_ = TodoRows(records_, classes_, tab_, s, columns_, today);
  const store::TodoTabSettings& tab = s.tabs[static_cast<std::size_t>(tab_)];
  const std::size_t sort_column = static_cast<std::size_t>(std::max(tab.column, 1) - 1);
  SortTodoRows(rows_, sort_column, tab.order < 0 ? -1 : 1, [](const std::string& a, const std::string& b) {
    return QString::localeAwareCompare(Q(a), Q(b));
  });

  filling_ = true;
  // The list's colours per tab (Color TNo, TOk, TWt).
  const store::ColorSettings& c = host_.settings->color;
  const store::ColourPair& base = tab_ == kTabNotDone ? c.tno : (tab_ == kTabDone ? c.tok : c.twt);
  QPalette palette = LtvTodo->palette();
  palette.setColor(QPalette::Base, Bgr(base.back));
  palette.setColor(QPalette::Text, Bgr(base.text));
  LtvTodo->setPalette(palette);
  for (int t = 0; t < 3; ++t)
    TabTodo->setTabText(t, Q(TabCaption(static_cast<TodoTab>(t), classes_.counts[static_cast<std::size_t>(t)])));
  if (TabTodo->currentIndex() != tab_) TabTodo->setCurrentIndex(tab_);
  LtvTodo->clear();
  // One icon per picture for the whole list: drawing it for each of thousands of rows cost more
  // than the rest of the fill.
  std::map<int, QIcon> icons;
  auto icon_of = [&](int image) -> const QIcon& {
    auto it = icons.find(image);
    if (it != icons.end()) return it->second;
    const auto& user = user_icons_[static_cast<std::size_t>(image)];
    return icons.emplace(image, user ? QIcon(QPixmap::fromImage(*user)) : QIcon(DrawImage(image))).first->second;
  };
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows_.size()));
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    const TodoRow& row = rows_[r];
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setData(0, kRowRole, static_cast<int>(r));
    item->setData(0, kStateRole, row.state);
    item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
    if (row.icon > 0) item->setIcon(0, icon_of(row.icon));
    std::optional<int> cat_text, cat_back;
    if (!s.t_no_color && host_.categories != nullptr) {
      if (auto index = host_.categories->FindText(row.category)) {
        const catalogues::CategoryEntry entry = host_.categories->Entry(*index);
        cat_text = entry.text_colour;
        cat_back = entry.back_colour;
      }
    }
    const RowColours colours = TodoRowColours(s, row, tab_, cat_text, cat_back);
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      const int column = static_cast<int>(c) + 1;
      item->setText(column, Q(row.cells[c]));
      const Qt::Alignment align = columns_[c].align == CellAlign::Right    ? Qt::AlignRight
                                  : columns_[c].align == CellAlign::Centre ? Qt::AlignHCenter
                                                                           : Qt::AlignLeft;
      item->setTextAlignment(column, align | Qt::AlignVCenter);
    }
    for (int column = 0; column <= static_cast<int>(columns_.size()); ++column) {
      if (colours.text) item->setForeground(column, Bgr(*colours.text));
      if (colours.back) item->setBackground(column, Bgr(*colours.back));
      if (colours.strike) {
        QFont f = item->font(column);
        f.setStrikeOut(true);
        item->setFont(column, f);
      }
    }
    items.append(item);
  }
  LtvTodo->addTopLevelItems(items);
  const int section = std::max(tab.column, 1);
  LtvTodo->header()->setSortIndicatorShown(section < LtvTodo->columnCount() &&
                                           columns_[static_cast<std::size_t>(section - 1)].header_image == 0);
  LtvTodo->header()->setSortIndicator(section, tab.order < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
  filling_ = false;
}

bool QtTodoPanel::ApplyPending() {
  if (host_.files == nullptr || host_.clock == nullptr) return false;
  const std::vector<DoneChange> changes = PendingChanges(rows_, tab_);
  if (changes.empty()) return false;
  try {
    TodoResult result = ApplyDoneChanges(*host_.files, host_.todo_folder, changes, host_.clock->Now().date);
    records_ = std::move(result.records);
    if (result.status == TodoStatus::Stale) {
      ShowTodoStale(*host_.dialogs);
      rows_.clear();
      Fill();
      RequestCalendar();
      return false;
    }
    // The rows now match the stored flags: no change stays pending.
    rows_.clear();
    if (result.status == TodoStatus::Changed) {
      RequestCalendar();
      return true;
    }
  } catch (const store::FileError& e) {
    ShowFileError(e.what());
  }
  return false;
}

std::string QtTodoPanel::StartupWarnings() const {
  if (host_.settings == nullptr || host_.clock == nullptr) return {};
  const Date today = host_.clock->Now().date;
  const Classification classes = ClassifyTodos(records_, today, ClassifyOptionsOf(host_.settings->todo));
  return todo::StartupWarnings(records_, classes, today, host_.settings->todo.pop);
}

void QtTodoPanel::SetTab(TodoTab tab) { TabTodo->setCurrentIndex(tab); }

std::vector<const TodoRow*> QtTodoPanel::SelectedRows() const {
  std::vector<const TodoRow*> selected;
  for (int i = 0; i < LtvTodo->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = LtvTodo->topLevelItem(i);
    if (!item->isSelected()) continue;
    const int position = item->data(0, kRowRole).toInt();
    if (position >= 0 && static_cast<std::size_t>(position) < rows_.size())
      selected.push_back(&rows_[static_cast<std::size_t>(position)]);
  }
  return selected;
}

std::optional<TodoRef> QtTodoPanel::SelectedRef() const {
  const auto selected = SelectedRows();
  if (selected.size() != 1) return std::nullopt;
  return TodoRef{selected[0]->index, selected[0]->record};
}

void QtTodoPanel::EditSelected() {
  if (!host_.on_entry) return;
  const auto selected = SelectedRows();
  if (selected.empty()) {
    host_.on_entry(TodoEntryKind::New, std::nullopt, std::nullopt);
    return;
  }
  const TodoRow& row = *selected[0];
  // The dialog shows the row's tick: ticked on 未処理, still ticked on 処理済; not done on 待機.
  const bool shown_done = tab_ == kTabWaiting ? false : row.checked;
  host_.on_entry(TodoEntryKind::Edit, TodoRef{row.index, row.record}, shown_done);
}

void QtTodoPanel::DeleteSelected() {
  std::vector<TodoRef> refs;
  for (const TodoRow* row : SelectedRows()) refs.push_back({row->index, row->record});
  Delete(std::move(refs));
}

void QtTodoPanel::DeleteRecord(const TodoRef& record) { Delete({record}); }

void QtTodoPanel::Delete(std::vector<TodoRef> refs) {
  if (refs.empty() || host_.files == nullptr) return;
  std::vector<std::string> lines;
  for (const auto& ref : refs) lines.push_back(ref.line);
  if (host_.settings->view.del_msg && !host_.dialogs->Confirm(DeleteQuestion(lines), kDeleteCaption)) return;
  // The pending ticks first (in place: the indexes stay), then the deletion.
  const std::vector<DoneChange> pending = PendingChanges(rows_, tab_);
  try {
    if (!pending.empty()) {
      TodoResult applied = ApplyDoneChanges(*host_.files, host_.todo_folder, pending, host_.clock->Now().date);
      if (applied.status == TodoStatus::Stale) {
        ShowTodoStale(*host_.dialogs);
        rows_.clear();
        Reload();
        return;
      }
      for (auto& ref : refs)
        for (const auto& change : pending)
          if (change.ref.index == ref.index && ref.index < applied.records.size()) ref.line = applied.records[ref.index];
    }
    TodoResult result = DeleteTodos(*host_.files, host_.todo_folder, refs);
    if (result.status == TodoStatus::Stale) ShowTodoStale(*host_.dialogs);
    records_ = std::move(result.records);
  } catch (const store::FileError& e) {
    ShowFileError(e.what());
  }
  rows_.clear();
  Reload();
  RequestCalendar();
}

void QtTodoPanel::CheckSelected() {
  filling_ = true;
  for (int i = 0; i < LtvTodo->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = LtvTodo->topLevelItem(i);
    if (!item->isSelected()) continue;
    const std::size_t position = static_cast<std::size_t>(item->data(0, kRowRole).toInt());
    if (position < rows_.size()) rows_[position].checked = tab_ != kTabDone;
  }
  filling_ = false;
  ApplyPending();
  Fill();
}

void QtTodoPanel::SetProgress(int progress) {
  auto ref = SelectedRef();
  if (!ref || host_.files == nullptr) return;
  ApplyPending();
  if (ref->index < records_.size()) ref->line = records_[ref->index];
  try {
    TodoResult result = SetTodoProgress(*host_.files, host_.todo_folder, *ref, progress);
    if (result.status == TodoStatus::Stale) ShowTodoStale(*host_.dialogs);
    records_ = std::move(result.records);
  } catch (const store::FileError& e) {
    ShowFileError(e.what());
  }
  rows_.clear();
  Fill();
  if (tab_ == kTabNotDone) RequestCalendar();
}

void QtTodoPanel::ToggleItem(int item) {
  store::TodoTabSettings& tab = host_.settings->todo.tabs[static_cast<std::size_t>(tab_)];
  StoreWidths();
  if (!ToggleTodoItem(tab, item)) {
    host_.dialogs->Error(kLastColumnMessage, kLastColumnCaption);
    return;
  }
  marked_[static_cast<std::size_t>(tab_)] = true;
  if (host_.layout_changed) *host_.layout_changed = true;
  ApplyPending();
  RebuildColumns();
}

void QtTodoPanel::SortByColumn(int section) {
  if (section <= 0 || host_.settings == nullptr) return;
  store::TodoTabSettings& tab = host_.settings->todo.tabs[static_cast<std::size_t>(tab_)];
  const int direction = sort_states_[static_cast<std::size_t>(tab_)].Click(section);
  tab.column = section;
  tab.order = direction;
  marked_[static_cast<std::size_t>(tab_)] = true;
  if (host_.layout_changed) *host_.layout_changed = true;
  // Sorting keeps the rows' ticks: they are pending until an apply moment.
  std::vector<TodoRow> ticks = rows_;
  Fill();
  for (int i = 0; i < LtvTodo->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = LtvTodo->topLevelItem(i);
    TodoRow& row = rows_[static_cast<std::size_t>(item->data(0, kRowRole).toInt())];
    for (const auto& old : ticks)
      if (old.index == row.index && old.checked != row.checked) item->setCheckState(0, old.checked ? Qt::Checked : Qt::Unchecked);
  }
}

QMenu* QtTodoPanel::BuildPopup(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("PopTod"));
  const auto selected = SelectedRows();
  const bool pending = !PendingChanges(rows_, tab_).empty();
  const TodoMenu m = TodoMenuFor(tab_, selected, pending, host_.settings->todo);
  auto add = [&](const char* name, const QString& caption, bool visible, std::function<void()> run) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(U(name));
    a->setVisible(visible);
    connect(a, &QAction::triggered, this, std::move(run));
    return a;
  };
  const std::optional<TodoRef> ref = SelectedRef();
  add("PopTodNew", U("ToDoの追加(&A)"), true, [this] {
    if (host_.on_entry) host_.on_entry(TodoEntryKind::New, std::nullopt, std::nullopt);
  })->setEnabled(static_cast<bool>(host_.on_entry));
  add("PopTodRep", U("ToDoの訂正(&R)"), m.rep, [this] { EditSelected(); })->setEnabled(static_cast<bool>(host_.on_entry));
  add("PopTodCopy", U("ToDoのコピー(&C)"), m.copy, [this, ref] {
    if (host_.on_entry && ref) host_.on_entry(TodoEntryKind::Copy, ref, std::nullopt);
  })->setEnabled(static_cast<bool>(host_.on_entry));
  add("PopTodSch", U("ToDoをスケジュールにコピー(&S)"), m.to_schedule, [this, ref] {
    if (host_.on_to_schedule && ref) host_.on_to_schedule(*ref);
  })->setEnabled(static_cast<bool>(host_.on_to_schedule));
  menu->addSeparator();
  add("PopTodList", U("ToDo一覧(&L)"), true, [this] {
    if (host_.on_list) host_.on_list();
  })->setEnabled(static_cast<bool>(host_.on_list));
  menu->addSeparator();
  add("PopTodDel", U("削除(&D)"), m.del, [this] { DeleteSelected(); });
  add("PopTodChk", Q(m.check_caption), m.check, [this] { CheckSelected(); });
  add("PopTodUpdate", U("未処理・処理済の更新(&U)"), m.update, [this] {
    ApplyPending();
    Fill();
  });
  add("PopTodCal", U("スケジュール表の期限に移動(&J)"), m.move_to_limit, [this, ref] {
    if (!ref || !host_.on_move_to) return;
    if (auto limit = TodoLimit(ref->line)) host_.on_move_to(*limit);
  });
  QMenu* per = menu->addMenu(U("進捗率の更新"));
  per->setObjectName(QStringLiteral("PopTodPer"));
  per->menuAction()->setObjectName(QStringLiteral("PopTodPer"));
  per->menuAction()->setVisible(m.progress);
  for (int n = 0; n <= 10; ++n) {
    QAction* a = per->addAction(QString::number(n * 10) + U("%"));
    a->setObjectName(QStringLiteral("PopTodPer%1").arg(n));
    a->setCheckable(true);
    a->setChecked(n == m.progress_value);
    connect(a, &QAction::triggered, this, [this, n] { SetProgress(n); });
  }
  menu->addSeparator();
  QMenu* items = menu->addMenu(U("表示項目の設定(&M)"));
  items->setObjectName(QStringLiteral("PopTodItem"));
  items->menuAction()->setObjectName(QStringLiteral("PopTodItem"));
  const char* captions[] = {"アイコン(&N)", "期限(&L)",   "残日数(&D)",   "開始日(&S)", "優先度(&P)", "件名(&T)",
                            "分類(&C)",     "進捗率(&R)", "処理日(&E)", "メモ有無(&M)", "ファイル(&F)"};
  for (int n = 0; n <= kTodoFieldCount; ++n) {
    QAction* a = items->addAction(U(captions[n]));
    a->setObjectName(QStringLiteral("PopTodItem%1").arg(n));
    a->setCheckable(true);
    a->setChecked(m.item_checks[static_cast<std::size_t>(n)]);
    connect(a, &QAction::triggered, this, [this, n] { ToggleItem(n); });
  }
  QAction* tabs = menu->addAction(U("リストのタブ位置を下に表示する(&T)"));
  tabs->setObjectName(QStringLiteral("PopTodTab"));
  tabs->setCheckable(true);
  tabs->setChecked(m.tabs_at_bottom);
  connect(tabs, &QAction::triggered, this, [this](bool on) {
    host_.settings->todo.list_tab = on;
    if (host_.layout_changed) *host_.layout_changed = true;
    ApplyTabPosition();
  });
  return menu;
}

bool QtTodoPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LtvTodo && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      EditSelected();
      return true;
    }
    if (key->key() == Qt::Key_Delete) {
      DeleteSelected();
      return true;
    }
  }
  if (watched == LtvTodo->viewport() && event->type() == QEvent::ContextMenu) {
    auto* context = static_cast<QContextMenuEvent*>(event);
    QMenu* menu = BuildPopup(this);
    menu->exec(context->globalPos());
    menu->deleteLater();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kal::todo
