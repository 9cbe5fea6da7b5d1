// Bad input through kalendor-cli (the real program, run as a process) and through the core's
// readers and writers: damaged bytes, odd line ends, huge lines, empty files, a folder where a
// file should be, files and folders without permission, folders that do not exist. Each is read
// as far as it can be or refused with a message and exit status 1; no file changes unless the
// command stores something, and then every line it did not touch keeps its bytes.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "store/IniFile.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"
#include "todo/TodoFile.h"

namespace kal::test {
namespace {

namespace fs = std::filesystem;

// Two sound schedules of January 2024 (days 03 and 20), as their CP932 lines.
std::string Morning() { return "03" + std::string(10, ' ') + std::string(14, ' ') + "0000" + Sjis("朝会"); }
std::string Evening() { return "20" + std::string(10, ' ') + std::string(14, ' ') + "0000" + Sjis("夕会"); }

struct Damage {
  const char* name;
  std::string bytes;        // the month file
  std::size_t sound_lines;  // lines that read as schedules
};

std::vector<Damage> Damages() {
  const std::string m = Morning(), e = Evening();
  std::string huge = "05" + std::string(10, ' ') + std::string(14, ' ') + "0000" + Sjis("長い");
  huge.resize(100000, 'x');
  return {
      {"invalid CP932", m + "\r\n" + "04" + std::string(28, ' ') + "\x81\x20\xFF\x80\xA0\xFD" + "\r\n" + e + "\r\n", 3},
      {"NUL bytes", m + "\r\n" + "04" + std::string(28, ' ') + std::string("a\0b\0", 4) + "\r\n" + e + "\r\n", 3},
      {"CR-only line ends", m + "\r" + e + "\r", 2},
      {"mixed line ends", m + "\n" + e + "\r\n" + "xx damaged\r", 2},
      {"a line of 100 000 bytes", m + "\r\n" + huge + "\r\n" + e + "\r\n", 3},
      {"no line end at the end", m + "\r\n" + e, 2},
      {"an empty file", "", 0},
  };
}

// Every file under the folder with its bytes and permission bits.
std::map<std::string, std::pair<std::string, unsigned>> Snapshot(const std::string& root) {
  std::map<std::string, std::pair<std::string, unsigned>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied)) {
    struct stat st {};
    ::lstat(entry.path().c_str(), &st);
    std::string bytes;
    if (S_ISREG(st.st_mode)) {
      platform::PosixFileSystem files_;
      bytes = files_.Read(entry.path()).bytes;
    }
    files[entry.path().string().substr(root.size())] = {bytes, static_cast<unsigned>(st.st_mode)};
  }
  return files;
}

struct Process {
  int status = -1;
  std::string out, err;
};

// Runs kalendor-cli in the program folder. With `as_other_user` and while the tests run as root
// (for whom permission bits do not stop reading or writing), the program runs as "nobody".
// With `file_size_limit`, no file can grow beyond that many bytes: a full disk, as far as the
// program can tell (a write fails with EFBIG).
Process RunCli(const TempFolder& folder, std::vector<std::string> args, bool as_other_user = false,
               rlim_t file_size_limit = RLIM_INFINITY) {
  args.insert(args.begin(), {"--program-folder", folder.path(), "--today", "2024/01/10"});
  TempFolder output;
  const std::string out_path = output / "out", err_path = output / "err";
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (file_size_limit != RLIM_INFINITY) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{file_size_limit, file_size_limit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (as_other_user && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(126);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(KALENDOR_CLI_PATH));
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(KALENDOR_CLI_PATH, argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  Process p;
  p.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  p.out = output.Read("out");
  p.err = output.Read("err");
  return p;
}

std::size_t Rows(const std::string& out) {
  std::size_t n = 0;
  for (char c : out) n += c == '\n';
  return n;
}

// ---- Damaged content ------------------------------------------------------------------------

TEST(BadInput, DamagedMonthFilesAreReadAsFarAsTheyGoAndNeverChanged) {
  for (const Damage& d : Damages()) {
    SCOPED_TRACE(d.name);
    TempFolder dir;
    dir.Write("202401.sch", d.bytes);
    const auto before = Snapshot(dir.path());
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"schedules", "202401"}, {"model", "202401", "--view", "4"},
          {"list", "schedule", "3", "--date", "2024/01/10"}}) {
      const Process p = RunCli(dir, command);
      EXPECT_EQ(p.status, 0) << command[0] << ": " << p.err;
      if (command[0] == "schedules") {
        EXPECT_EQ(Rows(p.out), d.sound_lines) << p.out;
        if (d.sound_lines > 0) {
          EXPECT_NE(p.out.find("朝会"), std::string::npos);
          EXPECT_NE(p.out.find("夕会"), std::string::npos);
        }
      }
    }
    EXPECT_EQ(Snapshot(dir.path()), before);
  }
}

