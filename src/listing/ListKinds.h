// The kinds of data the list dialog shows, its modes and views, and each kind's columns.
#pragma once

#include <string>
#include <vector>

namespace kal::listing {

enum class ListKind : int { Schedule = 1, Holiday = 2, Memo = 3, Todo = 4, Weather = 5, Addon = 6 };
enum class ListMode : int { List = 1, Search = 2, Export = 3 };

// Views 1 to 4 are the view buttons; 5 is the search panel.
inline constexpr int kViewAll = 4;
inline constexpr int kViewSearch = 5;

// "スケジュール", "祝日・休日・記念日", "メモ", "ToDo", "天気情報", "アドオン".
std::string KindName(ListKind kind);
// kind name + "一覧", "の検索" or "のエクスポート".
std::string ListCaption(ListKind kind, ListMode mode);
// The five kinds of the kind selector CmbFile, in order (add-ons are not offered there).
std::vector<ListKind> SelectableKinds();

enum class ColumnAlign { Left, Centre, Right };
struct ListColumn {
  std::string caption;
  int width = 0;  // default width in pixels
  ColumnAlign align = ColumnAlign::Left;
  bool numeric = false;  // sorted as a number
};
// Every column of a kind, the key column first.
const std::vector<ListColumn>& Columns(ListKind kind);

// The captions of the view buttons 1 to 4 (ToDo has no third view: its caption is empty; add-ons
// have no views).
std::vector<std::string> ViewCaptions(ListKind kind);
// The view a kind opens in.
int InitialView(ListKind kind, ListMode mode);

// Columns from this 0-based index on (and the key column 0) do not sort.
inline constexpr int kFirstUnsortedColumn = 11;

}  // namespace kal::listing
