#include "todo/TodoDemo.h"

#include <optional>
#include <vector>

#include "store/LineOrder.h"
#include "todo/TodoFile.h"

namespace kal::todo {

void WriteDemoTodoList(platform::FileSystem& fs, const std::string& folder, const store::Date& today) {
  struct Item {
    std::optional<int> limit;  // days from today; nothing: no limit
    std::optional<int> start;
    int priority, progress;
    bool done;
    const char* category;
    const char* subject;
    std::vector<std::string> memo;
    const char* link = "";
  };
  const std::vector<Item> items = {
      {-3, std::nullopt, 0, 6, false, "仕事", "経費精算の提出", {"領収書は3枚", "交通費を含める"}},
      {0, std::nullopt, 0, 8, false, "仕事", "企画書の最終確認", {}, "/usr/share/doc/README"},
      {2, std::nullopt, 1, 3, false, "打ち合わせ", "会議資料の準備", {}},
      {9, std::nullopt, 2, 1, false, "プライベート", "年賀状の準備", {}},
      {20, 12, 1, 0, false, "仕事", "来期予算案の作成", {"前年の実績を確認"}},
      {-6, std::nullopt, 0, 10, true, "通院", "予約の電話", {}},
      {std::nullopt, std::nullopt, 3, 2, false, "", "本棚の整理", {}},
  };
  std::vector<std::string> records, memos;
  int memo_number = 0;
  for (const Item& item : items) {
    TodoFields f;
    if (item.limit) f.limit = store::AddDays(today, *item.limit);
    if (item.start) f.start = store::AddDays(today, *item.start);
    f.priority = item.priority;
    f.progress = item.progress;
    f.done = item.done;
    f.done_date = item.done ? store::AddDays(today, -7) : today;
    f.category = item.category;
    f.subject = item.subject;
    f.link = item.link;
    if (!item.memo.empty()) {
      f.memo = ++memo_number;
      memos.push_back(*BuildTodoMemoLine(f.memo, item.memo));
    }
    records.push_back(BuildTodoRecord(f).line);
  }
  SortTodoList(records);
  store::SortLines(memos);
  SaveTodoFiles(fs, folder, memos, records);
}

}  // namespace kal::todo
