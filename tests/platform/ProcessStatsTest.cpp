#include "platform/ProcessStats.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>
#include <vector>

namespace kal::platform {
namespace {

TEST(ProcessStats, ReadsTheResidentFiguresOfAStatusText) {
  struct Case {
    const char* status;
    long rss, hwm;
  } cases[] = {
      {"Name:\tkalendor\nVmPeak:\t  400000 kB\nVmHWM:\t   61234 kB\nVmRSS:\t   60100 kB\nRssAnon:\t 100 kB\n", 60100, 61234},
      {"VmRSS:\t 12 kB\nVmHWM:\t 13 kB\n", 12, 13},  // the first line
      {"Name:\tx\nVmHWM:\t 13 kB\n", -1, 13},         // a kernel thread has no VmRSS
      {"Name:\tx\nNotVmRSS:\t 99 kB\n", -1, -1},
      {"", -1, -1},
  };
  for (const Case& c : cases) {
    const MemoryFigures m = ParseProcessStatus(c.status);
    EXPECT_EQ(m.rss_kb, c.rss) << c.status;
    EXPECT_EQ(m.hwm_kb, c.hwm) << c.status;
  }
}

TEST(ProcessStats, FiguresOfThisProcess) {
  const MemoryFigures before = ProcessMemory();
  ASSERT_GT(before.rss_kb, 0);
  // Touching 32 MB raises the resident set and the high-water mark with it.
  std::vector<char> block(32 << 20, 1);
  const MemoryFigures after = ProcessMemory();
  EXPECT_GE(after.rss_kb, before.rss_kb + 30 * 1024);
  EXPECT_GE(after.hwm_kb, after.rss_kb);
  EXPECT_EQ(block[12345], 1);

  const double first = MillisecondsSinceProcessStart();
  EXPECT_GE(first, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const double second = MillisecondsSinceProcessStart();
  EXPECT_GE(second - first, 30);  // clock ticks are at most 10 ms

  EXPECT_TRUE(std::regex_match(ProbeLine("first-paint"),
                               std::regex(R"(first-paint elapsed_ms=\d+ rss_kb=\d+ hwm_kb=\d+)")))
      << ProbeLine("first-paint");
}

}  // namespace
}  // namespace kal::platform
