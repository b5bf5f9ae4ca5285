// Writes the sample maps and the sample dia data of examples/ with the
// program's own model and file code:
// corvane-make-examples OLD_MAP_FOLDER OUTPUT_FOLDER

#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/dia_document.h"
#include "app/map_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "compiler/map_compiler.h"
#include "example_maps.h"

int main(int argc, char** argv) {
  using namespace corvane;
  if (argc != 3) {
    std::fprintf(stderr, "usage: corvane-make-examples OLD_MAP_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string output = argv[2];
  const std::string scratch = JoinPath(output, ".scratch/");
  std::filesystem::create_directories(scratch);
  const std::string map_path = JoinPath(output, "sample_line.kvm");

  ConsolePrompter prompter;
  ScriptedChooser chooser;
  MessageLog log;
  EditMap built;
  MapDocument builder(built, MapFolders{scratch, output, argv[1]}, prompter, chooser, log);
  bool ok = builder.NewMap();
  if (ok) {
    BuildSampleLine(built);
    ok = builder.SaveAsPath(map_path);
  }
  // The sample dia data is the line's compile, as `corvane-cli map compile`
  // makes it from the saved map; the map then keeps the compile's piece
  // numbers, so compiling it again changes nothing.
  EditMap map;
  MapDocument document(map, MapFolders{scratch, output, argv[1]}, prompter, chooser, log);
  if (ok) ok = document.OpenPath(map_path) == OpenOutcome::kOpened;
  std::optional<CompileResult> compiled;
  if (ok) {
    MapCheckMarks marks;
    CheckOutput quiet;
    quiet.prompter = &prompter;
    compiled = CompileMap(map, marks, quiet);
    ok = compiled && compiled->errors == 0 && compiled->warnings == 0;
    if (!ok)
      std::fprintf(stderr, "corvane-make-examples: the sample line does not compile cleanly\n");
  }
  if (ok) ok = document.SaveAsPath(map_path);
  if (ok) {
    DiaDocument dia(DiaFolders{scratch, "", "", "", "", ""}, prompter, chooser, log);
    dia.Replace(compiled->file);
    ok = dia.SaveAsPath(JoinPath(output, "sample_line.kvb"));
  }
  std::filesystem::remove_all(scratch);
  return ok ? 0 : 1;
}
