#include "app/command_line.h"

#include "base/file_io.h"

namespace corvane {

std::vector<std::string> TokenizeCommandLine(std::string_view text) {
  std::vector<std::string> tokens;
  std::string current;
  bool quoted = false;
  bool in_token = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;
      in_token = true;
      continue;
    }
    if (!quoted && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
      if (in_token) tokens.push_back(std::move(current));
      current.clear();
      in_token = false;
      continue;
    }
    current.push_back(c);
    in_token = true;
  }
  if (in_token) tokens.push_back(std::move(current));
  return tokens;
}

std::optional<int> StartModeFromName(std::string_view name) {
  if (name == "ResetWindowPos") return kStartResetWindowPositions;
  if (name == "ResetAllSetting") return kStartResetAllSettings;
  if (name == "ResetSetting") return kStartAsk;
  return std::nullopt;
}

namespace {

// "/f", "/f=x", "/mResetSetting" are switches; "/home/user/a.kvm" and an
// existing "/a.kvm" are paths.
bool IsSwitch(const std::string& token, const std::function<bool(const std::string&)>& exists) {
  if (token.empty() || token[0] != '/') return false;
  // A slash alone is a switch without a letter, and so ignored.
  if (token.size() == 1) return true;
  if (token.size() == 2 || token[2] == '=') return true;
  if (token.find('/', 1) != std::string::npos) return false;
  return !exists(token);
}

void SetFile(CommandLine& line, const std::string& file) {
  if (file.empty()) return;
  line.startup_file = file;
  line.file_pending = true;
}

bool TakeLongOption(CommandLine& line, const std::string& token) {
  auto value_of = [&token](std::string_view name) -> std::optional<std::string> {
    if (token.size() > name.size() && token.compare(0, name.size(), name) == 0) {
      return token.substr(name.size());
    }
    return std::nullopt;
  };
  if (token == "--help") {
    line.help = true;
  } else if (auto file = value_of("--file=")) {
    SetFile(line, *file);
  } else if (auto mode = value_of("--mode=")) {
    if (const auto value = StartModeFromName(*mode)) {
      line.start_mode = *value;
      line.start_mode_given = true;
    }
  } else if (auto folder = value_of("--data-dir=")) {
    line.data_dir = *folder;
  } else if (auto map = value_of("--map=")) {
    line.map_file = *map;
  } else {
    return false;
  }
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& tokens,
                             const std::function<bool(const std::string&)>& file_exists) {
  const std::function<bool(const std::string&)> exists =
      file_exists ? file_exists : [](const std::string& path) { return FileExists(path); };
  CommandLine line;
  for (const std::string& token : tokens) {
    if (token.rfind("--", 0) == 0) {
      if (!TakeLongOption(line, token)) line.unknown_options.push_back(token);
      continue;
    }
    if (!IsSwitch(token, exists)) {
      SetFile(line, token);
      continue;
    }
    if (token.size() < 2) continue;
    const char letter = token[1];
    std::string value = token.substr(2);
    if (!value.empty() && value[0] == '=') value.erase(0, 1);
    if (letter == 'f') {
      SetFile(line, value);
    } else if (letter == 'm' || letter == 'M') {
      if (const auto mode = StartModeFromName(value)) {
        line.start_mode = *mode;
        line.start_mode_given = true;
      }
    }
  }
  return line;
}

const char* CommandLineHelp() {
  return "Usage: corvane [FILE] [/f=FILE] [/m=MODE] [--file=FILE] [--mode=MODE]\n"
         "               [--map=MAP.kvm] [--data-dir=DIR]\n"
         "\n"
         "  FILE, /f=FILE, --file=FILE  a dia data (.kvb .kvp .kvd) or import (.kvi) file\n"
         "  /m=MODE, --mode=MODE        ResetSetting (ask), ResetWindowPos, ResetAllSetting\n"
         "  --map=MAP.kvm               open a map file in the map edit window\n"
         "  --data-dir=DIR              use DIR as the data folder for this run\n"
         "  --help                      show this help\n";
}

}  // namespace corvane
