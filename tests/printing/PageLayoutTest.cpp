#include "printing/PageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/MonthModel.h"
#include "platform/FileSystem.h"
#include "store/HolidayFile.h"
#include "store/ScheduleFile.h"
#include "store/Settings.h"
#include "store/TextFile.h"
#include "support/FixedTextMeasure.h"
#include "support/TempFolder.h"

namespace kal::printing {
namespace {

using store::MakeDate;

std::string Schedule(int day, const std::string& title, const std::string& start = "", const std::string& end = "",
                     const std::string& place = "", int span = 0) {
  store::ScheduleFields f;
  f.day = day;
  f.title = title;
  f.start = start;
  f.end = end;
  f.place = place;
  f.span = span;
  return store::BuildScheduleLine(f).line;
}

// A ToDo record as the ToDo list stores it: the done flag at 24, the subject at 57.
std::string TodoRecord(const std::string& subject, bool done) {
  std::string record(56, ' ');
  record[23] = done ? '1' : '0';
  return record + test::Sjis(subject);
}

// May 2024 in the monthly view: a data folder, the model built for it, an A4 landscape page at
// 144 dots per inch measured with a fixed advance.
class PageFixture : public ::testing::Test {
 protected:
  PageFixture() {
    settings = store::DefaultSettings(store::SettingsDefaults{"/p/", "IPAexGothic", 9});
    settings.view.str_week = 0;  // Sunday first
    store::CreateHolidayFile(fs, dir.path());
  }

  void Month(int year, int month, const std::vector<std::string>& lines) {
    dir.Write(store::MonthStem(year, month) + ".sch", store::JoinLines(lines));
  }

  PageResult Build(int mode = 4, store::Date selected = MakeDate(2024, 5, 1)) {
    store::ModelRequest request;
    request.view_mode = mode;
    request.selected = selected;
    request.today = MakeDate(2024, 5, 20);
    request.data_folder = dir.path();
    request.memo_folder = dir.path();
    request.options = store::ModelOptionsOf(settings, mode);
    request.todo_marks = todos;
    store::SchUpdate(model, fs, request);
    PageRequest page = PageRequestFor(PageSource{&settings, &model, nullptr, mode, selected, request.today, "IPAexGothic"}, print);
    page.paper_width_mm = paper_w;
    page.paper_height_mm = paper_h;
    page.dpi = 144;
    return BuildPage(page, measure);
  }

  // The text runs whose text is `text`.
  static std::vector<TextItem> Runs(const Page& page, const std::string& text) {
    std::vector<TextItem> out;
    for (const PageItem& item : page.items)
      if (const auto* t = std::get_if<TextItem>(&item); t && t->text == text) out.push_back(*t);
    return out;
  }
  static bool Has(const Page& page, const std::string& text) { return !Runs(page, text).empty(); }

