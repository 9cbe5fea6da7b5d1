// Figures about the running process for the measuring switches of the window and the
// benchmarks: the time since the process started and its resident memory.
#pragma once

#include <string>

namespace kal::platform {

// Milliseconds since the kernel started this process (its start time counts in clock ticks,
// so the figure is as fine as one tick, usually 10 ms); -1 when /proc cannot tell.
double MillisecondsSinceProcessStart();

struct MemoryFigures {
  long rss_kb = -1;  // VmRSS: resident now
  long hwm_kb = -1;  // VmHWM: the highest resident so far
};
// From /proc/self/status; -1 for a figure it does not hold.
MemoryFigures ProcessMemory();
// The same figures read from the text of a status file.
MemoryFigures ParseProcessStatus(const std::string& status);

// One line for the benchmarks to read: "<what> elapsed_ms=<n> rss_kb=<n> hwm_kb=<n>".
std::string ProbeLine(const std::string& what);

}  // namespace kal::platform
