#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/map_edit_menu.h"

namespace corvane {
namespace {

using Texts = std::vector<std::string>;

Texts JapaneseTexts(const std::vector<MenuEntry>& entries) {
  Texts texts;
  for (const MenuEntry& entry : entries) {
    if (!entry.separator) texts.push_back(entry.japanese);
  }
  return texts;
}

// The accelerator part at the end of a text: "(&F)" or "(S)".
std::string Accelerator(const std::string& text) {
  const std::size_t open = text.rfind('(');
  return open == std::string::npos ? "" : text.substr(open);
}

TEST(MainMenuTest, MenusAndCommandsInOrder) {
  const std::vector<MenuEntry>& menu = MainMenu();
  EXPECT_EQ(JapaneseTexts(menu),
            (Texts{"ファイル(&F)", "シミュレート(&S)", "ダイヤ(&D)", "マップ(&M)", "オプション(&P)",
                   "ウインドウ(&W)", "ヘルプ(&H)"}));
  ASSERT_EQ(menu.size(), 7u);
  EXPECT_EQ(JapaneseTexts(menu[0].children),
            (Texts{"マップ選択(&M)", "ダイヤデータを開く(&O)", "ダイヤデータを上書き保存(&S)",
                   "ダイヤデータを別名で保存(&A)", "データ自動インポート(&I)",
                   "ダイヤデータインポート(&O)", "車内放送データを開く(&C)", "終了(&Q)"}));
  EXPECT_EQ(JapaneseTexts(menu[1].children),
            (Texts{"乗客数シミュレートモード(&P)", "継電連動装置操作盤方式(&I)"}));
  EXPECT_EQ(
      JapaneseTexts(menu[2].children),
      (Texts{"開始時刻設定(&M)", "単位・標準時間設定(&U)", "列車種別設定(&T)", "形式設定(&R)",
             "標準停車時間設定(&W)", "速度種別設定(&V)", "信号設定(S)", "ダイヤプロパティ(P)"}));
  EXPECT_EQ(JapaneseTexts(menu[3].children),
            (Texts{"線路プロパティ(&P)", "電化方式一括設定(&A)", "信号詳細設定(&S)"}));
  EXPECT_EQ(
      JapaneseTexts(menu[4].children),
      (Texts{"フォント設定(&F)", "線種・配色設定(&L)", "簡易表示(&M)", "継電連動装置完全表示(&I)",
             "列車アイコン表示(&C)", "インターネット接続確認(&I)", "自動バックアップ(&B)"}));
  EXPECT_EQ(JapaneseTexts(menu[5].children),
            (Texts{"マップ編集ウインドウ(&P)", "メッセージウインドウ(&M)",
                   "乗客数設定ウインドウ(&E)", "駅情報設定ダイアログ(&S)"}));
  EXPECT_EQ(
      JapaneseTexts(menu[6].children),
      (Texts{"使用説明（ローカル）(&L)", "使用説明（インターネット）(&I)", "よくある質問・要望(&F)",
             "アンケート回答(&E)", "ホームページ(&H)", "バージョン情報(&A)"}));
}

// Checks every entry of a tree: ids unique, English texts present with the
// Japanese accelerator, menus not checkable, separators bare.
void ExpectWellFormed(const std::vector<MenuEntry>& tree, std::set<std::string>* ids) {
  for (const MenuEntry& entry : tree) {
    if (entry.separator) {
      EXPECT_TRUE(entry.id.empty() && entry.japanese.empty() && entry.children.empty());
      continue;
    }
    SCOPED_TRACE(entry.id);
    EXPECT_FALSE(entry.id.empty());
    EXPECT_TRUE(ids->insert(entry.id).second) << "duplicate id";
    EXPECT_FALSE(entry.english.empty());
    EXPECT_FALSE(Accelerator(entry.japanese).empty());
    EXPECT_EQ(Accelerator(entry.english), Accelerator(entry.japanese));
    if (entry.IsMenu()) {
      EXPECT_FALSE(entry.checkable);
      ExpectWellFormed(entry.children, ids);
    }
  }
}

TEST(MainMenuTest, EntriesAreWellFormed) {
  std::set<std::string> ids;
  ExpectWellFormed(MainMenu(), &ids);
  ExpectWellFormed(MapEditFileMenu(), &ids);
  ExpectWellFormed(MapEditToolMenus(), &ids);
  EXPECT_STREQ(FindMenuEntry(MainMenu(), kCmdQuit)->english.c_str(), "Quit(&Q)");
  EXPECT_STREQ(FindMenuEntry(MainMenu(), kCmdAbout)->english.c_str(), "Version Information(&A)");
  EXPECT_EQ(FindMenuEntry(MainMenu(), "no.such"), nullptr);
  EXPECT_EQ(FindMenuEntry(MainMenu(), ""), nullptr);
}

TEST(MainMenuTest, EnabledOnlyWhatExistsAndNeverTheRunningPart) {
  const MenuState now = MainMenuState(MainMenuInputs{});
  const std::set<std::string, std::less<>> available = AvailableMainCommands();
  for (const std::string& id : CommandIds(MainMenu())) {
    EXPECT_EQ(now.Of(id).enabled, available.count(id) > 0) << id;
  }
  EXPECT_TRUE(now.Of(kCmdQuit).enabled);
  EXPECT_TRUE(now.Of(kCmdPassengerSimulation).enabled);
  EXPECT_TRUE(now.Of(kCmdOpenDia).enabled);
  EXPECT_TRUE(now.Of(kCmdImport).enabled);

  // Even with every command available, the running part and the full
  // interlocking display stay disabled.
  MainMenuInputs all;
  for (const std::string& id : CommandIds(MainMenu())) all.available.insert(id);
  const MenuState state = MainMenuState(all);
  for (const std::string& id : CommandIds(MainMenu())) {
    const bool disabled = id == kCmdInterlockingPanelMode || id == kCmdSpeedTypes ||
                          id == kCmdFullInterlockingDisplay;
    EXPECT_EQ(state.Of(id).enabled, !disabled) << id;
  }
  EXPECT_EQ(state.Of("no.such"), CommandState{});
}

TEST(MainMenuTest, CheckMarksFollowInputs) {
  struct Case {
    const char* id;
    bool MainMenuInputs::*input;
  };
  const Case cases[] = {
      {kCmdMessageWindow, &MainMenuInputs::message_window_open},
      {kCmdPassengerWindow, &MainMenuInputs::passenger_window_open},
      {kCmdInternetConfirmation, &MainMenuInputs::internet_confirmation},
      {kCmdAutoBackup, &MainMenuInputs::auto_backup},
      {kCmdSimpleDisplay, &MainMenuInputs::simple_display},
      {kCmdTrainIcons, &MainMenuInputs::train_icons},
      {kCmdRailProperty, &MainMenuInputs::rail_property_mode},
  };
  MainMenuInputs off;
  for (const Case& c : cases) off.*c.input = false;
  for (const Case& c : cases) {
    MainMenuInputs on = off;
    on.*c.input = true;
    const MenuState state = MainMenuState(on);
    for (const std::string& id : CommandIds(MainMenu())) {
      EXPECT_EQ(state.Of(id).checked, id == c.id) << c.id << " -> " << id;
    }
    EXPECT_TRUE(FindMenuEntry(MainMenu(), c.id)->checkable) << c.id;
  }
  // A fresh program confirms before going online and backs up.
  const MenuState fresh = MainMenuState(MainMenuInputs{});
  EXPECT_TRUE(fresh.Of(kCmdInternetConfirmation).checked);
  EXPECT_TRUE(fresh.Of(kCmdAutoBackup).checked);
}

TEST(MainMenuTest, HelpCommandsNameTheirPages) {
  EXPECT_EQ(WebPageForCommand(kCmdHelpWeb), WebPage::kHelp);
  EXPECT_EQ(WebPageForCommand(kCmdFaq), WebPage::kFaq);
  EXPECT_EQ(WebPageForCommand(kCmdEnquete), WebPage::kEnquete);
  EXPECT_EQ(WebPageForCommand(kCmdHomePage), WebPage::kTop);
  EXPECT_EQ(WebPageForCommand(kCmdHelpLocal), std::nullopt);
}

}  // namespace
}  // namespace corvane
