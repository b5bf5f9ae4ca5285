#include "app/program_folder.h"

#include <unistd.h>

#include <climits>

#include "base/file_io.h"

namespace corvane {

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return "./";
  return DirectoryOf(std::string(buffer, static_cast<std::size_t>(length)));
}

std::string ProgramDataFolder(const std::string& program_folder) {
  if (IsDirectory(JoinPath(program_folder, "old_map"))) return program_folder;
  const std::string installed = JoinPath(program_folder, "../share/corvane/");
  if (IsDirectory(JoinPath(installed, "old_map"))) return installed;
  return program_folder;
}

}  // namespace corvane
