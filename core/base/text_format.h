#pragma once
// Filling the placeholders of the program's message texts.

#include <initializer_list>
#include <string>
#include <string_view>

namespace corvane {

// One text of the interface in both languages (UTF-8).
struct Bilingual {
  const char* japanese = "";
  const char* english = "";
  const char* Pick(bool use_english) const { return use_english ? english : japanese; }
};

// `format` with each "%s" and "%d" replaced by the next of `values`, in
// order. Texts typed by the user go in as values, never as formats, so a
// "%s" inside a name shows as typed.
std::string FillIn(std::string_view format, std::initializer_list<std::string_view> values);

}  // namespace corvane
