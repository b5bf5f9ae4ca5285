#include "base/message_log.h"

#include "base/encoding.h"

namespace corvane {

void MessageLog::Clear() {
  first_ = 0;
  size_ = 0;
  Changed();
}

void MessageLog::AddLine(std::string_view utf8, std::optional<MessageLink> link) {
  // An empty line is kept as one full-width space so that it shows as a
  // blank line.
  std::string line = utf8.empty() ? std::string("　") : std::string(utf8);
  const std::string sjis = Utf8ToSjis(utf8);
  if (sjis.size() > kLineBytes) line = SjisToUtf8(ClipSjis(sjis, kLineBytes));
  std::size_t slot = static_cast<std::size_t>(first_);
  if (size_ < kCapacity) {
    slot = static_cast<std::size_t>((first_ + size_) % kCapacity);
    ++size_;
  } else {
    first_ = (first_ + 1) % kCapacity;
  }
  lines_[slot] = std::move(line);
  links_[slot] = link;
  Changed();
}

std::optional<MessageLink> MessageLog::Link(int i) const {
  if (i < 0 || i >= size_) return std::nullopt;
  return links_[static_cast<std::size_t>((first_ + i) % kCapacity)];
}

void MessageLog::RecordInserted(int table, int record) {
  for (std::optional<MessageLink>& link : links_) {
    if (link && link->table == table && link->record >= record) ++link->record;
  }
}

void MessageLog::RecordDeleted(int table, int record) {
  for (std::optional<MessageLink>& link : links_) {
    if (!link || link->table != table) continue;
    if (link->record == record) {
      link.reset();
    } else if (link->record > record) {
      --link->record;
    }
  }
}

void MessageLog::ForgetLinks() { links_.fill(std::nullopt); }

void MessageLog::Changed() {
  ++revision_;
  listeners_.Notify(*this);
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
