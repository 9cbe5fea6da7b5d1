#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/QtDesktop.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::platform {
namespace {

TEST(QtSingleInstance, ASecondAcquireFailsAndWakesTheFirst) {
  test::TempFolder dir;
  QtSingleInstance first(dir.path());
  int wake_ups = 0;
  first.on_wake_up = [&] { ++wake_ups; };
  ASSERT_TRUE(first.Acquire("KalendorTestWake"));

  QtSingleInstance second(dir.path());
  bool second_woken = false;
  second.on_wake_up = [&] { second_woken = true; };
  EXPECT_FALSE(second.Acquire("KalendorTestWake"));
  EXPECT_TRUE(test::WaitUntil([&] { return wake_ups == 1; }));

  // A third start wakes it again.
  QtSingleInstance third(dir.path());
  EXPECT_FALSE(third.Acquire("KalendorTestWake"));
  EXPECT_TRUE(test::WaitUntil([&] { return wake_ups == 2; }));
  EXPECT_FALSE(second_woken);
}

TEST(QtSingleInstance, DifferentNamesDoNotExcludeEachOther) {
  test::TempFolder dir;
  QtSingleInstance a(dir.path());
  QtSingleInstance b(dir.path());
  EXPECT_TRUE(a.Acquire("KalendorTestA"));
  EXPECT_TRUE(b.Acquire("KalendorTestB"));
}

TEST(QtSingleInstance, TheLockIsFreeAgainWhenTheHolderEnds) {
  test::TempFolder dir;
  {
    QtSingleInstance first(dir.path());
    ASSERT_TRUE(first.Acquire("KalendorTestRelease"));
  }
  QtSingleInstance next(dir.path());
  int wake_ups = 0;
  next.on_wake_up = [&] { ++wake_ups; };
  EXPECT_TRUE(next.Acquire("KalendorTestRelease"));
  QtSingleInstance later(dir.path());
  EXPECT_FALSE(later.Acquire("KalendorTestRelease"));
  EXPECT_TRUE(test::WaitUntil([&] { return wake_ups == 1; }));
}

TEST(QtSingleInstance, LeftoversOfADeadProcessAreTakenOver) {
  test::TempFolder dir;
  // A lock file naming a process that is not running, and its socket file.
  dir.Write("KalendorTestStale.lock", "2147483000\nkalendor\n\n");
  dir.Write("KalendorTestStale.socket", "");
  QtSingleInstance first(dir.path());
  int wake_ups = 0;
  first.on_wake_up = [&] { ++wake_ups; };
  ASSERT_TRUE(first.Acquire("KalendorTestStale"));
  QtSingleInstance second(dir.path());
  EXPECT_FALSE(second.Acquire("KalendorTestStale"));
  EXPECT_TRUE(test::WaitUntil([&] { return wake_ups == 1; }));
}

TEST(QtSingleInstance, AnOldLockOfALiveHolderIsNotTakenAsStale) {
  // The lock is held for the whole run, however long; its age never frees it.
  test::TempFolder dir;
  QtSingleInstance first(dir.path());
  ASSERT_TRUE(first.Acquire("KalendorTestAge"));
  const std::string lock = dir / "KalendorTestAge.lock";
  std::filesystem::last_write_time(lock, std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
  QtSingleInstance second(dir.path());
  EXPECT_FALSE(second.Acquire("KalendorTestAge"));
}

TEST(QtSingleInstance, NamesWithPathCharactersStayInTheRuntimeFolder) {
  test::TempFolder dir;
  dir.MakeFolder("run");
  QtSingleInstance first(dir / "run");
  ASSERT_TRUE(first.Acquire("../Kalendor/x"));
  EXPECT_TRUE(dir.Exists("run/___Kalendor_x.lock"));
  QtSingleInstance second(dir / "run");
  EXPECT_FALSE(second.Acquire("../Kalendor/x"));
}

TEST(QtSingleInstance, UsesTheUsersRuntimeFolder) {
  test::TempFolder dir;
  {
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path());
    EXPECT_EQ(QtSingleInstance().RuntimeFolder(), dir.path());
  }
  // Without one: a private folder under the temporary folder.
  test::ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
  test::ScopedEnv tmp("TMPDIR", dir / "tmp");
  dir.MakeFolder("tmp");
  const std::string own = dir / ("tmp/kalendor-runtime-" + std::to_string(::getuid()));
  EXPECT_EQ(QtSingleInstance().RuntimeFolder(), own);
  struct stat st {};
  ASSERT_EQ(::stat(own.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A folder of that name that others may enter is not used.
  ::chmod(own.c_str(), 0755);
  EXPECT_NE(QtSingleInstance().RuntimeFolder(), own);
}

}  // namespace
}  // namespace kal::platform
