// What the two files of the schedule entry dialog share: small conversions between the form's
// values and the widgets.
#pragma once

#include <QComboBox>
#include <QDate>
#include <QSignalBlocker>
#include <QString>

#include <string>
#include <vector>

#include "store/DateText.h"

namespace kal::schedule::input_parts {

using store::Date;

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

inline QDate ToQDate(const Date& d) { return QDate(store::YearOf(d), store::MonthOf(d), store::DayOf(d)); }
inline Date FromQDate(const QDate& d) { return store::MakeDate(d.year(), d.month(), d.day()); }

inline void Fill(QComboBox* box, const std::vector<std::string>& items) {
  QSignalBlocker block(box);
  box->clear();
  for (const auto& i : items) box->addItem(Q(i));
}

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A text shown in an editable box only when it differs, so that typing keeps its cursor.
inline void SetText(QComboBox* box, const std::string& text) {
  if (box->currentText() != Q(text)) box->setEditText(Q(text));
}

}  // namespace kal::schedule::input_parts
