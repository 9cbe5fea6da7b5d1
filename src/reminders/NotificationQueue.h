// One notification window at a time, shared by alarms and the time signal, without losing an
// alarm: an alarm replaces a shown signal; an alarm that comes while another schedule's alarm is
// shown waits and is shown when that one closes; a later alarm of the same schedule (its start
// after its lead) takes the place of the earlier one, shown or waiting; a signal is shown only
// when no alarm is shown or waiting (it never replaces an alarm), and replaces an earlier signal.
#pragma once

#include <deque>
#include <optional>

#include "reminders/AlarmCheck.h"

namespace kal::reminders {

class NotificationQueue {
 public:
  enum class Showing { None, Alarm, Signal };

  // True: show the alarm now (closing the signal window, or the same schedule's earlier alarm).
  // False: it waits its turn.
  bool OfferAlarm(const AlarmNotice& notice);
  // True: show the signal now (closing an earlier signal window). False: an alarm is showing.
  bool OfferSignal();
  // The shown window has closed; the next waiting alarm to show, if any.
  std::optional<AlarmNotice> Closed();

  Showing showing() const { return showing_; }
  std::size_t waiting() const { return waiting_.size(); }

 private:
  Showing showing_ = Showing::None;
  std::optional<AlarmNotice> current_;  // the alarm shown
  std::deque<AlarmNotice> waiting_;
};

}  // namespace kal::reminders
