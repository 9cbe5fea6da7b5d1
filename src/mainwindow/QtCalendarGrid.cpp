#include "mainwindow/QtCalendarGrid.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>

#include "model/BarShape.h"
#include "catalogues/QtCategoryCell.h"
#include "catalogues/QtCategoryIcons.h"
#include "catalogues/QtIconArt.h"

namespace kal::mainwindow {

namespace {

QColor C(int bgr) { return catalogues::BgrColour(bgr); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

// The labels of the selected cell's row and column in the many-month views.
constexpr int kSelectedLabelColour = 0x87D0F6;

}  // namespace

QFont ViewQFont(const ViewFont& setting, int size_override, int extra_style) {
  QFont font;
  if (!setting.name.empty()) font.setFamily(Q(setting.name));
  font.setPointSize(size_override > 0 ? size_override : std::max(setting.size, 1));
  const int style = setting.style | extra_style;
  font.setBold((style & 1) != 0);
  font.setItalic((style & 2) != 0);
  font.setUnderline((style & 4) != 0);
  font.setStrikeOut((style & 8) != 0);
  return font;
}

QPixmap ItemIconPixmap(const IconRef& icon, const catalogues::CategoryIcons* icons) {
  switch (icon.source) {
    case IconRef::Source::Category:
      if (icons != nullptr && icons->Has(icon.number)) return icons->Image(icon.number);
      return catalogues::BuiltInIconPixmap(icon.number);
    case IconRef::Source::SmallImage: return catalogues::SmallImagePixmap(icon.number);
    default: return {};
  }
}

namespace {

// A day mark of the day file: "S" a square, "M" a circle, "B" the two diagonals, "N" a triangle
// with its apex at the top centre, in the mark's colour.
void DrawDayMark(QPainter& p, const QRect& r, char mark, const QColor& colour, int pen) {
  p.setPen(QPen(colour, pen));
  p.setBrush(Qt::NoBrush);
  const int in = pen / 2 + 1;
  switch (mark) {
    case 'S': p.drawRect(QRect(QPoint(r.left() + 2, r.top() + 2), QPoint(r.right() - 1, r.bottom() - 1)).adjusted(in - 1, in - 1, -in, -in)); break;
    case 'M': p.drawEllipse(r.adjusted(in, in, -in, -in)); break;
    case 'B':
      p.drawLine(r.topLeft(), r.bottomRight());
      p.drawLine(r.topRight(), r.bottomLeft());
      break;
    case 'N': {
      QPolygon tri;
      tri << QPoint(r.center().x(), r.top() + in) << QPoint(r.right() - in, r.bottom() - in)
          << QPoint(r.left() + in, r.bottom() - in);
      p.drawPolygon(tri);
      break;
    }
    default: break;
  }
}

}  // namespace

QString TipText(const std::string& text) {
  QString t = Q(text);
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

QtCalendarGrid::QtCalendarGrid(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void QtCalendarGrid::SetSources(const store::Settings* settings, const catalogues::CategoryIcons* icons) {
  settings_ = settings;
  icons_ = icons;
}

void QtCalendarGrid::SetPicture(GridPicture picture) {
  picture_ = std::move(picture);
  hover_.reset();
  update();
}

void QtCalendarGrid::SetSelected(int row, int column) {
  selected_row_ = row;
  selected_column_ = column;
  update();
}

int QtCalendarGrid::ColumnLeft(int column) const {
  int x = 0;
  for (int c = 0; c < column && c < static_cast<int>(picture_.column_widths.size()); ++c) x += picture_.column_widths[static_cast<std::size_t>(c)];
  return x;
}

int QtCalendarGrid::RowTop(int row) const {
  int y = 0;
  for (int r = 0; r < row && r < static_cast<int>(picture_.row_heights.size()); ++r) y += picture_.row_heights[static_cast<std::size_t>(r)];
  return y;
}

QRect QtCalendarGrid::CellRect(int row, int column) const {
  const int grid_column = column + picture_.fixed_columns;
  const int grid_row = row + 1;
  if (grid_column >= static_cast<int>(picture_.column_widths.size()) ||
      grid_row >= static_cast<int>(picture_.row_heights.size()) || row < 0 || column < 0) {
    return {};
  }
  return QRect(ColumnLeft(grid_column), RowTop(grid_row), picture_.column_widths[static_cast<std::size_t>(grid_column)],
               picture_.row_heights[static_cast<std::size_t>(grid_row)]);
}

bool QtCalendarGrid::CellAt(const QPoint& point, int* row, int* column) const {
  for (std::size_t r = 0; r < picture_.cells.size(); ++r) {
    for (std::size_t c = 0; c < picture_.cells[r].size(); ++c) {
      if (CellRect(static_cast<int>(r), static_cast<int>(c)).contains(point)) {
        *row = static_cast<int>(r);
        *column = static_cast<int>(c);
        return true;
      }
    }
  }
  return false;
}

int QtCalendarGrid::DateLineHeight() const {
  if (settings_ == nullptr || picture_.cells.empty() || picture_.cells[0].empty()) return 18;
  const QFontMetrics m(ViewQFont(picture_.cells[0][0].date_font));
  return std::max(m.height(), 16) + 2;
}

int QtCalendarGrid::LineHeight(const CellContents& cell) const {
  const QFontMetrics m(ViewQFont(cell.font));
  return std::max(m.height() + cell.line_pitch - 2, 16);
}

int QtCalendarGrid::NeededHeight(int row, int column) const {
  if (row < 0 || column < 0 || row >= static_cast<int>(needed_.size()) ||
      column >= static_cast<int>(needed_[static_cast<std::size_t>(row)].size())) {
    return 0;
  }
  return needed_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void QtCalendarGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), C(kBlankCellColour));
  spots_.clear();
  widest_ = 0;
  const std::vector<std::vector<int>> measured_before = needed_;
  needed_.assign(picture_.cells.size(), {});
  if (settings_ == nullptr) return;
  const int header_height = picture_.row_heights.empty() ? 0 : picture_.row_heights[0];
  // Header row.
  if (header_height > 0) {
    for (std::size_t c = 0; c < picture_.headers.size(); ++c) {
      const int grid_column = static_cast<int>(c) + picture_.fixed_columns;
      if (grid_column >= static_cast<int>(picture_.column_widths.size())) break;
      PaintHeader(p, static_cast<int>(c),
                  QRect(ColumnLeft(grid_column), 0, picture_.column_widths[static_cast<std::size_t>(grid_column)], header_height));
    }
    if (picture_.fixed_columns > 0 && !picture_.column_widths.empty()) {
      const store::ColourPair& vhd = settings_->color.vhd;
      p.fillRect(QRect(0, 0, picture_.column_widths[0], header_height), C(vhd.back));
    }
  }
  // Week-number column.
  if (picture_.fixed_columns > 0 && !picture_.column_widths.empty()) {
    for (std::size_t r = 0; r < picture_.row_labels.size(); ++r) {
      const int grid_row = static_cast<int>(r) + 1;
      if (grid_row >= static_cast<int>(picture_.row_heights.size())) break;
      PaintRowLabel(p, static_cast<int>(r),
                    QRect(0, RowTop(grid_row), picture_.column_widths[0], picture_.row_heights[static_cast<std::size_t>(grid_row)]));
    }
  }
  for (std::size_t r = 0; r < picture_.cells.size(); ++r) {
    needed_[r].assign(picture_.cells[r].size(), 0);
    for (std::size_t c = 0; c < picture_.cells[r].size(); ++c) {
      const QRect cell = CellRect(static_cast<int>(r), static_cast<int>(c));
      if (cell.isEmpty()) continue;
      PaintCell(p, static_cast<int>(r), static_cast<int>(c), cell);
    }
  }
  PaintBars(p);
  // The selected frame over everything.
  const QRect sel = CellRect(selected_row_, selected_column_);
  if (!sel.isEmpty()) {
    // A frame inset by one pixel, two pixels wide (one in mini mode).
    const int w = picture_.mini ? 1 : 2;
    const QColor colour = C(settings_->color.sel.back);
    const QRect in = sel.adjusted(1, 1, -2, -2);  // inside the right and bottom border lines
    p.fillRect(QRect(in.left(), in.top(), in.width(), w), colour);
    p.fillRect(QRect(in.left(), in.bottom() - w + 1, in.width(), w), colour);
    p.fillRect(QRect(in.left(), in.top(), w, in.height()), colour);
    p.fillRect(QRect(in.right() - w + 1, in.top(), w, in.height()), colour);
  }
  if (needed_ != measured_before) emit LinesMeasured();
}

void QtCalendarGrid::PaintHeader(QPainter& p, int column, const QRect& r) {
  const HeaderCell& h = picture_.headers[static_cast<std::size_t>(column)];
  if (h.two_tone) {
    QRect upper = r;
    upper.setHeight(r.height() / 2);
    p.fillRect(r, C(h.lower));
    p.fillRect(upper, C(h.upper));
    p.setPen(Qt::white);
  } else {
    const bool lit = picture_.label_highlight && column == selected_column_;
    p.fillRect(r, C(lit ? kSelectedLabelColour : h.back_colour));
    p.setPen(C(h.text_colour));
  }
  ViewFont setting = picture_.cells.empty() || picture_.cells[0].empty() ? ViewFont{} : picture_.cells[0][0].font;
  if (!h.japanese && !picture_.cells.empty() && !picture_.cells[0].empty()) setting = picture_.cells[0][0].date_font;
  QFont font = ViewQFont(setting, h.japanese ? 9 : 8);
  font.setBold(false);
  if (picture_.mini) font.setPointSize(8);
  p.setFont(font);
  p.drawText(r, Qt::AlignCenter, Q(h.text));
  if (column > 0 && !picture_.mini) {
    p.setPen(C(settings_->color.lin.back));
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
  }
}

void QtCalendarGrid::PaintRowLabel(QPainter& p, int row, const QRect& r) {
  const store::ColourPair& vhd = settings_->color.vhd;
  const bool lit = picture_.label_highlight && row == selected_row_;
  p.fillRect(r, C(lit ? kSelectedLabelColour : vhd.back));
  p.setPen(C(settings_->color.lin.text));
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.setPen(C(vhd.text));
  QFont font = ViewQFont(ViewFont{}, 8);
  const int pixel = std::clamp(std::min(r.width() - 4, r.height() - 2), 6, 12);
  font.setPixelSize(pixel);
  p.setFont(font);
  p.drawText(r, Qt::AlignCenter, Q(picture_.row_labels[static_cast<std::size_t>(row)]));
}

void QtCalendarGrid::PaintCell(QPainter& p, int row, int column, const QRect& r) {
  const CellContents& cell = picture_.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  const store::ColorSettings& colours = settings_->color;
  p.fillRect(r, C(cell.back_colour));
  if (cell.blank) {
    p.setPen(C(colours.lin.text));
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    return;
  }
  p.save();
  p.setClipRect(r);
  if (picture_.mini) {
    p.setPen(C(cell.text_colour));
    QFont font = ViewQFont(cell.date_font, cell.date_size > 0 ? cell.date_size : 8);
    if (cell.date_pixels > 0) {
      // As large as the cell allows: also two digits across the narrowest day column.
      font.setPixelSize(cell.date_pixels);
      const std::vector<int>& widths = picture_.column_widths;
      const auto first_day = widths.begin() + std::min<std::size_t>(picture_.fixed_columns, widths.size());
      const int room = (first_day == widths.end() ? r.width() : *std::min_element(first_day, widths.end())) - 4;
      const int wide = QFontMetrics(font).horizontalAdvance(QStringLiteral("88"));
      if (wide > room && wide > 0) font.setPixelSize(std::max(cell.date_pixels * room / wide, 6));
    }
    if (cell.today) font.setBold(true);
    if (cell.underline) font.setUnderline(true);
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, Q(cell.date_text).trimmed());
    if (cell.day_mark != 0) DrawDayMark(p, r, cell.day_mark, C(cell.day_mark_colour), 2);
    p.restore();
    return;
  }
  // Date line.
  const int date_height = DateLineHeight();
  int x = r.left() + 4;
  const QFont date_font = ViewQFont(cell.date_font);
  p.setFont(date_font);
  p.setPen(C(cell.text_colour));
  const QString date_text = Q(cell.date_text);
  QRect date_rect(x, r.top(), r.width() - 4, date_height);
  p.drawText(date_rect, Qt::AlignLeft | Qt::AlignVCenter, date_text);
  x += QFontMetrics(date_font).horizontalAdvance(date_text) + 2;
  QFont small = ViewQFont(cell.font, 8);
  small.setBold(false);
  if (!cell.rokuyo.empty()) {
    p.setFont(small);
    p.setPen(C(colours.rok.text));
    p.drawText(QRect(x, r.top(), r.right() - x, date_height), Qt::AlignLeft | Qt::AlignVCenter, Q(cell.rokuyo));
    x += QFontMetrics(small).horizontalAdvance(Q(cell.rokuyo)) + 3;
  }
  if (cell.weather_shown) {
    const int weather_left = x;
    const WeatherMarks& w = cell.weather;
    const int icon_top = r.top() + (date_height - 16) / 2;
    if (w.icons && w.weather1 > 0) {
      p.drawPixmap(x, icon_top, catalogues::WeatherPixmap(w.weather1));
      if (w.weather2 > 0 && w.transition == 1) {
        x += 16;
        p.drawPixmap(x, icon_top, catalogues::WeatherPixmap(w.weather2));
      } else if (w.weather2 > 0 && w.transition > 1) {
        p.drawPixmap(x + 8, icon_top + 4, catalogues::WeatherPixmap(w.weather2).scaled(12, 12));
        x += 4;
      }
      x += 18;
    }
    QFont arial(QStringLiteral("Arial"), 8);
    p.setFont(arial);
    const QFontMetrics am(arial);
    auto put = [&](const QString& text, const QColor& colour) {
      if (text.isEmpty()) return;
      p.setPen(colour);
      p.drawText(QRect(x, r.top(), r.right() - x, date_height), Qt::AlignLeft | Qt::AlignVCenter, text);
      x += am.horizontalAdvance(text);
    };
    put(Q(w.max_temp), C(colours.wet.text));
    if (!w.max_temp.empty() && !w.min_temp.empty()) put(QStringLiteral("/"), QColor(0x80, 0x80, 0x80));
    put(Q(w.min_temp), C(colours.wet.back));
    if (!w.rain.empty()) {
      x += 3;
      put(Q(w.rain) + (w.rain == "--" ? QString() : QStringLiteral("%")), C(colours.rai.text));
    }
    x += 2;
    if (!cell.weather_tip.empty()) {
      spots_.push_back(LineSpot{QRect(weather_left, r.top(), x - weather_left, date_height), row, column, kWeatherSpot});
    }
  }
  if (!cell.holiday_box.empty()) {
    p.setFont(small);
    const QFontMetrics sm(small);
    const QString name = Q(cell.holiday_box);
    const int box_width = std::min(sm.horizontalAdvance(name) + 6, std::max(r.right() - x - 1, 0));
    const QRect box(x, r.top() + 2, box_width, date_height - 4);
    p.fillRect(box, C(cell.holiday_box_colour));
    p.setPen(C(cell.holiday_box_text));
    p.drawText(box.adjusted(3, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, sm.elidedText(name, Qt::ElideRight, box.width() - 4));
  }
  // Item lines.
  const QFont view_font = ViewQFont(cell.font);
  const int line_height = LineHeight(cell);
  int top = r.top() + date_height;
  for (std::size_t i = 0; i < cell.lines.size(); ++i) {
    const CellLine& line = cell.lines[i];
    if (line.bar || line.band == -2) {
      top += line_height;  // the bar pass draws the lane
      continue;
    }
    QFont font = view_font;
    const int style = cell.font.style | line.style;
    font.setBold((style & 1) != 0);
    font.setItalic((style & 2) != 0);
    font.setUnderline((style & 4) != 0);
    font.setStrikeOut((style & 8) != 0);
    const QFontMetrics fm(font);
    const QPixmap icon = cell.category_icons || line.icon.source == IconRef::Source::SmallImage
                             ? ItemIconPixmap(line.icon, icons_) : QPixmap();
    const int text_left = icon.isNull() ? 2 : 18;
    const QString text = Q(line.text);
    int height = line_height;
    const int text_width = r.width() - text_left - 2;
    if (cell.wrap) {
      const QRect bound = fm.boundingRect(QRect(0, 0, std::max(text_width, 1), 10000), Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
      height = std::max(bound.height() + cell.line_pitch, line_height);
    }
    const QRect line_rect(r.left(), top, r.width() - 1, height);
    const bool hovered = hover_ && hover_->row == row && hover_->column == column && hover_->line == static_cast<int>(i);
    const QColor back = C(hovered ? line.text_colour : line.back_colour);
    const QColor fore = C(hovered ? line.back_colour : line.text_colour);
    if (line.back_colour != cell.back_colour || hovered) p.fillRect(line_rect.intersected(r.adjusted(0, 0, -1, -1)), back);
    if (!icon.isNull()) p.drawPixmap(r.left() + 1, top + (height - 16) / 2, icon);
    p.setFont(font);
    p.setPen(fore);
    const QRect text_rect(r.left() + text_left, top, text_width, height);
    if (cell.wrap) {
      p.drawText(text_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
    } else {
      const QString shown = cell.ellipsis ? fm.elidedText(text, Qt::ElideRight, std::max(text_width, 0)) : text;
      p.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
    spots_.push_back(LineSpot{line_rect.intersected(r), row, column, static_cast<int>(i)});
    if (row == selected_row_ && column == selected_column_) {
      widest_ = std::max(widest_, fm.horizontalAdvance(text) + 5 + (icon.isNull() ? 0 : 16));
    }
    top += height;
  }
  needed_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = top - r.top();
  // Overflow mark.
  if (top > r.bottom() + 1) {
    p.drawPixmap(r.left() + 1, r.bottom() - 13, catalogues::SmallImagePixmap(catalogues::kImageOverflow));
  }
  // Memo corner.
  if (cell.memo_icon) {
    const QRect corner(r.right() - 18, r.bottom() - 18, 18, 18);
    const bool hot = hover_ && hover_->row == row && hover_->column == column && hover_->line == -1;
    const QColor fill = C(hot ? cell.memo_outline : cell.memo_fill);
    const QColor outline = C(hot ? cell.memo_fill : cell.memo_outline);
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    p.drawRect(QRect(QPoint(r.right() - 17, r.bottom() - 17), QPoint(r.right() - 3, r.bottom() - 3)).adjusted(0, 0, -1, -1));
    QPolygon fold;
    fold << QPoint(r.right() - 17, r.bottom() - 8) << QPoint(r.right() - 13, r.bottom() - 8)
         << QPoint(r.right() - 13, r.bottom() - 4);
    p.drawPolygon(fold);
    spots_.push_back(LineSpot{corner, row, column, -1});
  }
  // Day mark.
  if (cell.day_mark != 0) DrawDayMark(p, r, cell.day_mark, C(cell.day_mark_colour), 4);
  p.restore();
  // Borders.
  p.setPen(C(colours.lin.text));
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
  const bool last_column = column + 1 == static_cast<int>(picture_.cells[static_cast<std::size_t>(row)].size());
  p.drawLine(last_column ? 0 : r.left(), r.bottom(), r.right(), r.bottom());
}

const CellLine* QtCalendarGrid::HoveredLine() const {
  if (!hover_ || hover_->line < 0) return nullptr;
  const auto& row = picture_.cells.at(static_cast<std::size_t>(hover_->row));
  const auto& lines = row.at(static_cast<std::size_t>(hover_->column)).lines;
  return static_cast<std::size_t>(hover_->line) < lines.size() ? &lines[static_cast<std::size_t>(hover_->line)] : nullptr;
}

bool QtCalendarGrid::SameSchedule(const CellLine& a, const CellLine& b) const {
  return a.bar && b.bar && a.band == b.band && a.entry.index == b.entry.index && a.span == b.span &&
         a.entry.payload.substr(0, 130) == b.entry.payload.substr(0, 130);
}

bool QtCalendarGrid::SameBar(const CellLine& a, const CellLine& b) const {
  return SameSchedule(a, b) && b.position == a.position + 1;
}

void QtCalendarGrid::PaintBars(QPainter& p) {
  if (picture_.mini) return;
  const int date_height = DateLineHeight();
  for (std::size_t r = 0; r < picture_.cells.size(); ++r) {
    const auto& row = picture_.cells[r];
    for (std::size_t c = 0; c < row.size(); ++c) {
      const CellContents& cell = row[c];
      const int line_height = LineHeight(cell);
      for (std::size_t i = 0; i < cell.lines.size(); ++i) {
        const CellLine& line = cell.lines[i];
        if (!line.bar) continue;
        // Start of a segment: the bar's first day, or the previous cell does not carry it.
        if (c > 0) {
          const auto& prev = row[c - 1].lines;
          if (i < prev.size() && SameBar(prev[i], line)) continue;
        }
        std::size_t end = c;
        const CellLine* last = &line;
        while (end + 1 < row.size()) {
          const auto& next = row[end + 1].lines;
          if (i >= next.size() || !SameBar(*last, next[i])) break;
          last = &next[i];
          ++end;
        }
        const QRect first_rect = CellRect(static_cast<int>(r), static_cast<int>(c));
        const QRect last_rect = CellRect(static_cast<int>(r), static_cast<int>(end));
        const int top = first_rect.top() + date_height + static_cast<int>(i) * line_height;
        if (top + line_height > first_rect.bottom() + 1) continue;  // the lane lies below the cell
        QRect box(first_rect.left() + 1, top, last_rect.right() - first_rect.left() - 1, line_height);
        const bool starts = line.position == 1;
        const bool ends = last->position == last->span;
        // The bar under the mouse is highlighted over its whole span, in every row it crosses.
        const CellLine* hovered_line = HoveredLine();
        const bool hovered = hovered_line != nullptr && hovered_line->bar && SameSchedule(*hovered_line, line);
        const QColor fill = C(hovered ? line.text_colour : line.bar_colour);
        const QColor text = C(hovered ? line.bar_colour : line.text_colour);
        const calendar::BarShape shape = calendar::BarShapeOf(
            line.bar_style, calendar::BarRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1}, starts, ends);
        p.save();
        p.setRenderHint(QPainter::Antialiasing, line.bar_style >= 3);
        QPolygon polygon;
        for (const calendar::BarPoint& point : shape.polygon) polygon << QPoint(point.x, point.y);
        p.setPen(shape.outlined ? QPen(Qt::black) : QPen(Qt::NoPen));
        p.setBrush(fill);
        p.drawPolygon(polygon);
        p.setPen(C(calendar::kBarShadowColour));
        for (const auto& segment : shape.shadow) {
          p.drawLine(segment[0].x, segment[0].y, segment[1].x, segment[1].y);
        }
        p.restore();
        const QRect text_box(QPoint(shape.text.left, box.top()), QPoint(shape.text.right - 1, box.bottom()));
        // The title, clipped to the bar.
        p.save();
        p.setClipRect(text_box);
        int text_left = text_box.left() + 2;
        const QPixmap icon = cell.category_icons ? ItemIconPixmap(line.icon, icons_) : QPixmap();
        if (!icon.isNull()) {
          p.drawPixmap(text_left, box.top() + (box.height() - 16) / 2, icon);
          text_left += 18;
        }
        QFont font = ViewQFont(cell.font);
        p.setFont(font);
        p.setPen(text);
        const QRect text_rect(text_left, box.top(), text_box.right() - text_left, box.height());
        const QString title = Q(line.text);
        p.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   cell.ellipsis ? QFontMetrics(font).elidedText(title, Qt::ElideRight, std::max(text_rect.width(), 0)) : title);
        p.restore();
        for (std::size_t k = c; k <= end; ++k) {
          const QRect cr = CellRect(static_cast<int>(r), static_cast<int>(k));
          spots_.push_back(LineSpot{QRect(cr.left(), top, cr.width(), line_height), static_cast<int>(r), static_cast<int>(k),
                                    static_cast<int>(i)});
        }
      }
    }
  }
}

void QtCalendarGrid::mousePressEvent(QMouseEvent* event) {
  int row = 0;
  int column = 0;
  if (CellAt(event->pos(), &row, &column)) {
    const CellContents& cell = picture_.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (cell.blank) return;  // a blank cell is never selected
    SetSelected(row, column);
    emit CellClicked(row, column);
  }
  QWidget::mousePressEvent(event);
}

void QtCalendarGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  int row = 0;
  int column = 0;
  if (!CellAt(event->pos(), &row, &column)) return;
  if (picture_.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].blank) return;
  // Only an empty part of the cell: a double click on an item belongs to that item.
  int spot_row = 0, spot_column = 0, line = 0;
  if (LineAt(event->pos(), &spot_row, &spot_column, &line)) {
    if (line != kWeatherSpot) emit ItemDoubleClicked(spot_row, spot_column, line);
    return;
  }
  emit CellDoubleClicked(row, column);
}

bool QtCalendarGrid::LineAt(const QPoint& point, int* row, int* column, int* line) const {
  for (const LineSpot& spot : spots_) {
    if (!spot.rect.contains(point)) continue;
    *row = spot.row;
    *column = spot.column;
    *line = spot.line;
    return true;
  }
  return false;
}

void QtCalendarGrid::mouseMoveEvent(QMouseEvent* event) {
  int row = -1;
  int column = -1;
  if (!CellAt(event->pos(), &row, &column)) row = column = -1;
  if (row != hover_row_ || column != hover_column_) {
    hover_row_ = row;
    hover_column_ = column;
    emit HoverCellChanged(row, column);
  }
  UpdateHover(event->pos());
  QWidget::mouseMoveEvent(event);
}

void QtCalendarGrid::leaveEvent(QEvent* event) {
  if (hover_row_ >= 0) {
    hover_row_ = hover_column_ = -1;
    emit HoverCellChanged(-1, -1);
  }
  if (hover_) {
    hover_.reset();
    update();
  }
  QToolTip::hideText();
  QWidget::leaveEvent(event);
}

void QtCalendarGrid::UpdateHover(const QPoint& point) {
  std::optional<LineSpot> hit;
  // The memo corner lies over the lines: it is found first.
  for (const LineSpot& spot : spots_) {
    if (spot.line == -1 && spot.rect.contains(point)) hit = spot;
  }
  if (!hit) {
    for (const LineSpot& spot : spots_) {
      if ((spot.line >= 0 || spot.line == kWeatherSpot) && spot.rect.contains(point)) hit = spot;
    }
  }
  const bool same = (hit.has_value() == hover_.has_value()) &&
                    (!hit || (hit->row == hover_->row && hit->column == hover_->column && hit->line == hover_->line));
  if (same) return;
  hover_ = hit;
  update();
  if (settings_ == nullptr || !settings_->view.mouse_tip || !hit) {
    QToolTip::hideText();
    return;
  }
  Hint hint;
  if (hit->line == -1) {
    if (memo_hint) hint = memo_hint(hit->row, hit->column);
  } else if (hit->line == kWeatherSpot) {
    hint.text = picture_.cells[static_cast<std::size_t>(hit->row)][static_cast<std::size_t>(hit->column)].weather_tip;
    hint.colour = 0xFFFFFF;
  } else if (item_hint) {
    const CellContents& cell = picture_.cells[static_cast<std::size_t>(hit->row)][static_cast<std::size_t>(hit->column)];
    hint = item_hint(hit->row, hit->column, cell.lines[static_cast<std::size_t>(hit->line)]);
  }
  if (hint.text.empty()) {
    QToolTip::hideText();
    return;
  }
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, C(hint.colour));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(palette);
  QToolTip::showText(mapToGlobal(point + QPoint(12, 16)), TipText(hint.text), this);
}

}  // namespace kal::mainwindow
