#pragma once
// The train type dialog of the main window ("種別設定"): the dia data's
// train types on a working copy, one shown at a time (names, passenger
// service, colour, line style and width). Types are added at the end, never
// deleted or reordered. OK stores the copy in one change of the dia data;
// cancel forgets it.

#include <array>
#include <string>

#include "base/dialog_model.h"
#include "run/dia_model.h"

namespace corvane {

// The line widths offered, in thousandths (shown 0.10 to 5.00).
inline constexpr std::array<int, 12> kTrainTypeWidths = {100,  250,  500,  750,  1000, 1250,
                                                         1500, 1750, 2000, 3000, 4000, 5000};
inline constexpr const char kTrainTypeLimit[] = "これ以上増やせません。";
inline constexpr const char kTrainTypeLimitCaption[] = "制限オーバー";

// The type added as number `number`: passenger service, solid, 0.50 wide,
// black, named "新" / "新規" / "新規種別NN".
TrainTypeRecord NewTrainType(int number);

class TrainTypeDialog : public DialogModel {
 public:
  // `english`: the language of the line styles' names.
  TrainTypeDialog(DiaModel& model, bool english);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  // "種別追加(&A)": a new type at the end, shown; refused at the limit.
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  const Table<TrainTypeRecord>& work() const { return work_; }
  // The type the fields show (0: none, the dia has no types).
  int shown() const { return shown_; }

 private:
  void Show(int type);
  void FillList();
  void EnableFields(bool enabled);
  // Stores the field `id` in the type shown.
  void Keep(const std::string& id);

  DiaModel& model_;
  Table<TrainTypeRecord> work_;
  int shown_ = 0;
};

// Stores `types` as the dia data's train types in one change.
void StoreTrainTypes(DiaModel& model, const Table<TrainTypeRecord>& types);

}  // namespace corvane
