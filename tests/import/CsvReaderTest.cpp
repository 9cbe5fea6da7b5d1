#include "import/CsvReader.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace kal::import {
namespace {

using test::Sjis;
using Fields = std::vector<std::string>;

std::vector<Fields> FieldsOf(const std::vector<SourceRecord>& records) {
  std::vector<Fields> out;
  for (const auto& r : records) out.push_back(r.fields);
  return out;
}

TEST(CsvReader, SpreadsheetExportInCp932WithDoubledQuotesAndALineBreak) {
  const std::string bytes = Sjis(
      "開始日,件名,メモ\r\n"
      "2024/05/03,\"会議 \"\"A\"\"\",\"1行目\r\n2行目, 続き\"\r\n"
      "2024/05/04,表計算,\r\n");
  TextEncoding encoding = TextEncoding::Utf8;
  auto records = ReadCsv(bytes, &encoding);
  EXPECT_EQ(encoding, TextEncoding::Cp932);
  EXPECT_EQ(FieldsOf(records), (std::vector<Fields>{{"開始日", "件名", "メモ"},
                                                    {"2024/05/03", "会議 \"A\"", "1行目\r\n2行目, 続き"},
                                                    {"2024/05/04", "表計算", ""}}));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2].number, 3);  // a record with a line break inside counts once
}

TEST(CsvReader, Utf8WithAndWithoutByteOrderMark) {
  for (const std::string& head : {std::string("\xEF\xBB\xBF"), std::string()}) {
    TextEncoding encoding = TextEncoding::Cp932;
    auto records = ReadCsv(head + "件名,日付\n\"①会議\",2024/5/3\n", &encoding);
    EXPECT_EQ(encoding, TextEncoding::Utf8);
    EXPECT_EQ(FieldsOf(records), (std::vector<Fields>{{"件名", "日付"}, {"①会議", "2024/5/3"}}));
  }
  // Plain ASCII reads the same either way.
  EXPECT_EQ(FieldsOf(ReadCsv("a,b\r\n")), (std::vector<Fields>{{"a", "b"}}));
}

TEST(CsvReader, OurOlderScheduleExportKeepsQuotesInsideFields) {
  // Every field quoted and followed by a comma, inner quotes not escaped.
  const std::string bytes = Sjis(
      "\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"件名\",\"場所\",\"分類\",\"内容\",\r\n"
      "\"2024/05/03\",\"10:00\",\"2024/05/03\",\"11:30\",\"「\"特\"」会議\",\"本社\",\"仕事\",\"\",\r\n");
  auto records = ReadCsv(bytes);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].fields, (Fields{"2024/05/03", "10:00", "2024/05/03", "11:30", "「\"特\"」会議", "本社",
                                       "仕事", ""}));
  // The header line is valid RFC 4180: its trailing comma gives one more, empty field.
  EXPECT_EQ(records[0].fields.size(), 9u);
}

TEST(CsvReader, ADamagedLineIsReadAloneAndNeverSwallowsTheRest) {
  auto records = ReadCsv("2024/05/03,\"unclosed\r\n2024/05/04,ok\r\n2024/05/05,a\"b\r\n");
  EXPECT_EQ(FieldsOf(records), (std::vector<Fields>{{"2024/05/03", "unclosed"},
                                                    {"2024/05/04", "ok"},
                                                    {"2024/05/05", "a\"b"}}));
}

TEST(CsvReader, LineEndsEmptyLinesAndLongFields) {
  const std::string long_field(5000, 'x');
  auto records = ReadCsv("a,1\r\r\nb,2\n\nc," + long_field);
  EXPECT_EQ(FieldsOf(records), (std::vector<Fields>{{"a", "1"}, {"b", "2"}, {"c", long_field}}));
  EXPECT_EQ(records.back().number, 3);
  EXPECT_TRUE(ReadCsv("").empty());
  EXPECT_TRUE(ReadCsv("\r\n\r\n").empty());
  // A quoted comma stays in its field; an empty quoted field is empty.
  EXPECT_EQ(FieldsOf(ReadCsv("\"a,b\",\"\",c")), (std::vector<Fields>{{"a,b", "", "c"}}));
}

TEST(CsvReader, HeaderRecognitionAndAssignment) {
  SourceRecord suite{1, {"件名", "開始日", "開始時刻", "終了日", "終了時刻", "終日イベント", "場所", "分類項目", "説明"}, {}};
  EXPECT_TRUE(LooksLikeHeader(suite));
  EXPECT_EQ(AssignmentFromHeader(ImportTarget::Schedule, suite), (Assignment{1, 2, 3, 4, 0, 6, 7, 8}));

  SourceRecord ours{1, {"開始日", "開始時刻", "終了日", "終了時刻", "件名", "場所", "分類", "内容", ""}, {}};
  EXPECT_EQ(AssignmentFromHeader(ImportTarget::Schedule, ours), (Assignment{0, 1, 2, 3, 4, 5, 6, 7}));

  SourceRecord weather{1, {"日付", "天気", "最高気温", "最低気温", "降水確率"}, {}};
  EXPECT_EQ(AssignmentFromHeader(ImportTarget::Weather, weather), (Assignment{0, 1, 2, 3, 4}));
  SourceRecord holiday{1, {"日付 (mm/dd)", " 件名 ", "分類"}, {}};
  EXPECT_EQ(AssignmentFromHeader(ImportTarget::Holiday, holiday), (Assignment{0, 1, 2, -1, -1}));

  for (const char* word : {"年月日", "日付", "開始日", "件名"})
    EXPECT_TRUE(LooksLikeHeader(SourceRecord{1, {"x", std::string("＜") + word + "＞"}, {}})) << word;
  EXPECT_FALSE(LooksLikeHeader(SourceRecord{1, {"2024/05/03", "会議"}, {}}));
}

}  // namespace
}  // namespace kal::import
