#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/edit_session.h"

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
                   "車内放送データを開く(&C)", "終了(&Q)"}));
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
  EXPECT_EQ(
      JapaneseTexts(menu[5].children),
      (Texts{"メッセージウインドウ(&M)", "乗客数設定ウインドウ(&E)", "駅情報設定ダイアログ(&S)"}));
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

TEST(MainMenuTest, MapEditFileMenuBothLanguages) {
  const std::vector<MenuEntry>& menu = MapEditFileMenu();
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0].japanese, "ファイル(&F)");
  Texts english;
  for (const MenuEntry& entry : menu[0].children) english.push_back(entry.english);
  EXPECT_EQ(JapaneseTexts(menu[0].children),
            (Texts{"新規マップ(&N)", "マップデータを開く(&O)", "マップデータを上書き保存(&S)",
                   "マップデータを別名で保存(&A)"}));
  EXPECT_EQ(english, (Texts{"New Map(&N)", "Open Map File(&O)", "Write Map File(&S)",
                            "Write As Map File(&A)"}));
  EXPECT_EQ(CommandIds(menu),
            (std::vector<std::string>{kCmdNewMap, kCmdOpenMap, kCmdSaveMap, kCmdSaveMapAs}));
}

// The text without its accelerator mark.
std::string Bare(const std::string& text) { return text.substr(0, text.rfind('(')); }

TEST(MainMenuTest, MapEditToolMenusNameTheTools) {
  const std::vector<MenuEntry>& menus = MapEditToolMenus();
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0].japanese, "編集(&E)");
  EXPECT_EQ(menus[0].english, "Edit(&E)");
  EXPECT_EQ(menus[1].japanese, "表示(&V)");
  Texts tools;
  for (const MenuEntry& entry : menus[0].children) {
    if (!entry.separator) tools.push_back(Bare(entry.japanese));
  }
  EXPECT_EQ(tools, (Texts{"線路設置（双方向）", "線路設置（←方向）", "線路設置（→方向）",
                          "分岐設置", "交差設置", "駅設定", "停車区画設定", "駅構内設定",
                          "停車区画構内設定", "駅描画設置", "ジャンプ設置", "削除",
                          "線路プロパティ", "個別選択", "一括選択", "範囲選択", "移動"}));
  const MenuEntry* error_display = FindMenuEntry(menus, kCmdErrorDisplay);
  ASSERT_NE(error_display, nullptr);
  EXPECT_EQ(Bare(error_display->japanese), "エラー表示");
  EXPECT_TRUE(error_display->checkable);
  EXPECT_EQ(error_display->shortcut, "E");
}

// A new map with a station and a stop section, so the station tools can be
// chosen.
struct ToolSession {
  ToolSession() {
    session.AddStation(MapStation{});
    session.AddStopSection(MapTarget{});
  }
  EditMap map;
  ScriptedPrompter prompter;
  EditDialogs dialogs;
  EditSession session{map, prompter, dialogs};
};

TEST(MainMenuTest, ToolCommandsDoWhatTheirKeysDo) {
  for (const std::string& id : CommandIds(MapEditToolMenus())) {
    SCOPED_TRACE(id);
    ToolSession by_menu;
    const KeyResult result = RunEditToolCommand(id, by_menu.session);
    EXPECT_TRUE(result.handled);
    const std::string& shortcut = FindMenuEntry(MapEditToolMenus(), id)->shortcut;
    if (shortcut.empty()) {
      EXPECT_NE(by_menu.session.mode(), EditMode::kNone);
      continue;
    }
    ToolSession by_key;
    const char key = shortcut == "Space" ? ' ' : static_cast<char>(shortcut[0] - 'A' + 'a');
    EXPECT_EQ(result.clear_check_messages, by_key.session.CharKey(key).clear_check_messages);
    EXPECT_EQ(by_menu.session.mode(), by_key.session.mode());
    EXPECT_EQ(by_menu.session.selection_kind(), by_key.session.selection_kind());
    EXPECT_EQ(by_menu.session.error_display(), by_key.session.error_display());
  }
  ToolSession other;
  EXPECT_FALSE(RunEditToolCommand(kCmdNewMap, other.session).handled);
  other.session.set_map_open(false);
  EXPECT_FALSE(RunEditToolCommand(kCmdTurnout, other.session).handled);
  EXPECT_EQ(other.session.mode(), EditMode::kNone);
}

TEST(MainMenuTest, ToolChecksFollowTheSession) {
  ToolSession s;
  const std::vector<std::string> ids = CommandIds(MapEditToolMenus());
  auto checked = [&] {
    const MenuState state = MapEditMenuState(s.session);
    std::vector<std::string> on;
    for (const std::string& id : ids) {
      EXPECT_TRUE(state.Of(id).enabled) << id;
      if (state.Of(id).checked) on.push_back(id);
    }
    return on;
  };
  using Ids = std::vector<std::string>;
  EXPECT_EQ(checked(), Ids{});
  RunEditToolCommand(kCmdTrackRightward, s.session);
  EXPECT_EQ(checked(), Ids{kCmdTrackRightward});
  RunEditToolCommand(kCmdSelectRange, s.session);
  RunEditToolCommand(kCmdErrorDisplay, s.session);
  EXPECT_EQ(checked(), (Ids{kCmdSelectRange, kCmdErrorDisplay}));
  RunEditToolCommand(kCmdStationYard, s.session);
  EXPECT_EQ(checked(), (Ids{kCmdStationYard, kCmdErrorDisplay}));

  s.session.set_map_open(false);
  for (const std::string& id : ids) EXPECT_FALSE(MapEditMenuState(s.session).Of(id).enabled);
}

TEST(MainMenuTest, EnabledOnlyWhatExistsAndNeverTheRunningPart) {
  const MenuState now = MainMenuState(MainMenuInputs{});
  const std::set<std::string, std::less<>> available = AvailableMainCommands();
  for (const std::string& id : CommandIds(MainMenu())) {
    EXPECT_EQ(now.Of(id).enabled, available.count(id) > 0) << id;
  }
  EXPECT_TRUE(now.Of(kCmdQuit).enabled);
  EXPECT_TRUE(now.Of(kCmdPassengerSimulation).enabled);
  EXPECT_FALSE(now.Of(kCmdOpenDia).enabled);

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
