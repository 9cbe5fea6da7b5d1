#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/Clock.h"
#include "store/DateText.h"

namespace kal::platform {
namespace {

// Runs with the process's time zone set to `zone`, restoring the old one afterwards.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) {
      old_ = old;
      had_ = true;
    }
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (had_)
      setenv("TZ", old_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::string old_;
  bool had_ = false;
};

TEST(Clock, ToUtcFollowsTheSystemZone) {
  {
    ZoneGuard tokyo("Asia/Tokyo");
    const LocalDateTime utc = ToUtc({store::MakeDate(2024, 5, 3), 7, 30, 15});
    EXPECT_EQ(store::DateText(utc.date), "2024/05/02");
    EXPECT_EQ(utc.hour, 22);
    EXPECT_EQ(utc.minute, 30);
    EXPECT_EQ(utc.second, 15);
  }
  {
    ZoneGuard berlin("Europe/Berlin");  // summer time: two hours ahead
    const LocalDateTime utc = ToUtc({store::MakeDate(2024, 7, 1), 1, 0, 0});
    EXPECT_EQ(store::DateText(utc.date), "2024/06/30");
    EXPECT_EQ(utc.hour, 23);
  }
}

}  // namespace
}  // namespace kal::platform
