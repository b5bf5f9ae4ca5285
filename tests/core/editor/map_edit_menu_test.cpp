#include "editor/map_edit_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings.h"
#include "editor/edit_session.h"
#include "editor/edit_tool.h"
#include "support/map_support.h"

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

TEST(MapEditMenuTest, MapEditFileMenuBothLanguages) {
  const std::vector<MenuEntry>& menu = MapEditFileMenu();
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0].japanese, "ファイル(&F)");
  Texts english;
  for (const MenuEntry& entry : menu[0].children) english.push_back(entry.english);
  EXPECT_EQ(JapaneseTexts(menu[0].children),
            (Texts{"新規マップ(&N)", "マップデータを開く(&O)", "マップデータを上書き保存(&S)",
                   "マップデータを別名で保存(&A)", "最近使ったマップ(&R)", "コンパイル(&C)"}));
  EXPECT_EQ(english, (Texts{"New Map(&N)", "Open Map File(&O)", "Write Map File(&S)",
                            "Write As Map File(&A)", "Recent Maps(&R)", "", "Compile(&C)"}));
  EXPECT_EQ(CommandIds(menu),
            (std::vector<std::string>{kCmdNewMap, kCmdOpenMap, kCmdSaveMap, kCmdSaveMapAs,
                                      kRecentMapsMenuId, kCmdCompile}));
  Texts shortcuts;
  for (const MenuEntry& entry : menu[0].children) shortcuts.push_back(entry.shortcut);
  EXPECT_EQ(shortcuts, (Texts{"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "", "", "F7"}));
}

TEST(MapEditMenuTest, RecentMapsAreNumberedWithTheirFolders) {
  std::vector<std::string> recent;
  for (const char* path : {"/maps/a.kvm", "/maps/b&c.kvm", "/maps/a.kvm", "c.kvm"}) {
    RememberRecentMap(recent, path);
  }
  EXPECT_EQ(recent, (std::vector<std::string>{"c.kvm", "/maps/a.kvm", "/maps/b&c.kvm"}));
  EXPECT_EQ(RecentMapLabels(recent),
            (std::vector<std::string>{"&1 c.kvm", "&2 a.kvm  (/maps)", "&3 b&&c.kvm  (/maps)"}));
  for (int i = 0; i < 20; ++i) RememberRecentMap(recent, "/m/" + std::to_string(i) + ".kvm");
  EXPECT_EQ(recent.size(), kRecentMapCount);
  EXPECT_EQ(recent.front(), "/m/19.kvm");
}

// The text without its accelerator mark.
std::string Bare(const std::string& text) { return text.substr(0, text.rfind('(')); }

TEST(MapEditMenuTest, MapEditToolMenusNameTheTools) {
  const std::vector<MenuEntry>& menus = MapEditToolMenus();
  ASSERT_EQ(menus.size(), 4u);
  EXPECT_EQ(menus[0].japanese, "編集(&E)");
  EXPECT_EQ(menus[0].english, "Edit(&E)");
  EXPECT_EQ(menus[1].japanese, "設定(&S)");
  EXPECT_EQ(menus[2].japanese, "線路名称設定(&N)");
  EXPECT_EQ(menus[3].japanese, "表示(&V)");
  Texts settings;
  for (const MenuEntry& entry : menus[1].children) {
    if (!entry.separator) settings.push_back(Bare(entry.japanese));
  }
  EXPECT_EQ(settings,
            (Texts{"線路双方向設定", "線路←方向設定", "線路→方向設定", "単線区間指定",
                   "電化方式設定", "←方向信号設定", "→方向信号設定", "制限速度設定",
                   "ポイント制限速度設定", "線路距離設定", "←方向停止目標距離設定",
                   "→方向停止目標距離設定", "起点指定", "起点距離確認・指定", "マッププロパティ",
                   "信号設定", "信号詳細設定", "単位・標準時間設定"}));
  EXPECT_EQ(JapaneseTexts(menus[3].children),
            (Texts{"エラー表示(&E)", "グリッド表示設定(&G)", "拡大表示(&I)", "縮小表示(&O)",
                   "等倍表示(&A)", "ズーム全体(&F)"}));
  EXPECT_EQ(JapaneseTexts(menus[2].children),
            (Texts{"手動名称設定(&M)", "閉塞全自動設定(&1)", "閉塞半自動設定(&2)",
                   "構内自動設定(&A)", "駅自動設定(&S)", "停車区画自動設定(&T)"}));
  Texts tools;
  for (const MenuEntry& entry : menus[0].children) {
    if (!entry.separator) tools.push_back(Bare(entry.japanese));
  }
  EXPECT_EQ(tools, (Texts{"元に戻す",
                          "やり直し",
                          "線路設置（双方向）",
                          "線路設置（←方向）",
                          "線路設置（→方向）",
                          "分岐設置",
                          "交差設置",
                          "駅設定",
                          "停車区画設定",
                          "駅構内設定",
                          "停車区画構内設定",
                          "駅描画設置",
                          "ジャンプ設置",
                          "削除",
                          "線路プロパティ",
                          "個別選択",
                          "一括選択",
                          "範囲選択",
                          "選択解除",
                          "選択反転",
                          "移動",
                          "行挿入",
                          "列挿入",
                          "行削除",
                          "列削除"}));
  const MenuEntry* error_display = FindMenuEntry(menus, kCmdErrorDisplay);
  ASSERT_NE(error_display, nullptr);
  EXPECT_EQ(Bare(error_display->japanese), "エラー表示");
  EXPECT_TRUE(error_display->checkable);
  EXPECT_EQ(error_display->key_hint, "E");
  // Commands that act at once carry no check mark; the move tool does.
  for (const char* id : {kCmdGrid, kCmdClearSelection, kCmdInvertSelection, kCmdMapProperty,
                         kCmdMapSignalSettings, kCmdMapSignalDetails, kCmdMapTimeUnits}) {
    EXPECT_FALSE(FindMenuEntry(menus, id)->checkable) << id;
  }
  EXPECT_TRUE(FindMenuEntry(menus, kCmdMove)->checkable);
  EXPECT_EQ(FindMenuEntry(menus, kCmdUndo)->shortcut, "Ctrl+Z");
  EXPECT_EQ(FindMenuEntry(menus, kCmdRedo)->shortcut, "Ctrl+Y; Ctrl+Shift+Z");
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
  testing::ConfirmingDialogs dialogs;
  EditSession session{map, prompter, dialogs};
};

TEST(MapEditMenuTest, ToolCommandsDoWhatTheirKeysDo) {
  for (const std::string& id : CommandIds(MapEditToolMenus())) {
    SCOPED_TRACE(id);
    ToolSession by_menu;
    const KeyResult result = by_menu.session.RunCommand(id);
    EXPECT_TRUE(result.handled);
    const std::string& shortcut = FindMenuEntry(MapEditToolMenus(), id)->key_hint;
    if (shortcut.empty()) {
      // Without a key: a tool, or a command that acts at once.
      if (FindEditCommand(id)->run == nullptr) {
        EXPECT_NE(by_menu.session.mode(), EditMode::kNone);
      }
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
  EXPECT_FALSE(other.session.RunCommand(kCmdNewMap).handled);
  other.session.set_map_open(false);
  EXPECT_FALSE(other.session.RunCommand(kCmdTurnout).handled);
  EXPECT_EQ(other.session.mode(), EditMode::kNone);
}

// Which numbers are tools, and which tools work on the current station or
// stop section, come from the descriptions; the numbers are those editing
// scripts have always used.
TEST(MapEditMenuTest, ToolNumbersAndAreasFromTheDescriptions) {
  std::vector<int> numbers, station_tools, stop_section_tools;
  for (int number = -1; number <= 50; ++number) {
    if (!IsToolNumber(number)) continue;
    numbers.push_back(number);
    const EditMode mode = static_cast<EditMode>(number);
    if (IsStationTool(mode)) station_tools.push_back(number);
    if (IsStopSectionTool(mode)) stop_section_tools.push_back(number);
  }
  std::vector<int> expected = {0};
  for (int number = 2; number <= 34; ++number) expected.push_back(number);
  for (int number = 39; number <= 42; ++number) expected.push_back(number);
  EXPECT_EQ(numbers, expected);
  EXPECT_EQ(station_tools, (std::vector<int>{5, 6, 7, 8, 9}));
  EXPECT_EQ(stop_section_tools, (std::vector<int>{6, 8}));
}

TEST(MapEditMenuTest, ToolChecksFollowTheSession) {
  ToolSession s;
  const std::vector<std::string> ids = CommandIds(MapEditToolMenus());
  auto checked = [&] {
    const MenuState state = MapEditMenuState(s.session);
    std::vector<std::string> on;
    for (const std::string& id : ids) {
      // Undo and redo follow the record of changes.
      if (id != kCmdUndo && id != kCmdRedo) {
        EXPECT_TRUE(state.Of(id).enabled) << id;
      }
      if (state.Of(id).checked) on.push_back(id);
    }
    return on;
  };
  using Ids = std::vector<std::string>;
  EXPECT_EQ(checked(), Ids{});
  s.session.RunCommand(kCmdTrackRightward);
  EXPECT_EQ(checked(), Ids{kCmdTrackRightward});
  s.session.RunCommand(kCmdSelectRange);
  s.session.RunCommand(kCmdErrorDisplay);
  EXPECT_EQ(checked(), (Ids{kCmdSelectRange, kCmdErrorDisplay}));
  s.session.RunCommand(kCmdStationYard);
  EXPECT_EQ(checked(), (Ids{kCmdStationYard, kCmdErrorDisplay}));
  EXPECT_TRUE(MapEditMenuState(s.session).Of(kCmdCompile).enabled);

  s.session.set_map_open(false);
  for (const std::string& id : ids) EXPECT_FALSE(MapEditMenuState(s.session).Of(id).enabled);
  EXPECT_FALSE(MapEditMenuState(s.session).Of(kCmdCompile).enabled);
}

}  // namespace
}  // namespace corvane
