#include "mainwindow/TFrmMainLayout.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QKeySequence>
#include <QMenu>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/Folders.h"
#include "calendar/DateLabels.h"
#include "catalogues/Category.h"
#include "catalogues/QtCategoryCell.h"
#include "catalogues/QtCategoryIcons.h"
#include "mainwindow/DayPanel.h"
#include "mainwindow/Layout.h"
#include "mainwindow/QtGridKeys.h"
#include "mainwindow/QtSchList.h"
#include "mainwindow/QtToolIcons.h"
#include "mainwindow/TDlgJump.h"
#include "catalogues/ItemTable.h"
#include "store/TextFile.h"
#include "mainwindow/QtCalendarGrid.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DatePattern.h"
#include "mainwindow/GridDays.h"

#include "mainwindow/TFrmMainParts.h"

namespace kal::mainwindow {

using namespace layout_parts;

// ---- Navigation ------------------------------------------------------------------------------

void MainLayout::SetSelectedDate(const Date& date) {
  selected_ = date;
  if (host_.on_selected) host_.on_selected(selected_);
  displayed_year_ = store::YearOf(date);
  displayed_month_ = store::MonthOf(date);
  anchor_day_ = store::DayOf(date);
  SchUpdate();
}

// The period caption's font and colour (`MonthlyBarFont`); the step buttons' arrows take the colour.
void MainLayout::ApplyBarFont() {
  const std::optional<BarFont> bar = MonthlyBarFont(host_.settings->view);
  if (!bar) return;
  QFont font(Q(bar->name));
  if (bar->size > 0) font.setPointSize(bar->size);
  font.setBold((bar->style & 1) != 0);
  font.setItalic((bar->style & 2) != 0);
  font.setUnderline((bar->style & 4) != 0);
  font.setStrikeOut((bar->style & 8) != 0);
  const QColor colour = catalogues::BgrColour(bar->colour);
  for (int i = 0; i < 5; ++i) {
    QToolButton* button = nav_->buttons[i];
    if (i == 2) button->setFont(font);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, colour);
    button->setPalette(p);
  }
}

NavState MainLayout::Nav() const {
  const int day = std::min(anchor_day_, store::DaysInMonth(displayed_year_, displayed_month_));
  return NavState{store::MakeDate(displayed_year_, displayed_month_, std::max(day, 1)), selected_};
}

NavContext MainLayout::NavShape() const { return NavContextOf(*host_.settings, mode_, mini_); }

void MainLayout::ApplyNav(const NavState& state) {
  selected_ = state.selected;
  displayed_year_ = store::YearOf(state.displayed);
  displayed_month_ = store::MonthOf(state.displayed);
  anchor_day_ = store::DayOf(state.displayed);
  if (host_.on_selected) host_.on_selected(selected_);
  SchUpdate();
  grid_->setFocus();
}

void MainLayout::StepPeriod(int direction, bool years) {
  const NavContext shape = NavShape();
  if (years) {
    if (auto next = YearStep(shape, Nav(), direction)) ApplyNav(*next);
    return;
  }
  ApplyNav(PeriodStep(shape, Nav(), direction));
}

void MainLayout::NowPeriod() { ApplyNav(TodayState(host_.clock->Now().date)); }

void MainLayout::JumpClick() {
  if (auto chosen = TDlgJump::Choose(host_.clock->Now().date, host_.window)) ApplyNav(JumpState(*chosen));
}

void MainLayout::RefreshClick() {
  SchUpdate();
  grid_->setFocus();
}

void MainLayout::DaySchEdit() {
  const store::Settings& s = *host_.settings;
  const platform::LocalDateTime now = host_.clock->Now();
  if (auto* status = host_.window->findChild<QLabel*>(QStringLiteral("SbrPanel0")))
    status->setText(Q(StatusBarEdit(s, selected_, now.date)));
  if (ltv_sch_list_ == nullptr || !Current().sch_list) return;
  const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
  DayListInput in;
  in.entries = &day.entries;
  in.selected = selected_;
  in.today = now.date;
  in.now_minutes = now.hour * 60 + now.minute;
  try {
    in.alarm_offsets = host_.table_folder.empty() ? catalogues::DefaultAlarmOffsets()
                                                  : catalogues::LoadAlarmOffsets(*host_.files, host_.table_folder);
  } catch (const store::FileError&) {
    in.alarm_offsets = catalogues::DefaultAlarmOffsets();
  }
  in.alarm_icon_item = ItemOn(Current().item_view, 8);
  in.sch_color = s.view.sch_color;
  in.categories = categories_;
  in.colours = s.color;
  ltv_sch_list_->SetCategoryIcons(icons_);
  const std::vector<SchListRow> rows = SchListRows(in);
  ltv_sch_list_->Fill(rows, SchListBackground(day.kind, day.day_line, s.color));
  if (s.view.auto_sch_height && spl_t_ != nullptr) {
    const QList<int> sizes = spl_t_->sizes();
    const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
    if (total > 0) {
      const int height = SchListHeight(ltv_sch_list_->RowHeight(), static_cast<int>(rows.size()),
                                       ltv_sch_list_->NeededHeight(), total);
      if (height != sizes[0]) spl_t_->setSizes({height, total - height});
    }
  }
}

