#include "editor/value_dialogs.h"

#include <climits>

#include "base/member_text.h"
#include "editor/rail_info_dialog.h"
#include "editor/value_names.h"

namespace corvane {

namespace {

constexpr const char kNegative[] = "負の値は設定できません。\n";
constexpr const char kTooLarge[] = "入力された値が大きすぎます。\n";

// Shows a refusal of the number in `text`; the value otherwise.
bool ReadNumber(std::string_view text, Prompter& prompter, int* value) {
  const ParsedNumber number = ParseFieldNumber(text);
  if (number.problem != nullptr) {
    prompter.Error(number.problem, kInputErrorCaption);
    return false;
  }
  *value = number.value;
  return true;
}

}  // namespace

ParsedNumber ParseFieldNumber(std::string_view text) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.negative && number.magnitude != 0) return {0, kNegative};
  if (number.magnitude > INT_MAX) return {0, kTooLarge};
  return {static_cast<int>(number.magnitude), nullptr};
}

ChoiceDialog::ChoiceDialog(Bilingual title, Bilingual label, std::vector<std::string> items,
                           int item)
    : title_(title) {
  Add(ChoiceField("list", label, std::move(items), item, FieldKind::kList));
}

bool ChoiceDialog::Accept(Prompter&) {
  chosen_ = Find("list")->item;
  return chosen_ >= 0;
}

ChoiceDialog ElectricKindDialog(int kind, bool english) {
  std::vector<std::string> items;
  for (int k = 0; k < kElectricKindCount; ++k) items.emplace_back(ElectricKindName(k, english));
  return ChoiceDialog({"電化方式選択", "Electrification"}, {"電化方式", "Electrification"},
                      std::move(items), kind);
}

SpeedDialog::SpeedDialog() {
  DialogField& speed =
      Add(MakeField("speed", {"制限速度", "Speed Limit"}, FieldKind::kCheckedNumber));
  speed.checked = true;
}

std::string SpeedDialog::Title(bool english) const { return english ? "Speed" : "速度入力"; }

bool SpeedDialog::Accept(Prompter& prompter) {
  const DialogField& speed = *Find("speed");
  int value = 0;
  if (speed.checked && !ReadNumber(speed.text, prompter, &value)) return false;
  speed_ = speed.checked ? value : 0;
  return true;
}

DistanceDialog::DistanceDialog() {
  Add(NumberField("distance", {"設定距離", "Distance"}, 0)).text.clear();
}

std::string DistanceDialog::Title(bool english) const { return english ? "Distance" : "距離入力"; }

bool DistanceDialog::Accept(Prompter& prompter) {
  return ReadNumber(TextOf("distance"), prompter, &distance_);
}

GridDialog::GridDialog(int grid_x, int grid_y) : grid_x_(grid_x), grid_y_(grid_y) {
  for (const bool columns : {true, false}) {
    const int step = columns ? grid_x : grid_y;
    DialogField& field = Add(MakeField(
        columns ? "grid_x" : "grid_y",
        columns ? Bilingual{"横グリッド", "Column Lines"} : Bilingual{"縦グリッド", "Row Lines"},
        FieldKind::kCheckedNumber));
    field.checked = step != 0;
    field.text = step != 0 ? std::to_string(step) : "";
  }
}

std::string GridDialog::Title(bool english) const {
  return english ? "Grid Display" : "グリッド表示設定";
}

void GridDialog::Changed(const std::string& id) {
  DialogField& field = *Find(id);
  if (field.checked && field.text.empty()) field.text = id == "grid_x" ? "10" : "4";
}

bool GridDialog::Accept(Prompter& prompter) {
  int x = 0, y = 0;
  const DialogField& columns = *Find("grid_x");
  const DialogField& rows = *Find("grid_y");
  if (columns.checked && !ReadNumber(columns.text, prompter, &x)) return false;
  if (rows.checked && !ReadNumber(rows.text, prompter, &y)) return false;
  grid_x_ = x;
  grid_y_ = y;
  return true;
}

}  // namespace corvane
