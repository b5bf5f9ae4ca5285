#pragma once
// Where the interlocking tells the user what an operation did: lines for
// the main window's message line, each with a system beep or without, and
// message boxes (with their questions) through a Prompter. Texts are the
// program's Japanese texts with their values filled in (UTF-8); the windows
// and the headless tool show them in the interface language.

#include <functional>
#include <string_view>

#include "base/prompter.h"

namespace corvane {

struct OperationReport {
  // The main window's message line gets `text`, with a beep when `beep`.
  std::function<void(std::string_view text, bool beep)> line;
  // Message boxes and questions; without one no box is shown and every
  // question takes the answer that changes nothing.
  Prompter* boxes = nullptr;

  void Line(std::string_view text, bool beep) const {
    if (line) line(text, beep);
  }
  // A refusal on the message line: the beep and the text.
  void Refuse(std::string_view text) const { Line(text, true); }
  PromptAnswer Box(std::string_view text, std::string_view caption,
                   PromptButtons buttons = PromptButtons::kOk,
                   PromptIcon icon = PromptIcon::kError) const {
    return boxes != nullptr ? boxes->Ask(text, caption, buttons, icon) : SafeAnswer(buttons);
  }
};

}  // namespace corvane
