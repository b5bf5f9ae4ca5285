#include "mapfile/file_messages.h"

namespace corvane {

std::string WithPath(std::string_view format, std::string_view path) {
  std::string text(format);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

}  // namespace corvane
