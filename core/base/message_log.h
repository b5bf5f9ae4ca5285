#pragma once
// The message window's ring of lines: the last 256 lines added, oldest
// first. Lines are UTF-8 and hold what a 255-byte Shift-JIS line holds.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

class MessageLog {
 public:
  static constexpr int kCapacity = 256;
  static constexpr std::size_t kLineBytes = 255;  // Shift-JIS bytes per line

  void Clear();
  // Adds a line, clipped on a character boundary to what the line holds;
  // an empty text becomes one full-width space.
  void AddLine(std::string_view utf8);

  int size() const { return size_; }
  // Line `i` counted from the oldest kept line.
  const std::string& Line(int i) const;
  std::vector<std::string> Lines() const;
  // Increases whenever the log changes, so a window knows when to repaint.
  unsigned revision() const { return revision_; }
  // Called after every change (the message window redraws); empty for none.
  void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  void Changed();

  std::array<std::string, kCapacity> lines_;
  int first_ = 0;
  int size_ = 0;
  unsigned revision_ = 0;
  std::function<void()> listener_;
};

}  // namespace corvane
