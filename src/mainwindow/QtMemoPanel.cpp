#include "mainwindow/QtMemoPanel.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "mainwindow/QtPanelParts.h"
#include "mainwindow/QtToolIcons.h"
#include "platform/Dialogs.h"
#include "platform/QtControls.h"
#include "store/TextFile.h"

namespace kal::mainwindow {
namespace {

using platform::Q;

}  // namespace

QtMemoPanel::QtMemoPanel(MemoBox& box, platform::Dialogs& dialogs, const store::Settings& settings, QWidget* parent)
    : QWidget(parent), box_(box), dialogs_(dialogs), settings_(settings) {
  setObjectName(QStringLiteral("PnlMemo"));
  TabMemo = new QTabBar(this);
  TabMemo->setObjectName(QStringLiteral("TabMemo"));
  TabMemo->addTab(QString());
  TabMemo->addTab(QString());
  TabMemo->setExpanding(false);
  TabMemo->setDrawBase(false);
  MemDaily = new QPlainTextEdit(this);
  MemDaily->setObjectName(QStringLiteral("MemDaily"));
  MemDaily->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemDaily->installEventFilter(this);
  ApplySettings();

  connect(TabMemo, &QTabBar::currentChanged, this, [this](int index) { TabMemoChange(index); });
  connect(MemDaily, &QPlainTextEdit::textChanged, this, [this] {
    if (!showing_) box_.SetText(MemDaily->toPlainText().toStdString());
  });
}

void QtMemoPanel::ApplySettings() {
  PlaceTabs(this, TabMemo, MemDaily, settings_.memo.list_tab);
  MemDaily->setTabChangesFocus(!settings_.memo.tab);
  MemDaily->setFont(PanelFont(MemDaily->font(), settings_.font.memo));
}

void QtMemoPanel::Report(const std::optional<std::string>& failure) {
  if (failure) dialogs_.Error(*failure, store::kFileErrorCaption);
}

void QtMemoPanel::SelectDay(const store::Date& date) {
  Report(box_.SelectDay(date));
  ShowBox();
}

bool QtMemoPanel::Save() {
  auto failure = box_.Save();
  Report(failure);
  if (!failure) ShowBox();
  return !failure;
}

void QtMemoPanel::Reload() {
  Report(box_.Reload());
  ShowBox();
}

void QtMemoPanel::TabMemoChange(int index) {
  if (showing_) return;
  const bool day_memo_saved = box_.modified() && box_.tab() == kMemoTabDay;
  if (auto failure = box_.SetTab(index)) {
    Report(failure);
    const QSignalBlocker block(TabMemo);
    TabMemo->setCurrentIndex(box_.tab());
    ShowBox();
    return;
  }
  ShowBox();
  // A day memo just saved may have come or gone: the calendar shows its icon again.
  if (day_memo_saved && on_left_modified) on_left_modified();
}

// Captions, tab images, colours, text and read-only state from the core box.
void QtMemoPanel::ShowBox() {
  showing_ = true;
  const store::Date date = box_.date();
  TabMemo->setTabText(kMemoTabDay, Q(MemoTabCaption(settings_.memo.daily_title, date)));
  TabMemo->setTabText(kMemoTabMonth, Q(MemoTabCaption(settings_.memo.monthly_title, date)));
  const QIcon image = ToolIcon(QStringLiteral("MenMemoEdit"));
  for (int tab : {kMemoTabDay, kMemoTabMonth}) TabMemo->setTabIcon(tab, box_.HasMemo(tab) ? image : QIcon());
  {
    const QSignalBlocker block(TabMemo);
    TabMemo->setCurrentIndex(box_.tab());
  }
  const int stored = stored_colour ? stored_colour(date) : 0;
  const auto [text, back] = MemoBoxColours(settings_, box_.tab(), stored, box_.HasMemo(kMemoTabDay));
  QPalette palette = MemDaily->palette();
  palette.setColor(QPalette::Text, BgrColour(text));
  palette.setColor(QPalette::Base, BgrColour(back));
  MemDaily->setPalette(palette);
  const QString shown = Q(box_.text());
  if (MemDaily->toPlainText() != shown) MemDaily->setPlainText(shown);
  MemDaily->setReadOnly(box_.read_only());
  showing_ = false;
}

bool QtMemoPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == MemDaily && event->type() == QEvent::FocusOut && box_.modified()) {
    if (on_left_modified) on_left_modified();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kal::mainwindow
