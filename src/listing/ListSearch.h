// The search panel of the list dialog: its conditions, the checks before a search, and the
// matching rules of each kind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "listing/ListKinds.h"
#include "listing/ListRows.h"
#include "store/DateText.h"
#include "store/TextMatch.h"

namespace kal::listing {

struct SearchConditions {
  std::optional<store::Date> from{};  // ChkFromDate ticked: DtpFromDate
  std::optional<store::Date> to{};    // ChkToDate ticked: DtpToDate
  std::string title{};              // EdtTitle (UTF-8, at most 20 characters)
  bool ignore_case = false;         // ChkCapital
  std::string category{};           // CmbBunrui's text (schedule, ToDo)
  int category_index = -1;          // CmbBunrui's position in a fixed list (holiday, weather); -1 none
  std::string detail{};             // EdtDtl (UTF-8, at most 20 characters)
};

inline constexpr std::size_t kSearchTextMax = 20;  // characters of EdtTitle and EdtDtl

// The control a failed check puts the focus on.
enum class SearchField { Kind, Title, Category, FromDate };
struct SearchFailure {
  std::string message;  // caption "入力エラー"
  SearchField focus;
};
inline constexpr const char* kSearchErrorCaption = "入力エラー";
inline constexpr const char* kNotFoundMessage = "一致するデータは見つかりませんでした。";

// The checks before a search, in their order; nothing when the search may run. `kind` is
// nothing when no kind is selected.
std::optional<SearchFailure> CheckSearch(std::optional<ListKind> kind, const SearchConditions& conditions);

// What each kind's search panel offers.
struct SearchPanelFields {
  bool period = false;
  bool title = false;
  bool case_switch = false;
  bool category = false;
  bool detail = false;
  bool category_fixed = false;            // a fixed list instead of the category names
  std::vector<std::string> fixed_list;    // the fixed list's items
};
SearchPanelFields SearchPanelOf(ListKind kind);

// "今年"/"昨年": 1 January to 31 December of that year. "過去 n年": from the end date moved back n
// years plus one day.
std::pair<store::Date, store::Date> YearSpan(int year);
store::Date PastStart(const store::Date& end, int years);

// The rows that match every given condition (the checks have passed). Throws store::FileError.
std::vector<ListRow> SearchRows(const ListSource& source, ListKind kind, const SearchConditions& conditions);

// The matching of one schedule line of month "yyyymm": date bounds "yyyymmdd", title, category
// prefix and, through `detail_text` (the detail line of its number, or nothing), the detail.
class ScheduleMatcher {
 public:
  explicit ScheduleMatcher(const SearchConditions& conditions);
  // Whether any file of the month can hold a match (the month lies within the bounds).
  bool MonthInRange(const std::string& stem) const;
  // The line's own fields (date, title, category).
  bool LineMatches(const std::string& stem, const std::string& line) const;
  bool NeedsDetail() const { return has_detail_; }
  // The detail condition, given the detail line of the record's number.
  bool DetailMatches(const std::string& detail_line) const;

 private:
  std::string from_, to_;  // "yyyymmdd" or empty
  store::TextNeedle title_;
  store::TextNeedle detail_;
  std::string category_;  // CP932
  bool has_category_ = false, has_detail_ = false, impossible_category_ = false;
};

// The ToDo rule on a limit-date text ("yyyy/mm/dd" or "期限なし"): plain text comparison with the
// bounds "yyyy/mm/dd", so an item without a limit never satisfies an end bound and always
// satisfies a start bound.
bool TodoLimitWithin(const std::string& limit, const std::optional<store::Date>& from,
                     const std::optional<store::Date>& to);

}  // namespace kal::listing
