#include "board/layout_script.h"

#include <optional>
#include <utility>

#include "base/script_words.h"
#include "board/board_scroll.h"

namespace corvane {

namespace {

// The largest client size a "size" line may give, on each axis.
constexpr int kLargestClient = 100'000;

constexpr int kStartWidth = 1000;
constexpr int kStartHeight = 700;

// "X Y" as two numbers.
std::optional<std::pair<int, int>> TwoNumbers(std::string_view rest) {
  const std::vector<std::string_view> words = Words(rest);
  if (words.size() != 2) return std::nullopt;
  const std::optional<int> a = ParseInt(words[0]);
  const std::optional<int> b = ParseInt(words[1]);
  if (!a || !b) return std::nullopt;
  return std::pair{*a, *b};
}

// "WxH" with both within 1 … kLargestClient.
std::optional<std::pair<int, int>> ClientSize(std::string_view rest) {
  const std::size_t x = rest.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> w = ParseInt(rest.substr(0, x));
  const std::optional<int> h = ParseInt(rest.substr(x + 1));
  const auto fits = [](const std::optional<int>& v) {
    return v && *v >= 1 && *v <= kLargestClient;
  };
  if (!fits(w) || !fits(h)) return std::nullopt;
  return std::pair{*w, *h};
}

}  // namespace

LayoutScript::LayoutScript(DiaModel& model, std::vector<MenuEntry> menus,
                           std::function<bool()> save, Output output)
    : model_(model), menus_(std::move(menus)), save_(std::move(save)), output_(std::move(output)) {
  view_.width = kStartWidth;
  view_.height = kStartHeight;
}

LayoutScript::Outcome LayoutScript::Run(std::istream& in, std::string* error) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const Outcome outcome = RunLine(line, error);
    if (outcome != Outcome::kDone) {
      *error = "line " + std::to_string(number) + ": " + *error;
      return outcome;
    }
  }
  return Outcome::kDone;
}

LayoutScript::Outcome LayoutScript::RunLine(std::string_view line, std::string* error) {
  std::string_view rest = Trim(line);
  if (rest.empty() || rest.front() == '#') return Outcome::kDone;
  const std::string_view word = NextWord(&rest);
  const auto bad = [&](std::string_view why) {
    *error = std::string(why) + ": " + std::string(Trim(line));
    return Outcome::kBadLine;
  };
  view_.layout = editing_.mode();
  if (word == "size") {
    const auto size = ClientSize(rest);
    if (!size) return bad("size WxH expected (1 to 100000 pixels each)");
    view_.width = size->first;
    view_.height = size->second;
    return Outcome::kDone;
  }
  if (word == "scale") {
    const auto scale = TwoNumbers(rest);
    if (!scale) return bad("scale SX SY expected");
    view_.scale_x = ClampScale(scale->first);
    view_.scale_y = ClampScale(scale->second);
    return Outcome::kDone;
  }
  if (word == "scroll") {
    const auto position = TwoNumbers(rest);
    if (!position) return bad("scroll X Y expected");
    view_.scroll_x = ScrollOffsetOf(position->first);
    view_.scroll_y = ScrollOffsetOf(position->second);
    return Outcome::kDone;
  }
  if (word == "command") {
    const MenuEntry* entry = FindMenuCommandByText(menus_, rest);
    const std::optional<BoardCommand> command =
        entry != nullptr ? BoardCommandOfId(entry->id) : std::nullopt;
    if (!command) return bad("no board command of that name");
    return Apply(RunBoardCommand(*command, model_, editing_, view_));
  }
  if (word == "click" || word == "right" || word == "double") {
    const auto at = TwoNumbers(rest);
    if (!at) return bad(std::string(word) + " X Y expected");
    const PixelPoint click{at->first, at->second};
    if (word == "click") return Apply(editing_.LeftClick(model_, view_, click));
    if (word == "right") return Apply(editing_.RightClick(model_));
    return Apply(editing_.DoubleClick(model_, view_, click));
  }
  if (word == "save" && rest.empty()) {
    if (save_()) return Outcome::kDone;
    *error = "the data could not be saved";
    return Outcome::kFailed;
  }
  return bad("unknown line");
}

LayoutScript::Outcome LayoutScript::Apply(const LayoutEffects& effects) {
  ApplyScroll(effects, view_);
  view_.layout = editing_.mode();
  if (effects.prompt && output_.prompt) output_.prompt(*effects.prompt);
  if (effects.open_rail_properties != 0 && output_.rail_properties) {
    output_.rail_properties(effects.open_rail_properties);
  }
  return Outcome::kDone;
}

}  // namespace corvane
