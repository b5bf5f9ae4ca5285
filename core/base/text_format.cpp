#include "base/text_format.h"

namespace corvane {

std::string FillIn(std::string_view format, std::initializer_list<std::string_view> values) {
  std::string text;
  text.reserve(format.size() + 32);
  const std::string_view* next = values.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const bool placeholder =
        format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd');
    if (placeholder && next != values.end()) {
      text += *next++;
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

namespace {

void AppendEscaped(unsigned char byte, std::string& out) {
  constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

}  // namespace

std::string TerminalText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool c1_control = byte == 0xC2 && i + 1 < text.size() &&
                            static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                            static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c1_control) {
      AppendEscaped(byte, out);
      AppendEscaped(static_cast<unsigned char>(text[++i]), out);
    } else if ((byte < 0x20 && byte != '\n') || byte == 0x7F) {
      AppendEscaped(byte, out);
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace corvane
