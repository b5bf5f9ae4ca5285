#include "app/english_twins.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "editor/edit_tool.h"

namespace corvane {
namespace {

// The conversions of `text` in order ("%s", "%d", "%02d", "%ld", ...), read
// the way the lookup reads them.
std::vector<std::string> Conversions(std::string_view text) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    std::size_t end = i + 1;
    while (end < text.size() &&
           ((text[end] >= '0' && text[end] <= '9') || text[end] == 'l' || text[end] == '.')) {
      ++end;
    }
    if (end < text.size() && (text[end] == 's' || text[end] == 'd')) {
      found.emplace_back(text.substr(i, end - i + 1));
      i = end;
    }
  }
  return found;
}

int LineFeeds(std::string_view text) {
  int count = 0;
  for (const char c : text) count += c == '\n' ? 1 : 0;
  return count;
}

int TrailingLineFeeds(std::string_view text) {
  int count = 0;
  while (!text.empty() && text.back() == '\n') {
    text.remove_suffix(1);
    ++count;
  }
  return count;
}

bool HasNonAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// `format` with its conversions replaced by `values` in order.
std::string Filled(std::string_view format, const std::vector<std::string>& values) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const std::vector<std::string> here = Conversions(format.substr(i));
    const bool at_conversion =
        format[i] == '%' && !here.empty() && format.substr(i, here.front().size()) == here.front();
    if (at_conversion) {
      out += next < values.size() ? values[next++] : std::string();
      i += here.front().size() - 1;
    } else {
      out += format[i];
    }
  }
  return out;
}

std::vector<EnglishTwin> AllTwins() {
  std::size_t count = 0;
  const EnglishTwin* twins = EnglishTwins(&count);
  return std::vector<EnglishTwin>(twins, twins + count);
}

TEST(EnglishTwinsTest, NoJapaneseTextTwice) {
  std::set<std::string> seen;
  for (const EnglishTwin& twin : AllTwins()) {
    EXPECT_TRUE(seen.insert(twin.japanese).second) << "twice: " << twin.japanese;
  }
  EXPECT_GT(seen.size(), 150u);
}

TEST(EnglishTwinsTest, EveryPairIsJapaneseBesideEnglish) {
  for (const EnglishTwin& twin : AllTwins()) {
    const std::string_view japanese = twin.japanese;
    const std::string_view english = twin.english;
    EXPECT_TRUE(HasNonAscii(japanese)) << "no Japanese key: " << japanese;
    EXPECT_FALSE(english.empty()) << japanese;
    // A full-width character left in the English text shows as Japanese.
    EXPECT_FALSE(HasNonAscii(english)) << "not plain English: " << english;
  }
}

TEST(EnglishTwinsTest, ConversionsAndLineFeedsMatch) {
  for (const EnglishTwin& twin : AllTwins()) {
    EXPECT_EQ(Conversions(twin.english), Conversions(twin.japanese)) << twin.japanese;
    EXPECT_EQ(LineFeeds(twin.english), LineFeeds(twin.japanese)) << twin.japanese;
    EXPECT_EQ(TrailingLineFeeds(twin.english), TrailingLineFeeds(twin.japanese)) << twin.japanese;
  }
}

// Each text finds its own twin: an exact text directly, a formatted one with
// values filled in (so no earlier entry's format swallows it).
TEST(EnglishTwinsTest, EveryTextFindsItsOwnTwin) {
  for (const EnglishTwin& twin : AllTwins()) {
    const std::vector<std::string> conversions = Conversions(twin.japanese);
    if (conversions.empty()) {
      EXPECT_EQ(InEnglish(twin.japanese), twin.english);
      continue;
    }
    std::vector<std::string> values;
    for (std::size_t k = 0; k < conversions.size(); ++k) {
      values.push_back(conversions[k].back() == 's' ? "Value" + std::to_string(k)
                                                    : std::to_string(17 + k));
    }
    EXPECT_EQ(InEnglish(Filled(twin.japanese, values)), Filled(twin.english, values))
        << twin.japanese;
  }
}

