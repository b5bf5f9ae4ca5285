#pragma once
// Any dialog model of the core shown as a form: a row per field (grouped as
// the model groups them), the model's buttons below its list, and OK and
// cancel with the model's labels. Every edit goes straight into the model,
// which brings the other fields up to date; OK closes the form only when the
// model accepts.

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/dialog_model.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace corvane {

class FormDialog : public QDialog {
  Q_OBJECT

 public:
  FormDialog(DialogModel& model, DialogHost& host, bool english, QWidget* parent = nullptr);

  // The model's values into the widgets (after a change of the model).
  void Refresh();

 public slots:
  void accept() override;
  // Escape, the close box and Cancel: refused while the model offers no
  // Cancel.
  void reject() override;

 private:
  struct Controls {
    QLineEdit* edit = nullptr;
    QCheckBox* check = nullptr;
    QComboBox* combo = nullptr;
    QListWidget* list = nullptr;
    QButtonGroup* radios = nullptr;
    QLabel* swatch = nullptr;        // a colour, with its
    QPushButton* chooser = nullptr;  // button that opens the colour chooser
    QLabel* note = nullptr;
    QLabel* picture = nullptr;
  };

  // The widgets as the core lays the model out.
  void Build();
  QPushButton* MakeButton(const std::string& id);
  QHBoxLayout* MakeButtonRow(const std::vector<std::string>& ids);
  QWidget* MakeControls(const DialogField& field, Controls* controls);
  // A widget changed field `id`: the model hears of it, the form follows.
  void Edited(const std::string& id);
  // The colour chooser for colour field `id`.
  void ChooseColour(const std::string& id);

  DialogModel& model_;
  DialogHost& host_;
  bool english_;
  std::map<std::string, Controls> controls_;
  std::map<std::string, QPushButton*> buttons_;
  QDialogButtonBox* box_ = nullptr;
  bool refreshing_ = false;
};

// Shows dialog models as forms over a window of the desktop program.
class QtDialogHost : public DialogHost {
 public:
  // `before_show` runs before each form opens (the map view redraws with
  // the edited object highlighted).
  QtDialogHost(Prompter& prompter, bool english, QWidget* parent,
               std::function<void()> before_show = {});

  Prompter& prompter() override { return prompter_; }
  bool english() const override { return english_; }
  bool Run(DialogModel& dialog) override;

 private:
  Prompter& prompter_;
  bool english_;
  QWidget* parent_;
  std::function<void()> before_show_;
};

}  // namespace corvane