TEST(BadInput, StoringIntoADamagedMonthKeepsEveryOtherLineByteForByte) {
  for (const Damage& d : Damages()) {
    SCOPED_TRACE(d.name);
    TempFolder dir;
    dir.Write("202401.sch", d.bytes);
    const Process p = RunCli(dir, {"add-schedule", "--date", "2024/01/07", "--title", "新規"});
    ASSERT_EQ(p.status, 0) << p.err;
    std::vector<std::string> old_lines = store::SplitLines(d.bytes);
    std::vector<std::string> new_lines = store::SplitLines(dir.Read("202401.sch"));
    ASSERT_EQ(new_lines.size(), old_lines.size() + 1);
    for (const std::string& line : old_lines) {
      EXPECT_EQ(std::count(new_lines.begin(), new_lines.end(), line),
                std::count(old_lines.begin(), old_lines.end(), line))
          << "a line of " << line.size() << " bytes lost or changed";
    }
    EXPECT_EQ(dir.Read("202401.sch").substr(dir.Read("202401.sch").size() - 2), "\r\n");
  }
}

TEST(BadInput, DamagedToDoAndSettingsFilesAreReadAndLeftAlone) {
  for (const Damage& d : Damages()) {
    SCOPED_TRACE(d.name);
    TempFolder dir;
    dir.Write("Todokl.dat", d.bytes);
    dir.Write("Kalendor.ini", "[Kalendor]\r\nVer=5.71\r\n" + d.bytes);
    const auto before = Snapshot(dir.path());
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"todos"}, {"settings"}, {"folders"}, {"memos", "202401"}}) {
      const Process p = RunCli(dir, command);
      EXPECT_EQ(p.status, 0) << command[0] << ": " << p.err;
    }
    EXPECT_EQ(Snapshot(dir.path()), before);
  }
}

// ---- A file that cannot be read -----------------------------------------------------------------

struct Blocked {
  const char* file;                   // a folder stands where this file should be
  std::vector<std::string> command;   // a command that reads or writes it
  const char* message;                // the end of the message that names it
};

TEST(BadInput, AFolderWhereAFileShouldBeStopsTheCommandWithItsName) {
  const char* kRead = "\" を読み込めません。\nIs a directory\n";
  const char* kWrite = "\" に書き込めません。\nIs a directory\n";
  const std::vector<Blocked> cases = {
      {"202401.sch", {"schedules", "202401"}, kRead},
      {"202401.sch", {"add-schedule", "--date", "2024/01/07", "--title", "x"}, kRead},
      {"202401.dtl", {"schedules", "202401"}, kRead},
      {"202401.dtl", {"add-schedule", "--date", "2024/01/07", "--title", "x", "--memo", "m"}, kRead},
      {"Todokl.dat", {"todos"}, kRead},
      {"Todokl.dat", {"add-todo", "--subject", "x"}, kRead},
      {"Kalendor.ini", {"schedules", "202401"}, kRead},
      {"Kalendor.ini", {"add-schedule", "--date", "2024/01/07", "--title", "x"}, kRead},
      {"20240105.mem", {"set-memo", "2024/01/05", "x"}, kWrite},
  };
  for (const Blocked& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.command[0]);
    TempFolder dir;
    // A schedule with a memo, so that the detail file is read.
    std::string with_memo = Morning();
    with_memo.resize(110, ' ');
    if (std::string(c.file) != "202401.sch") dir.Write("202401.sch", store::JoinLines({with_memo + "001"}));
    dir.MakeFolder(c.file);
    const auto before = Snapshot(dir.path());
    const Process p = RunCli(dir, c.command);
    EXPECT_EQ(p.status, 1) << p.out;
    EXPECT_EQ(p.err, "ファイル \"" + dir.path() + c.file + c.message);
    EXPECT_EQ(Snapshot(dir.path()), before);
  }
}

