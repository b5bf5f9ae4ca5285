#include "map_render_command.h"

#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "mapedit/map_render.h"
#include "platform/qt_text.h"

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
  const QString path = Qs(out_path);
  const QByteArray format = QFileInfo(path).suffix().isEmpty() ? QByteArray("PNG") : QByteArray();
  if (!image.save(path, format.isEmpty() ? nullptr : format.constData())) {
    std::fprintf(stderr, "corvane-cli: cannot write the picture %s\n", out_path.c_str());
    return false;
  }
  return true;
}

}  // namespace corvane
