// The rules of the add-on entry dialog (TDlgAddonInput, caption "アドオンの" + "追加", "訂正" or
// "コピー"): its checks, their messages and the store of the entry in Addon.lst.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "reminders/Addon.h"

namespace kal::reminders {

enum class AddonFormMode { Add, Change, Copy };

// The run options of RdoRunOption, in order.
enum class AddonRunOption { BeforeStart = 0, AfterStart = 1, AtTime = 2, CalendarMenu = 3 };

inline constexpr const char* kAddonInputErrorCaption = "入力エラー";
inline constexpr const char* kAddonProgramEmpty = "プログラム名が未入力です。";
inline constexpr const char* kAddonProgramTooLong = "プログラム名が長すぎます。128バイト以内で入力して下さい。";
inline constexpr const char* kAddonTimeEmpty = "時刻を指定して下さい。";
inline constexpr const char* kAddonTimeBad = "設定できない時刻です。";
inline constexpr const char* kAddonDuplicate = "すでに同じ条件で登録されています。";
inline constexpr const char* kAddonStale = "アドオン一覧が他で変更されています。\n最新の情報に更新してから操作して下さい。";
inline constexpr const char* kAddonStaleCaption = "エラー";
inline constexpr const char* kAddonChooserFilter = "プログラム|*.exe|すべてのファイル|*.*";

std::string AddonFormCaption(AddonFormMode mode);

// What the dialog's controls hold (UTF-8).
struct AddonInput {
  std::string program;
  AddonRunOption option = AddonRunOption::BeforeStart;
  std::string time;  // EdtTime, used for AtTime only
  bool wait = true;  // ChkScrUd
};

// The controls' contents for an existing line (change and copy).
AddonInput AddonInputOf(const AddonEntry& entry);

enum class AddonField { None, Program, Time };

struct AddonCheck {
  bool ok = false;
  std::string message;  // the first failure
  AddonField field = AddonField::None;
  std::string line;     // the new line (CP932) when ok
};

// The OK checks in order: an empty program, a program that cannot be stored (a character CP932
// cannot hold, or more than 128 bytes: refused, never cut), for a time an empty or unreadable
// time (a readable one is written as "hh:nn"), then a line equal, ignoring case, to a line of
// `existing`. The enabled flag is "1" for a new entry or a copy and the old line's for a change.
AddonCheck CheckAddonInput(const AddonInput& input, AddonFormMode mode, const std::vector<std::string>& existing,
                           const std::optional<std::string>& old_line);

// OK of the dialog: reads Addon.lst, checks (showing the first failure with the caption
// "入力エラー" and the error icon), and for a change checks that the old line is still in the
// file (else the stale message); then removes the old line, adds the new one, sorts and saves.
// Returns the failure's field (None when stored). Throws store::FileError.
struct AddonStoreResult {
  bool stored = false;
  AddonField field = AddonField::None;
  std::string line;
};
AddonStoreResult StoreAddon(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& program_folder,
                            const AddonInput& input, AddonFormMode mode, const std::optional<std::string>& old_line);

}  // namespace kal::reminders
