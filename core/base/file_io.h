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

// Path pieces with "/" as separator.
std::string DirectoryOf(const std::string& path);  // with a trailing "/", or "" for a bare name
std::string FileNameOf(const std::string& path);   // last component
std::string BaseNameOf(const std::string& path);   // last component without its extension
std::string ExtensionOf(const std::string& path);  // after the last "." of the last component, or ""
// `folder` joined with `name`, adding a separator when `folder` lacks one.
std::string JoinPath(const std::string& folder, const std::string& name);

// True for a name that stays inside the folder it is joined to: not empty,
// no path separator, not "." or "..".
bool IsBareFileName(std::string_view name);

// ASCII letter case ignored; the bytes of two-byte Shift-JIS characters
// compare exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corvane
