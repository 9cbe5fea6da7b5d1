// The password file Kalendor.pwd: read, recognised, and asked whether a password matches.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "maintenance/Password.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzz::SplitParts(data, size, 2);
  fuzz::MemoryFileSystem fs;
  fs.files["/prog/Kalendor.pwd"] = parts[0];
  const maintenance::StoredPassword stored = maintenance::ReadStoredPassword(fs, "/prog/");
  // The second part is the password typed.
  const bool matches = maintenance::Matches(stored, parts[1]);
  fuzz::Check(!matches || stored.kind != maintenance::StoredKind::None, "no password file matches nothing");
  (void)maintenance::PasswordSet(fs, "/prog/");
  return 0;
}
