#pragma once
// Message boxes: a text, a caption and a set of buttons, answered by the
// user (desktop), by command-line flags (headless tool) or by a script (tests).
// Texts are UTF-8.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class PromptButtons { kOk, kYesNo, kYesNoCancel, kAbortRetryIgnore };
enum class PromptAnswer { kOk, kYes, kNo, kCancel, kAbort, kRetry, kIgnore };
enum class PromptIcon { kNone, kInformation, kQuestion, kWarning, kError };

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                           PromptIcon icon) = 0;
  virtual void Beep() {}

  // Shorthands.
  void Error(std::string_view text, std::string_view caption) {
    Ask(text, caption, PromptButtons::kOk, PromptIcon::kError);
  }
  void Inform(std::string_view text, std::string_view caption) {
    Ask(text, caption, PromptButtons::kOk, PromptIcon::kInformation);
  }
};

// The answer that changes nothing: No, Cancel or Abort (OK for a plain message).
PromptAnswer SafeAnswer(PromptButtons buttons);

// A shown message box, as recorded by the scripted prompter.
struct ShownPrompt {
  std::string text;
  std::string caption;
  PromptButtons buttons;
};

// Answers from a queue given in advance; when the queue is empty it answers
// with the safe default. Records everything shown.
class ScriptedPrompter : public Prompter {
 public:
  ScriptedPrompter() = default;
  explicit ScriptedPrompter(std::vector<PromptAnswer> answers)
      : answers_(answers.begin(), answers.end()) {}

  void Queue(PromptAnswer answer) { answers_.push_back(answer); }
  PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                   PromptIcon icon) override;
  void Beep() override { ++beeps_; }

  const std::vector<ShownPrompt>& shown() const { return shown_; }
  int beeps() const { return beeps_; }
  void ClearShown() { shown_.clear(); }

 private:
  std::deque<PromptAnswer> answers_;
  std::vector<ShownPrompt> shown_;
  int beeps_ = 0;
};

// Prints each message to standard error as "caption: text" (control
// characters escaped, see TerminalText) and answers
// without asking: the safe default, unless the caller allowed Yes or Ignore.
class ConsolePrompter : public Prompter {
 public:
  struct Policy {
    bool answer_yes = false;     // Yes/No and Yes/No/Cancel questions get Yes
    bool answer_ignore = false;  // Abort/Retry/Ignore warnings get Ignore
  };
  ConsolePrompter() = default;
  explicit ConsolePrompter(Policy policy) : policy_(policy) {}

  PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                   PromptIcon icon) override;
  void Beep() override {}

 private:
  Policy policy_;
};

// Answers Yes/No questions from answers queued in advance (a script's
// "answer yes" lines), the first queued answer to the next question; with
// none queued, the prompter it wraps answers. Every message and question is
// still shown by the wrapped prompter.
class QueuedAnswers : public Prompter {
 public:
  explicit QueuedAnswers(Prompter& shown) : shown_(shown) {}

  void Queue(PromptAnswer answer) { answers_.push_back(answer); }
  bool has_answers() const { return !answers_.empty(); }
  PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                   PromptIcon icon) override;
  void Beep() override { shown_.Beep(); }

 private:
  Prompter& shown_;
  std::deque<PromptAnswer> answers_;
};

}  // namespace corvane
