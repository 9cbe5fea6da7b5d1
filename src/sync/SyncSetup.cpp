#include "sync/SyncSetup.h"

#include <algorithm>

#include "store/IniFile.h"
#include "store/Record.h"

namespace kal::sync {

SyncSetupForm SyncSetupOf(const store::SyncSettings& s) { return {s.url, s.user, s.calendar, s.interval, {}}; }

std::optional<SetupFailure> CheckSyncSetup(const SyncSetupForm& form) {
  const std::string url(store::Trim(form.url));
  if (url.empty()) return std::nullopt;
  if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) return SetupFailure{kBadUrlMessage, SetupField::Url};
  if (store::Trim(form.user).empty()) return SetupFailure{kNoUserMessage, SetupField::User};
  return std::nullopt;
}

bool StoreSyncSetup(platform::FileSystem& fs, platform::SecretStore& secrets, const std::string& settings_file,
                    const SyncSetupForm& form, store::Settings& settings) {
  store::SyncSettings& s = settings.sync;
  s.url = std::string(store::Trim(form.url));
  s.user = std::string(store::Trim(form.user));
  s.calendar = std::string(store::Trim(form.calendar));
  s.interval = std::clamp(form.interval, 0, kMaxInterval);
  store::IniFile ini = store::IniFile::Load(fs, settings_file);
  store::WriteSettings(ini, settings, [](const store::SettingKey& key) { return key.section == "Sync"; });
  ini.Flush(fs, settings_file);
  if (form.password.empty() || s.url.empty()) return true;
  return secrets.Store(s.url, s.user, form.password);
}

bool AutoSyncDue(const store::SyncSettings& settings, int minutes) {
  return settings.interval > 0 && !settings.url.empty() && minutes >= settings.interval;
}

}  // namespace kal::sync
