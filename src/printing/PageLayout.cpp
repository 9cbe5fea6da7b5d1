#include "printing/PageLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "catalogues/Category.h"
#include "mainwindow/CellContents.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/Navigation.h"
#include "mainwindow/ViewModes.h"
#include "model/BarShape.h"
#include "model/MonthModel.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/Settings.h"

namespace kal::printing {

namespace {

using mainwindow::DayEntry;

// Field positions of the lines a day entry carries.
constexpr std::size_t kSchCategory = 13;
constexpr std::size_t kTodoDone = 24;
constexpr std::size_t kTodoCategory = 35;

std::string RawField(const std::string& line, std::size_t pos, std::size_t width) {
  return std::string(store::TrimRight(store::FieldBytes(line, pos, width)));
}

// The length in bytes of the UTF-8 character that starts with `c`.
std::size_t CharLength(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

// One entry as a cell prints it.
struct PrintLine {
  std::string text;
  int text_colour = kBlack;
  int back_colour = kWhite;
  bool boxed = false;  // holiday-type names and solar terms sit in a filled box
  int style = 0;       // added to the entry font
  // Multi-day bars.
  bool bar = false;
  int band = -1;
  int span = 0;
  int position = 0;
  int bar_text = kBlack;
  int bar_fill = kSilver;
};

class Builder {
 public:
  Builder(const PageRequest& r, const TextMeasure& m) : r_(r), m_(m), s_(*r.settings), p_(r.print) {}

  PageResult Run() {
    PageResult result;
    const int dpi = r_.dpi;
    page_.dpi = dpi;
    page_.width_mm = r_.paper_width_mm;
    page_.height_mm = r_.paper_height_mm;
    page_.width = MmToDots(r_.paper_width_mm, dpi);
    page_.height = MmToDots(r_.paper_height_mm, dpi);
    left_ = MmToDots(p_.left, dpi);
    right_ = page_.width - MmToDots(p_.right, dpi);
    top_ = MmToDots(p_.top, dpi);
    bottom_ = page_.height - MmToDots(p_.bottom, dpi);
    thin_ = PenWidth(dpi, 1);
    thick_ = PenWidth(dpi, 3);
    if (page_.width <= 0 || page_.height <= 0 || right_ - left_ <= 2 || bottom_ <= top_) return Refused();
    if (!PrintableMode(r_.mode)) {
      result.message = kPrintViewMessage;
      return result;
    }

    const PageFont title_font{p_.title_font.name.empty() ? r_.main_font : p_.title_font.name,
                              PointsToDots(p_.title_font.size, dpi), p_.title_font.style};
    const int title_h = m_.LineHeight(title_font);
    if (top_ + title_h > bottom_) return Refused();
    const TextAlign title_align =
        p_.title_pos == 1 ? TextAlign::Centre : p_.title_pos == 2 ? TextAlign::Right : TextAlign::Left;
    const PageBox title_box{left_, top_, right_, top_ + title_h};
    Text(title_box, r_.title, title_font, p_.color ? p_.title_font.colour : kBlack, title_align, title_box);

    const PageFont date_font{r_.main_font, PointsToDots(11, dpi), 0};
    const int date_h = r_.date_line ? m_.LineHeight(date_font) : 0;
    if (r_.date_line && p_.date_pos == 0) {
      const PageBox box{left_, top_ + title_h - date_h, right_, top_ + title_h};
      Text(box, *r_.date_line, date_font, kBlack, TextAlign::Right, box);
    }

    grid_ = PageBox{left_ + 1, top_ + title_h + MmToDots(2, dpi), right_ - 1,
                    bottom_ - 1 - (r_.date_line && p_.date_pos == 1 ? date_h : 0)};
    if (!GridPage()) return Refused();

    if (r_.date_line && p_.date_pos == 1) {
      const PageBox box{left_, bottom_ - date_h, right_, bottom_};
      Text(box, *r_.date_line, date_font, kBlack, TextAlign::Right, box);
    }
    result.ok = true;
    result.page = std::move(page_);
    return result;
  }

 private:
  PageResult Refused() {
    PageResult result;
    result.message = kPageAreaMessage;
    return result;
  }

  void Fill(const PageBox& box, int colour) { page_.items.emplace_back(FillItem{box, colour}); }
  void Frame(const PageBox& box, int colour, int width) { page_.items.emplace_back(FrameItem{box, colour, width}); }
  void Line(int x1, int y1, int x2, int y2, int width) {
    page_.items.emplace_back(LineItem{x1, y1, x2, y2, kBlack, width});
  }
  void Text(const PageBox& box, const std::string& text, const PageFont& font, int colour, TextAlign align,
            const PageBox& clip) {
    if (text.empty()) return;
    page_.items.emplace_back(TextItem{box, clip, text, font, colour, align});
  }

  // ---- Grid views ------------------------------------------------------------------------------

  bool GridPage() {
    using namespace mainwindow;
    const int mode = r_.mode;
    const store::ViewModeSettings& v = s_.view_mode(mode);
    const int str_week = s_.view.str_week == 0 ? 0 : 1;
    const int year = store::YearOf(r_.selected);
    const int month = store::MonthOf(r_.selected);
    const int rows = mode == kModeMonthly ? MonthWeekRows(year, month, str_week, std::clamp(v.month_no, 5, 6))
                                          : std::clamp(v.week_no, 1, 6);
    const DateTable table = BuildDateTable(mode, year, month, store::DayOf(r_.selected), rows, str_week, false);
    const int columns = v.sat_sun_no ? 5 : 7;

    const ViewFont view_font = ParseViewFont(ModeFontItems(s_, mode), r_.main_font);
    entry_font_ = PageFont{view_font.name.empty() ? r_.main_font : view_font.name, PointsToDots(p_.font_size, r_.dpi),
                           view_font.style};
    const ViewFont date_view_font = ParseViewFont(s_.font.date, r_.main_font);
    day_font_ = PageFont{date_view_font.name.empty() ? r_.main_font : date_view_font.name,
                         PointsToDots(p_.day_font, r_.dpi), date_view_font.style};
    const int rokuyo_points = p_.font_size < p_.day_font ? p_.font_size - 1 : p_.day_font - 1;
    rokuyo_font_ = PageFont{entry_font_.name, PointsToDots(rokuyo_points, r_.dpi), 0};
    line_h_ = m_.LineHeight(entry_font_);
    gap_ = std::max(0, PenWidth(r_.dpi, p_.line_pitch + 1));
    pad_ = MmToDots(1, r_.dpi);

    const PageFont header_font{entry_font_.name, entry_font_.pixels, 0};
    const int header_h = m_.LineHeight(header_font) + MmToDots(1.5, r_.dpi);
    if (grid_.width() < columns * 2 || grid_.height() < header_h + rows * 2) return false;

    std::vector<int> xs(static_cast<std::size_t>(columns) + 1);
    for (int c = 0; c <= columns; ++c) xs[static_cast<std::size_t>(c)] = grid_.left + grid_.width() * c / columns;
    const int rows_top = grid_.top + header_h;
    std::vector<int> ys(static_cast<std::size_t>(rows) + 1);
    for (int rr = 0; rr <= rows; ++rr) ys[static_cast<std::size_t>(rr)] = rows_top + (grid_.bottom - rows_top) * rr / rows;

    // Header row.
    for (int c = 0; c < columns; ++c) {
      const int weekday = WeekdayAtPosition(ColumnPosition(c, v.sat_sun_no, str_week), str_week);
      const HeaderCell h = BuildHeaderCell(weekday, s_, false);
      const PageBox box{xs[static_cast<std::size_t>(c)], grid_.top, xs[static_cast<std::size_t>(c) + 1], rows_top};
      Fill(box, p_.color ? h.back_colour : kSilver);
      Frame(box, kBlack, thin_);
      const int y = box.top + (box.height() - m_.LineHeight(header_font)) / 2;
      Text(PageBox{box.left, y, box.right, box.bottom}, h.text, header_font, p_.color ? h.text_colour : kBlack,
           TextAlign::Centre, box);
    }

    CellContext ctx;
    ctx.settings = &s_;
    ctx.mode = mode;
    ctx.today = r_.today;
    ctx.displayed_year = year;
    ctx.displayed_month = month;
    ctx.categories = r_.categories;
    for (int rr = 0; rr < rows; ++rr) {
      std::vector<PageBox> cells;
      std::vector<Date> dates;
      for (int c = 0; c < columns; ++c) {
        cells.push_back(PageBox{xs[static_cast<std::size_t>(c)], ys[static_cast<std::size_t>(rr)],
                                xs[static_cast<std::size_t>(c) + 1], ys[static_cast<std::size_t>(rr) + 1]});
        dates.push_back(table.rows[static_cast<std::size_t>(rr)]
                                  [static_cast<std::size_t>(ColumnPosition(c, v.sat_sun_no, str_week))]);
      }
      // Backgrounds first, so that a bar drawn from a cell over the next ones stays visible.
      std::vector<mainwindow::CellContents> looks;
      std::vector<CellDay> days;
      for (int c = 0; c < columns; ++c) {
        ctx.first_cell = rr == 0 && c == 0;
        const Date date = dates[static_cast<std::size_t>(c)];
        CellDay day = r_.model ? CellDayOf(*r_.model, date) : CellDay{};
        day.date = date;
        looks.push_back(BuildCell(day, ctx));
        days.push_back(std::move(day));
        Fill(cells[static_cast<std::size_t>(c)], p_.color ? looks.back().back_colour : kWhite);
        Frame(cells[static_cast<std::size_t>(c)], kBlack, thin_);
      }
      for (int c = 0; c < columns; ++c)
        DayCell(cells, dates, c, days[static_cast<std::size_t>(c)], looks[static_cast<std::size_t>(c)], rr == 0 && c == 0,
                year, month);
    }
    // The frame and the left border of the first column are thick.
    Frame(PageBox{grid_.left, grid_.top, grid_.right, ys.back()}, kBlack, thick_);
    Line(grid_.left, grid_.top, grid_.left, ys.back(), thick_);
    return true;
  }

  // The texts and bars of one cell (its background is already drawn).
  void DayCell(const std::vector<PageBox>& cells, const std::vector<Date>& dates, int c, const mainwindow::CellDay& day,
               const mainwindow::CellContents& look, bool first_cell, int year, int month) {
    const PageBox& cell = cells[static_cast<std::size_t>(c)];
    const Date date = dates[static_cast<std::size_t>(c)];
    const bool other = store::YearOf(date) != year || store::MonthOf(date) != month;
    if (other && p_.other_month == 0) return;
    const bool light = other && p_.other_month == 2;
    const int text_colour = light ? kGrey : p_.color ? look.text_colour : kBlack;
    const PageBox inner{cell.left + pad_, cell.top + thin_, cell.right - pad_, cell.bottom - thin_};

    char buffer[16];
    if (first_cell || store::DayOf(date) == 1) {
      std::snprintf(buffer, sizeof buffer, "%d/%d", store::MonthOf(date), store::DayOf(date));
    } else {
      std::snprintf(buffer, sizeof buffer, "%2d", store::DayOf(date));
    }
    const int day_h = m_.LineHeight(day_font_);
    const PageBox day_box{inner.left, inner.top, inner.right, inner.top + day_h};
    Text(day_box, buffer, day_font_, text_colour, TextAlign::Left, inner);
    if (p_.ItemOn(kPrintRokuyo) && day.rokuyo >= 1 && day.rokuyo <= 6) {
      static const char* const names[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
      const int x = inner.left + m_.Width(day_font_, buffer) + pad_;
      const int y = day_box.bottom - m_.LineHeight(rokuyo_font_);
      Text(PageBox{x, y, inner.right, day_box.bottom}, names[day.rokuyo - 1], rokuyo_font_,
           light ? kGrey : p_.color ? s_.color.rok.text : kGrey, TextAlign::Left, inner);
    }

    // Entries: bars in their lanes first, then the others in list order.
    std::vector<PrintLine> bars;
    std::vector<PrintLine> others;
    for (const std::string& raw : day.entries) {
      std::optional<PrintLine> line = EntryLine(raw, look.back_colour);
      if (!line) continue;
      if (light) {
        line->text_colour = kGrey;
        line->bar_text = kGrey;
      }
      (line->bar ? bars : others).push_back(std::move(*line));
    }
    int lanes = 0;
    for (const PrintLine& b : bars) lanes = std::max(lanes, b.band + 1);
    const int step = line_h_ + gap_;
    const int entries_top = day_box.bottom + thin_;
    for (const PrintLine& b : bars) {
      const int y = entries_top + b.band * step;
      if (y + line_h_ > inner.bottom) continue;
      // A bar is drawn once per row: from its first printed day in the row over the printed
      // days that follow.
      const bool starts_here = b.position == 1 || c == 0 || Hidden(dates[static_cast<std::size_t>(c - 1)], year, month);
      if (!starts_here) continue;
      int days = 1;
      while (days < b.span - b.position + 1 && c + days < static_cast<int>(cells.size()) &&
             !Hidden(dates[static_cast<std::size_t>(c + days)], year, month)) {
        ++days;
      }
      const PageBox bar{cell.left + thin_, y, cells[static_cast<std::size_t>(c + days - 1)].right - thin_, y + line_h_};
      Fill(bar, b.bar_fill);
      Frame(bar, p_.ren_waku ? kBlack : b.bar_fill, thin_);
      const PageBox text_box{bar.left + 2, bar.top, bar.right - 2, bar.bottom};
      Text(text_box, b.text, EntryFont(b.style), b.bar_text, TextAlign::Left, text_box);
    }
    int y = entries_top + lanes * step;
    for (const PrintLine& o : others) {
      const PageFont font = EntryFont(o.style);
      std::vector<std::string> texts =
          p_.sch_cr ? WrapText(m_, font, o.text, inner.width()) : std::vector<std::string>{o.text};
      const int height = static_cast<int>(texts.size()) * line_h_;
      if (y + height > inner.bottom) {
        if (!p_.sch_cr || y + line_h_ > inner.bottom) break;
        // Only the wrapped lines that fit.
        texts.resize(static_cast<std::size_t>((inner.bottom - y) / line_h_));
      }
      if (o.boxed) {
        int widest = 0;
        for (const std::string& t : texts) widest = std::max(widest, m_.Width(font, t));
        const int width = std::min(inner.width(), widest + 2 * thin_);
        Fill(PageBox{inner.left, y, inner.left + width, y + static_cast<int>(texts.size()) * line_h_}, o.back_colour);
      }
      for (const std::string& t : texts) {
        const PageBox box{inner.left + (o.boxed ? thin_ : 0), y, inner.right, y + line_h_};
        Text(box, t, font, o.text_colour, TextAlign::Left, inner);
        y += line_h_;
      }
      y += gap_;
    }
  }

  // A day of another month that is not printed.
  bool Hidden(const Date& date, int year, int month) const {
    return p_.other_month == 0 && (store::YearOf(date) != year || store::MonthOf(date) != month);
  }

  PageFont EntryFont(int style) const {
    PageFont f = entry_font_;
    f.style |= style;
    return f;
  }

  // What an entry prints, or nothing when its print item is off or its category is filtered out.
  std::optional<PrintLine> EntryLine(const std::string& raw, int cell_back) const {
    const DayEntry entry = mainwindow::SplitDayEntry(raw);
    const store::ColorSettings& c = s_.color;
    PrintLine out;
    out.back_colour = cell_back;
    switch (entry.kind) {
      case '0':
      case '1':
      case '2':
      case '3':
      case '4':
      case '6': {
        const int item = entry.kind == '0'   ? kPrintHoliday
                         : entry.kind == '1' ? kPrintPrivateHoliday
                         : entry.kind == '6' ? kPrintSolarTerm
                                             : kPrintAnniversary;
        if (!p_.ItemOn(item)) return std::nullopt;
        const store::ColourPair& pair = entry.kind == '0'   ? c.syu
                                        : entry.kind == '1' ? c.kyu
                                        : entry.kind == '2' ? c.kn1
                                        : entry.kind == '3' ? c.kn2
                                        : entry.kind == '4' ? c.kn3
                                                            : c.sek;
        out.text = store::EntryText(raw);
        out.boxed = true;
        out.text_colour = p_.color ? pair.text : kBlack;
        out.back_colour = p_.color ? pair.back : kSilver;
        return out;
      }
      case '5': {
        if (!p_.ItemOn(kPrintTitle)) return std::nullopt;
        std::optional<std::size_t> category;
        if (!Shown(RawField(entry.payload, kSchCategory, 14), category)) return std::nullopt;
        const store::ScheduleFields f = store::ReadScheduleLine(entry.payload);
        out.text = ScheduleText(f);
        out.style = ((f.font_style & 1) ? 1 : 0) | ((f.line_style & 1) ? 4 : 0);
        CategoryColours(category, out);
        if (store::EntryIsBar(raw)) {
          out.bar = true;
          out.band = store::EntryBand(raw);
          out.span = store::EntrySpan(raw);
          out.position = store::EntryPosition(raw);
          const calendar::BarLook look = calendar::BarLookOf(raw);
          out.bar_text = p_.color ? look.text_colour : kBlack;
          out.bar_fill = p_.color ? look.bar_colour : kSilver;
          if (out.band < 0 || out.span <= 0 || out.position <= 0) return std::nullopt;
        }
        return out;
      }
      case '8': {
        const bool done = mainwindow::TodoMarkState(entry) == 6 || RawField(entry.payload, kTodoDone, 1) == "1";
        if (!p_.ItemOn(done ? kPrintTodoDone : kPrintTodoOpen)) return std::nullopt;
        std::optional<std::size_t> category;
        if (!Shown(RawField(entry.payload, kTodoCategory, 14), category)) return std::nullopt;
        out.text = store::EntryText(raw);
        CategoryColours(category, out);
        return out;
      }
      default: return std::nullopt;
    }
  }

  bool Shown(const std::string& cp932_category, std::optional<std::size_t>& found) const {
    if (r_.categories == nullptr || cp932_category.empty()) return true;
    if (!r_.categories->Shown(cp932_category, s_.view.catchk)) return false;
    found = r_.categories->Find(cp932_category);
    return true;
  }

  void CategoryColours(const std::optional<std::size_t>& category, PrintLine& out) const {
    if (!p_.color || !category) return;
    const catalogues::CategoryEntry cat = r_.categories->Entry(*category);
    if (cat.text_colour) out.text_colour = *cat.text_colour;
    if (cat.back_colour) {
      out.back_colour = *cat.back_colour;
      out.boxed = true;
    }
  }

  // Start time, "-" and end time, a blank and the title, the place in full-width brackets, each
  // with its print item.
  std::string ScheduleText(const store::ScheduleFields& f) const {
    std::string text;
    if (p_.ItemOn(kPrintStart) && !f.start.empty()) text += f.start;
    if (p_.ItemOn(kPrintEnd) && !f.end.empty()) text += "-" + f.end;
    if (!text.empty()) text += " ";
    text += f.title;
    if (p_.ItemOn(kPrintPlace) && !f.place.empty()) text += "（" + f.place + "）";
    return text;
  }

  const PageRequest& r_;
  const TextMeasure& m_;
  const store::Settings& s_;
  const PrintSettings& p_;
  Page page_;
  int left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
  int thin_ = 1, thick_ = 1;
  PageBox grid_;
  PageFont entry_font_, day_font_, rokuyo_font_;
  int line_h_ = 1, gap_ = 0, pad_ = 0;
};

}  // namespace

std::vector<std::string> Page::Texts() const {
  std::vector<std::string> out;
  for (const PageItem& item : items) {
    if (const auto* t = std::get_if<TextItem>(&item)) out.push_back(t->text);
  }
  return out;
}

int MmToDots(double mm, int dpi) { return static_cast<int>(std::lround(mm * dpi / 25.4)); }
int PointsToDots(double points, int dpi) { return std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))); }
int PenWidth(int dpi, int n) { return std::max(1, static_cast<int>(std::lround(static_cast<double>(dpi) * n / 144.0))); }

