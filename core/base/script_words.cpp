#include "base/script_words.h"

#include <charconv>

namespace corvane {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view NextWord(std::string_view* rest) {
  *rest = Trim(*rest);
  std::size_t end = 0;
  while (end < rest->size() && (*rest)[end] != ' ' && (*rest)[end] != '\t') ++end;
  const std::string_view word = rest->substr(0, end);
  *rest = Trim(rest->substr(end));
  return word;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  while (!(text = Trim(text)).empty()) words.push_back(NextWord(&text));
  return words;
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace corvane
