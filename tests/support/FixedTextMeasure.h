// Text measurement with a fixed advance, for page layouts tested without fonts: an ASCII
// character is half the font's pixel height wide, any other character the full height; a line is
// the pixel height and a fifth.
#pragma once

#include <string_view>

#include "printing/PageLayout.h"

namespace kal::test {

class FixedTextMeasure : public printing::TextMeasure {
 public:
  int Width(const printing::PageFont& font, std::string_view utf8) const override {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
      const unsigned char c = static_cast<unsigned char>(utf8[i]);
      const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
      width += c < 0x80 ? font.pixels / 2 : font.pixels;
      i += n;
    }
    return width;
  }
  int LineHeight(const printing::PageFont& font) const override { return font.pixels + font.pixels / 5; }
};

}  // namespace kal::test
