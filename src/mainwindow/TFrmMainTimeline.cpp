// The vertical views of the main window (modes 1 and 2): the main grid becomes the day captions
// and the all-day row, and the timeline `GrdVer` in the scroll box `ScrVer` below it shows the
// timed schedules as blocks.
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

#include "calendar/DateLabels.h"
#include "catalogues/QtCategoryCell.h"
#include "mainwindow/Layout.h"
#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtTimeline.h"
#include "mainwindow/TFrmMainLayout.h"
#include "mainwindow/TFrmMainParts.h"
#include "mainwindow/TimelineDays.h"
#include "platform/Clock.h"

namespace kal::mainwindow {

using namespace layout_parts;

namespace {

constexpr int kCaptionHeight = 16;
constexpr int kAllDayMinimum = 28;
constexpr int kMinuteMs = 60 * 1000;

}  // namespace

void MainLayout::BuildTimeline(QWidget* calendar, QVBoxLayout* layout) {
  scr_ver_ = new QScrollArea(calendar);
  scr_ver_->setObjectName(QStringLiteral("ScrVer"));
  scr_ver_->setWidgetResizable(true);
  scr_ver_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scr_ver_->setFrameShape(QFrame::NoFrame);
  grd_ver_ = new QtTimeline;
  grd_ver_->SetSources(host_.settings, icons_);
  scr_ver_->setWidget(grd_ver_);
  scr_ver_->hide();
  layout->addWidget(scr_ver_, 1);
  scr_ver_->viewport()->installEventFilter(new ResizeWatcher(this, [this] {
    if (mode_ <= kModeVertical) SizeChange();
  }));

  connect(grd_ver_, &QtTimeline::CellClicked, this, [this](int, int column) { TimelineSelect(column); });
  connect(grd_ver_, &QtTimeline::CellDoubleClicked, this, [this](int row, int column) {
    TimelineSelect(column);
    const auto times = NewScheduleTimes(TimelineSettingsOf(*host_.settings, mode_), row, std::nullopt);
    if (host_.on_new_at_time) host_.on_new_at_time(times.first, times.second);
  });
  connect(grd_ver_, &QtTimeline::BlockDoubleClicked, this, [this](int column, int block) {
    TimelineSelect(column);
    const auto& columns = grd_ver_->Picture().columns;
    if (column < 0 || column >= static_cast<int>(columns.size())) return;
    const DayEntry& e = columns[static_cast<std::size_t>(column)].looks.at(static_cast<std::size_t>(block)).entry;
    if (host_.on_edit_entry) host_.on_edit_entry(e.key + std::string(1, e.kind) + e.index + e.payload);
  });
  connect(grd_ver_, &QtTimeline::LeaveTop, this, [this] { grid_->setFocus(); });
  connect(grid_, &QtCalendarGrid::LinesMeasured, this, [this] {
    if (mode_ <= kModeVertical) QTimer::singleShot(0, this, [this] { SizeChange(); });
  });
  grd_ver_->block_hint = [this](int column, const BlockLook& look) {
    const Date date = grd_ver_->Picture().columns.at(static_cast<std::size_t>(column)).date;
    std::vector<std::string> memo;
    if (days_.memo_of) memo = days_.memo_of(look.entry, date);
    return GrdHint(look.entry, date, memo, {}, host_.settings->view.memo_mark);
  };

  // The current-time line moves once a minute.
  now_timer_ = new QTimer(this);
  now_timer_->setInterval(kMinuteMs);
  connect(now_timer_, &QTimer::timeout, this, [this] {
    if (mode_ <= kModeVertical) PaintMainGrid();
  });
  now_timer_->start();
}

std::optional<std::pair<std::string, std::string>> MainLayout::TimelineTimes() const {
  if (mode_ > kModeVertical || grd_ver_ == nullptr || !grd_ver_->hasFocus() || grd_ver_->CurrentRow() < 0)
    return std::nullopt;
  const TimelineSettings t = TimelineSettingsOf(*host_.settings, mode_);
  if (const auto range = grd_ver_->SelectedRows()) return NewScheduleTimes(t, range->first, range->second);
  return NewScheduleTimes(t, grd_ver_->CurrentRow(), std::nullopt);
}

void MainLayout::ShowTimeline(bool shown) {
  if (scr_ver_ == nullptr) return;
  scr_ver_->setVisible(shown);
  if (!shown) {
    grid_->setMinimumHeight(0);
    grid_->setMaximumHeight(QWIDGETSIZE_MAX);
  }
}

void MainLayout::TimelineSelect(int column) {
  if (shown_dates_.empty() || column < 0 || column >= static_cast<int>(shown_dates_.front().size())) return;
  selected_ = shown_dates_.front()[static_cast<std::size_t>(column)];
  grid_->SetSelected(0, column);
  if (host_.on_selected) host_.on_selected(selected_);
  PaintSideCalendars();
  RefreshMemo();
  DaySchEdit();
}

void MainLayout::PaintTimeline() {
  const store::Settings& s = *host_.settings;
  const store::ViewModeSettings& v = Current();
  const platform::LocalDateTime now = host_.clock->Now();
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const GridShape shape = ShapeFor(mode_, s, displayed_year_, displayed_month_, false);
  const TimelineSettings timeline = TimelineSettingsOf(s, mode_);
  ShowTimeline(true);

  // The shown days: N days from the displayed one, or the week holding it.
  const DateTable table = BuildDateTable(mode_, displayed_year_, displayed_month_, store::DayOf(Nav().displayed), 1,
                                         str_week, false, ModeCount(s, kModeDaily));
  std::vector<Date> dates;
  for (int c = 0; c < shape.day_columns; ++c) {
    const int position = mode_ == kModeDaily ? c : ColumnPosition(c, v.sat_sun_no, str_week);
    if (position < static_cast<int>(table.rows[0].size())) dates.push_back(table.rows[0][static_cast<std::size_t>(position)]);
  }
  shown_dates_.assign(1, dates);

  std::vector<CellDay> days;
  for (const Date& date : dates) days.push_back(DayAt(date));
  std::vector<TimelineColumn> columns = BuildTimelineColumns(days, ViewContext(), timeline);

  // Column widths from the timeline's width; the header copies them.
  const int viewport_width = std::max(scr_ver_->viewport()->width(), 1);
  ColumnInput in;
  in.width = viewport_width;
  in.fixed_width = kTimeAxisWidth;
  in.fixed_columns = 1;
  in.day_columns = static_cast<int>(dates.size());
  in.half_week_ends = mode_ == kModeVertical && v.sat_sun && !v.sat_sun_no;
  if (in.half_week_ends) {
    in.saturday_column = str_week == 0 ? 6 : 5;
    in.sunday_column = str_week == 0 ? 0 : 6;
  }
  std::vector<int> widths = ColumnWidths(in);
  if (!timeline.just_height && widths.size() > 1 && widths.back() > kMinimumCellSize) --widths.back();

  // The header: captions on row 0, the untimed entries on row 1.
  GridPicture header;
  header.fixed_columns = 1;
  header.column_widths = widths;
  header.row_labels.push_back("");
  std::vector<CellContents> row;
  std::vector<std::optional<Date>> row_dates;
  int selected_column = -1;
  for (std::size_t c = 0; c < dates.size(); ++c) {
    HeaderCell h = BuildHeaderCell(store::WeekdayNumber(dates[c]), s, false);
    h.text = TimelineDayCaption(dates[c], c == 0, s.view.date_jap);
    if (ItemOn(v.item_view, kItemRokuyo) && widths[c + 1] > 55) {
      static const char* names[] = {"", "先勝", "友引", "先負", "仏滅", "大安", "赤口"};
      h.text += std::string(" ") + names[std::clamp(days[c].rokuyo, 0, 6)];
    }
    header.headers.push_back(h);
    row.push_back(columns[c].header);
    row_dates.emplace_back(dates[c]);
    if (dates[c] == selected_) selected_column = static_cast<int>(c);
  }
  header.cells.push_back(std::move(row));
  header.dates.push_back(std::move(row_dates));
  // Row 1 is as high as the tallest day's entries (as the last repaint measured them; a new
  // measure lays the header out again), at least 28 pixels and at most a third of the calendar
  // side.
  const int cap = std::max(kAllDayMinimum, grid_->parentWidget()->height() / 3);
  int all_day = kAllDayMinimum;
  for (std::size_t c = 0; c < dates.size(); ++c)
    all_day = std::max(all_day, grid_->NeededHeight(0, static_cast<int>(c)) + 2);
  all_day = std::min(all_day, cap);
  header.row_heights = {kCaptionHeight, all_day};
  grid_->setFixedHeight(kCaptionHeight + all_day + 3);
  grid_->SetPicture(std::move(header));
  grid_->SetSelected(0, selected_column);

  // The timeline.
  TimelinePicture picture;
  picture.settings = timeline;
  picture.column_widths = widths;
  picture.row_height = TimelineRowHeight(timeline, scr_ver_->viewport()->height());
  picture.font = ParseViewFont(ModeFontItems(s, mode_), "");
  picture.date_font = ParseViewFont(s.font.date, "");
  picture.schedules = ItemOn(v.item_view, kItemSchedule);
  picture.alarm_icons = ItemOn(v.item_view, kItemAlarmIcon);
  if (timeline.now_line) picture.now = NowSpotOf(timeline.range, dates, now.date, now.hour, now.minute);
  char now_text[16];
  std::snprintf(now_text, sizeof now_text, "%d:%02d", now.hour, now.minute);
  picture.now_text = now_text;
  std::vector<DayTimeline> placed;
  for (const TimelineColumn& c : columns) placed.push_back(c.placed);
  picture.columns = std::move(columns);
  const int row_height = picture.row_height;
  grd_ver_->SetSources(host_.settings, icons_);
  grd_ver_->SetPicture(std::move(picture));
  scr_ver_->verticalScrollBar()->setSingleStep(row_height);  // the wheel moves by rows
  if (grd_ver_->CurrentColumn() != selected_column) grd_ver_->SetCurrent(grd_ver_->CurrentRow(), selected_column);

  // Scroll once per mode and first day: to now, the first block or the core hours.
  const std::pair<int, Date> key{mode_, dates.empty() ? Date{} : dates.front()};
  if (key != scrolled_) {
    scrolled_ = key;
    const std::optional<NowSpot> spot = NowSpotOf(timeline.range, dates, now.date, now.hour, now.minute);
    const int top = ScrollRow(timeline, spot, placed);
    grd_ver_->SetCurrent(spot ? spot->minutes / 30 : top, selected_column);
    QTimer::singleShot(0, this, [this, top, row_height] {
      if (scr_ver_->isVisible()) scr_ver_->verticalScrollBar()->setValue(top * row_height);
    });
  }
  nav_->SetCaption(Q(PeriodCaption()));
  nav_->setPalette(QPalette(catalogues::BgrColour(s.color.vhd.back)));
}

}  // namespace kal::mainwindow
