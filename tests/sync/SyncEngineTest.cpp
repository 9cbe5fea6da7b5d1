#include "sync/SyncEngine.h"

#include <gtest/gtest.h>

#include "import/CalendarImport.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeCalDavServer.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"
#include "sync/SyncState.h"

namespace kal::sync {
namespace {

using import::CalendarEvent;

store::ScheduleFields Sch(int day, const std::string& start, const std::string& end, const std::string& title,
                          const std::string& place = "", int span = 0) {
  store::ScheduleFields f;
  f.day = day;
  f.start = start;
  f.end = end;
  f.title = title;
  f.place = place;
  f.span = span;
  return f;
}

std::string Line(const store::ScheduleFields& f) {
  store::BuildResult built = store::BuildScheduleLine(f);
  EXPECT_TRUE(built.ok) << built.message;
  return built.line;
}

// An event as another program writes it.
std::string OtherEvent(const std::string& uid, const std::string& start, const std::string& end,
                       const std::string& summary, const std::string& extra = "") {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
         "\r\nDTSTAMP:20240501T000000Z\r\nDTSTART" + start + "\r\nDTEND" + end + "\r\nSUMMARY:" + summary + "\r\n" +
         extra + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

class SyncEngineTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  test::FakeCalDavServer server;
  test::FakeDialogs dialogs;
  platform::PosixFileSystem fs;
  int uid_counter = 0;

  SyncReport Run(bool dry_run = false) {
    SyncRequest r;
    r.url = "http://127.0.0.1:5232/";
    r.user = "alice";
    r.calendar = "仕事";
    r.program_folder = folder.path();
    r.data_folder = folder.path();
    r.now.date = store::MakeDate(2024, 5, 1);
    r.now.hour = 10;
    r.dry_run = dry_run;
    r.new_uid = [this] { return "uid" + std::to_string(++uid_counter) + "@kalendor"; };
    return RunSync(fs, dialogs, server, r);
  }

  void WriteMonth(const std::string& name, const std::vector<std::string>& lines) {
    folder.Write(name, store::JoinLines(lines));
  }
  std::vector<std::string> Lines(const std::string& name) { return store::SplitLines(folder.Read(name)); }

  // The server's events as a calendar reader sees them, by summary.
  std::map<std::string, CalendarEvent> ServerEvents() {
    std::map<std::string, CalendarEvent> out;
    for (const auto& [href, r] : server.events) {
      auto read = import::ReadICalendar(r.body);
      EXPECT_EQ(read.events.size(), 1u) << href;
      if (!read.events.empty()) out[read.events[0].summary] = read.events[0];
    }
    return out;
  }

  // The path of the server's event with this summary.
  std::string HrefOf(const std::string& summary) {
    for (const auto& [href, r] : server.events) {
      auto read = import::ReadICalendar(r.body);
      if (!read.events.empty() && read.events[0].summary == summary) return href;
    }
    ADD_FAILURE() << summary;
    return {};
  }

  // Three schedules of May 2024: timed with a place, an all-day span of three days with a memo
  // of two lines, and an untimed single day.
  void Fixture() {
    store::ScheduleFields memo_line = Sch(10, "", "", "出張", "", 3);
    memo_line.detail = 1;
    WriteMonth("202405.sch", {Line(Sch(3, "10:00", "11:30", "会議", "本社")), Line(memo_line),
                              Line(Sch(20, "", "", "誕生日"))});
    WriteMonth("202405.dtl", {*store::BuildDetailLine(1, {"新幹線", "ホテル泊"})});
  }
};

TEST_F(SyncEngineTest, FirstSyncPutsEveryScheduleOnTheServerAndASecondSyncTransfersNothing) {
  Fixture();
  const SyncReport first = Run();
  ASSERT_TRUE(first.completed()) << first.error;
  EXPECT_EQ(first.pushed, 3);
  EXPECT_EQ(first.pulled, 0);
  ASSERT_EQ(first.changes.size(), 3u);
  EXPECT_EQ(first.changes[0].kind, ChangeKind::PushAdd);
  EXPECT_EQ(first.changes[0].date, "2024/05/03");
  EXPECT_EQ(first.changes[0].title, "会議");

  auto events = ServerEvents();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events["会議"].start_date, "2024/05/03");
  EXPECT_EQ(events["会議"].start_time, "10:00");
  EXPECT_EQ(events["会議"].end_time, "11:30");
  EXPECT_EQ(events["会議"].location, "本社");
  EXPECT_EQ(events["出張"].start_date, "2024/05/10");
  EXPECT_EQ(events["出張"].end_date, "2024/05/12");
  EXPECT_EQ(events["出張"].description, "新幹線\nホテル泊");
  EXPECT_EQ(events["誕生日"].start_time, "");
  for (const auto& [href, r] : server.events) EXPECT_EQ(href.rfind("/alice/work/", 0), 0u) << href;

