#include "mainwindow/CellContents.h"

#include <algorithm>
#include <cstdio>

#include "mainwindow/ViewModes.h"
#include "model/BarShape.h"
#include "platform/Codec.h"
#include "store/Colour.h"
#include "store/DatePattern.h"
#include "store/DayFile.h"
#include "model/MonthModel.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"

namespace kal::mainwindow {

namespace {

// Field positions of a schedule line; in a day entry the payload starts after the 7-byte prefix,
// so these are positions within the payload.
constexpr std::size_t kSchStart = 3, kSchEnd = 8, kSchCategory = 13, kSchFont = 27, kSchLine = 28,
                      kSchAlarm1 = 29, kSchAlarm2 = 30, kSchTitle = 31, kSchPlace = 71, kSchDetail = 111,
                      kSchSpan = 114,
                      kSchPosition = 131;
// ToDo record fields.
constexpr std::size_t kTodoPriority = 21, kTodoProgress = 22, kTodoDone = 24, kTodoCategory = 35,
                      kTodoMemo = 49, kTodoTitle = 57;

int Digit(std::string_view text, int fallback = 0) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return fallback;
  return text[0] - '0';
}

int Number(std::string_view text, int fallback = 0) {
  if (text.empty()) return fallback;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return fallback;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string Raw(const std::string& line, std::size_t pos, std::size_t width) {
  return store::FieldBytes(line, pos, width);
}

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& utf8, int count) {
  std::size_t i = 0;
  for (int n = 0; n < count && i < utf8.size(); ++n) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    i += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  }
  return utf8.substr(0, std::min(i, utf8.size()));
}

bool IsScheduleMultiDay(const DayEntry& entry) {
  return entry.kind == '5' && Raw(entry.payload, kSchSpan, 2) > "00";
}

std::string SlashDate(const Date& date) { return store::FormatDatePattern("yyyy/m/d(aaa)", date); }

const store::ColourPair& HolidayColours(const store::ColorSettings& c, char kind) {
  switch (kind) {
    case '0': return c.syu;
    case '1': return c.kyu;
    case '2': return c.kn1;
    case '3': return c.kn2;
    case '4': return c.kn3;
    default: return c.sek;
  }
}

}  // namespace

// ---- Display items ----------------------------------------------------------------------------

const std::array<const char*, kDisplayItemCount>& DisplayItemCaptions() {
  static const std::array<const char*, kDisplayItemCount> captions = {
      "スケジュール", "- 件名", "- 開始時刻", "- 終了時刻", "- 場所", "- メモ有無", "- アラーム1", "- アラーム2",
      "- アラームアイコン", "祝日", "休日", "記念日1", "記念日2", "記念日3", "六曜", "二十四節気", "天気アイコン",
      "最高気温", "最低気温", "降水確率", "未処理ToDo", "処理済ToDo", "- 件名", "- 状況アイコン", "- 優先度",
      "- 進捗率", "- メモ有無", "メモアイコン", "分類アイコン", "曜日", "日にち"};
  return captions;
}

std::vector<int> ListedDisplayItems(int mode) {
  const int count = ClampMode(mode) >= kModeYearly ? kDisplayItemCount : kDisplayItemCount - 2;
  std::vector<int> items;
  for (int i = 0; i < count; ++i) items.push_back(i);
  return items;
}

bool ItemOn(std::string_view flags, int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= flags.size()) return true;
  return flags[static_cast<std::size_t>(item)] != '0';
}

std::string WithItem(std::string flags, int item, bool on) {
  if (flags.size() < kDisplayItemCount) flags.resize(kDisplayItemCount, '1');
  if (item >= 0 && item < kDisplayItemCount) flags[static_cast<std::size_t>(item)] = on ? '1' : '0';
  return flags;
}

// ---- Day entries ------------------------------------------------------------------------------

DayEntry SplitDayEntry(std::string_view entry) {
  DayEntry e;
  e.key = std::string(entry.substr(0, std::min<std::size_t>(2, entry.size())));
  if (entry.size() > 2) e.kind = entry[2];
  if (entry.size() > 3) e.index = std::string(entry.substr(3, std::min<std::size_t>(4, entry.size() - 3)));
  if (entry.size() > 7) e.payload = std::string(entry.substr(7));
  return e;
}

std::string TodoStateName(int state) {
  static const std::array<const char*, 7> names = {"期限切れ", "期限", "警告", "進行中", "期限なし", "処理済", "待機"};
  return state >= 1 && state <= 7 ? names[static_cast<std::size_t>(state - 1)] : "";
}

