// Reading and sorting month files: the work every reload and every store repeats.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Codec.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace {

// A dense month: `count` lines with times, Japanese titles and places, a few with details.
std::vector<std::string> MakeMonth(int count) {
  std::mt19937 rng(42);
  const char* titles[] = {"定例会議", "打ち合わせ", "Dentist", "出張（大阪）", "Lunch with 田中さん"};
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    char head[32];
    std::snprintf(head, sizeof head, "%02d%02d:%02d     ", 1 + int(rng() % 28), int(rng() % 24), int(rng() % 60));
    std::string line = head;
    line += kal::store::PadField("", 14) + "0000";
    line += kal::store::PadField(*kal::platform::Utf8ToCp932(titles[rng() % 5]), 40);
    line += kal::store::PadField(*kal::platform::Utf8ToCp932("本社 第3会議室"), 40);
    line += "000";
    lines.push_back(line);
  }
  return lines;
}

void BM_SortMonth(benchmark::State& state) {
  auto month = MakeMonth(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto copy = month;
    kal::store::SortLines(copy);
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_SortMonth)->Arg(300)->Arg(3000);

void BM_ReadFields(benchmark::State& state) {
  auto month = MakeMonth(300);
  for (auto _ : state) {
    std::size_t total = 0;
    for (const auto& line : month) total += kal::store::Field(line, 31, 40).size() + kal::store::Field(line, 71, 40).size();
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_ReadFields);

void BM_SplitAndJoin(benchmark::State& state) {
  std::string bytes = kal::store::JoinLines(MakeMonth(300));
  for (auto _ : state) {
    auto lines = kal::store::SplitLines(bytes);
    benchmark::DoNotOptimize(kal::store::JoinLines(lines).size());
  }
}
BENCHMARK(BM_SplitAndJoin);

}  // namespace
