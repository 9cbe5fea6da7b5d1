// Run-and-wait: starts a program with one argument (an external editor with the file it edits)
// and waits for it, polling every 100 milliseconds while the window keeps processing its events.
#pragma once

#include <string>

namespace kal::platform {
class Processes;
}  // namespace kal::platform

namespace kal::mainwindow {

// False when the program could not be started.
bool RunAndWait(platform::Processes& processes, const std::string& program, const std::string& argument);

}  // namespace kal::mainwindow
