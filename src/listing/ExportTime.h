// Times of day as the exports read them from stored schedules, and moments built from them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/DateText.h"

namespace kal::listing {

// Minutes after midnight of a stored "hh:nn" (also "h:n"); hours 24 to 47 stand for the next
// day (24:30 is 00:30 of the day after). Nothing for a text that is not such a time.
std::optional<int> StoredMinutes(std::string_view text);

// A date and a time of day, minutes always 0..1439.
struct Moment {
  store::Date date{};
  int minutes = 0;
  friend bool operator==(const Moment&, const Moment&) = default;
  friend auto operator<=>(const Moment& a, const Moment& b) {
    if (auto c = store::DayNumber(a.date) <=> store::DayNumber(b.date); c != 0) return c;
    return a.minutes <=> b.minutes;
  }
};
// The moment `minutes` after midnight of `date` (negative or past a day: other days).
Moment MakeMoment(const store::Date& date, int minutes);

// "hh:nn" of a moment.
std::string MomentTime(const Moment& m);
// yyyymmdd"T"hhmmss"Z" of a local (Japan Standard Time) moment as universal time.
std::string UtcStampFromJst(const Moment& local);
// yyyymmdd.
std::string CompactDate(const store::Date& date);

}  // namespace kal::listing
