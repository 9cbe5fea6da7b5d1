#include "support/QtTestHelpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace kal::test {

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const bool enter = c == QLatin1Char('\n');
    QKeyEvent press(QEvent::KeyPress, enter ? Qt::Key_Return : 0, Qt::NoModifier, enter ? QStringLiteral("\r") : QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, enter ? Qt::Key_Return : 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

bool WaitUntil(const std::function<bool()>& done, int timeout_ms) {
  QDeadlineTimer deadline(timeout_ms);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

ScopedEnv::ScopedEnv(const char* name, const char* value)
    : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
  if (value != nullptr) {
    qputenv(name, value);
  } else {
    qunsetenv(name);
  }
}

ScopedEnv::~ScopedEnv() {
  if (had_) {
    qputenv(name_, old_);
  } else {
    qunsetenv(name_);
  }
}

QWidget* FindModal() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->isModal()) return w;
  }
  return nullptr;
}

void OnNextModal(const std::function<bool(QWidget*)>& act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
    QWidget* modal = FindModal();
    if (modal != nullptr && act(modal)) {
      timer->stop();
      timer->deleteLater();
      return;
    }
    if (++*tries > 500) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start();
}

void AnswerNextMessageBox(SeenMessageBox& seen, const QString& answer, bool close) {
  OnNextModal([&seen, answer, close](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return false;
    seen.seen = true;
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.text_format = box->textFormat();
    QAbstractButton* target = nullptr;
    for (QAbstractButton* b : box->buttons()) {
      seen.buttons << b->text();
      if (b->text() == answer) target = b;
    }
    if (box->defaultButton() != nullptr) seen.default_button = box->defaultButton()->text();
    if (close || target == nullptr) {
      box->close();
    } else {
      target->click();
    }
    return true;
  });
}

}  // namespace kal::test
