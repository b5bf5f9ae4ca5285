#include "editor/edit_script.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "base/script_words.h"
#include "editor/edit_tool.h"
#include "editor/map_edit_menu.h"

namespace corvane {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A value given by a word from a list or by its number.
std::optional<int> Choice(std::string_view word, std::initializer_list<std::string_view> names,
                          int first_number) {
  int number = first_number;
  for (std::string_view name : names) {
    if (SameLetters(word, name)) return number;
    ++number;
  }
  const std::optional<int> value = ParseInt(word);
  if (value && *value >= first_number && *value < number) return value;
  return std::nullopt;
}

std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

}  // namespace

EditScript::EditScript(EditMap& map, QueuedAnswers& prompter, std::function<bool()> save,
                       std::function<bool(bool confirm)> new_map)
    : answers_(prompter),
      host_(prompter),
      session_(map, prompter, dialogs_),
      save_(std::move(save)),
      new_map_(std::move(new_map)) {}

EditScript::Outcome EditScript::RunLine(std::string_view line, std::string* error) {
  const Outcome outcome = RunCommand(line, error);
  // An answer that does not fit the dialog it was given to is the script's
  // mistake, found only when the dialog opened.
  if (std::optional<std::string> mistake = host_.TakeMistake();
      outcome == Outcome::kDone && mistake) {
    *error = std::move(*mistake);
    return Outcome::kMalformed;
  }
  return outcome;
}

