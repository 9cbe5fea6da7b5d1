// The page renderer (`PrintData`) as a layout engine: from the month model, the main window's
// settings, the print settings, the paper size in millimetres and the resolution, one page as a
// display list of filled boxes, frames, lines and single-line text runs, all in dots of the
// paper (origin at the paper's top-left corner). Text is measured through TextMeasure, so the
// layout needs no font: the painter backend (QtPagePainter) measures with real fonts, tests with
// a fixed advance.
//
// Units: millimetres become dots as round(mm x R / 25.4); font sizes in points become pixel
// heights round(points x R / 72); pens are MulDiv(R, n, 144) dots, at least 1 (thick lines
// n = 3, thin n = 1).
//
// Grid pages (monthly and multi-week views): title band, creation date, a header row of the
// weekday captions, the week rows of the main window's grid with one cell per day: day number,
// rokuyo, then the day's entries in list order (multi-day bars in their lanes first), each only
// when its print item is on, until the next would pass the bottom of the cell.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "printing/PrintSettings.h"
#include "store/DateText.h"

namespace kal::store {
struct MonthModel;
struct Settings;
}  // namespace kal::store
namespace kal::catalogues {
class CategoryTable;
}

namespace kal::printing {

using store::Date;

inline constexpr const char* kPrintErrorCaption = "印刷";
inline constexpr const char* kPageAreaMessage =
    "余白が大きすぎるため、印刷する範囲がありません。余白を小さくしてください。";
inline constexpr const char* kPrintViewMessage = "この表示は印刷できません。";

// Monochrome colours (blue-green-red).
inline constexpr int kBlack = 0x000000;
inline constexpr int kWhite = 0xFFFFFF;
inline constexpr int kSilver = 0xC0C0C0;
inline constexpr int kGrey = 0x808080;

struct PageFont {
  std::string name;
  int pixels = 12;  // em height in dots
  int style = 0;    // 1 bold, 2 italic, 4 underline, 8 strike-out
  friend bool operator==(const PageFont&, const PageFont&) = default;
};

// Left and top inclusive, right and bottom exclusive, in dots.
struct PageBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const PageBox&, const PageBox&) = default;
};

enum class TextAlign { Left, Centre, Right };

struct FillItem {
  PageBox box;
  int colour = kWhite;
};
// An outline drawn inside the box with a pen of `width` dots.
struct FrameItem {
  PageBox box;
  int colour = kBlack;
  int width = 1;
};
// A horizontal or vertical line whose pen starts at (x1, y1).
struct LineItem {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int colour = kBlack;
  int width = 1;
};
// One line of text at the top of `box`, aligned inside it and cut at `clip`.
struct TextItem {
  PageBox box;
  PageBox clip;
  std::string text;  // UTF-8
  PageFont font;
  int colour = kBlack;
  TextAlign align = TextAlign::Left;
};
using PageItem = std::variant<FillItem, FrameItem, LineItem, TextItem>;

struct Page {
  int width = 0;   // dots
  int height = 0;
  int dpi = 0;
  double width_mm = 0;  // the paper
  double height_mm = 0;
  std::vector<PageItem> items;
  // The texts in drawing order (what a reader of the page finds).
  std::vector<std::string> Texts() const;
};

// Text measurement in the fonts of a canvas.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Advance width of the text in dots.
  virtual int Width(const PageFont& font, std::string_view utf8) const = 0;
  // Height of one line of the font in dots.
  virtual int LineHeight(const PageFont& font) const = 0;
};

// Everything a page is made of.
struct PageRequest {
  const store::Settings* settings = nullptr;       // the main window's settings
  const store::MonthModel* model = nullptr;        // built for `mode` with `selected`
  const catalogues::CategoryTable* categories = nullptr;  // nothing: no category filter or colours
  PrintSettings print;
  int mode = 4;
  Date selected{};       // the main window's selected date (mode 4: its month is printed)
  Date today{};
  std::string main_font;  // the main window's font name
  std::string title;      // prepared by PageTitle
  std::optional<std::string> date_line;  // the creation date, nothing for none
  double paper_width_mm = 297;   // the paper as printed (orientation applied)
  double paper_height_mm = 210;
  int dpi = 600;
};

struct PageResult {
  bool ok = false;
  std::string message;  // why there is no page (caption kPrintErrorCaption)
  Page page;
};

// Whether the view can be printed: the monthly and multi-week views (the timeline views follow
// once their block placement is shared with the window).
bool PrintableMode(int mode);

// The title of the page: the Title pattern for the monthly view, the main window's period
// caption for the others.
std::string PageTitle(const PrintSettings& print, const store::Settings& settings, int mode, const Date& selected);

PageResult BuildPage(const PageRequest& request, const TextMeasure& measure);

// What the main window prints: its settings, its month model as built for the view, its
// categories, the view and the selected date.
struct PageSource {
  const store::Settings* settings = nullptr;
  const store::MonthModel* model = nullptr;
  const catalogues::CategoryTable* categories = nullptr;
  int mode = 4;
  Date selected{};
  Date today{};
  std::string main_font;
};

// The request for the view, with the title and the creation date made from the print settings,
// on A4 paper turned by the print settings' orientation. The caller may put other paper and its
// resolution in.
PageRequest PageRequestFor(const PageSource& source, const PrintSettings& print);

// The main window's font name: the first item of Window SysFont, else `fallback`.
std::string MainFontName(const store::Settings& settings, const std::string& fallback);

// Millimetres and points at a resolution, and pen widths in 1/144 inch.
int MmToDots(double mm, int dpi);
int PointsToDots(double points, int dpi);
int PenWidth(int dpi, int n);
// The text cut into lines no wider than `width` (at least one character a line).
std::vector<std::string> WrapText(const TextMeasure& measure, const PageFont& font, const std::string& text, int width);

}  // namespace kal::printing
