#include "catalogues/SetupForm.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogues/ColourSet.h"
#include "catalogues/FolderSet.h"
#include "catalogues/NamedSet.h"
#include "store/IniFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using test::Sjis;

// Records, in order, the file name of every write and every copy target.
class RecordingFileSystem : public test::FaultyFileSystem {
 public:
  std::vector<std::string> log;
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override {
    log.push_back(Name(path));
    return FaultyFileSystem::WriteAtomic(path, bytes, error);
  }
  bool Copy(const std::string& from, const std::string& to, std::string* error) override {
    log.push_back("copy " + Name(to));
    const std::size_t before = log.size();
    const bool ok = PosixFileSystem::Copy(from, to, error);
    log.resize(before);  // the copy's own write is the copy
    return ok;
  }
  static std::string Name(const std::string& path) { return path.substr(path.rfind('/') + 1); }
};

class SetupTest : public ::testing::Test {
 protected:
  store::SettingsDefaults Defaults() const { return {dir.path(), "IPAexGothic", 9}; }
  SetupState Open() { return SetupOpen(fs, dir / "Kalendor.ini", Defaults()); }
  SetupApplyContext Context() const { return {dir.path(), dir / "Kalendor.ini", 120, 80, 2026}; }
  store::IniFile Ini() { return store::IniFile::Load(fs, dir / "Kalendor.ini"); }

  test::TempFolder dir;
  RecordingFileSystem fs;
  test::FakeDialogs dialogs;
};

// ---- OK: the checks ---------------------------------------------------------------------------

TEST(SetupRules, VerticalRanges) {
  struct Case {
    int start, end;
    const char* error;
  } cases[] = {
      {8, 7, kRangeOrderMessage},   // 08:00 to 07:00
      {0, 24, kRangeWidthMessage},  // 00:00 to 24:00 is 24 hours
      {6, 29, nullptr},             // 06:00 to 29:00
      {9, 9, nullptr},
      {7, 30, nullptr},             // 23 hours
      {6, 30, kRangeWidthMessage},
  };
  for (const auto& c : cases) {
    auto error = VerticalRangeError(c.start, c.end);
    if (c.error) {
      ASSERT_TRUE(error) << c.start << "-" << c.end;
      EXPECT_EQ(*error, c.error);
    } else {
      EXPECT_FALSE(error) << c.start << "-" << c.end;
    }
  }
}

TEST(SetupRules, PopLevelAndTranslucency) {
  EXPECT_EQ(TodoPopLevel(true, true, true), 3);
  EXPECT_EQ(TodoPopLevel(false, true, true), 2);  // "期限" alone (it ticks "期限切れ")
  EXPECT_EQ(TodoPopLevel(false, false, true), 1);
  EXPECT_EQ(TodoPopLevel(false, false, false), 0);
  EXPECT_EQ(MiniTransValue(0), 240);
  EXPECT_EQ(MiniTransValue(10), 120);
  EXPECT_EQ(MiniTransPosition(120), 10);
  EXPECT_EQ(MiniTransPosition(255), 0);
  EXPECT_EQ(MiniTransPosition(0), kMiniTransSteps);
}

