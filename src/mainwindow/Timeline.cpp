#include "mainwindow/Timeline.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "catalogues/Category.h"
#include "mainwindow/CellContents.h"
#include "model/MonthModel.h"
#include "store/Record.h"

namespace kal::mainwindow {
namespace {

// Field positions of a schedule line within a day entry's payload, and of a ToDo record.
constexpr std::size_t kSchStart = 3, kSchEnd = 8, kSchCategory = 13, kTodoCategory = 35;
constexpr int kLatestHour = 36;

// The steps [top, bottom) a block is drawn over: at least one row, upwards from its end when it
// has an end gap, downwards otherwise, kept inside the range's `total` steps.
void DrawnSpan(const PlacedBlock& b, int total, int& top, int& bottom) {
  top = b.start_row * kStepsPerRow + b.start_offset;
  bottom = (b.end_row + 1) * kStepsPerRow - b.end_gap;
  if (bottom - top >= kStepsPerRow) return;
  if (b.end_gap > 0) {
    top = bottom - kStepsPerRow;
  } else {
    bottom = top + kStepsPerRow;
  }
  if (top < 0) {
    top = 0;
    bottom = kStepsPerRow;
  }
  if (bottom > total) {
    bottom = total;
    top = std::max(0, total - kStepsPerRow);
  }
}

struct Span {
  int top = 0;
  int bottom = 0;
  bool Overlaps(const Span& o) const { return top < o.bottom && o.top < bottom; }
};

// The category of a schedule or ToDo mark: whether it is shown, and its colours and icon.
bool TakeCategory(const DayEntry& entry, const PlacementOptions& options, PlacedBlock& block) {
  if (options.categories == nullptr || (entry.kind != '5' && entry.kind != '8')) return true;
  const std::string name = store::FieldBytes(entry.payload, entry.kind == '5' ? kSchCategory : kTodoCategory, 14);
  if (name.empty()) return true;
  if (!options.categories->Shown(name, options.category_mode)) return false;
  if (const auto index = options.categories->Find(name)) {
    const catalogues::CategoryEntry cat = options.categories->Entry(*index);
    block.text_colour = cat.text_colour;
    block.back_colour = cat.back_colour;
    block.icon = cat.icon;
  }
  return true;
}

// Steps 2 to 4 of the placement: the rows of a timed schedule; nothing for an untimed one.
std::optional<PlacedBlock> TimedRows(const DayEntry& entry, const std::string& raw, const PlacementOptions& options) {
  if (entry.kind != store::kEntrySchedule || store::EntryIsBar(raw)) return std::nullopt;
  const auto start = TimelineMinutes(store::FieldBytes(entry.payload, kSchStart, 5));
  if (!start) return std::nullopt;
  const std::string end_text = store::FieldBytes(entry.payload, kSchEnd, 5);
  std::optional<int> end;
  if (end_text.empty()) {
    end = *start + std::max(1, options.def_time) * 60;
  } else {
    end = TimelineMinutes(end_text);
    if (!end) return std::nullopt;
  }
  const TimeRange& r = options.range;
  const int first = r.first * 60;
  if (*start / 60 > r.last || *end / 60 < r.first || (*end >= first && *end < first + 5) || *end < *start)
    return std::nullopt;

  PlacedBlock b;
  const int last_row = r.rows() - 1;
  // Start: the half hour holding it, offset in whole five-minute steps.
  const int from_start = *start - first;
  if (from_start < 0) {
    b.start_row = 0;
    b.start_offset = 0;
  } else {
    b.start_row = from_start / 30;
    b.start_offset = (from_start % 30) / 5;
  }
  // End: the half hour holding the last minute; the gap is the whole steps left to its bottom.
  const int from_end = *end - first;
  const int end_steps = from_end / 5;  // whole steps from the range's top
  if (end_steps % kStepsPerRow == 0) {
    b.end_row = end_steps / kStepsPerRow - 1;
    b.end_gap = 0;
  } else {
    b.end_row = end_steps / kStepsPerRow;
    b.end_gap = kStepsPerRow - end_steps % kStepsPerRow;
  }
  if (b.start_row > last_row) b.start_row = last_row;
  if (b.end_row > last_row) {
    b.end_row = last_row;
    b.end_gap = 0;
  }
  if (b.end_row < b.start_row) {
    b.end_row = b.start_row;
    b.end_gap = 0;
  }
  return b;
}

}  // namespace

std::optional<int> TimelineMinutes(std::string_view text) {
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  for (std::size_t i : {0u, 1u, 3u, 4u})
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  const int hour = (text[0] - '0') * 10 + (text[1] - '0');
  const int minute = (text[3] - '0') * 10 + (text[4] - '0');
  if (hour > kLatestHour || minute > 59) return std::nullopt;
  return hour * 60 + minute;
}

std::string HourMinuteText(int minutes) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d", minutes / 60, minutes % 60);
  return buffer;
}

