// The category table "Category.tbl" of the category folder.
//
// One category per CP932 line, in display order, fields at 1-based byte positions:
//
//   pos  width  field
//     1   14    name, cut to 14 bytes and padded with blanks
//    15    1    check flag "1" ticked, "0" not ticked
//    16    1    reserved blank
//    17    8    text colour: eight decimal digits (BGR value), or eight blanks for none
//    25    8    background colour, as the text colour
//    33    3    icon number "001".."099", absent or blank for none
//
// Lines may end after any field; a missing field reads as empty. Schedules and ToDo records name
// their category by the same 14-byte field, and find it by a case-insensitive exact match against
// the table's names in table order.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace kal::catalogues {

inline constexpr std::size_t kCategoryNameWidth = 14;
inline constexpr std::size_t kCategoryFlagPos = 15;
inline constexpr std::size_t kCategoryTextColourPos = 17;
inline constexpr std::size_t kCategoryBackColourPos = 25;
inline constexpr std::size_t kCategoryColourWidth = 8;
inline constexpr std::size_t kCategoryIconPos = 33;
inline constexpr std::size_t kCategoryIconWidth = 3;
inline constexpr int kMaxIconNumber = 99;
inline constexpr const char* kCategoryFileName = "Category.tbl";

// The category view mode (setting View/Catchk).
enum CategoryViewMode : int {
  kShowChecked = 0,    // "チェック済みの分類を表示(&X)": unticked categories are hidden
  kShowUnchecked = 1,  // "未チェックの分類を表示(&Y)": ticked categories are hidden
  kShowAll = 2,        // "すべての分類を表示(&Z)"
};

// One line as the program reads it. Colours are BGR values; nothing means no colour.
struct CategoryEntry {
  std::string name;  // UTF-8, trailing blanks removed
  bool checked = false;
  std::optional<int> text_colour;
  std::optional<int> back_colour;
  int icon = 0;  // 0 none, 1..99

  friend bool operator==(const CategoryEntry&, const CategoryEntry&) = default;
};

// --- Reading fields by position ------------------------------------------------------------

// The 14-byte name field of a line as stored (CP932, padded to 14 bytes).
std::string CategoryNameField(std::string_view line);
// The name decoded, trailing blanks removed.
std::string CategoryName(std::string_view line);
// True only when the check flag is "1".
bool CategoryChecked(std::string_view line);
// A colour field: nothing when it is missing, blank or not a number.
std::optional<int> CategoryTextColour(std::string_view line);
std::optional<int> CategoryBackColour(std::string_view line);
// The icon number 1..99; 0 when it is missing, blank, not a number or out of range.
int CategoryIcon(std::string_view line);
CategoryEntry ReadCategoryLine(std::string_view line);

// --- Writing -------------------------------------------------------------------------------

// "00000000".."16777215": a colour as its eight-digit field.
std::string ColourField(int bgr);
// Eight blanks: no colour.
std::string NoColourField();
// "001".."099".
std::string IconField(int number);
// A name typed by the user made into the 14-byte field (CP932, cut at a character boundary and
// padded); control characters become blanks. Nothing when a character cannot be held by CP932
// (`bad` then names it).
std::optional<std::string> NameField(std::string_view utf8, std::string* bad = nullptr);
// A freshly added category: the name field followed by "1".
std::string NewCategoryLine(const std::string& name_field);

// The line with its check flag set, the name and everything from position 16 kept.
std::string WithCheckFlag(std::string_view line, bool checked);

// --- Matching ------------------------------------------------------------------------------

// A 14-byte name made into the key that entries are matched by: cut and padded to 14 bytes, ASCII
// letters folded to upper case (never the trail byte of a double-byte character).
std::string CategoryKey(std::string_view cp932_name);

// The table as the views use it: its lines and their names in table order.
class CategoryTable {
 public:
  CategoryTable() = default;
  explicit CategoryTable(std::vector<std::string> lines);

  const std::vector<std::string>& lines() const { return lines_; }
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  CategoryEntry Entry(std::size_t index) const { return ReadCategoryLine(lines_.at(index)); }

  // The index of the first category whose name matches, without regard to case, the name an
  // entry stores (CP932 bytes, with or without its padding); nothing when none does.
  std::optional<std::size_t> Find(std::string_view cp932_name) const;
  // The same for a UTF-8 name (as the schedule reader gives it).
  std::optional<std::size_t> FindText(std::string_view utf8_name) const;

  // Whether an entry of this category is drawn in the calendar views under the view mode: an
  // entry whose category is not in the table is always shown; in mode 0 unticked categories are
  // hidden, in mode 1 ticked ones, in mode 2 none.
  bool Shown(std::string_view cp932_name, int view_mode) const;
  bool ShownText(std::string_view utf8_name, int view_mode) const;

  // Ticks or unticks a category in place (the line keeps its name and everything from position
  // 16) and rebuilds the names.
  void SetChecked(std::size_t index, bool checked);

  // Replaces every line (rebuilds the names).
  void Reset(std::vector<std::string> lines);

 private:
  void RebuildNames();
  std::vector<std::string> lines_;
  std::vector<std::string> keys_;
};

// Whether a category with the given check flag is filtered out of the calendar views.
bool CategoryFiltered(bool checked, int view_mode);

// The side panel's category list is disabled in mode 2, where no category is filtered.
inline bool CategoryListEnabled(int view_mode) { return view_mode != kShowAll; }

// --- Files ---------------------------------------------------------------------------------

// The category folder (with its trailing separator) + "Category.tbl".
std::string CategoryFilePath(const std::string& category_folder);
// The lines of the table; a missing file is an empty table. Throws store::FileError.
std::vector<std::string> LoadCategoryLines(platform::FileSystem& fs, const std::string& category_folder);
CategoryTable LoadCategoryTable(platform::FileSystem& fs, const std::string& category_folder);
// Replaces the table file. Throws store::FileError.
void SaveCategoryLines(platform::FileSystem& fs, const std::string& category_folder,
                       const std::vector<std::string>& lines);

// The table written where none exists when the settings are first confirmed (CP932 lines): no
// colours for "未分類", black text on a light background for the others.
std::vector<std::string> DefaultCategoryLines();

// The side panel's tick: rewrites the line's check flag, rebuilds the names and saves the table
// at once. Throws store::FileError (the table in memory is then left unchanged).
void CategoryCheckSet(platform::FileSystem& fs, const std::string& category_folder, CategoryTable& table,
                      std::size_t index, bool checked);

}  // namespace kal::catalogues
