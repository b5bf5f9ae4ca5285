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

}  // namespace corvane
