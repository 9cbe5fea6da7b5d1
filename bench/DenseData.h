// The dense data folder of the benchmarks that read many years: thirty years written by the
// program's own generator (kalendor-demo --dense), kept in the build folder between runs while
// its stamp (sizes and month of writing) still matches.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/DenseFolder.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#ifndef KALENDOR_BENCH_DATA
#define KALENDOR_BENCH_DATA "/tmp/kalendor-bench-dense/"
#endif

namespace bench {

struct DenseData {
  std::string folder;  // program, data, memo and ToDo folder, with a trailing "/"
  int first_year = 0;
  int last_year = 0;
  kal::store::Date today{};
};

inline const DenseData& Dense() {
  static const DenseData data = [] {
    DenseData d;
    d.folder = KALENDOR_BENCH_DATA;
    d.today = kal::platform::SystemClock().Now().date;
    const kal::app::DenseFolderSize size;
    d.last_year = kal::store::YearOf(d.today) + 1;
    d.first_year = d.last_year - size.years + 1;
    const std::string stamp = "dense v1 years=" + std::to_string(size.years) + " per_month=" +
                              std::to_string(size.schedules_per_month) + " todo=" + std::to_string(size.todo_items) +
                              " month=" + kal::store::DateText(d.today).substr(0, 7);
    kal::platform::PosixFileSystem fs;
    const auto stored = fs.Read(d.folder + "dense.stamp");
    if (stored.ok() && stored.bytes == stamp) return d;
    std::filesystem::remove_all(d.folder);
    std::fprintf(stderr, "writing the dense data folder %s ...\n", d.folder.c_str());
    kal::app::BuildDenseFolder(fs, d.folder, d.today, size);
    std::string error;
    fs.WriteAtomic(d.folder + "dense.stamp", stamp, &error);
    return d;
  }();
  return data;
}

}  // namespace bench