  const SyncState state = LoadState(fs, folder.path());
  EXPECT_EQ(state.calendar, "/alice/work/");
  EXPECT_EQ(state.entries.size(), 3u);

  server.ResetCounts();
  const std::string month = folder.Read("202405.sch");
  const SyncReport second = Run();
  ASSERT_TRUE(second.completed()) << second.error;
  EXPECT_TRUE(second.changes.empty());
  EXPECT_EQ(server.transfers(), 0);
  EXPECT_EQ(folder.Read("202405.sch"), month);
}

TEST_F(SyncEngineTest, EventsAddedChangedAndDeletedOnTheServerReachTheMonthFiles) {
  Fixture();
  ASSERT_TRUE(Run().completed());
  // The user had made 会議 bold with an alarm: what an event cannot carry stays.
  std::vector<std::string> lines = Lines("202405.sch");
  store::ScheduleFields bold = Sch(3, "10:00", "11:30", "会議", "本社");
  bold.font_style = 1;
  bold.alarm1 = 2;
  lines[0] = Line(bold);
  WriteMonth("202405.sch", lines);
  ASSERT_TRUE(Run().completed());  // a local change of the line: pushed

  server.Store(HrefOf("会議"), OtherEvent("x1", ":20240503T020000Z", ":20240503T040000Z", "会議（変更）", "LOCATION:支社\r\n"));
  server.events.erase(HrefOf("誕生日"));
  server.Store("/alice/work/new.ics", OtherEvent("new", ";VALUE=DATE:20240607", ";VALUE=DATE:20240608", "健康診断"));

  const SyncReport r = Run();
  ASSERT_TRUE(r.completed()) << r.error;
  EXPECT_EQ(r.pulled, 3);
  EXPECT_EQ(r.pushed, 0);

  store::ScheduleFields changed = Sch(3, "11:00", "13:00", "会議（変更）", "支社");
  changed.font_style = 1;
  changed.alarm1 = 2;
  store::ScheduleFields trip = Sch(10, "", "", "出張", "", 3);
  trip.detail = 1;
  EXPECT_EQ(Lines("202405.sch"), (std::vector<std::string>{Line(changed), Line(trip)}));
  EXPECT_EQ(Lines("202406.sch"), (std::vector<std::string>{Line(Sch(7, "", "", "健康診断"))}));

  server.ResetCounts();
  const SyncReport again = Run();
  EXPECT_TRUE(again.changes.empty());
  EXPECT_EQ(server.transfers(), 0);
}

TEST_F(SyncEngineTest, AnEventMovedToAnotherMonthOnTheServerMovesItsLineAndMemo) {
  Fixture();
  ASSERT_TRUE(Run().completed());
  server.Store(HrefOf("出張"), OtherEvent("t", ";VALUE=DATE:20240603", ";VALUE=DATE:20240605", "出張",
                                          "DESCRIPTION:新幹線\\nホテル泊\r\n"));
  const SyncReport r = Run();
  ASSERT_TRUE(r.completed()) << r.error;
  ASSERT_EQ(r.changes.size(), 1u);
  EXPECT_EQ(r.changes[0].kind, ChangeKind::PullChange);
  EXPECT_EQ(r.changes[0].date, "2024/06/03");
  EXPECT_EQ(Lines("202405.sch"), (std::vector<std::string>{Line(Sch(3, "10:00", "11:30", "会議", "本社")),
                                                           Line(Sch(20, "", "", "誕生日"))}));
  store::ScheduleFields moved = Sch(3, "", "", "出張", "", 2);
  moved.detail = 1;
  moved.bar_style = 0;
  EXPECT_EQ(Lines("202406.sch"), (std::vector<std::string>{Line(moved)}));
  EXPECT_EQ(Lines("202406.dtl"), (std::vector<std::string>{*store::BuildDetailLine(1, {"新幹線", "ホテル泊"})}));
  EXPECT_TRUE(Lines("202405.dtl").empty());
  server.ResetCounts();
  EXPECT_TRUE(Run().changes.empty());
  EXPECT_EQ(server.transfers(), 0);
}

TEST_F(SyncEngineTest, LocalChangesAndDeletionsReachTheServer) {
  Fixture();
  ASSERT_TRUE(Run().completed());
  std::vector<std::string> lines = Lines("202405.sch");
  const std::string meeting_href = HrefOf("会議");
  lines[0] = Line(Sch(3, "14:00", "15:00", "会議", "本社"));  // moved in the day
  lines.pop_back();                                         // 誕生日 deleted
  WriteMonth("202405.sch", lines);

  const SyncReport r = Run();
  ASSERT_TRUE(r.completed()) << r.error;
  ASSERT_EQ(r.changes.size(), 2u);
  EXPECT_EQ(r.changes[0].kind, ChangeKind::PushChange);
  EXPECT_EQ(r.changes[1].kind, ChangeKind::PushDelete);
  EXPECT_EQ(r.changes[1].title, "誕生日");
  auto events = ServerEvents();
  EXPECT_EQ(events.size(), 2u);
  EXPECT_EQ(events.count("誕生日"), 0u);
  EXPECT_EQ(events["会議"].start_time, "14:00");
  EXPECT_EQ(HrefOf("会議"), meeting_href);  // the same event, changed in place
}

TEST_F(SyncEngineTest, AConflictKeepsTheServersVersionAndTheLocalOneAsANewSchedule) {
  WriteMonth("202405.sch", {Line(Sch(3, "10:00", "11:00", "打合せ"))});
  ASSERT_TRUE(Run().completed());
  const std::string href = HrefOf("打合せ");
  server.Store(href, OtherEvent("x", ":20240503T050000Z", ":20240503T060000Z", "打合せ"));  // 14:00 there
  WriteMonth("202405.sch", {Line(Sch(3, "16:00", "17:00", "打合せ"))});                       // 16:00 here

  const SyncReport r = Run();
  ASSERT_TRUE(r.completed()) << r.error;
  ASSERT_EQ(r.changes.size(), 1u);
  EXPECT_EQ(r.changes[0].kind, ChangeKind::Conflict);
  EXPECT_EQ(r.conflicts, 1);
  EXPECT_EQ(Lines("202405.sch"), (std::vector<std::string>{Line(Sch(3, "14:00", "15:00", "打合せ")),
                                                           Line(Sch(3, "16:00", "17:00", "打合せ（競合）"))}));
  auto events = ServerEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events["打合せ（競合）"].start_time, "16:00");
  EXPECT_EQ(events["打合せ"].start_time, "14:00");

