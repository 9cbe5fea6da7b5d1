#include "sync/SyncState.h"

#include "store/TextFile.h"

namespace kal::sync {
namespace {

constexpr const char* kMagic = "KalendorSync\t1";

std::string Escape(const std::string& field) {
  std::string out;
  for (char c : field) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      fields.emplace_back();
    } else if (c == '\\' && i + 1 < line.size()) {
      const char n = line[++i];
      fields.back() += n == 't' ? '\t' : n == 'r' ? '\r' : n == 'n' ? '\n' : n;
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::string Row(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "\t" : "") + Escape(fields[i]);
  return out + "\n";
}

}  // namespace

std::string StatePath(const std::string& program_folder) {
  return platform::JoinPath(program_folder, kStateFileName);
}

std::string StateText(const SyncState& state) {
  std::string out = std::string(kMagic) + "\n";
  out += Row({"calendar", state.url, state.user, state.calendar});
  for (const StateEntry& e : state.entries) out += Row({"E", e.uid, e.href, e.etag, e.hash, e.date, e.start, e.title});
  return out;
}

SyncState ParseState(const std::string& text) {
  const std::vector<std::string> lines = store::SplitLines(text);
  if (lines.size() < 2 || lines[0] != kMagic) return {};
  SyncState state;
  const auto head = Fields(lines[1]);
  if (head.size() != 4 || head[0] != "calendar") return {};
  state.url = head[1];
  state.user = head[2];
  state.calendar = head[3];
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const auto f = Fields(lines[i]);
    if (f.size() != 8 || f[0] != "E" || f[2].empty()) return {};
    state.entries.push_back({f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
  }
  return state;
}

SyncState LoadState(platform::FileSystem& fs, const std::string& program_folder) {
  const std::string path = StatePath(program_folder);
  const platform::ReadResult read = fs.Read(path);
  if (read.missing()) return {};
  if (!read.ok()) throw store::FileError(store::ReadErrorMessage(path, read.error));
  return ParseState(read.bytes);
}

void SaveState(platform::FileSystem& fs, const std::string& program_folder, const SyncState& state) {
  const std::string path = StatePath(program_folder);
  std::string error;
  if (!fs.WriteAtomic(path, StateText(state), &error)) throw store::FileError(store::WriteErrorMessage(path, error));
}

}  // namespace kal::sync
