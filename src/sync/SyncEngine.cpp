#include "sync/SyncEngine.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <functional>

#include "import/CalendarImport.h"
#include "import/ScheduleValues.h"
#include "listing/ExportRows.h"
#include "listing/ICalendarExport.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "sync/SyncState.h"

namespace kal::sync {
namespace {

using store::Date;

constexpr std::size_t kTitleBytes = 40;

std::string Hex64(std::uint64_t h) {
  char buf[20];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

std::string RandomUid() {
  std::random_device device;
  std::string out;
  for (int i = 0; i < 4; ++i) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "%08x", static_cast<unsigned>(device()));
    out += buf;
  }
  return out + "@kalendor";
}

std::string MonthStem(int year, int month) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "%04d%02d", year, month);
  return buf;
}

// What a schedule says that an event can carry too: the contents compared when a line and an
// event are paired without a state entry.
struct Content {
  Date date{};
  int span = 0;
  std::string start, end, title, place, category;
  std::vector<std::string> memo;
  friend bool operator==(const Content&, const Content&) = default;
};

std::vector<std::string> TrimmedMemo(std::vector<std::string> memo) {
  while (!memo.empty() && store::Trim(memo.back()).empty()) memo.pop_back();
  return memo;
}

Content ContentOf(const Date& date, const store::ScheduleFields& f, const std::vector<std::string>& memo) {
  return {date, f.span > 1 ? f.span : 0, f.start, f.end, f.title, f.place, f.category, TrimmedMemo(memo)};
}

// A schedule line of the data folder.
struct Local {
  int year = 0, month = 0;
  std::string line;
  std::vector<std::string> memo;
  store::ScheduleFields fields;
  Date date{};
  std::string hash;
  bool claimed = false;

  Content content() const { return ContentOf(date, fields, memo); }
  std::string date_text() const { return store::DateText(date); }
};

Local MakeLocal(int year, int month, const std::string& line, std::vector<std::string> memo) {
  Local l;
  l.year = year;
  l.month = month;
  l.line = line;
  l.memo = std::move(memo);
  l.fields = store::ReadScheduleLine(line);
  l.date = store::MakeDate(year, month, l.fields.day);
  l.hash = LineHash(MonthStem(year, month), line, l.memo);
  return l;
}

// An event of the server as the sync takes it.
struct Remote {
  enum class Kind { Schedule, Refused, Other } kind = Kind::Other;
  std::string href, etag, uid;
  import::ScheduleValues values;
  std::string summary;  // for a refusal's notice
  std::string reason;

  Content content() const { return ContentOf(values.date, values.fields, values.memo); }
};

// The UID of an iCalendar text (its lines unfolded); empty when it has none.
std::string UidOf(const std::string& body) {
  std::string unfolded;
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\r' && i + 2 < body.size() && body[i + 1] == '\n' && (body[i + 2] == ' ' || body[i + 2] == '\t')) {
      i += 2;
      continue;
    }
    if (body[i] == '\n' && i + 1 < body.size() && (body[i + 1] == ' ' || body[i + 1] == '\t')) {
      i += 1;
      continue;
    }
    unfolded += body[i];
  }
  for (const std::string& line : store::SplitLines(unfolded)) {
    if (line.rfind("UID", 0) != 0 || line.size() < 4 || (line[3] != ':' && line[3] != ';')) continue;
    const auto colon = line.find(':');
    if (colon != std::string::npos) return line.substr(colon + 1);
  }
  return {};
}

