#pragma once
// Where the program and the data installed with it live.

#include <string>

namespace corvane {

// The folder holding the running executable, ending with "/".
std::string ProgramFolder();

// The folder of the data installed with the program ("old_map" and the
// system data), ending with "/": beside the executable in a build tree,
// <prefix>/share/corvane/ when installed.
std::string ProgramDataFolder(const std::string& program_folder);

}  // namespace corvane
