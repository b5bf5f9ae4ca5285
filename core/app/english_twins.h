#pragma once
// The English twins of the texts the editor and the main window show in
// Japanese: prompts, refusals and their captions, questions, progress and
// message-window lines. One table keeps each Japanese text beside its twin;
// the Japanese interface shows the texts as they are, the English interface
// shows their twins. A text may hold "%s" and "%d" (and "%02d"-like
// widths): what stands there in a shown text (a map name, a number) is put
// into the twin unchanged.

#include <string>
#include <string_view>

#include "base/prompter.h"

namespace corvane {

struct EnglishTwin {
  const char* japanese;
  const char* english;
};

// Every pair of the table.
const EnglishTwin* EnglishTwins(std::size_t* count);

// The English text of `japanese`: its twin, with the values of a formatted
// text carried over; a text without a twin comes back unchanged (user data,
// a text not in the table). Line feeds are kept where the Japanese text has
// them.
std::string InEnglish(std::string_view japanese);

// `text` as the interface language shows it.
inline std::string Shown(std::string_view text, bool english) {
  return english ? InEnglish(text) : std::string(text);
}

// Shows the message boxes of the prompter it wraps in the interface
// language, as the desktop program's boxes are shown: caption and text by
// their twins in English, as they are in Japanese. Answers come from the
// wrapped prompter.
class LanguagePrompter : public Prompter {
 public:
  LanguagePrompter(Prompter& shown, bool english) : shown_(shown), english_(english) {}

  // Once the data folder's language is known.
  void set_english(bool english) { english_ = english; }
  PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                   PromptIcon icon) override {
    return shown_.Ask(Shown(text, english_), Shown(caption, english_), buttons, icon);
  }
  void Beep() override { shown_.Beep(); }

 private:
  Prompter& shown_;
  bool english_;
};

}  // namespace corvane
