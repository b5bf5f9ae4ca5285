// The layers of the program and the modules of the core library depend on
// each other in one direction only (docs/ARCHITECTURE.md):
// - a core file includes its own module and those below it, never one above,
//   and nothing of Qt, of the ui library or of the programs;
// - a ui file includes the core, Qt and the ui, never a program;
// - the programs include what they need.
// Includes in quotes and in angle brackets are checked alike.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = CORVANE_SOURCE_DIR;

// Lowest first. Modules still to come have their places already. The
// order stated in docs/ARCHITECTURE.md must be this one.
const std::vector<std::string> kModuleOrder = {
    "base",         "map",      "mapfile", "stock", "data",        "run",
    "interlocking", "compiler", "editor",  "board", "interchange", "app",
};

int Rank(const std::string& module) {
  const auto found = std::find(kModuleOrder.begin(), kModuleOrder.end(), module);
  return found == kModuleOrder.end() ? -1 : static_cast<int>(found - kModuleOrder.begin());
}

std::string ModuleOf(const std::string& path) { return path.substr(0, path.find('/')); }

struct Include {
  fs::path file;  // relative to the source root: "core/map/edit_map.h"
  int line = 0;
  std::string target;  // between the quotes or brackets
  bool angle = false;
};

// Where an include leads.
enum class Layer { kCore, kUi, kPrograms, kQt, kSystem, kAmbiguous, kNowhere };

struct Target {
  Layer layer = Layer::kNowhere;
  std::string path;  // inside its layer's folder: "map/edit_map.h"
};

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// As the compiler finds it: a quoted name beside the including file first,
// then on the include path of the core and of the ui library. A name that
// both libraries hold would depend on the order of that path.
Target Resolve(const Include& include) {
  if (include.angle && include.target.front() == 'Q') return {Layer::kQt, include.target};
  if (!include.angle) {
    const fs::path beside = (kSourceRoot / include.file).parent_path() / include.target;
    if (IsFile(beside)) {
      const fs::path relative = fs::relative(beside, kSourceRoot).lexically_normal();
      const std::string top = ModuleOf(relative.generic_string());
      const std::string rest = fs::relative(relative, top).generic_string();
      if (top == "core") return {Layer::kCore, rest};
      if (top == "ui") return {Layer::kUi, rest};
      if (top == "programs") return {Layer::kPrograms, rest};
    }
  }
  const bool in_core = IsFile(kSourceRoot / "core" / include.target);
  const bool in_ui = IsFile(kSourceRoot / "ui" / include.target);
  if (in_core && in_ui) return {Layer::kAmbiguous, include.target};
  if (in_core) return {Layer::kCore, include.target};
  if (in_ui) return {Layer::kUi, include.target};
  if (IsFile(kSourceRoot / "programs" / include.target)) {
    return {Layer::kPrograms, include.target};
  }
  // Our own headers are included in quotes; brackets name the system's.
  return {include.angle ? Layer::kSystem : Layer::kNowhere, include.target};
}

// What is wrong with an include, or nothing.
std::optional<std::string> Violation(const Include& include) {
  const std::string file = include.file.generic_string();
  const std::string layer = ModuleOf(file);
  const Target target = Resolve(include);
  switch (target.layer) {
    case Layer::kNowhere:
      return "names no file of the program";
    case Layer::kAmbiguous:
      return "a header both in core/ and ui/";
    case Layer::kSystem:
      return std::nullopt;
    case Layer::kQt:
      if (layer == "core") return "Qt in the core library";
      return std::nullopt;
    case Layer::kPrograms:
      if (layer != "programs") return "a program's header outside the programs";
      return std::nullopt;
    case Layer::kUi:
      if (layer == "core") return "the ui library in the core library";
      return std::nullopt;
    case Layer::kCore:
      break;
  }
  if (layer != "core") return std::nullopt;
  const int from = Rank(ModuleOf(file.substr(5)));
  const int to = Rank(ModuleOf(target.path));
  if (from < 0) return "a core module missing from the documented order";
  if (to < 0) return "not a core module";
  if (to > from) return "an include against the order of the modules";
  return std::nullopt;
}

