#include "platform/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace kal::platform {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QMessageBox::Icon QtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

std::optional<std::string> FromQt(const QString& s) {
  if (s.isEmpty()) return std::nullopt;
  return s.toStdString();
}

}  // namespace

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}

void QtDialogs::SetParentWidget(QWidget* parent) { parent_ = parent; }

MsgAnswer QtDialogs::Message(const std::string& text, const std::string& caption, MsgIcon icon,
                             MsgButtons buttons) {
  QMessageBox box(QtIcon(icon), Q(caption), Q(text), QMessageBox::NoButton, parent_);
  box.setTextFormat(Qt::PlainText);

  // The first button is the default; the escape key and the window's close box give the last
  // cancelling one.
  struct Choice {
    QMessageBox::StandardButton button;
    const char* text;
    MsgAnswer answer;
  };
  std::vector<Choice> choices;
  switch (buttons) {
    case MsgButtons::Ok:
      choices = {{QMessageBox::Ok, kOkText, MsgAnswer::Ok}};
      break;
    case MsgButtons::OkCancel:
      choices = {{QMessageBox::Ok, kOkText, MsgAnswer::Ok}, {QMessageBox::Cancel, kCancelText, MsgAnswer::Cancel}};
      break;
    case MsgButtons::YesNo:
      choices = {{QMessageBox::Yes, kYesText, MsgAnswer::Yes}, {QMessageBox::No, kNoText, MsgAnswer::No}};
      break;
    case MsgButtons::YesNoCancel:
      choices = {{QMessageBox::Yes, kYesText, MsgAnswer::Yes},
                 {QMessageBox::No, kNoText, MsgAnswer::No},
                 {QMessageBox::Cancel, kCancelText, MsgAnswer::Cancel}};
      break;
  }
  for (const auto& c : choices) {
    QPushButton* b = box.addButton(c.button);
    b->setText(QString::fromUtf8(c.text));
  }
  box.setDefaultButton(choices.front().button);
  box.setEscapeButton(box.button(choices.back().button));

  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const auto& c : choices) {
    if (clicked != nullptr && clicked == box.button(c.button)) return c.answer;
  }
  return choices.back().answer;
}

QString QtNameFilters(const FileFilter& filter) {
  const QStringList parts = Q(filter.text).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString desc = parts[i].trimmed();
    QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    // A description that already names its patterns in parentheses is kept as it is.
    if (desc.endsWith(QLatin1Char(')')) && desc.contains(QLatin1Char('('))) {
      out << desc;
    } else {
      out << desc + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
  }
  return out.join(QStringLiteral(";;"));
}

std::optional<std::string> QtDialogs::OpenFileName(const std::string& title, const FileFilter& filter,
                                                   const std::string& initial) {
  return FromQt(QFileDialog::getOpenFileName(parent_, Q(title), Q(initial), QtNameFilters(filter)));
}

std::optional<std::string> QtDialogs::SaveFileName(const std::string& title, const FileFilter& filter,
                                                   const std::string& initial) {
  // The program asks its own overwrite question (with its own caption) once a name is chosen.
  return FromQt(QFileDialog::getSaveFileName(parent_, Q(title), Q(initial), QtNameFilters(filter), nullptr,
                                             QFileDialog::DontConfirmOverwrite));
}

std::optional<std::string> QtDialogs::FolderName(const std::string& title, const std::string& initial) {
  return FromQt(QFileDialog::getExistingDirectory(parent_, Q(title), Q(initial)));
}

std::optional<int> QtDialogs::Colour(int initial_bgr) {
  const QColor initial(initial_bgr & 0xFF, (initial_bgr >> 8) & 0xFF, (initial_bgr >> 16) & 0xFF);
  const QColor c = QColorDialog::getColor(initial, parent_);
  if (!c.isValid()) return std::nullopt;
  return c.red() | (c.green() << 8) | (c.blue() << 16);
}

std::optional<std::string> QtDialogs::InputText(const std::string& caption, const std::string& prompt,
                                                const std::string& initial) {
  bool ok = false;
  const QString s = QInputDialog::getText(parent_, Q(caption), Q(prompt), QLineEdit::Normal, Q(initial), &ok);
  if (!ok) return std::nullopt;
  return s.toStdString();
}

}  // namespace kal::platform