TEST(EnglishTwinsTest, ShownValuesAreCarriedOver) {
  EXPECT_EQ(InEnglish("マップデータ「東西線 改良案」を開きました。"),
            "Opened map data \"東西線 改良案\".");
  EXPECT_EQ(InEnglish("読み込みファイル'/home/user/本線.kvm'は開けませんでした。\n"),
            "The file '/home/user/本線.kvm' could not be opened for reading.\n");
  EXPECT_EQ(InEnglish("エラー：3件　警告：12件"), "Errors: 3  Warnings: 12");
  // Built by joining pieces, as the stop-target check does.
  EXPECT_EQ(InEnglish("＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには" +
                      std::to_string(20) + "[m]以上確保してください。"),
            "<Warning> The stop target leaves too little room. An ATS map needs at least 20[m].");
  EXPECT_EQ(InEnglish("交差ポイントの対角点の3点目（4点中）を左クリックして下さい。"
                      "また、既に設置してある交差ポイントを左クリックするとポイントの種類を変更出来"
                      "ます。"),
            "Click corner 3 (of 4) of the crossing. Clicking a placed crossing changes its kind.");
  EXPECT_EQ(InEnglish("120秒"), "120s");
}

TEST(EnglishTwinsTest, WholeSaveQuestionWinsOverItsFormat) {
  const std::string tail = "\n現在のマップは変更されています。\n現在のデータを保存しますか？";
  EXPECT_EQ(InEnglish("マップデータを開きます。" + tail),
            "Open map.\nThe map has been changed.\nSave the current data?");
  EXPECT_EQ(InEnglish("マップの編集を終了します。" + tail),
            "End map editing.\nThe map has been changed.\nSave the current data?");
  EXPECT_EQ(InEnglish("Other action." + tail),
            "Other action.\nThe map has been changed.\nSave the current data?");
}

TEST(EnglishTwinsTest, TextsWithoutTwinComeBackUnchanged) {
  EXPECT_EQ(InEnglish("東京"), "東京");
  EXPECT_EQ(InEnglish(""), "");
  EXPECT_EQ(InEnglish("Already English."), "Already English.");
  // Close to a format, but with more after it.
  const std::string longer = "マップデータ「A」を開きました。続き";
  EXPECT_EQ(InEnglish(longer), longer);
  // A known text without its line feed is another text.
  EXPECT_EQ(InEnglish("重ねての指定は出来ません。"), "重ねての指定は出来ません。");
  EXPECT_EQ(InEnglish("重ねての指定は出来ません。\n"),
            "Objects cannot be placed on top of each other.\n");
}

// Every prompt of every editing tool reads in English.
TEST(EnglishTwinsTest, EveryToolPromptHasATwin) {
  for (const EditTool& tool : EditTools()) {
    for (const char* prompt : {tool.prompt, tool.next_prompt, tool.dialog_prompt}) {
      if (prompt == nullptr || *prompt == '\0') continue;
      EXPECT_NE(InEnglish(prompt), prompt) << prompt;
    }
  }
}

TEST(EnglishTwinsTest, ShownFollowsTheLanguage) {
  EXPECT_EQ(Shown("線路重複エラー", false), "線路重複エラー");
  EXPECT_EQ(Shown("線路重複エラー", true), "Overlap Error");
}

TEST(EnglishTwinsTest, LanguagePrompterShowsBoxesAsTheWindowsDo) {
  ScriptedPrompter shown({PromptAnswer::kYes});
  LanguagePrompter prompter(shown, true);
  EXPECT_EQ(prompter.Ask("重ねての指定は出来ません。\n", "線路重複エラー", PromptButtons::kYesNo,
                         PromptIcon::kQuestion),
            PromptAnswer::kYes);
  prompter.Error("読み込みファイル'東町.kvm'は開けませんでした。\n", "ファイル読み込みエラー");
  prompter.set_english(false);
  prompter.Error("重ねての指定は出来ません。\n", "線路重複エラー");
  ASSERT_EQ(shown.shown().size(), 3u);
  EXPECT_EQ(shown.shown()[0].text, "Objects cannot be placed on top of each other.\n");
  EXPECT_EQ(shown.shown()[0].caption, "Overlap Error");
  EXPECT_EQ(shown.shown()[0].buttons, PromptButtons::kYesNo);
  EXPECT_EQ(shown.shown()[1].text, "The file '東町.kvm' could not be opened for reading.\n");
  EXPECT_EQ(shown.shown()[1].caption, "File Read Error");
  // Japanese: byte for byte as the text was given.
  EXPECT_EQ(shown.shown()[2].text, "重ねての指定は出来ません。\n");
  EXPECT_EQ(shown.shown()[2].caption, "線路重複エラー");
}

}  // namespace
}  // namespace corvane
