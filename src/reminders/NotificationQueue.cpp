#include "reminders/NotificationQueue.h"

namespace kal::reminders {
namespace {

bool SameSchedule(const AlarmNotice& a, const AlarmNotice& b) { return a.date == b.date && a.line == b.line; }

}  // namespace

bool NotificationQueue::OfferAlarm(const AlarmNotice& notice) {
  if (showing_ == Showing::Alarm) {
    if (current_ && SameSchedule(*current_, notice)) {
      current_ = notice;
      return true;
    }
    for (auto& w : waiting_) {
      if (SameSchedule(w, notice)) {
        w = notice;
        return false;
      }
    }
    waiting_.push_back(notice);
    return false;
  }
  showing_ = Showing::Alarm;
  current_ = notice;
  return true;
}

bool NotificationQueue::OfferSignal() {
  if (showing_ == Showing::Alarm || !waiting_.empty()) return false;
  showing_ = Showing::Signal;
  current_.reset();
  return true;
}

std::optional<AlarmNotice> NotificationQueue::Closed() {
  showing_ = Showing::None;
  current_.reset();
  if (waiting_.empty()) return std::nullopt;
  AlarmNotice next = waiting_.front();
  waiting_.pop_front();
  showing_ = Showing::Alarm;
  current_ = next;
  return next;
}

}  // namespace kal::reminders
