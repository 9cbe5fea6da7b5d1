#include "store/Colour.h"

#include <cstdio>

namespace kal::store {

std::string ColourText(int bgr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%06X", static_cast<unsigned>(bgr) & 0xFFFFFFu);
  return buffer;
}

int ParseColourText(std::string_view text, int fallback) {
  if (text.size() < 2 || text[0] != '$' || text.size() > 9) return fallback;
  unsigned value = 0;
  for (char c : text.substr(1)) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return fallback;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<int>(value);
}

}  // namespace kal::store
