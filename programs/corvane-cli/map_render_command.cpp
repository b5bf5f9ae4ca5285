#include "map_render_command.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "base/file_io.h"
#include "base/text_format.h"
#include "mapedit/map_render.h"

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
  // Through a temporary file and a rename, as maps and dia files are
  // written: a failed write never leaves half a picture in place of the old.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG") ||
      !WriteFileAtomically(
          out_path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())))) {
    std::fprintf(stderr, "corvane-cli: cannot write the picture %s\n",
                 TerminalText(out_path).c_str());
    return false;
  }
  return true;
}

}  // namespace corvane
