#include "app/desktop_hooks.h"

#include <QDesktopServices>
#include <QGuiApplication>

#include "main/data_folder_change_dialog.h"
#include "main/passenger_simulation_dialog.h"
#include "main/start_mode_dialog.h"

namespace corvane {

DesktopHooks WithRealHooks(DesktopHooks hooks, AppContext& context) {
  if (!hooks.open_url) {
    hooks.open_url = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  }
  if (!hooks.shift_held) {
    hooks.shift_held = [] {
      return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    };
  }
  if (!hooks.change_data_folder) {
    hooks.change_data_folder = [&context](QWidget* parent) -> std::optional<std::string> {
      DataFolderChangeDialog dialog(context, parent);
      if (dialog.exec() != QDialog::Accepted) return std::nullopt;
      return dialog.requested();
    };
  }
  if (!hooks.choose_start_mode) {
    hooks.choose_start_mode = [&context](int start_mode, QWidget* parent) {
      return StartModeDialog::Ask(start_mode, context.english, parent);
    };
  }
  if (!hooks.passenger_options) {
    hooks.passenger_options = [&context](const PassengerOptions& options, QWidget* parent) {
      return PassengerSimulationDialog::Ask(options, context.english, parent);
    };
  }
  return hooks;
}

}  // namespace corvane
