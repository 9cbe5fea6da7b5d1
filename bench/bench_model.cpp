// The month model's full rebuild, which runs after every change, against merely reading the files
// it reads, over the dense data folder (DenseData.h): thirty years of month files with 300
// schedules a month (a tenth of them multi-day), day files with weather on every day, a day memo
// every week and Holiday.dat of 200 lines.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "DenseData.h"
#include "platform/FileSystem.h"
#include "model/MonthModel.h"
#include "store/TextFile.h"

namespace {

using namespace kal;

// Records the paths a rebuild reads.
class RecordingFileSystem : public platform::PosixFileSystem {
 public:
  std::vector<std::string> reads;
  platform::ReadResult Read(const std::string& path) override {
    reads.push_back(path);
    return PosixFileSystem::Read(path);
  }
};

// A year in the middle of the folder's thirty.
store::ModelRequest Request(int mode) {
  const bench::DenseData& dense = bench::Dense();
  const int year = (dense.first_year + dense.last_year) / 2;
  store::ModelRequest r;
  r.view_mode = mode;
  r.selected = store::MakeDate(year, 6, 15);
  r.today = store::MakeDate(year, 6, 10);
  r.data_folder = dense.folder;
  r.memo_folder = dense.folder;
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
