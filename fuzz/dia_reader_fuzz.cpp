// Feeds arbitrary bytes to the dia data reader, both as a packed dia file and
// as an unpacked bundle text: split into members, read from the header
// member with the tables taken from the other members. Whatever was read
// must save and read back to the same text without a complaint, and go
// through the load-time checks.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "base/prompter.h"
#include "data/dia_file.h"
#include "fuzz_support.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"
#include "run/dia_model.h"
#include "run/load_checks.h"

namespace {

using namespace corvane;
using fuzzing::IgnoringPrompter;
using fuzzing::Mismatch;

void CheckBundle(std::string_view text) {
  DiaFile file;
  IgnoringPrompter prompter;
  if (!fuzzing::ReadDiaBundleText(text, file, prompter)) return;
  const std::string saved = FormatDiaText(file, file.stack.has_value());
  DiaFile again;
  IgnoringPrompter quiet;
  if (!fuzzing::ReadDiaBundleText(saved, again, quiet) || quiet.shown != 0) {
    Mismatch("saved dia data reads back with a complaint", saved, "");
  }
  const std::string resaved = FormatDiaText(again, again.stack.has_value());
  if (resaved != saved) Mismatch("saved dia data reads back differently", saved, resaved);
  // The load-time checks on what was read, every question answered Yes and
  // every report Retry, so that each step runs to its end; the repaired
  // data still saves.
  DiaModel model;
  model.Replace(std::move(again));
  IgnoringPrompter shown;
  FixedAnswers answers(shown, PromptAnswer::kYes, PromptAnswer::kRetry);
  RunLoadChecks(model, LoadCheckSetup{}, answers);
  FormatDiaText(model.file(), model.file().stack.has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckBundle(UnpackBytes(bytes));
  CheckBundle(bytes);
  return 0;
}