int TodoMarkState(const DayEntry& entry) {
  if (entry.key.size() != 2 || (entry.key[0] != 'D' && entry.key[0] != 'T')) return 0;
  return Digit(entry.key.substr(1));
}

bool ViewHantei(const DayEntry& entry, std::string_view flags) {
  switch (entry.kind) {
    case '0': return ItemOn(flags, kItemHoliday);
    case '1': return ItemOn(flags, kItemPrivateHoliday);
    case '2': return ItemOn(flags, kItemAnniversary1);
    case '3': return ItemOn(flags, kItemAnniversary2);
    case '4': return ItemOn(flags, kItemAnniversary3);
    case '5': return ItemOn(flags, kItemSchedule);
    case '6': return ItemOn(flags, kItemSolarTerm);
    case '8': {
      const bool done = TodoMarkState(entry) == 6 || Raw(entry.payload, kTodoDone, 1) == "1";
      return ItemOn(flags, done ? kItemTodoDone : kItemTodoOpen);
    }
    default: return false;
  }
}

// ---- Item texts ---------------------------------------------------------------------------------

std::string GrdSchEdit(const DayEntry& entry, TextPurpose purpose, std::string_view flags,
                       const std::vector<std::string>& alarm_texts, const std::string& memo_mark) {
  const bool all = purpose != TextPurpose::Cell;
  auto on = [&](int item) { return all || ItemOn(flags, item); };
  const std::string& line = entry.payload;
  std::string text;
  if (entry.kind == '8') {
    if (all) text += "【ToDo" + TodoStateName(TodoMarkState(entry)) + "】";
    if (on(kItemTodoTitle)) text += store::Field(line, kTodoTitle, 80);  // a file link may follow
    if (on(kItemTodoPriority)) {
      const int priority = std::clamp(Digit(Raw(line, kTodoPriority, 1)), 0, 3);
      text += std::string("(") + static_cast<char>('A' + priority) + ")";
    }
    if (on(kItemTodoProgress)) text += "[" + std::to_string(Number(Raw(line, kTodoProgress, 2)) * 10) + "%]";
    if (purpose != TextPurpose::Tooltip && on(kItemTodoMemo) && Raw(line, kTodoMemo, 4) > "0000") text += memo_mark;
    return text;
  }
  if (entry.kind != '5') return platform::Cp932ToUtf8(line);
  const bool times = purpose != TextPurpose::Tooltip;
  const std::string start = Raw(line, kSchStart, 5);
  const std::string end = Raw(line, kSchEnd, 5);
  if (times && on(kItemStart) && !start.empty()) text += start;
  if (times && on(kItemEnd) && !end.empty()) text += "-" + end;
  if (on(kItemTitle)) {
    const std::string title = store::Field(line, kSchTitle, 40);
    if (!title.empty()) text += (text.empty() ? "" : " ") + title;
  }
  if (on(kItemPlace)) {
    const std::string place = store::Field(line, kSchPlace, 40);
    if (!place.empty()) text += "(" + place + ")";
  }
  for (auto [item, pos] : {std::pair{kItemAlarm1, kSchAlarm1}, std::pair{kItemAlarm2, kSchAlarm2}}) {
    if (!on(item)) continue;
    const int index = Digit(Raw(line, pos, 1));
    if (index >= 1 && static_cast<std::size_t>(index) <= alarm_texts.size()) {
      text += "[" + alarm_texts[static_cast<std::size_t>(index - 1)] + "]";
    }
  }
  if (purpose != TextPurpose::Tooltip && on(kItemMemoMark) && Raw(line, kSchDetail, 3) > "000") text += memo_mark;
  return text;
}

std::string ItemText(const DayEntry& entry, std::string_view flags, const std::vector<std::string>& alarm_texts,
                     const std::string& memo_mark) {
  switch (entry.kind) {
    case '0': case '1': case '2': case '3': case '4':
      return ItemOn(flags, kItemTitle) ? std::string(store::TrimRight(platform::Cp932ToUtf8(entry.payload))) : "";
    case '6': return FirstChars(platform::Cp932ToUtf8(entry.payload), 2);
    case '5':
      if (IsScheduleMultiDay(entry)) return store::Field(entry.payload, kSchTitle, 40);
      return GrdSchEdit(entry, TextPurpose::Cell, flags, alarm_texts, memo_mark);
    case '8': return GrdSchEdit(entry, TextPurpose::Cell, flags, alarm_texts, memo_mark);
    default: return "";
  }
}

