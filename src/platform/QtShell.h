// Shell "open" through the desktop's URL handlers, and sounds.
#pragma once

#include <memory>
#include <vector>

#include "platform/Shell.h"

namespace kal::platform {

class QtShell : public Shell {
 public:
  // Opens an address ("http://...", "mailto:...") or an existing file or folder; a local path
  // that does not exist is refused.
  bool Open(const std::string& target) override;
  // Looks up the desktop's default application for the document's MIME type (mimeapps.list and
  // the desktop entries of the XDG data folders); the program named by its Exec line.
  std::optional<std::string> AssociatedProgram(const std::string& document) override;
};

// Beeps through the window system; plays sound files with the first command-line player that is
// installed (PipeWire, PulseAudio or ALSA), without waiting for it.
class QtSound : public Sound {
 public:
  // `players`: program names or paths tried in order, each started as `player file`.
  explicit QtSound(Processes& processes,
                   std::vector<std::string> players = {"pw-play", "paplay", "aplay"});
  bool Play(const std::string& file) override;
  void Beep() override;

 private:
  Processes& processes_;
  std::vector<std::string> players_;
  std::vector<long> playing_;
};

}  // namespace kal::platform
