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

}  // namespace corvane
