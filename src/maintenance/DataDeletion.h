// Deleting old data: the schedule month files, their detail files and the memo files of the
// months up to a limit month. (The memo box's own delete command is store::DeleteMemo.)
//
// The limit month lies n months before today's month (n = 1, 2, 3, 6 or 12). Old are:
//   - schedule month files "yyyymm.sch" of the data folder up to the limit month, with their
//     detail files "yyyymm.dtl" (the day files "yyyymm.day" stay: they hold the weather diary);
//   - day memos "yyyymmdd.mem" and month memos "yyyymm.mem" of the memo folder up to the limit
//     month.
// Only names of exactly that form count (letters compared without case), so a stray
// "202401 (2).sch" is never taken for a month file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::maintenance {

struct DeletionPeriod {
  const char* caption;  // "3ヶ月以前"
  int months;
};
// The choices of CmbDataDel in order; the default is "1年以前" (index 4).
const std::vector<DeletionPeriod>& DeletionPeriods();
inline constexpr int kDefaultDeletionPeriod = 4;

struct YearMonth {
  int year = 0, month = 0;
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};
// The limit month n months before the month of `today` (1 <= n <= 12).
YearMonth DeletionLimit(const store::Date& today, int months);

// The month a month file name belongs to: "yyyymm" + the given extension (".sch", ".dtl"; letters
// compared without case); nothing for any other name. Memo names are read by store::ParseMemoFileName.
std::optional<YearMonth> MonthOfFileName(const std::string& name, const std::string& extension);

struct DeletionPlan {
  YearMonth limit;
  std::vector<std::string> files;  // full paths: schedule and detail files, then memo files
};
DeletionPlan PlanDeletion(platform::FileSystem& fs, const app::Folders& folders, const store::Date& today,
                          int months);

inline constexpr const char* kDeletionCaption = "データの削除";
inline constexpr const char* kNothingToDeleteMessage = "削除するデータはありません。";
inline constexpr const char* kDeletionDoneMessage = "データ削除完了しました。";
// "2023年 5月以前のスケジュールとメモを削除します。\nよろしいですか？"
std::string DeletionQuestion(const YearMonth& limit);

struct DeletionResult {
  bool asked = false;
  std::vector<std::string> deleted;
  std::vector<std::string> failed;
};
// BtnDataDelClick: nothing old says so; otherwise the question, then every old file is deleted
// and the result reported (the files that could not be deleted are listed instead of the
// completion message).
DeletionResult BtnDataDelClick(platform::FileSystem& fs, platform::Dialogs& dialogs, const app::Folders& folders,
                               const store::Date& today, int months);

}  // namespace kal::maintenance
