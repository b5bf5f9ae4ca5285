#pragma once
// The data-folder change dialog: a folder field opened with the data folder
// in use, a browse button and "変更"; the core checks the folder and asks
// what has to be asked. An accepted change is carried out by the close
// sequence.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "app/app_context.h"

class QLineEdit;
class QPushButton;

namespace corvane {

class DataFolderChangeDialog : public QDialog {
  Q_OBJECT

 public:
  // Asks for a folder: the chooser's title and start folder in, the chosen
  // folder out (nothing when cancelled).
  using FolderChooser =
      std::function<std::optional<std::string>(const QString& title, const QString& start)>;

  // Without `choose_folder` the system's folder chooser is used.
  DataFolderChangeDialog(AppContext& context, QWidget* parent = nullptr,
                         FolderChooser choose_folder = {});

  // The new data folder, once the dialog was accepted.
  const std::string& requested() const { return requested_; }

  QLineEdit* folder_field() const { return folder_; }
  QPushButton* browse_button() const { return browse_; }
  QPushButton* change_button() const { return change_; }
  QPushButton* cancel_button() const { return cancel_; }

 private:
  void Browse();
  void Change();

  AppContext& context_;
  FolderChooser choose_folder_;
  QLineEdit* folder_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::string requested_;
};

}  // namespace corvane
