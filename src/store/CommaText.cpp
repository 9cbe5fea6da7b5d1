#include "store/CommaText.h"

namespace kal::store {
namespace {

// Blanks and control characters, NUL among them: a NUL byte in a damaged line is skipped like
// any control character (stopping at it instead never moved on, and filled the list forever).
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool NeedsQuotes(const std::string& item) {
  for (char c : item)
    if (static_cast<unsigned char>(c) <= 0x20 || c == '"' || c == ',') return true;
  return false;
}

}  // namespace

std::string ToCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += ',';
    const std::string& item = items[i];
    if (!NeedsQuotes(item)) {
      text += item;
      continue;
    }
    text += '"';
    for (char c : item) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

std::vector<std::string> FromCommaText(std::string_view text) {
  std::vector<std::string> items;
  std::size_t p = 0;
  const std::size_t n = text.size();
  auto skip_blanks = [&] {
    while (p < n && IsBlank(text[p])) ++p;
  };
  skip_blanks();
  while (p < n) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      std::size_t start = p;
      while (p < n && static_cast<unsigned char>(text[p]) > 0x20 && text[p] != ',') ++p;
      item.assign(text.substr(start, p - start));
    }
    items.push_back(std::move(item));
    skip_blanks();
    if (p < n && text[p] == ',') {
      if (p + 1 == n) items.emplace_back();
      do {
        ++p;
      } while (p < n && IsBlank(text[p]));
    }
  }
  return items;
}

}  // namespace kal::store
