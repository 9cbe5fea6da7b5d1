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
#include "mainwindow/QtScheduleDrag.h"
#include "mainwindow/QtTimeline.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DatePattern.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/ManyMonthDays.h"
#include "mainwindow/SideCalendars.h"

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
  if (grd_ver_ != nullptr) grd_ver_->SetSources(host_.settings, icons);
  for (QtCalendarGrid* g : side_grids_) g->SetSources(host_.settings, icons);
  RefreshList();
  SchUpdate();
}

void MainLayout::SchUpdate() {
  if (drag_ != nullptr) drag_->Disarm();
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

CellContext MainLayout::ViewContext() const {
  const platform::LocalDateTime now = host_.clock->Now();
  CellContext ctx;
  ctx.settings = host_.settings;
  ctx.mode = mode_;
  ctx.today = now.date;
  ctx.now_minutes = now.hour * 60 + now.minute;
  ctx.displayed_year = displayed_year_;
  ctx.displayed_month = displayed_month_;
  ctx.categories = categories_;
  return ctx;
}

CellDay MainLayout::DayAt(const Date& date) const {
  CellDay day = days_.day ? days_.day(date) : CellDay{};
  day.date = date;
  if (!days_.day) {
    const int wd = store::WeekdayNumber(date);
    day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
  }
  return day;
}

void MainLayout::PaintMainGrid() {
  if (mini_) {
    PaintMiniGrid();
    return;
  }
  if (mode_ <= kModeVertical) {
    PaintTimeline();
    return;
  }
  ShowTimeline(false);
  const store::Settings& s = *host_.settings;
  const store::ViewModeSettings& v = Current();
  const std::string& flags = v.item_view;
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const bool day_numbers = mode_ >= kModeYearly && ItemOn(flags, kItemDayNumber);  // "日にち": no header row
  const GridShape shape = ShapeFor(mode_, s, displayed_year_, displayed_month_, day_numbers);
  GridPicture picture;
  picture.fixed_columns = shape.fixed_columns;
  shown_dates_.clear();

  CellContext ctx = ViewContext();

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
        CellDay day = DayAt(date);
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
    const ManyMonthGrid grid = ManyMonthDays(mode_, displayed_year_, displayed_month_, ModeCount(s, mode_));
    picture.label_highlight = true;
    const store::ColourPair& vhd = s.color.vhd;
    for (const std::string& label : grid.column_labels) {
      HeaderCell h;
      h.text_colour = vhd.text;
      h.back_colour = vhd.back;
      h.japanese = true;
      h.text = label;
      picture.headers.push_back(h);
    }
    for (int r = 0; r < grid.rows(); ++r) {
      std::vector<CellContents> row;
      std::vector<Date> dates;
      for (int c = 0; c < grid.columns(); ++c) {
        const std::optional<Date>& date = grid.dates[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
        CellDay day;
        if (date) {
          day = DayAt(*date);
        } else {
          day.kind = 9;
        }
        const Date month = ManyMonthOfCell(grid, r, c);
        ctx.displayed_year = store::YearOf(month);
        ctx.displayed_month = store::MonthOf(month);
        CellContents cell = BuildCell(day, ctx);
        cell.date_text = date ? ManyMonthDateLine(*date, flags, s.view.date_jap) : "";
        if (mode_ == kModeYearly2 && date && !ItemOn(flags, kItemRokuyo)) MoveFirstLineToDateLine(cell);
        row.push_back(std::move(cell));
        dates.push_back(date.value_or(Date{}));
        if (date && *date == selected_) {
          selected_row = r;
          selected_column = c;
        }
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(grid.dates[static_cast<std::size_t>(r)]);
      shown_dates_.push_back(std::move(dates));
      picture.row_labels.push_back(grid.row_labels[static_cast<std::size_t>(r)]);
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
  const store::ColorSettings& colours = s.color;
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const platform::LocalDateTime now = host_.clock->Now();
  // Around the displayed month; in modes 5 to 8 around the month of the selected cell.
  const Date centre = mode_ >= kModeYearly ? selected_ : store::MakeDate(displayed_year_, displayed_month_, 1);
  const std::array<Date, 3> months = SideCalendarMonths(centre);
  std::array<bool, 3> shown{};
  for (std::size_t i = 0; i < 3; ++i) shown[i] = side_grids_[i]->isVisibleTo(pnl_right_);
  const int holding = SideCalendarHolding(months, shown, selected_);
  const std::vector<Date> marked = colours.mini_color ? RangeMarkedDays(NavShape(), Nav().displayed) : std::vector<Date>{};
  for (int i = 0; i < 3; ++i) {
    QtCalendarGrid* grid = side_grids_[static_cast<std::size_t>(i)];
    if (!shown[static_cast<std::size_t>(i)]) continue;
    const Date first = months[static_cast<std::size_t>(i)];
    const int year = store::YearOf(first);
    const int month = store::MonthOf(first);
    // A month the many-month views do not hold is drawn greyed, day numbers only.
    const bool greyed = mode_ >= kModeYearly && days_.holds && !days_.holds(year, month);
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
    int sel_row = -1;
    int sel_col = -1;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      std::vector<CellContents> row;
      std::vector<std::optional<Date>> dates;
      for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
        const Date& date = table.rows[r][c];
        const bool in_month = store::MonthOf(date) == month;
        CellDay day;
        if (in_month && !greyed && days_.day) day = days_.day(date);
        day.date = date;
        if (!in_month || greyed || !days_.day) {
          const int wd = store::WeekdayNumber(date);
          day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
          day.entries.clear();
          day.day_line.clear();
        }
        CellContents cell = BuildCell(day, ctx);
        if (!in_month || greyed) {
          cell.text_colour = colours.zen.text;
          cell.back_colour = colours.zen.back;
          cell.day_mark = 0;
        } else {
          cell.underline = s.view.cal_line && SideDayUnderlined(day.entries);
          if (mode_ < kModeYearly && SideDayMarked(marked, date, year, month)) cell.back_colour = colours.mcr.back;
        }
        if (holding == i && in_month && date == selected_) {
          sel_row = static_cast<int>(r);
          sel_col = static_cast<int>(c);
        }
        row.push_back(std::move(cell));
        dates.emplace_back(date);
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(std::move(dates));
    }
    ColumnInput columns;
    columns.width = grid->width();
    columns.mini = true;
    picture.column_widths = ColumnWidths(columns);
    picture.row_heights = SideCalendarRowHeights(grid->height(), 0, 7);
    grid->SetPicture(std::move(picture));
    grid->SetSelected(sel_row, sel_col);
  }
}

}  // namespace kal::mainwindow