  test::TempFolder dir;
  platform::PosixFileSystem fs;
  store::Settings settings;
  store::MonthModel model;
  PrintSettings print = DefaultPrintSettings("IPAexGothic");
  std::vector<store::TodoMark> todos;
  double paper_w = 297, paper_h = 210;
  test::FixedTextMeasure measure;
};

TEST_F(PageFixture, TheDefaultPageHasTitleDateHeaderAndTheMonthsDays) {
  Month(2024, 5, {Schedule(15, "会議", "09:00", "10:00", "本社")});
  todos.push_back({MakeDate(2024, 5, 15), 5, 0, TodoRecord("買い物", false)});
  const PageResult r = Build();
  ASSERT_TRUE(r.ok) << r.message;
  const Page& page = r.page;
  EXPECT_EQ(page.width, 1684);  // 297 mm at 144 dpi
  EXPECT_EQ(page.height, 1191);
  // The title starts at the top margin, at the left margin, inside the page above the grid.
  const auto title = Runs(page, "2024年 5月のスケジュール");
  ASSERT_EQ(title.size(), 1u);
  EXPECT_EQ(title[0].box.top, MmToDots(10, 144));
  EXPECT_EQ(title[0].box.left, MmToDots(10, 144));
  EXPECT_EQ(title[0].box.right, 1684 - MmToDots(10, 144));
  EXPECT_EQ(title[0].align, TextAlign::Left);
  EXPECT_EQ(title[0].font, (PageFont{"IPAexGothic", 28, 2}));  // 14 points, italic
  // The creation date, right-aligned at the bottom of the title band.
  const auto date = Runs(page, "2024.05.20");
  ASSERT_EQ(date.size(), 1u);
  EXPECT_EQ(date[0].align, TextAlign::Right);
  EXPECT_EQ(date[0].box.bottom, title[0].box.bottom);
  // Seven captions, Sunday first, then five week rows: 28 April to 1 June.
  const std::vector<std::string> texts = page.Texts();
  const auto sunday = std::find(texts.begin(), texts.end(), "日曜日");
  ASSERT_NE(sunday, texts.end());
  EXPECT_EQ(std::vector<std::string>(sunday, sunday + 7),
            (std::vector<std::string>{"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"}));
  EXPECT_TRUE(Has(page, "4/28"));  // the first cell shows its month
  EXPECT_TRUE(Has(page, "5/1"));   // so does the first day of a month
  EXPECT_TRUE(Has(page, " 2"));
  EXPECT_TRUE(Has(page, "6/1"));
  EXPECT_FALSE(Has(page, " 3") && Has(page, "6/2"));
  EXPECT_TRUE(Has(page, "09:00-10:00 会議（本社）"));
  EXPECT_TRUE(Has(page, "こどもの日"));
  EXPECT_TRUE(Has(page, "立夏りっか"));
  EXPECT_FALSE(Has(page, "買い物"));  // the ToDo items are off
  // Rokuyo in grey after the day number, smaller than both fonts.
  const auto rokuyo = Runs(page, "大安");
  ASSERT_FALSE(rokuyo.empty());
  EXPECT_EQ(rokuyo[0].colour, kGrey);
  EXPECT_EQ(rokuyo[0].font.pixels, PointsToDots(8, 144));
  // Every run lies inside the page and inside its clip.
  for (const PageItem& item : page.items) {
    if (const auto* t = std::get_if<TextItem>(&item)) {
      EXPECT_GE(t->clip.left, 0);
      EXPECT_LE(t->clip.right, page.width);
      EXPECT_LE(t->clip.bottom, page.height - MmToDots(10, 144)) << t->text;
    }
  }
}

TEST_F(PageFixture, TitlePositionAndBottomDateLine) {
  print.title_pos = 1;
  print.date_pos = 1;
  print.date = "yyyy年 m月 d日";
  Month(2024, 5, {});
  Page page = Build().page;
  EXPECT_EQ(Runs(page, "2024年 5月のスケジュール")[0].align, TextAlign::Centre);
  const auto date = Runs(page, "2024年 5月 20日");
  ASSERT_EQ(date.size(), 1u);
  EXPECT_EQ(date[0].box.bottom, page.height - MmToDots(10, 144));
  print.date = "(なし)";
  print.title_pos = 2;
  page = Build().page;
  EXPECT_EQ(Runs(page, "2024年 5月のスケジュール")[0].align, TextAlign::Right);
  for (const std::string& t : page.Texts()) EXPECT_EQ(t.find("2024年 5月 20日"), std::string::npos);
}

TEST_F(PageFixture, ScheduleTextFollowsTheScheduleItems) {
  Month(2024, 5, {Schedule(15, "会議", "09:00", "10:00", "本社"), Schedule(16, "昼食", "12:00")});
  struct Case {
    const char* items;
    const char* first;
    const char* second;
  };
  for (const Case& c : {Case{"11111111100", "09:00-10:00 会議（本社）", "12:00 昼食"},
                        Case{"10010111100", "会議", "昼食"},
                        Case{"11010111100", "09:00 会議", "12:00 昼食"},
                        Case{"10110111100", "-10:00 会議", "昼食"},
                        Case{"10011111100", "会議（本社）", "昼食"}}) {
    print.items = c.items;
    const Page page = Build().page;
    EXPECT_TRUE(Has(page, c.first)) << c.items;
    EXPECT_TRUE(Has(page, c.second)) << c.items;
  }
}

TEST_F(PageFixture, WithAllItemsOffOnlyDayNumbersArePrinted) {
  Month(2024, 5, {Schedule(15, "会議", "09:00")});
  todos.push_back({MakeDate(2024, 5, 15), 6, 0, TodoRecord("済んだ用事", true)});
  print.items = "00000000000";
  const Page page = Build().page;
  const std::vector<std::string> texts = page.Texts();
  // Title, date, seven captions, then only day numbers.
  ASSERT_EQ(texts.size(), 2u + 7u + 35u);
  for (std::size_t i = 9; i < texts.size(); ++i) {
    EXPECT_NE(texts[i].find_first_of("0123456789"), std::string::npos) << texts[i];
    EXPECT_LE(texts[i].size(), 5u) << texts[i];
  }
  print.items = "00000000011";
  EXPECT_TRUE(Has(Build().page, "済んだ用事"));
  print.items = "00000000010";
  EXPECT_FALSE(Has(Build().page, "済んだ用事"));
}

TEST_F(PageFixture, AFourDayScheduleFromAFridayGivesTwoBars) {
  // Friday 10 May to Monday 13 May 2024, Sunday-first weeks.
  Month(2024, 5, {Schedule(10, "研修旅行", "", "", "", 4)});
  const Page page = Build().page;
  const auto bars = Runs(page, "研修旅行");
  ASSERT_EQ(bars.size(), 2u);
  const int grid_left = MmToDots(10, 144) + 1;
  const int grid_width = (1684 - MmToDots(10, 144) - 1) - grid_left;
  auto column_x = [&](int c) { return grid_left + grid_width * c / 7; };
  // Friday and Saturday of the second row, 2 dots in from the bar's ends.
  EXPECT_EQ(bars[0].box.left, column_x(5) + 1 + 2);
  EXPECT_EQ(bars[0].box.right, column_x(7) - 1 - 2);
  // Sunday and Monday of the third row.
  EXPECT_EQ(bars[1].box.left, column_x(0) + 1 + 2);
  EXPECT_EQ(bars[1].box.right, column_x(2) - 1 - 2);
  EXPECT_GT(bars[1].box.top, bars[0].box.bottom);
  // Black text on silver, framed in black (RenWaku), or in the fill colour without it.
  auto frames_of = [](const Page& p, const TextItem& bar) {
    std::vector<FrameItem> out;
    for (const PageItem& item : p.items)
      if (const auto* f = std::get_if<FrameItem>(&item); f && f->box.top == bar.box.top && f->box.left == bar.box.left - 2)
        out.push_back(*f);
    return out;
  };
  EXPECT_EQ(bars[0].colour, kBlack);
  // Nothing filled later covers a bar: the cells it runs over got their backgrounds first.
  for (const TextItem& bar : bars) {
    const PageBox box{bar.box.left - 2, bar.box.top, bar.box.right + 2, bar.box.bottom};
    bool after_bar = false;
    for (const PageItem& item : page.items) {
      const auto* f = std::get_if<FillItem>(&item);
      if (f == nullptr) continue;
      if (f->box == box) {
        EXPECT_EQ(f->colour, kSilver);
        after_bar = true;
      } else if (after_bar) {
        EXPECT_FALSE(f->box.left < box.right && box.left < f->box.right && f->box.top < box.bottom &&
                     box.top < f->box.bottom)
            << "a fill over the bar " << f->box.left << "," << f->box.top;
      }
    }
    EXPECT_TRUE(after_bar);
  }
  ASSERT_EQ(frames_of(page, bars[0]).size(), 1u);
  EXPECT_EQ(frames_of(page, bars[0])[0].colour, kBlack);
  print.ren_waku = false;
  const Page plain = Build().page;
  EXPECT_EQ(frames_of(plain, Runs(plain, "研修旅行")[0])[0].colour, kSilver);
}

TEST_F(PageFixture, OtherMonthDaysFollowOtherMonth) {
  // 29 April is 昭和の日; 28 to 30 April lead the May grid.
  Month(2024, 4, {Schedule(29, "前月の予定")});
  struct Case {
    int other_month;
    bool printed;
    int colour;
  };
  for (const Case& c : {Case{0, false, 0}, Case{1, true, kBlack}, Case{2, true, kGrey}}) {
    print.other_month = c.other_month;
    const Page page = Build().page;
    for (const char* text : {"4/28", "前月の予定", "昭和の日"}) {
      const auto runs = Runs(page, text);
      EXPECT_EQ(!runs.empty(), c.printed) << c.other_month << " " << text;
      if (!runs.empty()) {
        EXPECT_EQ(runs[0].colour, c.colour) << c.other_month << " " << text;
      }
    }
    EXPECT_EQ(Runs(page, "5/1")[0].colour, kBlack);
  }
}

TEST_F(PageFixture, EntriesThatDoNotFitAreLeftOutAndWrappedLinesStayInTheCell) {
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) lines.push_back(Schedule(15, "予定" + std::to_string(10 + i)));
  lines.push_back(Schedule(16, "とても長い件名で一行に入りきらない予定"));
  Month(2024, 5, lines);
  Page page = Build().page;
  const auto first = Runs(page, "予定10");
  ASSERT_EQ(first.size(), 1u);
  EXPECT_FALSE(Has(page, "予定39"));
  int last_bottom = 0;
  for (int i = 0; i < 30; ++i)
    for (const TextItem& t : Runs(page, "予定" + std::to_string(10 + i))) last_bottom = std::max(last_bottom, t.box.bottom);
  EXPECT_LE(last_bottom, first[0].clip.bottom);
  EXPECT_GT(last_bottom + 2 * measure.LineHeight(first[0].font), first[0].clip.bottom);  // the cell is full
  // Without wrapping the long title is one run cut at the cell; with it, lines no wider than the cell.
  EXPECT_TRUE(Has(page, "とても長い件名で一行に入りきらない予定"));
  print.sch_cr = true;
  page = Build().page;
  EXPECT_FALSE(Has(page, "とても長い件名で一行に入りきらない予定"));
  std::string joined;
  for (const PageItem& item : page.items) {
    const auto* t = std::get_if<TextItem>(&item);
    if (!t || t->font.pixels != PointsToDots(9, 144) || t->clip.left != Runs(page, "16")[0].clip.left) continue;
    if (t->text == "16") continue;
    EXPECT_LE(measure.Width(t->font, t->text), t->clip.width()) << t->text;
    joined += t->text;
  }
  EXPECT_EQ(joined, "とても長い件名で一行に入りきらない予定");
}

TEST_F(PageFixture, MarginsLargerThanThePageAreRefused) {
  Month(2024, 5, {});
  struct Case {
    int left, right, top, bottom;
    double w, h;
  };
  for (const Case& c : {Case{150, 150, 10, 10, 297, 210}, Case{10, 10, 100, 110, 297, 210},
                        Case{10, 10, 10, 10, 0, 0}, Case{10, 10, 100, 100, 297, 210}}) {
    print.left = c.left;
    print.right = c.right;
    print.top = c.top;
    print.bottom = c.bottom;
    paper_w = c.w;
    paper_h = c.h;
    const PageResult r = Build();
    EXPECT_FALSE(r.ok) << c.left << " " << c.top;
    EXPECT_EQ(r.message, kPageAreaMessage);
    EXPECT_TRUE(r.page.items.empty());
  }
}

TEST_F(PageFixture, ColourPrintingTakesTheWindowsColours) {
  store::ScheduleFields bar;
  bar.day = 13;
  bar.title = "色付きの出張";
  bar.span = 2;
  bar.text_colour = 0x0000FF;
  bar.bar_colour = 0xFFC080;
  Month(2024, 5, {store::BuildScheduleLine(bar).line});
  print.title_font.colour = 0x008000;
  struct Case {
    bool colour;
    int title, header_saturday, bar_fill, bar_text, holiday_back, sunday_back;
  };
  const store::ColorSettings& c = settings.color;
  for (const Case& k : {Case{false, kBlack, kSilver, kSilver, kBlack, kSilver, kWhite},
                        Case{true, 0x008000, c.sah.back, 0xFFC080, 0x0000FF, c.syu.back, c.sun.back}}) {
    print.color = k.colour;
    const Page page = Build().page;
    EXPECT_EQ(Runs(page, "2024年 5月のスケジュール")[0].colour, k.title) << k.colour;
    auto fill_under = [&](const TextItem& t) {
      int colour = -1;
      for (const PageItem& item : page.items) {
        const auto* f = std::get_if<FillItem>(&item);
        if (f && f->box.left <= t.box.left && t.box.left < f->box.right && f->box.top <= t.box.top &&
            t.box.top < f->box.bottom)
          colour = f->colour;  // the last fill under the text's corner
      }
      return colour;
    };
    EXPECT_EQ(fill_under(Runs(page, "土曜日")[0]), k.header_saturday) << k.colour;
    const TextItem bar_text = Runs(page, "色付きの出張")[0];
    EXPECT_EQ(bar_text.colour, k.bar_text) << k.colour;
    EXPECT_EQ(fill_under(bar_text), k.bar_fill) << k.colour;
    EXPECT_EQ(fill_under(Runs(page, "こどもの日")[0]), k.holiday_back) << k.colour;
    EXPECT_EQ(fill_under(Runs(page, "12")[0]), k.sunday_back) << k.colour;  // Sunday 12 May
  }
}

TEST_F(PageFixture, HiddenWeekEndsLeaveFiveColumns) {
  settings.view_mode(4).sat_sun_no = true;
  settings.view.str_week = 1;
  Month(2024, 5, {Schedule(11, "土曜の予定"), Schedule(10, "金曜の予定")});
  const Page page = Build().page;
  EXPECT_TRUE(Has(page, "月曜日"));
  EXPECT_TRUE(Has(page, "金曜日"));
  EXPECT_FALSE(Has(page, "土曜日") || Has(page, "日曜日"));
  EXPECT_TRUE(Has(page, "金曜の予定"));
  EXPECT_FALSE(Has(page, "土曜の予定"));
  // Five equal columns.
  const auto friday = Runs(page, "金曜日");
  EXPECT_EQ(friday[0].clip.right, 1684 - MmToDots(10, 144) - 1);
  EXPECT_NEAR(friday[0].clip.width() * 5, 1684 - 2 * MmToDots(10, 144) - 2, 5);
}

TEST_F(PageFixture, TheMultiWeekViewTakesTheWindowCaptionAndItsWeekCount) {
  settings.view_mode(3).week_no = 2;
  Month(2024, 5, {Schedule(20, "週の予定")});
  const PageResult r = Build(3, MakeDate(2024, 5, 20));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.page.Texts()[0], PageTitle(print, settings, 3, MakeDate(2024, 5, 20)));
  EXPECT_NE(r.page.Texts()[0].find("2024"), std::string::npos);
  EXPECT_TRUE(Has(r.page, "5/19"));
  EXPECT_TRUE(Has(r.page, "週の予定"));
  EXPECT_FALSE(Has(r.page, " 2") || Has(r.page, "6/2"));
  // The views without day cells are not printed.
  EXPECT_EQ(Build(5).message, kPrintViewMessage);
}

TEST(PageUnits, MillimetresPointsAndPens) {
  EXPECT_EQ(MmToDots(25.4, 600), 600);
  EXPECT_EQ(MmToDots(10, 600), 236);
  EXPECT_EQ(PointsToDots(12, 600), 100);
  EXPECT_EQ(PenWidth(600, 3), 13);
  EXPECT_EQ(PenWidth(72, 1), 1);  // never thinner than one dot
}

}  // namespace
}  // namespace kal::printing
