#include "mainwindow/Layout.h"

#include <algorithm>
#include <numeric>

#include "mainwindow/ViewModes.h"

namespace kal::mainwindow {

namespace {

int Sum(const std::vector<int>& sizes) { return std::accumulate(sizes.begin(), sizes.end(), 0); }

}  // namespace

void FitSizes(std::vector<int>& sizes, int total, int minimum, int skip) {
  for (int& s : sizes) s = std::max(s, minimum);
  if (sizes.empty()) return;
  int sum = Sum(sizes);
  const int n = static_cast<int>(sizes.size());
  // Each pass over the sizes either shrinks one of them or finds all at the minimum, so the
  // loop ends after at most (sum - total) shrinking steps.
  int index = n - 1;
  int idle = 0;
  while (sum > total && idle < n) {
    if (index != skip && sizes[static_cast<std::size_t>(index)] > minimum) {
      --sizes[static_cast<std::size_t>(index)];
      --sum;
      idle = 0;
    } else {
      ++idle;
    }
    index = index == 0 ? n - 1 : index - 1;
  }
}

std::vector<int> ColumnWidths(const ColumnInput& in) {
  const int n = std::max(in.day_columns, 1);
  const int fixed = in.fixed_columns > 0 ? in.fixed_width : 0;
  const int room = std::max(in.width - fixed, 0);
  std::vector<int> days(static_cast<std::size_t>(n), room / n + (in.mini ? 1 : 0));
  const bool half = in.half_week_ends && !in.mini && n == 7 && in.saturday_column >= 0 && in.sunday_column >= 0;
  if (half) {
    const int h = (room / 7) / 2;
    const int weekday = (in.width - 2 * h - fixed - 1) / 5;
    for (int c = 0; c < n; ++c) {
      days[static_cast<std::size_t>(c)] = (c == in.saturday_column || c == in.sunday_column) ? h : weekday;
    }
  }
  FitSizes(days, room, kMinimumCellSize);
  std::vector<int> widths;
  if (in.fixed_columns > 0) widths.push_back(fixed);
  widths.insert(widths.end(), days.begin(), days.end());
  return widths;
}

std::vector<int> AutoColumnWidths(const ColumnInput& in, int selected_column, int needed) {
  const int n = std::max(in.day_columns, 1);
  const int fixed = in.fixed_columns > 0 ? in.fixed_width : 0;
  const int room = std::max(in.width - fixed * in.fixed_columns, 0);
  if (n == 1 || selected_column < 0 || selected_column >= n) return ColumnWidths(in);
  const int cap = std::max(room - kMinimumCellSize * n, kMinimumCellSize);
  const int wide = std::clamp(needed + 2, kMinimumCellSize, cap);
  std::vector<int> days(static_cast<std::size_t>(n), (room - wide) / (n - 1));
  days[static_cast<std::size_t>(selected_column)] = wide;
  FitSizes(days, room, kMinimumCellSize, selected_column);
  std::vector<int> widths;
  if (in.fixed_columns > 0) widths.push_back(fixed);
  widths.insert(widths.end(), days.begin(), days.end());
  return widths;
}

std::vector<int> RowHeights(int height, int header_height, int rows) {
  std::vector<int> result;
  if (rows <= 0) return result;
  result.push_back(std::max(header_height, 0));
  const int data = rows - 1;
  if (data == 0) return result;
  const int room = std::max(height - result[0], 0);
  const int a = rows == 2 ? 3 : (rows < 7 ? 1 : 0);
  std::vector<int> body(static_cast<std::size_t>(data), room / data - a);
  for (int& h : body) h = std::max(h, kMinimumCellSize);
  if (Sum(body) <= room) ++body.back();
  FitSizes(body, room, kMinimumCellSize);
  result.insert(result.end(), body.begin(), body.end());
  return result;
}

std::vector<int> AutoRowHeights(int height, int header_height, int rows, int row, int needed, bool yearly_mode) {
  const int data = rows - 1;
  if (data < 2 || row < 1 || row > data) return RowHeights(height, header_height, rows);
  const int header = std::max(header_height, 0);
  const int room = std::max(height - header, 0);
  const int cap = std::max(room - kMinimumCellSize * rows, kMinimumCellSize);
  const int tall = std::clamp(needed + 2, kMinimumCellSize, cap);
  const int others = (room - tall) / (data - 1) - (yearly_mode ? 0 : 1);
  std::vector<int> body(static_cast<std::size_t>(data), others);
  body[static_cast<std::size_t>(row - 1)] = tall;
  FitSizes(body, room, kMinimumCellSize, row - 1);
  std::vector<int> result{header};
  result.insert(result.end(), body.begin(), body.end());
  return result;
}

std::vector<int> SideCalendarRowHeights(int panel_height, int date_bar_height, int rows) {
  if (rows <= 0) return {};
  const int room = std::max(panel_height - date_bar_height, 0);
  std::vector<int> heights(static_cast<std::size_t>(rows), room / rows);
  FitSizes(heights, room, 1);
  return heights;
}

int SideCalendarHeight(int side_panel_height, int list_height, int splitter_height, int shown) {
  if (shown <= 0) return 0;
  return std::max((side_panel_height - list_height - splitter_height) / shown, 0);
}

NavigationGeometry NavigationLayout(int mode, int bar_width, int caption_width, int widest_caption,
                                    int button_width, bool mini) {
  NavigationGeometry g;
  if (mini) {
    g.caption_width = std::max(bar_width - 2 * button_width - 12, 0);
    g.caption = (bar_width - g.caption_width) / 2;
    g.before_month = 4;
    g.next_month = bar_width - 29;
    g.before_year = g.before_month;
    g.next_year = g.next_month;
    return g;
  }
  g.caption_width = caption_width;
  g.caption = (bar_width - caption_width) / 2;
  mode = ClampMode(mode);
  if (mode == kModeMonthly || mode == kModeYearly || mode == kModeMonthly3 || mode == kModeYearly2) {
    g.before_month = g.caption - 16 - button_width;
    g.next_month = g.caption + caption_width + 16;
  } else {
    const int area = std::max(widest_caption, caption_width);
    const int left = (bar_width - area) / 2;
    g.before_month = left - 24 - button_width;
    g.next_month = left + area + 24;
  }
  g.before_year = g.before_month - 16 - button_width;
  g.next_year = g.next_month + button_width + 16;
  return g;
}

}  // namespace kal::mainwindow
