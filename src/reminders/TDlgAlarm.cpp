#include "reminders/TDlgAlarm.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "reminders/TimeSignal.h"

namespace kal::reminders {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QColor Bgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

constexpr int kAlarmWidth = 340;
constexpr int kAlarmHeight = 150;
constexpr int kDefaultSignalPoints = 28;
constexpr int kDefaultSignalText = 0x800000;  // navy
constexpr int kDefaultSignalBack = 0xE1FFFF;  // light yellow

// A small bell: the window icon of alarms (and, filled, of signals).
QIcon BellIcon(bool filled) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 80, 0), 1.2));
  p.setBrush(filled ? QColor(255, 200, 40) : QColor(255, 236, 150));
  QPainterPath bell;
  bell.moveTo(3, 12);
  bell.cubicTo(5, 10, 4, 3, 8, 2.5);
  bell.cubicTo(12, 3, 11, 10, 13, 12);
  bell.closeSubpath();
  p.drawPath(bell);
  p.drawEllipse(QPointF(8, 13.5), 1.6, 1.6);
  return QIcon(pm);
}

}  // namespace

TDlgAlarm::TDlgAlarm(bool signal, const NotificationSettings& settings, platform::Sound& sound,
                     const platform::Clock& clock, QWidget* parent)
    : QDialog(parent), signal_(signal), settings_(settings), sound_(sound), clock_(clock) {
  setObjectName(QStringLiteral("DlgAlarm"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setModal(false);
  Qt::WindowFlags flags = Qt::Tool | Qt::WindowCloseButtonHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
  if (signal_) flags = Qt::Tool | Qt::FramelessWindowHint;
  if (settings_.stay_on_top) flags |= Qt::WindowStaysOnTopHint;
  setWindowFlags(flags);
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("TimAlarm"));
  timer_->setInterval(10);
  connect(timer_, &QTimer::timeout, this, &TDlgAlarm::TimAlarmTimer);
}

TDlgAlarm::~TDlgAlarm() = default;

TDlgAlarm* TDlgAlarm::ForAlarm(const AlarmNotice& notice, const NotificationSettings& settings, platform::Sound& sound,
                               const platform::Clock& clock, QWidget* parent) {
  auto* w = new TDlgAlarm(false, settings, sound, clock, parent);
  w->notice_ = notice;
  w->BuildAlarm();
  return w;
}

TDlgAlarm* TDlgAlarm::ForSignal(const std::string& text, const NotificationSettings& settings, platform::Sound& sound,
                                const platform::Clock& clock, QWidget* parent) {
  auto* w = new TDlgAlarm(true, settings, sound, clock, parent);
  w->signal_text_ = text;
  w->BuildSignal();
  return w;
}

void TDlgAlarm::BuildAlarm() {
  setWindowTitle(Q(AlarmCaption(notice_.category)));
  setWindowIcon(BellIcon(false));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  message_ = new QLabel(Q(AlarmHeadline(notice_)), this);
  message_->setObjectName(QStringLiteral("LblMessage"));
  message_->setCursor(Qt::PointingHandCursor);
  QPalette pal = message_->palette();
  pal.setColor(QPalette::WindowText, notice_.at_start ? Bgr(0x0000FF) : Bgr(0xFF0000));
  message_->setPalette(pal);
  QFont font = message_->font();
  font.setBold(true);
  message_->setFont(font);
  message_->installEventFilter(this);
  layout->addWidget(message_);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("LstSchedule"));
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  list_->setStyleSheet(QStringLiteral("QListWidget::item { padding-left: 10px; padding-top: 5px; }"));
  for (const auto& line : AlarmListLines(notice_)) list_->addItem(Q(line));
  layout->addWidget(list_, 1);
  setFixedSize(kAlarmWidth, kAlarmHeight);
}

