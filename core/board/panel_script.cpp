#include "board/panel_script.h"

#include <charconv>
#include <optional>
#include <vector>

#include "base/script_words.h"
#include "board/display_windows.h"
#include "run/name_tables.h"

namespace corvane {

namespace {

std::vector<std::string_view> WordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') ++at;
    if (at > start) words.push_back(line.substr(start, at - start));
  }
  return words;
}

std::optional<int> NumberOf(std::string_view word, int low, int high) {
  int value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, error] = std::from_chars(word.data(), end, value);
  if (error != std::errc() || ptr != end || word.empty() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

// The text after the command word, without its surrounding blanks.
std::string_view RestOf(std::string_view line, std::string_view command) {
  std::string_view rest = line.substr(line.find(command) + command.size());
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r')) {
    rest.remove_suffix(1);
  }
  return rest;
}

struct NamedKey {
  std::string_view name;
  PanelKey key;
};
constexpr NamedKey kKeys[] = {
    {"tab", PanelKey::kTab},
    {"enter", PanelKey::kEnter},
    {"esc", PanelKey::kEscape},
    {"space", PanelKey::kSpace},
    {"left", PanelKey::kLeft},
    {"right", PanelKey::kRight},
    {"up", PanelKey::kUp},
    {"down", PanelKey::kDown},
    {"backspace", PanelKey::kBackspace},
    {"delete", PanelKey::kDelete},
    {"insert", PanelKey::kInsert},
    {"pause", PanelKey::kPause},
    {"shift", PanelKey::kShift},
    {"ctrl", PanelKey::kControl},
};

// The number of the first character of `text` in bytes (UTF-8).
std::size_t FirstCharacter(std::string_view text) {
  std::size_t n = 1;
  while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return n;
}

constexpr int kLargestPixel = 1'000'000;

}  // namespace

std::optional<NamedPanelKey> PanelKeyNamed(std::string_view name) {
  for (const NamedKey& k : kKeys) {
    if (k.name == name) return NamedPanelKey{k.key, 0};
  }
  if (name.size() >= 2 && name[0] == 'f') {
    if (const auto f = NumberOf(name.substr(1), 1, 12))
      return NamedPanelKey{PanelKey::kFunction, *f};
  }
  return std::nullopt;
}

std::string DumpTrains(const DiaModel& model) {
  std::string out;
  const RunState& run = model.run();
  for (int t = 1; t <= model.dia().trains.count(); ++t) {
    if (static_cast<std::size_t>(t) >= run.trains.size()) break;
    const TrainRun& r = run.trains[static_cast<std::size_t>(t)];
    out += "train " + std::to_string(t) + " hold=" + std::to_string(r.hold_command) +
           " station=" + std::to_string(r.hold_station) +
           " departure=" + std::to_string(r.departure_command) +
           " seconds=" + std::to_string(r.departure_seconds) + "\n";
  }
  out += "follow " + std::to_string(model.windows()[0].view.flattery_train) + "\n";
  return out;
}

PanelScript::PanelScript(DiaModel& model, PanelWindow window,
                         std::function<void(std::string_view)> data, OperationReport report,
                         bool english)
    : model_(model),
      window_(window),
      data_(std::move(data)),
      report_(std::move(report)),
      english_(english),
      contract_(model, data_, report_) {
  panel_.SetPrompter(report_.boxes);
}

OperateScript::Outcome PanelScript::Run(std::istream& in, std::string* error) {
  const bool done = RunScriptLines(in, [&](int number, std::string_view line) {
    return RunLine(number, line, error) == OperateScript::Outcome::kDone;
  });
  return done ? OperateScript::Outcome::kDone : OperateScript::Outcome::kBadLine;
}

void PanelScript::Report(const PanelEffects& effects) {
  for (const PanelEffects::Line& line : effects.lines) report_.Line(line.text, line.beep);
  if (effects.prompt && !effects.prompt->empty()) report_.Line(*effects.prompt, false);
  std::string out;
  const auto effect = [&out](const std::string& text) { out += "effect " + text + "\n"; };
  if (effects.open_rail_properties != 0) {
    effect("rail_properties " + std::to_string(effects.open_rail_properties));
  }
  if (effects.open_point_key != 0) effect("point_key " + std::to_string(effects.open_point_key));
  if (effects.open_station_frame != 0) {
    effect("station_frame " + std::to_string(effects.open_station_frame));
  }
  if (effects.new_window) {
    const ViewSettings& v = *effects.new_window;
    effect("new_window scale=" + std::to_string(v.scale_x) + "," + std::to_string(v.scale_y) +
           " scroll=" + std::to_string(v.scroll_pos_x) + "," + std::to_string(v.scroll_pos_y) +
           " follow=" + std::to_string(v.flattery_train));
  }
  if (effects.next_window) effect("next_window");
  if (effects.copy_board) effect("copy_board");
  if (effects.rename_names) effect("rename_names");
  if (!out.empty()) data_(out);
  if (effects.rename_names && !name_tables_.empty()) {
    ScriptedPrompter silent;
    DiaChange change(model_);
    RenameFromNameTables(change, name_tables_, report_.boxes != nullptr ? *report_.boxes : silent);
  }
}

