#pragma once
// What a display window looks up while it draws: where each rail, point
// label, jump label and station frame lies on the board, kept in square
// cells of board units (map coordinates with the row offsets) so that a
// zoomed window visits only what lies in it; and the texts the board
// writes, converted to UTF-8 once.
//
// The window builds it from the loaded data and builds it anew when an
// event touches what it holds (the rails, points, jumps, station frames,
// rows, stations, targets, train types or runs) or the layout mode turns
// row-division editing on or off. Drawing with an index of other data is
// safe (every number is range-checked), only incomplete.

#include <cstdint>
#include <string>
#include <vector>

#include "board/board_view.h"
#include "data/dia_file.h"

namespace corvane {

enum class BoardKind : int { kRail, kPointLabel, kJumpLabel, kFrame };
inline constexpr int kBoardKinds = 4;

// A rectangle of board units, edges included.
struct BoardArea {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
};

// The board area a window shows, widened by `margin` pixels on every side
// (for texts that stand beside their anchor, and the track width).
BoardArea VisibleArea(const BoardView& view, int margin);

class BoardIndex {
 public:
  BoardIndex() = default;
  BoardIndex(const DiaFile& file, LayoutMode layout);

  // Built for row-division editing, where no row moves its objects.
  bool flat() const { return flat_; }
  // The record count of each kind the index was built with.
  int count(BoardKind kind) const { return counts_[Slot(kind)]; }

  // The records of `kind` whose place meets `area`, ascending, each once.
  void Find(BoardKind kind, const BoardArea& area, std::vector<int>* records) const;

  // Texts in UTF-8, "" for a number the data did not have. A name form is
  // 1 one letter, 2 abbreviated, 3 full (0 and others: none).
  const std::string& PointKey(int point) const { return TextOf(point_keys_, point); }
  const std::string& JumpLabel(int jump) const { return TextOf(jump_labels_, jump); }
  const std::string& StationName(int station) const { return TextOf(station_names_, station); }
  const std::string& TrainNumber(int diagram) const { return TextOf(train_numbers_, diagram); }
  const std::string& TypeName(int type, int form) const;
  const std::string& TargetName(int target, int form) const;
  // The icon file of train `train`'s series (its first trainset's), "" none.
  const std::string& TrainIcon(int train) const { return TextOf(train_icons_, train); }

 private:
  struct Cells {
    std::vector<int>
        starts;  // the records of cell c: records[starts[c]] up to records[starts[c + 1]]
    std::vector<int> records;
    std::vector<int> wide;  // records over too many cells to list in each: met by every search
  };
  static std::size_t Slot(BoardKind kind) { return static_cast<std::size_t>(kind); }
  static const std::string& TextOf(const std::vector<std::string>& texts, int n);

  bool flat_ = false;
  int counts_[kBoardKinds] = {};
  // The cells' grid: cell (0, 0) starts at (left_, top_), each is cell_
  // board units square.
  std::int64_t left_ = 0;
  std::int64_t top_ = 0;
  std::int64_t right_ = -1;  // the far edges of everything indexed
  std::int64_t bottom_ = -1;
  std::int64_t cell_ = 1;
  int columns_ = 0;
  int rows_ = 0;
  Cells cells_[kBoardKinds];
  std::vector<std::string> point_keys_, jump_labels_, station_names_, train_numbers_;
  std::vector<std::string> type_names_[3], target_names_[3];
  std::vector<std::string> train_icons_;
};

}  // namespace corvane