// ---- A full disk ------------------------------------------------------------------------------------

// Each write stops part-way (files may grow to 150 bytes only: room for the message, not for the
// stored files): the old files stay whole, the
// command says which file it could not write, and no temporary file is left behind.
TEST(BadInput, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
  const std::vector<std::vector<std::string>> commands = {
      {"add-schedule", "--date", "2024/01/07", "--title", "新しい予定の件名", "--place", "本社ビル十二階の大会議室（東側）"},
      {"add-todo", "--subject", "長い件名のToDo項目をひとつ追加する"},
      {"set-memo", "2024/01/05", std::string(200, 'm')},
  };
  const char* files[] = {"202401.sch", "Todokl.dat", "20240105.mem"};
  for (std::size_t i = 0; i < commands.size(); ++i) {
    SCOPED_TRACE(commands[i][0]);
    TempFolder dir;
    dir.Write("202401.sch", store::JoinLines({Morning(), Evening()}));
    dir.Write("Todokl.dat", store::JoinLines({std::string(60, ' ') + "old"}));
    dir.Write("20240105.mem", "old memo\r\n");
    const auto before = Snapshot(dir.path());
    const Process p = RunCli(dir, commands[i], false, 150);
    EXPECT_EQ(p.status, 1) << p.out;
    EXPECT_EQ(p.err, "ファイル \"" + dir.path() + files[i] + "\" に書き込めません。\nFile too large\n");
    EXPECT_EQ(Snapshot(dir.path()), before);
  }
}

// ---- Permissions ----------------------------------------------------------------------------------

class BadInputPermissions : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() == 0) {
      // Root reads and writes whatever the bits say; the program runs as "nobody" instead, who
      // must be able to reach the folder.
      ::chmod(dir.path().c_str(), 0777);
    }
    dir.Write("202401.sch", store::JoinLines({Morning(), Evening()}));
    dir.Write("Todokl.dat", "");
  }
  void TearDown() override {
    ::chmod(dir.path().c_str(), 0777);
    ::chmod((dir / "202401.sch").c_str(), 0666);
  }
  // A folder the program may write in (the test's own folder is, unless the test runs as root).
  void Writable() { ::chmod(dir.path().c_str(), 0777); }

  TempFolder dir;
};

TEST_F(BadInputPermissions, AFileThatCannotBeReadStopsReadingAndWriting) {
  ::chmod((dir / "202401.sch").c_str(), 0);
  const auto before = Snapshot(dir.path());
  const Process read = RunCli(dir, {"schedules", "202401"}, true);
  EXPECT_EQ(read.status, 1);
  EXPECT_EQ(read.out, "");
  EXPECT_EQ(read.err, "ファイル \"" + dir.path() + "202401.sch\" を読み込めません。\nPermission denied\n");
  const Process write = RunCli(dir, {"add-schedule", "--date", "2024/01/07", "--title", "x"}, true);
  EXPECT_EQ(write.status, 1);
  EXPECT_EQ(write.err, read.err);
  EXPECT_EQ(Snapshot(dir.path()), before);
}

