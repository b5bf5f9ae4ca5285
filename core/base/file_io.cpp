#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/encoding.h"

namespace corvane {

std::optional<std::string> ReadFileBytes(const std::string& path) {
  // Plain POSIX reads: a stream opened on a folder throws from its first read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  if (S_ISREG(info.st_mode)) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

// A short name in the folder of `path`: appending to the file name itself
// would fail for names near the file system's length limit.
std::string TemporaryNameBeside(const std::string& path) {
  static std::mt19937 generator{std::random_device{}()};
  return DirectoryOf(path) + ".corvane-" + std::to_string(::getpid()) + "-" +
         std::to_string(generator() % 1000000) + ".tmp";
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty() || IsDirectory(path)) return false;
  // Keep the permissions of the file being replaced.
  mode_t mode = 0644;
  struct stat old_stat;
  if (::stat(path.c_str(), &old_stat) == 0) mode = old_stat.st_mode & 07777;

  const std::string temporary = TemporaryNameBeside(path);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  if (a.empty() || b.empty()) return false;
  std::error_code error_a;
  std::error_code error_b;
  if (fs::exists(a, error_a) && fs::exists(b, error_b)) return fs::equivalent(a, b, error_a);
  const fs::path resolved_a = fs::weakly_canonical(fs::absolute(a, error_a), error_a);
  const fs::path resolved_b = fs::weakly_canonical(fs::absolute(b, error_b), error_b);
  return !error_a && !error_b && resolved_a == resolved_b;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BaseNameOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool IsBareFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // "/" and the zero byte end a name for the file system whatever comes
  // before them; a lead byte only covers a "\\" (0x5C) trail byte.
  if (name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (IsSjisLeadByte(byte)) {
      ++i;
      continue;
    }
    if (byte == '\\' || byte == ':') return false;
  }
  return true;
}

TemporaryFolder::TemporaryFolder(const std::string& parent, std::string_view prefix) {
  std::error_code ignored;
  std::filesystem::create_directories(parent, ignored);
  std::string pattern = JoinPath(parent, std::string(prefix) + "XXXXXX");
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(a[i]))) {
      // The trail byte of a two-byte character may look like an ASCII
      // letter (ア is 0x83 0x41, ヂ is 0x83 0x61); compare it exactly.
      if (a[i] != b[i]) return false;
      if (++i < a.size() && a[i] != b[i]) return false;
      continue;
    }
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace corvane