Remote ReadRemote(const std::string& href, const FetchedEvent& fetched) {
  Remote r;
  r.href = href;
  r.etag = fetched.etag;
  r.uid = UidOf(fetched.body);
  const import::CalendarReadResult read = import::ReadICalendar(fetched.body);
  if (read.events.empty()) return r;  // a ToDo item, a journal: not a schedule
  const import::CalendarEvent& event = read.events.front();
  r.summary = event.summary;
  if (read.events.size() > 1) {
    r.kind = Remote::Kind::Refused;
    r.reason = import::kRepeatingRefusal;
    return r;
  }
  auto converted = import::ScheduleOfEvent(event);
  if (auto* refusal = std::get_if<import::ScheduleRefusal>(&converted)) {
    r.kind = Remote::Kind::Refused;
    r.reason = refusal->reason;
    return r;
  }
  r.values = std::get<import::ScheduleValues>(converted);
  // The texts as a line holds them (cut to their widths); a character CP932 cannot hold refuses.
  const store::BuildResult built = store::BuildScheduleLine(r.values.fields);
  if (!built) {
    r.kind = Remote::Kind::Refused;
    r.reason = built.message;
    return r;
  }
  const store::ScheduleFields back = store::ReadScheduleLine(built.line);
  r.values.fields.title = back.title;
  r.values.fields.place = back.place;
  r.values.fields.category = back.category;
  std::string bad;
  if (!store::MemoIsEmpty(r.values.memo) && !store::BuildDetailLine(0, r.values.memo, &bad)) {
    r.kind = Remote::Kind::Refused;
    r.reason = store::UnencodableMessage(store::kMemoName, bad);
    return r;
  }
  r.kind = Remote::Kind::Schedule;
  return r;
}

std::string RemoteDate(const Remote& r) {
  return r.kind == Remote::Kind::Schedule ? store::DateText(r.values.date) : std::string();
}

listing::ScheduleItem ItemOf(const Local& l) {
  listing::ScheduleItem item;
  item.date = l.date;
  item.span = l.fields.span;
  item.start = l.fields.start;
  item.end = l.fields.end;
  item.title = l.fields.title;
  item.place = l.fields.place;
  item.category = l.fields.category;
  item.alarm1 = l.fields.alarm1;
  item.memo = TrimmedMemo(l.memo);
  return item;
}

StateEntry EntryOf(const Local& l, const std::string& uid, const std::string& href, const std::string& etag) {
  return {uid, href, etag, l.hash, l.date_text(), l.fields.start, l.fields.title};
}

enum class Side { Unchanged, Changed, Deleted };

struct Pair {
  StateEntry state;
  Local* local = nullptr;
  Side here = Side::Unchanged;
  Side there = Side::Unchanged;
  std::string listed_etag;
};

class Sync {
 public:
  Sync(platform::FileSystem& fs, platform::Dialogs& dialogs, CalDavServer& server, const SyncRequest& request)
      : fs_(fs), dialogs_(dialogs), server_(server), request_(request) {}

  SyncReport Run();

 private:
  void Progress(const std::string& text) {
    if (request_.progress) request_.progress(text);
  }
  void Step() {
    ++done_;
    Progress("同期中… (" + std::to_string(done_) + "/" + std::to_string(total_) + ")");
  }
  std::string NewUid() { return request_.new_uid ? request_.new_uid() : RandomUid(); }
  std::string CalendarHref();
  void LoadLocals();
  std::optional<Remote> Fetch(const std::string& href);
  void Record(ChangeKind kind, const std::string& date, const std::string& title);
  void Notice(const std::string& text) { report_.notices.push_back(text); }
  void RefusedNotice(const Remote& r) {
    Notice("サーバーの予定「" + r.summary + "」は取り込めません: " + r.reason);
  }

  // The month file's current index of a line, found by its bytes; nothing when it is gone.
  std::optional<std::size_t> FindLine(const Local& l);
  // Stores the server's version as a new schedule or in place of `old`; the stored line.
  std::optional<Local> StoreRemote(const Remote& r, const Local* old);
  std::optional<Local> StoreLocalCopy(const Local& l);
  bool DeleteLocal(const Local& l);
  void PushNew(Local& l, bool record);

  void Handle(Pair& p);
  void Save() {
    if (request_.dry_run) return;
    state_.entries.clear();
    for (auto& [href, entry] : entries_) state_.entries.push_back(entry);
    // A sync that changed nothing leaves the file as it is.
    const platform::ReadResult current = fs_.Read(StatePath(request_.program_folder));
    if (current.ok() && current.bytes == StateText(state_)) return;
    SaveState(fs_, request_.program_folder, state_);
  }

  platform::FileSystem& fs_;
  platform::Dialogs& dialogs_;
  CalDavServer& server_;
  const SyncRequest& request_;
  SyncReport report_;
  SyncState state_;
  std::string calendar_;
  std::vector<Local> locals_;
  std::map<std::string, StateEntry> entries_;  // the state being built, by event path
  int done_ = 0, total_ = 0;
};

