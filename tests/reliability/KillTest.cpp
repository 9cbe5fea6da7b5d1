// The writers under SIGKILL: a writer process stores schedules, ToDo items, memos and settings in
// a loop and is killed at a random moment, 200 times. After each kill every file must read back
// whole through the program's readers and hold either the content it had before that run or one
// that run wrote (replayed here on a copy), never a mix and never nothing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "reliability/KillWork.h"
#include "store/IniFile.h"
#include "store/MemoFile.h"
#include "store/TextFile.h"
#include "support/MemoryFileSystem.h"
#include "support/TempFolder.h"
#include "todo/TodoFile.h"

namespace kal::test {
namespace {

constexpr const char* kFolders[] = {"data", "todo", "memo"};
constexpr int kKills = 200;

// The files of the folders by relative path; the writer's temporary files are left out.
using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const TempFolder& temp, std::size_t* temporaries = nullptr) {
  Snapshot files;
  auto add = [&](const std::string& rel) {
    if (rel.find("/.kalendor-") != std::string::npos || rel.rfind(".kalendor-", 0) == 0) {
      if (temporaries) ++*temporaries;
      return;
    }
    files[rel] = temp.Read(rel);
  };
  if (temp.Exists(kKillSettingsFile)) add(kKillSettingsFile);
  for (const char* folder : kFolders) {
    DIR* dir = ::opendir((temp / folder).c_str());
    if (!dir) continue;
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") add(std::string(folder) + "/" + name);
    }
    ::closedir(dir);
  }
  return files;
}

// Every content each file takes while the generations after `before` are written (nullopt: the
// file deleted), replayed in memory.
class RecordingFileSystem : public MemoryFileSystem {
 public:
  std::map<std::string, std::vector<std::optional<std::string>>> versions;
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override {
    versions[path].push_back(bytes);
    return MemoryFileSystem::WriteAtomic(path, bytes, error);
  }
  bool Remove(const std::string& path) override {
    versions[path].push_back(std::nullopt);
    return MemoryFileSystem::Remove(path);
  }
};

struct WriterRun {
  bool killed = false;  // ended by our SIGKILL (not by itself)
  int status = 0;
  std::string errors;
};

