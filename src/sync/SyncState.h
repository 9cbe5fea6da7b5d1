// The sync state file "Sync.dat" in the program folder: what the last sync left behind, so that
// the next one can tell who changed what. The data files keep their own formats; the link
// between a schedule line and a server event lives only here.
//
// UTF-8 text, lines ended by LF, fields separated by TAB (backslash, TAB, CR and LF in a field
// written as \\, \t, \r, \n):
//
//   KalendorSync<TAB>1
//   calendar<TAB>server address<TAB>user<TAB>calendar path
//   E<TAB>UID<TAB>event path<TAB>ETag<TAB>local hash<TAB>yyyy/mm/dd<TAB>start<TAB>title
//   ...
//
// One E line per schedule that is on both sides: the event's UID, its path and the ETag the
// server last gave it, and the hash of the schedule line (with its memo) as it was when both
// sides agreed. Date, start and title of that line let a changed line find its entry again.
// A state of another server, user or calendar counts as no state.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kal::sync {

inline constexpr const char* kStateFileName = "Sync.dat";

struct StateEntry {
  std::string uid;
  std::string href;
  std::string etag;
  std::string hash;
  std::string date;   // yyyy/mm/dd
  std::string start;  // hh:nn or empty
  std::string title;

  friend bool operator==(const StateEntry&, const StateEntry&) = default;
};

struct SyncState {
  std::string url, user, calendar;
  std::vector<StateEntry> entries;

  friend bool operator==(const SyncState&, const SyncState&) = default;
};

std::string StatePath(const std::string& program_folder);

// The state file's bytes and back. A file that is not a state file (another first line, a line
// with too few fields) reads as no state: the next sync matches by content instead.
std::string StateText(const SyncState& state);
SyncState ParseState(const std::string& text);

// Reads the state; a missing file is no state. Throws store::FileError when it cannot be read.
SyncState LoadState(platform::FileSystem& fs, const std::string& program_folder);
// Writes the state atomically. Throws store::FileError.
void SaveState(platform::FileSystem& fs, const std::string& program_folder, const SyncState& state);

}  // namespace kal::sync