std::string PanelScript::MenuText(const std::vector<PanelMenuLine>& menu, int depth) const {
  std::string out;
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  for (const PanelMenuLine& line : menu) {
    if (line.separator) {
      out += indent + "separator\n";
      continue;
    }
    const std::string& text = english_ ? line.english : line.japanese;
    std::string kind = line.enabled ? "item" : "disabled";
    if (!line.children.empty()) kind = "submenu";
    out += indent + kind + " " + text + (line.checked ? " [checked]" : "") + "\n";
    out += MenuText(line.children, depth + 1);
  }
  return out;
}

OperateScript::Outcome PanelScript::RunLine(int number, std::string_view line, std::string* error) {
  const std::vector<std::string_view> words = WordsOf(line);
  if (words.empty() || words[0].starts_with('#')) return OperateScript::Outcome::kDone;
  const std::string_view command = words[0];
  const auto bad = [&](const std::string& problem) {
    *error = "line " + std::to_string(number) + ": " + problem;
    return OperateScript::Outcome::kBadLine;
  };
  // Flags after the fixed arguments.
  PanelModifiers modifiers;
  const auto flags = [&](std::size_t from, bool ctrl_allowed) -> bool {
    for (std::size_t i = from; i < words.size(); ++i) {
      if (words[i] == "shift") {
        modifiers.shift = true;
      } else if (words[i] == "ctrl" && ctrl_allowed) {
        modifiers.ctrl = true;
      } else {
        return false;
      }
    }
    return true;
  };
  const auto pixel = [&]() -> std::optional<PixelPoint> {
    if (words.size() < 3) return std::nullopt;
    const auto x = NumberOf(words[1], -kLargestPixel, kLargestPixel);
    const auto y = NumberOf(words[2], -kLargestPixel, kLargestPixel);
    if (!x || !y) return std::nullopt;
    return PixelPoint{*x, *y};
  };

  if (command == "click" || command == "rclick" || command == "dclick") {
    const std::optional<PixelPoint> at = pixel();
    if (!at || !flags(3, command == "click") || (command != "click" && words.size() != 3)) {
      return bad(std::string(command) + " expects X Y" +
                 (command == "click" ? " [shift] [ctrl]" : ""));
    }
    if (command == "click") {
      Report(panel_.LeftClick(model_, window_, *at, modifiers));
    } else if (command == "rclick") {
      Report(panel_.RightClick(model_, window_, *at));
    } else {
      Report(panel_.DoubleClick(model_, window_, *at));
    }
  } else if (command == "wheel") {
    const auto notches = words.size() >= 2 ? NumberOf(words[1], -1000, 1000) : std::nullopt;
    if (!notches || !flags(2, false)) return bad("wheel expects N [shift], N from -1000 to 1000");
    Report(panel_.Wheel(model_, window_, *notches, modifiers.shift));
  } else if (command == "press") {
    if (words.size() < 2 || !flags(2, true)) return bad("press expects KEY [shift] [ctrl]");
    const std::string_view name = words[1];
    const std::optional<NamedPanelKey> key = PanelKeyNamed(name);
    if (!key) return bad("no key " + std::string(name));
    Report(panel_.Key(model_, window_, key->key, key->key == PanelKey::kSpace ? " " : "", modifiers,
                      key->function));
  } else if (command == "type") {
    std::string_view text = RestOf(line, command);
    if (text.empty()) return bad("type expects a text");
    while (!text.empty()) {
      const std::size_t n = FirstCharacter(text);
      const std::string_view character = text.substr(0, n);
      const PanelKey key = character == " " ? PanelKey::kSpace : PanelKey::kCharacter;
      Report(panel_.Key(model_, window_, key, character, {}));
      text.remove_prefix(n);
    }
  } else if (command == "menu" || command == "orders") {
    if (words.size() != 1) return bad(std::string(command) + " takes no arguments");
    const std::vector<PanelMenuLine> menu = command == "menu"
                                                ? panel_.ContextMenu(model_, window_.n)
                                                : panel_.TrainCommandMenu(model_, window_.n);
    data_(std::string(command) + " " + std::to_string(number) + "\n" + MenuText(menu, 0));
  } else if (command == "choose" || command == "order") {
    const std::string_view text = RestOf(line, command);
    const bool context = command == "choose";
    const std::vector<PanelMenuLine> menu = context ? panel_.ContextMenu(model_, window_.n)
                                                    : panel_.TrainCommandMenu(model_, window_.n);
    const PanelMenuLine* chosen = FindPanelLine(menu, text);
    if (chosen == nullptr) return bad("no menu line " + std::string(text));
    Report(context ? panel_.RunContextCommand(model_, window_, chosen->id)
                   : panel_.RunTrainCommand(model_, window_.n, chosen->id));
  } else if (command == "dump" && words.size() == 2 && words[1] == "trains") {
    data_("dump " + std::to_string(number) + "\n" + DumpTrains(model_));
  } else {
    return contract_.RunLine(number, line, error);
  }
  return OperateScript::Outcome::kDone;
}

}  // namespace corvane
