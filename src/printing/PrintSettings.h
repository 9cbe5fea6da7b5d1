// The print settings file (Klprint.ini in the program folder): every key with its section,
// default and valid values, read and written through one table (VisitPrintSettings in
// PrintSettings.cpp), and the texts made from them: the title of a printed month and the
// creation-date line.
//
//   [Title]   Title     title pattern (a date pattern; "eee" is the English month name)
//             TFont     title font: name, points, style bits (1 bold 2 italic 4 underline
//                       8 strike-out), colour ($BBGGRR or decimal)
//             Date      creation-date pattern, "(なし)" for none
//   [TiTle]   TitlePos  0 left, 1 centre, 2 right        (sections match without regard to case)
//             DatePos   0 top right, 1 bottom right
//   [Margin]  Top Bottom Left Right   millimetres
//   [Option]  Item      eleven flags, one per print item ("1", a non-digit or a missing
//                       character is on; any other digit off)
//             DayFont FontSize  points; LinePitch  index 0..7 of the spacings 1..8
//             Orientation 0 portrait 1 landscape; OtherMonth 0 not printed, 1 normal, 2 light
//             SchCr  wrap;  RenWaku  frame around bars;  Color  colour printing
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/IniFile.h"

namespace kal::printing {

inline constexpr const char* kPrintSettingsFile = "Klprint.ini";
inline constexpr const char* kNoCreationDate = "(なし)";

// Print items, in the order of the characters of Item.
inline constexpr int kPrintItemCount = 11;
enum PrintItem : int {
  kPrintRokuyo = 0, kPrintStart = 1, kPrintEnd = 2, kPrintTitle = 3, kPrintPlace = 4, kPrintHoliday = 5,
  kPrintPrivateHoliday = 6, kPrintAnniversary = 7, kPrintSolarTerm = 8, kPrintTodoOpen = 9, kPrintTodoDone = 10,
};
// "六曜", "スケジュール開始時刻", ... in item order.
const std::array<const char*, kPrintItemCount>& PrintItemCaptions();

// The patterns the dialog offers (free text is allowed too).
const std::vector<std::string>& TitlePatterns();
const std::vector<std::string>& CreationDatePatterns();

struct TitleFont {
  std::string name;
  int size = 14;
  int style = 2;
  int colour = 0;  // BGR
  friend bool operator==(const TitleFont&, const TitleFont&) = default;
};

struct PrintSettings {
  std::string title = "yyyy年 m月のスケジュール";
  TitleFont title_font;
  std::string date = "yyyy.mm.dd";
  int title_pos = 0;  // 0 left, 1 centre, 2 right
  int date_pos = 0;   // 0 top right, 1 bottom right
  int top = 10, bottom = 10, left = 10, right = 10;  // millimetres
  std::string items = "11111111100";
  int day_font = 12;
  int font_size = 9;
  int line_pitch = 6;   // index 0..7 (spacing line_pitch + 1)
  int orientation = 1;  // 0 portrait, 1 landscape
  int other_month = 2;  // 0 not printed, 1 printed normally, 2 light
  bool sch_cr = false;
  bool ren_waku = true;
  bool color = false;

  bool ItemOn(int item) const;
  void SetItem(int item, bool on);
  bool landscape() const { return orientation == 1; }
  friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

// The settings of a new installation; the title font takes the main window's font name.
PrintSettings DefaultPrintSettings(const std::string& main_font_name);

// Reads every key; a value that does not convert takes its default, one out of range is brought
// into range, the item flags are brought to eleven characters.
PrintSettings LoadPrintSettings(const store::IniFile& ini, const std::string& main_font_name);
// Writes every key (`WriteIniFile`); the caller flushes the file.
void WritePrintSettings(store::IniFile& ini, const PrintSettings& settings);
// Every key as held: {section, key, written value}, in table order.
std::vector<std::array<std::string, 3>> PrintSettingsRows(const PrintSettings& settings);

// Klprint.ini of a program folder (with its trailing separator). Throws FileError when the file
// exists but cannot be read or cannot be written.
PrintSettings ReadPrintSettingsFile(platform::FileSystem& fs, const std::string& program_folder,
                                    const std::string& main_font_name);
void SavePrintSettingsFile(platform::FileSystem& fs, const std::string& program_folder, const PrintSettings& settings);

// The two check boxes of the dialog as OtherMonth: 0 when the first is clear, else 2 with the
// light-colour box ticked and 1 without.
int OtherMonthOf(bool print_other_months, bool light_colour);

// The title of a printed month: every "eee" replaced by the quoted English month name, then the
// date pattern applied to the first day of the month.
std::string PrintTitleText(const std::string& pattern, int year, int month);
// The creation-date line for today; nothing for "(なし)" (blanks around it ignored) or an empty
// pattern.
std::optional<std::string> CreationDateText(const std::string& pattern, const store::Date& today);

}  // namespace kal::printing
