#include "base/message_log.h"

#include "base/encoding.h"

namespace corvane {

void MessageLog::Clear() {
  first_ = 0;
  size_ = 0;
  Changed();
}

void MessageLog::AddLine(std::string_view utf8) {
  // An empty line is kept as one full-width space so that it shows as a
  // blank line.
  std::string line = utf8.empty() ? std::string("　") : std::string(utf8);
  const std::string sjis = Utf8ToSjis(utf8);
  if (sjis.size() > kLineBytes) line = SjisToUtf8(ClipSjis(sjis, kLineBytes));
  if (size_ < kCapacity) {
    lines_[static_cast<std::size_t>((first_ + size_) % kCapacity)] = std::move(line);
    ++size_;
  } else {
    lines_[static_cast<std::size_t>(first_)] = std::move(line);
    first_ = (first_ + 1) % kCapacity;
  }
  Changed();
}

void MessageLog::Changed() {
  ++revision_;
  if (listener_) listener_();
}

const std::string& MessageLog::Line(int i) const {
  return lines_[static_cast<std::size_t>((first_ + i) % kCapacity)];
}

std::vector<std::string> MessageLog::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(size_));
  for (int i = 0; i < size_; ++i) lines.push_back(Line(i));
  return lines;
}

}  // namespace corvane
