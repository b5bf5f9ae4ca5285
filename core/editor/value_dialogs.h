#pragma once
// The small dialogs of the setter commands: the electrification and signal
// type lists, the speed ("速度入力") and distance ("距離入力") inputs, and the
// grid display dialog ("グリッド表示設定"). Numbers are read with a plain
// decimal parse, but a negative number and one too large for its field are
// refused.

#include <string>

#include "base/dialog_model.h"
#include "map/edit_map.h"

namespace corvane {

// A list to choose one item from, preset to `item`.
class ChoiceDialog : public DialogModel {
 public:
  ChoiceDialog(Bilingual title, Bilingual label, std::vector<std::string> items, int item);

  std::string Title(bool english) const override { return title_.Pick(english); }
  bool Accept(Prompter& prompter) override;

  int chosen() const { return chosen_; }

 private:
  Bilingual title_;
  int chosen_ = 0;
};

// The electrification kinds ("電化方式選択").
ChoiceDialog ElectricKindDialog(int kind, bool english);

// "速度入力": a speed limit that a cleared check box makes 0 (none). Opens
// checked and empty.
class SpeedDialog : public DialogModel {
 public:
  SpeedDialog();

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

  int speed() const { return speed_; }

 private:
  int speed_ = 0;
};

// "距離入力": a distance in metres. Opens empty.
class DistanceDialog : public DialogModel {
 public:
  DistanceDialog();

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

  int distance() const { return distance_; }

 private:
  int distance_ = 0;
};

// "グリッド表示設定": every n-th column and row line drawn dark; an unchecked
// box means none (0), checking an empty one fills in 10 (columns) or 4 (rows).
class GridDialog : public DialogModel {
 public:
  GridDialog(int grid_x, int grid_y);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  bool Accept(Prompter& prompter) override;

  int grid_x() const { return grid_x_; }
  int grid_y() const { return grid_y_; }

 private:
  int grid_x_;
  int grid_y_;
};

// A number typed into a field that stores it in an int: the plain decimal
// parse, or a refusal text for a negative number or one beyond the field.
struct ParsedNumber {
  int value = 0;
  const char* problem = nullptr;
};
ParsedNumber ParseFieldNumber(std::string_view text);

}  // namespace corvane
