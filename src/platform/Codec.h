// CP932 (the Windows Japanese code page) <-> UTF-8.
//
// Data files keep their lines as CP932 bytes; only the record helpers in store/ decode
// fields through here. The code page is CP932 proper (NEC and IBM rows, "～" as U+FF5E),
// not strict Shift_JIS.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kal::platform {

// Decodes CP932 bytes. Bytes that do not form a character (a lead byte cut off at the end of a
// field, an unassigned code) become U+FFFD, so a damaged line still shows what it can.
std::string Cp932ToUtf8(std::string_view cp932);

// Encodes UTF-8 text. Returns nothing when a character cannot be held by CP932 (or the text is
// not valid UTF-8); `bad` then receives that character (as UTF-8) for the user's message.
std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::string* bad = nullptr);

// Length in bytes (1 or 2) of the CP932 character that starts with byte `lead`.
inline std::size_t Cp932CharLength(unsigned char lead) {
  return ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
}

// Length in bytes (1 to 4) of the UTF-8 sequence that starts with byte `lead` (1 for a stray byte).
inline std::size_t Utf8CharLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// Largest n <= limit such that the first n bytes of `cp932` end on a character boundary.
std::size_t Cp932CutPoint(std::string_view cp932, std::size_t limit);

}  // namespace kal::platform
