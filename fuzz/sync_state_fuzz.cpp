// The sync state file Sync.dat: any bytes read as a state or as none; a state written and read
// back is the same state.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "sync/SyncState.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs;
  fs.files["/prog/Sync.dat"] = std::string(reinterpret_cast<const char*>(data), size);
  const sync::SyncState state = sync::LoadState(fs, "/prog/");
  fuzz::Check(sync::ParseState(sync::StateText(state)) == state, "sync state round trip");
  return 0;
}
