// Placing a day's timed schedules as timeline blocks, which runs for every shown day after every
// reload: a busy day of overlapping schedules (every lane judged against every block placed
// before it) and a week of ordinary days.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "mainwindow/Timeline.h"
#include "model/MonthModel.h"
#include "store/Record.h"

namespace {

using namespace kal;

// `count` schedules from 8:00 on, each starting ten minutes after the one before and lasting
// 30 to 120 minutes, so that up to a dozen overlap at once.
std::vector<std::string> BusyDay(int count) {
  std::vector<std::string> entries;
  for (int i = 0; i < count; ++i) {
    const int start = 8 * 60 + (i * 10) % (14 * 60);
    const int end = start + 30 + (i * 37) % 91;
    char times[16];
    std::snprintf(times, sizeof times, "%02d:%02d%02d:%02d", start / 60, start % 60, end / 60, end % 60);
    const std::string line = "15" + std::string(times, 5) + std::string(times + 5, 5) + std::string(14, ' ') + "0000" +
                             store::PadField("schedule", 40) + std::string(40, ' ') + "000" + "00";
    entries.push_back(store::MakeEntry("SC", '5', i, line));
  }
  return entries;
}

void PlaceBusyDay(benchmark::State& state) {
  const std::vector<std::string> entries = BusyDay(static_cast<int>(state.range(0)));
  mainwindow::PlacementOptions options;
  options.range = {0, 36};
  options.flags = std::string(31, '1');
  for (auto _ : state) benchmark::DoNotOptimize(mainwindow::PlaceBlocks(entries, options));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(PlaceBusyDay)->Arg(10)->Arg(50)->Arg(200)->Complexity();

void PlaceOrdinaryWeek(benchmark::State& state) {
  const std::vector<std::string> day = BusyDay(6);
  mainwindow::PlacementOptions options;
  options.range = {8, 20};
  options.flags = std::string(31, '1');
  for (auto _ : state)
    for (int d = 0; d < 7; ++d) benchmark::DoNotOptimize(mainwindow::PlaceBlocks(day, options));
}
BENCHMARK(PlaceOrdinaryWeek);

}  // namespace