std::vector<Include> IncludesUnder(const std::string& folder) {
  std::vector<Include> includes;
  for (const auto& entry : fs::recursive_directory_iterator(kSourceRoot / folder)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    std::ifstream in(entry.path());
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
      const std::size_t at = text.find("#include");
      if (at == std::string::npos || text.find_first_not_of(" \t") != at) continue;
      const std::size_t open = text.find_first_of("\"<", at);
      if (open == std::string::npos) continue;
      const bool angle = text[open] == '<';
      const std::size_t close = text.find(angle ? '>' : '"', open + 1);
      if (close == std::string::npos || close == open + 1) continue;
      includes.push_back({fs::relative(entry.path(), kSourceRoot), line,
                          text.substr(open + 1, close - open - 1), angle});
    }
  }
  return includes;
}

void ExpectNoViolations(const std::string& folder, std::size_t at_least) {
  const std::vector<Include> includes = IncludesUnder(folder);
  EXPECT_GE(includes.size(), at_least) << "the walk found too little of " << folder;
  for (const Include& include : includes) {
    const std::optional<std::string> violation = Violation(include);
    EXPECT_FALSE(violation) << include.file.generic_string() << ":" << include.line << " "
                            << (include.angle ? "<" : "\"") << include.target
                            << (include.angle ? ">" : "\"") << ": " << violation.value_or("");
  }
}

Include Line(const char* file, const char* target, bool angle = false) {
  return {file, 1, target, angle};
}

TEST(LayeringTest, TheCheckCatchesEveryKindOfWrongInclude) {
  // Brackets do not hide a core header from the order.
  EXPECT_EQ(Violation(Line("core/map/edit_map.h", "editor/edit_session.h", true)),
            "an include against the order of the modules");
  EXPECT_EQ(Violation(Line("core/map/edit_map.h", "editor/edit_session.h")),
            "an include against the order of the modules");
  EXPECT_FALSE(Violation(Line("core/editor/edit_session.h", "map/edit_map.h", true)));
  EXPECT_EQ(Violation(Line("core/base/table.h", "QString", true)), "Qt in the core library");
  EXPECT_EQ(Violation(Line("core/app/settings.h", "mapedit/map_view.h")),
            "the ui library in the core library");
  EXPECT_EQ(Violation(Line("core/app/settings.h", "platform/qt_text.h", true)),
            "the ui library in the core library");
  EXPECT_EQ(Violation(Line("ui/main/main_frame.cpp", "corvane-cli/map_render_command.h")),
            "a program's header outside the programs");
  EXPECT_EQ(Violation(Line("core/app/settings.h", "app/no_such_header.h")),
            "names no file of the program");
  EXPECT_FALSE(Violation(Line("ui/main/main_frame.cpp", "app/settings.h")));
  EXPECT_FALSE(Violation(Line("ui/main/main_frame.cpp", "QMainWindow", true)));
  EXPECT_FALSE(Violation(Line("core/base/file_io.cpp", "sys/stat.h", true)));
  EXPECT_FALSE(Violation(Line("programs/corvane-cli/main.cpp", "map_render_command.h")));
  EXPECT_FALSE(Violation(Line("programs/corvane/main.cpp", "main/main_frame.h")));
}

TEST(LayeringTest, CoreIncludesOnlyItsOwnAndLowerModules) { ExpectNoViolations("core", 100); }

TEST(LayeringTest, UiIncludesCoreQtAndItselfOnly) { ExpectNoViolations("ui", 50); }

TEST(LayeringTest, ProgramsIncludeOnlyWhatExists) { ExpectNoViolations("programs", 10); }

TEST(LayeringTest, EveryCoreFolderHasItsPlaceInTheOrder) {
  for (const auto& entry : fs::directory_iterator(kSourceRoot / "core")) {
    if (!entry.is_directory()) continue;
    EXPECT_GE(Rank(entry.path().filename().string()), 0) << entry.path().filename();
  }
}

// The order line of the documentation: "base -> map -> ... -> (board ->
// interchange) -> app", brackets marking modules still to come.
std::vector<std::string> DocumentedOrder() {
  std::ifstream in(kSourceRoot / "docs" / "ARCHITECTURE.md");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("base ->", 0) != 0) continue;
    std::erase_if(line, [](char c) { return c == '(' || c == ')'; });
    std::vector<std::string> modules;
    std::istringstream words(line);
    for (std::string word; words >> word;) {
      if (word != "->") modules.push_back(word);
    }
    return modules;
  }
  return {};
}

TEST(LayeringTest, TheDocumentedOrderIsTheCheckedOne) {
  EXPECT_EQ(DocumentedOrder(), kModuleOrder);
}

}  // namespace
}  // namespace corvane
