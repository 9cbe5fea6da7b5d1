#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/Codec.h"
#include "store/TextFile.h"

namespace kal::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string templ = (fs::temp_directory_path() / "kalendor-test-XXXXXX").string();
  if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
  path_ = templ + "/";
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  fs::path p = path_ + name;
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

void TempFolder::WriteLines(const std::string& name, const std::vector<std::string>& utf8_lines) const {
  std::vector<std::string> lines;
  for (const auto& l : utf8_lines) lines.push_back(Sjis(l));
  Write(name, store::JoinLines(lines));
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(path_ + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool TempFolder::Exists(const std::string& name) const { return fs::exists(path_ + name); }

void TempFolder::MakeFolder(const std::string& name) const { fs::create_directories(path_ + name); }

std::string Sjis(const std::string& utf8) {
  auto s = platform::Utf8ToCp932(utf8);
  if (!s) throw std::runtime_error("not CP932: " + utf8);
  return *s;
}

}  // namespace kal::test