  server.ResetCounts();
  EXPECT_TRUE(Run().changes.empty());
  EXPECT_EQ(server.transfers(), 0);
}

TEST_F(SyncEngineTest, AConflictCopyOfALongTitleStaysWithinTheTitleWidth) {
  const std::string title = "あいうえおかきくけこさしすせそたちつてと";  // 40 bytes
  WriteMonth("202405.sch", {Line(Sch(3, "10:00", "", title))});
  ASSERT_TRUE(Run().completed());
  server.Store(HrefOf(title), OtherEvent("x", ":20240503T050000Z", ":20240503T060000Z", title));
  WriteMonth("202405.sch", {Line(Sch(3, "16:00", "", title))});
  ASSERT_TRUE(Run().completed());
  const auto lines = Lines("202405.sch");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(store::ReadScheduleLine(lines[1]).title, "あいうえおかきくけこさしすせそた（競合）");
}

TEST_F(SyncEngineTest, ALostStateFileLeadsToAFullResyncWithoutDuplicates) {
  Fixture();
  ASSERT_TRUE(Run().completed());
  server.Store("/alice/work/other.ics", OtherEvent("o", ";VALUE=DATE:20240521", ";VALUE=DATE:20240522", "休暇"));
  ASSERT_TRUE(Run().completed());
  const std::string month = folder.Read("202405.sch");
  const SyncState before = LoadState(fs, folder.path());
  ASSERT_TRUE(fs.Remove(StatePath(folder.path())));

  server.ResetCounts();
  const SyncReport r = Run();
  ASSERT_TRUE(r.completed()) << r.error;
  EXPECT_TRUE(r.changes.empty());
  EXPECT_EQ(server.puts + server.deletes, 0);
  EXPECT_EQ(server.events.size(), 4u);
  EXPECT_EQ(folder.Read("202405.sch"), month);
  SyncState after = LoadState(fs, folder.path());
  EXPECT_EQ(after.entries.size(), before.entries.size());
}

