// Helpers for the widget tests: waiting on the event loop and answering modal boxes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace kal::test {

// Runs the event loop until `done` holds or `timeout_ms` passes; returns `done()`.
bool WaitUntil(const std::function<bool()>& done, int timeout_ms = 3000);

// What a message box showed.
struct SeenMessageBox {
  bool seen = false;
  QString caption;
  QString text;
  int icon = 0;             // QMessageBox::Icon
  int text_format = 0;      // Qt::TextFormat
  QStringList buttons;      // button texts (in no particular order)
  QString default_button;   // text of the default button
};

// Arranges for the next modal message box to be inspected into `seen` and answered by clicking
// the button with the text `answer`; `close` instead closes the box through its close request
// (the title bar's close box or Escape).
void AnswerNextMessageBox(SeenMessageBox& seen, const QString& answer, bool close = false);

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name, value.c_str()) {}
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

// Types text into a widget key by key, as the keyboard would; "\n" is the Return key.
void TypeText(QWidget* widget, const QString& text);

// The modal window currently shown, when there is one.
QWidget* FindModal();

// Polls (every 10 ms, for up to five seconds) until a modal window is up and `act` takes it
// (returns true). A modal window is shown by a nested event loop, which may run other events
// first, so a zero-time timer is not enough to find it.
void OnNextModal(const std::function<bool(QWidget*)>& act);

// The same for the next modal window of the class T.
template <class T>
void OnNextModal(std::function<void(T*)> act) {
  OnNextModal([act](QWidget* w) {
    auto* t = qobject_cast<T*>(w);
    if (t == nullptr) return false;
    act(t);
    return true;
  });
}

}  // namespace kal::test
