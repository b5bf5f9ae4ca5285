#include "app/train_type_dialog.h"

#include <cstdio>

#include "base/encoding.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

constexpr const char* kNameFields[] = {"one_char_name", "short_name", "name"};

std::vector<std::string> StyleNames(bool english) {
  if (english) return {"Solid(&1)", "Dashed(&2)", "Dotted(&3)", "Dash-Dot(&4)"};
  return {"実線(&1)", "破線(&2)", "点線(&3)", "一点鎖線(&4)"};
}

std::vector<std::string> WidthNames() {
  std::vector<std::string> names;
  for (const int width : kTrainTypeWidths) {
    char text[16];
    std::snprintf(text, sizeof text, "%4.2f", width * 0.001);
    names.emplace_back(text);
  }
  return names;
}

int WidthItem(int width) {
  for (std::size_t i = 0; i < kTrainTypeWidths.size(); ++i) {
    if (kTrainTypeWidths[i] == width) return static_cast<int>(i);
  }
  return -1;
}

Rgb ColourOf(const TrainTypeRecord& type) { return {type.red, type.green, type.blue}; }

}  // namespace

TrainTypeRecord NewTrainType(int number) {
  TrainTypeRecord type;
  type.kind = 1;
  type.line_style = 0;
  type.line_width = 500;
  type.one_char_name = Utf8ToSjis("新");
  type.short_name = Utf8ToSjis("新規");
  char name[32];
  std::snprintf(name, sizeof name, "新規種別%02d", number);
  type.name = Utf8ToSjis(name);
  return type;
}

TrainTypeDialog::TrainTypeDialog(DiaModel& model, bool english)
    : model_(model), work_(model.dia().train_types) {
  Add(ChoiceField("types", {"種別", "Train Types"}, {}, -1, FieldKind::kList));
  Add(TextField("one_char_name", {"一文字名称", "One-Character Name"},
                static_cast<int>(ShortText::kCapacity), {}));
  Add(TextField("short_name", {"略記名称", "Short Name"}, static_cast<int>(ShortText::kCapacity),
                {}));
  Add(TextField("name", {"名称", "Name"}, static_cast<int>(LongText::kCapacity), {}));
  Add(MakeField("passengers", {"客扱い(&P)", "Passenger Service(&P)"}, FieldKind::kCheck));
  Add(MakeField("colour", {"色", "Colour"}, FieldKind::kColour));
  Add(ChoiceField("style", {"スタイル", "Style"}, StyleNames(english), -1, FieldKind::kRadio));
  Add(ChoiceField("width", {"線の太さ", "Line Width"}, WidthNames(), -1, FieldKind::kList));
  AddButton("add", {"種別追加(&A)", "Add Type(&A)"});
  FillList();
  if (work_.count() >= 1) {
    Show(1);
  } else {
    EnableFields(false);
  }
}

std::string TrainTypeDialog::Title(bool english) const {
  return english ? "Train Type Setting" : "種別設定";
}

void TrainTypeDialog::FillList() {
  DialogField& list = *Find("types");
  list.items.clear();
  for (int t = 1; t <= work_.count(); ++t) list.items.push_back(work_[t].name.Utf8());
  list.item = shown_ - 1;
}

void TrainTypeDialog::EnableFields(bool enabled) {
  for (const char* id : kNameFields) Find(id)->enabled = enabled;
  for (const char* id : {"passengers", "colour", "style", "width"}) Find(id)->enabled = enabled;
}

void TrainTypeDialog::Show(int type) {
  shown_ = type;
  const TrainTypeRecord& record = work_[type];
  Find("one_char_name")->text = record.one_char_name.Utf8();
  Find("short_name")->text = record.short_name.Utf8();
  Find("name")->text = record.name.Utf8();
  Find("passengers")->checked = record.kind != 0;
  Find("colour")->text = ColourText(ColourOf(record));
  Find("style")->item = record.line_style >= 0 && record.line_style < 4 ? record.line_style : -1;
  // A width the list does not offer selects nothing and stays until one is chosen.
  Find("width")->item = WidthItem(record.line_width);
  Find("types")->item = type - 1;
  EnableFields(true);
}

void TrainTypeDialog::Keep(const std::string& id) {
  TrainTypeRecord& record = work_.Slot(shown_);
  if (id == "one_char_name" || id == "short_name" || id == "name") {
    DialogField& field = *Find(id);
    const std::string sjis = Utf8ToSjis(field.text);
    if (id == "one_char_name") record.one_char_name = sjis;
    if (id == "short_name") record.short_name = sjis;
    if (id == "name") record.name = sjis;
    // The field holds what the record keeps: cut on a character boundary.
    const std::string_view kept = ClipSjis(sjis, static_cast<std::size_t>(field.max_bytes));
    if (kept.size() != sjis.size()) field.text = SjisToUtf8(kept);
    FillList();
  } else if (id == "passengers") {
    record.kind = Find(id)->checked ? 1 : 0;
  } else if (id == "style") {
    record.line_style = ItemOr(id, record.line_style);
  } else if (id == "width") {
    const int item = Find(id)->item;
    if (item >= 0 && item < static_cast<int>(kTrainTypeWidths.size())) {
      record.line_width = kTrainTypeWidths[static_cast<std::size_t>(item)];
    }
  } else if (id == "colour") {
    if (const std::optional<Rgb> colour = ParseColourText(TextOf(id))) {
      record.red = colour->red;
      record.green = colour->green;
      record.blue = colour->blue;
    }
  }
}

void TrainTypeDialog::Changed(const std::string& id) {
  if (id == "types") {
    const int item = Find(id)->item;
    if (work_.Contains(item + 1)) {
      Show(item + 1);
    } else {
      Find(id)->item = shown_ - 1;
    }
    return;
  }
  if (work_.Contains(shown_)) Keep(id);
}

void TrainTypeDialog::Press(const std::string& button, DialogHost& host) {
  if (button != "add") return;
  const int number = work_.count() + 1;
  if (number > kMaxTrainTypes || !work_.Append(NewTrainType(number))) {
    host.prompter().Error(kTrainTypeLimit, kTrainTypeLimitCaption);
    return;
  }
  shown_ = number;
  FillList();
  Show(number);
}

bool TrainTypeDialog::Accept(Prompter& prompter) {
  // Every type's names, not only the one shown: a comma or line break in a
  // stored name would shift the columns of the saved table.
  for (int t = 1; t <= work_.count(); ++t) {
    for (const std::string& name :
         {work_[t].one_char_name.Utf8(), work_[t].short_name.Utf8(), work_[t].name.Utf8()}) {
      if (const std::optional<std::string> problem = TextFieldProblem(name)) {
        Show(t);
        prompter.Error(*problem, kInputErrorCaption);
        return false;
      }
    }
  }
  StoreTrainTypes(model_, work_);
  return true;
}

void StoreTrainTypes(DiaModel& model, const Table<TrainTypeRecord>& types) {
  const Table<TrainTypeRecord>& held = model.dia().train_types;
  DiaChange change(model);
  for (int t = 1; t <= types.count(); ++t) {
    if (t > held.count()) {
      change.train_types().Append(types[t]);
    } else if (!(held[t] == types[t])) {
      change.train_types()[t] = types[t];
    }
  }
}

}  // namespace corvane
