// Reading an iCalendar file of 10 000 events with the import's reader, against libical's bare
// parse of the same file (the reader parses with libical, then converts times and texts; the
// goal is to stay within 1.5 times the bare parse). Also the export of as many schedules.
#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <cstdio>
#include <string>
#include <vector>

#include "import/CalendarImport.h"
#include "listing/ICalendarExport.h"

namespace {

std::vector<kal::listing::ScheduleItem> MakeSchedules(int count) {
  std::vector<kal::listing::ScheduleItem> items;
  for (int i = 0; i < count; ++i) {
    kal::listing::ScheduleItem s;
    s.date = kal::store::AddDays(kal::store::MakeDate(2024, 1, 1), i % 366);
    char t[8];
    std::snprintf(t, sizeof t, "%02d:%02d", 8 + i % 10, (i * 7) % 60);
    s.start = t;
    std::snprintf(t, sizeof t, "%02d:%02d", 9 + i % 10, (i * 7) % 60);
    s.end = t;
    s.title = "定例会議 第" + std::to_string(i) + "回, 本社";
    s.place = "第3会議室";
    s.category = "仕事";
    if (i % 3 == 0) s.memo = {"議題: 来期の計画", "資料を10部印刷; 配布"};
    items.push_back(std::move(s));
  }
  return items;
}

const std::string& File() {
  static const std::string file = kal::listing::ScheduleICalendar(MakeSchedules(10000), {});
  return file;
}

void BM_LibicalBareParse(benchmark::State& state) {
  const std::string& file = File();
  for (auto _ : state) {
    icalcomponent* c = icalparser_parse_string(file.c_str());
    benchmark::DoNotOptimize(c);
    icalcomponent_free(c);
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LibicalBareParse)->Unit(benchmark::kMillisecond);

void BM_ReadICalendar(benchmark::State& state) {
  const std::string& file = File();
  for (auto _ : state) {
    auto result = kal::import::ReadICalendar(file);
    benchmark::DoNotOptimize(result.events.data());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ReadICalendar)->Unit(benchmark::kMillisecond);

void BM_ExportICalendar(benchmark::State& state) {
  const auto items = MakeSchedules(10000);
  for (auto _ : state) {
    auto bytes = kal::listing::ScheduleICalendar(items, {});
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ExportICalendar)->Unit(benchmark::kMillisecond);

}  // namespace
