#include "store/LineOrder.h"

#include <algorithm>

#include "platform/Codec.h"

namespace kal::store {
namespace {

// The weight of the character at `p`; advances `p` past it.
unsigned long Weight(std::string_view s, std::size_t& p) {
  auto c = static_cast<unsigned char>(s[p]);
  std::size_t n = platform::Cp932CharLength(c);
  if (n == 2 && p + 1 < s.size()) {
    unsigned long code = (static_cast<unsigned long>(c) << 8) | static_cast<unsigned char>(s[p + 1]);
    p += 2;
    return (5ul << 16) | code;
  }
  ++p;
  if (c <= 0x20) return c;
  if (c >= '0' && c <= '9') return (2ul << 16) | c;
  if (c >= 'a' && c <= 'z') return (3ul << 16) | (c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return (3ul << 16) | c;
  if (c < 0x80) return (1ul << 16) | c;
  if (c >= 0xA1 && c <= 0xDF) return (4ul << 16) | c;
  return (5ul << 16) | c;
}

}  // namespace

int CompareLines(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    unsigned long wa = Weight(a, i);
    unsigned long wb = Weight(b, j);
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void SortLines(std::vector<std::string>& lines) { std::stable_sort(lines.begin(), lines.end(), LineLess{}); }

}  // namespace kal::store
