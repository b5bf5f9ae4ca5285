#include "main/passenger_simulation_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "main/dialog_texts.h"
#include "platform/qt_text.h"

namespace corvane {

namespace {

constexpr PassengerBox kBoxes[] = {PassengerBox::kGraph, PassengerBox::kHour, PassengerBox::kTrain,
                                   PassengerBox::kAvoid};

}  // namespace

PassengerSimulationDialog::PassengerSimulationDialog(const PassengerOptions& options, bool english,
                                                     QWidget* parent)
    : QDialog(parent), state_(options) {
  const PassengerOptionsTexts& texts = PassengerOptionsDialogTexts(english);
  setWindowTitle(Qs(texts.title));
  const auto make_box = [this](PassengerBox which, const char* text) {
    auto* check = new QCheckBox(Qs(text), this);
    boxes_[static_cast<std::size_t>(which)] = check;
    // Clicks only: the boxes are set from the rules without a signal loop.
    connect(check, &QCheckBox::clicked, this,
            [this, which](bool checked) { Clicked(which, checked); });
    return check;
  };
  QCheckBox* graph = make_box(PassengerBox::kGraph, texts.graph);
  auto* simple = new QGroupBox(Qs(texts.simple_group), this);
  auto* simple_layout = new QVBoxLayout(simple);
  simple_layout->addWidget(make_box(PassengerBox::kHour, texts.hour));
  simple_layout->addWidget(make_box(PassengerBox::kTrain, texts.train));
  QCheckBox* avoid = make_box(PassengerBox::kAvoid, texts.avoid);
  auto* note = new QLabel(Qs(texts.avoid_note), this);
  note->setWordWrap(true);

  auto* ok = new QPushButton(Qs(kOkButtonText), this);
  ok->setDefault(true);
  auto* cancel = new QPushButton(Qs(CancelButtonText(english)), this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(graph);
  layout->addWidget(simple);
  layout->addWidget(avoid);
  layout->addWidget(note);
  layout->addLayout(buttons);
  ShowState();
}

void PassengerSimulationDialog::Clicked(PassengerBox which, bool checked) {
  state_.SetChecked(which, checked);
  ShowState();
}

void PassengerSimulationDialog::ShowState() {
  for (PassengerBox which : kBoxes) {
    QCheckBox* check = box(which);
    check->setChecked(state_.Checked(which));
    check->setEnabled(state_.Enabled(which));
  }
}

std::optional<PassengerOptions> PassengerSimulationDialog::Ask(const PassengerOptions& options,
                                                               bool english, QWidget* parent) {
  PassengerSimulationDialog dialog(options, english, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.options();
}

}  // namespace corvane
