// Comma text: any line reads; a list written and read back is the same list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "store/CommaText.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> items = store::FromCommaText(text);
  const std::string written = store::ToCommaText(items);
  fuzz::Check(store::FromCommaText(written) == items, "comma text round trip");
  return 0;
}
