#include "app/environment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/data_folder.h"
#include "app/program_folder.h"
#include "base/file_io.h"
#include "base/ini_file.h"

namespace corvane {

namespace {

constexpr const char kRegistrySection[] = "Corvane";
constexpr const char kDataPathInfoKey[] = "DataPathInfo";

std::string Home() {
  const char* home = std::getenv("HOME");
  return home ? WithoutTrailingSlash(home) : std::string();
}

std::string ConfigHome() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return WithoutTrailingSlash(config);
  const std::string home = Home();
  return home.empty() ? std::string() : home + "/.config";
}

// The per-user settings file that stands in for the registry.
std::string RegistryFile() {
  const std::string config = ConfigHome();
  return config.empty() ? std::string() : config + "/corvane/registry.ini";
}

// "$HOME/Documents" -> "/home/user/Documents"; quotes removed.
std::string ExpandUserDirValue(std::string value, const std::string& home) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
  return WithoutTrailingSlash(value);
}

}  // namespace

std::string XdgUserFolder(const std::string& key, const std::string& fallback_name) {
  const std::string home = Home();
  if (const char* direct = std::getenv(key.c_str()); direct && *direct) {
    return WithoutTrailingSlash(direct);
  }
  const std::string config = ConfigHome();
  if (!config.empty()) {
    std::ifstream dirs(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(dirs, line)) {
      if (line.empty() || line[0] == '#') continue;
      const std::size_t equals = line.find('=');
      if (equals == std::string::npos || line.substr(0, equals) != key) continue;
      const std::string folder = ExpandUserDirValue(line.substr(equals + 1), home);
      // xdg-user-dir reports the home folder itself for a disabled entry;
      // a data folder there is no better than the usual fallback.
      if (!folder.empty() && folder != home) return folder;
    }
  }
  return home.empty() ? std::string() : home + "/" + fallback_name;
}

bool LocaleNameIsEnglish(const std::string& name) {
  return name.size() >= 2 && name[0] == 'e' && name[1] == 'n' &&
         (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@');
}

SystemEnvironment::SystemEnvironment()
    : program_folder_(WithoutTrailingSlash(corvane::ProgramFolder())) {}

std::string SystemEnvironment::DocumentsFolder() const {
  return XdgUserFolder("XDG_DOCUMENTS_DIR", "Documents");
}

std::string SystemEnvironment::DesktopFolder() const {
  return XdgUserFolder("XDG_DESKTOP_DIR", "Desktop");
}

std::string SystemEnvironment::ProgramFilesFolder() const {
  // The system prefixes a package or `cmake --install` puts programs under.
  for (const char* prefix : {"/usr/local", "/usr", "/opt"}) {
    if (PathIsInside(program_folder_, prefix)) return prefix;
  }
  return "";
}

std::string SystemEnvironment::ProgramFolder() const { return program_folder_; }

std::string SystemEnvironment::ProgramDataFolder() const {
  return WithoutTrailingSlash(corvane::ProgramDataFolder(program_folder_ + "/"));
}

std::optional<std::string> SystemEnvironment::DataPathInfo() const {
  const std::string file = RegistryFile();
  if (file.empty()) return std::nullopt;
  return IniFile::Load(file).Find(kRegistrySection, kDataPathInfoKey);
}

bool SystemEnvironment::SetDataPathInfo(const std::string& path_file) {
  const std::string file = RegistryFile();
  if (file.empty()) return false;
  std::error_code ignored;
  std::filesystem::create_directories(DirectoryOf(file), ignored);
  return IniFile::Update(file, [&](IniFile& registry) {
    registry.SetString(kRegistrySection, kDataPathInfoKey, path_file);
  });
}

bool SystemEnvironment::LocaleIsEnglish() const {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return LocaleNameIsEnglish(value);
  }
  return false;
}

std::int64_t SystemEnvironment::TotalPageFileBytes() const {
  std::ifstream meminfo("/proc/meminfo");
  std::string line;
  std::int64_t total_kib = 0;
  while (std::getline(meminfo, line)) {
    std::istringstream fields(line);
    std::string key;
    std::int64_t kib = 0;
    fields >> key >> kib;
    if (key == "MemTotal:" || key == "SwapTotal:") total_kib += kib;
  }
  return total_kib * 1024;
}

std::tm SystemEnvironment::LocalTime() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string OldMapFolder(const Environment& env) { return env.ProgramDataFolder() + "/old_map/"; }

}  // namespace corvane
