#include "dialogs/form_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "app/english_twins.h"
#include "base/dialog_layout.h"
#include "platform/dialog_owner.h"
#include "platform/qt_text.h"

namespace corvane {

namespace {

// List items the program makes show in the interface's language; names
// the user gave have no twin and stay as they are.
QStringList ItemTexts(const std::vector<std::string>& items, bool english) {
  QStringList texts;
  for (const std::string& item : items) texts << Qs(Shown(item, english));
  return texts;
}

void SetItems(QComboBox* combo, const std::vector<std::string>& items, bool english) {
  const QStringList texts = ItemTexts(items, english);
  QStringList now;
  for (int i = 0; i < combo->count(); ++i) now << combo->itemText(i);
  if (now == texts) return;
  combo->clear();
  combo->addItems(texts);
}

void SetItems(QListWidget* list, const std::vector<std::string>& items, bool english) {
  const QStringList texts = ItemTexts(items, english);
  QStringList now;
  for (int i = 0; i < list->count(); ++i) now << list->item(i)->text();
  if (now == texts) return;
  list->clear();
  list->addItems(texts);
}

}  // namespace

FormDialog::FormDialog(DialogModel& model, DialogHost& host, bool english, QWidget* parent)
    : QDialog(parent), model_(model), host_(host), english_(english) {
  setWindowTitle(Qs(model_.Title(english_)));
  Build();
  Refresh();
}

QWidget* FormDialog::MakeControls(const DialogField& field, Controls* controls) {
  const std::string id = field.id;
  switch (field.kind) {
    case FieldKind::kText:
    case FieldKind::kNumber: {
      controls->edit = new QLineEdit(this);
      controls->edit->setObjectName(Qs(id));
      if (field.kind == FieldKind::kNumber) controls->edit->setMaximumWidth(120);
      connect(controls->edit, &QLineEdit::textEdited, this, [this, id] { Edited(id); });
      return controls->edit;
    }
    case FieldKind::kCheck: {
      controls->check = new QCheckBox(Qs(field.label.Pick(english_)), this);
      controls->check->setObjectName(Qs(id));
      connect(controls->check, &QCheckBox::clicked, this, [this, id] { Edited(id); });
      return controls->check;
    }
    case FieldKind::kCheckedNumber: {
      auto* row = new QWidget(this);
      auto* layout = new QHBoxLayout(row);
      layout->setContentsMargins(0, 0, 0, 0);
      controls->check = new QCheckBox(Qs(field.label.Pick(english_)), row);
      controls->check->setObjectName(Qs(id + "_check"));
      controls->edit = new QLineEdit(row);
      controls->edit->setObjectName(Qs(id));
      controls->edit->setMaximumWidth(120);
      layout->addWidget(controls->check);
      layout->addWidget(controls->edit);
      layout->addStretch(1);
      connect(controls->check, &QCheckBox::clicked, this, [this, id] { Edited(id); });
      connect(controls->edit, &QLineEdit::textEdited, this, [this, id] { Edited(id); });
      return row;
    }
    case FieldKind::kChoice: {
      controls->combo = new QComboBox(this);
      controls->combo->setObjectName(Qs(id));
      connect(controls->combo, &QComboBox::activated, this, [this, id] { Edited(id); });
      return controls->combo;
    }
    case FieldKind::kTextChoice: {
      controls->combo = new QComboBox(this);
      controls->combo->setObjectName(Qs(id));
      controls->combo->setEditable(true);
      controls->combo->setInsertPolicy(QComboBox::NoInsert);
      connect(controls->combo, &QComboBox::currentTextChanged, this, [this, id] { Edited(id); });
      return controls->combo;
    }
    case FieldKind::kRadio: {
      auto* row = new QWidget(this);
      auto* layout = new QHBoxLayout(row);
      layout->setContentsMargins(0, 0, 0, 0);
      controls->radios = new QButtonGroup(row);
      for (std::size_t i = 0; i < field.items.size(); ++i) {
        auto* radio = new QRadioButton(Qs(Shown(field.items[i], english_)), row);
        radio->setObjectName(Qs(id + "_" + std::to_string(i)));
        controls->radios->addButton(radio, static_cast<int>(i));
        layout->addWidget(radio);
      }
      layout->addStretch(1);
      connect(controls->radios, &QButtonGroup::idClicked, this, [this, id] { Edited(id); });
      return row;
    }
    case FieldKind::kColour: {
      auto* row = new QWidget(this);
      auto* layout = new QHBoxLayout(row);
      layout->setContentsMargins(0, 0, 0, 0);
      controls->swatch = new QLabel(row);
      controls->swatch->setObjectName(Qs(id));
      controls->swatch->setFixedSize(48, 20);
      controls->swatch->setFrameShape(QFrame::Box);
      controls->swatch->setAutoFillBackground(true);
      controls->chooser = new QPushButton(Qs(english_ ? "Change Colour(&C)" : "色の変更(&C)"), row);
      controls->chooser->setObjectName(Qs(id + "_change"));
      layout->addWidget(controls->swatch);
      layout->addWidget(controls->chooser);
      layout->addStretch(1);
      connect(controls->chooser, &QPushButton::clicked, this, [this, id] { ChooseColour(id); });
      return row;
    }
    case FieldKind::kNote: {
      controls->note = new QLabel(this);
      controls->note->setObjectName(Qs(id));
      controls->note->setWordWrap(true);
      return controls->note;
    }
    case FieldKind::kPicture: {
      controls->picture = new QLabel(this);
      controls->picture->setObjectName(Qs(id));
      return controls->picture;
    }
    case FieldKind::kList: {
      controls->list = new QListWidget(this);
      controls->list->setObjectName(Qs(id));
      controls->list->setMinimumHeight(120);
      connect(controls->list, &QListWidget::currentRowChanged, this, [this, id] {
        if (!refreshing_) Edited(id);
      });
      return controls->list;
    }
  }
  return nullptr;
}

QPushButton* FormDialog::MakeButton(const std::string& id) {
  const DialogButton* button = model_.FindButton(id);
  auto* push = new QPushButton(Qs(button->label.Pick(english_)), this);
  push->setObjectName(Qs(id));
  connect(push, &QPushButton::clicked, this, [this, id] {
    model_.Press(id, host_);
    Refresh();
  });
  buttons_[id] = push;
  return push;
}

QHBoxLayout* FormDialog::MakeButtonRow(const std::vector<std::string>& ids) {
  auto* row = new QHBoxLayout;
  for (const std::string& id : ids) row->addWidget(MakeButton(id));
  row->addStretch(1);
  return row;
}

void FormDialog::Build() {
  auto* layout = new QVBoxLayout(this);
  const FormLayout form_layout = LayOutForm(model_);
  QHBoxLayout* frames = nullptr;  // the row of frames standing side by side
  for (const FormSection& section : form_layout.sections) {
    QFormLayout* form = nullptr;
    if (!section.framed()) {
      form = new QFormLayout;
      layout->addLayout(form);
      frames = nullptr;
    } else {
      auto* box = new QGroupBox(Qs(section.group.Pick(english_)), this);
      form = new QFormLayout(box);
      if (!section.beside || frames == nullptr) {
        frames = new QHBoxLayout;
        layout->addLayout(frames);
      }
      frames->addWidget(box);
    }
    for (const FormRow& row : section.rows) {
      const DialogField& field = model_.fields()[static_cast<std::size_t>(row.field)];
      Controls controls;
      QWidget* widget = MakeControls(field, &controls);
      controls_[field.id] = controls;
      if (!row.button.empty()) {
        auto* beside = new QWidget(this);
        auto* pair = new QHBoxLayout(beside);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->addWidget(widget, 1);
        pair->addWidget(MakeButton(row.button));
        widget = beside;
      }
      const QString label = Qs(field.label.Pick(english_));
      if (row.label == LabelPlace::kAbove) form->addRow(new QLabel(label, this));
      if (row.full_width) {
        form->addRow(widget);
      } else {
        form->addRow(row.label == LabelPlace::kBeside ? label : QString(), widget);
      }
      if (row.buttons_after) form->addRow(MakeButtonRow(form_layout.buttons));
    }
  }
  if (form_layout.buttons_at_end) layout->addLayout(MakeButtonRow(form_layout.buttons));
  box_ = new QDialogButtonBox(this);
  QPushButton* ok =
      box_->addButton(Qs(model_.ok_label().Pick(english_)), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  if (*model_.cancel_label().Pick(english_) != '\0') {
    QPushButton* cancel =
        box_->addButton(Qs(model_.cancel_label().Pick(english_)), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
  }
  connect(box_, &QDialogButtonBox::accepted, this, &FormDialog::accept);
  connect(box_, &QDialogButtonBox::rejected, this, &FormDialog::reject);
  layout->addWidget(box_);
}

void FormDialog::Edited(const std::string& id) {
  if (refreshing_) return;
  DialogField* field = model_.Find(id);
  const Controls& controls = controls_[id];
  if (field == nullptr) return;
  if (controls.edit != nullptr) field->text = Utf8(controls.edit->text());
  if (controls.check != nullptr) field->checked = controls.check->isChecked();
  if (controls.combo != nullptr) {
    field->item = controls.combo->currentIndex();
    if (field->kind == FieldKind::kTextChoice) {
      field->text = Utf8(controls.combo->currentText());
      field->item = controls.combo->findText(controls.combo->currentText());
    }
  }
  if (controls.radios != nullptr) field->item = controls.radios->checkedId();
  if (controls.list != nullptr) field->item = controls.list->currentRow();
  model_.Changed(id);
  Refresh();
}

void FormDialog::ChooseColour(const std::string& id) {
  DialogField* field = model_.Find(id);
  if (field == nullptr) return;
  const std::optional<Rgb> now = ParseColourText(field->text);
  const QColor start = now ? QColor(now->red, now->green, now->blue) : QColor(Qt::white);
  const QColor chosen = QColorDialog::getColor(start, this);
  if (!chosen.isValid()) return;
  field->text = ColourText({chosen.red(), chosen.green(), chosen.blue()});
  model_.Changed(id);
  Refresh();
}

void FormDialog::Refresh() {
  refreshing_ = true;
  for (const DialogField& field : model_.fields()) {
    const Controls& controls = controls_[field.id];
    if (controls.check != nullptr) {
      controls.check->setChecked(field.checked);
      controls.check->setEnabled(field.enabled);
    }
    if (controls.edit != nullptr) {
      const QString text = Qs(field.text);
      if (controls.edit->text() != text) controls.edit->setText(text);
      controls.edit->setReadOnly(!field.TextEditable());
      controls.edit->setEnabled(field.enabled);
    }
    if (controls.combo != nullptr) {
      SetItems(controls.combo, field.items, english_);
      if (field.kind == FieldKind::kTextChoice) {
        if (controls.combo->currentText() != Qs(field.text)) {
          controls.combo->setEditText(Qs(field.text));
        }
      } else {
        controls.combo->setCurrentIndex(field.item);
      }
      controls.combo->setEnabled(field.enabled);
    }
    if (controls.radios != nullptr) {
      if (QAbstractButton* radio = controls.radios->button(field.item)) radio->setChecked(true);
      for (QAbstractButton* radio : controls.radios->buttons()) radio->setEnabled(field.enabled);
    }
    if (controls.swatch != nullptr) {
      const std::optional<Rgb> colour = ParseColourText(field.text);
      QPalette palette = controls.swatch->palette();
      palette.setColor(QPalette::Window, colour ? QColor(colour->red, colour->green, colour->blue)
                                                : palette.color(QPalette::Button));
      controls.swatch->setPalette(palette);
      controls.swatch->setToolTip(Qs(field.text));
      controls.chooser->setEnabled(field.enabled);
    }
    if (controls.note != nullptr) {
      controls.note->setText(Qs(Shown(field.text, english_)));
      // A note of several lines keeps room for all of them.
      controls.note->setMinimumHeight(controls.note->sizeHint().height());
    }
    if (controls.picture != nullptr) {
      const QPixmap picture(Qs(field.text));
      controls.picture->setPixmap(picture);
      controls.picture->setMinimumSize(picture.size());
    }
    if (controls.list != nullptr) {
      SetItems(controls.list, field.items, english_);
      controls.list->setCurrentRow(field.item);
      controls.list->setEnabled(field.enabled);
    }
  }
  for (const DialogButton& button : model_.buttons()) {
    if (QPushButton* push = buttons_[button.id]) push->setEnabled(button.enabled);
  }
  if (QPushButton* ok = box_->findChild<QPushButton*>(QStringLiteral("ok"))) {
    ok->setEnabled(model_.ok_enabled());
  }
  if (QPushButton* cancel = box_->findChild<QPushButton*>(QStringLiteral("cancel"))) {
    cancel->setEnabled(model_.cancel_enabled());
  }
  refreshing_ = false;
}

void FormDialog::accept() {
  if (model_.Accept(host_.prompter())) {
    QDialog::accept();
  } else {
    Refresh();
  }
}

void FormDialog::reject() {
  if (model_.cancel_enabled()) QDialog::reject();
}

QtDialogHost::QtDialogHost(Prompter& prompter, bool english, QWidget* parent,
                           std::function<void()> before_show)
    : prompter_(prompter),
      english_(english),
      parent_(parent),
      before_show_(std::move(before_show)) {}

bool QtDialogHost::Run(DialogModel& dialog) {
  if (before_show_) before_show_();
  // The keys go back to where they were once the dialog is closed.
  const QPointer<QWidget> focus = QApplication::focusWidget();
  FormDialog form(dialog, *this, english_, parent_);
  const bool accepted = form.exec() == QDialog::Accepted;
  RestoreFocus(focus);
  return accepted;
}

}  // namespace corvane
