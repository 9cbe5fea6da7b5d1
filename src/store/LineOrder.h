// The order of sorted line files (schedule and detail files, Holiday.dat, tables).
//
// Lines are compared character by character on their CP932 bytes: blanks and control characters
// first, then other symbols, digits, letters (ASCII letters without regard to case), half-width
// katakana, then double-byte characters by code. A double-byte character is one unit, so its
// trail byte is never folded or compared as a letter. Lines equal under this order fall back to
// plain byte order, so the result is the same on every machine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kal::store {

// <0, 0 or >0.
int CompareLines(std::string_view a, std::string_view b);

struct LineLess {
  bool operator()(std::string_view a, std::string_view b) const { return CompareLines(a, b) < 0; }
};

void SortLines(std::vector<std::string>& lines);

}  // namespace kal::store