TEST_F(SetupTest, TheChecksRunInTheirOrderAndNameThePageAndControl) {
  SetupState state = Open();
  store::Settings& s = state.settings;
  s.kalendor.relative_path = 1;
  for (std::string* f : FolderMembers(s.kalendor)) f->clear();
  EXPECT_FALSE(SetupCheck(s, dir.path(), fs)) << "relative empty folders mean the program folder";

  s.kalendor.note_path = "nowhere/";
  s.signal.wav = dir / "missing-signal.wav";
  s.alarm.wav = dir / "missing-alarm.wav";
  s.view_mode(2).str_time2 = 18;
  s.view_mode(2).end_time2 = 17;
  struct Step {
    const char* message;
    SetupPage page;
    const char* control;
  } steps[] = {
      {kRangeOrderMessage, SetupPage::Vertical, "CmbEndTime2"},
      {kNoAlarmSoundMessage, SetupPage::Alarm, "EdtAlarmWav"},
      {kNoSignalSoundMessage, SetupPage::Signal, "EdtSignalWav"},
      {kNoFolderMessage, SetupPage::Folders, "EdtDir4"},
  };
  for (const auto& step : steps) {
    auto failure = SetupCheck(s, dir.path(), fs);
    ASSERT_TRUE(failure) << step.message;
    EXPECT_EQ(failure->message, step.message);
    EXPECT_EQ(failure->page, step.page);
    EXPECT_EQ(failure->control, step.control);
    // Mend that fault and find the next one.
    if (failure->page == SetupPage::Vertical) s.view_mode(2).end_time2 = 30;
    if (failure->page == SetupPage::Alarm) dir.Write("missing-alarm.wav", "RIFF");
    if (failure->page == SetupPage::Signal) dir.Write("missing-signal.wav", "RIFF");
    if (failure->page == SetupPage::Folders) dir.MakeFolder("nowhere");
  }
  EXPECT_FALSE(SetupCheck(s, dir.path(), fs));

  // With full paths an empty folder is refused.
  s.kalendor.relative_path = 0;
  auto failure = SetupCheck(s, dir.path(), fs);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->control, "EdtDir1");
}

// ---- OK: the writes and their order -----------------------------------------------------------

TEST_F(SetupTest, OkCopiesIconsThenWritesSettingsThenDefaultFilesThenWarnsOnce) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=4.20", "[Alarm]", "Sound=0"});
  dir.Write("Todo.dat", "old\r\n");
  dir.Write("目標.not", "x\r\n");
  dir.Write("pictures/late.bmp", "BM-late");
  SetupState state = Open();
  EXPECT_EQ(state.stored_version, "4.20");
  state.todo_icons[0] = dir / "pictures/late.bmp";
  state.settings.alarm.wav = dir / "pictures/late.bmp";

  ASSERT_TRUE(SetupApply(fs, dialogs, state, Context()));
  EXPECT_EQ(fs.log, (std::vector<std::string>{"copy Kltod001.bmp", "Kalendor.ini", "Holiday.dat", "Category.tbl",
                                              "Note.lst", "SigTime.tbl", "SchFrom.tbl", "SchTo.tbl"}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "旧バージョンのToDoデータはそのままでは使えません。\nReadme.txtの【旧バージョンのToDoデータ移行方法】を参照して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "ToDoの移行");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Warning);

  store::IniFile ini = Ini();
  EXPECT_EQ(ini.Value("Kalendor", "Ver"), "5.71");
  EXPECT_EQ(ini.Value("Window", "Now"), "2026");
  EXPECT_EQ(ini.Value("Window", "Top"), "120");
  EXPECT_EQ(ini.Value("Window", "Left"), "80");
  EXPECT_EQ(ini.Value("ToDo", "SetIcon"), "1000000");
  EXPECT_EQ(ini.Value("Alarm", "Sound"), "1");
  EXPECT_EQ(dir.Read("Kltod001.bmp"), "BM-late");
  EXPECT_EQ(dir.Read("Note.lst"), Sjis("目標\r\n"));
  EXPECT_EQ(dir.Read("Category.tbl"), Sjis("未分類        1 \r\n打ち合わせ    1 0000000016777164\r\n"
                                           "出張・外出    1 0000000013434828\r\n休暇          1 0000000013421823\r\n"
                                           "飲み会        1 0000000016764108\r\nプライベート  1 0000000015125759\r\n"));
  // The dialog's own defaults of missing keys are what a first OK writes.
  EXPECT_EQ(ini.Value("ToDo", "Pop"), "2");
  EXPECT_EQ(ini.Value("ToDo", "DateStyle"), "yyyy/mm/dd(aaa)");
  EXPECT_EQ(ini.Value("Signal", "Form"), "h:nn:ss");
  // Layout keys belong to the exit-time write.
  EXPECT_FALSE(ini.Value("Window", "GridMode"));
  EXPECT_FALSE(ini.Value("View", "SchItemWidth"));

  // A second OK: the files exist, the settings are 5.71 now, nothing is copied or warned again.
  fs.log.clear();
  dialogs.shown.clear();
  ASSERT_TRUE(SetupApply(fs, dialogs, state, Context()));
  EXPECT_EQ(fs.log, (std::vector<std::string>{"Kalendor.ini"}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SetupTest, EachDialogKeyIsWrittenOnceInTheTablesForm) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[View]", "memomark=*", "[Window]", "Title=Mine"});
  SetupState state = Open();
  ASSERT_TRUE(SetupApply(fs, dialogs, state, Context()));
  const auto lines = store::LoadTextLines(fs, dir / "Kalendor.ini");
  for (const auto& key : store::SettingsKeys(Defaults())) {
    std::string section;
    int count = 0;
    for (const auto& line : lines) {
      if (!line.empty() && line[0] == '[') section = line.substr(1, line.size() - 2);
      else if (store::SameName(section, key.section) && line.find('=') != std::string::npos &&
               store::SameName(line.substr(0, line.find('=')), key.key))
        ++count;
    }
    const bool expected = key.dialog && !(key.section == "Alarm" && key.key == "Sound");
    EXPECT_EQ(count, expected ? 1 : 0) << key.section << " " << key.key;
  }
  EXPECT_EQ(Ini().Value("View", "MemoMark"), "*");
  EXPECT_EQ(Ini().Value("Window", "Title"), "Mine");
}

TEST_F(SetupTest, SoundIsWrittenOnlyWhenItChanges) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Alarm]", "Sound=1"});
  dir.Write("bell.wav", "RIFF");
  SetupState state = Open();
  state.settings.alarm.wav = dir / "bell.wav";
  ASSERT_TRUE(SetupApply(fs, dialogs, state, Context()));
  EXPECT_EQ(Ini().Value("Alarm", "Sound"), "1");
  // An empty sound box leaves Sound as it was (on here).
  state.settings.alarm.wav.clear();
  ASSERT_TRUE(SetupApply(fs, dialogs, state, Context()));
  EXPECT_EQ(Ini().Value("Alarm", "Sound"), "1");
  EXPECT_EQ(Ini().Value("Alarm", "Wav"), "");
}

