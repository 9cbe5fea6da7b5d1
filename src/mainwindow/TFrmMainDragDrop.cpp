// The clipboard commands of the calendar: cut, copy and paste from the grid's pop-up menu (also
// on the timeline) and the keys Ctrl+X, Ctrl+C and Ctrl+V in the grid and the timeline, and the
// drag and drop of entries between days and half hours. The buffer itself is the window's.
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>

#include "mainwindow/GridCommands.h"
#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtScheduleDrag.h"
#include "mainwindow/QtTimeline.h"
#include "mainwindow/TFrmMainLayout.h"
#include "mainwindow/TFrmMainParts.h"
#include "platform/Dialogs.h"

namespace kal::mainwindow {

namespace {

// Ctrl+X, Ctrl+C and Ctrl+V on a widget; every other key goes on.
class ClipKeys : public QObject {
 public:
  ClipKeys(QObject* parent, std::function<void(const std::string&)> command)
      : QObject(parent), command_(std::move(command)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier) return false;
    const char* name = key->key() == Qt::Key_X   ? "PopCut"
                       : key->key() == Qt::Key_C ? "PopCopy"
                       : key->key() == Qt::Key_V ? "PopPaste"
                                                 : nullptr;
    if (name == nullptr) return false;
    command_(name);
    return true;
  }

 private:
  std::function<void(const std::string&)> command_;
};

}  // namespace

void MainLayout::BuildDragDrop() {
  if (!host_.clip_take) return;
  DragHost drag;
  drag.grid = grid_;
  drag.timeline = grd_ver_;
  // The mini calendar neither drags nor takes the clipboard keys.
  drag.start = [this](const DragItem& item, bool copy) {
    return !mini_ && host_.clip_take(item.entry, item.date, !copy, true);
  };
  drag.look = [this](const DropSpot& spot) {
    DropLook look;
    if (host_.clip_look) std::tie(look.text, look.rows) = host_.clip_look(spot.date, spot.row);
    return look;
  };
  drag.drop = [this](const DropSpot& spot, bool copy) { DropAt(spot, copy); };
  drag.selection_colour = [this] { return host_.settings->color.sel.back; };
  drag_ = new QtScheduleDrag(std::move(drag), this);

  auto* keys = new ClipKeys(this, [this](const std::string& command) { ClipKey(command); });
  grid_->installEventFilter(keys);
  grd_ver_->installEventFilter(keys);

  // The timeline's pop-up menu: the half hour under the pointer becomes current first.
  grd_ver_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grd_ver_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
    int row = 0, column = -1;
    if (!grd_ver_->CellAt(point, &row, &column)) return;
    grd_ver_->SetCurrent(row, column);
    TimelineSelect(column);
    std::optional<std::string> entry;
    if (const int block = grd_ver_->BlockAt(point, column); block >= 0) {
      const DayEntry& e = grd_ver_->Picture().columns.at(static_cast<std::size_t>(column)).looks.at(static_cast<std::size_t>(block)).entry;
      entry = e.key + e.kind + e.index + e.payload;
    }
    QMenu* menu = PopGrdMenu(entry, row);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(grd_ver_->mapToGlobal(point));
  });
}

std::optional<std::string> MainLayout::SelectedCellItem() const {
  if (grd_ver_ != nullptr && grd_ver_->hasFocus()) {
    const QPoint point = grd_ver_->mapFromGlobal(QCursor::pos());
    int row = 0, column = -1;
    if (!grd_ver_->CellAt(point, &row, &column) || column != grd_ver_->CurrentColumn()) return std::nullopt;
    const int block = grd_ver_->BlockAt(point, column);
    if (block < 0) return std::nullopt;
    const DayEntry& e = grd_ver_->Picture().columns.at(static_cast<std::size_t>(column)).looks.at(static_cast<std::size_t>(block)).entry;
    return e.key + e.kind + e.index + e.payload;
  }
  int row = -1, column = -1, line = -2;
  if (!grid_->LineAt(grid_->mapFromGlobal(QCursor::pos()), &row, &column, &line)) return std::nullopt;
  if (row != grid_->SelectedRow() || column != grid_->SelectedColumn()) return std::nullopt;
  return EntryAt(row, column, line);
}

void MainLayout::ClipKey(const std::string& command) {
  if (mini_) return;
  std::optional<int> row;
  if (command == "PopPaste" && mode_ <= kModeVertical && grd_ver_->hasFocus() && grd_ver_->CurrentRow() >= 0)
    row = grd_ver_->CurrentRow();
  if (command != "PopPaste") {
    // The keys act like the menu items: cut and copy only with something to take.
    const std::optional<std::string> entry = SelectedCellItem();
    const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
    const ItemKind kind = entry && entry->size() > 2 ? ItemKindOf((*entry)[2]) : ItemKind::None;
    if (kind != ItemKind::Schedule && kind != ItemKind::Todo && !day.memo) return;
    ClipCommand(command, entry, row);
    return;
  }
  if (host_.clip_filled && host_.clip_filled()) ClipCommand(command, std::nullopt, row);
}

void MainLayout::ClipCommand(const std::string& command, const std::optional<std::string>& entry,
                             std::optional<int> row) {
  if (command == "PopPaste") {
    if (host_.clip_paste) host_.clip_paste(selected_, row);
    return;
  }
  if (host_.clip_take) host_.clip_take(entry, selected_, command == "PopCut", false);
}

void MainLayout::DropAt(const DropSpot& spot, bool copy) {
  if (host_.clip_drop_ok && !host_.clip_drop_ok(copy)) return;
  // The cell under the pointer is selected, then the buffer is pasted there.
  selected_ = spot.date;
  if (host_.on_selected) host_.on_selected(selected_);
  if (spot.row) {
    grd_ver_->SetCurrent(*spot.row, spot.grid_column);
    grd_ver_->setFocus();
  } else {
    grid_->SetSelected(spot.grid_row, spot.grid_column);
    grid_->setFocus();
  }
  if (host_.clip_paste) host_.clip_paste(spot.date, spot.row);
}

}  // namespace kal::mainwindow
