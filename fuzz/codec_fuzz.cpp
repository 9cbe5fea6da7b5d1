// The CP932 codec: any bytes decode; decoded text encodes and decodes back to itself; the cut point
// of a field never splits a character.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "platform/Codec.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = platform::Cp932ToUtf8(bytes);
  // The decoded text is UTF-8; whatever CP932 can hold of it comes back unchanged.
  std::string bad;
  if (auto cp932 = platform::Utf8ToCp932(utf8, &bad)) {
    fuzz::Check(platform::Cp932ToUtf8(*cp932) == utf8, "CP932 round trip of decoded text");
  } else {
    fuzz::Check(!bad.empty(), "a refused text names its character");
  }

  // The input read as UTF-8 (it often is not). A few characters have a CP932 form that reads
  // back as another character ("£" is stored as "￡", the wave dash as "～"), so it is the CP932
  // form that must be stable: read back and written again, it gives the same bytes.
  if (auto cp932 = platform::Utf8ToCp932(bytes)) {
    fuzz::Check(platform::Utf8ToCp932(platform::Cp932ToUtf8(*cp932)) == cp932, "UTF-8 -> CP932 form is stable");
  }

  for (std::size_t limit : {std::size_t{0}, std::size_t{1}, size / 2, size, size + 3}) {
    const std::size_t cut = platform::Cp932CutPoint(bytes, limit);
    fuzz::Check(cut <= limit && cut <= size, "cut point within the limit");
    std::size_t at = 0;
    while (at < cut) at += platform::Cp932CharLength(static_cast<unsigned char>(bytes[at]));
    // A lead byte cut off by the end of the bytes counts as a whole character.
    fuzz::Check(at == cut || (cut == size && at == size + 1), "cut point on a character boundary");
  }
  return 0;
}