TEST_F(SetupTest, AnIconIsNotCopiedOntoItselfAndAFailedCopyLeavesItsFlag) {
  dir.Write("Klwet002.bmp", "BM-cloud");
  SetupState state = Open();
  state.weather_icons[1] = dir / "Klwet002.bmp";       // already in its place
  state.weather_icons[2] = dir / "pictures/none.bmp";  // cannot be copied
  ASSERT_TRUE(SetupApply(fs, dialogs, state, Context()));
  EXPECT_EQ(std::count(fs.log.begin(), fs.log.end(), "copy Klwet002.bmp"), 0);
  EXPECT_EQ(dir.Read("Klwet002.bmp"), "BM-cloud");
  EXPECT_EQ(Ini().Value("View", "WeatherIcon"), "0100");
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_NE(dialogs.shown[0].text.find("none.bmp"), std::string::npos);
}

TEST_F(SetupTest, ADefaultFileThatCannotBeWrittenGivesItsOwnErrorAndTheRestAreMade) {
  SetupState state = Open();
  fs.unwritable = {dir / "Category.tbl", dir / "SchFrom.tbl"};
  ASSERT_TRUE(SetupApply(fs, dialogs, state, Context()));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_NE(dialogs.shown[0].text.find("Category.tbl"), std::string::npos);
  EXPECT_NE(dialogs.shown[1].text.find("SchFrom.tbl"), std::string::npos);
  for (const auto& shown : dialogs.shown) EXPECT_EQ(shown.icon, MsgIcon::Error);
  for (const char* made : {"Kalendor.ini", "Holiday.dat", "SigTime.tbl", "SchTo.tbl"}) EXPECT_TRUE(dir.Exists(made)) << made;
  EXPECT_FALSE(dir.Exists("Category.tbl"));
  EXPECT_EQ(dir.Read("SchTo.tbl").substr(0, 14), "     \r\n08:00\r\n");
}

