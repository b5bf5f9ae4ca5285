#pragma once
// The start-mode dialog shown at the first tick when a start mode was given
// on the command line or Shift was held: normal start, window-position reset
// or reset of all settings, with a description of the entry chosen.

#include <QDialog>
#include <optional>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace corvane {

class StartModeDialog : public QDialog {
  Q_OBJECT

 public:
  // `start_mode` is the command line's mode (3 shows as normal start).
  StartModeDialog(int start_mode, bool english, QWidget* parent = nullptr);

  // The mode of the entry chosen in the list.
  int selected_mode() const;
  QString description() const;
  QListWidget* list() const { return list_; }
  QPushButton* run_button() const { return run_; }
  QPushButton* cancel_button() const { return cancel_; }

  // Shows the dialog; the mode chosen with "実行", nothing for "ｷｬﾝｾﾙ".
  static std::optional<int> Ask(int start_mode, bool english, QWidget* parent);

 private:
  void ShowDescription();

  QListWidget* list_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  QPushButton* run_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace corvane
