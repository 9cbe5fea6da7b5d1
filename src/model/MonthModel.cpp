#include "model/MonthModel.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "model/MultiDay.h"
#include "calendar/PublicHoliday.h"
#include "calendar/Rokuyo.h"
#include "calendar/SolarTerms.h"
#include "platform/Codec.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/LineOrder.h"
#include "store/MemoFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::store {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Two digits "01".."99" as a number; 0 for anything else.
int TwoDigits(std::string_view text) {
  if (text.size() != 2 || !IsDigit(text[0]) || !IsDigit(text[1])) return 0;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

std::string TwoDigitText(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

std::string ToCp932(const std::string& utf8) { return platform::Utf8ToCp932(utf8).value_or(utf8); }

// The span field of a line is usable: a single-day line, or a multi-day one with "01".."62".
bool SpanIsValid(std::string_view line) {
  if (!IsMultiDay(line)) return true;
  const int span = TwoDigits(FieldBytes(line, 114, 2));
  return span >= 1 && span <= kMaxSpan;
}

// The day of a line when the line is sound for that month; 0 otherwise.
int SoundDay(std::string_view line, int year, int month) {
  const int day = Day(line);
  if (day == 0 || day > DaysInMonth(year, month) || !SpanIsValid(line)) return 0;
  return day;
}

// One rebuild: the files it has read and what it found.
class Rebuild {
 public:
  Rebuild(MonthModel& model, platform::FileSystem& fs, const ModelRequest& request, RebuildResult& result)
      : model_(model), fs_(fs), request_(request), result_(result) {
    route_.chain = calendar::ChainOf(request.view_mode, request.mini);
  }

  void Run() {
    const std::vector<SlotMonth> months = ViewSlots(request_.view_mode, request_.mini, request_.selected,
                                                    request_.options.week_count, request_.options.year_count);
    SetAttributes(months);
    ReadHolidays();
    SchEdit(months);
    AddTodoMarks();
    CollectAlarms();
    Report();
  }

 private:
  // ---- Day attributes (RokuyoMemoEdit) ----

  void SetAttributes(const std::vector<SlotMonth>& months) {
    model_.used.clear();
    for (auto& slot : model_.slots) {
      slot.year = 0;
      slot.month = 0;
      slot.day_lines.clear();
      for (auto& cell : slot.days) {
        cell.entries.clear();
        cell.kind = kDayNone;
        cell.rokuyo = 0;
        cell.memo = false;
      }
    }
    std::vector<calendar::YearMonth> order;
    for (const auto& m : months) {
      MonthSlot& slot = model_.slot(m.slot);
      slot.year = m.year;
      slot.month = m.month;
      model_.used.push_back(m.slot);
      order.push_back({m.year, m.month});
    }
    const auto rokuyo = calendar::RokuyoPass(order);
    for (std::size_t i = 0; i < months.size(); ++i) {
      MonthSlot& slot = model_.slot(months[i].slot);
      const int length = DaysInMonth(slot.year, slot.month);
      for (int day = 1; day <= length; ++day) {
        DayCell& cell = slot.days[static_cast<std::size_t>(day - 1)];
        const Date date = MakeDate(slot.year, slot.month, day);
        const int weekday = WeekdayNumber(date);
        cell.kind = weekday == 1 ? kDaySunday : weekday == 7 ? kDaySaturday : kDayWeekday;
        cell.rokuyo = rokuyo[i][static_cast<std::size_t>(day - 1)];
        cell.memo = request_.options.memo_icon && !request_.memo_folder.empty() &&
                    HasDayMemo(fs_, request_.memo_folder, date);
      }
    }
  }

  // ---- Files ----

  const std::vector<std::string>& MonthLines(int year, int month) {
    auto key = std::make_pair(year, month);
    auto it = month_files_.find(key);
    if (it == month_files_.end())
      it = month_files_.emplace(key, LoadLines(fs_, MonthFilePath(request_.data_folder, year, month))).first;
    return it->second;
  }

  // Holiday.dat is read on every rebuild; its rules are parsed again only when its lines or the
  // settings changed, so that the public holidays worked out for a year are kept.
  void ReadHolidays() {
    const std::string path = HolidayFilePath(request_.data_folder);
    std::vector<std::string> lines;
    has_holiday_file_ = LoadLinesIfExists(fs_, path, lines);
    if (!has_holiday_file_) return;
    HolidayCache& cache = model_.holiday_cache;
    const calendar::HolidaySettings settings{request_.options.auto_equinox, request_.options.auto_holiday};
    if (!cache.valid || cache.lines != lines || cache.settings.auto_equinox != settings.auto_equinox ||
        cache.settings.auto_holiday != settings.auto_holiday) {
      cache.damaged.clear();
      cache.list = calendar::HolidayList::FromFileLines(lines, settings, &cache.damaged);
      cache.lines = std::move(lines);
      cache.settings = settings;
      cache.valid = true;
    }
    for (int n : cache.damaged) Damaged(path, n, HolidayDamagedLineMessage(path, n));
  }

  void Damaged(const std::string& path, int index, const std::string& message) {
    if (!damaged_seen_.insert({path, index}).second) return;
    result_.damaged.push_back({path, index, message});
  }

  // ---- Loading (SchEdit) ----

  void SchEdit(const std::vector<SlotMonth>& months) {
    if (months.empty()) return;
    const bool mini = request_.mini;
    const int mode = request_.view_mode;
    if (!mini && mode == kModeMonthly2) {
      SpillInto(months.front().slot, months.front().year, months.front().month);
      for (const auto& m : months) {
        LoadMonth(m.year, m.month, m.slot, true);
        MergeHolidays(m.year, m.month, m.slot);
      }
    } else if (!mini && mode == kModeMonthly3) {
      for (const auto& m : months) {
        SpillInto(m.slot, m.year, m.month);
        LoadMonth(m.year, m.month, m.slot, true);
        MergeHolidays(m.year, m.month, m.slot);
      }
    } else if (!mini && (mode == kModeYearly || mode == kModeYearly2)) {
      // December of the previous year goes through slot 12 first, so that its bars (and those
      // running into it) continue into January; its own day lists are then cleared again.
      MonthSlot& december = model_.slot(kSlotCount);
      const int year = december.year;
      december.year = year - 1;
      route_.from_previous_december = true;
      SpillInto(kSlotCount, year - 1, 12);
      LoadMonth(year - 1, 12, kSlotCount, false);
      route_.from_previous_december = false;
      december.year = year;
      for (auto& cell : december.days) cell.entries.clear();
      for (const auto& m : months) {
        LoadMonth(m.year, m.month, m.slot, true);
        MergeHolidays(m.year, m.month, m.slot);
      }
    } else {
      SpillInto(months.front().slot, months.front().year, months.front().month);
      for (const auto& m : months) LoadMonth(m.year, m.month, m.slot, true);
      for (const auto& m : months) MergeHolidays(m.year, m.month, m.slot);
    }
  }

  // The bars of the months before (year, month) that reach into it, earliest month first, take
  // bands from "00" on and show from day 1 of the slot. A span of 62 days can reach from the
  // third month before.
  void SpillInto(int slot, int year, int month) {
    const int first_day = DayNumber(MakeDate(year, month, 1));
    std::vector<calendar::EarlierBar> bars;
    for (int back = 3; back >= 1; --back) {
      const Date start = AddMonths(MakeDate(year, month, 1), -back);
      const int py = YearOf(start), pm = MonthOf(start);
      if (first_day - DayNumber(MakeDate(py, pm, DaysInMonth(py, pm))) >= kMaxSpan) continue;
      const std::vector<std::string>& lines = MonthLines(py, pm);
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!IsMultiDay(line)) continue;
        const int day = SoundDay(line, py, pm);
        if (day == 0) continue;  // reported where its own month is shown
        const int span = TwoDigits(FieldBytes(line, 114, 2));
        const int elapsed = first_day - DayNumber(MakeDate(py, pm, day));
        if (elapsed < span) bars.push_back({line, static_cast<int>(i), elapsed});
      }
    }
    if (bars.empty()) return;
    calendar::SpillIn(model_, route_, slot, bars, 0, &result_.unplaced);
  }

  // The month load: the month file's lines into the slot's day lists (multi-day lines through
  // the band placement), then the day file's lines.
  void LoadMonth(int year, int month, int slot, bool day_file) {
    MonthSlot& s = model_.slot(slot);
    s.day_lines.clear();
    const std::string path = MonthFilePath(request_.data_folder, year, month);
    const std::vector<std::string>& lines = MonthLines(year, month);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      const int index = static_cast<int>(i);
      const int day = SoundDay(line, year, month);
      if (day == 0) {
        const bool span = Day(line) != 0 && Day(line) <= DaysInMonth(year, month);
        Damaged(path, index, DamagedScheduleLineMessage(path, index, span));
        continue;
      }
      if (IsMultiDay(line)) {
        if (!calendar::ExtendDaySet(model_, route_, line, index, slot, day)) result_.unplaced.push_back(line);
      } else {
        AddEntry(model_.cell(day, slot).entries, MakeEntry("SC", kEntrySchedule, index, line));
      }
    }
    if (day_file) s.day_lines = LoadLines(fs_, DayFilePath(request_.data_folder, year, month));
  }

  // ---- Holiday merge ----

  // An entry of a holiday class (a solar term is placed as class 0 but leaves the day's kind).
  void AddHoliday(int day, int slot, int holiday_class, char kind, int index, const std::string& name_utf8) {
    DayCell& cell = model_.cell(day, slot);
    if (kind != kEntrySolarTerm && (holiday_class == kClassPublic || holiday_class == kClassPrivate) &&
        holiday_class < cell.kind)
      cell.kind = holiday_class;
    const std::string key = SchOrderEdit(cell.entries, holiday_class);
    AddEntry(cell.entries, MakeEntry(key, kind, index, ToCp932(name_utf8)));
  }

  void MergeHolidays(int year, int month, int slot) {
    if (!has_holiday_file_) return;
    const Date first = MakeDate(year, month, 1);
    const Date last = MakeDate(year, month, DaysInMonth(year, month));
    const auto computed = calendar::ComputedHolidays(holidays(), first, last);
    // Solar terms, each after its equinox holiday.
    for (int term = 0; term < 2; ++term) {
      const int day = calendar::SolarTermDay(year, month, term);
      if (day < 1 || day > DaysInMonth(year, month)) continue;
      for (const auto& h : computed)
        if (h.kind == calendar::PublicHolidayKind::Equinox && DayOf(h.date) == day)
          AddHoliday(day, slot, kClassPublic, kEntryPublic, kComputedIndex, h.name);
      AddHoliday(day, slot, kClassPublic, kEntrySolarTerm, kComputedIndex,
                 calendar::SolarTermName(month, term));
    }
    for (const auto& e : HolidayEntriesInMonth(holidays().lines(), year, month))
      AddHoliday(e.day, slot, e.holiday_class, static_cast<char>('0' + e.holiday_class), e.index, e.name);
    for (const auto& h : computed)
      if (h.kind == calendar::PublicHolidayKind::Substitute || h.kind == calendar::PublicHolidayKind::Citizens)
        AddHoliday(DayOf(h.date), slot, kClassPublic, kEntryPublic, kComputedIndex, h.name);
  }

  // ---- ToDo marks, alarms, report ----

  void AddTodoMarks() {
    const std::string prefix = request_.options.todo_first ? "D" : "T";
    for (const auto& mark : request_.todo_marks) {
      const int slot = model_.SlotOf(YearOf(mark.date), MonthOf(mark.date));
      if (slot == 0) continue;
      const std::string key = prefix + static_cast<char>('0' + std::clamp(mark.state, 0, 9));
      AddEntry(model_.cell(DayOf(mark.date), slot).entries, MakeEntry(key, kEntryTodo, mark.index, mark.record));
    }
  }

  // Today's alarm list comes from today's month file whatever months the view holds.
  void CollectAlarms() {
    model_.today_alarms.clear();
    const Date& today = request_.today;
    const std::vector<std::string>& lines = MonthLines(YearOf(today), MonthOf(today));
    for (const auto& line : lines) {
      if (SoundDay(line, YearOf(today), MonthOf(today)) != DayOf(today)) continue;
      if (FieldBytes(line, 29, 1) > "0" || FieldBytes(line, 30, 1) > "0") model_.today_alarms.push_back(line);
    }
  }

  void Report() {
    if (!result_.damaged.empty()) {
      std::string text;
      for (const auto& d : result_.damaged) {
        if (!text.empty()) text += '\n';
        text += d.message;
      }
      result_.messages.push_back({text, kModelErrorCaption});
    }
    if (!result_.unplaced.empty()) result_.messages.push_back({kBandLimitMessage, kModelErrorCaption});
  }

  MonthModel& model_;
  platform::FileSystem& fs_;
  const ModelRequest& request_;
  RebuildResult& result_;
  calendar::BarRoute route_;
  std::map<std::pair<int, int>, std::vector<std::string>> month_files_;
  std::set<std::pair<std::string, int>> damaged_seen_;
  bool has_holiday_file_ = false;
  const calendar::HolidayList& holidays() const { return model_.holiday_cache.list; }
};

}  // namespace

