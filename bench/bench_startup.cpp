// Start-up and memory of the window with thirty dense years (DenseData.h), as whole processes:
// the time from the start of the process to the first painted calendar grid, against a bare Qt
// window (bare_window: an empty QMainWindow of the same size) started in the same run, turn about,
// medians of several runs; and the resident memory after that first paint and after showing all
// eight view modes. Children run on $DISPLAY when it is set, offscreen otherwise.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "DenseData.h"

extern char** environ;

// Without the window (a build with KALENDOR_WITH_UI=OFF) there is nothing to start.
#if defined(KALENDOR_PATH) && defined(BARE_WINDOW_PATH)

namespace {

// What a child printed on its probe line, and when the line arrived.
struct Probe {
  bool ok = false;
  double wall_ms = 0;  // from the spawn to the line, measured here
  double cpu_ms = 0;   // user + system time of the whole child (it ends right after its figures)
  std::map<std::string, double> figures;  // elapsed_ms, rss_kb, hwm_kb per line name: "first-paint.rss_kb"
};

// Runs `argv`, reads its stdout to the end, times the line that starts with "first-paint".
Probe Run(const std::vector<std::string>& args) {
  Probe probe;
  int out[2];
  if (pipe(out) != 0) return probe;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return probe;
  }
  FILE* in = fdopen(out[0], "r");
  char line[256];
  while (std::fgets(line, sizeof line, in) != nullptr) {
    const std::string text = line;
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos) continue;
    const std::string what = text.substr(0, blank);
    if (what == "first-paint") {
      probe.wall_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      probe.ok = true;
    }
    for (const char* key : {"elapsed_ms", "rss_kb", "hwm_kb", "modes"}) {
      const std::size_t at = text.find(std::string(" ") + key + "=");
      if (at != std::string::npos) probe.figures[what + "." + key] = std::atof(text.c_str() + at + std::strlen(key) + 2);
    }
  }
  std::fclose(in);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; };
  probe.cpu_ms = ms(usage.ru_utime) + ms(usage.ru_stime);
  probe.ok = probe.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return probe;
}

// A start that could not reach the display (a busy X server now and then refuses a connection)
// is tried again, up to three times; `retries` counts the extra starts.
Probe RunRetrying(const std::vector<std::string>& args, int& retries) {
  Probe probe = Run(args);
  for (int attempt = 1; attempt < 3 && !probe.ok; ++attempt) {
    ++retries;
    probe = Run(args);
  }
  return probe;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Children paint on the display when there is one, offscreen otherwise.
std::string Platform() {
  if (const char* qpa = std::getenv("QT_QPA_PLATFORM"); qpa != nullptr && *qpa != '\0') return qpa;
  if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display != '\0')
    return std::string("xcb ") + display;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return "offscreen";
}

std::vector<std::string> Kalendor(const char* the_switch) {
  return {KALENDOR_PATH, "/2", "--program-folder", bench::Dense().folder, the_switch};
}

constexpr int kRuns = 7;

// Turn about: the bare window, then the program, kRuns times; medians.
void BM_StartupAgainstBareWindow(benchmark::State& state) {
  const std::string platform = Platform();
  bench::Dense();
  std::vector<double> program, bare, program_self, bare_self, program_rss, bare_rss, program_cpu, bare_cpu;
  int failed = 0, retries = 0;
  for (auto _ : state) {
    for (int i = 0; i < kRuns; ++i) {
      const Probe b = RunRetrying({BARE_WINDOW_PATH}, retries);
      const Probe k = RunRetrying(Kalendor("--quit-after-first-paint"), retries);
      if (!b.ok || !k.ok) {
        ++failed;
        continue;
      }
      bare.push_back(b.wall_ms);
      program.push_back(k.wall_ms);
      bare_self.push_back(b.figures.at("first-paint.elapsed_ms"));
      program_self.push_back(k.figures.at("first-paint.elapsed_ms"));
      bare_rss.push_back(b.figures.at("first-paint.rss_kb") / 1024);
      bare_cpu.push_back(b.cpu_ms);
      program_cpu.push_back(k.cpu_ms);
      program_rss.push_back(k.figures.at("first-paint.rss_kb") / 1024);
    }
  }
  state.SetLabel(platform + ", " + std::to_string(program.size()) + " runs each" +
                 (retries > 0 ? ", " + std::to_string(retries) + " restarted" : "") +
                 (failed > 0 ? ", " + std::to_string(failed) + " failed" : ""));
  state.counters["kalendor_ms"] = Median(program);
  state.counters["bare_ms"] = Median(bare);
  state.counters["x_bare"] = Median(bare) > 0 ? Median(program) / Median(bare) : 0;
  state.counters["kalendor_self_ms"] = Median(program_self);
  state.counters["bare_self_ms"] = Median(bare_self);
  state.counters["kalendor_cpu_ms"] = Median(program_cpu);
  state.counters["bare_cpu_ms"] = Median(bare_cpu);
  state.counters["x_bare_cpu"] = Median(bare_cpu) > 0 ? Median(program_cpu) / Median(bare_cpu) : 0;
  state.counters["kalendor_rss_mb"] = Median(program_rss);
  state.counters["bare_rss_mb"] = Median(bare_rss);
}
BENCHMARK(BM_StartupAgainstBareWindow)->Unit(benchmark::kMillisecond)->Iterations(1);

// Resident memory after the first paint and after showing the eight view modes in turn.
void BM_MemoryAllViews(benchmark::State& state) {
  const std::string platform = Platform();
  bench::Dense();
  std::vector<double> first, views, peak;
  int retries = 0, failed = 0;
  for (auto _ : state) {
    for (int i = 0; i < 3; ++i) {
      const Probe k = RunRetrying(Kalendor("--cycle-views-then-quit"), retries);
      // Every one of the eight modes must have been shown.
      if (!k.ok || k.figures.count("all-views.rss_kb") == 0 || k.figures.count("all-views.modes") == 0 ||
          k.figures.at("all-views.modes") != 12345678) {
        ++failed;
        continue;
      }
      first.push_back(k.figures.at("first-paint.rss_kb") / 1024);
      views.push_back(k.figures.at("all-views.rss_kb") / 1024);
      peak.push_back(k.figures.at("all-views.hwm_kb") / 1024);
    }
  }
  state.SetLabel(platform + ", " + std::to_string(views.size()) + " runs" +
                 (retries > 0 ? ", " + std::to_string(retries) + " restarted" : "") +
                 (failed > 0 ? ", " + std::to_string(failed) + " failed" : ""));
  state.counters["first_paint_rss_mb"] = Median(first);
  state.counters["all_views_rss_mb"] = Median(views);
  state.counters["all_views_hwm_mb"] = Median(peak);
}
BENCHMARK(BM_MemoryAllViews)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

#endif
