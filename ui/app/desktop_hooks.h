#pragma once
// The points where the desktop program meets the user's desktop or blocks
// in a modal dialog: opening a document or page, the keyboard state at
// start, and the dialogs of the start-up and of the main menu. The program
// uses the real ones; tests put in their own answers.

#include <QUrl>
#include <functional>
#include <optional>
#include <string>

#include "app/app_context.h"
#include "app/passenger_options.h"

class QWidget;

namespace corvane {

struct DesktopHooks {
  // Opens a file or web page with the system's default program.
  std::function<bool(const QUrl&)> open_url;
  // Whether Shift is held (at the first tick).
  std::function<bool()> shift_held;
  // The data-folder change dialog: the requested folder when the user
  // accepted a change, nothing when cancelled.
  std::function<std::optional<std::string>(QWidget* parent)> change_data_folder;
  // The start-mode dialog, opened for the command line's mode: the mode
  // chosen with "実行", nothing for cancel.
  std::function<std::optional<int>(int start_mode, QWidget* parent)> choose_start_mode;
  // The passenger simulation options dialog: the new options on OK.
  std::function<std::optional<PassengerOptions>(const PassengerOptions&, QWidget* parent)>
      passenger_options;
};

// `hooks` with every missing hook set to the real thing.
DesktopHooks WithRealHooks(DesktopHooks hooks, AppContext& context);

}  // namespace corvane
