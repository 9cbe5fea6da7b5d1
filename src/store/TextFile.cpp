#include "store/TextFile.h"

#include <algorithm>
#include <cstring>

#include "platform/Codec.h"

namespace kal::store {

std::string ReadErrorMessage(const std::string& path, const std::string& reason) {
  return "ファイル \"" + path + "\" を読み込めません。\n" + reason;
}

std::string WriteErrorMessage(const std::string& path, const std::string& reason) {
  return "ファイル \"" + path + "\" に書き込めません。\n" + reason;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  // Every reload reads thousands of lines: the line ends are found with memchr, and the list is
  // sized once from the count of LF.
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  const char* lf = p;  // the next LF at or after p (end when none); found again only once passed
  while (p < end) {
    // The line ends at the next LF, or at a CR before it (CR LF, or a lone CR).
    if (lf < p) lf = p;
    if (lf < end && *lf != '\n') {
      lf = static_cast<const char*>(std::memchr(lf, '\n', static_cast<std::size_t>(end - lf)));
      if (lf == nullptr) lf = end;
    }
    const char* stop = lf;
    if (const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)))) {
      lines.emplace_back(p, cr);
      p = cr + 1 < end && cr[1] == '\n' ? cr + 2 : cr + 1;
      continue;
    }
    lines.emplace_back(p, stop);
    p = stop < end ? stop + 1 : end;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

bool LoadLinesIfExists(platform::FileSystem& fs, const std::string& path, std::vector<std::string>& lines) {
  platform::ReadResult r = fs.Read(path);
  if (r.missing()) {
    lines.clear();
    return false;
  }
  if (!r.ok()) throw FileError(ReadErrorMessage(path, r.error));
  lines = SplitLines(r.bytes);
  return true;
}

std::vector<std::string> LoadLines(platform::FileSystem& fs, const std::string& path) {
  std::vector<std::string> lines;
  LoadLinesIfExists(fs, path, lines);
  return lines;
}

void SaveLines(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& lines) {
  std::string error;
  if (!fs.WriteAtomic(path, JoinLines(lines), &error)) throw FileError(WriteErrorMessage(path, error));
}

std::vector<std::string> LoadTextLines(platform::FileSystem& fs, const std::string& path) {
  std::vector<std::string> lines = LoadLines(fs, path);
  for (auto& line : lines) line = platform::Cp932ToUtf8(line);
  return lines;
}

void SaveTextLines(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& lines) {
  std::vector<std::string> encoded;
  encoded.reserve(lines.size());
  for (const auto& line : lines) {
    std::string bad;
    auto cp932 = platform::Utf8ToCp932(line, &bad);
    if (!cp932)
      throw FileError(WriteErrorMessage(path, "「" + bad + "」はこのファイルに保存できない文字です。"));
    encoded.push_back(std::move(*cp932));
  }
  SaveLines(fs, path, encoded);
}

}  // namespace kal::store
