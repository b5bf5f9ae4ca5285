#include "main/start_mode_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/command_line.h"
#include "app/first_tick.h"
#include "main/dialog_texts.h"
#include "platform/qt_text.h"

namespace corvane {

namespace {

// The dialog speaks Japanese in both interfaces; only the program's title in
// its caption follows the language.
constexpr const char kRunButton[] = "実行";

}  // namespace

StartModeDialog::StartModeDialog(int start_mode, bool english, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Qs(StartModeDialogTitle(english)));
  list_ = new QListWidget(this);
  for (int mode : OfferedStartModes()) list_->addItem(Qs(StartModeName(mode)));
  // Room for the entries and a little more, not a tall empty list.
  list_->setFixedHeight(list_->sizeHintForRow(0) * (list_->count() + 1) + 2 * list_->frameWidth());
  description_ = new QPlainTextEdit(this);
  description_->setReadOnly(true);
  description_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  description_->setMaximumHeight(description_->fontMetrics().lineSpacing() * 4);
  run_ = new QPushButton(Qs(kRunButton), this);
  run_->setDefault(true);
  cancel_ = new QPushButton(Qs(CancelButtonText(false)), this);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(run_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(description_);
  layout->addLayout(buttons);

  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowDescription(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(run_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  list_->setCurrentRow(StartModeRow(StartModeDialogSelection(start_mode)));
  ShowDescription();
}

int StartModeDialog::selected_mode() const { return StartModeAtRow(list_->currentRow()); }

QString StartModeDialog::description() const { return description_->toPlainText(); }

void StartModeDialog::ShowDescription() {
  description_->setPlainText(Qs(StartModeDescription(selected_mode())));
}

std::optional<int> StartModeDialog::Ask(int start_mode, bool english, QWidget* parent) {
  StartModeDialog dialog(start_mode, english, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selected_mode();
}

}  // namespace corvane
