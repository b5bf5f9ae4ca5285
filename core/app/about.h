#pragma once
// The about box ("バージョン情報"): the program's title, version and what it
// is for.

#include <string>

namespace corvane {

// The program's version. A build may set CORVANE_VERSION to override it.
#ifdef CORVANE_VERSION
inline constexpr const char kProgramVersion[] = CORVANE_VERSION;
#else
inline constexpr const char kProgramVersion[] = "1.0.0";
#endif

struct AboutText {
  std::string caption;
  std::string text;  // lines separated by "\n"
};

// The title (the product's full title), the version and a one-line
// description, in the chosen language.
AboutText AboutBoxText(bool english);

}  // namespace corvane
