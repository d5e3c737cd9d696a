#pragma once

#include <string>

// Starting a program and testing for a file on Windows. Paths are UTF-8.
namespace pomvexa::win32 {

// The file's name if a normal file (not a folder, hidden or system file) is at the path, else
// empty text.
std::string findFile(const std::string& path);

// Starts the program at the path in a normal window with the focus, without waiting for it.
// The path is the program's own name, never parsed as a command line: a path with spaces
// cannot start another program named by its first words. Only an absolute path is started.
// Raises a run-time error if the path is relative or the program cannot be started.
void launchProgram(const std::string& path);

} // namespace pomvexa::win32
