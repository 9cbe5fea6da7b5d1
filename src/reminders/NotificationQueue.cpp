#include "reminders/NotificationQueue.h"

namespace kal::reminders {

bool NotificationQueue::OfferAlarm(const AlarmNotice& notice) {
  if (showing_ == Showing::Alarm) {
    waiting_.push_back(notice);
    return false;
  }
  showing_ = Showing::Alarm;
  return true;
}

bool NotificationQueue::OfferSignal() {
  if (showing_ == Showing::Alarm || !waiting_.empty()) return false;
  showing_ = Showing::Signal;
  return true;
}

std::optional<AlarmNotice> NotificationQueue::Closed() {
  showing_ = Showing::None;
  if (waiting_.empty()) return std::nullopt;
  AlarmNotice next = waiting_.front();
  waiting_.pop_front();
  showing_ = Showing::Alarm;
  return next;
}

}  // namespace kal::reminders
