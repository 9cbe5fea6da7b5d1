// Fixed-width records: fields at 1-based byte positions of a CP932 line.
//
// These helpers are the only code that slices a data-file line. Reading a field takes its bytes
// and removes trailing blanks (and control characters); a line that ends early reads as empty
// fields. Writing a field encodes UTF-8 to CP932, turns control characters into blanks, and cuts
// at a character boundary so that a field never holds half a character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kal::store {

// The raw bytes of a field, trailing blanks removed.
std::string FieldBytes(std::string_view line, std::size_t pos, std::size_t width);
// The raw bytes from `pos` to the end of the line, trailing blanks removed.
std::string FieldBytesToEnd(std::string_view line, std::size_t pos);
// A field decoded to UTF-8, trailing blanks removed.
std::string Field(std::string_view line, std::size_t pos, std::size_t width);
std::string FieldToEnd(std::string_view line, std::size_t pos);

// Removes trailing characters of code 32 or lower.
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);

// Text typed or imported for a field: control characters become blanks, and the text is encoded
// to CP932 and cut to at most `width` bytes at a character boundary (no padding). Nothing when a
// character cannot be held by CP932; `bad` then names it.
std::optional<std::string> FieldText(std::string_view utf8, std::size_t width, std::string* bad = nullptr);

// CP932 bytes cut to `width` at a character boundary, then padded with blanks to `width`.
std::string PadField(std::string_view cp932, std::size_t width);
// CP932 bytes cut to at most `width` at a character boundary.
std::string CutField(std::string_view cp932, std::size_t width);

// Pads `line` with blanks up to `length` bytes (nothing when it is already that long).
void PadLine(std::string& line, std::size_t length);

// UTF-8 text cut so that its CP932 form takes at most `width` bytes (entry boxes). Characters
// that CP932 cannot hold count as two bytes.
std::string CutUtf8ToWidth(std::string_view utf8, std::size_t width);

// The CP932 byte length of UTF-8 text (characters CP932 cannot hold count as two).
std::size_t Cp932Width(std::string_view utf8);

// The message for a character that cannot be stored in the data files.
std::string UnencodableMessage(const std::string& field_name, const std::string& bad);

}  // namespace kal::store
