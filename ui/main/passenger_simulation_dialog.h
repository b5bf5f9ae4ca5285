#pragma once
// The passenger simulation options dialog: four boxes whose states and
// enabling come from the core's dialog rules.

#include <QDialog>
#include <array>
#include <optional>

#include "app/passenger_options.h"

class QCheckBox;

namespace corvane {

class PassengerSimulationDialog : public QDialog {
  Q_OBJECT

 public:
  PassengerSimulationDialog(const PassengerOptions& options, bool english,
                            QWidget* parent = nullptr);

  // The options as the boxes show them (taken over on OK).
  const PassengerOptions& options() const { return state_.options(); }
  QCheckBox* box(PassengerBox which) const { return boxes_[static_cast<std::size_t>(which)]; }

  // Shows the dialog; the new options on OK, nothing on cancel.
  static std::optional<PassengerOptions> Ask(const PassengerOptions& options, bool english,
                                             QWidget* parent);

 private:
  void Clicked(PassengerBox which, bool checked);
  void ShowState();

  PassengerOptionsDialog state_;
  std::array<QCheckBox*, 4> boxes_ = {};
};

}  // namespace corvane
