#pragma once
// "線種・配色設定": the board's 22 pen and colour items, one at a time: the
// list chooses the item, the fields below show and edit its name, colour,
// line style and width. OK keeps the edited items; cancel forgets them.

#include <string>

#include "base/dialog_model.h"
#include "board/line_items.h"

namespace corvane {

// The line styles offered, in the order of their stored numbers (0 solid,
// 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot).
inline constexpr int kPenStyleCount = 5;

class LineItemsDialog : public DialogModel {
 public:
  // `english`: the language of the line styles' names in their list.
  LineItemsDialog(const LineItems& items, bool english);
  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  // "初期値": the chosen item takes its default name, colour, style and width.
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;
  const LineItems& items() const { return items_; }

 private:
  // The item the list shows chosen (0..21).
  int Chosen() const;
  // The fields show item `index`.
  void ShowItem(int index);
  // Keeps what the fields say of the item shown; false (with the refusal
  // shown) when a field cannot be stored.
  bool KeepFields(Prompter* prompter);

  LineItems items_;
  int shown_ = 0;
};

}  // namespace corvane
