// Comma text: a list of strings on one line (detail lines, ToDo memo lines, column settings).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kal::store {

// Items joined by commas. An item holding a character of code 32 or lower, a double quote or a
// comma is quoted, inner quotes doubled. A list of exactly one empty item is written as "".
std::string ToCommaText(const std::vector<std::string>& items);

// Reads comma text back: blanks and control characters before an item are skipped, a quoted
// item runs to its closing quote, an unquoted one to a comma or a character of code 32 or lower,
// and a comma at the very end adds one empty item.
std::vector<std::string> FromCommaText(std::string_view text);

}  // namespace kal::store
