#pragma once
// Helpers shared by the tests: scratch folders and UTF-8 literals as
// Shift-JIS bytes.

#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "base/table.h"

namespace corvane::testing {

// A fresh empty folder under the system temporary folder, removed when the
// object goes away. path() ends with "/".
class ScratchFolder {
 public:
  ScratchFolder();

  const std::string& path() const { return folder_.path(); }
  std::string File(std::string_view name) const { return path() + std::string(name); }

 private:
  TemporaryFolder folder_;
};

// Shift-JIS bytes of a UTF-8 literal.
std::string Sjis(std::string_view utf8);

// The records 1..count of a table, to compare as a whole.
template <typename Record>
std::vector<Record> Records(const Table<Record>& table) {
  return {table.begin(), table.end()};
}

// The folder of the program's own data in the source tree (old_map and so on).
std::string SourceDataFolder();

}  // namespace corvane::testing
