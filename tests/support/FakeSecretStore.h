// A secret service in memory, or none at all (`available` false), for the password tests.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/SecretStore.h"

namespace kal::test {

class FakeSecretStore : public platform::SecretStore {
 public:
  bool available = true;
  std::map<std::pair<std::string, std::string>, std::string> secrets;

  bool Available() override { return available; }
  std::optional<std::string> Lookup(const std::string& url, const std::string& user) override {
    if (!available) return std::nullopt;
    auto it = secrets.find({url, user});
    if (it == secrets.end()) return std::nullopt;
    return it->second;
  }
  bool Store(const std::string& url, const std::string& user, const std::string& password) override {
    if (!available) return false;
    secrets[{url, user}] = password;
    return true;
  }
  bool Clear(const std::string& url, const std::string& user) override {
    return available && secrets.erase({url, user}) > 0;
  }
};

}  // namespace kal::test
