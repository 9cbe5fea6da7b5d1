#include "printing/QtPagePainter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kal::printing {

namespace {

QColor Bgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QRect Rect(const PageBox& b) { return QRect(b.left, b.top, b.width(), b.height()); }

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct Painting {
  QPainter& p;
  void operator()(const FillItem& f) const { p.fillRect(Rect(f.box), Bgr(f.colour)); }
  void operator()(const FrameItem& f) const {
    // The pen lies inside the box.
    const int w = std::max(1, f.width);
    const PageBox& b = f.box;
    p.fillRect(QRect(b.left, b.top, b.width(), w), Bgr(f.colour));
    p.fillRect(QRect(b.left, b.bottom - w, b.width(), w), Bgr(f.colour));
    p.fillRect(QRect(b.left, b.top, w, b.height()), Bgr(f.colour));
    p.fillRect(QRect(b.right - w, b.top, w, b.height()), Bgr(f.colour));
  }
  void operator()(const LineItem& l) const {
    const int w = std::max(1, l.width);
    if (l.x1 == l.x2) p.fillRect(QRect(l.x1, std::min(l.y1, l.y2), w, std::abs(l.y2 - l.y1)), Bgr(l.colour));
    else p.fillRect(QRect(std::min(l.x1, l.x2), l.y1, std::abs(l.x2 - l.x1), w), Bgr(l.colour));
  }
  void operator()(const TextItem& t) const {
    p.save();
    p.setClipRect(Rect(t.clip));
    p.setFont(PageQFont(t.font));
    p.setPen(Bgr(t.colour));
    const int align = t.align == TextAlign::Centre  ? Qt::AlignHCenter
                      : t.align == TextAlign::Right ? Qt::AlignRight
                                                    : Qt::AlignLeft;
    p.drawText(Rect(t.box), align | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, Q(t.text));
    p.restore();
  }
};

class QtPdfOutput : public PdfOutput {
 public:
  const TextMeasure& Measure() const override { return measure_; }
  int Dpi() const override { return 600; }
  bool Write(const std::string& path, const std::vector<Page>& pages, const std::string& title,
             std::string* error) override {
    QPdfWriter writer(Q(path));
    writer.setTitle(Q(title));
    writer.setCreator(QStringLiteral("Kalendor"));
    writer.setResolution(Dpi());
    QPainter painter;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const Page& page = pages[i];
      const bool landscape = page.width_mm > page.height_mm;
      const QSizeF portrait(std::min(page.width_mm, page.height_mm), std::max(page.width_mm, page.height_mm));
      writer.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
      if (i == 0) {
        if (!painter.begin(&writer)) {
          if (error) *error = path + " に書き込めません。";
          return false;
        }
      } else {
        writer.newPage();
      }
      PaintPage(painter, page);
    }
    if (painter.isActive() && !painter.end()) {
      if (error) *error = path + " に書き込めません。";
      return false;
    }
    return true;
  }

 private:
  QtTextMeasure measure_;
};

}  // namespace

QFont PageQFont(const PageFont& font) {
  QFont f(Q(font.name));
  f.setPixelSize(std::max(1, font.pixels));
  f.setBold((font.style & 1) != 0);
  f.setItalic((font.style & 2) != 0);
  f.setUnderline((font.style & 4) != 0);
  f.setStrikeOut((font.style & 8) != 0);
  return f;
}

int QtTextMeasure::Width(const PageFont& font, std::string_view utf8) const {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return static_cast<int>(std::ceil(QFontMetricsF(PageQFont(font)).horizontalAdvance(text)));
}

int QtTextMeasure::LineHeight(const PageFont& font) const {
  return static_cast<int>(std::ceil(QFontMetricsF(PageQFont(font)).height()));
}

void PaintPage(QPainter& painter, const Page& page) {
  painter.save();
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  Painting paint{painter};
  for (const PageItem& item : page.items) std::visit(paint, item);
  painter.restore();
}

std::unique_ptr<PdfOutput> MakeQtPdfOutput() {
  if (QCoreApplication::instance() == nullptr) {
    // Fonts need a GUI application; a command-line run has no display, and its standard error
    // carries only the program's own messages and Qt's serious ones.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    static int argc = 1;
    static char name[] = "kalendor-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
  }
  return std::make_unique<QtPdfOutput>();
}

}  // namespace kal::printing
