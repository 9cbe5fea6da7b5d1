#include "reminders/AddonForm.h"

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

using test::Sjis;

AddonInput Input(const std::string& program, AddonRunOption option, const std::string& time = "", bool wait = true) {
  return {program, option, time, wait};
}

TEST(AddonForm, ChecksInOrderWithTheirMessagesAndFields) {
  const std::vector<std::string> existing{"START11 /usr/bin/xeyes"};
  struct Case {
    AddonInput input;
    std::string message;
    AddonField field;
    std::string line;
  } cases[] = {
      {Input("  ", AddonRunOption::AtTime, ""), kAddonProgramEmpty, AddonField::Program, ""},
      {Input("/bin/a", AddonRunOption::AtTime, " "), kAddonTimeEmpty, AddonField::Time, ""},
      {Input("/bin/a", AddonRunOption::AtTime, "25:00"), kAddonTimeBad, AddonField::Time, ""},
      {Input("/bin/a", AddonRunOption::AtTime, "9:5"), "", AddonField::None, "09:0511 /bin/a"},
      {Input("/bin/a", AddonRunOption::BeforeStart, "junk", false), "", AddonField::None, "KIDOU10 /bin/a"},
      {Input("/bin/a", AddonRunOption::CalendarMenu), "", AddonField::None, "CALEN11 /bin/a"},
      {Input("/USR/bin/XEYES", AddonRunOption::AfterStart), kAddonDuplicate, AddonField::Program, ""},
      {Input(std::string(129, 'p'), AddonRunOption::AfterStart), kAddonProgramTooLong, AddonField::Program, ""},
      {Input("/opt/😀", AddonRunOption::AfterStart), "プログラム名に保存できない文字「😀」が含まれています。",
       AddonField::Program, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.program + "|" + c.input.time);
    const AddonCheck r = CheckAddonInput(c.input, AddonFormMode::Add, existing, std::nullopt);
    EXPECT_EQ(r.ok, c.message.empty());
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.field, c.field);
    EXPECT_EQ(r.line, c.line);
  }
}

TEST(AddonForm, StoreAddsChangesAndRefuses) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dir.Write("Addon.lst", "START01 /usr/bin/xeyes\r\n");

  // A new entry is enabled and the list is written sorted.
  auto r = StoreAddon(fs, dialogs, dir.path(), Input("/opt/a b/run", AddonRunOption::AtTime, "7:30", false),
                      AddonFormMode::Add, std::nullopt);
  EXPECT_TRUE(r.stored);
  EXPECT_EQ(dir.Read("Addon.lst"), "07:3010 /opt/a b/run\r\nSTART01 /usr/bin/xeyes\r\n");

  // A change keeps the stored enabled flag and replaces the old line.
  r = StoreAddon(fs, dialogs, dir.path(), Input("/usr/bin/xclock", AddonRunOption::AfterStart), AddonFormMode::Change,
                 std::string("START01 /usr/bin/xeyes"));
  EXPECT_TRUE(r.stored);
  EXPECT_EQ(dir.Read("Addon.lst"), "07:3010 /opt/a b/run\r\nSTART01 /usr/bin/xclock\r\n");
  EXPECT_TRUE(dialogs.shown.empty());

  // OK on a change that changes nothing reports the duplicate, and nothing is written.
  r = StoreAddon(fs, dialogs, dir.path(), Input("/usr/bin/xclock", AddonRunOption::AfterStart), AddonFormMode::Change,
                 std::string("START01 /usr/bin/xclock"));
  EXPECT_FALSE(r.stored);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "すでに同じ条件で登録されています。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);

  // A line changed elsewhere meanwhile is not overwritten.
  r = StoreAddon(fs, dialogs, dir.path(), Input("/usr/bin/other", AddonRunOption::AfterStart), AddonFormMode::Change,
                 std::string("START11 /usr/bin/gone"));
  EXPECT_FALSE(r.stored);
  EXPECT_EQ(dialogs.shown.back().text, kAddonStale);
  EXPECT_EQ(dir.Read("Addon.lst"), "07:3010 /opt/a b/run\r\nSTART01 /usr/bin/xclock\r\n");

  // A copy is a new, enabled entry.
  r = StoreAddon(fs, dialogs, dir.path(), Input("/usr/bin/xclock", AddonRunOption::CalendarMenu), AddonFormMode::Copy,
                 std::string("START01 /usr/bin/xclock"));
  EXPECT_TRUE(r.stored);
  EXPECT_EQ(dir.Read("Addon.lst"), "07:3010 /opt/a b/run\r\nCALEN11 /usr/bin/xclock\r\nSTART01 /usr/bin/xclock\r\n");
}

TEST(AddonForm, InputOfAnEntryAndCaptions) {
  const AddonInput in = AddonInputOf(ReadAddonLine(Sjis("12:0010 /opt/昼.sh")));
  EXPECT_EQ(in.option, AddonRunOption::AtTime);
  EXPECT_EQ(in.time, "12:00");
  EXPECT_FALSE(in.wait);
  EXPECT_EQ(in.program, "/opt/昼.sh");
  EXPECT_EQ(AddonInputOf(ReadAddonLine("CALEN11 x")).option, AddonRunOption::CalendarMenu);
  EXPECT_EQ(AddonFormCaption(AddonFormMode::Add), "アドオンの追加");
  EXPECT_EQ(AddonFormCaption(AddonFormMode::Change), "アドオンの訂正");
  EXPECT_EQ(AddonFormCaption(AddonFormMode::Copy), "アドオンのコピー");
}

}  // namespace
}  // namespace kal::reminders