TEST_F(SetupTest, ASettingsFileThatCannotBeWrittenStopsOk) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71"});
  const std::string before = dir.Read("Kalendor.ini");
  SetupState state = Open();
  fs.unwritable = {dir / "Kalendor.ini"};
  EXPECT_FALSE(SetupApply(fs, dialogs, state, Context()));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dir.Read("Kalendor.ini"), before);
  EXPECT_FALSE(dir.Exists("Holiday.dat"));
}

// ---- Named sets ------------------------------------------------------------------------------

TEST_F(SetupTest, SetNamesAreCheckedAndAnExistingSetIsOverwrittenOnlyAfterYes) {
  const SetNameQuestion q{"配色の保存", "作成した配色を保存する名前: ", "", ".col"};
  for (const char* bad : {"../up", "a/b", "a\\b", ".hidden", "tab\there"}) {
    dialogs.shown.clear();
    dialogs.input_texts = {std::string(bad)};
    EXPECT_FALSE(AskSetName(fs, dialogs, dir.path(), q)) << bad;
    ASSERT_EQ(dialogs.shown.size(), 1u) << bad;
    EXPECT_EQ(dialogs.shown[0].text, kBadSetNameMessage);
    EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  }
  dir.Write("夏.col", "");
  dialogs.shown.clear();
  dialogs.input_texts = {std::string("夏"), std::string("夏")};
  dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
  EXPECT_FALSE(AskSetName(fs, dialogs, dir.path(), q));
  EXPECT_EQ(AskSetName(fs, dialogs, dir.path(), q), "夏");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, "夏 はすでに存在します。\n上書きしますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "確認");
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
  dialogs.input_texts = {std::nullopt};
  EXPECT_FALSE(AskSetName(fs, dialogs, dir.path(), q));
}

TEST_F(SetupTest, ColourSetsSaveFontsAndColoursAndLoadMissingKeysAsDefaults) {
  SetupState state = Open();
  store::Settings& s = state.settings;
  s.font.memo = {"Mono", "12", "1"};
  s.color.kn1 = {0x112233, 0x445566};
  s.color.day = {0x010203, 0x040506};
  s.color.today = false;
  dialogs.input_texts = {std::string("青")};
  ASSERT_EQ(ColourSetSave(fs, dialogs, dir.path(), s, ""), "青");
  const store::IniFile set = store::IniFile::Load(fs, dir / "青.col");
  EXPECT_EQ(set.Value("Font", "Memo"), "Mono,12,1");
  EXPECT_EQ(set.Value("Color", "KN1"), "$112233") << "a text-only key keeps its text colour alone";
  EXPECT_EQ(set.Value("Color", "DAY"), "$010203,$040506");
  EXPECT_FALSE(set.Value("Color", "Today"));
  EXPECT_EQ(ColourSetNames(fs, dir.path()), (std::vector<std::string>{"青"}));

  dir.WriteLines("緑.col", {"[Color]", "SAT=$00FF00,$000000"});
  store::Settings loaded = Open().settings;
  loaded.color.today = false;
  loaded.color.sun = {1, 2};
  ASSERT_TRUE(LoadColourSet(fs, dir.path(), "緑", Defaults(), loaded));
  EXPECT_EQ(loaded.color.sat, (store::ColourPair{0x00FF00, 0}));
  EXPECT_EQ(loaded.color.sun, (store::ColourPair{0x0000FF, 0xE0D0FE})) << "missing keys take the defaults";
  EXPECT_FALSE(loaded.color.today) << "the switches are not part of a set";
  ASSERT_TRUE(LoadColourSet(fs, dir.path(), "青", Defaults(), loaded));
  EXPECT_EQ(loaded.color.kn1, (store::ColourPair{0x112233, 0xFFFFFF}));
  EXPECT_EQ(loaded.font.memo, (std::vector<std::string>{"Mono", "12", "1"}));

  EXPECT_TRUE(DeleteSetFile(fs, dir.path(), "青", kColourSetExtension));
  EXPECT_FALSE(dir.Exists("青.col"));
  EXPECT_FALSE(DeleteSetFile(fs, dir.path(), "../緑", kColourSetExtension));
}

