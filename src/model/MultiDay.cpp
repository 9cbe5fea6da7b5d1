#include "model/MultiDay.h"

#include <algorithm>

#include "store/Record.h"

namespace kal::calendar {
namespace {

constexpr std::size_t kBarHeadBytes = 130;  // the line up to the bar style
constexpr std::size_t kLinkFrom = 132;      // 0-based start of the link mark

std::string TwoDigits(int n) {
  n = std::clamp(n, 0, 99);
  return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

int SpanOf(std::string_view line) {
  const std::string text = store::FieldBytes(line, 114, 2);
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return 1;
  const int span = (text[0] - '0') * 10 + (text[1] - '0');
  return std::clamp(span, 1, store::kMaxSpan);
}

int MonthLength(const store::MonthModel& model, int slot) {
  const store::MonthSlot& s = model.slot(slot);
  return s.year == 0 ? 0 : store::DaysInMonth(s.year, s.month);
}

// Lays a bar in `band` from (slot, day) at `position` to the end of its span or route.
void LayBar(store::MonthModel& model, const BarRoute& route, std::string_view line, int index, int band, int slot,
            int day, int position, int span, bool with_link) {
  if (day > MonthLength(model, slot)) return;
  for (int k = position; k <= span; ++k) {
    store::AddEntry(model.cell(day, slot).entries, BarEntry(band, index, line, k, with_link));
    if (k == span || !NextBarDay(model, route, slot, day)) break;
  }
}

}  // namespace

SlotChain ChainOf(int view_mode, bool mini) {
  if (mini) return SlotChain::Calendar;
  switch (view_mode) {
    case store::kModeMonthly2:
    case store::kModeYearly:
    case store::kModeYearly2: return SlotChain::Consecutive;
    case store::kModeMonthly3: return SlotChain::SameMonth;
    default: return SlotChain::Calendar;
  }
}

bool NextBarDay(const store::MonthModel& model, const BarRoute& route, int& slot, int& day) {
  if (day < MonthLength(model, slot)) {
    ++day;
    return true;
  }
  int next = 0;
  switch (route.chain) {
    case SlotChain::SameMonth: return false;
    case SlotChain::Consecutive:
      if (slot == store::kSlotCount) {
        if (!route.from_previous_december) return false;
        next = 1;
      } else {
        next = slot + 1;
      }
      break;
    case SlotChain::Calendar: next = slot % store::kSlotCount + 1; break;
  }
  if (model.slot(next).year == 0) return false;
  slot = next;
  day = 1;
  return true;
}

int FreeBand(const std::vector<std::string>& day_list) {
  int band = 0;
  for (const auto& entry : day_list) {
    if (!store::EntryHasBand(entry)) break;
    if (!store::EntryIsBar(entry)) continue;
    if (store::EntryBand(entry) != band) break;
    ++band;
  }
  return band;
}

std::string BarEntry(int band, int index, std::string_view line, int position, bool with_link) {
  std::string entry = store::MakeEntry(TwoDigits(band), store::kEntrySchedule, index, {});
  entry.reserve(store::kEntryPrefix + kLinkFrom + (with_link && line.size() > kLinkFrom ? line.size() - kLinkFrom : 0));
  entry += line.substr(0, std::min(line.size(), kBarHeadBytes));
  entry.resize(store::kEntryPrefix + kBarHeadBytes, ' ');
  entry += TwoDigits(position);
  if (with_link && line.size() > kLinkFrom) entry += line.substr(kLinkFrom);
  return entry;
}

std::optional<int> ExtendDaySet(store::MonthModel& model, const BarRoute& route, std::string_view line, int index,
                                int slot, int day) {
  if (day < 1 || day > MonthLength(model, slot)) return std::nullopt;
  const int band = FreeBand(model.cell(day, slot).entries);
  if (band >= store::kBandLimit) return std::nullopt;
  LayBar(model, route, line, index, band, slot, day, 1, SpanOf(line), true);
  return band;
}

int SpillIn(store::MonthModel& model, const BarRoute& route, int slot, const std::vector<EarlierBar>& bars,
            int first_band, std::vector<std::string>* unplaced) {
  int band = first_band;
  for (const auto& bar : bars) {
    const int span = SpanOf(bar.line);
    if (bar.elapsed >= span) continue;
    if (band >= store::kBandLimit) {
      if (unplaced) unplaced->push_back(bar.line);
      continue;
    }
    LayBar(model, route, bar.line, bar.index, band, slot, 1, bar.elapsed + 1, span, false);
    ++band;
  }
  return band;
}

// ---- Selection ----------------------------------------------------------------------------------

void DateGrid::Add(GridCell cell, std::optional<Date> date) {
  cells.push_back(cell);
  dates.push_back(date);
}

int DateGrid::Find(GridCell cell) const {
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (cells[i] == cell) return static_cast<int>(i);
  return -1;
}

BarHighlight ExtendDaySelect(const DateGrid& grid, std::string_view entry, GridCell cell) {
  BarHighlight result;
  const int at = grid.Find(cell);
  if (at < 0 || !grid.dates[static_cast<std::size_t>(at)] || !store::EntryIsBar(entry)) return result;
  result.band = store::EntryBand(entry);
  const int position = std::max(1, store::EntryPosition(entry));
  const int span = std::max(position, store::EntrySpan(entry));
  const Date first = store::AddDays(*grid.dates[static_cast<std::size_t>(at)], -(position - 1));
  const Date last = store::AddDays(first, span - 1);
  int start = -1, end = -1;
  for (std::size_t i = 0; i < grid.cells.size(); ++i) {
    if (grid.rows_apart && grid.cells[i].row != cell.row) continue;
    const auto& d = grid.dates[i];
    if (!d || *d < first || last < *d) continue;
    if (start < 0) start = static_cast<int>(i);
    end = static_cast<int>(i);
  }
  for (int i = start; i >= 0 && i <= end; ++i) {
    const GridCell& c = grid.cells[static_cast<std::size_t>(i)];
    if (grid.rows_apart && c.row != cell.row) continue;
    result.cells.push_back(c);
  }
  return result;
}

void ExtendCellSelect(RangeSelection& selection, const DateGrid& grid, GridCell current, bool mini) {
  if (mini) return;
  if (selection.exists) {
    selection.marked.clear();
    selection.exists = false;
    selection.selecting = false;
    return;
  }
  const int at = grid.Find(current);
  if (at < 0 || !grid.dates[static_cast<std::size_t>(at)]) return;
  const int anchor_at = selection.selecting ? grid.Find(selection.anchor) : -1;
  const bool same_row_ok = !grid.rows_apart || current.row == selection.anchor.row;
  if (anchor_at >= 0 && at != anchor_at && same_row_ok) {
    const int start = std::min(at, anchor_at), end = std::max(at, anchor_at);
    selection.exists = true;
    selection.end = current;
    selection.first = *grid.dates[static_cast<std::size_t>(start)];
    selection.last = *grid.dates[static_cast<std::size_t>(end)];
    selection.marked.clear();
    for (int i = start; i <= end; ++i) {
      const GridCell& c = grid.cells[static_cast<std::size_t>(i)];
      if (grid.rows_apart && c.row != current.row) continue;
      selection.marked.push_back(c);
    }
    return;
  }
  selection.anchor = current;
  selection.first = *grid.dates[static_cast<std::size_t>(at)];
  selection.selecting = true;
}

}  // namespace kal::calendar