void MainLayout::DeleteSelectedEntry() {
  const SchListRow* row = ltv_sch_list_ != nullptr ? ltv_sch_list_->SelectedRow() : nullptr;
  if (row == nullptr) return;
  const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
  if (row->entry_position >= day.entries.size()) return;
  DeleteEntry(day.entries[row->entry_position]);
}

std::optional<std::string> MainLayout::EntryAt(int row, int column, int line) const {
  const auto& cells = grid_->Picture().cells;
  if (row < 0 || column < 0 || line < 0 || static_cast<std::size_t>(row) >= cells.size() ||
      static_cast<std::size_t>(column) >= cells[static_cast<std::size_t>(row)].size())
    return std::nullopt;
  const CellContents& cell = cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  if (static_cast<std::size_t>(line) >= cell.lines.size()) return std::nullopt;
  const DayEntry& e = cell.lines[static_cast<std::size_t>(line)].entry;
  if (e.key.empty()) return std::nullopt;
  return e.key + e.kind + e.index + e.payload;
}

QMenu* MainLayout::BuildGridPopup(const QPoint& point) {
  int row = -1, column = -1, line = -2;
  std::optional<std::string> entry;
  if (grid_->CellAt(point, &row, &column)) {
    const auto& dates = grid_->Picture().dates;
    const auto& cells = grid_->Picture().cells;
    const bool blank = cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].blank;
    if (!blank && static_cast<std::size_t>(row) < dates.size() &&
        static_cast<std::size_t>(column) < dates[static_cast<std::size_t>(row)].size()) {
      if (const auto& date = dates[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]) {
        if (*date != selected_) {
          selected_ = *date;
          if (host_.on_selected) host_.on_selected(selected_);
          grid_->SetSelected(row, column);
          PaintSideCalendars();
          RefreshMemo();
          DaySchEdit();
        }
      }
    }
    int r = 0, c = 0;
    if (grid_->LineAt(point, &r, &c, &line) && r == row && c == column) entry = EntryAt(row, column, line);
  }
  return PopGrdMenu(entry);
}

QMenu* MainLayout::PopGrdMenu(const std::optional<std::string>& entry, std::optional<int> paste_row) {
  const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
  PopGrdInput input;
  input.mini = mini_;
  input.item = entry && entry->size() > 2 ? ItemKindOf((*entry)[2]) : ItemKind::None;
  input.day_has_memo = day.memo;
  input.clipboard_has_data = host_.clip_filled && host_.clip_filled();
  auto* menu = new QMenu(grid_);
  menu->setObjectName(QStringLiteral("PopGrd"));
  // The commands that exist so far; the others show their rule but stay disabled.
  QStringList working = {QStringLiteral("PopSchAdd"), QStringLiteral("PopSchRep"), QStringLiteral("PopDelete")};
  const QStringList todo_commands = {QStringLiteral("PopSchToTodo"), QStringLiteral("PopTodoAdd"),
                                     QStringLiteral("PopTodoRep"), QStringLiteral("PopTodoToSch")};
  if (host_.on_todo_command) working << todo_commands;
  const QStringList clip_commands = {QStringLiteral("PopCut"), QStringLiteral("PopCopy"), QStringLiteral("PopPaste")};
  if (host_.clip_take) working << clip_commands;
  working << QStringLiteral("PopSchList");
  int index = 0;
  for (const MenuItemState& state : PopGrdItems(input)) {
    if (index == 3 || index == 4 || index == 7 || index == 9 || index == 10 || index == 14 || index == 17)
      menu->addSeparator();
    ++index;
    QAction* a = menu->addAction(Q(state.caption));
    const QString name = Q(state.name);
    a->setObjectName(name);
    if (!state.shortcut.empty()) a->setShortcut(QKeySequence(Q(state.shortcut)));
    a->setVisible(state.visible);
    const bool deletable = state.name != "PopDelete" || input.item == ItemKind::Schedule ||
                           input.item == ItemKind::Holiday || (input.item == ItemKind::Todo && host_.on_todo_command);
    a->setEnabled(state.enabled && working.contains(name) && deletable);
    if (state.name == "PopSchAdd") {
      connect(a, &QAction::triggered, this, [this] {
        if (host_.on_edit_entry) host_.on_edit_entry(std::nullopt);
      });
    } else if (state.name == "PopSchRep" && entry) {
      connect(a, &QAction::triggered, this, [this, e = *entry] {
        if (host_.on_edit_entry) host_.on_edit_entry(e);
      });
    } else if (state.name == "PopSchList") {
      connect(a, &QAction::triggered, this, [this] {
        if (host_.on_schedule_list) host_.on_schedule_list();
      });
    } else if (todo_commands.contains(name) && host_.on_todo_command) {
      connect(a, &QAction::triggered, this, [this, n = state.name, entry] { host_.on_todo_command(n, entry); });
    } else if (clip_commands.contains(name) && host_.clip_take) {
      connect(a, &QAction::triggered, this, [this, n = state.name, entry, paste_row] { ClipCommand(n, entry, paste_row); });
    } else if (state.name == "PopDelete" && entry) {
      connect(a, &QAction::triggered, this, [this, e = *entry] { DeleteEntry(e); });
    }
  }
  if (host_.on_grid_popup) host_.on_grid_popup(menu);
  if (host_.on_grid_menu) host_.on_grid_menu(menu, selected_);
  return menu;
}

