// The month model's full rebuild, which runs after every change, against merely reading the files
// it reads. The data folder is dense: 30 years of month files with 300 schedules a month (a tenth
// of them multi-day), day files, a day memo on every third day, and the built-in Holiday.dat.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/LineOrder.h"
#include "model/MonthModel.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace {

using namespace kal;

constexpr int kFirstYear = 2000;
constexpr int kYears = 30;
constexpr int kPerMonth = 300;

// Writes the data folder once per run and removes it at exit.
class DenseFolder {
 public:
  static const DenseFolder& Get() {
    static DenseFolder folder;
    return folder;
  }
  std::string data;  // with a trailing "/"
  std::string memo;

 private:
  DenseFolder() {
    char pattern[] = "/tmp/kalendor-bench-XXXXXX";
    root_ = mkdtemp(pattern);
    data = root_ + "/data/";
    memo = root_ + "/memo/";
    platform::PosixFileSystem fs;
    fs.MakeDirs(data);
    fs.MakeDirs(memo);
    store::CreateHolidayFile(fs, data);
    std::mt19937 rng(1234);
    const char* titles[] = {"定例会議", "打ち合わせ", "Dentist", "出張（大阪）", "Lunch with 田中さん", "資料作成"};
    const char* places[] = {"", "本社 第3会議室", "新宿", "オンライン"};
    for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
      for (int month = 1; month <= 12; ++month) {
        const int length = store::DaysInMonth(year, month);
        std::vector<std::string> lines;
        for (int i = 0; i < kPerMonth; ++i) {
          store::ScheduleFields f;
          f.day = 1 + static_cast<int>(rng() % static_cast<unsigned>(length));
          f.title = titles[rng() % 6];
          f.place = places[rng() % 4];
          if (i % 10 == 0) {
            f.span = 2 + static_cast<int>(rng() % 9);  // ends within the next month
            f.bar_style = static_cast<int>(rng() % 6);
          } else if (rng() % 3 != 0) {
            const int hour = 8 + static_cast<int>(rng() % 11);
            f.start = store::TimeText(hour, 30 * static_cast<int>(rng() % 2));
            f.end = store::TimeText(hour + 1, 0);
            f.alarm1 = static_cast<int>(rng() % 3);
          }
          lines.push_back(store::BuildScheduleLine(f).line);
        }
        store::SortLines(lines);
        store::SaveLines(fs, store::MonthFilePath(data, year, month), lines);
        std::vector<std::string> day_lines(1, "00");
        for (int d = 1; d <= length; ++d) day_lines.push_back(d % 7 == 0 ? "0012001$FF8080 25 18 30" : "00");
        store::FillDayLines(day_lines);
        store::SaveLines(fs, store::DayFilePath(data, year, month), day_lines);
        for (int d = 1; d <= length; d += 3) {
          std::string error;
          fs.WriteAtomic(memo + store::DayMemoFileName(store::MakeDate(year, month, d)), "memo\r\n", &error);
        }
      }
    }
  }
  ~DenseFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  std::string root_;
};

// Records the paths a rebuild reads.
class RecordingFileSystem : public platform::PosixFileSystem {
 public:
  std::vector<std::string> reads;
  platform::ReadResult Read(const std::string& path) override {
    reads.push_back(path);
    return PosixFileSystem::Read(path);
  }
};

store::ModelRequest Request(int mode) {
  const DenseFolder& folder = DenseFolder::Get();
  store::ModelRequest r;
  r.view_mode = mode;
  r.selected = store::MakeDate(2015, 6, 15);
  r.today = store::MakeDate(2015, 6, 10);
  r.data_folder = folder.data;
  r.memo_folder = folder.memo;
  return r;
}

void BM_Rebuild(benchmark::State& state) {
  const store::ModelRequest request = Request(static_cast<int>(state.range(0)));
  platform::PosixFileSystem fs;
  store::MonthModel model;
  std::size_t entries = 0;
  for (auto _ : state) {
    store::RebuildResult r = store::SchUpdate(model, fs, request);
    benchmark::DoNotOptimize(r.rebuilt);
  }
  for (int n : model.used)
    for (const auto& cell : model.slot(n).days) entries += cell.entries.size();
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_Rebuild)->Arg(store::kModeMonthly)->Arg(store::kModeYearly)->Unit(benchmark::kMicrosecond);

// Reading the same files the rebuild reads, and nothing else.
void BM_ReadSameFiles(benchmark::State& state) {
  const store::ModelRequest request = Request(static_cast<int>(state.range(0)));
  RecordingFileSystem recording;
  store::MonthModel model;
  store::SchUpdate(model, recording, request);
  platform::PosixFileSystem fs;
  for (auto _ : state) {
    std::size_t lines = 0;
    for (const auto& path : recording.reads) lines += store::LoadLines(fs, path).size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["files"] = static_cast<double>(recording.reads.size());
}
BENCHMARK(BM_ReadSameFiles)->Arg(store::kModeMonthly)->Arg(store::kModeYearly)->Unit(benchmark::kMicrosecond);

}  // namespace
