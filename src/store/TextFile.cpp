#include "store/TextFile.h"

#include "platform/Codec.h"

namespace kal::store {

std::string ReadErrorMessage(const std::string& path, const std::string& reason) {
  return "ファイル \"" + path + "\" を読み込めません。\n" + reason;
}

std::string WriteErrorMessage(const std::string& path, const std::string& reason) {
  return "ファイル \"" + path + "\" に書き込めません。\n" + reason;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c != '\n' && c != '\r') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
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
