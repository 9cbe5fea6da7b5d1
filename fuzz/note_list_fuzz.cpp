// Note.lst: the note titles loaded, each checked as a name and turned into its file's path.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "store/NoteFile.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzz::SplitParts(data, size, 2);
  fuzz::MemoryFileSystem fs;
  fs.files["/note/Note.lst"] = parts[0];
  const auto titles = store::LoadNoteTitles(fs, "/note/");
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const std::string& title = titles[i];
    const bool refused = store::CheckNoteTitle(title).has_value();
    const std::string path = store::NotePath("/note/", title);
    if (!refused) {
      // A title the program accepts never leads out of the note folder.
      fuzz::Check(path.rfind("/note/", 0) == 0 && path.find('/', 6) == std::string::npos,
                  "a note path stays in the note folder");
    }
    (void)store::NoteName(title);
    (void)store::NoteIsProtected(i, titles.size(), true);
  }
  // The second part is the first note's text.
  if (!titles.empty() && store::CheckNoteTitle(titles[0]) == std::nullopt) {
    fs.files[store::NotePath("/note/", titles[0])] = parts[1];
    (void)store::LoadNote(fs, "/note/", titles[0]);
  }
  return 0;
}
