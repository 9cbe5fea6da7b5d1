#include "platform/QtShell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

#include <algorithm>

namespace kal::platform {

namespace {

bool LooksLikeAddress(const QString& target) {
  static const QStringList schemes = {QStringLiteral("http:"), QStringLiteral("https:"), QStringLiteral("ftp:"),
                                      QStringLiteral("mailto:"), QStringLiteral("file:")};
  for (const auto& s : schemes) {
    if (target.startsWith(s, Qt::CaseInsensitive)) return true;
  }
  return false;
}

// The default desktop entry for a MIME type from the mimeapps.list files, in XDG order.
QString DefaultDesktopEntry(const QString& mime) {
  QStringList lists;
  for (const auto& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
    lists << dir + QStringLiteral("/mimeapps.list");
  }
  for (const auto& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
    lists << dir + QStringLiteral("/mimeapps.list") << dir + QStringLiteral("/defaults.list");
  }
  for (const auto& path : lists) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
    QTextStream in(&f);
    bool in_defaults = false;
    while (!in.atEnd()) {
      const QString line = in.readLine().trimmed();
      if (line.startsWith(QLatin1Char('['))) {
        in_defaults = line == QStringLiteral("[Default Applications]");
        continue;
      }
      if (!in_defaults) continue;
      const qsizetype eq = line.indexOf(QLatin1Char('='));
      if (eq <= 0 || line.left(eq).trimmed() != mime) continue;
      const QStringList entries = line.mid(eq + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
      if (!entries.isEmpty()) return entries.front().trimmed();
    }
  }
  return {};
}

// The program of a desktop entry's Exec line (its first word, quotes removed).
QString ExecProgram(const QString& desktop_entry) {
  const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktop_entry);
  if (path.isEmpty()) return {};
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&f);
  bool in_entry = false;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(QLatin1Char('['))) {
      in_entry = line == QStringLiteral("[Desktop Entry]");
      continue;
    }
    if (!in_entry || !line.startsWith(QStringLiteral("Exec="))) continue;
    QString exec = line.mid(5).trimmed();
    QString program;
    if (exec.startsWith(QLatin1Char('"'))) {
      program = exec.mid(1, exec.indexOf(QLatin1Char('"'), 1) - 1);
    } else {
      program = exec.section(QLatin1Char(' '), 0, 0);
    }
    return QStandardPaths::findExecutable(program);
  }
  return {};
}

}  // namespace

bool QtShell::Open(const std::string& target) {
  const QString t = QString::fromStdString(target);
  if (t.isEmpty()) return false;
  if (LooksLikeAddress(t)) return QDesktopServices::openUrl(QUrl(t));
  QFileInfo info(t);
  if (!info.exists()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

std::optional<std::string> QtShell::AssociatedProgram(const std::string& document) {
  const QString doc = QString::fromStdString(document);
  const QMimeType mime = QMimeDatabase().mimeTypeForFile(doc);
  if (!mime.isValid()) return std::nullopt;
  QStringList names = {mime.name()};
  names << mime.parentMimeTypes();
  for (const auto& name : names) {
    const QString entry = DefaultDesktopEntry(name);
    if (entry.isEmpty()) continue;
    const QString program = ExecProgram(entry);
    if (!program.isEmpty()) return program.toStdString();
  }
  return std::nullopt;
}

QtSound::QtSound(Processes& processes, std::vector<std::string> players)
    : processes_(processes), players_(std::move(players)) {}

bool QtSound::Play(const std::string& file) {
  // Reap players that have finished.
  playing_.erase(std::remove_if(playing_.begin(), playing_.end(), [&](long h) { return !processes_.Running(h); }),
                 playing_.end());
  const QFileInfo info(QString::fromStdString(file));
  if (!info.isFile() || !info.isReadable()) return false;
  for (const auto& player : players_) {
    const QString exe = QStandardPaths::findExecutable(QString::fromStdString(player));
    if (exe.isEmpty()) continue;
    const long handle = processes_.Start(exe.toStdString(), {info.absoluteFilePath().toStdString()});
    if (handle > 0) {
      playing_.push_back(handle);
      return true;
    }
  }
  return false;
}

void QtSound::Beep() { QApplication::beep(); }

}  // namespace kal::platform
