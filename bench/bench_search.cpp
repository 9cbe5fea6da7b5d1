// Searching thirty dense years (DenseData.h): 300 schedules a month, a memo on every tenth,
// written through the program's own file writers. Each search is compared with reading the same
// files, and the command-line search with grep over the same files as whole processes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DenseData.h"
#include "listing/ListSearch.h"
#include "platform/FileSystem.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace {

const std::string& Folder() { return bench::Dense().folder; }

kal::listing::ListSource Source(kal::platform::FileSystem& fs) {
  kal::listing::ListSource s{fs};
  s.data_folder = s.memo_folder = s.todo_folder = s.table_folder = Folder();
  s.reference = s.today = bench::Dense().today;
  return s;
}

double g_read_seconds = 0;  // one read of every month file, measured first

void BM_ReadAllMonthFiles(benchmark::State& state) {
  kal::platform::PosixFileSystem fs;
  const std::string dir = Folder();
  std::size_t lines = 0;
  auto start = std::chrono::steady_clock::now();
  std::int64_t runs = 0;
  for (auto _ : state) {
    lines = 0;
    for (int y = bench::Dense().first_year; y <= bench::Dense().last_year; ++y)
      for (int m = 1; m <= 12; ++m) lines += kal::store::LoadLines(fs, kal::store::MonthFilePath(dir, y, m)).size();
    benchmark::DoNotOptimize(lines);
    ++runs;
  }
  g_read_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / static_cast<double>(runs);
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ReadAllMonthFiles)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state, const kal::listing::SearchConditions& c) {
  kal::platform::PosixFileSystem fs;
  const auto source = Source(fs);
  std::size_t found = 0;
  auto start = std::chrono::steady_clock::now();
  std::int64_t runs = 0;
  for (auto _ : state) {
    found = kal::listing::SearchRows(source, kal::listing::ListKind::Schedule, c).size();
    benchmark::DoNotOptimize(found);
    ++runs;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / static_cast<double>(runs);
  state.counters["found"] = static_cast<double>(found);
  if (g_read_seconds > 0) state.counters["x_read"] = seconds / g_read_seconds;
}

void BM_TitleSearch(benchmark::State& state) { Search(state, {.title = "Dentist"}); }
BENCHMARK(BM_TitleSearch)->Unit(benchmark::kMillisecond);
void BM_TitleSearchIgnoringCase(benchmark::State& state) { Search(state, {.title = "dentist", .ignore_case = true}); }
BENCHMARK(BM_TitleSearchIgnoringCase)->Unit(benchmark::kMillisecond);
void BM_DetailSearch(benchmark::State& state) { Search(state, {.detail = "No.155"}); }
BENCHMARK(BM_DetailSearch)->Unit(benchmark::kMillisecond);

#ifdef KALENDOR_CLI_PATH
// Whole processes: kalendor-cli's search against grep -c over the same month files.
double RunSeconds(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_CliSearchAgainstGrep(benchmark::State& state) {
  const std::string dir = Folder();
  const std::string cli = std::string(KALENDOR_CLI_PATH) + " --program-folder " + dir +
                          " --today " + kal::store::DateText(bench::Dense().today) +
                          " list schedule search --title Dentist >/dev/null";
  const std::string grep = "grep -c Dentist " + dir + "*.sch >/dev/null";
  double cli_total = 0, grep_total = 0;
  std::int64_t runs = 0;
  for (auto _ : state) {
    cli_total += RunSeconds(cli);
    grep_total += RunSeconds(grep);
    ++runs;
  }
  state.counters["cli_ms"] = 1000 * cli_total / static_cast<double>(runs);
  state.counters["grep_ms"] = 1000 * grep_total / static_cast<double>(runs);
  state.counters["x_grep"] = cli_total / grep_total;
}
BENCHMARK(BM_CliSearchAgainstGrep)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace
