// Small pieces the pages of the settings dialog share.
#pragma once

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QString>

#include <string>
#include <vector>

#include "catalogues/QtIconArt.h"

namespace kal::catalogues {

inline constexpr const char* kProgramFilter = "プログラム|*.exe|すべてのファイル|*.*";
inline constexpr const char* kBitmapFilter = "ビットマップ|*.bmp";
inline constexpr const char* kSoundFilter = "サウンド|*.wav|すべてのファイル|*.*";
inline constexpr const char* kNoIconChosenMessage = "変更するアイコンを選択して下さい。";

// Date patterns offered by the pattern lists (the user may type any other).
inline const std::vector<std::string> kDatePatterns = {"未設定", "yyyy/mm/dd(aaa)", "yyyy年m月d日(aaaa)",
                                                       "ggge年m月d日(aaa)", "m月d日(aaa)"};

// A label before a control; its accelerator ("(&N)") is left out, a label having no key of its own.
inline QLabel* Caption(QWidget* parent, const char* text) {
  QString caption = QString::fromUtf8(text);
  const int amp = caption.indexOf(QStringLiteral("(&"));
  if (amp >= 0 && amp + 3 < caption.size() + 1) caption.remove(amp, 4);
  return new QLabel(caption, parent);
}

// A sunken panel that shows a sample or a chosen value.
inline QLabel* SamplePanel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumWidth(120);
  return label;
}

// A blue-green-red colour.
inline QColor Bgr(int value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

// "name 9pt" of a font setting (name, size, style).
inline std::string FontText(const std::vector<std::string>& font) {
  if (font.empty()) return "";
  return font[0] + (font.size() > 1 ? " " + font[1] + "pt" : "");
}

inline QIcon TodoStateIcon(std::size_t state) { return QIcon(TodoStatePixmap(static_cast<int>(state) + 1)); }

}  // namespace kal::catalogues
