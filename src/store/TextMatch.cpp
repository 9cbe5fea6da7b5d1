#include "store/TextMatch.h"

#include <cstring>

#include "platform/Codec.h"

namespace kal::store {
namespace {

// The capital of a double-byte small letter (lead, trail), or 0 when it is none.
unsigned FoldDoubleByte(unsigned char lead, unsigned char trail) {
  const unsigned code = (static_cast<unsigned>(lead) << 8) | trail;
  if (code >= 0x8281 && code <= 0x829A) return code - 0x8281 + 0x8260;  // ａ..ｚ → Ａ..Ｚ
  if (code >= 0x83BF && code <= 0x83D6) return code - 0x83BF + 0x839F;  // α..ω → Α..Ω
  if (code >= 0x8470 && code <= 0x847E) return code - 0x8470 + 0x8440;  // а..н → А..Н
  if (code >= 0x8480 && code <= 0x8491) return code - 0x8480 + 0x844F;  // о..я → О..Я
  return 0;
}

}  // namespace

std::string Cp932Upper(std::string_view cp932) {
  std::string out(cp932);
  for (std::size_t i = 0; i < out.size();) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    const std::size_t len = platform::Cp932CharLength(c);
    if (len == 2 && i + 1 < out.size()) {
      if (unsigned up = FoldDoubleByte(c, static_cast<unsigned char>(out[i + 1]))) {
        out[i] = static_cast<char>(up >> 8);
        out[i + 1] = static_cast<char>(up & 0xFF);
      }
      i += 2;
      continue;
    }
    if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
    i += 1;
  }
  return out;
}

bool Cp932Contains(std::string_view text, std::string_view needle) {
  if (needle.empty()) return true;
  if (needle.size() > text.size()) return false;
  const char first = needle.front();
  const std::size_t last_start = text.size() - needle.size();
  for (std::size_t i = 0; i <= last_start;) {
    // Skip to the next possible start quickly, then walk the boundaries up to it.
    const void* hit = std::memchr(text.data() + i, first, last_start - i + 1);
    if (hit == nullptr) return false;
    const std::size_t at = static_cast<const char*>(hit) - text.data();
    while (i < at) i += platform::Cp932CharLength(static_cast<unsigned char>(text[i]));
    if (i == at && std::memcmp(text.data() + at, needle.data(), needle.size()) == 0) return true;
    if (i == at) i += platform::Cp932CharLength(static_cast<unsigned char>(text[i]));
  }
  return false;
}

TextNeedle TextNeedle::FromUtf8(std::string_view utf8, bool ignore_case) {
  TextNeedle n;
  n.ignore_case_ = ignore_case;
  auto cp932 = platform::Utf8ToCp932(utf8);
  if (!cp932) {
    n.impossible_ = true;
    n.cp932_ = std::string(utf8);
    return n;
  }
  n.cp932_ = ignore_case ? Cp932Upper(*cp932) : *cp932;
  return n;
}

bool TextNeedle::FoundIn(std::string_view cp932_text) const {
  if (impossible_) return false;
  if (cp932_.empty()) return true;
  if (!ignore_case_) return Cp932Contains(cp932_text, cp932_);
  return Cp932Contains(Cp932Upper(cp932_text), cp932_);
}

bool TextNeedle::FoundInUtf8(std::string_view utf8_text) const {
  if (impossible_) return false;
  if (cp932_.empty()) return true;
  auto cp932 = platform::Utf8ToCp932(utf8_text);
  return cp932 && FoundIn(*cp932);
}

}  // namespace kal::store
