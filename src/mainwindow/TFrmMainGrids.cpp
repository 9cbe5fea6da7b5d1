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

// ---- Grids -----------------------------------------------------------------------------------

void MainLayout::SetDaySource(DaySource source) {
  days_ = std::move(source);
  SchUpdate();
}

void MainLayout::SetCategories(catalogues::CategoryTable* table, const catalogues::CategoryIcons* icons) {
  categories_ = table;
  icons_ = icons;
  if (plain_delegate_ == nullptr) plain_delegate_ = new QStyledItemDelegate(lst_cat_);
  lst_cat_->setItemDelegate(plain_delegate_);
  delete category_delegate_;
  category_delegate_ = new catalogues::CategoryCellDelegate(icons_, catalogues::kCellIconLeftList, lst_cat_);
  grid_->SetSources(host_.settings, icons);
  for (QtCalendarGrid* g : side_grids_) g->SetSources(host_.settings, icons);
  RefreshList();
  SchUpdate();
}

void MainLayout::SchUpdate() {
  // The month-based views hold the months of the displayed month (the month view its neighbours,
  // whichever day of the first or last week row is selected; the month-row views from their first
  // row); the day-based views the months around their first shown day.
  const Date model_date = mode_ >= kModeMonthly ? store::MakeDate(displayed_year_, displayed_month_, 1) : Nav().displayed;
  if (days_.reload) days_.reload(mode_, model_date, ModeCount(*host_.settings, mode_));
  PaintMainGrid();
  PaintSideCalendars();
  RefreshList();
  RefreshMemo();
  DaySchEdit();
}

void MainLayout::SizeChange() { PaintMainGrid(); }

std::string MainLayout::PeriodCaption() const {
  const store::Settings& s = *host_.settings;
  CaptionInput input;
  input.weekly_bar_form = s.view.weekly_bar_form;
  input.monthly_bar_form = s.view.monthly_bar_form;
  return SchHeader(NavShape(), Nav(), input);
}

