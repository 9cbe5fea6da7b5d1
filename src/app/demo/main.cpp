// kalendor-demo FOLDER [yyyy/mm/dd]: writes a demonstration program folder around the month of the
// given date (today when none is given).
#include <cstdio>
#include <string>

#include "app/DemoFolder.h"
#include "app/DemoReminders.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: kalendor-demo FOLDER [yyyy/mm/dd]\n");
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
    kal::app::BuildDemoFolder(fs, argv[1], today);
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
