#include "board/line_style_dialog.h"

#include <algorithm>
#include <climits>

#include "base/encoding.h"

namespace corvane {

namespace {

// The pen styles offered, by their stored numbers 0..4.
std::vector<std::string> PenStyles(bool english) {
  if (english) return {"Solid", "Dashed", "Dotted", "Dash-Dot", "Dash-Dot-Dot"};
  return {"実線", "破線", "点線", "一点鎖線", "二点鎖線"};
}

std::vector<std::string> ItemNames(const LineItems& items) {
  std::vector<std::string> names;
  for (const LineItem& item : items) names.push_back(item.name.Utf8());
  return names;
}

}  // namespace

LineStyleDialog::LineStyleDialog(const LineItems& items, bool english) : items_(items) {
  Add(ChoiceField("item", {"項目", "Item"}, ItemNames(items_), 0, FieldKind::kList));
  Add(TextField("name", {"項目名", "Item Name"}, LongText::kCapacity, ""));
  Add(MakeField("colour", {"色", "Colour"}, FieldKind::kColour));
  Add(ChoiceField("pen", {"線種", "Line Style"}, PenStyles(english), -1));
  Add(NumberField("width", {"線幅", "Line Width"}, 0));
  ShowItem();
}

std::string LineStyleDialog::Title(bool english) const {
  return english ? "Line and Color Setting" : "線種・配色設定";
}

void LineStyleDialog::ShowItem() {
  const LineItem& item = items_[static_cast<std::size_t>(item_)];
  Find("item")->item = item_;
  Find("name")->text = item.name.Utf8();
  Find("colour")->text = ColourText(item.colour);
  DialogField& pen = *Find("pen");
  // A style the list does not offer stays as it is until one is chosen.
  pen.item = item.pen_style >= 0 && item.pen_style < static_cast<int>(pen.items.size())
                 ? item.pen_style
                 : -1;
  Find("width")->text = std::to_string(item.point_width);
}

void LineStyleDialog::Changed(const std::string& id) {
  const DialogField& field = *Find(id);
  if (id == "item") {
    if (field.item >= 0 && field.item < kLineItemCount) item_ = field.item;
    ShowItem();
    return;
  }
  LineItem& item = items_[static_cast<std::size_t>(item_)];
  if (id == "name") {
    // A line break would end the settings file's line: such a name is not
    // taken (OK refuses it).
    if (TextFieldProblem(field.text)) return;
    item.name = Utf8ToSjis(field.text);
    Find("item")->items[static_cast<std::size_t>(item_)] = item.name.Utf8();
  } else if (id == "colour") {
    if (const std::optional<Rgb> colour = ParseColourText(field.text)) item.colour = *colour;
  } else if (id == "pen") {
    if (field.item >= 0) item.pen_style = field.item;
  } else if (id == "width") {
    // A width is never negative.
    item.point_width = std::max(NumberOf("width"), 0);
  }
}

bool LineStyleDialog::Accept(Prompter& prompter) { return CheckTextFields(*this, prompter); }

}  // namespace corvane