TEST_F(SyncEngineTest, TheStateOfAnotherCalendarCountsAsNone) {
  Fixture();
  ASSERT_TRUE(Run().completed());
  SyncState state = LoadState(fs, folder.path());
  state.calendar = "/alice/home/";
  SaveState(fs, folder.path(), state);
  server.ResetCounts();
  const SyncReport r = Run();
  EXPECT_TRUE(r.changes.empty());
  EXPECT_EQ(server.puts, 0);
  EXPECT_EQ(LoadState(fs, folder.path()).calendar, "/alice/work/");
}

// The server goes away after a number of answers; the data files stay whole and the next sync
// completes without duplicates.
TEST_F(SyncEngineTest, AnInterruptedSyncLeavesWholeFilesAndCompletesNextTime) {
  struct Case {
    const char* name;
    int answers;  // requests answered before the server stops
  };
  for (const Case c : {Case{"before the listing", 1}, Case{"before the first event is fetched", 2},
                       Case{"after one event was pulled", 3}, Case{"after the first push", 5}}) {
    SCOPED_TRACE(c.name);
    test::TempFolder f;
    test::FakeCalDavServer s;
    s.Store("/alice/work/a.ics", OtherEvent("a", ";VALUE=DATE:20240501", ";VALUE=DATE:20240502", "祝賀会"));
    s.Store("/alice/work/b.ics", OtherEvent("b", ":20240502T000000Z", ":20240502T010000Z", "朝会"));
    f.Write("202405.sch", store::JoinLines({Line(Sch(3, "10:00", "11:30", "会議")), Line(Sch(20, "", "", "誕生日"))}));
    SyncRequest r;
    r.url = "http://127.0.0.1:5232/";
    r.user = "alice";
    r.program_folder = f.path();
    r.data_folder = f.path();
    s.answers_left = c.answers;
    const SyncReport broken = RunSync(fs, dialogs, s, r);
    EXPECT_FALSE(broken.completed());
    EXPECT_NE(broken.error.find("Connection refused"), std::string::npos) << broken.error;
    EXPECT_EQ(broken.error.rfind(kServerFailedMessage, 0), 0u);
    // Every month file is whole: each line a schedule line.
    for (const std::string& line : store::SplitLines(f.Read("202405.sch"))) EXPECT_NE(store::Day(line), 0) << line;

    s.answers_left.reset();
    const SyncReport done = RunSync(fs, dialogs, s, r);
    ASSERT_TRUE(done.completed()) << done.error;
    EXPECT_EQ(s.events.size(), 4u);
    EXPECT_EQ(store::SplitLines(f.Read("202405.sch")).size(), 4u);
    s.ResetCounts();
    EXPECT_TRUE(RunSync(fs, dialogs, s, r).changes.empty());
    EXPECT_EQ(s.transfers(), 0);
  }
}

TEST_F(SyncEngineTest, ARefusedLoginChangesNothing) {
  Fixture();
  const std::string month = folder.Read("202405.sch");
  server.refuse_login = true;
  const SyncReport r = Run();
  EXPECT_FALSE(r.completed());
  EXPECT_TRUE(r.login_refused);
  EXPECT_EQ(r.error, std::string(kLoginRefusedMessage) + "\nHTTP 401 Unauthorized");
  EXPECT_EQ(folder.Read("202405.sch"), month);
  EXPECT_FALSE(folder.Exists(kStateFileName));
  EXPECT_TRUE(server.events.empty());
}

TEST_F(SyncEngineTest, ACalendarThatIsNotThereStopsBeforeAnything) {
  Fixture();
  server.calendars = {{"/alice/home/", "家庭"}};
  const SyncReport r = Run();
  EXPECT_EQ(r.error, kNoCalendarMessage);
  EXPECT_FALSE(folder.Exists(kStateFileName));
}