// ---- Day entries ------------------------------------------------------------------------------

std::string_view EntryKey(std::string_view entry) { return entry.substr(0, std::min<std::size_t>(2, entry.size())); }

char EntryKind(std::string_view entry) { return entry.size() > 2 ? entry[2] : ' '; }

std::string_view EntryIndexText(std::string_view entry) {
  return entry.size() > 3 ? entry.substr(3, std::min<std::size_t>(4, entry.size() - 3)) : std::string_view();
}

int EntryIndex(std::string_view entry) {
  int value = 0;
  for (char c : EntryIndexText(entry)) {
    if (!IsDigit(c)) return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string_view EntryPayload(std::string_view entry) {
  return entry.size() > kEntryPrefix ? entry.substr(kEntryPrefix) : std::string_view();
}

bool EntryHasBand(std::string_view entry) { return entry.size() >= 2 && IsDigit(entry[0]) && IsDigit(entry[1]); }

int EntryBand(std::string_view entry) {
  return EntryHasBand(entry) ? (entry[0] - '0') * 10 + (entry[1] - '0') : -1;
}

bool EntryIsBar(std::string_view entry) {
  return EntryKind(entry) == kEntrySchedule && IsMultiDay(EntryPayload(entry));
}

int EntrySpan(std::string_view entry) {
  return EntryIsBar(entry) ? TwoDigits(FieldBytes(EntryPayload(entry), 114, 2)) : 0;
}

int EntryPosition(std::string_view entry) {
  return EntryIsBar(entry) ? TwoDigits(FieldBytes(EntryPayload(entry), 131, 2)) : 0;
}

std::string EntryText(std::string_view entry) {
  const std::string_view payload = EntryPayload(entry);
  switch (EntryKind(entry)) {
    case kEntrySchedule: return Field(payload, 31, 40);
    case kEntryTodo: return Field(payload, 57, 80);
    default: return platform::Cp932ToUtf8(TrimRight(payload));
  }
}

std::string MakeEntry(std::string_view key, char kind, int index, std::string_view payload) {
  std::string entry;
  entry.reserve(kEntryPrefix + payload.size());
  entry += key.substr(0, 2);
  entry.append(2 - std::min<std::size_t>(2, key.size()), ' ');
  entry += kind;
  int value = std::clamp(index, 0, 9999);
  char digits[4];
  for (int i = 3; i >= 0; --i, value /= 10) digits[i] = static_cast<char>('0' + value % 10);
  entry.append(digits, 4);
  entry += payload;
  return entry;
}

void AddEntry(std::vector<std::string>& list, std::string entry) {
  // Schedules arrive in file order, so most entries belong at the end.
  if (list.empty() || CompareLines(list.back(), entry) <= 0) {
    list.push_back(std::move(entry));
    return;
  }
  auto at = std::upper_bound(list.begin(), list.end(), entry, LineLess());
  list.insert(at, std::move(entry));
}

std::string SchOrderEdit(std::vector<std::string>& list, int holiday_class) {
  if (list.empty() || !EntryHasBand(list.front())) return "CC";
  const std::string& first = list.front();
  const bool holiday = holiday_class == kClassPublic || holiday_class == kClassPrivate;
  if (holiday && EntryBand(first) == 0 && EntryKind(first) != kEntrySchedule) {
    // The entry in band "00" moves to the next free band above the highest band in use (or, when
    // that is past "99", to the lowest free one); the holiday takes "00".
    std::array<bool, kBandLimit> taken{};
    int highest = 0;
    for (const auto& entry : list) {
      if (!EntryHasBand(entry)) break;
      const int band = EntryBand(entry);
      taken[static_cast<std::size_t>(band)] = true;
      highest = std::max(highest, band);
    }
    int to = highest + 1;
    if (to >= kBandLimit) {
      to = 1;
      while (to < kBandLimit && taken[static_cast<std::size_t>(to)]) ++to;
      if (to >= kBandLimit) return "CC";
    }
    std::string moved = first;
    moved.replace(0, 2, TwoDigitText(to));
    list.erase(list.begin());
    AddEntry(list, std::move(moved));
    return "00";
  }
  // Band "00" is free on this day: the first entry's band is higher.
  if (EntryBand(first) > 0) return "00";
  return "CC";
}

// ---- The model --------------------------------------------------------------------------------

int MonthModel::SlotOf(int year, int month) const {
  for (int n : used)
    if (slot(n).year == year && slot(n).month == month) return n;
  return 0;
}

std::vector<int> MonthModel::UsedSlotsInOrder() const {
  std::vector<int> order = used;
  std::sort(order.begin(), order.end());
  return order;
}

std::vector<SlotMonth> ViewSlots(int view_mode, bool mini, const Date& selected, int week_count, int year_count) {
  const Date first = MakeDate(YearOf(selected), MonthOf(selected), 1);
  std::vector<SlotMonth> months;
  auto add = [&](int slot, const Date& d) { months.push_back({slot, YearOf(d), MonthOf(d)}); };
  if (!mini && view_mode == kModeMonthly2) {
    for (int n = 1; n <= kSlotCount; ++n) add(n, AddMonths(first, n - 1));
  } else if (!mini && view_mode == kModeMonthly3) {
    const int count = std::clamp(year_count, 1, kSlotCount);
    for (int n = 1; n <= count; ++n) add(n, AddMonths(first, -12 * (n - 1)));
  } else if (!mini && (view_mode == kModeYearly || view_mode == kModeYearly2)) {
    for (int n = 1; n <= kSlotCount; ++n) add(n, MakeDate(YearOf(selected), n, 1));
  } else {
    const int last = (!mini && view_mode == kModeWeekly && week_count > 4) ? 2 : 1;
    for (int k = -1; k <= last; ++k) {
      const Date d = AddMonths(first, k);
      add(MonthOf(d), d);
    }
  }
  return months;
}

ModelOptions ModelOptionsOf(const Settings& settings, int view_mode) {
  ModelOptions options;
  options.week_count = settings.view_mode(kModeWeekly).week_no;
  options.year_count = settings.view_mode(kModeMonthly3).year_no;
  const std::string& items = settings.view_mode(view_mode).item_view;
  options.memo_icon = items.size() <= kItemMemoIcon || items[kItemMemoIcon] != '0';
  options.auto_equinox = settings.view.auto_syn_syu;
  options.auto_holiday = settings.view.auto_holiday;
  options.todo_first = settings.window.sch_order;
  return options;
}

std::string DamagedScheduleLineMessage(const std::string& path, int index, bool span) {
  return path + " の " + std::to_string(index + 1) + " 行目は" + (span ? "日数" : "日付") +
         "が正しくないため読み飛ばしました。";
}

RebuildResult SchUpdate(MonthModel& model, platform::FileSystem& fs, const ModelRequest& request) {
  RebuildResult result;
  if (model.building) return result;
  model.building = true;
  struct Done {
    MonthModel& m;
    ~Done() { m.building = false; }
  } done{model};
  model.view_mode = request.view_mode;
  model.mini = request.mini;
  model.selected = request.selected;
  Rebuild(model, fs, request, result).Run();
  result.rebuilt = true;
  return result;
}

Date RepaintSelectedDate(const MonthModel& model, int view_mode, const Date& selected, const Date& first_shown,
                         const std::vector<Date>& row_starts) {
  switch (view_mode) {
    case kModeDaily:
    case kModeVertical: return first_shown;
    case kModeWeekly:
      for (const auto& d : row_starts)
        if (YearOf(d) == YearOf(selected) && MonthOf(d) == MonthOf(selected)) return d;
      return selected;
    case kModeMonthly2:
    case kModeMonthly3:
      if (model.slot(1).year != 0) return MakeDate(model.slot(1).year, model.slot(1).month, 1);
      return selected;
    default: return selected;
  }
}

RepaintResult SchRepaint(MonthModel& model, platform::FileSystem& fs, const platform::Clock& clock,
                         ModelRequest request, const Date& first_shown, const std::vector<Date>& row_starts) {
  RepaintResult result;
  if (!request.mini)
    request.selected = RepaintSelectedDate(model, request.view_mode, request.selected, first_shown, row_starts);
  result.selected = request.selected;
  result.rebuild = SchUpdate(model, fs, request);
  const platform::LocalDateTime now = clock.Now();
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  result.refreshed = text;
  return result;
}

// ---- Memo files and week numbers ----------------------------------------------------------------

std::string DayMemoFileName(const Date& date) { return store::MemoFileName(store::MemoId::OfDay(date)); }

bool HasDayMemo(platform::FileSystem& fs, const std::string& memo_folder, const Date& date) {
  return fs.Exists(platform::JoinPath(memo_folder, DayMemoFileName(date)));
}

int IsoWeekNumber(const Date& date) {
  const int iso_weekday = (WeekdayNumber(date) + 5) % 7 + 1;  // Monday 1 .. Sunday 7
  const Date thursday = AddDays(date, 4 - iso_weekday);
  const int ordinal = DayNumber(thursday) - DayNumber(MakeDate(YearOf(thursday), 1, 1));
  return ordinal / 7 + 1;
}

int WeekNumber(const Date& first, const Date& last, bool week_of, bool monday_first) {
  const int iso = IsoWeekNumber(last);
  if (!week_of) return iso;
  const int new_year = WeekdayNumber(MakeDate(YearOf(last), 1, 1));  // 1 Sunday .. 7 Saturday
  const bool friday_or_saturday = new_year == 6 || new_year == 7;
  const bool shifted = monday_first ? (friday_or_saturday || new_year == 1) : friday_or_saturday;
  if (!shifted) return iso;
  return (MonthOf(first) == 12 && DayOf(first) >= 26) ? 1 : iso + 1;
}

}  // namespace kal::store
