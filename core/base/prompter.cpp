#include "base/prompter.h"

#include <cstdio>

#include "base/text_format.h"

namespace corvane {

PromptAnswer SafeAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOk:
      return PromptAnswer::kOk;
    case PromptButtons::kYesNo:
      return PromptAnswer::kNo;
    case PromptButtons::kYesNoCancel:
      return PromptAnswer::kCancel;
    case PromptButtons::kAbortRetryIgnore:
      return PromptAnswer::kAbort;
  }
  return PromptAnswer::kOk;
}

PromptAnswer ScriptedPrompter::Ask(std::string_view text, std::string_view caption,
                                   PromptButtons buttons, PromptIcon /*icon*/) {
  shown_.push_back({std::string(text), std::string(caption), buttons});
  if (answers_.empty()) return SafeAnswer(buttons);
  const PromptAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

PromptAnswer ConsolePrompter::Ask(std::string_view text, std::string_view caption,
                                  PromptButtons buttons, PromptIcon /*icon*/) {
  // Messages end with line feeds of their own; keep one line break per line.
  while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  std::fprintf(stderr, "%s: %s\n", TerminalText(caption).c_str(), TerminalText(text).c_str());
  if (buttons == PromptButtons::kYesNo && policy_.answer_yes) return PromptAnswer::kYes;
  if (buttons == PromptButtons::kYesNoCancel && policy_.answer_yes) return PromptAnswer::kYes;
  if (buttons == PromptButtons::kAbortRetryIgnore && policy_.answer_ignore) {
    return PromptAnswer::kIgnore;
  }
  return SafeAnswer(buttons);
}

PromptAnswer QueuedAnswers::Ask(std::string_view text, std::string_view caption,
                                PromptButtons buttons, PromptIcon icon) {
  const bool question = buttons == PromptButtons::kYesNo || buttons == PromptButtons::kYesNoCancel;
  if (!question || answers_.empty()) return shown_.Ask(text, caption, buttons, icon);
  const PromptAnswer answer = answers_.front();
  answers_.pop_front();
  // Shown as a message: the answer is already given.
  shown_.Ask(text, caption, PromptButtons::kOk, icon);
  return answer;
}

}  // namespace corvane
