#include "maintenance/DataDeletion.h"

#include <cctype>
#include <cstdio>

#include "store/DayFile.h"
#include "store/TextFile.h"

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
  const bool memo = SameLetters(extension, ".mem");
  if (dot != 6 && !(memo && dot == 8)) return std::nullopt;
  if (!Digits(name, 0, dot)) return std::nullopt;
  const YearMonth ym{Number(name, 0, 4), Number(name, 4, 2)};
  if (ym.month < 1 || ym.month > 12) return std::nullopt;
  if (dot == 8) {
    const int day = Number(name, 6, 2);
    if (day < 1 || day > 31) return std::nullopt;
  }
  return ym;
}

DeletionPlan PlanDeletion(platform::FileSystem& fs, const app::Folders& folders, const store::Date& today,
                          int months) {
  DeletionPlan plan;
  plan.limit = DeletionLimit(today, months);
  AddOld(fs, folders.data, "*.sch", ".sch", plan.limit, plan.files);
  AddOld(fs, folders.data, "*.dtl", ".dtl", plan.limit, plan.files);
  AddOld(fs, folders.memo, "*.mem", ".mem", plan.limit, plan.files);
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

std::string MemoFileName(const store::Date& date, bool month_memo) {
  char name[16];
  if (month_memo) {
    std::snprintf(name, sizeof name, "%04d%02d.mem", store::YearOf(date), store::MonthOf(date));
  } else {
    std::snprintf(name, sizeof name, "%04d%02d%02d.mem", store::YearOf(date), store::MonthOf(date),
                  store::DayOf(date));
  }
  return name;
}

std::string MemoDeleteQuestion(const store::Date& date, bool month_memo) {
  std::string when = std::to_string(store::YearOf(date)) + "年" + std::to_string(store::MonthOf(date)) + "月";
  if (!month_memo) when += std::to_string(store::DayOf(date)) + "日";
  return when + " のメモを削除します。\nよろしいですか？";
}

bool MemoDelete(platform::FileSystem& fs, platform::Dialogs& dialogs, const app::Folders& folders,
                const store::Date& date, bool month_memo, bool ask) {
  const std::string path = platform::JoinPath(folders.memo, MemoFileName(date, month_memo));
  if (!fs.Exists(path)) return false;
  if (ask && !dialogs.Confirm(MemoDeleteQuestion(date, month_memo), kMemoDeleteCaption)) return false;
  if (!fs.Remove(path) || fs.Exists(path)) {
    throw store::FileError(store::WriteErrorMessage(path, "削除できません。"));
  }
  if (month_memo) return true;
  const std::string day_file = store::DayFilePath(folders.data, store::YearOf(date), store::MonthOf(date));
  std::vector<std::string> lines;
  if (!store::LoadLinesIfExists(fs, day_file, lines)) return true;
  const std::size_t day = static_cast<std::size_t>(store::DayOf(date));
  if (day >= lines.size()) return true;
  std::string& line = lines[day];
  if (line.size() < 6 || line[5] == '0' || line[5] == ' ') return true;
  std::string head = line.substr(0, 5);
  head.resize(5, ' ');
  line = head + "0" + line.substr(6);
  store::SaveLines(fs, day_file, lines);
  return true;
}

}  // namespace kal::maintenance
