// The findings of the checks name the map objects they mark, beside their
// unchanged texts.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "compiler/compile_checks.h"
#include "compiler/map_compiler.h"
#include "map/map_change.h"

namespace corvane {
namespace {

using Finding = std::tuple<std::string, MapTable, int>;

TEST(CheckLinksTest, FindingsWithAnObjectGoOutWithItAndTheOtherLinesPlain) {
  EditMap map;
  {
    MapChange change(map);
    change.signal_types().Append(MapSignalType{});
    change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
    change.rails().Append(NewRail({4, 5}, {9, 5}, kBothWays));  // shares cells with 1
    change.header().start.start_rail = 1;
  }
  std::vector<std::string> lines;
  std::vector<Finding> findings;
  CheckOutput output;
  output.message = [&lines](std::string_view line) { lines.emplace_back(line); };
  MapCheckMarks marks;
  // Without a finding callback every line is a plain one, as before.
  EXPECT_FALSE(CheckForCompile(map, marks, output));
  const std::vector<std::string> plain = lines;

  lines.clear();
  output.finding = [&findings](std::string_view line, MapTable table, int index) {
    findings.emplace_back(std::string(line), table, index);
  };
  EXPECT_FALSE(CheckForCompile(map, marks, output));
  EXPECT_EQ(lines, (std::vector<std::string>{"", "エラー：2件　警告：0件"}));
  EXPECT_EQ(findings,
            (std::vector<Finding>{{"＜エラー＞線路が重複しています。", MapTable::kRail, 1},
                                  {"＜エラー＞線路が重複しています。", MapTable::kRail, 2}}));
  EXPECT_EQ(plain, (std::vector<std::string>{"", "＜エラー＞線路が重複しています。",
                                             "＜エラー＞線路が重複しています。",
                                             "エラー：2件　警告：0件"}));
}

}  // namespace
}  // namespace corvane
