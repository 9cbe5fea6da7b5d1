// Colour values in blue-green-red order ($0000FF is red) and their texts.
#pragma once

#include <string>
#include <string_view>

namespace kal::store {

// "$" + six upper-case hexadecimal digits of the value.
std::string ColourText(int bgr);
// The value of "$BBGGRR" (the text after the dollar sign as a hexadecimal number); `fallback`
// when it does not convert.
int ParseColourText(std::string_view text, int fallback);

}  // namespace kal::store