TEST_F(BadInputPermissions, AReadOnlyFileIsReadButNeverReplaced) {
  Writable();
  ::chmod((dir / "202401.sch").c_str(), 0444);
  const auto before = Snapshot(dir.path());
  const Process read = RunCli(dir, {"schedules", "202401"}, true);
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(Rows(read.out), 2u);
  const Process write = RunCli(dir, {"add-schedule", "--date", "2024/01/07", "--title", "x"}, true);
  EXPECT_EQ(write.status, 1);
  EXPECT_EQ(write.err, "ファイル \"" + dir.path() + "202401.sch\" に書き込めません。\nPermission denied\n");
  EXPECT_EQ(Snapshot(dir.path()), before);
}

TEST_F(BadInputPermissions, AReadOnlyDataFolderIsReadButNothingIsWrittenOrLeftBehind) {
  ::chmod(dir.path().c_str(), 0555);
  const auto before = Snapshot(dir.path());
  const Process read = RunCli(dir, {"schedules", "202401"}, true);
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(Rows(read.out), 2u);
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"add-schedule", "--date", "2024/01/07", "--title", "x"},
        {"add-schedule", "--date", "2024/02/07", "--title", "x"}, {"add-todo", "--subject", "x"},
        {"set-memo", "2024/01/05", "x"}}) {
    const Process write = RunCli(dir, command, true);
    EXPECT_EQ(write.status, 1) << command[0];
    EXPECT_NE(write.err.find("に書き込めません。\nPermission denied"), std::string::npos) << write.err;
  }
  EXPECT_EQ(Snapshot(dir.path()), before);
}

// ---- The core -------------------------------------------------------------------------------------

// The store of the schedule dialog over each damaged month file: every line it did not touch
// keeps its bytes, and a file that cannot be written stays as it was.
TEST(BadInputCore, ScheduleStoreKeepsDamagedLinesAndRefusesWholeOnFailure) {
  for (const Damage& d : Damages()) {
    SCOPED_TRACE(d.name);
    TempFolder dir;
    dir.Write("202401.sch", d.bytes);
    platform::PosixFileSystem fs;
    FakeDialogs dialogs;
    store::StoreRequest request;
    request.folder = dir.path();
    request.date = store::MakeDate(2024, 1, 7);
    request.fields.title = "新規";
    request.memo = {"メモ"};
    ASSERT_EQ(store::StoreSchedule(fs, dialogs, request).status, store::StoreStatus::Stored);
    const auto old_lines = store::SplitLines(d.bytes);
    const auto new_lines = store::LoadLines(fs, dir / "202401.sch");
    ASSERT_EQ(new_lines.size(), old_lines.size() + 1);
    for (const auto& line : old_lines)
      EXPECT_NE(std::find(new_lines.begin(), new_lines.end(), line), new_lines.end());
  }
}

// A settings file holding bytes that are not CP932 (a comment, a key of another version) is
// written back with those lines as they were.
TEST(BadInputCore, SettingsWithDamagedBytesKeepThemWhenWritten) {
  TempFolder dir;
  const std::string damaged = std::string("; \x81\x20\xFF\x80 ") + std::string("a\0b", 3);
  dir.Write("Kalendor.ini", "[Kalendor]\r\nVer=5.71\r\n" + damaged + "\r\nOther=\xFF\xFE\r\n");
  platform::PosixFileSystem fs;
  store::IniFile ini = store::IniFile::Load(fs, dir / "Kalendor.ini");
  ini.WriteInteger("Kalendor", "Left", 5);
  ASSERT_NO_THROW(ini.Flush(fs, dir / "Kalendor.ini"));
  EXPECT_EQ(dir.Read("Kalendor.ini"),
            "[Kalendor]\r\nVer=5.71\r\n" + damaged + "\r\nOther=\xFF\xFE\r\nLeft=5\r\n");
}

}  // namespace
}  // namespace kal::test
