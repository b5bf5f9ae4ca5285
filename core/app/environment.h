#pragma once
// What the program asks of the machine it runs on: the user's folders, the
// per-user setting that points at the Path file, the install prefix, the
// locale, memory and the clock. The system implementation answers from
// XDG and the process; tests give their own answers.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace corvane {

class Environment {
 public:
  virtual ~Environment() = default;

  // The user's documents and desktop folders without a trailing "/", or ""
  // when they cannot be determined.
  virtual std::string DocumentsFolder() const = 0;
  virtual std::string DesktopFolder() const = 0;
  // The system install prefix the program cannot write to ("" when there is
  // none); a program under it counts as installed.
  virtual std::string ProgramFilesFolder() const = 0;
  // The folder of the running executable, without a trailing "/".
  virtual std::string ProgramFolder() const = 0;
  // The folder holding the data installed with the program (default signal
  // types and the system data copied into a new data folder), without a
  // trailing "/".
  virtual std::string ProgramDataFolder() const = 0;

  // The per-user value "DataPathInfo": the full path of the Path file in use.
  virtual std::optional<std::string> DataPathInfo() const = 0;
  virtual bool SetDataPathInfo(const std::string& path_file) = 0;

  // True when the user's locale is English (the program then starts in
  // English unless Language.ini says otherwise).
  virtual bool LocaleIsEnglish() const = 0;

  // Total of physical memory and swap, in bytes (the "page file").
  virtual std::int64_t TotalPageFileBytes() const = 0;

  // Local time, for the names of change logs and settings backups.
  virtual std::tm LocalTime() const = 0;
};

// The real machine: XDG user folders, ~/.config/corvane for the per-user
// value, LC_ALL / LC_MESSAGES / LANG for the locale.
class SystemEnvironment : public Environment {
 public:
  SystemEnvironment();
  std::string DocumentsFolder() const override;
  std::string DesktopFolder() const override;
  std::string ProgramFilesFolder() const override;
  std::string ProgramFolder() const override;
  std::string ProgramDataFolder() const override;
  std::optional<std::string> DataPathInfo() const override;
  bool SetDataPathInfo(const std::string& path_file) override;
  bool LocaleIsEnglish() const override;
  std::int64_t TotalPageFileBytes() const override;
  std::tm LocalTime() const override;

 private:
  std::string program_folder_;
};

// The program's default signal types for a new map: "old_map/" in the
// program's data folder.
std::string OldMapFolder(const Environment& env);

// A user folder as `xdg-user-dir` would give it: $XDG_CONFIG_HOME/user-dirs.dirs
// (or ~/.config/user-dirs.dirs) entry `key` ("XDG_DOCUMENTS_DIR"), with $HOME
// expanded; `fallback_name` under the home folder otherwise.
std::string XdgUserFolder(const std::string& key, const std::string& fallback_name);

// English for a locale name such as "en_US.UTF-8" (the first of LC_ALL,
// LC_MESSAGES and LANG that is set decides).
bool LocaleNameIsEnglish(const std::string& name);

}  // namespace corvane
