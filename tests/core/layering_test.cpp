// The modules of the core library depend on each other in one order only
// (docs/ARCHITECTURE.md): a file includes its own module and those below
// it, never one above, and nothing of Qt or of the ui library.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Lowest first. Modules still to come have their places already.
const std::vector<std::string> kModuleOrder = {
    "base",         "map",      "mapfile", "stock", "data",        "run",
    "interlocking", "compiler", "editor",  "board", "interchange", "app",
};

int Rank(const std::string& module) {
  for (std::size_t i = 0; i < kModuleOrder.size(); ++i) {
    if (kModuleOrder[i] == module) return static_cast<int>(i);
  }
  return -1;
}

struct Include {
  std::string file;  // relative to core/
  int line = 0;
  std::string target;
};

std::vector<Include> CoreIncludes() {
  const fs::path core = fs::path(CORVANE_SOURCE_DIR) / "core";
  std::vector<Include> includes;
  for (const auto& entry : fs::recursive_directory_iterator(core)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    std::ifstream in(entry.path());
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
      const std::size_t at = text.find("#include");
      if (at == std::string::npos || text.find_first_not_of(" \t") != at) continue;
      const std::size_t open = text.find_first_of("\"<", at);
      const std::size_t close = text.find_first_of("\">", open + 1);
      if (open == std::string::npos || close == std::string::npos) continue;
      includes.push_back({fs::relative(entry.path(), core).generic_string(), line,
                          text.substr(open, close - open + 1)});
    }
  }
  return includes;
}

std::string ModuleOf(const std::string& path) { return path.substr(0, path.find('/')); }

TEST(LayeringTest, CoreIncludesOnlyItsOwnAndLowerModules) {
  const std::vector<Include> includes = CoreIncludes();
  ASSERT_GT(includes.size(), 100u);
  for (const Include& include : includes) {
    SCOPED_TRACE(include.file + ":" + std::to_string(include.line) + " " + include.target);
    const int from = Rank(ModuleOf(include.file));
    ASSERT_GE(from, 0) << "a module missing from the documented order";
    if (include.target.front() == '<') {
      EXPECT_NE(include.target.substr(1, 1), "Q") << "Qt in the core library";
      continue;
    }
    const std::string target = include.target.substr(1, include.target.size() - 2);
    const int to = Rank(ModuleOf(target));
    EXPECT_GE(to, 0) << "not a core module";
    EXPECT_LE(to, from) << "an include against the order of the modules";
  }
}

}  // namespace
}  // namespace corvane
