// Searching thirty dense years: 300 schedules a month, a memo on every tenth, written through the
// program's own file writers. Each search is compared with reading the same files, and the
// command-line search with grep over the same files as whole processes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "listing/ListSearch.h"
#include "platform/FileSystem.h"
#include "store/LineOrder.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace {

constexpr int kFirstYear = 1995, kYears = 30, kPerMonth = 300;

const std::string& Folder() {
  static const std::string folder = [] {
    const std::string dir = (std::filesystem::temp_directory_path() / "kalendor-bench-search/").string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    kal::platform::PosixFileSystem fs;
    std::mt19937 rng(7);
    const char* titles[] = {"定例会議", "打ち合わせ", "Dentist", "出張（大阪）", "Lunch with 田中さん", "研修", "来客対応"};
    const char* places[] = {"本社 第3会議室", "", "駅前クリニック", "大阪支店", "", "研修センター"};
    for (int y = kFirstYear; y < kFirstYear + kYears; ++y) {
      for (int m = 1; m <= 12; ++m) {
        std::vector<std::string> lines, details;
        for (int i = 0; i < kPerMonth; ++i) {
          kal::store::ScheduleFields f;
          f.day = 1 + static_cast<int>(rng() % 28);
          const int h = static_cast<int>(rng() % 24);
          char t[8];
          std::snprintf(t, sizeof t, "%02d:%02d", h, static_cast<int>(rng() % 4) * 15);
          f.start = t;
          f.title = titles[rng() % 7];
          f.place = places[rng() % 6];
          f.category = i % 3 == 0 ? "仕事" : "";
          if (i % 10 == 0) {
            f.detail = i / 10 + 1;
            details.push_back(*kal::store::BuildDetailLine(f.detail, {"議事録は共有フォルダへ", "資料 No." + std::to_string(i)}));
          }
          lines.push_back(kal::store::BuildScheduleLine(f).line);
        }
        kal::store::SortLines(lines);
        kal::store::SortLines(details);
        kal::store::SaveLines(fs, kal::store::MonthFilePath(dir, y, m), lines);
        kal::store::SaveLines(fs, kal::store::DetailFilePath(dir, y, m), details);
      }
    }
    return dir;
  }();
  return folder;
}

kal::listing::ListSource Source(kal::platform::FileSystem& fs) {
  kal::listing::ListSource s{fs};
  s.data_folder = s.memo_folder = s.todo_folder = s.table_folder = Folder();
  s.reference = s.today = kal::store::MakeDate(2024, 6, 1);
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
    for (int y = kFirstYear; y < kFirstYear + kYears; ++y)
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
void BM_DetailSearch(benchmark::State& state) { Search(state, {.detail = "No.150"}); }
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
                          " --today 2024/06/01 list schedule search --title Dentist >/dev/null";
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
