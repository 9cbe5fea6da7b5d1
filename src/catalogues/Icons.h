// Icon numbers and the icon bitmaps of the category folder.
//
// Numbers 1 to 5 are the built-in icons ("祝日", "休日", "記念日1", "記念日2", "記念日3"), which
// the holiday and anniversary marks use too; 6 to 99 are user icons. The bitmap of number n is
// "Klcat" + three digits + ".bmp" in the category folder; for 1 to 5 it overrides the built-in
// image. Which files are loaded, which numbers are free and what each button of the icon list
// may do are decided here; drawing and decoding the images is the window's part.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::catalogues {

inline constexpr int kBuiltInIconCount = 5;
inline constexpr int kFirstUserIcon = 6;

// "祝日", "休日", "記念日1", "記念日2", "記念日3" for 1..5; "" otherwise.
std::string BuiltInIconName(int number);

// "Klcat007.bmp".
std::string IconFileName(int number);
// "001".."099".
std::string IconNumberText(int number);

// The icon files present in the category folder: number -> path. Names are matched like
// "Klcat???.bmp" without regard to case; a name whose three characters are not a number from
// 1 to 99 is not an icon file.
std::map<int, std::string> IconFiles(platform::FileSystem& fs, const std::string& category_folder);

// The path a number's bitmap is written to: the present file of that number, else the folder
// + "Klcat" + three digits + ".bmp".
std::string IconWritePath(platform::FileSystem& fs, const std::string& category_folder, int number);

// The icon numbers the categories use (icon fields 1..99), ascending, without repeats.
std::vector<int> UsedIconNumbers(const std::vector<std::string>& category_lines);

// The bitmaps to load when the categories are loaded, in this order: the overrides of 1..5 that
// exist, then the existing bitmaps of the other numbers the categories use.
struct IconFile {
  int number = 0;
  std::string path;
  friend bool operator==(const IconFile&, const IconFile&) = default;
};
std::vector<IconFile> IconLoadPlan(platform::FileSystem& fs, const std::string& category_folder,
                                   const std::vector<std::string>& category_lines);

// The message for a bitmap that cannot be read: its path followed by " Read Error" ("ERROR").
std::string IconReadErrorMessage(const std::string& path);
inline constexpr const char* kIconReadErrorCaption = "ERROR";

// --- The icon list ("アイコン一覧") -------------------------------------------------------

enum class IconKind { BuiltIn, InUse, Unused };

struct IconListEntry {
  int number = 0;
  IconKind kind = IconKind::BuiltIn;
  std::string path;  // the bitmap file; empty when there is none
  friend bool operator==(const IconListEntry&, const IconListEntry&) = default;
};

// The list: 001..005, then the user icons some category uses in ascending order, then every
// other user icon file of the folder (not in use) in ascending order.
std::vector<IconListEntry> BuildIconList(platform::FileSystem& fs, const std::string& category_folder,
                                         const std::vector<std::string>& category_lines);

struct IconButtons {
  bool change = false;
  bool remove = false;
};
// What "変更" and "削除" may do for the selected entry: a built-in icon may be changed, and its
// override deleted when one exists; a user icon in use may be changed; one not in use deleted.
IconButtons IconButtonsFor(const IconListEntry& entry);

// The lowest user number from 6 to 99 that has no bitmap file and no category using it; nothing
// when all are taken.
std::optional<int> FreeUserIconNumber(platform::FileSystem& fs, const std::string& category_folder,
                                       const std::vector<std::string>& category_lines);

inline constexpr const char* kIconFilter = "ビットマップ|*.bmp|すべてのファイル|*.*";
inline constexpr const char* kIconListFullMessage =
    "アイコン番号 006～099 はすべて使用されているため、これ以上アイコンを追加できません。";
inline constexpr const char* kIconListFullCaption = "アイコンの追加";

// Whether the bytes of a file are an image the window can show (decoded by the caller).
using ImageCheck = std::function<bool(const std::string& bytes)>;

// "追加": refuses when no user number is free; otherwise asks for a bitmap, and copies it to the
// free number's file. A file that cannot be read, or not as an image, is reported
// (" Read Error") and not copied. Returns the number given. Throws store::FileError when the copy fails.
std::optional<int> IconAdd(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& category_folder,
                           const std::vector<std::string>& category_lines, const ImageCheck& readable);

// "変更": asks for a bitmap and copies it over the entry's number file (for 1..5 the override).
// Returns true when the file was written. Throws store::FileError when the copy fails.
bool IconChange(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& category_folder,
                const IconListEntry& entry, const ImageCheck& readable);

// "削除": "アイコン番号: nnn を削除しますか？" ("削除", Yes/No); on Yes the file is deleted, and for a
// built-in number "nnn は再起動することで表示されます。" ("確認") follows. Returns true when the
// file was deleted. Throws store::FileError when it cannot be deleted.
bool IconDelete(platform::FileSystem& fs, platform::Dialogs& dialogs, const IconListEntry& entry);

inline constexpr const char* kIconListNote =
    "※アイコン番号は 001: 祝日 002: 休日 003: 記念日1 004: 記念日2 005: 記念日3 が割当てられています。\n"
    "※祝日・記念日・記念日アイコンは、ユーザーオリジナルのアイコンに変更することができます。\n"
    "※アイコンは16x16のビットマップを指定して下さい。背景色（透過色）は左下の1ドットの色が透明になります。";

}  // namespace kal::catalogues
