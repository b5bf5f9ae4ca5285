#pragma once
// What a path names on disk, as the data-folder change and move need it: a
// folder (following symbolic links), nothing at all, or something else that
// would stand in the way of a folder of that name.

#include <filesystem>
#include <string>
#include <system_error>

namespace corvane {

enum class FsEntryKind { kMissing, kFolder, kOther };

inline FsEntryKind FsEntryKindOf(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(std::filesystem::status(path, error))) {
    return FsEntryKind::kFolder;
  }
  // A dangling symbolic link still takes the name.
  if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
    return FsEntryKind::kOther;
  }
  return FsEntryKind::kMissing;
}

}  // namespace corvane