void MainLayout::PaintMainGrid() {
  const store::Settings& s = *host_.settings;
  const store::ViewModeSettings& v = Current();
  const std::string& flags = v.item_view;
  const platform::LocalDateTime now = host_.clock->Now();
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const bool day_numbers = mode_ >= kModeYearly && ItemOn(flags, kItemDayNumber);  // "日にち": no header row
  const GridShape shape = ShapeFor(mode_, s, displayed_year_, displayed_month_, day_numbers);
  GridPicture picture;
  picture.fixed_columns = shape.fixed_columns;
  shown_dates_.clear();

  CellContext ctx;
  ctx.settings = &s;
  ctx.mode = mode_;
  ctx.today = now.date;
  ctx.now_minutes = now.hour * 60 + now.minute;
  ctx.displayed_year = displayed_year_;
  ctx.displayed_month = displayed_month_;
  ctx.categories = categories_;

  const int data_rows = shape.rows - shape.fixed_rows;
  int selected_row = -1;
  int selected_column = -1;
  if (mode_ <= kModeMonthly) {
    const DateTable table = BuildDateTable(mode_, displayed_year_, displayed_month_, store::DayOf(Nav().displayed),
                                           mode_ <= kModeVertical ? 1 : data_rows, str_week, false,
                                           ModeCount(s, kModeDaily));
    const int columns = shape.day_columns;
    for (int c = 0; c < columns; ++c) {
      const int position = mode_ == kModeDaily ? c : ColumnPosition(c, v.sat_sun_no, str_week);
      const int weekday = mode_ == kModeDaily ? store::WeekdayNumber(table.rows[0][static_cast<std::size_t>(c)])
                                              : WeekdayAtPosition(position, str_week);
      picture.headers.push_back(BuildHeaderCell(weekday, s, false));
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      std::vector<CellContents> row;
      std::vector<Date> dates;
      std::vector<std::optional<Date>> opt;
      for (int c = 0; c < columns; ++c) {
        const int position = mode_ == kModeDaily ? c : ColumnPosition(c, v.sat_sun_no, str_week);
        const Date date = table.rows[r][static_cast<std::size_t>(position)];
        CellDay day = days_.day ? days_.day(date) : CellDay{};
        day.date = date;
        if (!days_.day) {
          const int wd = store::WeekdayNumber(date);
          day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
        }
        ctx.first_cell = r == 0 && c == 0;
        row.push_back(BuildCell(day, ctx));
        dates.push_back(date);
        opt.emplace_back(date);
        if (date == selected_) {
          selected_row = static_cast<int>(r);
          selected_column = c;
        }
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(std::move(opt));
      shown_dates_.push_back(std::move(dates));
      if (shape.timeline) {
        picture.row_labels.push_back("");  // the time axis: its hours come with the timeline
      } else if (shape.fixed_columns > 0) {
        picture.row_labels.push_back(std::to_string(
            RowWeekNumber(table.rows[r].front(), table.rows[r].back(), s.view_mode(kModeMonthly).week_of, str_week)));
      }
    }
  } else {
    // Modes 5 to 8: one row (or column) per month or year, one cell per day number.
    const bool vertical = mode_ == kModeYearly2;
    const int months = vertical ? 12 : data_rows;
    const int day_count = vertical ? 31 : shape.day_columns;
    auto month_of = [&](int i) {
      switch (mode_) {
        case kModeMonthly2: return store::AddMonths(store::MakeDate(displayed_year_, displayed_month_, 1), i);
        case kModeMonthly3: return store::MakeDate(displayed_year_ - i, displayed_month_, 1);
        default: return store::MakeDate(displayed_year_, i + 1, 1);
      }
    };
    std::vector<std::vector<std::optional<Date>>> grid(static_cast<std::size_t>(vertical ? 31 : months));
    for (int m = 0; m < months; ++m) {
      const Date first = month_of(m);
      const int days = store::DaysInMonth(store::YearOf(first), store::MonthOf(first));
      for (int d = 1; d <= day_count; ++d) {
        std::optional<Date> date;
        if (d <= days) date = store::MakeDate(store::YearOf(first), store::MonthOf(first), d);
        if (vertical) grid[static_cast<std::size_t>(d - 1)].push_back(date);
        else grid[static_cast<std::size_t>(m)].push_back(date);
      }
    }
    const int columns = vertical ? 12 : day_count;
    for (int c = 0; c < columns; ++c) {
      HeaderCell h;
      const store::ColourPair& pair = s.color.dyh;
      h.text_colour = pair.text;
      h.back_colour = pair.back;
      h.japanese = true;
      h.text = vertical ? std::to_string(c + 1) + "月" : std::to_string(c + 1);
      picture.headers.push_back(h);
    }
    for (std::size_t r = 0; r < grid.size(); ++r) {
      std::vector<CellContents> row;
      std::vector<Date> dates;
      for (std::size_t c = 0; c < grid[r].size(); ++c) {
        CellDay day;
        if (grid[r][c]) {
          day = days_.day ? days_.day(*grid[r][c]) : CellDay{};
          day.date = grid[r][c];
          if (!days_.day) {
            const int wd = store::WeekdayNumber(*grid[r][c]);
            day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
          }
        } else {
          day.kind = 9;
        }
        ctx.displayed_year = grid[r][c] ? store::YearOf(*grid[r][c]) : displayed_year_;
        ctx.displayed_month = grid[r][c] ? store::MonthOf(*grid[r][c]) : displayed_month_;
        CellContents cell = BuildCell(day, ctx);
        cell.date_text = grid[r][c] && mode_ >= kModeYearly && ItemOn(flags, kItemDayNumber) ? cell.date_text : "";
        row.push_back(std::move(cell));
        dates.push_back(grid[r][c].value_or(Date{}));
        if (grid[r][c] && *grid[r][c] == selected_) {
          selected_row = static_cast<int>(r);
          selected_column = static_cast<int>(c);
        }
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(grid[r]);
      shown_dates_.push_back(std::move(dates));
      if (vertical) {
        picture.row_labels.push_back(std::to_string(r + 1));
      } else {
        const Date first = month_of(static_cast<int>(r));
        picture.row_labels.push_back(mode_ == kModeMonthly3 ? std::to_string(store::YearOf(first))
                                                            : std::to_string(store::MonthOf(first)) + "月");
      }
    }
  }

  // Sizes.
  ColumnInput columns;
  columns.width = grid_->width();
  columns.fixed_width = shape.fixed_width;
  columns.fixed_columns = shape.fixed_columns;
  columns.day_columns = static_cast<int>(picture.headers.size());
  const bool week_modes = mode_ >= kModeVertical && mode_ <= kModeMonthly;
  columns.half_week_ends = week_modes && v.sat_sun && !v.sat_sun_no;
  if (columns.half_week_ends) {
    columns.saturday_column = str_week == 0 ? 6 : 5;
    columns.sunday_column = str_week == 0 ? 0 : 6;
  }
  picture.column_widths = ColumnWidths(columns);
  picture.row_heights = RowHeights(grid_->height(), shape.header_height, static_cast<int>(picture.cells.size()) + 1);
  // Automatic row height: the cell under the mouse (with tooltips on), else the selected cell.
  int tall_row = selected_row;
  int tall_column = selected_column;
  if (s.view.mouse_tip && grid_->HoverRow() >= 0 && grid_->HoverRow() < static_cast<int>(picture.cells.size())) {
    tall_row = grid_->HoverRow();
    tall_column = grid_->HoverColumn();
  }
  if (mode_ >= kModeWeekly && tall_row >= 0) {
    const int needed = grid_->NeededHeight(tall_row, tall_column);
    if (needed > picture.row_heights[static_cast<std::size_t>(tall_row + 1)] && picture.cells.size() >= 2) {
      picture.row_heights = AutoRowHeights(grid_->height(), shape.header_height, static_cast<int>(picture.cells.size()) + 1,
                                           tall_row + 1, needed, mode_ == kModeYearly || mode_ == kModeYearly2);
    }
  }
  if (mode_ >= kModeWeekly && selected_row >= 0) {
    if (v.auto_width && !v.cr && grid_->WidestSelectedItem() >
                                     picture.column_widths[static_cast<std::size_t>(selected_column + shape.fixed_columns)]) {
      picture.column_widths = AutoColumnWidths(columns, selected_column, grid_->WidestSelectedItem());
    }
  }
  grid_->SetPicture(std::move(picture));
  grid_->SetSelected(selected_row, selected_column);
  nav_->SetCaption(Q(PeriodCaption()));
  nav_->setPalette(QPalette(catalogues::BgrColour(s.color.vhd.back)));
}

void MainLayout::PaintSideCalendars() {
  const store::Settings& s = *host_.settings;
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const platform::LocalDateTime now = host_.clock->Now();
  for (int i = 0; i < 3; ++i) {
    QtCalendarGrid* grid = side_grids_[static_cast<std::size_t>(i)];
    if (!grid->isVisibleTo(pnl_right_)) continue;
    const Date first = store::AddMonths(store::MakeDate(displayed_year_, displayed_month_, 1), i - 1);
    const int year = store::YearOf(first);
    const int month = store::MonthOf(first);
    side_bars_[static_cast<std::size_t>(i)]->setText(Q(calendar::MonthHeading("", year, month, true)));
    const DateTable table = BuildDateTable(kModeMonthly, year, month, 1, 6, str_week, true);
    GridPicture picture;
    picture.mini = true;
    CellContext ctx;
    ctx.settings = &s;
    ctx.mode = kModeMonthly;
    ctx.mini = true;
    ctx.today = now.date;
    ctx.displayed_year = year;
    ctx.displayed_month = month;
    for (int c = 0; c < 7; ++c) picture.headers.push_back(BuildHeaderCell(WeekdayAtPosition(c, str_week), s, true));
    for (const auto& week : table.rows) {
      std::vector<CellContents> row;
      std::vector<std::optional<Date>> dates;
      for (const Date& date : week) {
        CellDay day;
        const bool in_month = store::MonthOf(date) == month;
        if (in_month) {
          day = days_.day ? days_.day(date) : CellDay{};
          day.date = date;
          if (!days_.day) {
            const int wd = store::WeekdayNumber(date);
            day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
          }
        } else {
          day.kind = 9;
        }
        CellContents cell = BuildCell(day, ctx);
        if (!in_month) cell.back_colour = s.color.day.back;
        row.push_back(std::move(cell));
        dates.emplace_back(in_month ? std::optional<Date>(date) : std::nullopt);
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(std::move(dates));
    }
    ColumnInput columns;
    columns.width = grid->width();
    columns.mini = true;
    picture.column_widths = ColumnWidths(columns);
    const std::vector<int> rows = SideCalendarRowHeights(grid->height(), 0, 7);
    picture.row_heights = rows;
    grid->SetPicture(std::move(picture));
    int sel_row = -1;
    int sel_col = -1;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      for (std::size_t c = 0; c < 7; ++c) {
        if (table.rows[r][c] == selected_) {
          sel_row = static_cast<int>(r);
          sel_col = static_cast<int>(c);
        }
      }
    }
    grid->SetSelected(sel_row, sel_col);
  }
}

}  // namespace kal::mainwindow
