#pragma once
// The member text form of every table file: one record per line, fields cut
// at commas, numbers right-aligned to a minimum width, texts unquoted.

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// "line 7: what" for a problem found in line 7 of a member (lines counted
// from 1).
inline std::string LineProblem(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

// "record 9 lies beyond the table's 8 records": a row with no place.
inline std::string BeyondTable(int number, int capacity) {
  return "record " + std::to_string(number) + " lies beyond the table's " +
         std::to_string(capacity) + " records";
}

// Longest text a piece keeps.
constexpr std::size_t kMemberPieceMaxBytes = 255;

// Integer value of a piece: leading spaces skipped, an optional sign, then
// decimal digits up to the first other character (0 when there are none);
// values beyond 32 bits saturate.
int PieceToInt(std::string_view piece);
// A number as atoi reads it (blanks, an optional sign, digits, anything
// after ignored): its sign and the value of its digits, which stops growing
// past INT_MAX + 1.
struct LeadingNumber {
  long long magnitude = 0;
  bool negative = false;
};
LeadingNumber ReadLeadingNumber(std::string_view text);
double PieceToDouble(std::string_view piece);

// The pieces of one line. The line is cut at every comma and at its end; a
// piece is converted only when it is asked for, as a number or as a text.
class MemberLine {
 public:
  MemberLine() = default;
  explicit MemberLine(std::string_view line) { Assign(line); }
  // Cuts `line` into pieces anew, reusing the room of the previous line.
  void Assign(std::string_view line);

  int size() const { return static_cast<int>(pieces_.size()); }
  // Piece `i` (0-based); a piece past the end reads as an empty text and 0.
  int Int(int i) const { return PieceToInt(Piece(i)); }
  // At most kMemberPieceMaxBytes bytes, never splitting a character, without
  // carriage returns at its end.
  std::string_view Text(int i) const;
  double Real(int i) const { return PieceToDouble(Text(i)); }

 private:
  std::string_view Piece(int i) const;

  std::vector<std::string_view> pieces_;
};

// Calls `on_line` for every complete line of `content` (ending in a line
// feed); a last line without a line feed is not used. A carriage return
// before the line feed is dropped.
void ForEachMemberLine(std::string_view content,
                       const std::function<void(const MemberLine&)>& on_line);

// Builds member text with printf-style fields.
class MemberWriter {
 public:
  // Appends one printf-formatted piece (e.g. "%3d,").
  MemberWriter& Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // `value` right-aligned with spaces to `width` characters, then a comma:
  // the same as Format("%<width>d,", value), without the formatting cost.
  MemberWriter& Num(int width, int value);
  // Appends a text as it is, then `suffix` (normally "," or "").
  MemberWriter& Text(std::string_view text, std::string_view suffix = ",");
  MemberWriter& EndLine() {
    out_.push_back('\n');
    return *this;
  }
  MemberWriter& Raw(std::string_view text) {
    out_.append(text);
    return *this;
  }

  const std::string& str() const { return out_; }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace corvane
