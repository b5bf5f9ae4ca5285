#include "base/dialog_model.h"

#include <charconv>
#include <cstdio>

#include "base/member_text.h"
#include "base/menu.h"

namespace corvane {

namespace {

constexpr const char kCommaInText[] = "名称等に「,」（半角カンマ）や改行は使用できません。\n";

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

std::optional<int> ListItem(const DialogField& field, std::string_view value) {
  for (std::size_t i = 0; i < field.items.size(); ++i) {
    if (field.items[i] == value) return static_cast<int>(i);
  }
  if (value.size() > 1 && value.front() == '#') {
    int number = 0;
    const auto [end, error] =
        std::from_chars(value.data() + 1, value.data() + value.size(), number);
    if (error == std::errc() && end == value.data() + value.size() && number >= 1 &&
        number <= static_cast<int>(field.items.size())) {
      return number - 1;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string ColourText(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red & 0xff, colour.green & 0xff,
                colour.blue & 0xff);
  return text;
}

std::optional<Rgb> ParseColourText(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  int parts[3];
  for (int i = 0; i < 3; ++i) {
    const std::optional<int> high = HexDigit(text[1 + 2 * i]);
    const std::optional<int> low = HexDigit(text[2 + 2 * i]);
    if (!high || !low) return std::nullopt;
    parts[i] = *high * 16 + *low;
  }
  return Rgb{parts[0], parts[1], parts[2]};
}

std::string DialogField::ScriptName() const { return prefix + PlainMenuText(label.japanese); }

DialogField MakeField(const char* id, Bilingual label, FieldKind kind) {
  DialogField field;
  field.id = id;
  field.label = label;
  field.kind = kind;
  return field;
}

DialogField TextField(const char* id, Bilingual label, int max_bytes, std::string utf8) {
  DialogField field = MakeField(id, label, FieldKind::kText);
  field.max_bytes = max_bytes;
  field.text = std::move(utf8);
  return field;
}

DialogField NumberField(const char* id, Bilingual label, int value) {
  DialogField field = MakeField(id, label, FieldKind::kNumber);
  field.text = std::to_string(value);
  return field;
}

DialogField ChoiceField(const char* id, Bilingual label, std::vector<std::string> items, int item,
                        FieldKind kind) {
  DialogField field = MakeField(id, label, kind);
  field.items = std::move(items);
  field.item = item >= 0 && item < static_cast<int>(field.items.size()) ? item : -1;
  return field;
}

DialogField InGroup(DialogField field, Bilingual group, std::string prefix, GroupPlace place) {
  field.group = group;
  field.prefix = std::move(prefix);
  field.group_beside = place == GroupPlace::kBeside;
  return field;
}

DialogField* DialogModel::Find(std::string_view id) {
  for (DialogField& field : fields_) {
    if (field.id == id) return &field;
  }
  return nullptr;
}

const DialogField* DialogModel::Find(std::string_view id) const {
  return const_cast<DialogModel*>(this)->Find(id);
}

const DialogButton* DialogModel::FindButton(std::string_view id) const {
  for (const DialogButton& button : buttons_) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

DialogField& DialogModel::Add(DialogField field) {
  fields_.push_back(std::move(field));
  return fields_.back();
}

void DialogModel::AddButton(std::string id, Bilingual label) {
  buttons_.push_back({std::move(id), label, true});
}

void DialogModel::EnableButton(std::string_view id, bool enabled) {
  for (DialogButton& button : buttons_) {
    if (button.id == id) button.enabled = enabled;
  }
}

int DialogModel::NumberOf(std::string_view id) const {
  const DialogField* field = Find(id);
  return field == nullptr ? 0 : PieceToInt(field->text);
}

int DialogModel::ItemOr(std::string_view id, int stored) const {
  const DialogField* field = Find(id);
  return field != nullptr && field->item >= 0 ? field->item : stored;
}

const std::string& DialogModel::TextOf(std::string_view id) const {
  static const std::string kNone;
  const DialogField* field = Find(id);
  return field == nullptr ? kNone : field->text;
}

std::optional<std::string> TextFieldProblem(std::string_view utf8) {
  if (utf8.find_first_of(",\r\n") == std::string_view::npos) return std::nullopt;
  return std::string(kCommaInText);
}

bool CheckTextFields(const DialogModel& dialog, Prompter& prompter) {
  for (const DialogField& field : dialog.fields()) {
    if (field.kind != FieldKind::kText || !field.enabled) continue;
    if (const auto problem = TextFieldProblem(field.text)) {
      prompter.Error(*problem, kInputErrorCaption);
      return false;
    }
  }
  return true;
}

std::optional<DialogAnswer> ParseDialogAnswer(std::string_view line, std::string* error) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string word;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
      if (line[i] == '"') {
        quoted = !quoted;
      } else {
        word += line[i];
      }
    }
    if (quoted) {
      *error = "a quote is not closed";
      return std::nullopt;
    }
    words.push_back(std::move(word));
  }
  if (words.empty() || (words.back() != "ok" && words.back() != "cancel")) {
    *error = "FIELD=VALUE ... ok|cancel expected";
    return std::nullopt;
  }
  DialogAnswer answer;
  answer.ok = words.back() == "ok";
  words.pop_back();
  for (const std::string& word : words) {
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos || equals == 0) {
      *error = "\"" + word + "\" is not FIELD=VALUE";
      return std::nullopt;
    }
    answer.steps.push_back({word.substr(0, equals), word.substr(equals + 1)});
  }
  return answer;
}

std::optional<std::string> ScriptDialogHost::TakeMistake() {
  std::optional<std::string> mistake = std::move(mistake_);
  mistake_.reset();
  return mistake;
}

bool ScriptDialogHost::Run(DialogModel& dialog) {
  if (answers_.empty()) return false;
  const DialogAnswer answer = std::move(answers_.front());
  answers_.pop_front();
  for (const DialogAnswer::Step& step : answer.steps) {
    if (!Apply(dialog, step)) {
      if (!mistake_) {
        mistake_ = "the answer to \"" + dialog.Title(false) + "\": " + step.name + "=" +
                   step.value + " does not fit the dialog";
      }
      return false;
    }
  }
  if (!answer.ok) {
    if (!dialog.cancel_enabled() && !mistake_) {
      mistake_ = "the answer to \"" + dialog.Title(false) + "\": Cancel cannot be pressed now";
    }
    return false;
  }
  if (!dialog.ok_enabled()) {
    mistake_ = "the answer to \"" + dialog.Title(false) + "\": OK cannot be pressed now";
    return false;
  }
  return dialog.Accept(prompter_);
}

bool ScriptDialogHost::Apply(DialogModel& dialog, const DialogAnswer::Step& step) {
  if (step.name == "press") {
    for (const DialogButton& button : dialog.buttons()) {
      if (PlainMenuText(button.label.japanese) == step.value || button.id == step.value) {
        dialog.Press(button.id, *this);
        return true;
      }
    }
    return false;
  }
  DialogField* field = nullptr;
  for (const DialogField& candidate : dialog.fields()) {
    const bool named = step.name == "#list" ? candidate.kind == FieldKind::kList
                                            : candidate.ScriptName() == step.name;
    if (named) {
      field = dialog.Find(candidate.id);
      break;
    }
  }
  if (field == nullptr || !field->enabled) return false;
  switch (field->kind) {
    case FieldKind::kText:
    case FieldKind::kNumber:
      field->text = step.value;
      break;
    case FieldKind::kCheck:
      if (step.value != "0" && step.value != "1") return false;
      field->checked = step.value == "1";
      break;
    case FieldKind::kCheckedNumber:
      field->checked = !step.value.empty();
      field->text = step.value;
      break;
    case FieldKind::kChoice:
    case FieldKind::kList:
    case FieldKind::kRadio: {
      const std::optional<int> item = ListItem(*field, step.value);
      if (!item) return false;
      field->item = *item;
      break;
    }
    case FieldKind::kTextChoice:
      field->text = step.value;
      field->item = ListItem(*field, step.value).value_or(-1);
      break;
    case FieldKind::kColour:
      if (!ParseColourText(step.value)) return false;
      field->text = step.value;
      break;
    case FieldKind::kNote:
    case FieldKind::kPicture:
      return false;
  }
  dialog.Changed(field->id);
  if (!field->presses.empty()) dialog.Press(field->presses, *this);
  return true;
}

}  // namespace corvane
