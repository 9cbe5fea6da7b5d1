#include "reminders/Addon.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

using test::Sjis;

TEST(AddonStore, ReadsTheFieldsOfALine) {
  const AddonEntry e = ReadAddonLine(Sjis("09:3010 /home/u/日報 ツール/run.sh   "));
  EXPECT_EQ(e.timing, "09:30");
  EXPECT_TRUE(e.enabled);
  EXPECT_FALSE(e.wait);
  EXPECT_EQ(e.program, "/home/u/日報 ツール/run.sh");
  // A short line: a missing wait digit counts as waiting, a missing program is empty.
  const AddonEntry s = ReadAddonLine("CALEN0");
  EXPECT_EQ(s.timing, "CALEN");
  EXPECT_FALSE(s.enabled);
  EXPECT_TRUE(s.wait);
  EXPECT_EQ(s.program, "");
}

TEST(AddonStore, SavesSortedWithCrLfAndReadsBack) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  SaveAddonLines(fs, dir.path(), {*BuildAddonLine("START", true, true, "/usr/bin/xeyes"),
                                  *BuildAddonLine("09:30", false, false, "/opt/日報.sh"),
                                  *BuildAddonLine("CALEN", true, true, "/usr/bin/gcal")});
  EXPECT_EQ(dir.Read("Addon.lst"), Sjis("09:3000 /opt/日報.sh\r\nCALEN11 /usr/bin/gcal\r\nSTART11 /usr/bin/xeyes\r\n"));
  const auto entries = LoadAddons(fs, dir.path());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].program, "/opt/日報.sh");
  // Missing file: no add-ons.
  test::TempFolder empty;
  EXPECT_TRUE(LoadAddons(fs, empty.path()).empty());
}

TEST(AddonStore, ProgramsLongerThanTheFieldOrNotStorableAreRefused) {
  EXPECT_TRUE(BuildAddonLine("START", true, true, std::string(128, 'a')).has_value());
  EXPECT_FALSE(BuildAddonLine("START", true, true, std::string(129, 'a')).has_value());
  EXPECT_FALSE(BuildAddonLine("START", true, true, std::string(63, 'a') + "漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢字漢").has_value());
  std::string bad;
  EXPECT_FALSE(BuildAddonLine("START", true, true, "/opt/😀", ' ', &bad).has_value());
  EXPECT_EQ(bad, "😀");
}

TEST(AddonStore, SameLineIgnoresTheCaseOfLettersOnly) {
  EXPECT_TRUE(SameAddonLine("START11 /usr/bin/Tool", "START11 /USR/BIN/tool"));
  EXPECT_FALSE(SameAddonLine("START11 /usr/bin/tool", "START10 /usr/bin/tool"));
  // "ソ" is 0x83 0x5C and "ボ" 0x83 0x7B: trail bytes are never folded or confused.
  EXPECT_FALSE(SameAddonLine(Sjis("START11 /ソ"), Sjis("START11 /ボ")));
}

TEST(AddonMenus, ToolsMenuOffersEveryProgramOnce) {
  std::vector<AddonEntry> e{ReadAddonLine("09:3011 /opt/tools/Report.sh"), ReadAddonLine("START01 /opt/tools/report.SH"),
                            ReadAddonLine("CALEN00 /usr/bin/gcal"), ReadAddonLine("KIDOU10 \"/opt/my tool/run\" --x")};
  const auto items = ToolsMenuAddons(e);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], (AddonMenuItem{"Report.sh", "/opt/tools/Report.sh", {}, true}));
  EXPECT_EQ(items[1].caption, "gcal");
  EXPECT_EQ(items[2].caption, "run");
}

TEST(AddonMenus, CalendarMenuPassesTheSelectedDateOrRange) {
  std::vector<AddonEntry> e{ReadAddonLine("CALEN11 /opt/cal/export.py"), ReadAddonLine("CALEN01 /opt/off"),
                            ReadAddonLine("CALEN10 /opt/nowait"), ReadAddonLine("START11 /opt/start")};
  const auto one = CalendarMenuAddons(e, store::MakeDate(2024, 5, 3), std::nullopt);
  ASSERT_EQ(one.size(), 2u);
  EXPECT_EQ(one[0], (AddonMenuItem{"export", "/opt/cal/export.py", {"2024/05/03"}, true}));
  EXPECT_FALSE(one[1].wait);
  const auto range = CalendarMenuAddons(e, store::MakeDate(2024, 5, 3), store::MakeDate(2024, 5, 6));
  EXPECT_EQ(range[0].arguments, (std::vector<std::string>{"2024/05/03", "2024/05/06"}));
}

}  // namespace
}  // namespace kal::reminders
