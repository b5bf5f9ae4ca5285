#include "base/dialog_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

// Fields of every kind of placement: loose ones, two groups side by side, a
// list outside a group, a group that cannot stand beside a loose section,
// and a list inside it.
class SampleDialog : public DialogModel {
 public:
  explicit SampleDialog(bool lists) {
    const Bilingual left{"←方向", "Leftward"};
    const Bilingual right{"→方向", "Rightward"};
    const Bilingual detail{"詳細", "Details"};
    Add(MakeField("name", {"名称", "Name"}, FieldKind::kText)).presses = "no_such_button";
    Add(MakeField("flag", {"単線", "Single"}, FieldKind::kCheck));
    Add(MakeField("note", {"注", "Note"}, FieldKind::kNote));
    DialogField& confirmed = Add(InGroup(MakeField("left", {"名称", "Name"}, FieldKind::kText),
                                         left, "←", GroupPlace::kBeside));
    confirmed.presses = "confirm";
    Add(InGroup(MakeField("right", {"名称", "Name"}, FieldKind::kText), right, "→",
                GroupPlace::kBeside));
    if (!lists) return;
    Add(MakeField("list", {"一覧", "List"}, FieldKind::kList));
    Add(InGroup(MakeField("detail", {"開始", "Start"}, FieldKind::kCheckedNumber), detail, "",
                GroupPlace::kBeside));
    Add(InGroup(MakeField("details", {"詳細一覧", "Details"}, FieldKind::kList), detail, ""));
  }
  void Buttons() {
    AddButton("add", {"追加(&A)", "Add(&A)"});
    AddButton("confirm", {"確定", "Confirm"});
    AddButton("delete", {"削除(&D)", "Delete(&D)"});
  }
  std::string Title(bool) const override { return "sample"; }
  bool Accept(Prompter&) override { return true; }
};

struct RowView {
  std::string field;
  LabelPlace label;
  bool full_width;
  std::string button;
  bool buttons_after;
  friend bool operator==(const RowView&, const RowView&) = default;
};

std::vector<RowView> RowsOf(const DialogModel& model, const FormSection& section) {
  std::vector<RowView> rows;
  for (const FormRow& row : section.rows) {
    rows.push_back({model.fields()[static_cast<std::size_t>(row.field)].id, row.label,
                    row.full_width, row.button, row.buttons_after});
  }
  return rows;
}

TEST(DialogLayoutTest, SectionsLabelsAndButtonsAsTheModelSays) {
  SampleDialog dialog(/*lists=*/true);
  dialog.Buttons();
  const FormLayout layout = LayOutForm(dialog);
  ASSERT_EQ(layout.sections.size(), 5u);
  const auto& s = layout.sections;

  EXPECT_FALSE(s[0].framed());
  EXPECT_FALSE(s[0].beside);
  EXPECT_EQ(RowsOf(dialog, s[0]),
            (std::vector<RowView>{{"name", LabelPlace::kBeside, false, "", false},
                                  {"flag", LabelPlace::kInside, false, "", false},
                                  {"note", LabelPlace::kNone, false, "", false}}));
  // The first framed group has no frame before it to stand beside.
  EXPECT_STREQ(s[1].group.english, "Leftward");
  EXPECT_FALSE(s[1].beside);
  EXPECT_EQ(RowsOf(dialog, s[1]),
            (std::vector<RowView>{{"left", LabelPlace::kBeside, false, "confirm", false}}));
  EXPECT_STREQ(s[2].group.english, "Rightward");
  EXPECT_TRUE(s[2].beside);

  // A list outside a group has its label above it.
  EXPECT_EQ(RowsOf(dialog, s[3]),
            (std::vector<RowView>{{"list", LabelPlace::kAbove, true, "", false}}));
  // After a section without a frame a group stands under it; its list is
  // named by the frame, and the other buttons follow the last list.
  EXPECT_FALSE(s[4].beside);
  EXPECT_EQ(RowsOf(dialog, s[4]),
            (std::vector<RowView>{{"detail", LabelPlace::kInside, false, "", false},
                                  {"details", LabelPlace::kNone, true, "", true}}));
  EXPECT_EQ(layout.buttons, (std::vector<std::string>{"add", "delete"}));
  EXPECT_FALSE(layout.buttons_at_end);
}

TEST(DialogLayoutTest, WithoutAListTheButtonsComeLast) {
  SampleDialog dialog(/*lists=*/false);
  dialog.Buttons();
  const FormLayout layout = LayOutForm(dialog);
  EXPECT_EQ(layout.sections.size(), 3u);
  EXPECT_EQ(layout.buttons, (std::vector<std::string>{"add", "delete"}));
  EXPECT_TRUE(layout.buttons_at_end);

  // A button no field presses any more joins the others.
  SampleDialog plain(/*lists=*/false);
  EXPECT_TRUE(LayOutForm(plain).buttons.empty());
}

TEST(DialogLayoutTest, ACheckedNumberIsTypedOnlyWhileChecked) {
  DialogField number = MakeField("speed", {"制限速度", "Speed Limit"}, FieldKind::kCheckedNumber);
  EXPECT_FALSE(number.TextEditable());
  number.checked = true;
  EXPECT_TRUE(number.TextEditable());
  number.enabled = false;
  EXPECT_FALSE(number.TextEditable());
  EXPECT_TRUE(MakeField("name", {"名称", "Name"}, FieldKind::kText).TextEditable());
}

}  // namespace
}  // namespace corvane
