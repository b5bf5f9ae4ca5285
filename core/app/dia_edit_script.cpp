#include "app/dia_edit_script.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "app/dia_dialogs.h"
#include "app/main_menu.h"
#include "app/passenger_script.h"
#include "base/menu.h"
#include "base/script_words.h"

namespace corvane {

namespace {

std::string Lower(std::string_view word) {
  std::string lower(word);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return lower;
}

std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

// A menu text without its accelerator, also one shown as a plain "(P)".
bool NamesMenuText(std::string_view name, std::string_view text) {
  const std::string plain = PlainMenuText(text);
  if (name == plain) return true;
  const std::size_t n = plain.size();
  return n > 3 && plain[n - 3] == '(' && plain[n - 1] == ')' && name == plain.substr(0, n - 3);
}

// The id of the menu command `name` names by its text or id.
std::string MenuCommandId(std::string_view name) {
  for (const std::string& id : CommandIds(MainMenu())) {
    const MenuEntry* entry = FindMenuEntry(MainMenu(), id);
    if (id == name || NamesMenuText(name, entry->japanese) || NamesMenuText(name, entry->english)) {
      return id;
    }
  }
  return std::string(name);
}

}  // namespace

DiaEditScript::DiaEditScript(DiaModel& model, QueuedAnswers& prompter, std::function<bool()> save,
                             DiaDialogOptions options)
    : model_(model),
      answers_(prompter),
      host_(prompter),
      save_(std::move(save)),
      options_(options) {}

DiaEditScript::~DiaEditScript() = default;

DiaEditScript::Outcome DiaEditScript::RunLine(std::string_view line, std::string* error) {
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

DiaEditScript::Outcome DiaEditScript::RunCommand(std::string_view line, std::string* error) {
  line = Trim(line);
  if (line.empty() || line.front() == '#') return Outcome::kDone;
  std::string_view rest = line;
  const std::string_view command = NextWord(&rest);
  auto malformed = [error](std::string text) {
    *error = std::move(text);
    return Outcome::kMalformed;
  };
  const std::vector<std::string_view> args = Words(rest);
  if (command == "save") {
    if (!args.empty()) return malformed("save takes no arguments");
    return save_() ? Outcome::kDone : Outcome::kSaveFailed;
  }
  if (command == "answer") {
    if (args.size() == 1 && (Lower(args[0]) == "yes" || Lower(args[0]) == "no")) {
      answers_.Queue(Lower(args[0]) == "yes" ? PromptAnswer::kYes : PromptAnswer::kNo);
      return Outcome::kDone;
    }
    std::string why;
    std::optional<DialogAnswer> answer = ParseDialogAnswer(rest, &why);
    if (!answer) return malformed("answer: " + why);
    host_.Queue(std::move(*answer));
    return Outcome::kDone;
  }
  if (command == "file") {
    if (rest.empty()) return malformed("file: a path or cancel expected");
    chooser_.Queue(rest == "cancel" ? std::nullopt : std::optional<std::string>(rest));
    return Outcome::kDone;
  }
  if (command == "command") {
    if (rest.empty()) return malformed("command: a command name expected");
    return RunMenuCommand(rest, error);
  }
  if (command == "passenger") {
    if (!passenger_) passenger_ = std::make_unique<PassengerScript>(model_, host_, out_);
    return passenger_->RunLine(rest, error) ? Outcome::kDone : Outcome::kMalformed;
  }
  return malformed("unknown command " + Quoted(command));
}

DiaEditScript::Outcome DiaEditScript::RunMenuCommand(std::string_view name, std::string* error) {
  const std::string id = MenuCommandId(name);
  if (!IsDiaDialogCommand(id)) {
    *error = "command: no dia command " + Quoted(name);
    return Outcome::kMalformed;
  }
  DiaDialogOptions options = options_;
  options.station = {&chooser_, nullptr, sound_folder_};
  RunDiaDialogCommand(id, model_, host_, options);
  return Outcome::kDone;
}

bool DiaEditScript::Run(std::istream& in, std::string* error) {
  return RunEditScriptLines(in, "data", error, [this](std::string_view line, std::string* why) {
    return RunLine(line, why);
  });
}

}  // namespace corvane
