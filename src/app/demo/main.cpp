// kalendor-demo FOLDER [yyyy/mm/dd]: writes a demonstration program folder around the month of the
// given date (today when none is given).
// kalendor-demo --dense YEARS FOLDER [yyyy/mm/dd]: the same folder with YEARS years of dense data
// (for measuring start-up, memory and the views against many years).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/DemoFolder.h"
#include "app/DenseFolder.h"
#include "app/DemoReminders.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"

int main(int argc, char** argv) {
  int dense_years = 0;
  if (argc >= 2 && std::string(argv[1]) == "--dense") {
    dense_years = argc >= 3 ? std::atoi(argv[2]) : 0;
    if (dense_years < 1 || dense_years > 100) {
      std::fprintf(stderr, "kalendor-demo: --dense takes a number of years from 1 to 100\n");
      return 2;
    }
    argv += 2;
    argc -= 2;
  }
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: kalendor-demo [--dense YEARS] FOLDER [yyyy/mm/dd]\n");
    return 2;
  }
  const kal::platform::LocalDateTime now = kal::platform::SystemClock().Now();
  kal::store::Date today = now.date;
  if (argc == 3) {
    const auto date = kal::store::ParseDateText(argv[2]);
    if (!date) {
      std::fprintf(stderr, "kalendor-demo: not a date: %s\n", argv[2]);
      return 2;
    }
    today = *date;
  }
  kal::platform::PosixFileSystem fs;
  try {
    if (dense_years > 0) {
      kal::app::DenseFolderSize size;
      size.years = dense_years;
      const kal::app::DenseFolderCount n = kal::app::BuildDenseFolder(fs, argv[1], today, size);
      std::fprintf(stderr, "kalendor-demo: %d months, %d schedules (%d multi-day, %d with memos), %d day memos, "
                   "%d ToDo items, %d holiday lines\n", n.months, n.schedules, n.multi_day, n.details, n.day_memos,
                   n.todo_items, n.holiday_lines);
    } else {
      kal::app::BuildDemoFolder(fs, argv[1], today);
    }
    // A schedule whose alarm comes a few minutes from now (only for a folder around today).
    if (today == now.date) {
      std::string folder = argv[1];
      if (folder.back() != '/') folder += '/';
      kal::app::AddDemoReminder(fs, folder, now);
    }
  } catch (const kal::store::FileError& e) {
    std::fprintf(stderr, "kalendor-demo: %s\n", e.what());
    return 1;
  }
  std::printf("%s\n", argv[1]);
  return 0;
}
