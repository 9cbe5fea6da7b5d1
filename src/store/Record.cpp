#include "store/Record.h"

#include "platform/Codec.h"

namespace kal::store {
namespace {

std::string_view Slice(std::string_view line, std::size_t pos, std::size_t width) {
  if (pos == 0 || pos > line.size()) return {};
  return line.substr(pos - 1, width);
}

}  // namespace

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimRight(text);
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  return text;
}

std::string FieldBytes(std::string_view line, std::size_t pos, std::size_t width) {
  return std::string(TrimRight(Slice(line, pos, width)));
}

std::string FieldBytesToEnd(std::string_view line, std::size_t pos) {
  return std::string(TrimRight(Slice(line, pos, std::string_view::npos)));
}

std::string Field(std::string_view line, std::size_t pos, std::size_t width) {
  return platform::Cp932ToUtf8(FieldBytes(line, pos, width));
}

std::string FieldToEnd(std::string_view line, std::size_t pos) {
  return platform::Cp932ToUtf8(FieldBytesToEnd(line, pos));
}

std::optional<std::string> FieldText(std::string_view utf8, std::size_t width, std::string* bad) {
  std::string clean(utf8);
  for (char& c : clean)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  auto cp932 = platform::Utf8ToCp932(clean, bad);
  if (!cp932) return std::nullopt;
  return CutField(*cp932, width);
}

std::string CutField(std::string_view cp932, std::size_t width) {
  return std::string(cp932.substr(0, platform::Cp932CutPoint(cp932, width)));
}

std::string PadField(std::string_view cp932, std::size_t width) {
  std::string field = CutField(cp932, width);
  field.append(width - field.size(), ' ');
  return field;
}

void PadLine(std::string& line, std::size_t length) {
  if (line.size() < length) line.append(length - line.size(), ' ');
}

std::size_t Cp932Width(std::string_view utf8) {
  std::size_t width = 0;
  while (!utf8.empty()) {
    std::size_t n = platform::Utf8CharLength(static_cast<unsigned char>(utf8[0]));
    if (n > utf8.size()) n = utf8.size();
    auto cp932 = platform::Utf8ToCp932(utf8.substr(0, n));
    width += cp932 ? cp932->size() : 2;
    utf8.remove_prefix(n);
  }
  return width;
}

std::string CutUtf8ToWidth(std::string_view utf8, std::size_t width) {
  std::size_t used = 0, end = 0;
  while (end < utf8.size()) {
    std::size_t n = platform::Utf8CharLength(static_cast<unsigned char>(utf8[end]));
    if (end + n > utf8.size()) n = utf8.size() - end;
    std::size_t w = Cp932Width(utf8.substr(end, n));
    if (used + w > width) break;
    used += w;
    end += n;
  }
  return std::string(utf8.substr(0, end));
}

std::string UnencodableMessage(const std::string& field_name, const std::string& bad) {
  return field_name + "に保存できない文字「" + bad + "」が含まれています。";
}

}  // namespace kal::store