TimelineSettings TimelineSettingsOf(const store::Settings& settings, int mode) {
  const store::ViewModeSettings& own = settings.view_mode(mode == 1 ? 1 : 2);
  const store::ViewModeSettings& vertical = settings.view_mode(2);
  TimelineSettings t;
  t.range.first = std::clamp(own.str_time, 0, 23);
  t.range.last = std::clamp(own.end_time, t.range.first, kLatestHour);
  t.core_first = vertical.str_time2;
  t.core_last = vertical.end_time2;
  t.def_time = std::max(1, vertical.def_time);
  t.just_height = own.just_height;
  t.cell_height = std::max(1, own.cell_height);
  t.round = vertical.round;
  t.trans = vertical.trans;
  t.now_line = vertical.now_line;
  return t;
}

int RowHour(const TimeRange& range, int row) { return range.first + row / 2; }
int RowMinute(int row) { return row % 2 == 0 ? 0 : 30; }

std::string RowTimeText(const TimeRange& range, int row) {
  return HourMinuteText(RowHour(range, row) * 60 + RowMinute(row));
}

std::string RowTimeTextPlus(const TimeRange& range, int row, int hours) {
  return HourMinuteText((RowHour(range, row) + hours) * 60 + RowMinute(row));
}

std::string AxisLabel(const TimeRange& range, int row) {
  if (row % 2 != 0) return "";
  const int hour = RowHour(range, row);
  return std::to_string(hour >= 24 ? hour - 24 : hour) + ":00";
}

bool RowShaded(const TimelineSettings& settings, int row) {
  const int hour = RowHour(settings.range, row);
  return hour < settings.core_first || hour >= settings.core_last;
}

std::pair<std::string, std::string> NewScheduleTimes(const TimelineSettings& settings, int first_row,
                                                     std::optional<int> last_row) {
  if (!last_row) return {RowTimeText(settings.range, first_row), RowTimeTextPlus(settings.range, first_row, settings.def_time)};
  const int first = std::min(first_row, *last_row);
  const int last = std::max(first_row, *last_row);
  return {RowTimeText(settings.range, first), RowTimeText(settings.range, last + 1)};
}

