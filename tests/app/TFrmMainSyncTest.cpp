#include <QAction>
#include <QLabel>

#include <gtest/gtest.h>

#include "app/TFrmMain.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "reminders/QtReminders.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeCalDavServer.h"
#include "support/FakeDialogs.h"
#include "support/FakeSecretStore.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSetup.h"

namespace kal::app {
namespace {

constexpr const char* kUrl = "http://127.0.0.1:5232/";

// The window makes a server per sync; each one talks to the same fake and checks the password
// as the real one would.
class Connection : public sync::CalDavServer {
 public:
  Connection(test::FakeCalDavServer& server, bool refused) : server_(server), refused_(refused) {}
  std::vector<sync::CalendarInfo> Calendars() override {
    if (refused_) throw sync::ServerError(401, "HTTP 401 Unauthorized");
    return server_.Calendars();
  }
  std::vector<sync::EventRef> ListEvents(const std::string& c) override { return server_.ListEvents(c); }
  std::optional<sync::FetchedEvent> Get(const std::string& h) override { return server_.Get(h); }
  std::string Put(const std::string& h, const std::string& b, const std::optional<std::string>& m) override {
    return server_.Put(h, b, m);
  }
  void Delete(const std::string& h, const std::string& e) override { server_.Delete(h, e); }

 private:
  test::FakeCalDavServer& server_;
  bool refused_;
};

std::string Line(int day, const std::string& start, const std::string& title) {
  store::ScheduleFields f;
  f.day = day;
  f.start = start;
  f.title = title;
  return store::BuildScheduleLine(f).line;
}

class TFrmMainSyncTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Sync]", std::string("Url=") + kUrl, "User=alice",
                                    "Calendar=仕事", "Interval=" + std::to_string(interval)});
    dir.Write("202612.sch", store::JoinLines({Line(3, "10:00", "会議"), Line(24, "", "クリスマス会")}));
    secrets.secrets[{kUrl, "alice"}] = "himitsu";
  }

  std::unique_ptr<TFrmMain> Make() {
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    auto w = std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
    w->SetSyncPorts(&secrets, [this](const sync::ServerAccount& a) -> std::unique_ptr<sync::CalDavServer> {
      ++connections;
      return std::make_unique<Connection>(server, a.password != "himitsu");
    });
    return w;
  }
  QString Status(TFrmMain& w) { return w.StatusPanel(0)->text(); }

  int interval = 0;
  int connections = 0;
  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  test::FakeSecretStore secrets;
  test::FakeCalDavServer server;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 5, 0}};
};

TEST_F(TFrmMainSyncTest, TheSyncCommandPutsTheSchedulesOnTheServerAndShowsTheResult) {
  auto w = Make();
  w->Action(QStringLiteral("MenSync"))->trigger();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(server.events.size(), 2u);
  EXPECT_EQ(Status(*w), QString("同期しました（取得 0 件、送信 2 件、競合 0 件） 09:05"));
  EXPECT_TRUE(dir.Exists("Sync.dat"));
  // The state survives the window: a new window's sync finds nothing to do.
  w.reset();
  auto again = Make();
  server.ResetCounts();
  again->Action(QStringLiteral("MenSync"))->trigger();
  EXPECT_EQ(server.transfers(), 0);
  EXPECT_EQ(Status(*again), QString("同期しました（取得 0 件、送信 0 件、競合 0 件） 09:05"));
}

TEST_F(TFrmMainSyncTest, AnEventFromTheServerReachesTheMonthFile) {
  server.Store("/alice/work/a.ics",
               "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\nBEGIN:VEVENT\r\nUID:a\r\nDTSTAMP:20261201T000000Z\r\n"
               "DTSTART;VALUE=DATE:20261215\r\nDTEND;VALUE=DATE:20261216\r\nSUMMARY:忘年会\r\nEND:VEVENT\r\n"
               "END:VCALENDAR\r\n");
  auto w = Make();
  w->Action(QStringLiteral("MenSync"))->trigger();
  EXPECT_EQ(Status(*w), QString("同期しました（取得 1 件、送信 2 件、競合 0 件） 09:05"));
  const auto lines = store::SplitLines(dir.Read("202612.sch"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], Line(15, "", "忘年会"));
}

TEST_F(TFrmMainSyncTest, ARefusedLoginIsShownWithTheServersAnswerAndChangesNothing) {
  secrets.secrets[{kUrl, "alice"}] = "wrong";
  const std::string month = dir.Read("202612.sch");
  auto w = Make();
  w->Action(QStringLiteral("MenSync"))->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "サーバーにログインできません。ユーザー名とパスワードを確かめて下さい。\nHTTP 401 Unauthorized");
  EXPECT_EQ(dialogs.shown[0].caption, "同期");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(Status(*w),
            QString("同期できませんでした: サーバーにログインできません。ユーザー名とパスワードを確かめて下さい。 09:05"));
  EXPECT_EQ(dir.Read("202612.sch"), month);
  EXPECT_FALSE(dir.Exists("Sync.dat"));
}

TEST_F(TFrmMainSyncTest, WithoutAServerTheCommandSaysWhereToSetOne) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71"});
  auto w = Make();
  w->Action(QStringLiteral("MenSync"))->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, sync::kNoSettingsMessage);
  EXPECT_EQ(dialogs.shown[0].caption, "同期");
  EXPECT_EQ(connections, 0);
}

TEST_F(TFrmMainSyncTest, TheAutomaticSyncRunsEveryIntervalOnTheMinuteEngine) {
  interval = 2;
  SetUp();
  auto w = Make();
  emit w->ReminderHub()->MinutePassed();
  EXPECT_EQ(connections, 0);
  emit w->ReminderHub()->MinutePassed();
  EXPECT_EQ(connections, 1);
  EXPECT_EQ(server.events.size(), 2u);
  emit w->ReminderHub()->MinutePassed();
  EXPECT_EQ(connections, 1);
  // A failure of the automatic sync goes to the status bar only.
  secrets.secrets[{kUrl, "alice"}] = "wrong";
  emit w->ReminderHub()->MinutePassed();
  EXPECT_EQ(connections, 2);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(Status(*w).startsWith(QString("同期できませんでした: サーバーにログインできません。")));
}

}  // namespace
}  // namespace kal::app
