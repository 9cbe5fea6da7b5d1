#include "store/IniFile.h"

#include <cctype>
#include <climits>

#include "platform/Codec.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::store {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::optional<int> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = value * base + digit;
    if (value > (base == 16 ? 0xFFFFFFFFLL : static_cast<long long>(INT_MAX) + 1)) return std::nullopt;
  }
  if (base == 16 && value > INT_MAX) value -= 0x100000000LL;  // hexadecimal covers the full 32 bits
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

IniFile IniFile::Load(platform::FileSystem& fs, const std::string& path) {
  const std::vector<std::string> raw = LoadLines(fs, path);
  std::vector<std::string> utf8;
  utf8.reserve(raw.size());
  for (const auto& line : raw) utf8.push_back(platform::Cp932ToUtf8(line));
  IniFile ini = FromLines(utf8);
  // Each line became one header or one entry, in file order.
  std::size_t i = 0;
  for (auto& s : ini.sections_) {
    if (!s.header.empty()) s.raw_header = raw[i++];
    for (auto& e : s.entries) e.raw = raw[i++];
  }
  return ini;
}

IniFile IniFile::FromLines(const std::vector<std::string>& lines) {
  IniFile ini;
  ini.sections_.push_back(Section{});
  for (const auto& line : lines) {
    std::string_view t = Trim(line);
    if (t.size() >= 2 && t.front() == '[') {
      auto close = t.find(']');
      if (close != std::string_view::npos) {
        Section s;
        s.header = line;
        s.name = std::string(Trim(t.substr(1, close - 1)));
        ini.sections_.push_back(std::move(s));
        continue;
      }
    }
    Entry e;
    e.text = line;
    auto eq = t.find('=');
    if (eq != std::string_view::npos && eq > 0 && t[0] != ';') {
      e.key = std::string(Trim(t.substr(0, eq)));
      e.value = std::string(Trim(t.substr(eq + 1)));
    }
    ini.sections_.back().entries.push_back(std::move(e));
  }
  return ini;
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
  for (const auto& s : sections_)
    if (!s.header.empty() && SameName(s.name, section)) return &s;
  return nullptr;
}

IniFile::Section* IniFile::Find(std::string_view section) {
  return const_cast<Section*>(static_cast<const IniFile*>(this)->Find(section));
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  if (!s) return std::nullopt;
  for (const auto& e : s->entries)
    if (!e.key.empty() && SameName(e.key, key)) return e.value;
  return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, const std::string& fallback) const {
  auto v = Value(section, key);
  return v ? *v : fallback;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  auto v = Value(section, key);
  if (!v) return fallback;
  auto n = ParseInteger(*v);
  return n ? *n : fallback;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, const std::string& value) {
  if (sections_.empty()) sections_.push_back(Section{});
  Section* s = Find(section);
  if (!s) {
    Section fresh;
    fresh.name = std::string(section);
    fresh.header = "[" + fresh.name + "]";
    sections_.push_back(std::move(fresh));
    s = &sections_.back();
  }
  for (auto& e : s->entries) {
    if (!e.key.empty() && SameName(e.key, key)) {
      e.value = value;
      e.text = e.key + "=" + value;
      e.raw.reset();
      return;
    }
  }
  // A new key goes after the section's last key, before any blank lines that end the section.
  std::size_t at = s->entries.size();
  while (at > 0 && Trim(s->entries[at - 1].text).empty()) --at;
  Entry e{std::string(key) + "=" + value, std::string(key), value};
  s->entries.insert(s->entries.begin() + static_cast<long>(at), std::move(e));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool IniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

void IniFile::EraseSection(std::string_view section) {
  for (auto it = sections_.begin(); it != sections_.end();) {
    if (!it->header.empty() && SameName(it->name, section)) it = sections_.erase(it);
    else ++it;
  }
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* s = Find(section);
  if (!s) return;
  std::erase_if(s->entries, [&](const Entry& e) { return !e.key.empty() && SameName(e.key, key); });
}

std::vector<std::string> IniFile::Lines() const {
  std::vector<std::string> lines;
  for (const auto& s : sections_) {
    if (!s.header.empty()) lines.push_back(s.header);
    for (const auto& e : s.entries) lines.push_back(e.text);
  }
  return lines;
}

void IniFile::Flush(platform::FileSystem& fs, const std::string& path) const {
  std::vector<std::string> bytes;
  auto add = [&](const std::string& text, const std::optional<std::string>& raw) {
    if (raw) {
      bytes.push_back(*raw);
      return;
    }
    std::string bad;
    auto cp932 = platform::Utf8ToCp932(text, &bad);
    if (!cp932) throw FileError(WriteErrorMessage(path, "「" + bad + "」はこのファイルに保存できない文字です。"));
    bytes.push_back(std::move(*cp932));
  };
  for (const auto& s : sections_) {
    if (!s.header.empty()) add(s.header, s.raw_header);
    for (const auto& e : s.entries) add(e.text, e.raw);
  }
  SaveLines(fs, path, bytes);
}

}  // namespace kal::store
