#include "base/dialog_layout.h"

#include <optional>
#include <string_view>
#include <utility>

namespace corvane {

namespace {

LabelPlace LabelPlaceOf(const DialogField& field) {
  switch (field.kind) {
    case FieldKind::kCheck:
    case FieldKind::kCheckedNumber:
      return LabelPlace::kInside;
    case FieldKind::kNote:
      return LabelPlace::kNone;
    case FieldKind::kList:
      return InAGroup(field.group) ? LabelPlace::kNone : LabelPlace::kAbove;
    default:
      return LabelPlace::kBeside;
  }
}

// The button a field presses, when the dialog has it.
std::string PressedButton(const DialogModel& model, const DialogField& field) {
  return model.FindButton(field.presses) != nullptr ? field.presses : std::string();
}

}  // namespace

FormLayout LayOutForm(const DialogModel& model) {
  FormLayout layout;
  const std::vector<DialogField>& fields = model.fields();
  // The last list's row, by section and row (the vectors still grow).
  std::optional<std::pair<std::size_t, std::size_t>> last_list;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const DialogField& field = fields[i];
    if (layout.sections.empty() ||
        std::string_view(field.group.japanese) != std::string_view(fields[i - 1].group.japanese)) {
      FormSection section;
      section.group = field.group;
      section.beside = section.framed() && field.group_beside && !layout.sections.empty() &&
                       layout.sections.back().framed();
      layout.sections.push_back(std::move(section));
    }
    FormRow row;
    row.field = static_cast<int>(i);
    row.label = LabelPlaceOf(field);
    row.full_width = field.kind == FieldKind::kList;
    row.button = PressedButton(model, field);
    std::vector<FormRow>& rows = layout.sections.back().rows;
    rows.push_back(std::move(row));
    if (field.kind == FieldKind::kList) {
      last_list = {layout.sections.size() - 1, rows.size() - 1};
    }
  }
  for (const DialogButton& button : model.buttons()) {
    bool pressed_by_a_field = false;
    for (const DialogField& field : fields) {
      pressed_by_a_field = pressed_by_a_field || PressedButton(model, field) == button.id;
    }
    if (!pressed_by_a_field) layout.buttons.push_back(button.id);
  }
  if (last_list) {
    layout.sections[last_list->first].rows[last_list->second].buttons_after = true;
    layout.buttons_at_end = false;
  }
  return layout;
}

}  // namespace corvane
