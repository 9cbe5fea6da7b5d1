#include "listing/ListKinds.h"

#include <stdexcept>

namespace kal::listing {

std::string KindName(ListKind kind) {
  switch (kind) {
    case ListKind::Schedule: return "スケジュール";
    case ListKind::Holiday: return "祝日・休日・記念日";
    case ListKind::Memo: return "メモ";
    case ListKind::Todo: return "ToDo";
    case ListKind::Weather: return "天気情報";
    case ListKind::Addon: return "アドオン";
  }
  throw std::invalid_argument("list kind");
}

std::string ListCaption(ListKind kind, ListMode mode) {
  switch (mode) {
    case ListMode::List: return KindName(kind) + "一覧";
    case ListMode::Search: return KindName(kind) + "の検索";
    case ListMode::Export: return KindName(kind) + "のエクスポート";
  }
  throw std::invalid_argument("list mode");
}

std::vector<ListKind> SelectableKinds() {
  return {ListKind::Schedule, ListKind::Holiday, ListKind::Memo, ListKind::Todo, ListKind::Weather};
}

const std::vector<ListColumn>& Columns(ListKind kind) {
  using A = ColumnAlign;
  static const std::vector<ListColumn> schedule = {
      {"No", 0}, {"開始日", 102}, {"開始時刻", 64}, {"終了日", 102}, {"終了時刻", 64}, {"件名", 180},
      {"場所", 100}, {"分類", 100}, {"ﾒﾓ", 40, A::Centre}, {"ｱﾗｰﾑ1", 44}, {"ｱﾗｰﾑ2", 44}, {"ﾌｧｲﾙ", 40, A::Centre}};
  static const std::vector<ListColumn> holiday = {{"No", 0},        {"日付", 110},      {"パターン", 120},
                                                  {"件名", 200},    {"分類", 70},       {"適用開始年", 80},
                                                  {"適用終了年", 80}};
  static const std::vector<ListColumn> memo = {{"No", 0}, {"日付", 100}, {"内容", 780}};
  static const std::vector<ListColumn> todo = {
      {"No", 0},         {"状況", 60},          {"期限", 100},   {"残日数", 50, A::Right, true},
      {"開始日", 100},   {"優先度", 60, A::Centre}, {"件名", 180}, {"分類", 100},
      {"進捗", 50, A::Right, true}, {"処理日", 100}, {"ﾒﾓ", 40, A::Centre}, {"ﾌｧｲﾙ", 40, A::Centre}};
  static const std::vector<ListColumn> weather = {{"", 0},
                                                  {"日付", 100},
                                                  {"天気", 100},
                                                  {"最高気温", 80, A::Right, true},
                                                  {"最低気温", 80, A::Right, true},
                                                  {"降水確率", 80, A::Right, true}};
  static const std::vector<ListColumn> addon = {{"", 30}, {"状態", 40}, {"起動方法", 100}, {"プログラム名", 460}};
  switch (kind) {
    case ListKind::Schedule: return schedule;
    case ListKind::Holiday: return holiday;
    case ListKind::Memo: return memo;
    case ListKind::Todo: return todo;
    case ListKind::Weather: return weather;
    case ListKind::Addon: return addon;
  }
  throw std::invalid_argument("list kind");
}

std::vector<std::string> ViewCaptions(ListKind kind) {
  switch (kind) {
    case ListKind::Holiday: return {"祝日", "休日", "記念日", "全件"};
    case ListKind::Todo: return {"未処理", "処理済", "", "全件"};  // no third view
    case ListKind::Addon: return {};
    default: return {"1日", "月間", "年間", "全件"};
  }
}

int InitialView(ListKind kind, ListMode mode) {
  if (mode == ListMode::Search) return kViewSearch;
  switch (kind) {
    case ListKind::Schedule: return mode == ListMode::Export ? 2 : 1;
    case ListKind::Memo:
    case ListKind::Weather: return 2;
    default: return 1;
  }
}

}  // namespace kal::listing
