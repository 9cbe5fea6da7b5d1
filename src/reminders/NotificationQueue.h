// One notification window at a time, shared by alarms and the time signal, without losing an
// alarm: an alarm replaces a shown signal; an alarm that comes while another alarm is shown waits
// and is shown when that one closes; a signal is shown only when no alarm is shown or waiting
// (it never replaces an alarm), and replaces an earlier signal.
#pragma once

#include <deque>
#include <optional>

#include "reminders/AlarmCheck.h"

namespace kal::reminders {

class NotificationQueue {
 public:
  enum class Showing { None, Alarm, Signal };

  // True: show the alarm now (closing any signal window). False: it waits its turn.
  bool OfferAlarm(const AlarmNotice& notice);
  // True: show the signal now (closing an earlier signal window). False: an alarm is showing.
  bool OfferSignal();
  // The shown window has closed; the next waiting alarm to show, if any.
  std::optional<AlarmNotice> Closed();

  Showing showing() const { return showing_; }
  std::size_t waiting() const { return waiting_.size(); }

 private:
  Showing showing_ = Showing::None;
  std::deque<AlarmNotice> waiting_;
};

}  // namespace kal::reminders
