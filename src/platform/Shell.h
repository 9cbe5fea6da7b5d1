// Shell "open", program start without a shell, sounds.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kal::platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document, folder or address with its associated program; false when that fails.
  virtual bool Open(const std::string& target) = 0;
  // The program associated with a document, when there is one.
  virtual std::optional<std::string> AssociatedProgram(const std::string& document) = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `program` with `arguments` (no shell, no word splitting). Returns a handle > 0, or 0.
  virtual long Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Whether a started process is still running (reaps it when it has ended).
  virtual bool Running(long handle) = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  // Plays a sound file without waiting; false when it cannot be played.
  virtual bool Play(const std::string& file) = 0;
  virtual void Beep() = 0;
};

// The POSIX process starter (posix_spawnp, arguments passed as they are).
class PosixProcesses : public Processes {
 public:
  long Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool Running(long handle) override;
};

}  // namespace kal::platform
