// The timelines and the many-month views show exactly the entries that `kalendor-cli model`
// lists for the days they show: no entry is lost between the model, the block placement and the
// header rows, and the views hold the same months.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "app/DemoFolder.h"
#include "app/Startup.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/ManyMonthDays.h"
#include "mainwindow/TimelineDays.h"
#include "mainwindow/ViewModes.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;
using Shown = std::map<std::string, std::multiset<std::string>>;  // date -> "key kind index"

std::string Id(const DayEntry& e) { return e.key + " " + std::string(1, e.kind) + " " + e.index; }

class ViewEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::BuildDemoFolder(fs, dir.path(), today);
    session = app::ReadSession(dir.path(), app::kDefaultFontName, fs, today).session;
    for (int mode = 1; mode <= 8; ++mode) session.settings.view_mode(mode).item_view = std::string(31, '1');
    ctx.settings = &session.settings;
    ctx.today = today;
  }

  // What `model yyyymm --view N` lists for the dates in `dates`.
  Shown Listed(int mode, const std::string& stem, const std::set<std::string>& dates) {
    const test::CliRun r = test::RunCliIn(dir, {"--today", "2027/01/18", "model", stem, "--view", std::to_string(mode)});
    EXPECT_EQ(r.status, 0) << r.err;
    Shown out;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("E\t", 0) != 0) continue;
      std::vector<std::string> f;
      std::istringstream fields(line);
      for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
      if (dates.count(f[2])) out[f[2]].insert(f[3] + " " + f[4] + " " + f[5]);
    }
    return out;
  }

  void Reload(int mode, const Date& selected) {
    model.Reload(fs, session.settings, mode, selected, today, session.folders.data, session.folders.memo);
    ctx.mode = mode;
  }

  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const Date today = MakeDate(2027, 1, 18);
  app::Session session;
  GridModel model;
  CellContext ctx;
};

TEST_F(ViewEntriesTest, TimelinesShowEveryEntryOfTheirDaysAsABlockOrInTheHeader) {
  for (int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    const Date first = MakeDate(2027, 1, 1);
    Reload(mode, first);
    // The model of the 1st holds December to February: a window of the 16th to the 22nd lies in it.
    std::vector<CellDay> days;
    std::set<std::string> dates;
    for (int d = 16; d <= 22; ++d) {
      CellDay day = model.Day(MakeDate(2027, 1, d));
      day.date = MakeDate(2027, 1, d);
      days.push_back(day);
      dates.insert(store::DateText(*day.date));
    }
    const auto columns = BuildTimelineColumns(days, ctx, TimelineSettingsOf(session.settings, mode));
    Shown shown;
    std::size_t blocks = 0;
    for (const TimelineColumn& column : columns) {
      auto& ids = shown[store::DateText(column.date)];
      for (const BlockLook& look : column.looks) ids.insert(Id(look.entry));
      for (const CellLine& line : column.header.lines)
        if (line.band != -2) ids.insert(Id(line.entry));
      blocks += column.looks.size();
    }
    EXPECT_GE(blocks, 6u);  // the timed schedules of the 18th, 23rd and so on
    EXPECT_EQ(shown, Listed(mode, "202701", dates));
  }
}

TEST_F(ViewEntriesTest, ManyMonthViewsShowEveryEntryOfTheirCells) {
  for (int mode : {5, 6, 7, 8}) {
    SCOPED_TRACE(mode);
    Reload(mode, MakeDate(2027, 1, 1));
    const ManyMonthGrid grid = ManyMonthDays(mode, 2027, 1, ModeCount(session.settings, mode));
    Shown shown;
    std::set<std::string> dates;
    for (const auto& row : grid.dates) {
      for (const auto& date : row) {
        if (!date) continue;
        CellDay day = model.Day(*date);
        day.date = date;
        const std::string text = store::DateText(*date);
        dates.insert(text);
        ctx.displayed_year = store::YearOf(*date);
        ctx.displayed_month = store::MonthOf(*date);
        for (const CellLine& line : BuildCell(day, ctx).lines)
          if (line.band != -2) shown[text].insert(Id(line.entry));
      }
    }
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(shown, Listed(mode, "202701", dates));
  }
}

}  // namespace
}  // namespace kal::mainwindow