pid_t StartWriter(const std::string& folder) {
  const std::string error_file = folder + "writer.err";
  pid_t pid = ::fork();
  if (pid == 0) {
    int fd = ::open(error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) ::dup2(fd, 2);
    ::execl(KALENDOR_KILL_WRITER_PATH, KALENDOR_KILL_WRITER_PATH, folder.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

WriterRun Kill(const std::string& folder, pid_t pid) {
  ::kill(pid, SIGKILL);
  WriterRun run;
  ::waitpid(pid, &run.status, 0);
  run.killed = WIFSIGNALED(run.status) && WTERMSIG(run.status) == SIGKILL;
  platform::PosixFileSystem fs;
  run.errors = fs.Read(folder + "writer.err").bytes;
  return run;
}

WriterRun RunAndKill(const std::string& folder, std::chrono::microseconds delay) {
  const pid_t pid = StartWriter(folder);
  std::this_thread::sleep_for(delay);
  return Kill(folder, pid);
}

// How long the writer takes from its start to the end of its first generation on this machine
// (under a sanitizer, or on a busy machine, much longer than otherwise). The files of that
// generation are left in the folder.
std::chrono::microseconds FirstGenerationTime(const std::string& folder) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = StartWriter(folder);
  platform::PosixFileSystem fs;
  while (KillGeneration(fs, folder) < 1 && std::chrono::steady_clock::now() - start < std::chrono::seconds(60))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  Kill(folder, pid);
  return std::chrono::duration_cast<std::chrono::microseconds>(elapsed);
}

// Reads every file through the program's readers; a failure names the file.
void ExpectReadsWhole(const TempFolder& temp, const Snapshot& files) {
  platform::PosixFileSystem fs;
  for (const auto& [rel, bytes] : files) {
    SCOPED_TRACE(rel);
    EXPECT_FALSE(bytes.empty()) << "an empty file";
    EXPECT_TRUE(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0) << "a file cut short";
  }
  EXPECT_NO_THROW(store::LoadLines(fs, temp / kKillMonthFile));
  EXPECT_NO_THROW(store::LoadLines(fs, temp / kKillDetailFile));
  todo::TodoLoad todo = todo::LoadTodoList(fs, temp / "todo/");
  EXPECT_TRUE(todo.damaged.empty()) << todo.damaged.size() << " damaged ToDo records";
  EXPECT_NO_THROW(todo::LoadTodoMemos(fs, temp / "todo/"));
  EXPECT_NO_THROW(store::IniFile::Load(fs, temp / kKillSettingsFile));
  for (const auto& [rel, bytes] : files) {
    if (rel.rfind("memo/", 0) == 0) {
      EXPECT_FALSE(store::LoadFreeText(fs, temp / rel).empty()) << rel;
    }
  }
}

TEST(KillTest, EveryFileIsOldOrNewAfterSigkill) {
  TempFolder temp;
  platform::PosixFileSystem files;
  for (const char* folder : kFolders) temp.MakeFolder(folder);
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  // From before the writer has started to about two generations into its loop.
  const auto first = FirstGenerationTime(temp.path());
  ASSERT_GE(KillGeneration(files, temp.path()), 1) << "the writer stored nothing in a minute";
  std::uniform_int_distribution<long> delay_us(0, 2 * first.count());

  Snapshot before = Take(temp);
  int last_generation = 0, runs_with_progress = 0;
  std::size_t temporaries = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    const WriterRun run = RunAndKill(temp.path(), std::chrono::microseconds(delay_us(random)));
    ASSERT_TRUE(run.killed) << "the writer stopped by itself (status " << run.status << "): " << run.errors;

    temporaries = 0;
    const Snapshot after = Take(temp, &temporaries);
    SCOPED_TRACE("kill " + std::to_string(kill));
    ExpectReadsWhole(temp, after);

    // Replay the run on a copy of the files as they were before it.
    RecordingFileSystem replay;
    for (const auto& [rel, bytes] : before) replay.files[temp / rel] = bytes;
    platform::PosixFileSystem fs;
    const int first = KillGeneration(replay, temp.path());
    const int reached = KillGeneration(fs, temp.path());
    ASSERT_GE(reached, first);
    // The settings file is written last, so the run was at most one generation further.
    for (int g = first + 1; g <= reached + 1; ++g) WriteKillGeneration(replay, temp.path(), g);

    std::set<std::string> names;
    for (const auto& [rel, bytes] : before) names.insert(rel);
    for (const auto& [rel, bytes] : after) names.insert(rel);
    for (const std::string& rel : names) {
      std::optional<std::string> old_content, now;
      if (auto it = before.find(rel); it != before.end()) old_content = it->second;
      if (auto it = after.find(rel); it != after.end()) now = it->second;
      if (now == old_content) continue;
      const auto& written = replay.versions[temp / rel];
      bool found = false;
      for (const auto& version : written) found = found || version == now;
      EXPECT_TRUE(found) << rel << " holds " << (now ? std::to_string(now->size()) + " bytes" : "nothing")
                         << " that neither the old file (" << (old_content ? old_content->size() : 0)
                         << " bytes) nor any of the " << written.size() << " contents written hold";
    }
    if (::testing::Test::HasFailure()) return;
    if (after != before) ++runs_with_progress;
    last_generation = reached;
    before = after;
  }
  // Most runs must have changed a file, or the kills did not test the writers at all.
  EXPECT_GT(runs_with_progress, kKills / 4) << "generation " << last_generation;
  RecordProperty("generations", last_generation);
  RecordProperty("first_generation_us", static_cast<int>(first.count()));
  RecordProperty("temporary_files_left", static_cast<int>(temporaries));
}

}  // namespace
}  // namespace kal::test
