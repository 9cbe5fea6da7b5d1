// Comma-separated files as spreadsheets and other calendars write them (RFC 4180).
//
// - Fields are separated by commas, records by CR LF, LF or a lone CR. A field that starts with a
//   double quote runs to its closing quote; inside it a doubled quote stands for one quote, and
//   commas and line breaks are text. Fields and records have no length limit.
// - The file is CP932 unless it is UTF-8: a byte-order mark, or bytes that are valid UTF-8 and hold
//   at least one non-ASCII character, select UTF-8. Every field comes out as UTF-8.
// - Our own schedule export of older versions quoted every field without escaping its quotes and
//   ended each line with a comma ("a "b" c","x",). A line that is not valid RFC 4180 but has that
//   shape is split at its quote-comma-quote separators, so such a title keeps its quotes.
// - Any other line that breaks the rules is read leniently on its own (a stray quote is text), so
//   that one damaged line never swallows the lines after it.
// - Empty lines are not records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/ImportRecord.h"

namespace kal::import {

enum class TextEncoding { Cp932, Utf8 };

// The file's bytes decoded to UTF-8 (a byte-order mark removed); `encoding` receives the choice.
std::string DecodeSourceBytes(std::string_view bytes, TextEncoding* encoding = nullptr);

// The records of a CSV file, numbered from 1.
std::vector<SourceRecord> ReadCsv(std::string_view bytes, TextEncoding* encoding = nullptr);

// Whether a first record reads as a header line: one of its fields contains "開始日", "日付",
// "年月日" or "件名".
bool LooksLikeHeader(const SourceRecord& record);

// The assignment a header line gives: each header cell that names a target field (with or
// without its format text) or a usual caption of other calendars ("内容", "説明", "メモ" for the
// memo, "分類項目" for the category ...) assigns its column; the first column wins.
Assignment AssignmentFromHeader(ImportTarget target, const SourceRecord& header);

}  // namespace kal::import
