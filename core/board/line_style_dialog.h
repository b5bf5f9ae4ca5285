#pragma once
// "線種・配色設定": the board's 22 pen and colour items, one chosen from the
// list at a time, with its name, colour, pen style and width.

#include <string>

#include "base/dialog_model.h"
#include "board/line_items.h"

namespace corvane {

class LineStyleDialog : public DialogModel {
 public:
  LineStyleDialog(const LineItems& items, bool english);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  bool Accept(Prompter& prompter) override;

  // The items as edited.
  const LineItems& items() const { return items_; }

 private:
  void ShowItem();

  LineItems items_;
  int item_ = 0;
};

}  // namespace corvane