void MainLayout::DeleteEntry(const std::string& entry) {
  if (entry.size() > 2 && entry[2] == '8' && host_.on_todo_command) {
    host_.on_todo_command("PopDelete", entry);  // a ToDo item: the ToDo list deletes it
    return;
  }
  DeleteResult result = DeleteResult::NotHandled;
  try {
    result = DeleteDayEntry(*host_.files, *host_.dialogs, host_.data_folder, entry, selected_,
                            host_.settings->view.del_msg);
  } catch (const store::FileError& e) {
    host_.dialogs->Error(e.what(), "エラー");
    return;
  }
  if (result == DeleteResult::Deleted || result == DeleteResult::Stale) SchUpdate();
}

// ---- List area -------------------------------------------------------------------------------

void MainLayout::ShowList(int which) {
  list_shown_ = std::clamp(which, 0, 2);
  list_buttons_[static_cast<std::size_t>(list_shown_)]->setChecked(true);
  RefreshList();
}

void MainLayout::RefreshList() {
  const bool was = applying_;
  applying_ = true;
  lst_cat_->clear();
  if (plain_delegate_ == nullptr) plain_delegate_ = new QStyledItemDelegate(lst_cat_);
  lst_cat_->setItemDelegate(plain_delegate_);
  if (list_shown_ == 1) {
    const std::string& flags = Current().item_view;
    for (int item : ListedDisplayItems(mode_)) {
      auto* row = new QListWidgetItem(U(DisplayItemCaptions()[static_cast<std::size_t>(item)]), lst_cat_);
      row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      row->setCheckState(ItemOn(flags, item) ? Qt::Checked : Qt::Unchecked);
      row->setData(Qt::UserRole, item);
    }
  } else if (list_shown_ == 0 && categories_ != nullptr) {
    if (category_delegate_ != nullptr) {
      category_delegate_->SetShowIcons(host_.settings->view.cat_icon != 0);
      lst_cat_->setItemDelegate(category_delegate_);
    }
    for (std::size_t i = 0; i < categories_->size(); ++i) {
      auto* row = new QListWidgetItem(Q(categories_->Entry(i).name), lst_cat_);
      row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
      row->setCheckState(categories_->Entry(i).checked ? Qt::Checked : Qt::Unchecked);
      row->setData(Qt::UserRole, static_cast<int>(i));
      row->setData(catalogues::kCategoryLineRole, catalogues::CategoryLineData(categories_->lines()[i]));
    }
    lst_cat_->setEnabled(catalogues::CategoryListEnabled(host_.settings->view.catchk));
  } else if (list_shown_ == 2) {
    lst_cat_->setEnabled(true);
    for (const std::string& name : app::FolderSetNames(*host_.files, host_.program_folder)) {
      new QListWidgetItem(Q(name), lst_cat_);
    }
  }
  if (list_shown_ != 0) lst_cat_->setEnabled(true);
  applying_ = was;
}

// The day memo of the selected date in the under panel.
void MainLayout::RefreshMemo() {
  if (host_.on_memo_day) {
    host_.on_memo_day(selected_);
    return;
  }
  if (auto* memo = host_.central->findChild<QTabWidget*>(QStringLiteral("TabMemo"))) {
    memo->setTabText(0, Q(store::FormatDatePattern(host_.settings->memo.daily_title, selected_)));
    std::vector<std::string> lines;
    try {
      lines = store::LoadTextLines(*host_.files, host_.memo_folder + store::FormatDatePattern("yyyymmdd", selected_) + ".mem");
    } catch (const store::FileError&) {
    }
    QStringList text;
    for (const std::string& l : lines) text << Q(l);
    if (auto* edit = memo->findChild<QPlainTextEdit*>(QStringLiteral("MemDaily"))) edit->setPlainText(text.join('\n'));
  }
}

}  // namespace kal::mainwindow
