#include "support/test_support.h"

#include <filesystem>
#include <stdexcept>

#include "base/encoding.h"

namespace corvane::testing {

ScratchFolder::ScratchFolder()
    : folder_(std::filesystem::temp_directory_path().string(), "corvane-test-") {
  if (path().empty()) throw std::runtime_error("mkdtemp failed");
}

std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

std::string SourceDataFolder() { return std::string(CORVANE_SOURCE_DIR) + "/data/"; }

}  // namespace corvane::testing