EditScript::Outcome EditScript::RunCommand(std::string_view line, std::string* error) {
  line = Trim(line);
  if (line.empty() || line.front() == '#') return Outcome::kDone;
  std::string_view rest = line;
  const std::string_view command = NextWord(&rest);
  auto malformed = [error](std::string text) {
    *error = std::move(text);
    return Outcome::kMalformed;
  };

  if (command == "station" || command == "stopsection") {
    const std::string_view one_char = NextWord(&rest);
    const std::string_view short_name = NextWord(&rest);
    if (short_name.empty()) return malformed(std::string(command) + ": ONE SHORT [NAME] expected");
    // The same refusal as the station information dialog's.
    for (const std::string_view text : {one_char, short_name, rest}) {
      if (const auto problem = TextFieldProblem(text)) {
        session_.Refuse({*problem, kInputErrorCaption});
        return Outcome::kDone;
      }
    }
    if (command == "station") {
      MapStation station;
      station.one_char_name = Utf8ToSjis(one_char);
      station.short_name = Utf8ToSjis(short_name);
      station.name = Utf8ToSjis(rest);
      session_.AddStation(station);
    } else {
      MapTarget target;
      target.one_char_name = Utf8ToSjis(one_char);
      target.short_name = Utf8ToSjis(short_name);
      target.name = Utf8ToSjis(rest);
      session_.AddStopSection(target);
    }
    return Outcome::kDone;
  }

  const std::vector<std::string_view> args = Words(rest);
  if (command == "save") {
    if (!args.empty()) return malformed("save takes no arguments");
    return save_() ? Outcome::kDone : Outcome::kSaveFailed;
  }

  if (command == "mode") {
    if (args.empty() || args.size() > 2) return malformed("mode: N [ARG] expected");
    const std::optional<int> number = ParseInt(args[0]);
    if (!number || !IsToolNumber(*number)) return malformed("mode: no tool " + Quoted(args[0]));
    const EditMode mode = static_cast<EditMode>(*number);
    if (args.size() == 1) {
      session_.ChooseMode(mode);
      return Outcome::kDone;
    }
    if (mode == EditMode::kTrack) {
      const std::optional<int> direction = Choice(args[1], {"both", "left", "right"}, kBothWays);
      if (!direction) return malformed("mode 2: direction " + Quoted(args[1]) + " unknown");
      session_.ChooseMode(mode, *direction);
      return Outcome::kDone;
    }
    if (mode == EditMode::kSelect) {
      const std::optional<int> kind = Choice(args[1], {"individual", "batch", "range"}, 0);
      if (!kind) return malformed("mode 12: selection kind " + Quoted(args[1]) + " unknown");
      session_.ChooseMode(mode, *kind);
      return Outcome::kDone;
    }
    if (IsStationTool(mode)) {
      const bool stop_section = IsStopSectionTool(mode);
      const std::optional<int> chosen = ParseInt(args[1]);
      const EditMap& map = session_.map();
      if (!chosen ||
          !(stop_section ? map.targets().Contains(*chosen) : map.stations().Contains(*chosen))) {
        return malformed(
            std::string(stop_section ? "there is no stop section " : "there is no station ") +
            Quoted(args[1]));
      }
      DialogAnswer answer;
      answer.steps.push_back({"#list", "#" + std::to_string(*chosen)});
      answer.ok = true;
      host_.QueueFirst(std::move(answer));
      session_.ChooseMode(mode);
      return Outcome::kDone;
    }
    return malformed("mode " + std::string(args[0]) + " takes no argument");
  }

  if (command == "click" || command == "clickpx" || command == "right" || command == "rightpx" ||
      command == "release" || command == "releasepx") {
    if (args.size() != 2) return malformed(std::string(command) + ": two numbers expected");
    const std::optional<int> x = ParseInt(args[0]);
    const std::optional<int> y = ParseInt(args[1]);
    if (!x || !y) return malformed(std::string(command) + ": two numbers expected");
    const bool pixels = command.ends_with("px");
    // A grid point is clicked at its own pixel; keep far-out numbers in range.
    const auto px = static_cast<int>(
        pixels ? *x : std::clamp<long long>(*x * 10LL, -2000000000LL, 2000000000LL));
    const auto py = static_cast<int>(
        pixels ? *y : std::clamp<long long>(*y * 12LL, -2000000000LL, 2000000000LL));
    if (command.starts_with("click")) {
      session_.LeftDown(px, py);
    } else if (command.starts_with("right")) {
      session_.RightDown(px, py);
    } else {
      session_.LeftUp(px, py);
    }
    return Outcome::kDone;
  }

  if (command == "answer") {
    if (args.size() == 1 && (SameLetters(args[0], "yes") || SameLetters(args[0], "no"))) {
      answers_.Queue(SameLetters(args[0], "yes") ? PromptAnswer::kYes : PromptAnswer::kNo);
      return Outcome::kDone;
    }
    std::string why;
    std::optional<DialogAnswer> answer = ParseDialogAnswer(rest, &why);
    if (!answer) return malformed("answer: " + why);
    host_.Queue(std::move(*answer));
    return Outcome::kDone;
  }

  if (command == "command") {
    if (rest.empty()) return malformed("command: a command name expected");
    return RunMenuCommand(rest, error);
  }

  if (command == "key") {
    if (args.size() != 1) return malformed("key: one key name expected");
    std::string_view name = args[0];
    // The window's shortcuts: Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z.
    if (const EditCommand* command = FindEditCommandByShortcut(name)) {
      session_.RunCommand(command->id);
      return Outcome::kDone;
    }
    bool shift = false;
    if (name.size() > 6 && SameLetters(name.substr(0, 6), "shift+")) {
      shift = true;
      name.remove_prefix(6);
    }
    static constexpr std::pair<std::string_view, EditKey> kKeys[] = {
        {"esc", EditKey::kEscape},  {"escape", EditKey::kEscape}, {"left", EditKey::kLeft},
        {"right", EditKey::kRight}, {"up", EditKey::kUp},         {"down", EditKey::kDown},
        {"tab", EditKey::kTab},
    };
    for (const auto& [key_name, key] : kKeys) {
      if (SameLetters(name, key_name)) {
        session_.KeyDown(key, shift);
        return Outcome::kDone;
      }
    }
    if (!shift && SameLetters(name, "space")) {
      session_.CharKey(' ');
      return Outcome::kDone;
    }
    if (!shift && name.size() == 1) {
      session_.CharKey(name[0]);
      return Outcome::kDone;
    }
    return malformed("key: unknown key " + Quoted(args[0]));
  }

  return malformed("unknown command " + Quoted(command));
}

EditScript::Outcome EditScript::RunMenuCommand(std::string_view name, std::string* error) {
  const MenuEntry* entry = FindMenuCommandByText(MapEditFileMenu(), name);
  if (entry == nullptr) entry = FindMenuCommandByText(MapEditToolMenus(), name);
  std::string id = entry != nullptr ? entry->id : std::string(name);
  if (id == kCmdNewMap || id == "new_map") {
    if (new_map_ == nullptr) {
      *error = "command: no new map here";
      return Outcome::kMalformed;
    }
    session_.StartNewMap(new_map_);
    return Outcome::kDone;
  }
  if (FindEditCommand(id) == nullptr) id = "map_edit." + id;
  if (FindEditCommand(id) == nullptr) {
    *error = "command: no command " + Quoted(name);
    return Outcome::kMalformed;
  }
  session_.RunCommand(id);
  return Outcome::kDone;
}

bool EditScript::Run(std::istream& in, std::string* error) {
  return RunEditScriptLines(in, "map", error, [this](std::string_view line, std::string* why) {
    return RunLine(line, why);
  });
}

}  // namespace corvane
