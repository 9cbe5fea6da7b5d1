#include "maintenance/DataDeletion.h"

#include <cctype>
#include <cstdio>
#include <optional>

#include "store/MemoFile.h"

namespace kal::maintenance {

namespace {

bool SameLetters(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool Digits(const std::string& s, std::size_t from, std::size_t count) {
  for (std::size_t i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  }
  return true;
}

int Number(const std::string& s, std::size_t from, std::size_t count) { return std::stoi(s.substr(from, count)); }

bool NotAfter(const YearMonth& a, const YearMonth& b) {
  return a.year < b.year || (a.year == b.year && a.month <= b.month);
}

void AddOld(platform::FileSystem& fs, const std::string& folder, const char* pattern, const std::string& extension,
            const YearMonth& limit, std::vector<std::string>& files) {
  for (const std::string& name : fs.List(folder, pattern)) {
    const std::optional<YearMonth> month = MonthOfFileName(name, extension);
    if (month && NotAfter(*month, limit)) files.push_back(platform::JoinPath(folder, name));
  }
}

}  // namespace

const std::vector<DeletionPeriod>& DeletionPeriods() {
  static const std::vector<DeletionPeriod> periods = {
      {"1ヶ月以前", 1}, {"2ヶ月以前", 2}, {"3ヶ月以前", 3}, {"6ヶ月以前", 6}, {"1年以前", 12}};
  return periods;
}

YearMonth DeletionLimit(const store::Date& today, int months) {
  const int y = store::YearOf(today), m = store::MonthOf(today);
  if (months < m) return {y, m - months};
  return {y - 1, m - months + 12};
}

std::optional<YearMonth> MonthOfFileName(const std::string& name, const std::string& extension) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || !SameLetters(name.substr(dot), extension)) return std::nullopt;
  if (dot != 6 || !Digits(name, 0, dot)) return std::nullopt;
  const YearMonth ym{Number(name, 0, 4), Number(name, 4, 2)};
  if (ym.month < 1 || ym.month > 12) return std::nullopt;
  return ym;
}

DeletionPlan PlanDeletion(platform::FileSystem& fs, const app::Folders& folders, const store::Date& today,
                          int months) {
  DeletionPlan plan;
  plan.limit = DeletionLimit(today, months);
  AddOld(fs, folders.data, "*.sch", ".sch", plan.limit, plan.files);
  AddOld(fs, folders.data, "*.dtl", ".dtl", plan.limit, plan.files);
  for (const std::string& name : fs.List(folders.memo, "*.mem")) {
    const std::optional<store::MemoId> memo = store::ParseMemoFileName(name);
    if (memo && NotAfter({memo->year, memo->month}, plan.limit)) plan.files.push_back(platform::JoinPath(folders.memo, name));
  }
  return plan;
}

std::string DeletionQuestion(const YearMonth& limit) {
  char month[8];
  std::snprintf(month, sizeof month, "%2d", limit.month);
  return std::to_string(limit.year) + "年" + month + "月以前のスケジュールとメモを削除します。\nよろしいですか？";
}

DeletionResult BtnDataDelClick(platform::FileSystem& fs, platform::Dialogs& dialogs, const app::Folders& folders,
                               const store::Date& today, int months) {
  DeletionResult result;
  const DeletionPlan plan = PlanDeletion(fs, folders, today, months);
  if (plan.files.empty()) {
    dialogs.Info(kNothingToDeleteMessage, kDeletionCaption);
    return result;
  }
  result.asked = true;
  if (!dialogs.Confirm(DeletionQuestion(plan.limit), kDeletionCaption)) return result;
  for (const std::string& path : plan.files) {
    (fs.Remove(path) && !fs.Exists(path) ? result.deleted : result.failed).push_back(path);
  }
  if (result.failed.empty()) {
    dialogs.Info(kDeletionDoneMessage, kDeletionCaption);
  } else {
    std::string text = "次のファイルが削除できませんでした。";
    for (const std::string& path : result.failed) text += "\n" + path;
    dialogs.Error(text, kDeletionCaption);
  }
  return result;
}

}  // namespace kal::maintenance
