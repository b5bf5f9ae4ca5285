#pragma once
// How a form shows a dialog model: its fields in sections (a frame per
// group, a group beside the one before it where the model says so), where
// each field's label goes, which button stands beside a field and where the
// other buttons go. The desktop program's form builds its widgets from this
// and decides nothing of its own.

#include <string>
#include <vector>

#include "base/dialog_model.h"

namespace corvane {

// Whether `group` names a group (a field outside any has an empty one).
inline bool InAGroup(const Bilingual& group) {
  return group.japanese != nullptr && group.japanese[0] != '\0';
}

enum class LabelPlace {
  kBeside,  // in the label column left of the control
  kInside,  // the control carries it (check boxes)
  kAbove,   // on a line of its own above the control (a list outside a group)
  kNone,    // not shown: a note, or a list its group names
};

struct FormRow {
  int field = 0;  // index into the model's fields()
  LabelPlace label = LabelPlace::kBeside;
  bool full_width = false;  // across the label column too (lists)
  // The id of the button that stands beside the control ("" for none): the
  // one the field presses.
  std::string button;
  // The dialog's other buttons stand on a row after this one.
  bool buttons_after = false;
};

struct FormSection {
  Bilingual group;  // the title of its frame; empty: rows without a frame
  // Stands to the right of the section before it (both framed).
  bool beside = false;
  std::vector<FormRow> rows;

  bool framed() const { return InAGroup(group); }
};

struct FormLayout {
  std::vector<FormSection> sections;
  // The buttons no field presses, in the model's order: on a row after the
  // last list, or after the sections when there is no list.
  std::vector<std::string> buttons;
  bool buttons_at_end = true;
};

// A section per run of fields of one group, in the model's order.
FormLayout LayOutForm(const DialogModel& model);

}  // namespace corvane
