#include "app/passenger_script.h"

#include <vector>

#include "base/script_words.h"
#include "board/panel_script.h"

namespace corvane {

namespace {

// The board window the keys the passenger window leaves go to.
constexpr PanelWindow kBoardWindow{0, 800, 600};

// Whether `text` is one character of UTF-8.
bool OneCharacter(std::string_view text) {
  if (text.empty() || (static_cast<unsigned char>(text[0]) & 0xC0) == 0x80) return false;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return false;
  }
  return true;
}

}  // namespace

std::optional<long long> ParseScriptTime(std::string_view text) {
  std::vector<long long> parts;
  while (true) {
    const std::size_t colon = text.find(':');
    const std::optional<int> part = ParseInt(text.substr(0, colon));
    if (!part || (!parts.empty() && (*part < 0 || *part > 59))) return std::nullopt;
    parts.push_back(*part);
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
  }
  if (parts.size() == 1) return parts[0];
  if (parts.size() > 3) return std::nullopt;
  return parts[0] * 3600 + parts[1] * 60 + (parts.size() == 3 ? parts[2] : 0);
}

PassengerScript::PassengerScript(DiaModel& model, DialogHost& host, std::ostream* out)
    : model_(model), host_(host), out_(out), window_(model) {
  panel_.SetPrompter(&host.prompter());
}

bool PassengerScript::RunLine(std::string_view rest, std::string* error) {
  const std::vector<std::string_view> words = Words(rest);
  const auto bad = [error](std::string text) {
    *error = "passenger: " + std::move(text);
    return false;
  };
  if (words.empty()) return bad("pair, click, rclick, press, key or print expected");
  const std::string_view word = words[0];
  const std::size_t args = words.size() - 1;
  if (word == "pair") {
    const auto from = args == 2 ? ParseInt(words[1]) : std::nullopt;
    const auto to = args == 2 ? ParseInt(words[2]) : std::nullopt;
    if (!from || !to) return bad("pair expects FROM TO");
    if (!window_.SetPair(*from, *to))
      return bad("no pair " + std::string(words[1]) + " " + std::string(words[2]));
  } else if (word == "click") {
    const auto time = args == 2 ? ParseScriptTime(words[1]) : std::nullopt;
    const auto count = args == 2 ? ParseInt(words[2]) : std::nullopt;
    if (!time || !count) return bad("click expects TIME COUNT");
    window_.SetCountAt(*time, *count);
  } else if (word == "rclick") {
    const auto time = args == 1 ? ParseScriptTime(words[1]) : std::nullopt;
    if (!time) return bad("rclick expects TIME");
    window_.RemoveAt(*time);
  } else if (word == "press") {
    const std::string_view name = Trim(rest.substr(rest.find("press") + 5));
    const PassengerCommand* command = FindPassengerCommand(name);
    if (command == nullptr) return bad("no button or menu line " + std::string(name));
    window_.Run(command->id, host_);
  } else if (word == "key") {
    if (args != 1) return bad("key expects KEY");
    if (const std::optional<NamedPanelKey> key = PanelKeyNamed(words[1])) {
      if (!window_.Key(key->key, key->function, host_)) {
        ForwardKey(key->key, key->key == PanelKey::kSpace ? " " : "", key->function);
      }
    } else if (OneCharacter(words[1])) {
      ForwardKey(PanelKey::kCharacter, words[1], 0);
    } else {
      return bad("no key " + std::string(words[1]));
    }
  } else if (word == "print") {
    if (args != 0) return bad("print takes no arguments");
    if (out_ != nullptr) *out_ << window_.Listing();
  } else {
    return bad("no passenger command " + std::string(word));
  }
  return true;
}

void PassengerScript::ForwardKey(PanelKey key, std::string_view text, int function) {
  const PanelEffects effects = panel_.Key(model_, kBoardWindow, key, text, {}, function);
  if (out_ == nullptr) return;
  for (const PanelEffects::Line& line : effects.lines) *out_ << "message " << line.text << "\n";
}

}  // namespace corvane
