#include "editor/map_edit_menu.h"

#include <string>

#include "editor/edit_session.h"
#include "editor/edit_tool.h"

namespace corvane {

namespace {

std::vector<MenuEntry> BuildFileMenu() {
  return {
      Submenu(
          "map_edit.file", "ファイル(&F)", "File(&F)",
          {
              WithShortcut(MenuCommand(kCmdNewMap, "新規マップ(&N)", "New Map(&N)"), "Ctrl+N"),
              WithShortcut(MenuCommand(kCmdOpenMap, "マップデータを開く(&O)", "Open Map File(&O)"),
                           "Ctrl+O"),
              WithShortcut(
                  MenuCommand(kCmdSaveMap, "マップデータを上書き保存(&S)", "Write Map File(&S)"),
                  "Ctrl+S"),
              WithShortcut(MenuCommand(kCmdSaveMapAs, "マップデータを別名で保存(&A)",
                                       "Write As Map File(&A)"),
                           "Ctrl+Shift+S"),
              Submenu(kRecentMapsMenuId, "最近使ったマップ(&R)", "Recent Maps(&R)", {}),
              MenuSeparator(),
              WithShortcut(MenuCommand(kCmdCompile, "コンパイル(&C)", "Compile(&C)"), "F7"),
          }),
  };
}

void AddCommand(std::vector<MenuEntry>& menus, const EditCommand& command) {
  for (MenuEntry& menu : menus) {
    if (menu.id != command.menu) continue;
    if (command.separator_before) menu.children.push_back(MenuSeparator());
    MenuEntry entry =
        command.checkable
            ? CheckableCommand(command.id, command.text.japanese, command.text.english)
            : MenuCommand(command.id, command.text.japanese, command.text.english);
    entry.key_hint = KeyLabel(command.key);
    entry.shortcut = command.shortcut;
    menu.children.push_back(std::move(entry));
  }
}

std::vector<MenuEntry> BuildToolMenus() {
  std::vector<MenuEntry> menus = {
      Submenu(kEditMenuId, "編集(&E)", "Edit(&E)", {}),
      Submenu(kSettingsMenuId, "設定(&S)", "Settings(&S)", {}),
      Submenu(kNamesMenuId, "線路名称設定(&N)", "Track Section Names(&N)", {}),
      Submenu(kViewMenuId, "表示(&V)", "View(&V)", {}),
  };
  for (const EditCommand& command : OtherEditCommands()) {
    if (command.leading) AddCommand(menus, command);
  }
  for (const EditTool& tool : EditTools()) {
    for (const EditCommand& command : tool.commands) AddCommand(menus, command);
  }
  for (const EditCommand& command : OtherEditCommands()) {
    if (!command.leading) AddCommand(menus, command);
  }
  return menus;
}

bool Checked(const EditCommand& command, const EditSession& session) {
  if (!command.checkable) return false;
  if (command.checked != nullptr) return command.checked(session);
  if (session.mode() != command.mode) return false;
  const EditTool& tool = ToolFor(command.mode);
  return tool.variant_of == nullptr || command.variant < 0 ||
         tool.variant_of(session) == command.variant;
}

}  // namespace

std::vector<std::string> RecentMapLabels(const std::vector<std::string>& paths) {
  std::vector<std::string> labels;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string& path = paths[i];
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    // "&" in a name would become an accelerator: doubled, it shows as itself.
    std::string shown;
    for (const char c : name) shown += c == '&' ? std::string("&&") : std::string(1, c);
    labels.push_back("&" + std::to_string(i + 1) + " " + shown +
                     (folder.empty() ? std::string() : "  (" + folder + ")"));
  }
  return labels;
}

const std::vector<MenuEntry>& MapEditFileMenu() {
  static const std::vector<MenuEntry> menu = BuildFileMenu();
  return menu;
}

const std::vector<MenuEntry>& MapEditToolMenus() {
  static const std::vector<MenuEntry> menus = BuildToolMenus();
  return menus;
}

MenuState MapEditMenuState(const EditSession& session) {
  MenuState state;
  for (const std::string& id : CommandIds(MapEditToolMenus())) {
    const EditCommand* command = FindEditCommand(id);
    CommandState& entry = state.commands[id];
    entry.enabled = session.map_open() && (command == nullptr || command->enabled == nullptr ||
                                           command->enabled(session));
    entry.checked = command != nullptr && Checked(*command, session);
    if (command != nullptr && command->text_of != nullptr) {
      entry.japanese = command->text_of(session, false);
      entry.english = command->text_of(session, true);
    }
  }
  state.commands[kCmdCompile].enabled = session.map_open();
  return state;
}

}  // namespace corvane
