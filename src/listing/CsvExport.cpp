#include "listing/CsvExport.h"

#include "catalogues/ItemTable.h"
#include "listing/ExportTime.h"
#include "platform/Codec.h"
#include "store/CommaText.h"

namespace kal::listing {

namespace {

constexpr const char* kEol = "\r\n";

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += '\n';
    out += lines[i];
  }
  return out;
}

// The schedule style: "text", with inner quotes doubled.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\",";
}

std::string ScheduleStyleLine(const std::vector<std::string>& fields) {
  std::string line;
  for (const auto& f : fields) line += Quoted(f);
  return line + kEol;
}

// The first characters of a cell (the date part of "yyyy/mm/dd(aaa)"), trailing blanks removed.
std::string Leading(const std::string& cell, std::size_t chars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < chars && pos < cell.size(); ++n)
    pos += platform::Utf8CharLength(static_cast<unsigned char>(cell[pos]));
  std::string out = cell.substr(0, pos);
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// Blanks removed on both sides (a progress cell reads " 50%").
std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  const auto first = s.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

std::string ExportBytes(const std::string& utf8) {
  std::string bad;
  auto bytes = platform::Utf8ToCp932(utf8, &bad);
  if (!bytes) throw ExportError("「" + bad + "」はShift_JISのファイルに書き出せない文字です。");
  return *bytes;
}

std::vector<std::string> ScheduleCsvFields(const ScheduleItem& item, const CsvSwitches& switches,
                                           const std::vector<int>& alarm_offsets) {
  const store::Date last = item.LastDay();
  std::string start = item.start, end_date = store::DateText(last), end = item.end;
  if (switches.str_time && item.start.empty()) {
    start = "00:00";
    end_date = store::DateText(store::AddDays(last, 1));
    end = "00:00";
  } else {
    const auto s = StoredMinutes(start);
    const auto stored_end = StoredMinutes(item.end);
    if (switches.end_time) {
      const std::optional<int> e = item.end.empty() ? (s ? std::optional<int>(*s + 60) : std::nullopt) : stored_end;
      if (e) {
        const Moment m = MakeMoment(last, *e);
        end = MomentTime(m);
        end_date = store::DateText(m.date);
      } else {
        end = "00:00";
      }
    }
    // A one-day schedule whose stored end comes before its start ends on the next day.
    if (s && stored_end && item.span <= 1 && *stored_end < *s && end_date == store::DateText(item.date))
      end_date = store::DateText(store::AddDays(item.date, 1));
  }
  std::vector<std::string> fields = {store::DateText(item.date), start, end_date, end,
                                     item.title, item.place, item.category, Joined(item.memo)};
  if (switches.alarm) {
    const auto lead = catalogues::AlarmLead(alarm_offsets, item.alarm1);
    fields.push_back(lead ? "True" : "False");
    if (lead) {
      if (const auto s = StoredMinutes(start)) {
        const Moment m = MakeMoment(item.date, *s - *lead);
        fields.push_back(store::DateText(m.date));
        fields.push_back(MomentTime(m));
      } else {
        fields.push_back(store::DateText(item.date));
      }
    }
  }
  return fields;
}

std::string ScheduleCsv(const std::vector<ScheduleItem>& items, const CsvSwitches& switches,
                        const std::vector<int>& alarm_offsets) {
  std::string text;
  for (const char* caption : {"開始日", "開始時刻", "終了日", "終了時刻", "件名", "場所", "分類", "内容"})
    text += Quoted(caption);
  if (switches.alarm) text += "\"ｱﾗｰﾑ ｵﾝ/ｵﾌ\",\"ｱﾗｰﾑ日付\",\"ｱﾗｰﾑ時刻\"";
  text += kEol;
  for (const auto& item : items) text += ScheduleStyleLine(ScheduleCsvFields(item, switches, alarm_offsets));
  return ExportBytes(text);
}

std::string MemoCsv(const std::vector<MemoItem>& items) {
  std::string text = store::ToCommaText({"日付", "内容"}) + kEol;
  for (const auto& item : items) text += store::ToCommaText({item.date, Joined(item.lines)}) + kEol;
  return ExportBytes(text);
}

std::string TodoCsv(const std::vector<TodoItem>& items) {
  std::string text =
      store::ToCommaText({"状況", "期限", "開始日", "優先度", "件名", "分類", "進捗", "処理日", "ﾒﾓ", "内容"}) + kEol;
  for (const auto& item : items) {
    const ListRow& r = item.row;
    // 状況 期限 (残日数 left out) 開始日 優先度 件名 分類 進捗 処理日 ﾒﾓ, then the detail text.
    text += store::ToCommaText({Trimmed(CellOf(r, 1)), Leading(CellOf(r, 2), 10), Leading(CellOf(r, 4), 10),
                                CellOf(r, 5), Trimmed(CellOf(r, 6)), Trimmed(CellOf(r, 7)), Trimmed(CellOf(r, 8)),
                                Leading(CellOf(r, 9), 10), CellOf(r, 10), Joined(item.memo)}) +
            kEol;
  }
  return ExportBytes(text);
}

std::string WeatherCsv(const std::vector<ListRow>& rows) {
  std::string text = store::ToCommaText({"日付", "天気", "最高気温", "最低気温", "降水確率"}) + kEol;
  for (const auto& r : rows)
    text +=
        store::ToCommaText({Leading(CellOf(r, 1), 10), CellOf(r, 2), CellOf(r, 3), CellOf(r, 4), CellOf(r, 5)}) + kEol;
  return ExportBytes(text);
}

}  // namespace kal::listing
