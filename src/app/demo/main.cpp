// kalendor-demo FOLDER [yyyy/mm/dd]: writes a demonstration program folder around the month of the
// given date (today when none is given).
#include <cstdio>
#include <string>

#include "app/DemoFolder.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: kalendor-demo FOLDER [yyyy/mm/dd]\n");
    return 2;
  }
  kal::store::Date today = kal::platform::SystemClock().Now().date;
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
  } catch (const kal::store::FileError& e) {
    std::fprintf(stderr, "kalendor-demo: %s\n", e.what());
    return 1;
  }
  std::printf("%s\n", argv[1]);
  return 0;
}
