// What the sync needs of a CalDAV server (RFC 4791 over WebDAV, RFC 4918): find the user's
// calendars, list one calendar's events with their ETags, and fetch, create, replace and delete
// single events. The real server speaks HTTP through Qt Network (QtCalDavServer); tests give the
// engine an in-memory server.
//
// Every call either succeeds or throws ServerError. `status` is the HTTP status of the answer
// (0 when no answer came: no connection, a timeout, a broken reply), `answer` what the server
// said (status line and a short text) for the user's message.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kal::sync {

class ServerError : public std::runtime_error {
 public:
  ServerError(int status, const std::string& answer) : std::runtime_error(answer), status_(status) {}
  int status() const { return status_; }
  // The login was refused (401, 403).
  bool refused_login() const { return status_ == 401 || status_ == 403; }
  // A condition (If-Match, If-None-Match) did not hold: someone changed the event meanwhile.
  bool precondition_failed() const { return status_ == 412; }

 private:
  int status_ = 0;
};

struct CalendarInfo {
  std::string href;          // the collection's path on the server, ending in "/"
  std::string display_name;  // DAV:displayname, empty when it has none
};

struct EventRef {
  std::string href;  // the event resource's path
  std::string etag;  // as the server sends it, quotes included
};

struct FetchedEvent {
  std::string body;  // the iCalendar text
  std::string etag;
};

class CalDavServer {
 public:
  virtual ~CalDavServer() = default;
  // The calendars of the user (or the collection at the server's address itself, when that is a
  // calendar).
  virtual std::vector<CalendarInfo> Calendars() = 0;
  // Every event resource of a calendar.
  virtual std::vector<EventRef> ListEvents(const std::string& calendar_href) = 0;
  // One event; nothing when it no longer exists (404).
  virtual std::optional<FetchedEvent> Get(const std::string& href) = 0;
  // Stores an event. Without `if_match` the resource must not exist yet (If-None-Match: *);
  // with it, the server's ETag must still be that one (If-Match). Returns the new ETag, empty
  // when the server sent none.
  virtual std::string Put(const std::string& href, const std::string& body, const std::optional<std::string>& if_match) = 0;
  // Deletes an event whose ETag is still `etag`; a resource already gone counts as deleted.
  virtual void Delete(const std::string& href, const std::string& etag) = 0;
};

// How a front end reaches a server: base URL, user and password.
struct ServerAccount {
  std::string url;
  std::string user;
  std::string password;
};
using CalDavServerFactory = std::unique_ptr<CalDavServer> (*)(const ServerAccount& account);
// The front ends built with Qt Network register the real server here (kalendor-cli's main, the
// window); without one `sync` reports that it cannot reach servers.
void SetCalDavServerFactory(CalDavServerFactory factory);
CalDavServerFactory GetCalDavServerFactory();

}  // namespace kal::sync