std::string Sync::CalendarHref() {
  const std::vector<CalendarInfo> calendars = server_.Calendars();
  for (const CalendarInfo& c : calendars) {
    if (request_.calendar.empty()) return c.href;
    std::string last = c.href;
    while (!last.empty() && last.back() == '/') last.pop_back();
    last = last.substr(last.rfind('/') + 1);
    if (c.display_name == request_.calendar || c.href == request_.calendar || last == request_.calendar) return c.href;
  }
  return {};
}

void Sync::LoadLocals() {
  for (const std::string& name : fs_.List(request_.data_folder, "*.sch")) {
    if (name.size() != 10 || name.substr(6) != ".sch" ||
        !std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    const int year = std::stoi(name.substr(0, 4)), month = std::stoi(name.substr(4, 2));
    if (month < 1 || month > 12) continue;
    const std::vector<std::string> lines = store::LoadLines(fs_, store::MonthFilePath(request_.data_folder, year, month));
    std::optional<std::vector<std::string>> details;
    for (const std::string& line : lines) {
      const int day = store::Day(line);
      if (day == 0 || !store::MakeDate(year, month, day).ok()) continue;  // a damaged line stays as it is
      std::vector<std::string> memo;
      if (const int number = store::DetailNumber(line); number > 0) {
        if (!details) details = store::LoadLines(fs_, store::DetailFilePath(request_.data_folder, year, month));
        memo = store::DetailMemo(*details, number);
      }
      locals_.push_back(MakeLocal(year, month, line, std::move(memo)));
    }
  }
}

std::optional<Remote> Sync::Fetch(const std::string& href) {
  std::optional<FetchedEvent> fetched = server_.Get(href);
  if (!fetched) return std::nullopt;
  return ReadRemote(href, *fetched);
}

void Sync::Record(ChangeKind kind, const std::string& date, const std::string& title) {
  report_.changes.push_back({kind, date, title});
  switch (kind) {
    case ChangeKind::PullAdd:
    case ChangeKind::PullChange:
    case ChangeKind::PullDelete: ++report_.pulled; break;
    case ChangeKind::Conflict: ++report_.conflicts; break;
    default: ++report_.pushed;
  }
}

std::optional<std::size_t> Sync::FindLine(const Local& l) {
  const std::vector<std::string> lines = store::LoadLines(fs_, store::MonthFilePath(request_.data_folder, l.year, l.month));
  const auto it = std::find(lines.begin(), lines.end(), l.line);
  if (it == lines.end()) return std::nullopt;
  return static_cast<std::size_t>(it - lines.begin());
}

std::optional<Local> Sync::StoreRemote(const Remote& r, const Local* old) {
  store::StoreRequest req;
  req.folder = request_.data_folder;
  req.date = r.values.date;
  req.fields = r.values.fields;
  req.memo = r.values.memo;
  req.memo_changed = true;
  if (old != nullptr) {
    const auto index = FindLine(*old);
    if (!index) {
      Notice("「" + old->fields.title + "」はこの同期の間に変更されたため、次の同期で反映します。");
      return std::nullopt;
    }
    req.old = store::OldSchedule{old->year, old->month, *index, old->line};
    // What an event cannot carry stays as the user set it.
    const store::ScheduleFields& was = old->fields;
    req.fields.font_style = was.font_style;
    req.fields.line_style = was.line_style;
    req.fields.alarm1 = was.alarm1;
    req.fields.alarm2 = was.alarm2;
    req.fields.text_colour = was.text_colour;
    req.fields.bar_colour = was.bar_colour;
    req.fields.bar_style = was.bar_style;
    req.fields.link = was.link;
  } else {
    req.fields.bar_style = 0;
  }
  const store::StoreOutcome outcome = store::StoreSchedule(fs_, dialogs_, req);
  if (outcome.status != store::StoreStatus::Stored) {
    Notice("サーバーの予定「" + r.values.fields.title + "」は保存できません: " + outcome.message);
    return std::nullopt;
  }
  const int year = store::YearOf(r.values.date), month = store::MonthOf(r.values.date);
  const std::vector<std::string> lines = store::LoadLines(fs_, store::MonthFilePath(request_.data_folder, year, month));
  const std::string& line = lines.at(outcome.index);
  std::vector<std::string> memo;
  if (const int number = store::DetailNumber(line); number > 0)
    memo = store::ReadDetail(fs_, request_.data_folder, year, month, number);
  return MakeLocal(year, month, line, std::move(memo));
}

std::optional<Local> Sync::StoreLocalCopy(const Local& l) {
  Remote copy;
  copy.values.date = l.date;
  copy.values.fields = l.fields;
  copy.values.fields.detail = 0;
  copy.values.fields.title = store::CutUtf8ToWidth(l.fields.title, kTitleBytes - 8) + kConflictMark;
  copy.values.memo = l.memo;
  store::StoreRequest req;
  req.folder = request_.data_folder;
  req.date = l.date;
  req.fields = copy.values.fields;
  req.memo = l.memo;
  req.memo_changed = true;
  const store::StoreOutcome outcome = store::StoreSchedule(fs_, dialogs_, req);
  if (outcome.status != store::StoreStatus::Stored) return std::nullopt;
  const std::vector<std::string> lines = store::LoadLines(fs_, store::MonthFilePath(request_.data_folder, l.year, l.month));
  const std::string& line = lines.at(outcome.index);
  std::vector<std::string> memo;
  if (const int number = store::DetailNumber(line); number > 0)
    memo = store::ReadDetail(fs_, request_.data_folder, l.year, l.month, number);
  return MakeLocal(l.year, l.month, line, std::move(memo));
}

bool Sync::DeleteLocal(const Local& l) {
  const auto index = FindLine(l);
  if (!index) return true;  // already gone
  return store::DaySchDel(fs_, dialogs_, request_.data_folder, l.year, l.month, *index, l.line, false) ==
         store::DeleteStatus::Deleted;
}

// A line the server does not have yet: a new event under a new UID.
void Sync::PushNew(Local& l, bool record) {
  if (request_.dry_run) {
    if (record) Record(ChangeKind::PushAdd, l.date_text(), l.fields.title);
    return;
  }
  const std::string uid = NewUid();
  std::string name = uid;
  std::replace_if(name.begin(), name.end(), [](char c) { return c == '/' || c == '@'; }, '-');
  const std::string href = calendar_ + name + ".ics";
  const std::string etag =
      server_.Put(href, listing::ScheduleEventICalendar(ItemOf(l), uid, platform::ToUtc(request_.now)), std::nullopt);
  entries_[href] = EntryOf(l, uid, href, etag);
  if (record) Record(ChangeKind::PushAdd, l.date_text(), l.fields.title);
}

void Sync::Handle(Pair& p) {
  StateEntry& entry = entries_[p.state.href];
  Local* l = p.local;
  const bool dry = request_.dry_run;
  auto drop = [&] { entries_.erase(p.state.href); };

  if (p.there == Side::Unchanged) {
    if (p.here == Side::Unchanged) return;
    if (p.here == Side::Changed) {
      if (!dry) {
        const std::string etag = server_.Put(
            entry.href, listing::ScheduleEventICalendar(ItemOf(*l), entry.uid, platform::ToUtc(request_.now)), entry.etag);
        entry = EntryOf(*l, entry.uid, entry.href, etag);
      }
      Record(ChangeKind::PushChange, l->date_text(), l->fields.title);
    } else {
      if (!dry) server_.Delete(entry.href, entry.etag);
      drop();
      Record(ChangeKind::PushDelete, p.state.date, p.state.title);
    }
    return;
  }

  if (p.there == Side::Deleted) {
    if (p.here == Side::Unchanged) {
      if (!dry && !DeleteLocal(*l)) return;
      drop();
      Record(ChangeKind::PullDelete, l->date_text(), l->fields.title);
    } else if (p.here == Side::Changed) {
      // Changed here, deleted there: the change is kept and goes back as a new event.
      drop();
      PushNew(*l, true);
    } else {
      drop();
    }
    return;
  }

  // Changed on the server.
  const std::optional<Remote> remote = Fetch(p.state.href);
  if (!remote) {  // deleted since the listing: the next sync sees it gone
    return;
  }
  if (remote->kind == Remote::Kind::Refused) {
    RefusedNotice(*remote);
    return;
  }
  if (remote->kind == Remote::Kind::Other) return;
  if (p.here == Side::Deleted) {
    // Deleted here, changed there: the server's version comes back.
    if (!dry) {
      auto stored = StoreRemote(*remote, nullptr);
      if (!stored) return;
      entry = EntryOf(*stored, remote->uid, entry.href, remote->etag);
    }
    Record(ChangeKind::PullAdd, RemoteDate(*remote), remote->values.fields.title);
    return;
  }
  if (remote->content() == l->content()) {  // both sides say the same
    if (!dry) entry = EntryOf(*l, entry.uid, entry.href, remote->etag);
    return;
  }
  if (p.here == Side::Unchanged) {
    if (!dry) {
      auto stored = StoreRemote(*remote, l);
      if (!stored) return;
      entry = EntryOf(*stored, remote->uid.empty() ? entry.uid : remote->uid, entry.href, remote->etag);
    }
    Record(ChangeKind::PullChange, RemoteDate(*remote), remote->values.fields.title);
    return;
  }
  // Changed on both sides: the server's version wins; the local one is kept as a new schedule
  // (stored before the line is replaced, so that nothing is lost on the way) and pushed.
  Record(ChangeKind::Conflict, l->date_text(), l->fields.title);
  if (dry) return;
  std::optional<Local> copy = StoreLocalCopy(*l);
  if (!copy) {
    Notice("「" + l->fields.title + "」の競合した内容を保存できないため、次の同期まで残します。");
    return;
  }
  auto stored = StoreRemote(*remote, l);
  if (stored) entry = EntryOf(*stored, remote->uid.empty() ? entry.uid : remote->uid, entry.href, remote->etag);
  PushNew(*copy, false);
}

SyncReport Sync::Run() {
  Progress("同期中… カレンダーを探しています");
  try {
    calendar_ = CalendarHref();
    if (calendar_.empty()) {
      report_.error = kNoCalendarMessage;
      return report_;
    }
    if (calendar_.back() != '/') calendar_ += '/';
  } catch (const ServerError& e) {
    report_.login_refused = e.refused_login();
    report_.error = std::string(e.refused_login() ? kLoginRefusedMessage : kServerFailedMessage) + "\n" + e.what();
    return report_;
  }

  state_ = LoadState(fs_, request_.program_folder);
  if (state_.url != request_.url || state_.user != request_.user || state_.calendar != calendar_) state_ = {};
  state_.url = request_.url;
  state_.user = request_.user;
  state_.calendar = calendar_;
  LoadLocals();
  for (const StateEntry& e : state_.entries) entries_[e.href] = e;

  try {
    Progress("同期中… 予定の一覧を読んでいます");
    std::map<std::string, std::string> listing;  // path -> ETag
    for (const EventRef& ref : server_.ListEvents(calendar_)) listing[ref.href] = ref.etag;

    // This side: unchanged lines by their hash, then changed lines by date, start and title.
    std::vector<Pair> pairs;
    for (const StateEntry& e : state_.entries) pairs.push_back(Pair{e, nullptr, Side::Unchanged, Side::Unchanged, {}});
    std::map<std::string, std::vector<Local*>> by_hash;
    for (Local& l : locals_) by_hash[l.hash].push_back(&l);
    for (Pair& p : pairs) {
      auto it = by_hash.find(p.state.hash);
      if (it == by_hash.end()) continue;
      for (Local* l : it->second) {
        if (!l->claimed) {
          l->claimed = true;
          p.local = l;
          break;
        }
      }
    }
    std::set<std::string> state_hashes;
    for (const StateEntry& e : state_.entries) state_hashes.insert(e.hash);
    const std::function<bool(const Pair&, const Local&)> rules[] = {
        [](const Pair& p, const Local& l) { return l.date_text() == p.state.date && l.fields.title == p.state.title; },
        [](const Pair& p, const Local& l) { return l.date_text() == p.state.date && l.fields.start == p.state.start; },
        [](const Pair& p, const Local& l) {
          return l.date_text().substr(0, 7) == p.state.date.substr(0, 7) && l.fields.title == p.state.title;
        },
    };
    for (const auto& rule : rules) {
      for (Pair& p : pairs) {
        if (p.local) continue;
        for (Local& l : locals_) {
          if (l.claimed || state_hashes.count(l.hash) || !rule(p, l)) continue;
          l.claimed = true;
          p.local = &l;
          p.here = Side::Changed;
          break;
        }
      }
    }
    for (Pair& p : pairs) {
      if (!p.local) p.here = Side::Deleted;
      const auto it = listing.find(p.state.href);
      if (it == listing.end()) {
        p.there = Side::Deleted;
      } else {
        p.listed_etag = it->second;
        p.there = it->second == p.state.etag ? Side::Unchanged : Side::Changed;
        listing.erase(it);
      }
    }
    std::vector<Local*> added_here;
    for (Local& l : locals_)
      if (!l.claimed) added_here.push_back(&l);

    total_ = static_cast<int>(std::count_if(pairs.begin(), pairs.end(), [](const Pair& p) {
               return p.here != Side::Unchanged || p.there != Side::Unchanged;
             })) + static_cast<int>(listing.size() + added_here.size());

    for (Pair& p : pairs) {
      if (p.here == Side::Unchanged && p.there == Side::Unchanged) continue;
      Handle(p);
      Step();
    }
    // Events new on the server: the same contents as a new line pair up, the rest comes here.
    for (const auto& [href, etag] : listing) {
      const std::optional<Remote> remote = Fetch(href);
      Step();
      if (!remote || remote->kind == Remote::Kind::Other) continue;
      if (remote->kind == Remote::Kind::Refused) {
        RefusedNotice(*remote);
        continue;
      }
      const Content content = remote->content();
      auto same = std::find_if(added_here.begin(), added_here.end(),
                               [&](Local* l) { return !l->claimed && l->content() == content; });
      if (same != added_here.end()) {
        (*same)->claimed = true;
        if (!request_.dry_run) entries_[href] = EntryOf(**same, remote->uid, href, remote->etag);
        continue;
      }
      if (!request_.dry_run) {
        auto stored = StoreRemote(*remote, nullptr);
        if (!stored) continue;
        entries_[href] = EntryOf(*stored, remote->uid, href, remote->etag);
      }
      Record(ChangeKind::PullAdd, RemoteDate(*remote), remote->values.fields.title);
    }
    // Lines new here.
    for (Local* l : added_here) {
      if (l->claimed) continue;
      PushNew(*l, true);
      Step();
    }
    // A server that answers a PUT without an ETag: the listing gives it.
    if (!request_.dry_run &&
        std::any_of(entries_.begin(), entries_.end(), [](const auto& e) { return e.second.etag.empty(); })) {
      for (const EventRef& ref : server_.ListEvents(calendar_)) {
        auto it = entries_.find(ref.href);
        if (it != entries_.end() && it->second.etag.empty()) it->second.etag = ref.etag;
      }
    }
  } catch (const ServerError& e) {
    report_.login_refused = e.refused_login();
    report_.error = std::string(e.refused_login() ? kLoginRefusedMessage : kServerFailedMessage) + "\n" + e.what();
  } catch (const store::FileError& e) {
    report_.error = e.what();
  }
  Save();
  return report_;
}

}  // namespace

