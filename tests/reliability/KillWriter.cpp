// The kill test's writer: stores generation after generation into the folder given until it is
// killed. It starts from the generation the settings file records, so every run continues the
// files a killed run left behind; a file it cannot read back ends it with status 3.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/FileSystem.h"
#include "reliability/KillWork.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kalendor_kill_writer FOLDER/\n");
    return 2;
  }
  const std::string folder = argv[1];
  kal::platform::PosixFileSystem fs;
  try {
    for (int generation = kal::test::KillGeneration(fs, folder) + 1;; ++generation)
      kal::test::WriteKillGeneration(fs, folder, generation);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kalendor_kill_writer: %s\n", e.what());
    return 3;
  }
}
