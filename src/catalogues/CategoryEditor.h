// The working copy of the category table behind the category dialog ("分類の設定").
//
// Every button works on the copy; nothing is written before Register ("登録"). Buttons that need
// a selection do nothing without one. Each button returns true when it changed the copy.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::catalogues {

inline constexpr const char* kDuplicateCaption = "分類の重複";

// "「" + name + "」はすでに登録済みです。"
std::string DuplicateCategoryMessage(const std::string& name);

// Whether `name_field` (CP932) names the same category as a line of `lines` other than `except`:
// compared as entries match them, by the 14-byte field without regard to case.
bool CategoryNameTaken(const std::vector<std::string>& lines, const std::string& name_field,
                       std::optional<std::size_t> except = std::nullopt);

class CategoryEditor {
 public:
  explicit CategoryEditor(std::vector<std::string> lines);

  const std::vector<std::string>& lines() const { return lines_; }
  std::optional<std::size_t> selected() const { return selected_; }
  // Selects a row (nothing when out of range).
  void Select(std::optional<std::size_t> index);

  // "追加": input box "分類の追加" / "新しい分類: ". An empty answer does nothing; a duplicate is
  // refused with "「name」はすでに登録済みです。" ("分類の重複"); otherwise a ticked category
  // without colours or icon is appended and selected.
  bool Add(platform::Dialogs& dialogs);
  // "削除": removes the selected category; nothing is selected afterwards.
  bool Delete();
  // "名前の変更" or a double click: input box "分類名の変更" / "「name」の修正: " with the current
  // name; an unchanged or empty answer does nothing; a duplicate of another category is refused
  // as for "追加"; otherwise the name field is replaced and the rest of the line kept.
  bool Rename(platform::Dialogs& dialogs);
  // "上へ" / "下へ": swaps with the neighbour; the selection follows.
  bool MoveUp();
  bool MoveDown();
  // "文字色": colour chooser from the current text colour (0 when none).
  bool ChooseTextColour(platform::Dialogs& dialogs);
  // "背景色": colour chooser from the current background (0 when none); the text colour is
  // written as eight digits too ("00000000" when it was none).
  bool ChooseBackColour(platform::Dialogs& dialogs);
  // "色クリア": both colours become eight blanks.
  bool ClearColours();
  // "アイコンの登録" with the number chosen in the icon list (1..99).
  bool SetIcon(int number);
  // "アイコンの削除": the line is cut to its first 32 bytes.
  bool DeleteIcon();
  // The check box of a row.
  void SetChecked(std::size_t index, bool checked);

  // The lines "登録" writes: name (14) + check flag + blank + the colour and icon fields as stored.
  std::vector<std::string> RegisterLines() const;
  // "登録": saves the lines as the category table. Throws store::FileError.
  void Register(platform::FileSystem& fs, const std::string& category_folder) const;

 private:
  // Reads and checks a typed name; nothing (after the message) when it cannot be used.
  std::optional<std::string> CheckedName(platform::Dialogs& dialogs, const std::string& answer,
                                         std::optional<std::size_t> except);
  std::vector<std::string> lines_;
  std::optional<std::size_t> selected_;
};

}  // namespace kal::catalogues
