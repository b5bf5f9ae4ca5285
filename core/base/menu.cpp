#include "base/menu.h"

#include <utility>

namespace corvane {

namespace {

void CollectCommandIds(const std::vector<MenuEntry>& tree, std::vector<std::string>* ids) {
  for (const MenuEntry& entry : tree) {
    if (entry.separator) continue;
    if (entry.IsMenu()) {
      CollectCommandIds(entry.children, ids);
    } else {
      ids->push_back(entry.id);
    }
  }
}

}  // namespace

MenuEntry MenuCommand(std::string id, std::string japanese, std::string english) {
  MenuEntry entry;
  entry.id = std::move(id);
  entry.japanese = std::move(japanese);
  entry.english = std::move(english);
  return entry;
}

MenuEntry WithShortcut(MenuEntry entry, const char* shortcut) {
  entry.shortcut = shortcut;
  return entry;
}

MenuEntry CheckableCommand(std::string id, std::string japanese, std::string english) {
  MenuEntry entry = MenuCommand(std::move(id), std::move(japanese), std::move(english));
  entry.checkable = true;
  return entry;
}

MenuEntry MenuSeparator() {
  MenuEntry entry;
  entry.separator = true;
  return entry;
}

MenuEntry Submenu(std::string id, std::string japanese, std::string english,
                  std::vector<MenuEntry> children) {
  MenuEntry entry = MenuCommand(std::move(id), std::move(japanese), std::move(english));
  entry.children = std::move(children);
  return entry;
}

const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& tree, std::string_view id) {
  if (id.empty()) return nullptr;
  for (const MenuEntry& entry : tree) {
    if (entry.id == id) return &entry;
    if (const MenuEntry* found = FindMenuEntry(entry.children, id)) return found;
  }
  return nullptr;
}

std::string PlainMenuText(std::string_view text) {
  if (text.ends_with(")")) {
    if (const std::size_t open = text.rfind("(&"); open != std::string_view::npos) {
      text = text.substr(0, open);
    }
  }
  std::string plain;
  for (const char c : text) {
    if (c != '&') plain += c;
  }
  return plain;
}

const MenuEntry* FindMenuCommandByText(const std::vector<MenuEntry>& tree, std::string_view text) {
  if (text.empty()) return nullptr;
  for (const MenuEntry& entry : tree) {
    if (entry.IsMenu()) {
      if (const MenuEntry* found = FindMenuCommandByText(entry.children, text)) return found;
    } else if (!entry.separator &&
               (PlainMenuText(entry.japanese) == text || PlainMenuText(entry.english) == text)) {
      return &entry;
    }
  }
  return nullptr;
}

std::vector<std::string> CommandIds(const std::vector<MenuEntry>& tree) {
  std::vector<std::string> ids;
  CollectCommandIds(tree, &ids);
  return ids;
}

CommandState MenuState::Of(std::string_view id) const {
  const auto found = commands.find(id);
  return found == commands.end() ? CommandState{} : found->second;
}

}  // namespace corvane
