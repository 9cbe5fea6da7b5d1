#include "import/CsvReader.h"

#include <cstddef>
#include <optional>

#include "platform/Codec.h"

namespace kal::import {
namespace {

// Whether the bytes are well-formed UTF-8 holding at least one non-ASCII character.
bool IsUtf8Text(std::string_view s) {
  bool wide = false;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned int min = 0;
    if (c >= 0xC2 && c <= 0xDF) len = 2, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, min = 0x10000;
    else return false;
    if (i + len > s.size()) return false;
    unsigned int cp = c & (0xFF >> (len + 1));
    for (std::size_t k = 1; k < len; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    wide = true;
    i += len;
  }
  return wide;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Steps over one line end at `pos` (CR LF counts as one).
std::size_t SkipLineEnd(std::string_view s, std::size_t pos) {
  if (pos < s.size() && s[pos] == '\r') {
    ++pos;
    if (pos < s.size() && s[pos] == '\n') ++pos;
  } else if (pos < s.size() && s[pos] == '\n') {
    ++pos;
  }
  return pos;
}

// One record read strictly by RFC 4180 from `pos`; nothing when it breaks the rules (a quoted
// field not closed, or text after a closing quote). `end` receives the position after the record.
std::optional<std::vector<std::string>> ReadStrict(std::string_view s, std::size_t pos, std::size_t& end) {
  std::vector<std::string> fields;
  while (true) {
    std::string field;
    if (pos < s.size() && s[pos] == '"') {
      ++pos;
      while (true) {
        if (pos >= s.size()) return std::nullopt;
        if (s[pos] == '"') {
          if (pos + 1 < s.size() && s[pos + 1] == '"') {
            field += '"';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        field += s[pos++];
      }
      if (pos < s.size() && s[pos] != ',' && !IsLineEnd(s[pos])) return std::nullopt;
    } else {
      while (pos < s.size() && s[pos] != ',' && !IsLineEnd(s[pos])) field += s[pos++];
    }
    fields.push_back(std::move(field));
    if (pos < s.size() && s[pos] == ',') {
      ++pos;
      continue;
    }
    end = SkipLineEnd(s, pos);
    return fields;
  }
}

// Our older schedule export: "f1","f2",...,"fn", with nothing escaped.
std::optional<std::vector<std::string>> ReadOldExportLine(std::string_view line) {
  if (line.size() < 3 || line.front() != '"' || line.substr(line.size() - 2) != "\",") return std::nullopt;
  std::string_view inner = line.substr(1, line.size() - 3);
  std::vector<std::string> fields;
  while (true) {
    const auto sep = inner.find("\",\"");
    if (sep == std::string_view::npos) {
      fields.emplace_back(inner);
      return fields;
    }
    fields.emplace_back(inner.substr(0, sep));
    inner.remove_prefix(sep + 3);
  }
}

// A line that breaks the rules, read on its own: a quote opens a field only at its start and
// closes it only before a comma or the end; any other quote is text.
std::vector<std::string> ReadLenientLine(std::string_view line) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false, at_start = true;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      if (at_start) {
        quoted = true;
        at_start = false;
        continue;
      }
      if (quoted) {
        if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          ++i;
          continue;
        }
        if (i + 1 == line.size() || line[i + 1] == ',') {
          quoted = false;
          continue;
        }
      }
      field += c;
      continue;
    }
    if (c == ',' && !quoted) {
      fields.push_back(std::move(field));
      field.clear();
      at_start = true;
      continue;
    }
    field += c;
    at_start = false;
  }
  fields.push_back(std::move(field));
  return fields;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

std::string DecodeSourceBytes(std::string_view bytes, TextEncoding* encoding) {
  TextEncoding chosen = TextEncoding::Cp932;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
    chosen = TextEncoding::Utf8;
  } else if (IsUtf8Text(bytes)) {
    chosen = TextEncoding::Utf8;
  }
  if (encoding) *encoding = chosen;
  if (chosen == TextEncoding::Utf8) return std::string(bytes);
  return platform::Cp932ToUtf8(bytes);
}

std::vector<SourceRecord> ReadCsv(std::string_view bytes, TextEncoding* encoding) {
  const std::string text = DecodeSourceBytes(bytes, encoding);
  const std::string_view s = text;
  std::vector<SourceRecord> records;
  std::size_t pos = 0;
  while (pos < s.size()) {
    if (IsLineEnd(s[pos])) {  // an empty line
      pos = SkipLineEnd(s, pos);
      continue;
    }
    SourceRecord record;
    std::size_t end = pos;
    if (auto strict = ReadStrict(s, pos, end)) {
      record.fields = std::move(*strict);
      pos = end;
    } else {
      std::size_t line_end = pos;
      while (line_end < s.size() && !IsLineEnd(s[line_end])) ++line_end;
      const std::string_view line = s.substr(pos, line_end - pos);
      if (auto old = ReadOldExportLine(line)) record.fields = std::move(*old);
      else record.fields = ReadLenientLine(line);
      pos = SkipLineEnd(s, line_end);
    }
    record.number = static_cast<int>(records.size()) + 1;
    records.push_back(std::move(record));
  }
  return records;
}

bool LooksLikeHeader(const SourceRecord& record) {
  for (const auto& field : record.fields)
    if (Contains(field, "開始日") || Contains(field, "日付") || Contains(field, "年月日") || Contains(field, "件名"))
      return true;
  return false;
}

Assignment AssignmentFromHeader(ImportTarget target, const SourceRecord& header) {
  struct Alias {
    const char* caption;
    const char* field;
  };
  // Captions other calendars and our own exports write, by the field they fill.
  static const Alias aliases[] = {
      {"内容", "メモ（内容）"}, {"説明", "メモ（内容）"}, {"メモ", "メモ（内容）"},  {"ﾒﾓ", "メモ"},
      {"分類項目", "分類"},     {"件名", "件名"},         {"タイトル", "件名"},      {"年月日", "日付"},
      {"期限日", "期限"},       {"開始日付", "開始日"},   {"終了日付", "終了日"}};
  Assignment assignment = EmptyAssignment(target);
  for (std::size_t column = 0; column < header.fields.size(); ++column) {
    std::string caption = header.fields[column];
    while (!caption.empty() && static_cast<unsigned char>(caption.back()) <= 0x20) caption.pop_back();
    while (!caption.empty() && static_cast<unsigned char>(caption.front()) <= 0x20) caption.erase(0, 1);
    int field = FindTargetField(target, caption);
    if (field < 0) {
      for (const auto& alias : aliases)
        if (caption == alias.caption && (field = FindTargetField(target, alias.field)) >= 0) break;
    }
    if (field >= 0 && assignment[static_cast<std::size_t>(field)] == kNoColumn)
      assignment[static_cast<std::size_t>(field)] = static_cast<int>(column);
  }
  return assignment;
}

}  // namespace kal::import
