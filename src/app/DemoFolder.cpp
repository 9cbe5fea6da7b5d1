#include "app/DemoFolder.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "app/HolidayInput.h"
#include "catalogues/Category.h"
#include "platform/Codec.h"
#include "store/Colour.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/IniFile.h"
#include "store/LineOrder.h"
#include "store/MemoFile.h"
#include "store/NoteFile.h"
#include "store/Record.h"
#include "store/Settings.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "todo/TodoDemo.h"

namespace kal::app {

namespace {

std::string Sjis(const std::string& utf8) { return platform::Utf8ToCp932(utf8).value_or(""); }

void Put16(std::string& out, int v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, int v) {
  Put16(out, v & 0xFFFF);
  Put16(out, (v >> 16) & 0xFFFF);
}

struct DemoSchedule {
  int month_offset;  // 0 the month of today, -1 the previous, 1 the next
  int day;
  std::string start, end, category, title, place;
  int alarm1 = 0;
  int span = 0;
  int bar_colour = store::kDefaultScheduleBarColour;
  int text_colour = 0;
  int bar_style = 3;
  std::vector<std::string> memo = {};
  int font_style = 0;
};

// A category line: name, ticked, text and back colours, icon.
std::string CategoryLine(const std::string& name, int text, int back, int icon) {
  std::string line = store::PadField(Sjis(name), catalogues::kCategoryNameWidth) + "1 ";
  line += text < 0 ? catalogues::NoColourField() : catalogues::ColourField(text);
  line += back < 0 ? catalogues::NoColourField() : catalogues::ColourField(back);
  if (icon > 0) line += catalogues::IconField(icon);
  return line;
}

}  // namespace

std::string DemoIconBitmap(int colour, int transparent) {
  const int size = 16;
  const int row_bytes = size * 3;
  std::string bmp = "BM";
  Put32(bmp, 54 + row_bytes * size);
  Put32(bmp, 0);
  Put32(bmp, 54);
  Put32(bmp, 40);
  Put32(bmp, size);
  Put32(bmp, size);
  Put16(bmp, 1);
  Put16(bmp, 24);
  Put32(bmp, 0);
  Put32(bmp, row_bytes * size);
  Put32(bmp, 2835);
  Put32(bmp, 2835);
  Put32(bmp, 0);
  Put32(bmp, 0);
  for (int y = 0; y < size; ++y) {  // bottom row first
    for (int x = 0; x < size; ++x) {
      const double dx = x - 7.5;
      const double dy = y - 7.5;
      const double d = std::sqrt(dx * dx + dy * dy);
      int c = transparent;
      if (d <= 5.2) c = colour;
      else if (d <= 6.8) c = 0xFFFFFF;
      else if (d <= 7.6) c = 0x606060;
      if (x == 0 && y == 0) c = transparent;
      bmp += static_cast<char>((c >> 16) & 0xFF);  // blue (BGR value: blue is the high byte)
      bmp += static_cast<char>((c >> 8) & 0xFF);
      bmp += static_cast<char>(c & 0xFF);
    }
  }
  return bmp;
}

void BuildDemoFolder(platform::FileSystem& fs, const std::string& folder_in, const store::Date& today) {
  std::string folder = folder_in;
  if (folder.empty() || folder.back() != '/') folder += '/';
  if (!fs.IsDirectory(folder) && !fs.MakeDirs(folder)) throw store::FileError("Cannot create " + folder);

  // Settings: the current version (no initial-settings dialog), a normal window, the month view.
  store::IniFile ini;
  ini.WriteString("Kalendor", "Ver", store::kSettingsVersion);
  ini.WriteInteger("Window", "State", 2);
  ini.WriteInteger("Window", "Width", 1180);
  ini.WriteInteger("Window", "Height", 860);
  ini.WriteInteger("Window", "PosMode", 0);
  ini.WriteInteger("Window", "GridMode", 4);
  ini.WriteInteger("Window", "TopList", 0);
  ini.WriteString("Memo", "DailyTitle", "yyyy/mm/dd(aaa)");
  ini.WriteString("Memo", "MonthlyTitle", "yyyy年m月のメモ");
  ini.WriteInteger("Monthly", "TopHeight", 610);
  ini.WriteInteger("Weekly", "TopHeight", 610);
  ini.WriteInteger("Weekly", "WeekNo", 3);
  // The tray shows today's number.
  ini.WriteBool("Tray", "TrayIcon", true);
  // F12's mini calendar underlines the days with schedules or ToDo items.
  ini.WriteBool("Mini", "SchLine", true);
  ini.Flush(fs, folder + "Kalendor.ini");

  // Holidays: the built-in public holidays, a private holiday and anniversaries.
  store::CreateHolidayFile(fs, folder);
  std::vector<std::string> holidays = store::LoadLines(fs, store::HolidayFilePath(folder));
  const int year = store::YearOf(today);
  const int month = store::MonthOf(today);
  auto add_holiday = [&](int day, int cls, const std::string& title, const std::string& from_year) {
    HolidayInput in = HolidayInputForDate(store::MakeDate(year, month, std::min(day, store::DaysInMonth(year, month))));
    in.title = title;
    in.bunrui = cls;
    in.from_year = from_year;
    holidays.push_back(BuildHolidayLine(in, false));
  };
  add_holiday(6, store::kClassPrivate, "創立記念日", "");
  add_holiday(12, store::kClassAnniversary1, "母の誕生日(%d歳)", std::to_string(year - 68));
  add_holiday(19, store::kClassAnniversary2, "結婚記念日", "");
  add_holiday(27, store::kClassAnniversary3, "給料日", "");
  store::SortLines(holidays);
  store::SaveLines(fs, store::HolidayFilePath(folder), holidays);

  // Categories with colours and icons; icons 6 to 9 are bitmaps of this folder.
  const std::vector<std::string> categories = {
      CategoryLine("未分類", -1, -1, 0),
      CategoryLine("仕事", 0x8B0000, 0xFFF0E0, 6),
      CategoryLine("打ち合わせ", 0x000000, 0xCCFFFF, 7),
      CategoryLine("出張・外出", 0x006400, 0xDDFFDD, 8),
      CategoryLine("プライベート", 0x800080, 0xF0E0FF, 9),
      CategoryLine("通院", 0x0000C0, -1, 0),
  };
  catalogues::SaveCategoryLines(fs, folder, categories);
  todo::WriteDemoTodoList(fs, folder, today);  // the ToDo panel and the calendar's ToDo marks
  const std::map<int, int> icon_colours = {{6, 0xC06020}, {7, 0x00A0E0}, {8, 0x20A020}, {9, 0xA040C0}};
  for (const auto& [number, colour] : icon_colours) {
    char name[32];
    std::snprintf(name, sizeof name, "Klcat%03d.bmp", number);
    std::string error;
    if (!fs.WriteAtomic(folder + name, DemoIconBitmap(colour), &error)) throw store::FileError(error);
  }

  // Schedules.
  const std::vector<DemoSchedule> schedules = {
      {0, 2, "10:00", "11:30", "打ち合わせ", "企画会議", "第1会議室", 1, 0, 0, 0, 0, {"議題: 来期の販売計画", "資料を10部印刷"}},
      {0, 3, "", "", "プライベート", "燃えるゴミ", ""},
      {0, 4, "09:00", "", "仕事", "週次報告の提出", "", 0, 0, 0, 0, 0, {}, 1},
      {0, 5, "13:00", "14:00", "通院", "歯医者", "さくら歯科", 2},
      {0, 7, "", "", "出張・外出", "大阪出張", "", 0, 3, 0x80C0FF, 0x003060, 3},
      {0, 9, "18:30", "21:00", "プライベート", "同窓会", "銀座", 0},
      {0, 11, "10:00", "12:00", "打ち合わせ", "A社と打ち合わせ", "A社本社", 1},
      {0, 11, "15:00", "16:00", "仕事", "見積書の作成", ""},
      {0, 13, "", "", "仕事", "展示会", "", 0, 2, 0xFFC080, 0x400000, 1},
      {0, 14, "14:00", "15:00", "打ち合わせ", "定例ミーティング", "オンライン", 1},
      {0, 16, "", "", "プライベート", "家族旅行(箱根)", "", 0, 4, 0xA0E0A0, 0x004000, 2, {"ロマンスカー 9:10発", "宿: 強羅"}},
      {0, 18, "09:30", "10:30", "仕事", "部内会議", "", 0},
      {0, 18, "12:00", "13:00", "プライベート", "ランチ", "駅前のカフェ"},
      {0, 18, "10:00", "11:00", "打ち合わせ", "来客対応", "応接室"},
      {0, 18, "10:15", "12:30", "仕事", "資料作成", ""},
      {0, 18, "16:00", "17:00", "打ち合わせ", "B社来訪", "応接室", 1},
      {0, 18, "19:00", "", "プライベート", "ジム", ""},
      {0, 18, "21:00", "", "", "読書", ""},
      {0, 21, "", "", "", "定期健康診断", "", 0, 0, 0, 0, 0, {"前日21時以降は絶食"}},
      {0, 22, "", "", "仕事", "研修週間", "", 0, 5, 0xC0C0FF, 0x000060, 4},
      {0, 23, "11:00", "12:00", "通院", "眼科", "", 1},
      {0, 25, "10:00", "17:00", "仕事", "システム更新作業", "サーバー室", 0, 0, 0, 0, 0, {}, 1},
      {0, 28, "", "", "出張・外出", "福岡出張", "", 0, 6, 0x60E0FF, 0x004060, 0},
      {0, 30, "18:00", "", "プライベート", "映画", "新宿"},
      {-1, 27, "", "", "仕事", "月末締め", ""},
      {1, 2, "10:00", "11:00", "打ち合わせ", "キックオフ", "大会議室", 1},
      {1, 6, "", "", "プライベート", "買い物", ""},
  };
  std::map<std::pair<int, int>, std::vector<std::string>> month_lines;
  std::map<std::pair<int, int>, std::vector<std::string>> detail_lines;
  for (const DemoSchedule& s : schedules) {
    const store::Date first = store::AddMonths(store::MakeDate(year, month, 1), s.month_offset);
    const int y = store::YearOf(first);
    const int m = store::MonthOf(first);
    store::ScheduleFields f;
    f.day = std::min(s.day, store::DaysInMonth(y, m));
    f.start = s.start;
    f.end = s.end;
    f.category = s.category;
    f.title = s.title;
    f.place = s.place;
    f.alarm1 = s.alarm1;
    f.font_style = s.font_style;
    if (s.span > 0) {
      f.span = s.span;
      f.bar_colour = s.bar_colour;
      f.text_colour = s.text_colour;
      f.bar_style = s.bar_style;
    }
    auto& lines = month_lines[{y, m}];
    if (!s.memo.empty()) {
      f.detail = static_cast<int>(detail_lines[{y, m}].size()) + 1;
      detail_lines[{y, m}].push_back(store::BuildDetailLine(f.detail, s.memo).value_or(""));
    }
    const store::BuildResult built = store::BuildScheduleLine(f);
    if (!built.ok) throw store::FileError(built.message);
    lines.push_back(built.line);
  }
  for (auto& [ym, lines] : month_lines) {
    store::SortLines(lines);
    store::SaveLines(fs, store::MonthFilePath(folder, ym.first, ym.second), lines);
  }
  for (auto& [ym, lines] : detail_lines) {
    store::SortLines(lines);
    store::SaveLines(fs, store::DetailFilePath(folder, ym.first, ym.second), lines);
  }

  // Day file of the month: weather diary, day colours, marks and memo-icon colours.
  std::vector<std::string> day_lines;
  store::FillDayLines(day_lines);
  const std::string day_path = store::DayFilePath(folder, year, month);
  store::SaveLines(fs, day_path, day_lines);
  struct Weather {
    int day, w1, transition, w2;
    const char *max, *min, *rain;
  };
  const Weather weather[] = {{1, 1, 0, 0, "24", "15", "10"}, {2, 1, 1, 2, "22", "14", "30"},
                             {3, 3, 0, 0, "18", "13", "90"}, {4, 2, 2, 3, "19", "12", "60"},
                             {5, 1, 0, 0, "23", "13", "0"},  {8, 4, 0, 0, "3", "-2", "80"}};
  for (const Weather& w : weather) {
    store::WeatherInput in;
    in.weather1 = w.w1;
    in.transition = w.transition;
    in.weather2 = w.w2;
    in.max_temp = w.max;
    in.min_temp = w.min;
    in.rain = w.rain;
    store::StoreWeather(fs, day_path, w.day, in);
  }
  day_lines = store::LoadLines(fs, day_path);
  auto set_line = [&](int day, char code, const std::string& colour, char memo_colour) {
    std::string line = store::RebuildDayLine(day_lines[static_cast<std::size_t>(day)], code, colour);
    if (memo_colour != 0) {
      store::PadLine(line, 6);
      line[5] = memo_colour;
    }
    day_lines[static_cast<std::size_t>(day)] = line;
  };
  set_line(10, '9', store::ColourText(0xE0F8FF), 0);
  set_line(15, 'M', store::ColourText(0x3030E0), 0);
  set_line(24, 'S', store::ColourText(0xC08000), 0);
  store::SaveLines(fs, day_path, day_lines);

  // Day memos.
  const std::pair<int, std::vector<std::string>> memos[] = {
      {2, {"会議の議事録を共有する", "次回は来週の水曜日"}},
      {12, {"プレゼントを買う(花束)"}},
      {18, {"B社: 見積書の件", "持参するもの: 名刺、資料"}},
  };
  for (const auto& [day, lines] : memos)
    store::SaveMemo(fs, folder, store::MemoId{year, month, std::min(day, store::DaysInMonth(year, month))}, lines);
  // Memo-icon colours for two of them.
  day_lines = store::LoadLines(fs, day_path);
  store::FillDayLines(day_lines);
  set_line(12, day_lines[12].size() > 1 ? day_lines[12][1] : '0', "", '1');
  set_line(18, day_lines[18].size() > 1 ? day_lines[18][1] : '0', "", '4');
  store::SaveLines(fs, day_path, day_lines);

  // The month's memo, and three notes, one of them with links.
  store::SaveMemo(fs, folder, store::MemoId::OfMonth(year, month),
                  {"今月の目標", "・毎朝30分の散歩", "・読書を2冊", "", "支払い: 25日までに家賃"});
  store::SaveNoteTitles(fs, folder, {"買い物", "リンク集", "アイデア"});
  store::SaveNote(fs, folder, "買い物", {"牛乳", "食パン", "卵 (10個入り)", "洗剤\t詰め替え用"});
  store::SaveNote(fs, folder, "リンク集",
                  {"https://www.jma.go.jp/ 気象庁の天気予報", "http://example.jp/kalendor/ 使い方",
                   "mailto:info@example.jp 問い合わせ先", "file:///usr/share/doc/ 文書フォルダ", "リンクではない行"});
  store::SaveNote(fs, folder, "アイデア", {"週末に家族で日帰り旅行", "カレンダーを印刷して冷蔵庫に貼る"});
  // A spreadsheet's CSV for "インポート(&I)" > "スケジュール(&S)": next month's schedules with a
  // header line, a memo of two lines, a multi-day trip and one record twice (the duplicate option
  // leaves the second out).
  const store::Date next = store::AddMonths(store::MakeDate(year, month, 1), 1);
  const std::string ym = store::DateText(next).substr(0, 8);
  store::SaveLines(fs, folder + "ImportSample.csv",
                   {Sjis("件名,開始日,開始時刻,終了日,終了時刻,場所,説明"),
                    Sjis("定例会議," + ym + "05,10:00,," + "11:00,本社,\"議題: 予算\r\n資料は前日までに\""),
                    Sjis("歯医者," + ym + "08,17:30,,,駅前クリニック,"),
                    Sjis("出張," + ym + "12,," + ym + "14,,大阪,"),
                    Sjis("歯医者," + ym + "08,17:30,,,駅前クリニック,")});
}

}  // namespace kal::app
