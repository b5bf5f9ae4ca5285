#pragma once
// Menus as data: a tree of entries with their Japanese and English texts
// ("&" marks the accelerator), a stable id per command, the keys that go with
// them, and the state (enabled, checked) a window gives each command.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct MenuEntry {
  std::string id;  // "" for a separator
  std::string japanese;
  std::string english;
  bool separator = false;
  bool checkable = false;  // shows a check mark when checked
  // A key the window's view takes itself (a tool's letter), shown beside
  // the text ("R", "Space").
  std::string key_hint;
  // The shortcut of the command in the key sequence form of the menus
  // ("Ctrl+N", "Ctrl+Shift+S"); "" for none.
  std::string shortcut;
  std::vector<MenuEntry> children;  // a menu's entries; empty for a command

  const std::string& Text(bool use_english) const { return use_english ? english : japanese; }
  bool IsMenu() const { return !children.empty(); }
};

MenuEntry MenuCommand(std::string id, std::string japanese, std::string english);
MenuEntry CheckableCommand(std::string id, std::string japanese, std::string english);
MenuEntry MenuSeparator();
// `entry` with the shortcut of its command ("Ctrl+Shift+S").
MenuEntry WithShortcut(MenuEntry entry, const char* shortcut);
MenuEntry Submenu(std::string id, std::string japanese, std::string english,
                  std::vector<MenuEntry> children);

// The entry with `id` anywhere in `tree`, or null.
const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& tree, std::string_view id);
// A menu text without its accelerator: "移動(&M)" is "移動", "&Open" is "Open".
std::string PlainMenuText(std::string_view text);
// The command of `tree` whose plain Japanese or English text is `text`, or
// null.
const MenuEntry* FindMenuCommandByText(const std::vector<MenuEntry>& tree, std::string_view text);
// The ids of every command (not menus, not separators) of `tree`, in order.
std::vector<std::string> CommandIds(const std::vector<MenuEntry>& tree);

struct CommandState {
  bool enabled = false;
  bool checked = false;
  // A text that replaces the entry's own while it says more ("" keeps it).
  std::string japanese;
  std::string english;
  friend bool operator==(const CommandState&, const CommandState&) = default;
};

// The state of every command of a menu tree, by id.
struct MenuState {
  std::map<std::string, CommandState, std::less<>> commands;
  // The state of `id`; disabled and unchecked for an id not in the menu.
  CommandState Of(std::string_view id) const;
};

}  // namespace corvane
