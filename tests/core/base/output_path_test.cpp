#include "base/output_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;

constexpr std::string_view kDiaKinds[] = {"kvb", "kvp", "kvd"};

TEST(OutputPathTest, RefusesAnInputAndAKindNotWritten) {
  ScratchFolder folder;
  const std::string map = folder.File("map.kvm");
  ASSERT_TRUE(WriteFileAtomically(map, "map"));
  std::filesystem::create_symlink(map, folder.File("link.kvb"));
  ScriptedPrompter prompter;
  EXPECT_TRUE(OutputPathAllowed(folder.File("out.kvb"), {map}, kDiaKinds, prompter));
  EXPECT_TRUE(OutputPathAllowed(folder.File("OUT.KVD"), {map}, kDiaKinds, prompter));
  EXPECT_TRUE(OutputPathAllowed(folder.File("out.kvp"), {}, kDiaKinds, prompter));
  EXPECT_TRUE(prompter.shown().empty());

  EXPECT_FALSE(OutputPathAllowed(folder.File("link.kvb"), {"", map}, kDiaKinds, prompter));
  EXPECT_FALSE(OutputPathAllowed(map, {map}, kDiaKinds, prompter));
  EXPECT_FALSE(OutputPathAllowed(folder.File("out.kvm"), {map}, kDiaKinds, prompter));
  EXPECT_FALSE(OutputPathAllowed(folder.File("out"), {map}, kDiaKinds, prompter));
  ASSERT_EQ(prompter.shown().size(), 4u);
  EXPECT_EQ(prompter.shown()[0].text, "出力ファイル'" + folder.File("link.kvb") +
                                          "'は入力ファイル'" + map + "'と同じです。\n");
  EXPECT_EQ(prompter.shown()[0].caption, "ファイル書き込みエラー");
  // The same file is refused before its kind is looked at.
  EXPECT_EQ(prompter.shown()[1].text,
            "出力ファイル'" + map + "'は入力ファイル'" + map + "'と同じです。\n");
  EXPECT_EQ(prompter.shown()[2].text, "出力ファイル'" + folder.File("out.kvm") +
                                          "'の拡張子は .kvb .kvp .kvd のどれかにしてください。\n");
  EXPECT_FALSE(FileExists(folder.File("out.kvm")));
  EXPECT_EQ(ReadFileBytes(map), "map");
}

}  // namespace
}  // namespace corvane
