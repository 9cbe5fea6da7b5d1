// Schedule lines and clock readings for the reminder tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/Clock.h"
#include "store/DateText.h"
#include "store/ScheduleFile.h"

namespace kal::test {

// A schedule line on `day` starting at `start` with the two alarm codes.
inline std::string AlarmLine(int day, const std::string& start, int alarm1, int alarm2, const std::string& title,
                             const std::string& category = "", const std::string& place = "",
                             const std::string& link = "") {
  store::ScheduleFields f;
  f.day = day;
  f.start = start;
  f.end = start.empty() ? "" : "23:59";
  f.alarm1 = alarm1;
  f.alarm2 = alarm2;
  f.title = title;
  f.category = category;
  f.place = place;
  f.link = link;
  store::BuildResult r = store::BuildScheduleLine(f);
  EXPECT_TRUE(r.ok) << r.message;
  return r.line;
}

inline platform::LocalDateTime At(int y, int mo, int d, int h, int mi, int s = 0) {
  platform::LocalDateTime t;
  t.date = store::MakeDate(y, mo, d);
  t.hour = h;
  t.minute = mi;
  t.second = s;
  return t;
}

inline int Minute(int h, int m) { return h * 60 + m; }

}  // namespace kal::test
