#include "map_render_command.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "base/file_io.h"
#include "base/text_format.h"
#include "mapedit/map_render.h"
#include "png_file.h"

namespace corvane {

bool RenderMapFile(const EditMap& map, const std::string& out_path, int grid_x, int grid_y) {
  // No window is ever shown: without a choice of the user's, draw offscreen
  // so the command runs without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char program_name[] = "corvane-cli";
  static char* argv[] = {program_name, nullptr};
  QGuiApplication application(argc, argv);

  const QImage image = RenderWholeMap(map, grid_x, grid_y);
  if (image.isNull()) {
    std::fprintf(stderr, "corvane-cli: the map is too large for one picture\n");
    return false;
  }
  return WritePngFile(image, out_path);
}

}  // namespace corvane
