// Writes the sample maps and the sample dia data of examples/ with the
// program's own model and file code:
// corvane-make-examples OLD_MAP_FOLDER OUTPUT_FOLDER

#include <cstdio>
#include <filesystem>

#include "app/map_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "data/dia_file.h"
#include "example_dia.h"
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

  EditMap map;
  ConsolePrompter prompter;
  ScriptedChooser chooser;
  MessageLog log;
  MapDocument document(map, MapFolders{scratch, output, argv[1]}, prompter, chooser, log);
  bool ok = document.NewMap();
  if (ok) {
    BuildSampleLine(map);
    ok = document.SaveAsPath(JoinPath(output, "sample_line.kvm"));
  }
  // A compiled line with its timetable, as the map selection lists it; its
  // series name no pictures, which a new data folder does not have.
  DiaFile dia = SampleDiaFile();
  for (int n = 1; n <= dia.dia.series.count(); ++n) {
    dia.dia.series[n].photo = "";
    dia.dia.series[n].icon = "";
  }
  if (ok) ok = SaveDiaPath(dia, JoinPath(output, "sample_line.kvb"), scratch, prompter);
  std::filesystem::remove_all(scratch);
  return ok ? 0 : 1;
}
