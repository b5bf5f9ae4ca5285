// Feeds arbitrary bytes to the map reader, both as a packed map file and as
// an unpacked bundle text: split into members, read from the header member
// with the tables taken from the other members. Whatever was read must save
// and read back to the same text without a complaint. The bytes also go
// through the signal table reader on their own.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/prompter.h"
#include "fuzz_support.h"
#include "map/map_tables.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"

namespace {

using namespace corvane;
using fuzzing::IgnoringPrompter;
using fuzzing::Mismatch;

constexpr char kDefaultSignalSets[] = "  1,  0,A,B\n  2,  0,C,D\n";
constexpr char kDefaultSignals[] =
    "  1, 76,1023,  0,200, 80,G,g.bmp\n"
    "  1,  0,  76,255,  0,  0,R,r.bmp\n"
    "  2,  0,1023,255,200,  0,Y,y.bmp\n";

// The members of one split bundle, with the program's default signal tables.
class MemberSource : public BundleTableSource {
 public:
  explicit MemberSource(const std::vector<BundleMember>& members) : BundleTableSource(members) {}
  std::optional<std::string> ReadDefaultTable(const std::string& name,
                                              std::string* shown) override {
    *shown = name;
    if (name == InfoOf(MapTable::kSignalType).member) return std::string(kDefaultSignalSets);
    if (name == InfoOf(MapTable::kImage).member) return std::string(kDefaultSignals);
    return std::nullopt;
  }
};

// The last member with the header's extension, as the split finds it.
std::optional<std::string> HeaderOf(const std::vector<BundleMember>& members,
                                    std::string_view extension) {
  std::optional<std::string> header;
  for (const BundleMember& member : members) {
    if (ExtensionOf(member.name) == extension) header = member.content;
  }
  return header;
}

// Reads a bundle text into `map`; false when it has no header member.
bool ReadBundleText(std::string_view text, MapContent& map, IgnoringPrompter& prompter) {
  const auto members = SplitBundleText(text);
  if (!members) return false;
  MemberSource source(*members);
  const auto header = HeaderOf(*members, kMapHeaderExtension);
  if (!header) return false;
  ReadMapFromHeader(*header, kMapHeaderMember, source, map, prompter);
  return true;
}

void CheckBundle(std::string_view text) {
  MapContent map;
  IgnoringPrompter prompter;
  if (!ReadBundleText(text, map, prompter)) return;
  // The map name is an INI value, which comes back trimmed and unquoted:
  // compare from the form it takes there.
  map.header.map_name =
      IniFile::Parse("[m]\nname=" + map.header.map_name.str() + "\n").GetString("m", "name");

  const std::string saved = FormatMapText(map);
  MapContent again;
  IgnoringPrompter quiet;
  if (!ReadBundleText(saved, again, quiet) || quiet.shown != 0) {
    Mismatch("a saved map reads back with a complaint", saved, FormatMapText(again));
  }
  const std::string resaved = FormatMapText(again);
  if (resaved != saved) Mismatch("a saved map reads back differently", saved, resaved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckBundle(UnpackBytes(bytes));
  CheckBundle(bytes);

  MapContent map;
  ParseSignalTables(bytes.substr(0, size / 2), bytes.substr(size / 2), map);
  FormatMapText(map);
  return 0;
}
