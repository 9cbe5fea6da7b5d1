// Shared pieces of the fuzz targets: an in-memory file system for the readers that take a
// folder, and a way to cut one input into several parts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "MemoryFileSystem.h"

namespace kal::fuzz {

using test::MemoryFileSystem;

// The input cut at each "\n--\n" line (a separator a corpus file can show plainly), at most
// `count` parts; missing parts are empty.
inline std::vector<std::string> SplitParts(const std::uint8_t* data, std::size_t size, std::size_t count) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> parts;
  static constexpr std::string_view kSeparator = "\n--\n";
  while (parts.size() + 1 < count) {
    std::size_t at = rest.find(kSeparator);
    if (at == std::string_view::npos) break;
    parts.emplace_back(rest.substr(0, at));
    rest.remove_prefix(at + kSeparator.size());
  }
  parts.emplace_back(rest);
  parts.resize(count);
  return parts;
}

// A property the target checks: a failure aborts, so that libFuzzer keeps the input.
inline void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
  }
}

}  // namespace kal::fuzz