TEST_F(SyncEngineTest, EventsTheDataCannotHoldAreReportedAndLeftOnTheServer) {
  server.Store("/alice/work/weekly.ics", OtherEvent("w", ":20240506T000000Z", ":20240506T010000Z", "週次",
                                                    "RRULE:FREQ=WEEKLY\r\n"));
  server.Store("/alice/work/long.ics",
               OtherEvent("l", ";VALUE=DATE:20240501", ";VALUE=DATE:20240801", "長期出張"));
  server.Store("/alice/work/emoji.ics",
               OtherEvent("e", ";VALUE=DATE:20240501", ";VALUE=DATE:20240502", "遠足\xF0\x9F\x98\x80"));
  const SyncReport r = Run();
  ASSERT_TRUE(r.completed()) << r.error;
  EXPECT_TRUE(r.changes.empty());
  ASSERT_EQ(r.notices.size(), 3u);
  std::string all;
  for (const auto& n : r.notices) all += n + "\n";
  EXPECT_NE(all.find("「週次」は取り込めません: 繰り返しの予定は取り込めません。"), std::string::npos) << all;
  EXPECT_NE(all.find("期間が62日を超えるため処理できません。"), std::string::npos) << all;
  EXPECT_NE(all.find("「遠足"), std::string::npos) << all;
  EXPECT_FALSE(folder.Exists("202405.sch"));
  EXPECT_EQ(server.events.size(), 3u);
}

TEST_F(SyncEngineTest, ADryRunReportsThePlanAndWritesNothing) {
  Fixture();
  server.Store("/alice/work/a.ics", OtherEvent("a", ";VALUE=DATE:20240601", ";VALUE=DATE:20240602", "祝賀会"));
  const SyncReport r = Run(/*dry_run=*/true);
  ASSERT_TRUE(r.completed()) << r.error;
  EXPECT_EQ(r.pushed, 3);
  EXPECT_EQ(r.pulled, 1);
  EXPECT_EQ(server.puts, 0);
  EXPECT_EQ(server.events.size(), 1u);
  EXPECT_FALSE(folder.Exists("202406.sch"));
  EXPECT_FALSE(folder.Exists(kStateFileName));
}

TEST_F(SyncEngineTest, AnEtagChangeWithTheSameContentsOnlyUpdatesTheState) {
  WriteMonth("202405.sch", {Line(Sch(3, "10:00", "11:00", "打合せ"))});
  ASSERT_TRUE(Run().completed());
  SyncState state = LoadState(fs, folder.path());
  state.entries[0].etag = "\"old\"";  // the server rewrote the event without changing it
  SaveState(fs, folder.path(), state);
  const SyncReport r = Run();
  ASSERT_TRUE(r.completed()) << r.error;
  EXPECT_TRUE(r.changes.empty());
  EXPECT_EQ(LoadState(fs, folder.path()).entries[0].etag, server.events.begin()->second.etag);
}

TEST(SyncLineHash, LeavesTheDetailNumberOut) {
  store::ScheduleFields a = Sch(3, "10:00", "", "会議", "本社");
  a.detail = 1;
  store::ScheduleFields b = a;
  b.detail = 7;
  EXPECT_EQ(LineHash("202405", Line(a), {"メモ"}), LineHash("202405", Line(b), {"メモ"}));
  EXPECT_NE(LineHash("202405", Line(a), {"メモ"}), LineHash("202405", Line(a), {"メモ2"}));
  EXPECT_NE(LineHash("202405", Line(a), {}), LineHash("202406", Line(a), {}));
}

TEST(SyncStateFile, RoundTripsWithEscapesAndRefusesAForeignFile) {
  SyncState s;
  s.url = "https://dav.example.jp/";
  s.user = "alice";
  s.calendar = "/alice/work/";
  s.entries.push_back({"u1@kalendor", "/alice/work/u1.ics", "\"3\"", "0123456789abcdef", "2024/05/03", "10:00",
                       "タブ\tと\\記号"});
  const std::string text = StateText(s);
  EXPECT_EQ(text,
            "KalendorSync\t1\ncalendar\thttps://dav.example.jp/\talice\t/alice/work/\n"
            "E\tu1@kalendor\t/alice/work/u1.ics\t\"3\"\t0123456789abcdef\t2024/05/03\t10:00\tタブ\\tと\\\\記号\n");
  EXPECT_EQ(ParseState(text), s);
  EXPECT_EQ(ParseState("something else\n"), SyncState{});
  EXPECT_EQ(ParseState(text + "E\tbroken\n"), SyncState{});
}

}  // namespace
}  // namespace kal::sync