DayTimeline PlaceBlocks(const std::vector<std::string>& entries, const PlacementOptions& options) {
  DayTimeline day;
  const int total_rows = options.range.rows();
  const int total_steps = total_rows * kStepsPerRow;
  day.rows.assign(static_cast<std::size_t>(total_rows), {});
  std::vector<Span> spans;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DayEntry entry = SplitDayEntry(entries[i]);
    if (!ViewHantei(entry, options.flags)) continue;
    PlacedBlock colours;
    if (!TakeCategory(entry, options, colours)) continue;
    std::optional<PlacedBlock> placed = TimedRows(entry, entries[i], options);
    if (!placed) {
      day.header.push_back(static_cast<int>(i));
      continue;
    }
    PlacedBlock b = *placed;
    b.entry_index = static_cast<int>(i);
    b.text_colour = colours.text_colour;
    b.back_colour = colours.back_colour;
    b.icon = colours.icon;
    DrawnSpan(b, total_steps, b.top_step, b.bottom_step);
    const Span span{b.top_step, b.bottom_step};
    // The smallest lane no overlapping block holds.
    std::vector<bool> taken;
    for (std::size_t k = 0; k < day.blocks.size(); ++k) {
      if (!spans[k].Overlaps(span)) continue;
      const auto lane = static_cast<std::size_t>(day.blocks[k].lane);
      if (taken.size() <= lane) taken.resize(lane + 1, false);
      taken[lane] = true;
    }
    b.lane = static_cast<int>(std::find(taken.begin(), taken.end(), false) - taken.begin());
    day.blocks.push_back(b);
    spans.push_back(span);
  }

  // Groups of blocks that overlap, directly or through others, share one lane count.
  const std::size_t n = day.blocks.size();
  std::vector<std::size_t> group(n);
  std::iota(group.begin(), group.end(), 0);
  auto root = [&](std::size_t k) {
    while (group[k] != k) k = group[k] = group[group[k]];
    return k;
  };
  for (std::size_t a = 0; a < n; ++a)
    for (std::size_t b = a + 1; b < n; ++b)
      if (spans[a].Overlaps(spans[b])) group[root(a)] = root(b);
  std::vector<int> lanes(n, 1);
  for (std::size_t k = 0; k < n; ++k) {
    int& count = lanes[root(k)];
    count = std::max(count, day.blocks[k].lane + 1);
  }
  for (std::size_t k = 0; k < n; ++k) {
    PlacedBlock& b = day.blocks[k];
    b.lane_count = lanes[root(k)];
    // Widen over the lanes to the right that no overlapping block holds.
    int span_end = b.lane_count;
    for (std::size_t o = 0; o < n; ++o) {
      if (o == k || !spans[o].Overlaps(spans[k])) continue;
      const int lane = day.blocks[o].lane;
      if (lane > b.lane) span_end = std::min(span_end, lane);
    }
    b.lane_span = span_end - b.lane;
    const int first_row = spans[k].top / kStepsPerRow;
    const int last_row = std::min(total_rows - 1, (spans[k].bottom - 1) / kStepsPerRow);
    for (int r = first_row; r <= last_row; ++r) day.rows[static_cast<std::size_t>(r)].push_back(static_cast<int>(k));
  }
  return day;
}

BlockRect BlockRectOf(const PlacedBlock& block, int cell_left, int cell_width, int row_height) {
  const int count = std::max(1, block.lane_count);
  const int lane_width = std::max(1, (cell_width - 1) / count);
  BlockRect r;
  r.left = cell_left + block.lane * lane_width + 1;
  r.right = cell_left + lane_width * (block.lane + std::max(1, block.lane_span));
  r.top = block.top_step * row_height / kStepsPerRow;
  r.bottom = block.bottom_step * row_height / kStepsPerRow;
  if (r.right <= r.left) r.right = r.left + 1;
  return r;
}

int TimelineRowHeight(const TimelineSettings& settings, int viewport_height) {
  if (!settings.just_height) return std::max(1, settings.cell_height);
  return std::max(1, viewport_height / std::max(1, settings.range.rows()));
}

std::optional<NowSpot> NowSpotOf(const TimeRange& range, const std::vector<Date>& shown, const Date& today, int hour,
                                 int minute) {
  auto column_of = [&](const Date& d) -> int {
    const auto it = std::find(shown.begin(), shown.end(), d);
    return it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
  };
  if (range.last > 23 && hour <= 6 && hour + 24 <= range.last) {
    const int column = column_of(store::AddDays(today, -1));
    if (column >= 0) return NowSpot{column, (hour + 24 - range.first) * 60 + minute};
  }
  const int column = column_of(today);
  if (column < 0 || hour < range.first || hour > range.last) return std::nullopt;
  return NowSpot{column, (hour - range.first) * 60 + minute};
}

int NowLineY(const NowSpot& spot, int row_height) { return spot.minutes * row_height / 30; }

int ScrollRow(const TimelineSettings& settings, const std::optional<NowSpot>& now,
              const std::vector<DayTimeline>& days) {
  const int last = settings.range.rows() - 1;
  if (now) return std::clamp(now->minutes / 60 * 2, 0, last);
  std::optional<int> earliest;
  for (const DayTimeline& day : days)
    for (const PlacedBlock& b : day.blocks)
      if (!earliest || b.start_row < *earliest) earliest = b.start_row;
  if (earliest) return std::clamp(*earliest, 0, last);
  return std::clamp((settings.core_first - settings.range.first) * 2, 0, last);
}

}  // namespace kal::mainwindow