// ---- Fonts and colours ------------------------------------------------------------------------

ViewFont ParseViewFont(const std::vector<std::string>& items, const std::string& fallback_name) {
  ViewFont font;
  font.name = !items.empty() && !items[0].empty() ? items[0] : fallback_name;
  font.size = items.size() > 1 ? Number(items[1], 9) : 9;
  if (font.size <= 0) font.size = 9;
  font.style = items.size() > 2 ? Number(items[2], 1) : 0;
  font.style &= 15;
  return font;
}

int MemoIconColour(const std::string& day_line, int default_colour) {
  const store::DayLine line = store::ReadDayLine(day_line);
  if (line.memo_colour >= '1' && line.memo_colour <= '5') return line.memo_colour - '0';
  return std::clamp(default_colour, 1, 5);
}

std::pair<int, int> MemoIconColours(int colour) {
  static const std::array<std::pair<int, int>, 5> colours = {
      {{0xCCCCFF, 0x000080}, {0xCDFECD, 0x008000}, {0xAAFFFF, 0x008080}, {0xFFE3C8, 0xFF0000}, {0xFFC8E3, 0x800080}}};
  return colours[static_cast<std::size_t>(std::clamp(colour, 1, 5) - 1)];
}

int DarkenPastDay(int bgr) {
  int result = 0;
  for (int shift : {0, 8, 16}) {
    const int channel = std::max(((bgr >> shift) & 0xFF) - 0x24, 0);
    result |= channel << shift;
  }
  return result;
}

// ---- The cell rule ----------------------------------------------------------------------------

