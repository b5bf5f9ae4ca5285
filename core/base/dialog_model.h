#pragma once
// Dialogs as models: the fields, lists and buttons of a dialog with its
// rules (what is enabled, what a button does, what OK checks and stores),
// without any window. The desktop program shows a model in a form of its
// own; tests and editing scripts fill its fields by their labels and press
// its buttons. A model that opens another dialog (a button that edits the
// selected entry) asks its DialogHost to run it.

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/canvas.h"
#include "base/prompter.h"
#include "base/text_format.h"

namespace corvane {

enum class FieldKind {
  kText,           // a line of text, at most `max_bytes` Shift-JIS bytes
  kNumber,         // digits, read with a plain decimal parse
  kCheck,          // a check box
  kCheckedNumber,  // a check box with a number, read-only while unchecked
  kChoice,         // a drop-down list
  kList,           // a list box; `item` -1 selects nothing
  kRadio,          // radio buttons, one per item
  kTextChoice,     // a text that may also be picked from `items`
  kColour,         // a colour as "#RRGGBB", with a swatch and a button to choose it
  kNote,           // a line of text shown, not entered
  kPicture,        // a picture shown: `text` is its file's path
};

struct DialogField {
  std::string id;
  Bilingual label;
  FieldKind kind = FieldKind::kText;
  // The group the field stands in ("←方向"), shown around it; a label that
  // stands in several groups is named with the group's `prefix` in front
  // ("←停止目標距離").
  Bilingual group;
  std::string prefix;
  // The group stands beside the group before it rather than under it (the
  // two directions of a track section side by side).
  bool group_beside = false;
  bool enabled = true;
  int max_bytes = 0;  // texts: the field's size without the terminating zero

  std::string text;  // texts and numbers (UTF-8)
  bool checked = false;
  int item = -1;                   // choices and lists
  std::vector<std::string> items;  // UTF-8
  // A button of the dialog that an editing script presses after giving
  // this field (the field's "confirm" button).
  std::string presses;

  // The name an editing script gives the field: prefix and Japanese label
  // without its accelerator mark.
  std::string ScriptName() const;
  // Whether its text may be typed in: an enabled field, a checked number
  // only while checked.
  bool TextEditable() const { return enabled && (kind != FieldKind::kCheckedNumber || checked); }
};

// A colour field's text, "#RRGGBB" (hexadecimal, either case), and back;
// nothing for another text.
std::string ColourText(Rgb colour);
std::optional<Rgb> ParseColourText(std::string_view text);

// Fields as dialogs build them; texts are UTF-8.
DialogField MakeField(const char* id, Bilingual label, FieldKind kind);
DialogField TextField(const char* id, Bilingual label, int max_bytes, std::string utf8);
DialogField NumberField(const char* id, Bilingual label, int value);
// A list preset to `item`; an item the list does not hold selects nothing.
DialogField ChoiceField(const char* id, Bilingual label, std::vector<std::string> items, int item,
                        FieldKind kind = FieldKind::kChoice);
// The field inside a group, named in scripts with `prefix` in front; the
// group stands under the one before it, or beside it.
enum class GroupPlace { kBelow, kBeside };
DialogField InGroup(DialogField field, Bilingual group, std::string prefix,
                    GroupPlace place = GroupPlace::kBelow);

struct DialogButton {
  std::string id;
  Bilingual label;  // "&" marks the accelerator, as in "追加(&A)"
  bool enabled = true;
};

class DialogHost;

class DialogModel {
 public:
  virtual ~DialogModel() = default;

  virtual std::string Title(bool english) const = 0;
  const std::vector<DialogField>& fields() const { return fields_; }
  const std::vector<DialogButton>& buttons() const { return buttons_; }
  DialogField* Find(std::string_view id);
  const DialogField* Find(std::string_view id) const;
  const DialogButton* FindButton(std::string_view id) const;
  // The labels of the OK and cancel buttons; an empty cancel label shows
  // no cancel button (closing the window still cancels).
  const Bilingual& ok_label() const { return ok_label_; }
  const Bilingual& cancel_label() const { return cancel_label_; }
  bool ok_enabled() const { return ok_enabled_; }
  // False once the dialog has stored something that cancelling could not
  // take back: only OK closes it then.
  bool cancel_enabled() const { return cancel_enabled_; }

