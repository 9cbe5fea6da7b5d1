// The rules of the sync settings page (TDlgSyncSetup): its fields, the checks of OK, storing the
// keys of section Sync in Kalendor.ini and the password in the desktop's secret service, and
// when the window's automatic sync is due.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/SecretStore.h"
#include "store/Settings.h"

namespace kal::sync {

inline constexpr const char* kSetupCaption = "同期の設定";
inline constexpr const char* kBadUrlMessage = "サーバーのアドレスは http:// または https:// で始めて下さい。";
inline constexpr const char* kNoUserMessage = "ユーザー名を入力して下さい。";
inline constexpr const char* kNoSettingsMessage =
    "同期するサーバーが設定されていません。\nツールメニューの「同期の設定」で設定して下さい。";
inline constexpr const char* kNoSecretServiceNote =
    "デスクトップのキーリングが使えないため、パスワードは保存されず、同期のたびに入力します。";
inline constexpr const char* kPasswordPrompt = "のパスワード:";
inline constexpr int kMaxInterval = 1440;

enum class SetupField { Url, User, Calendar, Password, Interval };

struct SyncSetupForm {
  std::string url, user, calendar;
  int interval = 0;          // minutes; 0: no automatic sync
  std::string password;      // typed on the page; empty: keep what the secret service holds
};

SyncSetupForm SyncSetupOf(const store::SyncSettings& settings);

struct SetupFailure {
  std::string message;
  SetupField field;
};
// The checks of OK in their order: an address that is not http(s), an address without a user.
// An empty address is allowed (no sync).
std::optional<SetupFailure> CheckSyncSetup(const SyncSetupForm& form);

// OK: the form into the settings, the keys of section Sync written to the settings file, and a
// typed password kept in the secret service (false when it could not be kept there; the caller
// keeps it for this session). Throws store::FileError when the settings file cannot be written.
bool StoreSyncSetup(platform::FileSystem& fs, platform::SecretStore& secrets, const std::string& settings_file,
                    const SyncSetupForm& form, store::Settings& settings);

// The window's automatic sync after `minutes` minutes since the last one.
bool AutoSyncDue(const store::SyncSettings& settings, int minutes);

}  // namespace kal::sync
