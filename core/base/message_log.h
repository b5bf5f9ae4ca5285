#pragma once
// The message window's ring of lines: the last 256 lines added, oldest
// first. Lines are UTF-8 and hold what a 255-byte Shift-JIS line holds. A
// line may name an object beside its text (a link), which a double click on
// the line shows; the text stays exactly what was written.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/listeners.h"

namespace corvane {

// The object a line names: record `record` of a table of the map under edit
// (`table` is its MapTable number).
struct MessageLink {
  int table = 0;
  int record = 0;
  friend bool operator==(const MessageLink&, const MessageLink&) = default;
};

class MessageLog {
 public:
  static constexpr int kCapacity = 256;
  static constexpr std::size_t kLineBytes = 255;  // Shift-JIS bytes per line

  void Clear();
  // Adds a line, clipped on a character boundary to what the line holds;
  // an empty text becomes one full-width space.
  void AddLine(std::string_view utf8, std::optional<MessageLink> link = std::nullopt);

  int size() const { return size_; }
  // Line `i` counted from the oldest kept line.
  const std::string& Line(int i) const;
  // The object line `i` names, if any (nothing for a line outside the log).
  std::optional<MessageLink> Link(int i) const;

  // The links follow the map's records as they are renumbered: record
  // `record` of `table` was inserted (later ones moved up) or deleted
  // (later ones moved down; links to it name nothing any more).
  void RecordInserted(int table, int record);
  void RecordDeleted(int table, int record);
  // Another map replaced the one the links named.
  void ForgetLinks();
  std::vector<std::string> Lines() const;
  // Increases whenever the log changes, so a window knows when to repaint.
  unsigned revision() const { return revision_; }
  // `listener` is called after every change (the message window redraws)
  // until the subscription ends.
  using Subscription = Listeners<MessageLog>::Subscription;
  [[nodiscard]] Subscription Listen(Listeners<MessageLog>::Callback listener) {
    return listeners_.Add(std::move(listener));
  }

 private:
  void Changed();

  std::array<std::string, kCapacity> lines_;
  std::array<std::optional<MessageLink>, kCapacity> links_;
  int first_ = 0;
  int size_ = 0;
  unsigned revision_ = 0;
  Listeners<MessageLog> listeners_;
};

}  // namespace corvane
