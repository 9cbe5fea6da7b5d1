#include "platform/ProcessStats.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace kal::platform {

namespace {

std::string ReadWhole(const char* path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

long StatusValue(const std::string& status, const std::string& key) {
  const std::string prefix = key + ":";
  std::size_t at = status.rfind("\n" + prefix);
  at = at == std::string::npos ? (status.compare(0, prefix.size(), prefix) == 0 ? 0 : std::string::npos) : at + 1;
  if (at == std::string::npos) return -1;
  long value = -1;
  if (std::sscanf(status.c_str() + at + prefix.size(), "%ld", &value) != 1) return -1;
  return value;
}

}  // namespace

double MillisecondsSinceProcessStart() {
  // Field 22 of /proc/self/stat, after the command name in parentheses (which may hold blanks).
  const std::string stat = ReadWhole("/proc/self/stat");
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  unsigned long long start_ticks = 0;
  for (int n = 3; n <= 22 && fields >> field; ++n)
    if (n == 22) start_ticks = std::stoull(field);
  const long ticks_per_second = sysconf(_SC_CLK_TCK);
  timespec now{};
  if (start_ticks == 0 || ticks_per_second <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
  const double now_ms = static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
  return now_ms - static_cast<double>(start_ticks) * 1000.0 / static_cast<double>(ticks_per_second);
}

MemoryFigures ParseProcessStatus(const std::string& status) {
  return {StatusValue(status, "VmRSS"), StatusValue(status, "VmHWM")};
}

MemoryFigures ProcessMemory() { return ParseProcessStatus(ReadWhole("/proc/self/status")); }

std::string ProbeLine(const std::string& what) {
  const double elapsed = MillisecondsSinceProcessStart();
  const MemoryFigures memory = ProcessMemory();
  char line[160];
  std::snprintf(line, sizeof line, "%s elapsed_ms=%.0f rss_kb=%ld hwm_kb=%ld", what.c_str(), elapsed, memory.rss_kb,
                memory.hwm_kb);
  return line;
}

}  // namespace kal::platform