  // The user changed field `id` (the new value is in place already): the
  // model brings the other fields' contents and enabled states up to date.
  virtual void Changed(const std::string& id) { (void)id; }
  // A button inside the dialog.
  virtual void Press(const std::string& button, DialogHost& host) {
    (void)button;
    (void)host;
  }
  // OK: checks the fields and stores what they say; a refusal is shown
  // through `prompter` and keeps the dialog open (false).
  virtual bool Accept(Prompter& prompter) = 0;

 protected:
  DialogField& Add(DialogField field);
  void AddButton(std::string id, Bilingual label);
  void EnableButton(std::string_view id, bool enabled);
  // A number field's value: a plain decimal parse of its text.
  int NumberOf(std::string_view id) const;
  // A list's selected item, or `stored` while nothing is selected.
  int ItemOr(std::string_view id, int stored) const;
  const std::string& TextOf(std::string_view id) const;

  Bilingual ok_label_{"OK", "OK"};
  Bilingual cancel_label_{"キャンセル", "Cancel"};
  bool ok_enabled_ = true;
  bool cancel_enabled_ = true;

 private:
  std::vector<DialogField> fields_;
  std::vector<DialogButton> buttons_;
};

// Who shows dialogs: the desktop program's windows, a script, a test.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  virtual Prompter& prompter() = 0;
  // The language of the lists' texts (labels come in both).
  virtual bool english() const { return false; }
  // Shows `dialog` until its OK is accepted (true) or it is cancelled.
  virtual bool Run(DialogModel& dialog) = 0;
};

// The refusal of a text that a map cannot store: member texts are cut at
// commas and line ends, so a name holding one would shift every later column
// when the map is read again. Nothing for a text without them.
std::optional<std::string> TextFieldProblem(std::string_view utf8);
inline constexpr const char kInputErrorCaption[] = "入力データエラー";
// Shows the refusal of the first text field of `dialog` that holds a comma
// or a line break; false when there was one.
bool CheckTextFields(const DialogModel& dialog, Prompter& prompter);

// ------------------------------------------------------------ scripted answers

// One answer to a dialog, as an editing script gives it: field values and
// button presses in order, then OK or cancel.
struct DialogAnswer {
  struct Step {
    std::string name;   // a field's script name, "press", or "#list" for the dialog's list
    std::string value;  // texts and numbers as typed; list items by text or "#N" (1-based)
  };
  std::vector<Step> steps;
  bool ok = false;
};

// Parses "FIELD=VALUE ... ok|cancel" (a value may be quoted with double
// quotes to hold blanks). Nothing with `*error` set for a malformed answer.
std::optional<DialogAnswer> ParseDialogAnswer(std::string_view line, std::string* error);

// Answers the dialogs from a queue: each dialog that opens takes the next
// answer; with none queued it is cancelled. A step that names no field or
// value of the dialog is a mistake of the script: the dialog is cancelled
// and `mistake()` says what was wrong.
class ScriptDialogHost : public DialogHost {
 public:
  explicit ScriptDialogHost(Prompter& prompter) : prompter_(prompter) {}

  void Queue(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
  void QueueFirst(DialogAnswer answer) { answers_.push_front(std::move(answer)); }
  bool has_answers() const { return !answers_.empty(); }
  // The first mistake since the last call, then forgotten.
  std::optional<std::string> TakeMistake();

  Prompter& prompter() override { return prompter_; }
  bool Run(DialogModel& dialog) override;

 private:
  bool Apply(DialogModel& dialog, const DialogAnswer::Step& step);

  Prompter& prompter_;
  std::deque<DialogAnswer> answers_;
  std::optional<std::string> mistake_;
};

}  // namespace corvane
