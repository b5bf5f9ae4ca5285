#include "support/test_support.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "base/encoding.h"

namespace corvane::testing {

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "corvane-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

std::string SourceDataFolder() { return std::string(CORVANE_SOURCE_DIR) + "/data/"; }

}  // namespace corvane::testing
