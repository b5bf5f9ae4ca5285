#pragma once
// Whole-file reading and writing. Writing never loses the old file: the new
// bytes go to a temporary file beside it, are flushed, and then replace it.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Replaces `path` with `bytes` atomically. False when any step fails; the old
// file is then untouched and no temporary file is left behind.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Writes scratch files that nobody else relies on: plain overwrite, no flush.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);
bool IsDirectory(const std::string& path);

// Whether `a` and `b` name one file: the same file when both exist (also
// through another path, a symbolic or a hard link), else the same path once
// "." and ".." and the links of its existing part are resolved.
bool SameFile(const std::string& a, const std::string& b);

// Path pieces with "/" as separator.
std::string DirectoryOf(const std::string& path);  // with a trailing "/", or "" for a bare name
std::string FileNameOf(const std::string& path);   // last component
std::string BaseNameOf(const std::string& path);   // last component without its extension
// After the last "." of the last component, or "".
std::string ExtensionOf(const std::string& path);
// `folder` joined with `name`, adding a separator when `folder` lacks one.
std::string JoinPath(const std::string& folder, const std::string& name);

// True for a name that stays inside the folder it is joined to: not empty,
// no path separator, not "." or "..".
bool IsBareFileName(std::string_view name);

// A fresh private folder inside `parent` (made when missing), its name
// starting with `prefix`; removed with everything in it when the object goes
// away. path() ends with "/", or is empty when the folder could not be made.
class TemporaryFolder {
 public:
  TemporaryFolder(const std::string& parent, std::string_view prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// ASCII letter case ignored; the bytes of two-byte Shift-JIS characters
// compare exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corvane
