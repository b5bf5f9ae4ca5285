#include "main/data_folder_change_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/data_folder_change.h"
#include "main/dialog_texts.h"
#include "platform/qt_chooser.h"
#include "platform/qt_text.h"

namespace corvane {

namespace {

// The dialog speaks Japanese in both interfaces, as do the core's checks.
constexpr const char kFolderLabel[] = "データフォルダ";
constexpr const char kBrowseButton[] = "参照(&B)";
constexpr const char kChangeButton[] = "変更";

}  // namespace

DataFolderChangeDialog::DataFolderChangeDialog(AppContext& context, QWidget* parent,
                                               FolderChooser choose_folder)
    : QDialog(parent), context_(context), choose_folder_(std::move(choose_folder)) {
  if (!choose_folder_) {
    choose_folder_ = [this](const QString& title, const QString& start) {
      return ChooseFolderWithDialog(this, title, start);
    };
  }
  setWindowTitle(Qs(kDataFolderChangeTitle));
  auto* label = new QLabel(Qs(kFolderLabel), this);
  folder_ = new QLineEdit(Qs(context_.data_folder.path), this);
  folder_->setMinimumWidth(folder_->fontMetrics().averageCharWidth() * 60);
  label->setBuddy(folder_);
  browse_ = new QPushButton(Qs(kBrowseButton), this);
  change_ = new QPushButton(Qs(kChangeButton), this);
  change_->setDefault(true);
  cancel_ = new QPushButton(Qs(CancelButtonText(false)), this);

  auto* field = new QHBoxLayout;
  field->addWidget(folder_, 1);
  field->addWidget(browse_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(change_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(field);
  layout->addLayout(buttons);

  connect(browse_, &QPushButton::clicked, this, [this] { Browse(); });
  connect(change_, &QPushButton::clicked, this, [this] { Change(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void DataFolderChangeDialog::Browse() {
  const std::string start = DataFolderBrowseStart(Utf8(folder_->text()), context_.env);
  if (auto chosen = choose_folder_(Qs(kDataFolderChooserTitle), Qs(start))) {
    folder_->setText(Qs(*chosen));
  }
}

void DataFolderChangeDialog::Change() {
  const DataFolderChangeResult result = CheckDataFolderChange(
      Utf8(folder_->text()), context_.data_folder.path, context_.env, context_.prompter);
  if (result.new_field_text) folder_->setText(Qs(*result.new_field_text));
  if (!result.accepted) return;
  requested_ = result.requested;
  accept();
}

}  // namespace corvane
