// An in-memory CalDAV server for the sync tests: one user's calendars, events by path with
// ETags that change on every write, and the conditions of PUT and DELETE checked as a server
// checks them. It counts the transfers, and can refuse the login or stop answering after a
// number of requests (a server that goes away half-way through a sync).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sync/CalDavServer.h"

namespace kal::test {

class FakeCalDavServer : public sync::CalDavServer {
 public:
  struct Resource {
    std::string body;
    std::string etag;
  };

  std::vector<sync::CalendarInfo> calendars{{"/alice/work/", "仕事"}, {"/alice/home/", "家庭"}};
  std::map<std::string, Resource> events;  // path -> resource
  bool refuse_login = false;
  // Requests answered before the server goes away (nothing: it never does).
  std::optional<int> answers_left;
  int gets = 0, puts = 0, deletes = 0, lists = 0;

  // Adds or replaces an event as another client would.
  void Store(const std::string& href, const std::string& body) { events[href] = {body, NextEtag()}; }
  int transfers() const { return gets + puts + deletes; }
  void ResetCounts() { gets = puts = deletes = lists = 0; }

  std::vector<sync::CalendarInfo> Calendars() override {
    Answer();
    return calendars;
  }
  std::vector<sync::EventRef> ListEvents(const std::string& calendar) override {
    Answer();
    ++lists;
    std::vector<sync::EventRef> out;
    for (const auto& [href, r] : events)
      if (href.rfind(calendar, 0) == 0) out.push_back({href, r.etag});
    return out;
  }
  std::optional<sync::FetchedEvent> Get(const std::string& href) override {
    Answer();
    ++gets;
    auto it = events.find(href);
    if (it == events.end()) return std::nullopt;
    return sync::FetchedEvent{it->second.body, it->second.etag};
  }
  std::string Put(const std::string& href, const std::string& body, const std::optional<std::string>& if_match) override {
    Answer();
    ++puts;
    auto it = events.find(href);
    if (if_match ? (it == events.end() || it->second.etag != *if_match) : it != events.end())
      throw sync::ServerError(412, "HTTP 412 Precondition Failed");
    events[href] = {body, NextEtag()};
    return events[href].etag;
  }
  void Delete(const std::string& href, const std::string& etag) override {
    Answer();
    ++deletes;
    auto it = events.find(href);
    if (it == events.end()) return;
    if (it->second.etag != etag) throw sync::ServerError(412, "HTTP 412 Precondition Failed");
    events.erase(it);
  }

 private:
  void Answer() {
    if (refuse_login) throw sync::ServerError(401, "HTTP 401 Unauthorized");
    if (answers_left) {
      if (*answers_left == 0) throw sync::ServerError(0, "127.0.0.1: Connection refused");
      --*answers_left;
    }
  }
  std::string NextEtag() { return "\"" + std::to_string(++etag_counter_) + "\""; }
  int etag_counter_ = 0;
};

}  // namespace kal::test
