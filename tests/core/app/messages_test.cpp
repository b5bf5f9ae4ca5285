#include "app/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/about.h"

namespace corvane {
namespace {

TEST(MessagesTest, DiaChangedPromptCarriesActionAndItsCaption) {
  const DiaChangedPrompt quit = ComposeDiaChangedPrompt(MsgQuit, true);
  EXPECT_EQ(quit.text, "Quit.\nThe dia has been changed.\nDo you save the dia?");
  EXPECT_EQ(quit.caption, "Confirmation of Quiting");

  const DiaChangedPrompt open_dia = ComposeDiaChangedPrompt(MsgOpenDia, false);
  EXPECT_EQ(
      open_dia.text,
      "ダイヤデータを開きます。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？");
  EXPECT_EQ(open_dia.caption, "読み込み確認");

  const DiaChangedPrompt open_map = ComposeDiaChangedPrompt(MsgOpenMap, true);
  EXPECT_EQ(open_map.text, "Open map.\nThe dia has been changed.\nDo you save the dia?");
  EXPECT_EQ(open_map.caption, "Confirmation of Opening");
}

TEST(MessagesTest, EnglishTrainStatesKeepTheirBlanks) {
  EXPECT_STREQ(Message(MsgStateRun, true), "Run   ");
  EXPECT_STREQ(Message(MsgStateWaitDepart, true), "Wait  ");
  EXPECT_STREQ(Message(MsgStateRun, false), "走行中");
  // Every state but "Susp" fills a six-character column.
  for (int id = MsgStateHold; id <= MsgStateDecel; ++id) {
    const std::string text = Message(static_cast<MsgId>(id), true);
    EXPECT_EQ(text.size(), id == MsgStateHold ? 4u : 6u) << text;
  }
}

TEST(MessagesTest, EveryIdHasTwoDifferentTexts) {
  for (int id = 0; id < kMsgIdCount; ++id) {
    const std::string japanese = Message(static_cast<MsgId>(id), false);
    const std::string english = Message(static_cast<MsgId>(id), true);
    EXPECT_FALSE(japanese.empty()) << id;
    EXPECT_FALSE(english.empty()) << id;
    EXPECT_NE(japanese, english) << id;
  }
  EXPECT_STREQ(Message(kMsgIdCount, true), "");
  EXPECT_STREQ(Message(static_cast<MsgId>(-1), false), "");
}

TEST(MessagesTest, ParseFilterSplitsPairsAndStopsAtDoubleBar) {
  EXPECT_EQ(ParseFilter("A(*.a)|*.a|B(*.b)|*.b;*.c||ignored|*.x||"),
            (std::vector<FileFilter>{{"A(*.a)", "*.a"}, {"B(*.b)", "*.b;*.c"}}));
  // Without the closing bars the list runs to the end; a description left
  // without a pattern is dropped.
  EXPECT_EQ(ParseFilter("A|*.a"), (std::vector<FileFilter>{{"A", "*.a"}}));
  EXPECT_EQ(ParseFilter("A|*.a|B|"), (std::vector<FileFilter>{{"A", "*.a"}}));
  EXPECT_TRUE(ParseFilter("").empty());
  EXPECT_TRUE(ParseFilter("||").empty());

  EXPECT_EQ(SplitPatterns("*.kvb; *.kvp ;"), (std::vector<std::string>{"*.kvb", "*.kvp"}));
  EXPECT_TRUE(SplitPatterns("").empty());
}

TEST(MessagesTest, FiltersAgreeAcrossLanguagesAndWithTheirExtension) {
  const FilterUse uses[] = {
      FilterUse::kOpenDia,    FilterUse::kOpenDiaTwoGenerations, FilterUse::kSaveDia,
      FilterUse::kDiaKvw,     FilterUse::kExecutedData,          FilterUse::kTextLog,
      FilterUse::kImportInfo, FilterUse::kAnnouncement,          FilterUse::kMap};
  for (FilterUse use : uses) {
    const DialogFilter japanese = FilterFor(use, false);
    const DialogFilter english = FilterFor(use, true);
    const std::vector<FileFilter> ja_pairs = ParseFilter(japanese.filter);
    const std::vector<FileFilter> en_pairs = ParseFilter(english.filter);
    SCOPED_TRACE(english.filter);
    ASSERT_FALSE(ja_pairs.empty());
    ASSERT_EQ(ja_pairs.size(), en_pairs.size());
    EXPECT_STREQ(japanese.default_extension, english.default_extension);
    // The first pattern is the default extension's.
    EXPECT_EQ(ja_pairs[0].pattern, std::string("*.") + japanese.default_extension);
    for (std::size_t i = 0; i < ja_pairs.size(); ++i) {
      EXPECT_EQ(ja_pairs[i].pattern, en_pairs[i].pattern);
      // Each description names its pattern.
      EXPECT_NE(ja_pairs[i].description.find("(" + ja_pairs[i].pattern + ")"), std::string::npos);
      EXPECT_NE(en_pairs[i].description.find("(" + en_pairs[i].pattern + ")"), std::string::npos);
    }
  }
  EXPECT_STREQ(FilterFor(FilterUse::kImportInfo, false).filter,
               "インポート情報データ(*.kvi)|*.kvi||");
  EXPECT_STREQ(FilterFor(FilterUse::kMap, true).filter, "Map Data(*.kvm)|*.kvm||");
  EXPECT_EQ(ParseFilter(FilterFor(FilterUse::kOpenDia, true).filter).size(), 3u);
}

TEST(MessagesTest, DirectionSuffixes) {
  EXPECT_STREQ(UpSuffix(false), "（上り）");
  EXPECT_STREQ(DownSuffix(false), "（下り）");
  EXPECT_STREQ(UpSuffix(true), "(Up)");
  EXPECT_STREQ(DownSuffix(true), "(Dn)");
}

TEST(MessagesTest, WindowTitles) {
  for (int id = 1; id <= kWindowTitleCount; ++id) {
    EXPECT_STRNE(WindowTitleText(static_cast<WindowTitle>(id), false), "") << id;
    EXPECT_STRNE(WindowTitleText(static_cast<WindowTitle>(id), true), "") << id;
  }
  EXPECT_STREQ(WindowTitleText(static_cast<WindowTitle>(0), true), "");
  EXPECT_STREQ(WindowTitleText(static_cast<WindowTitle>(17), false), "");

  EXPECT_STREQ(WindowTitleText(WindowTitle::kMessageWindow, false), "メッセージウインドウ");
  EXPECT_STREQ(WindowTitleText(WindowTitle::kProductTitle, true),
               "Railway Traffic Control Simulator \"Corvane\"");
  EXPECT_STREQ(WindowTitleText(WindowTitle::kProductName, true), "\"Corvane\"");
  EXPECT_STREQ(WindowTitleText(WindowTitle::kProductName, false), "「Corvane」");
  EXPECT_STREQ(WindowTitleText(WindowTitle::kMapEditWindow, false), "マップ編集ウインドウ");
  // The English resource texts are kept as they were written.
  EXPECT_STREQ(WindowTitleText(WindowTitle::kTimetableWindow, true), "Timatable Window");
  EXPECT_STREQ(WindowTitleText(WindowTitle::kTrainInformationWindow, true),
               "Train Infomation Window");
  EXPECT_STREQ(WindowTitleText(WindowTitle::kPassengerNumberWindow, true), "Passneger Edit Window");
}

TEST(MessagesTest, AboutBoxNamesTitleAndVersion) {
  const AboutText english = AboutBoxText(true);
  EXPECT_EQ(english.text.rfind("Railway Traffic Control Simulator \"Corvane\"\nVersion ", 0), 0u);
  EXPECT_NE(english.text.find(kProgramVersion), std::string::npos);
  const AboutText japanese = AboutBoxText(false);
  EXPECT_EQ(japanese.text.rfind("鉄道運行管理シミュレータ「Corvane」\n", 0), 0u);
  EXPECT_EQ(japanese.caption, "バージョン情報");
}

TEST(MessagesTest, TheMainWindowsTitleNamesItsMap) {
  EXPECT_EQ(MainWindowTitle("", false), WindowTitleText(WindowTitle::kMapCompilerTitle, false));
  EXPECT_EQ(MainWindowTitle("東町線", true),
            std::string(WindowTitleText(WindowTitle::kMapCompilerTitle, true)) + " - 東町線");
}

}  // namespace
}  // namespace corvane
