#include "board/line_items_dialog.h"

#include <algorithm>

#include "base/encoding.h"
#include "editor/value_dialogs.h"

namespace corvane {

namespace {

constexpr int kWidestPen = 10000;
constexpr const char kWidthTooLarge[] = "線の太さは10000以下で指定して下さい。";
constexpr const char kNameHasLineBreak[] = "項目名に改行は使えません。";

std::vector<std::string> PenStyleNames(bool english) {
  if (english) return {"Solid", "Dashed", "Dotted", "Dash-Dot", "Dash-Dot-Dot"};
  return {"実線", "破線", "点線", "一点鎖線", "二点鎖線"};
}

std::vector<std::string> ItemNames(const LineItems& items) {
  std::vector<std::string> names;
  for (const LineItem& item : items) names.push_back(item.name.Utf8());
  return names;
}

}  // namespace

LineItemsDialog::LineItemsDialog(const LineItems& items, bool english) : items_(items) {
  Add(ChoiceField("items", {"項目", "Items"}, ItemNames(items_), 0, FieldKind::kList));
  Add(TextField("name", {"項目名", "Item Name"}, LongText::kCapacity, {}));
  Add(MakeField("colour", {"色", "Colour"}, FieldKind::kColour));
  Add(ChoiceField("style", {"線種", "Line Style"}, PenStyleNames(english), 0));
  Add(NumberField("width", {"太さ", "Width"}, 0));
  AddButton("defaults", {"初期値(&D)", "Defaults(&D)"});
  ShowItem(0);
}

std::string LineItemsDialog::Title(bool english) const {
  return english ? "Line and Color Setting" : "線種・配色設定";
}

int LineItemsDialog::Chosen() const {
  return std::clamp(Find("items")->item, 0, kLineItemCount - 1);
}

void LineItemsDialog::ShowItem(int index) {
  shown_ = index;
  const LineItem& item = items_[static_cast<std::size_t>(index)];
  Find("items")->item = index;
  Find("name")->text = item.name.Utf8();
  Find("colour")->text = ColourText(item.colour);
  // A style the list does not offer (from a settings file written by hand)
  // selects nothing and stays as it is until the user picks one.
  Find("style")->item =
      item.pen_style >= 0 && item.pen_style < kPenStyleCount ? item.pen_style : -1;
  Find("width")->text = std::to_string(item.point_width);
}

bool LineItemsDialog::KeepFields(Prompter* prompter) {
  // Each field that can be stored is kept; the first one that cannot is
  // refused (through `prompter` when there is one) and its old value stays.
  LineItem& item = items_[static_cast<std::size_t>(shown_)];
  const char* problem = nullptr;
  const std::string& name = TextOf("name");
  if (name.find_first_of("\r\n") == std::string::npos) {
    item.name = Utf8ToSjis(name);
  } else {
    problem = kNameHasLineBreak;
  }
  const ParsedNumber width = ParseFieldNumber(TextOf("width"));
  if (width.problem == nullptr && width.value <= kWidestPen) {
    item.point_width = width.value;
  } else if (problem == nullptr) {
    problem = width.problem != nullptr ? width.problem : kWidthTooLarge;
  }
  // A text that is no colour leaves the colour as it was.
  if (const std::optional<Rgb> colour = ParseColourText(TextOf("colour"))) item.colour = *colour;
  item.pen_style = ItemOr("style", item.pen_style);
  if (problem != nullptr && prompter != nullptr) prompter->Error(problem, kInputErrorCaption);
  return problem == nullptr;
}

void LineItemsDialog::Changed(const std::string& id) {
  if (id == "name") Find("items")->items[static_cast<std::size_t>(shown_)] = TextOf("name");
  if (id != "items") return;
  const int chosen = Chosen();
  // A field that cannot be stored keeps the old value of the item left
  // behind; OK checks the item shown.
  KeepFields(nullptr);
  Find("items")->items = ItemNames(items_);
  ShowItem(chosen);
}

void LineItemsDialog::Press(const std::string& button, DialogHost& host) {
  (void)host;
  if (button != "defaults") return;
  items_[static_cast<std::size_t>(shown_)] = DefaultLineItems()[static_cast<std::size_t>(shown_)];
  Find("items")->items = ItemNames(items_);
  ShowItem(shown_);
}

bool LineItemsDialog::Accept(Prompter& prompter) { return KeepFields(&prompter); }

}  // namespace corvane