CellContents BuildCell(const CellDay& day, const CellContext& ctx) {
  const store::Settings& s = *ctx.settings;
  const store::ColorSettings& c = s.color;
  const std::string& flags = s.view_mode(ClampMode(ctx.mode)).item_view;
  CellContents cell;
  const store::ViewModeSettings& mode_settings = s.view_mode(ClampMode(ctx.mode));
  cell.font = ParseViewFont(ModeFontItems(s, ctx.mode), "");
  cell.date_font = ParseViewFont(s.font.date, cell.font.name);
  cell.line_pitch = std::clamp(mode_settings.line_pitch, 1, 8);
  cell.wrap = mode_settings.cr;
  cell.ellipsis = s.view.ellipsis;
  cell.category_icons = ItemOn(flags, kItemCategoryIcon);
  if (!day.date || day.kind == 9) {
    cell.blank = true;
    cell.back_colour = kBlankCellColour;
    cell.text_colour = c.day.text;
    return cell;
  }
  const Date date = *day.date;
  // 1. Base colours by day kind.
  const store::ColourPair* base = &c.day;
  switch (day.kind) {
    case 0: base = &c.syu; break;
    case 1: base = &c.kyu; break;
    case 6: base = &c.sat; break;
    case 7: base = &c.sun; break;
    default: break;
  }
  cell.text_colour = base->text;
  cell.back_colour = base->back;
  // 2. The day colour of the day file.
  const store::DayLine line = store::ReadDayLine(day.day_line);
  if (line.colour_code == '1') cell.back_colour = c.day.back;
  else if (line.colour_code == '5') cell.back_colour = c.kyu.back;
  else if (line.colour_code == '9') cell.back_colour = store::ParseColourText(line.colour, c.day.back);
  // 3. Days of other months.
  const bool other_month = store::YearOf(date) != ctx.displayed_year || store::MonthOf(date) != ctx.displayed_month;
  if (other_month && (((ctx.mode == kModeMonthly || ctx.mini) && c.month_before_next) ||
                      (ctx.mode == kModeWeekly && !ctx.mini && c.week_before_next))) {
    cell.text_colour = c.zen.text;
    cell.back_colour = c.zen.back;
  }
  // 4. Today.
  const int date_number = store::DayNumber(date);
  const int today_number = store::DayNumber(ctx.today);
  cell.today = date_number == today_number;
  if (cell.today) {
    cell.text_colour = c.tod.text;
    if (c.today) cell.back_colour = c.tod.back;
  }
  // 5. Past days.
  const store::ViewModeSettings& monthly = s.view_mode(kModeMonthly);
  const bool past = date_number < today_number;
  if (monthly.past_day && past) cell.back_colour = DarkenPastDay(cell.back_colour);
  // 6. A selected range of days.
  if (ctx.in_selected_range) cell.back_colour = c.sel.back;

  // 8. Date line.
  char buffer[16];
  if (ctx.mode == kModeWeekly && !ctx.mini && (ctx.first_cell || store::DayOf(date) == 1)) {
    std::snprintf(buffer, sizeof buffer, "%d/%d", store::MonthOf(date), store::DayOf(date));
  } else {
    std::snprintf(buffer, sizeof buffer, "%2d", store::DayOf(date));
  }
  cell.date_text = buffer;
  // 9. Rokuyo.
  if (ItemOn(flags, kItemRokuyo)) {
    static const std::array<const char*, 7> names = {"", "先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    cell.rokuyo = names[static_cast<std::size_t>(std::clamp(day.rokuyo, 0, 6))];
  }
  // 10. Weather (for past days only with PastWet).
  if (!past || monthly.past_wet) {
    cell.weather.icons = ItemOn(flags, kItemWeatherIcon);
    cell.weather.weather1 = line.weather1;
    cell.weather.transition = line.transition;
    cell.weather.weather2 = line.weather2;
    if (ItemOn(flags, kItemMaxTemp)) cell.weather.max_temp = line.max_temp;
    if (ItemOn(flags, kItemMinTemp)) cell.weather.min_temp = line.min_temp;
    if (ItemOn(flags, kItemRain)) cell.weather.rain = line.rain;
    cell.weather_shown = cell.weather.any();
    if (cell.weather_shown) cell.weather_tip = store::WeatherTip(day.day_line);
  }

  // 11. Item lines.
  const int category_mode = s.view.catchk;
  const bool category_icons = ItemOn(flags, kItemCategoryIcon);
  const bool box_holiday = (ctx.mode == kModeWeekly || ctx.mode == kModeMonthly) && !ctx.mini &&
                           ItemOn(flags, kItemSchedule) && !cell.weather_shown;
  std::vector<CellLine> bars;
  std::vector<CellLine> others;
  for (const std::string& raw : day.entries) {
    DayEntry entry = SplitDayEntry(raw);
    if (!ViewHantei(entry, flags)) continue;
    CellLine out;
    out.text_colour = c.day.text;
    out.back_colour = cell.back_colour;
    std::optional<std::size_t> category;
    if (entry.kind == '5' || entry.kind == '8') {
      const std::string name = Raw(entry.payload, entry.kind == '5' ? kSchCategory : kTodoCategory, 14);
      if (ctx.categories != nullptr) {
        if (!name.empty() && !ctx.categories->Shown(name, category_mode)) continue;
        if (!name.empty()) category = ctx.categories->Find(name);
      }
    }
    out.text = ItemText(entry, flags, ctx.alarm_texts, s.view.memo_mark);
    if (entry.kind >= '0' && entry.kind <= '4') {
      out.text_colour = HolidayColours(c, entry.kind).text;
      if (category_icons) out.icon = {IconRef::Source::Category, entry.kind - '0' + 1};
    } else if (entry.kind == '6') {
      out.text_colour = c.sek.text;
    } else {
      if (category) {
        const catalogues::CategoryEntry cat = ctx.categories->Entry(*category);
        if (cat.text_colour) out.text_colour = *cat.text_colour;
        if (cat.back_colour) out.back_colour = *cat.back_colour;
        if (category_icons && cat.icon > 0) out.icon = {IconRef::Source::Category, cat.icon};
      }
      if (entry.kind == '5') {
        out.style = (Digit(Raw(entry.payload, kSchFont, 1)) & 3) | ((Digit(Raw(entry.payload, kSchLine, 1)) & 3) << 2);
        const bool alarm = Digit(Raw(entry.payload, kSchAlarm1, 1)) > 0 || Digit(Raw(entry.payload, kSchAlarm2, 1)) > 0;
        if (ItemOn(flags, kItemAlarmIcon) && alarm) {
          const auto start = store::ParseTimeText(Raw(entry.payload, kSchStart, 5));
          const bool pending = date_number > today_number ||
                               (date_number == today_number && start && start->hour * 60 + start->minute > ctx.now_minutes);
          if (pending) out.icon = {IconRef::Source::SmallImage, 16};
        }
      } else if (ItemOn(flags, kItemTodoIcon)) {
        const int state = TodoMarkState(entry);
        if (state >= 1 && state <= 7) out.icon = {IconRef::Source::SmallImage, state};
      }
    }
    if (IsScheduleMultiDay(entry)) {
      out.bar = true;
      out.band = store::EntryBand(raw);
      out.span = store::EntrySpan(raw);
      out.position = store::EntryPosition(raw);
      const calendar::BarLook look = calendar::BarLookOf(raw);
      out.text_colour = look.text_colour;
      out.bar_colour = look.bar_colour;
      out.bar_style = look.style;
      out.entry = std::move(entry);
      bars.push_back(std::move(out));
      continue;
    }
    if (out.text.empty() && out.icon.source != IconRef::Source::Category &&
        !(entry.kind == '8' && out.icon.source == IconRef::Source::SmallImage)) {
      out.text = "■";
    }
    if (entry.kind == '0' && box_holiday && cell.holiday_box.empty() && !out.text.empty() && out.text != "■") {
      cell.holiday_box = out.text;
      cell.holiday_box_colour = c.syu.text;
      cell.holiday_box_text = cell.back_colour;
      continue;
    }
    out.entry = std::move(entry);
    others.push_back(std::move(out));
  }
  // Bars keep their lane: lane n is line n of the cell; free lanes below the highest stay empty.
  int lanes = 0;
  for (const CellLine& b : bars) lanes = std::max(lanes, b.band + 1);
  lanes = std::min(lanes, 100);
  std::vector<CellLine> ordered(static_cast<std::size_t>(lanes));
  for (CellLine& b : bars) {
    if (b.band >= 0 && b.band < lanes) ordered[static_cast<std::size_t>(b.band)] = std::move(b);
  }
  for (CellLine& l : ordered) {
    if (!l.bar) l.band = -2;  // an empty lane
  }
  cell.lines = std::move(ordered);
  for (CellLine& o : others) cell.lines.push_back(std::move(o));

  // 13. Memo icon.
  if (day.memo && ItemOn(flags, kItemMemoIcon)) {
    cell.memo_icon = true;
    const auto [fill, outline] = MemoIconColours(MemoIconColour(day.day_line, s.memo.icon_color));
    cell.memo_fill = fill;
    cell.memo_outline = outline;
  }
  // 14. Day mark.
  if (line.colour_code == 'S' || line.colour_code == 'M' || line.colour_code == 'B' || line.colour_code == 'N') {
    cell.day_mark = line.colour_code;
    cell.day_mark_colour = store::ParseColourText(line.colour, c.day.back);
  }
  return cell;
}

// ---- Header -----------------------------------------------------------------------------------

HeaderCell BuildHeaderCell(int weekday_number, const store::Settings& settings, bool mini) {
  const store::ColorSettings& c = settings.color;
  HeaderCell h;
  const store::ColourPair& pair = weekday_number == 7 ? c.sah : weekday_number == 1 ? c.suh : c.dyh;
  h.text_colour = pair.text;
  h.back_colour = pair.back;
  const int vista = std::clamp(c.vista_head, 0, 4);
  if (vista > 0) {
    h.two_tone = true;
    if (weekday_number == 7) {
      h.upper = 0xD65656;
      h.lower = 0xFF0000;
    } else if (weekday_number == 1) {
      h.upper = 0x8080FF;
      h.lower = 0x0000FF;
    } else {
      static const std::array<std::pair<int, int>, 4> tones = {
          {{0x565656, 0x000000}, {0x7F7F88, 0x373740}, {0xB0EFA3, 0x35E31C}, {0xA4A0A0, 0x808080}}};
      h.upper = tones[static_cast<std::size_t>(vista - 1)].first;
      h.lower = tones[static_cast<std::size_t>(vista - 1)].second;
    }
  }
  h.japanese = settings.view.date_jap;
  if (h.japanese) {
    h.text = store::ShortWeekdayName(weekday_number);
    if (!mini) h.text += "曜日";
  } else {
    static const std::array<const char*, 7> english = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    h.text = english[static_cast<std::size_t>(std::clamp(weekday_number, 1, 7) - 1)];
    if (mini) h.text = h.text.substr(0, 1);
  }
  return h;
}

// ---- Tooltips -----------------------------------------------------------------------------------

std::string SeasonDescription(int month, bool second_half) {
  static const std::array<std::array<const char*, 2>, 12> table = {{
      {"暦の上で寒さが最も厳しくなる時期の前半", "寒さが最も厳しくなるころ"},
      {"春の初め", "空から降るものが雪から雨に変わり、雪が溶け始めるころ"},
      {"大地が温まり冬眠をしていた虫が穴から出てくるころ", "昼と夜の長さがほぼ等しくなる日"},
      {"万物がすがすがしく明るく美しいころ", "田畑の準備が整い、それに合わせて春の雨の降るころ"},
      {"夏の気配が感じられるころ", "万物が次第に成長して、一定の大きさに達して来るころ"},
      {"芒（のぎ）を持った植物の種をまくころ", "一年中で一番昼が長く夜が短い日"},
      {"梅雨明けが近付き、暑さが本格的になるころ", "快晴が続き、気温が上がり続けるころ"},
      {"初めて秋の気配が現れてくるころ", "暑さが峠を越えて後退し始めるころ"},
      {"大気が冷えてきて、露ができ始めるころ", "昼と夜の長さがほぼ等しくなる日"},
      {"露が冷気によって凍りそうになるころ", "露が冷気によって霜となって降り始めるころ"},
      {"初めて冬の気配が現われてくる日", "わずかながら雪が降り始めるころ"},
      {"雪が激しく降り始めるころ", "一年の間で昼が最も短く夜が最も長くなる日"},
  }};
  if (month < 1 || month > 12) return "";
  return table[static_cast<std::size_t>(month - 1)][second_half ? 1 : 0];
}

namespace {

void AppendMemo(std::string& text, const std::vector<std::string>& memo_lines) {
  if (memo_lines.empty()) return;
  text += "［メモ］";
  for (const std::string& line : memo_lines) text += "\r " + line + " ";
}

}  // namespace

Hint GrdHint(const DayEntry& entry, const Date& date, const std::vector<std::string>& memo_lines,
             const std::vector<std::string>& alarm_texts, const std::string& memo_mark) {
  Hint hint;
  switch (entry.kind) {
    case '0': case '1': case '2': case '3': case '4':
      hint.text = " " + SlashDate(date) + " " + std::string(store::TrimRight(platform::Cp932ToUtf8(entry.payload))) + " ";
      hint.colour = 0xE0D0FE;
      return hint;
    case '6': {
      const std::string name = platform::Cp932ToUtf8(entry.payload);
      const std::string term = FirstChars(name, 2);
      hint.text = " " + SlashDate(date) + " " + term + "（" + name.substr(term.size()) + "）" + "\r" + " " +
                  SeasonDescription(store::MonthOf(date), store::DayOf(date) > 14);
      hint.colour = 0xFFFFFF;
      return hint;
    }
    case '8': {
      hint.text = " " + SlashDate(date) + "\r " + GrdSchEdit(entry, TextPurpose::Tooltip, "", alarm_texts, memo_mark);
      if (Raw(entry.payload, kTodoMemo, 4) > "0000") AppendMemo(hint.text, memo_lines);
      hint.colour = 0xFDF1ED;
      return hint;
    }
    case '5': {
      const std::string& line = entry.payload;
      const std::string start = Raw(line, kSchStart, 5);
      const std::string end = Raw(line, kSchEnd, 5);
      if (IsScheduleMultiDay(entry)) {
        const int span = std::max(Number(Raw(line, kSchSpan, 2), 1), 1);
        const int position = std::clamp(Number(Raw(line, kSchPosition, 2), 1), 1, span);
        const Date first = store::AddDays(date, -(position - 1));
        const Date last = store::AddDays(first, span - 1);
        hint.text = " " + SlashDate(first) + " " + start + "～" + " " + SlashDate(last) + end;
      } else {
        hint.text = " " + SlashDate(date) + " " + start + (end.empty() ? "" : "-" + end);
      }
      hint.text += " \r " + GrdSchEdit(entry, TextPurpose::Tooltip, "", alarm_texts, memo_mark);
      if (Raw(line, kSchDetail, 3) > "000") AppendMemo(hint.text, memo_lines);
      hint.colour = 0xF0FBFF;
      return hint;
    }
    default: return hint;
  }
}

Hint MemoIconHint(const Date& date, const std::string& daily_title, const std::vector<std::string>& memo_lines,
                  int fill_colour) {
  Hint hint;
  hint.text = " " + store::FormatDatePattern(daily_title, date) + " ";
  for (const std::string& line : memo_lines) hint.text += "\r " + line + " ";
  hint.colour = fill_colour;
  return hint;
}

}  // namespace kal::mainwindow