std::string LineHash(const std::string& month_stem, const std::string& line, const std::vector<std::string>& memo) {
  std::string key = month_stem + '\x1e';
  std::string body = line;
  if (body.size() >= 113) body.replace(110, 3, "   ");
  key += body;
  for (const std::string& m : TrimmedMemo(memo)) key += '\x1f' + m;
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : key) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return Hex64(h);
}

SyncReport RunSync(platform::FileSystem& fs, platform::Dialogs& dialogs, CalDavServer& server,
                   const SyncRequest& request) {
  return Sync(fs, dialogs, server, request).Run();
}

std::string DirectionText(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::PullAdd:
    case ChangeKind::PullChange:
    case ChangeKind::PullDelete: return "pull";
    case ChangeKind::Conflict: return "conflict";
    default: return "push";
  }
}

std::string ActionText(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::PullAdd:
    case ChangeKind::PushAdd: return "add";
    case ChangeKind::PullChange:
    case ChangeKind::PushChange: return "change";
    case ChangeKind::PullDelete:
    case ChangeKind::PushDelete: return "delete";
    case ChangeKind::Conflict: return "";
  }
  return "";
}

std::string SummaryText(const SyncReport& r) {
  return "同期しました（取得 " + std::to_string(r.pulled) + " 件、送信 " + std::to_string(r.pushed) + " 件、競合 " +
         std::to_string(r.conflicts) + " 件）";
}

namespace {
CalDavServerFactory g_factory = nullptr;
}
void SetCalDavServerFactory(CalDavServerFactory factory) { g_factory = factory; }
CalDavServerFactory GetCalDavServerFactory() { return g_factory; }

}  // namespace kal::sync
