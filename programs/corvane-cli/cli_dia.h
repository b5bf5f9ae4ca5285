#pragma once
// The dia data of a headless command: the main window's DiaDocument over a
// scratch folder of the command's own, removed when the command ends.

#include <memory>
#include <string>

#include "app/data_folder.h"
#include "app/dia_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "run/load_checks.h"

namespace corvane {

class CliDia {
 public:
  // Boxes go through `prompter`; the load-time checks `checks` run on every
  // open (none when null).
  CliDia(const DataFolder& data_folder, Prompter& prompter, const LoadCheckSetup* checks);

  // False (reported) when the scratch folder could not be made.
  bool ready() const { return document_ != nullptr; }
  DiaDocument& document() { return *document_; }
  // Opens `path` as the main window's open does; false when it failed.
  bool Open(const std::string& path) {
    return document_->OpenPath(path) == DiaOpenOutcome::kOpened;
  }

 private:
  TemporaryFolder scratch_;
  ScriptedChooser chooser_;
  MessageLog log_;
  std::unique_ptr<DiaDocument> document_;
};

}  // namespace corvane
