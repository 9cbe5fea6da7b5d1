#include "app/DemoFolder.h"

#include <gtest/gtest.h>

#include "catalogues/Category.h"
#include "import/CsvReader.h"
#include "import/ImportEngine.h"
#include "import/ImportSource.h"
#include "platform/FileSystem.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/IniFile.h"
#include "store/MemoFile.h"
#include "store/NoteFile.h"
#include "store/ScheduleFile.h"
#include "store/Settings.h"
#include "store/TextFile.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

TEST(DemoFolder, WritesReadableDataAroundTheMonth) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const std::string folder = dir.path() + "demo";
  BuildDemoFolder(fs, folder, store::MakeDate(2027, 1, 15));
  const std::string f = folder + "/";

  const store::IniFile ini = store::IniFile::Load(fs, f + "Kalendor.ini");
  EXPECT_EQ(ini.ReadString("Kalendor", "Ver", ""), store::kSettingsVersion);  // no first-run dialog
  EXPECT_TRUE(ini.ReadBool("Tray", "TrayIcon", false));

  // Schedules of the month, the month before and after, all readable and sorted.
  for (const auto& [y, m] : {std::pair{2026, 12}, std::pair{2027, 1}, std::pair{2027, 2}}) {
    const std::vector<std::string> lines = store::LoadLines(fs, store::MonthFilePath(f, y, m));
    ASSERT_FALSE(lines.empty()) << y << "/" << m;
    for (const std::string& line : lines) EXPECT_GE(store::Day(line), 1);
  }
  const std::vector<std::string> january = store::LoadLines(fs, store::MonthFilePath(f, 2027, 1));
  int bars = 0;
  int timed = 0;
  int with_memo = 0;
  for (const std::string& line : january) {
    const store::ScheduleFields s = store::ReadScheduleLine(line);
    bars += s.span > 0;
    timed += !s.start.empty();
    with_memo += s.detail > 0;
  }
  EXPECT_GE(bars, 3);
  EXPECT_GE(timed, 5);
  EXPECT_GE(with_memo, 2);
  const std::vector<std::string> details = store::LoadLines(fs, store::DetailFilePath(f, 2027, 1));
  EXPECT_EQ(static_cast<int>(details.size()), with_memo);

  // The holiday file holds the built-in holidays and the demo's own entries.
  const std::vector<std::string> holidays = store::LoadLines(fs, store::HolidayFilePath(f));
  EXPECT_EQ(holidays.size(), store::BuiltInHolidayLines().size() + 4);
  const auto parsed = store::ParseHolidayLines(holidays);
  const auto entries = store::HolidayEntriesInMonth(parsed, 2027, 1);
  bool birthday = false;
  for (const auto& e : entries) birthday = birthday || e.name == "母の誕生日(68歳)";
  EXPECT_TRUE(birthday);

  // Categories with colours and icons, their bitmaps beside them.
  const catalogues::CategoryTable table = catalogues::LoadCategoryTable(fs, f);
  ASSERT_GE(table.size(), 5u);
  EXPECT_EQ(table.Entry(1).icon, 6);
  EXPECT_TRUE(table.Entry(1).text_colour.has_value());
  EXPECT_TRUE(fs.Exists(f + "Klcat006.bmp"));

  // Weather, a custom day colour, a mark and memo-icon colours in the day file; the memos.
  const std::vector<std::string> days = store::LoadLines(fs, store::DayFilePath(f, 2027, 1));
  ASSERT_EQ(days.size(), store::kDayFileLines);
  EXPECT_EQ(store::ReadDayLine(days[3]).weather1, 3);
  EXPECT_EQ(store::ReadDayLine(days[10]).colour_code, '9');
  EXPECT_EQ(store::ReadDayLine(days[15]).colour_code, 'M');
  EXPECT_EQ(store::ReadDayLine(days[12]).memo_colour, '1');
  EXPECT_EQ(store::ReadDayLine(days[2]).weather1, 1);
  EXPECT_TRUE(fs.Exists(f + "20270118.mem"));
  EXPECT_FALSE(store::LoadMemo(fs, f, store::MemoId::OfMonth(2027, 1)).empty());

  // Three notes, one of them with links.
  const std::vector<std::string> titles = store::LoadNoteTitles(fs, f);
  ASSERT_EQ(titles.size(), 3u);
  const std::vector<std::string> links = store::LoadNote(fs, f, titles[1]);
  ASSERT_FALSE(links.empty());
  EXPECT_EQ(links[0].rfind("https://", 0), 0u);
}

TEST(DemoFolder, IconBitmapHasItsSizeAndTransparentCorner) {
  const std::string bmp = DemoIconBitmap(0x0000FF, 0xFF00FF);
  ASSERT_EQ(bmp.size(), 54u + 16 * 16 * 3);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  // The first stored pixel is the bottom-left one: the transparent colour, blue-green-red bytes.
  EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bmp[55]), 0x00);
  EXPECT_EQ(static_cast<unsigned char>(bmp[56]), 0xFF);
  // The centre is the disc colour: red.
  const std::size_t centre = 54 + (8 * 16 + 8) * 3;
  EXPECT_EQ(static_cast<unsigned char>(bmp[centre + 2]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bmp[centre]), 0x00);
}

}  // namespace
}  // namespace kal::app

namespace kal::app {
namespace {

TEST(DemoFolder, HoldsASpreadsheetCsvForTheImport) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  BuildDemoFolder(fs, dir.path(), store::MakeDate(2027, 1, 15));
  std::string error;
  auto source = import::OpenImportSource(fs, import::ImportTarget::Schedule, dir / "ImportSample.csv", &error);
  ASSERT_TRUE(source) << error;
  EXPECT_TRUE(source->header_likely);
  import::ImportRequest request;
  request.records = source->records;
  request.assignment = import::AssignmentFromHeader(import::ImportTarget::Schedule, source->records.front());
  request.options = {true, true, false};
  request.folders = {dir.path(), dir.path(), dir.path()};
  const auto result = import::RunImport(fs, request, import::ImportMode::Check);
  EXPECT_EQ(result.imported, 3);
  EXPECT_EQ(result.duplicates, 1);
  EXPECT_EQ(result.refused, 0);
  EXPECT_EQ(result.records[1].date, "2027/02/05");
}

}  // namespace
}  // namespace kal::app
