#pragma once
// One description per editing tool of the map edit window: the menu
// commands that choose it (ids, texts in both languages, letter keys), its
// prompt lines, its title, its handlers for clicks and keys and its look
// (what the map shows while it is active). The key and menu dispatch, the
// prompt line, the title, the menu check marks and the drawing are lookups
// in these descriptions, so a new tool is one description (and its handlers
// and look) and nothing else.

#include <string>
#include <string_view>
#include <vector>

#include "base/text_format.h"
#include "editor/edit_mode.h"
#include "editor/map_drawing.h"

namespace corvane {

class EditSession;
class MapChange;
enum class EditKey;
struct KeyResult;

inline constexpr const char kEditMenuId[] = "map_edit.edit";
inline constexpr const char kViewMenuId[] = "map_edit.view";
inline constexpr const char kNamesMenuId[] = "map_edit.names";
inline constexpr const char kSettingsMenuId[] = "map_edit.settings";

// A command of the map edit window's Edit and View menus.
struct EditCommand {
  const char* id = "";
  Bilingual text;
  char key = 0;  // letter key over the map (0: none)
  const char* menu = kEditMenuId;
  bool separator_before = false;
  // The tool the command chooses, with its variant (the track tool's
  // direction, the selection tool's kind; -1: none).
  EditMode mode = EditMode::kNone;
  int variant = -1;
  // A command that does something else than choosing its tool.
  KeyResult (*run)(EditSession& session) = nullptr;
  // Its check mark, when it is not "this tool (and variant) is active";
  // a command that only acts has none.
  bool (*checked)(const EditSession& session) = nullptr;
  bool checkable = true;
  // Enabled besides "a map is open" only while this holds (null: always).
  bool (*enabled)(const EditSession& session) = nullptr;
  // The text shown instead of `text` when it depends on the session.
  std::string (*text_of)(const EditSession& session, bool english) = nullptr;
  // Shortcuts of the window ("Ctrl+Z", several separated by "; ").
  const char* shortcut = "";
  // Shown before the tools' commands of its menu.
  bool leading = false;
};

// The key shown beside a command's text ("R", "Space"); "" for none.
std::string KeyLabel(char key);

// What a tool works on besides the clicked objects: the current station or
// stop section, chosen in the station dialog.
enum class ToolArea { kNone, kStation, kStopSection };

struct EditTool {
  EditMode mode = EditMode::kNone;
  std::vector<EditCommand> commands;
  ToolArea area = ToolArea::kNone;
  // What the map changes its clicks make are called in the Undo and Redo
  // commands; empty: the text of its first command.
  Bilingual action_name;

  // The prompt line (UTF-8): `prompt`, or `next_prompt` while a first click
  // waits for the next; `prompt_of` for prompts that depend on more.
  const char* prompt = "";
  const char* next_prompt = nullptr;
  std::string (*prompt_of)(const EditSession& session) = nullptr;

  // The window title while the tool is active; null: the title without a tool.
  std::string (*title)(const EditSession& session, std::string_view caption,
                       bool english) = nullptr;

  // The variant the tool works with now (its commands' check marks compare
  // it); null for a tool without variants.
  int (*variant_of)(const EditSession& session) = nullptr;

  // Setter tools: the dialog that asks for the tool's value (false when
  // cancelled), shown with `dialog_prompt` on the prompt line; storing the
  // value on a segment or a point (null: the tool does not set that kind of
  // object); and whether choosing the tool while the selection tool is
  // active sets the value on every selected object instead.
  bool (*ask_value)(EditSession& session) = nullptr;
  const char* dialog_prompt = nullptr;
  void (*set_rail)(EditSession& session, MapChange& change, int rail) = nullptr;
  void (*set_point)(EditSession& session, MapChange& change, int point) = nullptr;
  bool bulk = false;

  // Handlers; null ones do nothing. `choose` may refuse (false) before the
  // tool becomes active; `chosen` runs after, with the command's variant.
  bool (*choose)(EditSession& session) = nullptr;
  void (*chosen)(EditSession& session, int variant) = nullptr;
  void (*left_down)(EditSession& session, int px, int py) = nullptr;
  void (*left_up)(EditSession& session, int px, int py) = nullptr;
  void (*right_down)(EditSession& session, int px, int py) = nullptr;
  // Esc; null leaves the tool.
  void (*escape)(EditSession& session) = nullptr;
  // An arrow key; false lets it scroll the map.
  bool (*arrow)(EditSession& session, EditKey key, bool shift) = nullptr;

  // What the map shows while the tool is active: fills, numbers, marks of
  // half-finished clicks and the preview of the next one.
  ToolLook look;
};

// Every tool, in the order of the menus (the first, mode 0, is "no tool").
const std::vector<EditTool>& EditTools();
// The tool of `mode` (the "no tool" entry for a mode without one).
const EditTool& ToolFor(EditMode mode);

// Whether `number` is the mode of one of the tools (0, no tool, included).
bool IsToolNumber(int number);
// The tools that work on the current station or stop section, and those of
// them that work on the current stop section.
bool IsStationTool(EditMode mode);
bool IsStopSectionTool(EditMode mode);

// The commands that are not the choice of a tool (View menu).
const std::vector<EditCommand>& OtherEditCommands();

// The command with `id` or with letter `key`, among every tool's commands
// and the others; null when there is none.
const EditCommand* FindEditCommand(std::string_view id);
const EditCommand* FindEditCommandByKey(char key);
// The command one of whose shortcuts is `name` ("Ctrl+Z"; letter case
// aside), or null.
const EditCommand* FindEditCommandByShortcut(std::string_view name);

}  // namespace corvane