TEST_F(SetupTest, FolderSetsAreCheckedAsTheSwitchReadsThem) {
  dir.MakeFolder("data");
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    bool accepted;
    const char* message;
  } cases[] = {
      {"five", {"1", "data/", "", "", ""}, false, "「five.fld」は行が足りないため、データフォルダの設定として使えません。"},
      {"six", {"1", "data/", "", "data/", "", ""}, true, nullptr},
      {"gone", {"0", "/no/such/folder/", "", "", "", "", ""}, false, "指定したデータフォルダは存在しません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.shown.clear();
    dir.WriteLines(std::string(c.name) + ".fld", c.lines);
    auto values = FolderSetChoose(fs, dialogs, dir.path(), c.name);
    EXPECT_EQ(values.has_value(), c.accepted);
    if (c.message) {
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].text, c.message);
      EXPECT_EQ(dialogs.shown[0].caption, "フォルダエラー");
    } else {
      EXPECT_TRUE(dialogs.shown.empty());
    }
  }
  auto six = FolderSetChoose(fs, dialogs, dir.path(), "six");
  ASSERT_TRUE(six);
  EXPECT_EQ(six->relative_path, 1);
  EXPECT_EQ(six->todo, "data/");
  EXPECT_EQ(six->table, dir.path()) << "a set of six lines keeps its tables in the program folder";
  EXPECT_FALSE(FolderSetChoose(fs, dialogs, dir.path(), "absent"));
}

TEST_F(SetupTest, SavingAFolderSetChecksTheFoldersAndAsksBeforeOverwriting) {
  dir.MakeFolder("data");
  store::KalendorSettings k;
  k.relative_path = 1;
  k.data_path = "data";
  k.memo_path = "missing/";
  std::optional<std::size_t> missing;
  EXPECT_FALSE(FolderSetSave(fs, dialogs, dir.path(), k, "", &missing));
  EXPECT_EQ(missing, 1u);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "指定したデータフォルダは存在しません。");
  EXPECT_FALSE(dir.Exists("仕事.fld"));

  k.memo_path = "";
  dialogs.input_texts = {std::string("仕事")};
  ASSERT_EQ(FolderSetSave(fs, dialogs, dir.path(), k, ""), "仕事");
  EXPECT_EQ(dir.Read("仕事.fld"), "1\r\ndata/\r\n\r\n\r\n\r\n\r\n\r\n");
  dialogs.shown.clear();
  dialogs.input_texts = {std::string("仕事")};
  dialogs.answers = {MsgAnswer::No};
  k.data_path = "";
  EXPECT_FALSE(FolderSetSave(fs, dialogs, dir.path(), k, "仕事"));
  EXPECT_EQ(dir.Read("仕事.fld"), "1\r\ndata/\r\n\r\n\r\n\r\n\r\n\r\n") << "No keeps the set";
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "仕事 はすでに存在します。\n上書きしますか？");
}

TEST_F(SetupTest, PathModesRewriteTheFolders) {
  const std::string program = dir.path();
  EXPECT_EQ(RelativeFolderValue(program + "data/", program), "data/");
  EXPECT_EQ(RelativeFolderValue(program, program), "");
  EXPECT_EQ(RelativeFolderValue("", program), "");
  EXPECT_EQ(AbsoluteFolderValue("", program), program);
  EXPECT_EQ(AbsoluteFolderValue("data", program), program + "data/");
  store::KalendorSettings k;
  k.data_path = program + "data/";
  k.memo_path = program;
  SetPathMode(k, 1, program);
  EXPECT_EQ(k.relative_path, 1);
  EXPECT_EQ(k.data_path, "data/");
  EXPECT_EQ(k.memo_path, "");
  SetPathMode(k, 0, program);
  EXPECT_EQ(k.data_path, program + "data/");
  EXPECT_EQ(k.memo_path, program);
  EXPECT_EQ(k.tbl_path, program);
  EXPECT_EQ(FolderChooserTitle(2), "ToDoファイルを保存するフォルダを選んで下さい。");
}

}  // namespace
}  // namespace kal::catalogues
