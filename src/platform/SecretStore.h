// The desktop's store of secrets (the freedesktop Secret Service, through libsecret), for the
// password of the calendar server: it is kept there and never in a file of ours.
#pragma once

#include <optional>
#include <string>

namespace kal::platform {

class SecretStore {
 public:
  virtual ~SecretStore() = default;
  // Whether a secret service answers on this desktop.
  virtual bool Available() = 0;
  // The password kept for a server address and user; nothing when none is kept or there is no
  // service.
  virtual std::optional<std::string> Lookup(const std::string& url, const std::string& user) = 0;
  // Keeps (replaces) the password; false when there is no service or it refused.
  virtual bool Store(const std::string& url, const std::string& user, const std::string& password) = 0;
  virtual bool Clear(const std::string& url, const std::string& user) = 0;
};

// The libsecret implementation (schema "org.kalendor.CalDav", attributes url and user).
class LibSecretStore : public SecretStore {
 public:
  bool Available() override;
  std::optional<std::string> Lookup(const std::string& url, const std::string& user) override;
  bool Store(const std::string& url, const std::string& user, const std::string& password) override;
  bool Clear(const std::string& url, const std::string& user) override;
};

}  // namespace kal::platform
