// Mini mode of the main window's calendar: the compact month grid, its navigation bar and its
// tooltip. What the cells show comes from MiniCalendar; this file only lays it out.
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>

#include "mainwindow/GridDays.h"
#include "mainwindow/Layout.h"
#include "mainwindow/MiniCalendar.h"
#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/TFrmMainLayout.h"
#include "mainwindow/TFrmMainParts.h"
#include "catalogues/QtCategoryCell.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/MemoFile.h"
#include "store/TextFile.h"

namespace kal::mainwindow {

namespace {

// Shows a mini tip at the pointer in its day's colour.
void ShowTip(const Hint& hint, const QPoint& at, QWidget* owner) {
  if (hint.text.empty()) {
    QToolTip::hideText();
    return;
  }
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, catalogues::BgrColour(hint.colour));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(palette);
  QToolTip::showText(at, TipText(hint.text), owner);
}

// Without MouseTip the mini calendar's tip is the selected day's, wherever the pointer rests.
class MiniTipWatcher : public QObject {
 public:
  MiniTipWatcher(MainLayout* layout, const store::Settings* settings)
      : QObject(layout), layout_(layout), settings_(settings) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !layout_->Mini() || settings_->view.mouse_tip) {
      return QObject::eventFilter(watched, event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    ShowTip(layout_->MiniTip(layout_->SelectedDate()), help->globalPos() + QPoint(12, 16), static_cast<QWidget*>(watched));
    return true;
  }

 private:
  MainLayout* layout_;
  const store::Settings* settings_;
};

}  // namespace

void NavigationBar::SetMini(bool on) {
  if (on == mini) return;
  mini = on;
  if (on) {
    normal_caption_font = buttons[2]->font();
    years_shown = !buttons[0]->isHidden();
  }
  const int height = on ? kMiniNavHeight : kNavHeight;
  setFixedHeight(height);
  buttons[0]->setVisible(!on && years_shown);
  buttons[4]->setVisible(!on && years_shown);
  for (const int i : {1, 3}) buttons[i]->setFixedSize(on ? kMiniMonthButton : kNavButton, on ? height - 2 : height - 4);
  buttons[2]->setFixedHeight(on ? height : height - 2);
  buttons[2]->setFont(on ? QApplication::font() : normal_caption_font);
  if (!on) buttons[2]->setFixedWidth(std::max(widest_shown, 1));
  Place();
}

void MainLayout::SetMini(bool on) {
  if (on == mini_) return;
  mini_ = on;
  if (!mini_connected_) {
    mini_connected_ = true;
    // With MouseTip the tip follows the day under the pointer.
    connect(grid_, &QtCalendarGrid::HoverCellChanged, this, [this](int row, int column) {
      if (mini_) ShowMiniTip(row, column);
    });
    grid_->installEventFilter(new MiniTipWatcher(this, host_.settings));
  }
  nav_->SetMini(on);
  if (on) {
    PaintMainGrid();
  } else {
    QToolTip::hideText();
  }
}

Hint MainLayout::MiniTip(const Date& date) const {
  const CellDay day = DayAt(date);
  std::vector<std::string> memo;
  if (day.memo) {
    try {
      memo = store::LoadMemo(*host_.files, host_.memo_folder, store::MemoId::OfDay(date));
    } catch (const store::FileError&) {
      // An unreadable memo leaves its lines out of the tip.
    }
  }
  return SmallTips(day, *host_.settings, host_.clock->Now().date, memo);
}

void MainLayout::ShowMiniTip(int row, int column) {
  if (!host_.settings->view.mouse_tip) return;
  if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= shown_dates_.size() ||
      static_cast<std::size_t>(column) >= shown_dates_[static_cast<std::size_t>(row)].size()) {
    QToolTip::hideText();
    return;
  }
  const Date date = shown_dates_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  ShowTip(MiniTip(date), QCursor::pos() + QPoint(12, 16), grid_);
}

void MainLayout::PaintMiniGrid() {
  ShowTimeline(false);
  const store::Settings& s = *host_.settings;
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const MiniShape shape = MiniGridShape(s, displayed_year_, displayed_month_);
  const DateTable table =
      BuildDateTable(kModeMonthly, displayed_year_, displayed_month_, 1, shape.week_rows, str_week, true);

  GridPicture picture;
  picture.mini = true;
  picture.fixed_columns = shape.fixed_columns;
  ColumnInput columns;
  columns.width = grid_->width();
  columns.fixed_width = shape.fixed_width;
  columns.fixed_columns = shape.fixed_columns;
  columns.day_columns = 7;
  columns.mini = true;
  picture.column_widths = ColumnWidths(columns);
  picture.row_heights = MiniRowHeights(grid_->height(), shape.header_height, shape.week_rows);
  // One day-number size for every cell: that of the smallest cell.
  const int narrowest = *std::min_element(picture.column_widths.begin() + shape.fixed_columns, picture.column_widths.end());
  const int lowest = *std::min_element(picture.row_heights.begin() + 1, picture.row_heights.end());
  const int day_pixels = MiniDayPixels(lowest, narrowest);

  for (int c = 0; c < 7; ++c) picture.headers.push_back(BuildHeaderCell(WeekdayAtPosition(c, str_week), s, true));
  const CellContext ctx = ViewContext();
  shown_dates_.clear();
  int selected_row = -1;
  int selected_column = -1;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    std::vector<CellContents> row;
    std::vector<Date> dates;
    std::vector<std::optional<Date>> opt;
    for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
      const Date date = table.rows[r][c];
      row.push_back(MiniCell(DayAt(date), ctx, day_pixels));
      dates.push_back(date);
      opt.emplace_back(date);
      if (date == selected_) {
        selected_row = static_cast<int>(r);
        selected_column = static_cast<int>(c);
      }
    }
    if (shape.fixed_columns > 0) {
      picture.row_labels.push_back(std::to_string(
          RowWeekNumber(table.rows[r].front(), table.rows[r].back(), s.view_mode(kModeMonthly).week_of, str_week)));
    }
    picture.cells.push_back(std::move(row));
    picture.dates.push_back(std::move(opt));
    shown_dates_.push_back(std::move(dates));
  }
  grid_->SetPicture(std::move(picture));
  grid_->SetSelected(selected_row, selected_column);
  nav_->SetCaption(Q(PeriodCaption()));
  nav_->setPalette(QPalette(catalogues::BgrColour(s.color.vhd.back)));
}

}  // namespace kal::mainwindow
