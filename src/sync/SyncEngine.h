// One two-way sync of the schedules with a calendar on a CalDAV server.
//
// Each schedule line is one event on the server. The state file (SyncState.h) remembers, per
// pair, the event's UID, path and ETag and the hash of the line as it was when both sides
// agreed. A sync:
//  1. finds the calendar, reads the state (a state of another server, user or calendar counts as
//     none), every month file with its memos, and the server's listing;
//  2. plans: a line whose hash is in the state is unchanged here; a state entry without its line
//     takes an unclaimed line of the same date and title, else of the same date and start, else
//     of the same month and title (a changed line), else the line was deleted; an ETag other than
//     the state's means the event changed there, a path missing from the listing that it was
//     deleted. Events and lines that are in no state entry are paired when their contents are
//     equal (so a first sync, or a sync after the state file was lost, makes no duplicates);
//  3. carries out each change: pulls go into the month and detail files through the same store
//     as the schedule entry dialog (StoreSchedule, DaySchDel; every file written atomically, a
//     line found again by its bytes just before it is changed), pushes go to the server with
//     If-None-Match or If-Match. When both sides changed one entry, the server's version replaces
//     the line and the local version is kept first as a new schedule whose title ends in
//     "（競合）", which is pushed as a new event. A local change of an event deleted on the
//     server is pushed as a new event; a server change of a line deleted here comes back.
//  4. saves the state (also when the server stops answering half-way: what was done is kept, the
//     rest is done by the next sync).
// An event the data format cannot hold (a repetition, a span over 62 days, a text CP932 cannot
// hold) is left on the server untouched, as the calendar import refuses it, and reported.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "sync/CalDavServer.h"

namespace kal::sync {

enum class ChangeKind { PullAdd, PullChange, PullDelete, PushAdd, PushChange, PushDelete, Conflict };

struct SyncChange {
  ChangeKind kind = ChangeKind::PullAdd;
  std::string date;   // yyyy/mm/dd of the schedule
  std::string title;
};

struct SyncRequest {
  std::string url, user;
  std::string calendar;        // a calendar's display name or path; empty: the first one
  std::string program_folder;  // the state file
  std::string data_folder;     // month and detail files
  platform::LocalDateTime now; // local time
  bool dry_run = false;        // plan and report only: nothing is written anywhere
  // The UID of a new event; empty: a random one.
  std::function<std::string()> new_uid;
  // Progress for a status bar: a short Japanese text.
  std::function<void(const std::string&)> progress;
};

struct SyncReport {
  std::vector<SyncChange> changes;   // in the order they were made
  std::vector<std::string> notices;  // what was left alone and why (Japanese, one per entry)
  int pulled = 0, pushed = 0, conflicts = 0;
  std::string error;                 // the sync stopped: the message for the user
  bool login_refused = false;
  bool completed() const { return error.empty(); }
};

inline constexpr const char* kSyncCaption = "同期";
inline constexpr const char* kConflictMark = "（競合）";
inline constexpr const char* kLoginRefusedMessage =
    "サーバーにログインできません。ユーザー名とパスワードを確かめて下さい。";
inline constexpr const char* kServerFailedMessage = "サーバーとの同期に失敗しました。";
inline constexpr const char* kNoCalendarMessage = "サーバーに同期するカレンダーが見つかりません。";

// Runs one sync. Server failures end up in `error` (with the server's answer); a data file that
// cannot be read stops the sync before anything is written (store::FileError is thrown).
SyncReport RunSync(platform::FileSystem& fs, platform::Dialogs& dialogs, CalDavServer& server,
                   const SyncRequest& request);

// "pull", "push" or "conflict", and "add", "change", "delete" (empty for a conflict).
std::string DirectionText(ChangeKind kind);
std::string ActionText(ChangeKind kind);
// The status-bar text of a finished sync: "同期しました（取得 n 件、送信 n 件、競合 n 件）".
std::string SummaryText(const SyncReport& report);

// The hash the state keeps for a schedule line of month "yyyymm" with its memo (the detail number
// left out, so that a memo stored again under another number is the same schedule).
std::string LineHash(const std::string& month_stem, const std::string& line, const std::vector<std::string>& memo);

}  // namespace kal::sync
