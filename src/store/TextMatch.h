// Finding text inside CP932 bytes: the search of the list dialog.
//
// A CP932 trail byte can look like an ASCII letter or a "\", so a match is only taken where it
// starts on a character boundary of the text searched, and letters are folded character by
// character, never byte by byte. Folding for a search without regard to case turns into capitals:
// ASCII letters, full-width Latin letters (ａ → Ａ), Greek and Cyrillic letters of the code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kal::store {

// The text with every small letter of the sets above made capital (CP932 in, CP932 out).
std::string Cp932Upper(std::string_view cp932);

// Whether `needle` occurs in `text` starting on a character boundary of `text`. An empty needle
// occurs everywhere.
bool Cp932Contains(std::string_view text, std::string_view needle);

// A search string prepared once for many comparisons.
class TextNeedle {
 public:
  TextNeedle() = default;
  // Nothing when the UTF-8 text holds a character CP932 cannot hold (it then matches nothing
  // stored, as no stored text can hold it).
  static TextNeedle FromUtf8(std::string_view utf8, bool ignore_case);
  bool empty() const { return cp932_.empty(); }
  bool ignore_case() const { return ignore_case_; }
  // Whether the CP932 text holds the needle (folded first when case is ignored).
  bool FoundIn(std::string_view cp932_text) const;
  // The same for UTF-8 text.
  bool FoundInUtf8(std::string_view utf8_text) const;

 private:
  std::string cp932_;
  bool ignore_case_ = false;
  bool impossible_ = false;  // a character no stored text can hold
};

}  // namespace kal::store