std::vector<std::string> WrapText(const TextMeasure& measure, const PageFont& font, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
    const std::string ch = text.substr(i, n);
    if (!current.empty() && measure.Width(font, current + ch) > width) {
      lines.push_back(std::move(current));
      current.clear();
    }
    current += ch;
    i += n;
  }
  if (!current.empty() || lines.empty()) lines.push_back(std::move(current));
  return lines;
}

bool PrintableMode(int mode) { return mode == mainwindow::kModeWeekly || mode == mainwindow::kModeMonthly; }

std::string PageTitle(const PrintSettings& print, const store::Settings& settings, int mode, const Date& selected) {
  if (mode == mainwindow::kModeMonthly) return PrintTitleText(print.title, store::YearOf(selected), store::MonthOf(selected));
  mainwindow::NavState state;
  state.displayed = selected;
  state.selected = selected;
  mainwindow::CaptionInput input;
  input.weekly_bar_form = settings.view.weekly_bar_form;
  input.monthly_bar_form = settings.view.monthly_bar_form;
  return mainwindow::SchHeader(mainwindow::NavContextOf(settings, mode, false), state, input);
}

PageRequest PageRequestFor(const PageSource& source, const PrintSettings& print) {
  PageRequest r;
  r.settings = source.settings;
  r.model = source.model;
  r.categories = source.categories;
  r.print = print;
  r.mode = source.mode;
  r.selected = source.selected;
  r.today = source.today;
  r.main_font = source.main_font;
  if (source.settings != nullptr) r.title = PageTitle(print, *source.settings, source.mode, source.selected);
  r.date_line = CreationDateText(print.date, source.today);
  r.paper_width_mm = print.landscape() ? 297 : 210;
  r.paper_height_mm = print.landscape() ? 210 : 297;
  return r;
}

std::string MainFontName(const store::Settings& settings, const std::string& fallback) {
  if (!settings.window.sys_font.empty() && !settings.window.sys_font[0].empty()) return settings.window.sys_font[0];
  return fallback;
}

PageResult BuildPage(const PageRequest& request, const TextMeasure& measure) {
  if (request.settings == nullptr) return PageResult{};
  return Builder(request, measure).Run();
}

}  // namespace kal::printing
