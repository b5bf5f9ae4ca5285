#pragma once
// The program-wide objects of the desktop program, shared by its windows:
// they live for the whole run.

#include <string>

#include "app/data_folder.h"
#include "app/environment.h"
#include "app/settings.h"
#include "base/chooser.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "map/edit_map.h"

namespace corvane {

class DiaDocument;

struct AppContext {
  AppContext(Environment& environment, Prompter& prompter_in, Chooser& chooser_in)
      : env(environment), prompter(prompter_in), chooser(chooser_in) {}

  Environment& env;
  Prompter& prompter;
  Chooser& chooser;

  DataFolder data_folder;
  bool english = false;
  ProgramSettings settings;
  EditMap edit_map;
  MessageLog log;
  // The main window's dia data (owned by the main window; null until it
  // exists), which the map edit window's compile replaces.
  DiaDocument* dia = nullptr;

  // "korv.ini" in the data folder.
  std::string SettingsPath() const { return data_folder.SettingsPath(); }
};

}  // namespace corvane