void TDlgAlarm::BuildSignal() {
  setWindowTitle(Q(kSignalCaption));
  setWindowIcon(BellIcon(true));
  auto* layout = new QVBoxLayout(this);
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("LblMessage"));
  message_->setAlignment(Qt::AlignCenter);
  message_->installEventFilter(this);
  QFont font = message_->font();
  font.setPointSize(kDefaultSignalPoints);
  font.setBold(true);
  int text = kDefaultSignalText, back = kDefaultSignalBack;
  if (auto f = ReadSignalFont(settings_.font_name)) {
    font = QFont(Q(f->name), f->size);
    font.setBold(f->style & 1);
    font.setItalic(f->style & 2);
    font.setUnderline(f->style & 4);
    font.setStrikeOut(f->style & 8);
    text = f->text_colour;
    back = f->back_colour;
  }
  message_->setFont(font);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Bgr(text));
  pal.setColor(QPalette::Window, Bgr(settings_.text_only ? SignalKeyColour(text) : back));
  setPalette(pal);
  setAutoFillBackground(true);
  message_->setPalette(pal);
  if (!settings_.text_only) {
    message_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    message_->setLineWidth(2);
    message_->setAutoFillBackground(true);
  }
  // 8 pixels each way around the text; half the width of "0" for an italic font.
  const int margin = font.italic() ? QFontMetrics(font).horizontalAdvance(QLatin1Char('0')) / 2 : 8;
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->addWidget(message_);
  Relabel();
}

// The signal's time (and text), the window sized to it; a text-only signal shows nothing but the
// glyphs (the rest of the window is masked out).
void TDlgAlarm::Relabel() {
  if (!signal_) return;
  message_->setText(Q(SignalLabel(settings_.form, clock_.Now(), signal_text_)));
  adjustSize();
  setFixedSize(sizeHint());
  if (settings_.text_only) {
    QBitmap mask(size());
    mask.fill(Qt::color0);
    QPainter p(&mask);
    p.setFont(message_->font());
    p.setPen(Qt::color1);
    p.drawText(message_->geometry(), static_cast<int>(message_->alignment()), message_->text());
    p.end();
    setMask(mask);
  }
}

AnimationPhase TDlgAlarm::Phase() const { return animation_ ? animation_->phase() : AnimationPhase::Entering; }

void TDlgAlarm::Start(QScreen* screen) {
  if (!screen) screen = QGuiApplication::primaryScreen();
  AnimationSetup setup;
  setup.style = settings_.style;
  setup.position = settings_.position;
  if (screen) {
    const QRect work = screen->availableGeometry(), whole = screen->geometry();
    setup.work_area = {work.x(), work.y(), work.width(), work.height()};
    setup.screen = {whole.x(), whole.y(), whole.width(), whole.height()};
  }
  setup.width = width();
  setup.height = height();
  setup.show_time = settings_.show_time;
  setup.clear = settings_.clear;
  animation_ = std::make_unique<AlarmAnimation>(setup);
  const AnimationFrame f = animation_->Start();
  move(f.x, f.y);
  setWindowOpacity(f.opacity / 255.0);
  show();
  timer_->start();
}

void TDlgAlarm::TimAlarmTimer() {
  if (!animation_) return;
  const AnimationFrame f = animation_->Step();
  if (f.phase == AnimationPhase::Closed) {
    timer_->stop();
    close();
    return;
  }
  if (pos() != QPoint(f.x, f.y)) move(f.x, f.y);
  if (settings_.style == AlarmStyle::Translucent) setWindowOpacity(f.opacity / 255.0);
  if (f.play_sound && !settings_.wav.empty() && !sound_.Play(settings_.wav)) sound_.Beep();
  if (f.relabel && signal_) Relabel();
}

bool TDlgAlarm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == message_ && event->type() == QEvent::MouseButtonRelease) {
    close();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TDlgAlarm::closeEvent(QCloseEvent* event) {
  timer_->stop();
  QDialog::closeEvent(event);
}

}  // namespace kal::reminders
