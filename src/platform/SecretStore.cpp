#include "platform/SecretStore.h"

#include <libsecret/secret.h>

namespace kal::platform {
namespace {

const SecretSchema* Schema() {
  static const SecretSchema schema = {
      "org.kalendor.CalDav",
      SECRET_SCHEMA_NONE,
      {{"url", SECRET_SCHEMA_ATTRIBUTE_STRING}, {"user", SECRET_SCHEMA_ATTRIBUTE_STRING}, {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
      0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  return &schema;
}

// Without a session bus there is no service to ask; libsecret would otherwise try to start one.
bool HasSessionBus() {
  const char* bus = g_getenv("DBUS_SESSION_BUS_ADDRESS");
  return bus != nullptr && *bus != '\0';
}

}  // namespace

bool LibSecretStore::Available() {
  if (!HasSessionBus()) return false;
  GError* error = nullptr;
  SecretService* service = secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, &error);
  if (error != nullptr) {
    g_error_free(error);
    return false;
  }
  g_object_unref(service);
  return true;
}

std::optional<std::string> LibSecretStore::Lookup(const std::string& url, const std::string& user) {
  if (!HasSessionBus()) return std::nullopt;
  GError* error = nullptr;
  gchar* password = secret_password_lookup_sync(Schema(), nullptr, &error, "url", url.c_str(), "user", user.c_str(),
                                                nullptr);
  if (error != nullptr) {
    g_error_free(error);
    return std::nullopt;
  }
  if (password == nullptr) return std::nullopt;
  std::string out(password);
  secret_password_free(password);
  return out;
}

bool LibSecretStore::Store(const std::string& url, const std::string& user, const std::string& password) {
  if (!HasSessionBus()) return false;
  GError* error = nullptr;
  const std::string label = "Kalendor: " + user + " @ " + url;
  const gboolean ok = secret_password_store_sync(Schema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(),
                                                 nullptr, &error, "url", url.c_str(), "user", user.c_str(), nullptr);
  if (error != nullptr) {
    g_error_free(error);
    return false;
  }
  return ok != FALSE;
}

bool LibSecretStore::Clear(const std::string& url, const std::string& user) {
  if (!HasSessionBus()) return false;
  GError* error = nullptr;
  const gboolean ok =
      secret_password_clear_sync(Schema(), nullptr, &error, "url", url.c_str(), "user", user.c_str(), nullptr);
  if (error != nullptr) {
    g_error_free(error);
    return false;
  }
  return ok != FALSE;
}

}  // namespace kal::platform
