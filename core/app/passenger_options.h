#pragma once
// The passenger simulation options of the dia data and the dialog that
// edits them ("乗客数シミュレート設定").

#include "data/dia_header.h"
#include "run/dia_model.h"

namespace corvane {

// The dialog's check boxes.
enum class PassengerBox { kGraph, kHour, kTrain, kAvoid };

// The dialog's state: it opens with the dia's options, the boxes change a
// working copy, and OK takes `options()` back into the dia.
class PassengerOptionsDialog {
 public:
  explicit PassengerOptionsDialog(const PassengerOptions& options) : options_(options) {}

  bool Checked(PassengerBox box) const;
  // While "乗客数シミュレートの省略" is checked the other three boxes are
  // disabled (they keep their checks).
  bool Enabled(PassengerBox box) const;
  // A click on a box; a disabled box does not change. Returns whether the
  // box changed.
  bool SetChecked(PassengerBox box, bool checked);

  const PassengerOptions& options() const { return options_; }

 private:
  PassengerOptions options_;
};

// OK of the dialog: the dia takes `options` as one action of its record of
// changes (none, and the dia stays unmodified, when they are its options
// already).
void TakePassengerOptions(DiaModel& dia, const PassengerOptions& options);

struct PassengerOptionsTexts {
  const char* title;
  const char* graph;  // box labels
  const char* hour;
  const char* train;
  const char* simple_group;  // the group around the hour and train boxes
  const char* avoid;
  const char* avoid_note;
};
const PassengerOptionsTexts& PassengerOptionsDialogTexts(bool english);

}  // namespace corvane
