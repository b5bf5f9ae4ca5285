#include "map/point_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/encoding.h"

namespace corvane {
namespace {

std::optional<std::string> RefusalOf(std::string_view key_utf8,
                                     const std::vector<std::string>& others_utf8) {
  std::vector<std::string> sjis;
  for (const std::string& other : others_utf8) sjis.push_back(Utf8ToSjis(other));
  const std::vector<std::string_view> others(sjis.begin(), sjis.end());
  const std::optional<Refusal> refusal = PointKeyRefusal(Utf8ToSjis(key_utf8), others);
  if (!refusal) return std::nullopt;
  EXPECT_EQ(refusal->caption, kPointKeyErrorCaption);
  return refusal->text;
}

TEST(PointKeysTest, NoKeyMayBeginAnotherWhateverTheLetterCase) {
  const std::string overlaps_ab =
      "このポイントキーは、既に設定されているabと重複するため使用できません。\n";
  EXPECT_EQ(RefusalOf("a", {"ab"}), overlaps_ab);
  EXPECT_EQ(RefusalOf("ABC", {"", "ab"}),
            "このポイントキーは、既に設定されているabと重複するため使用できません。\n");
  EXPECT_EQ(RefusalOf("Ab", {"aB"}), std::string(kPointKeyTaken));
  // The shorter key met first decides: "a" begins "abc" before "ab" does.
  EXPECT_EQ(RefusalOf("abc", {"ab", "a"}),
            "このポイントキーは、既に設定されているaと重複するため使用できません。\n");
  EXPECT_EQ(RefusalOf("b", {"a", "ca"}), std::nullopt);
  EXPECT_EQ(RefusalOf("", {"a", ""}), std::nullopt);  // no key
}

TEST(PointKeysTest, TwoByteCharactersAreNeitherFoldedNorCut) {
  // "ア" is 0x83 0x41 and "ヂ" 0x83 0x61: their trail bytes are no ASCII
  // letters, so folding must leave them apart.
  EXPECT_EQ(RefusalOf("ア", {"ヂ"}), std::nullopt);
  EXPECT_EQ(RefusalOf("ヂ", {"ア"}), std::nullopt);
  EXPECT_EQ(RefusalOf("アイ", {"ア"}),
            "このポイントキーは、既に設定されているアと重複するため使用できません。\n");
  EXPECT_EQ(RefusalOf("ｂ", {"b"}), std::nullopt);  // a full-width letter is another key
}

}  // namespace
}  // namespace corvane
