#include "reminders/NotificationQueue.h"

#include <gtest/gtest.h>

namespace kal::reminders {
namespace {

AlarmNotice Notice(const std::string& title, int lead = 10) {
  AlarmNotice n;
  n.title = title;
  n.line = "line of " + title;
  n.lead = lead;
  return n;
}

TEST(NotificationQueue, AlarmsWaitForEachOtherAndSignalsNeverReplaceThem) {
  NotificationQueue q;
  EXPECT_TRUE(q.OfferSignal());  // nothing shown: the signal shows
  EXPECT_TRUE(q.OfferAlarm(Notice("一")));  // replaces the signal
  EXPECT_FALSE(q.OfferAlarm(Notice("二")));  // waits
  EXPECT_FALSE(q.OfferAlarm(Notice("三")));
  EXPECT_FALSE(q.OfferSignal());  // an alarm is showing
  EXPECT_EQ(q.waiting(), 2u);
  EXPECT_EQ(q.Closed()->title, "二");
  EXPECT_EQ(q.showing(), NotificationQueue::Showing::Alarm);
  EXPECT_EQ(q.Closed()->title, "三");
  EXPECT_FALSE(q.Closed().has_value());
  EXPECT_EQ(q.showing(), NotificationQueue::Showing::None);
  EXPECT_TRUE(q.OfferSignal());
  EXPECT_TRUE(q.OfferSignal());  // a new signal replaces the old one
}

TEST(NotificationQueue, ALaterAlarmOfTheSameScheduleTakesThePlaceOfTheEarlierOne) {
  NotificationQueue q;
  EXPECT_TRUE(q.OfferAlarm(Notice("一", 10)));
  EXPECT_FALSE(q.OfferAlarm(Notice("二", 10)));
  EXPECT_TRUE(q.OfferAlarm(Notice("一", 0)));   // shown: replaced at once
  EXPECT_FALSE(q.OfferAlarm(Notice("二", 0)));  // waiting: replaced in its place
  EXPECT_EQ(q.waiting(), 1u);
  const auto next = q.Closed();
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->title, "二");
  EXPECT_EQ(next->lead, 0);
}

}  // namespace
}  // namespace kal::reminders
