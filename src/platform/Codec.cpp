#include "platform/Codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace kal::platform {
namespace {

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// One conversion descriptor per direction and thread, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one complete input; returns false and the offset of the failing input byte when a
  // sequence is invalid or cannot be represented.
  bool Convert(std::string_view in, std::string& out, std::size_t& fail_at) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char buffer[1024];
    while (src_left > 0) {
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      std::size_t r = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.append(buffer, dst - buffer);
      if (r == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG) continue;
        fail_at = in.size() - src_left;
        return false;
      }
    }
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &dst_left);
    out.append(buffer, dst - buffer);
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& Decoder() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}
Converter& Encoder() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  while (!cp932.empty()) {
    std::size_t fail_at = 0;
    if (Decoder().Convert(cp932, out, fail_at)) break;
    // Keep what converted, mark the bad character, go on after it.
    out += "\xEF\xBF\xBD";
    std::size_t skip = Cp932CharLength(static_cast<unsigned char>(cp932[fail_at]));
    if (fail_at + skip > cp932.size()) skip = cp932.size() - fail_at;
    cp932.remove_prefix(fail_at + skip);
  }
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::string* bad) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  std::size_t fail_at = 0;
  if (Encoder().Convert(utf8, out, fail_at)) return out;
  if (bad) {
    std::size_t n = Utf8CharLength(static_cast<unsigned char>(utf8[fail_at]));
    *bad = std::string(utf8.substr(fail_at, n));
  }
  return std::nullopt;
}

std::size_t Cp932CutPoint(std::string_view cp932, std::size_t limit) {
  std::size_t i = 0;
  while (i < cp932.size()) {
    std::size_t n = Cp932CharLength(static_cast<unsigned char>(cp932[i]));
    if (i + n > cp932.size()) n = cp932.size() - i;
    if (i + n > limit) break;
    i += n;
  }
  return i;
}

}  // namespace kal::platform
