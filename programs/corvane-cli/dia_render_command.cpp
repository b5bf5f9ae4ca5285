#include "dia_render_command.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <utility>

#include "base/file_io.h"
#include "base/text_format.h"
#include "board/board_scroll.h"
#include "platform/qpainter_canvas.h"
#include "png_file.h"

namespace corvane {

namespace {

// The most pixels one picture may hold.
constexpr std::int64_t kMostPixels = std::int64_t{1} << 28;

// Draws the series' icons from the folder of icons; a name that is not a
// bare file name, or a file that is no picture, draws nothing.
class IconCanvas : public QPainterCanvas {
 public:
  IconCanvas(QPainter& painter, std::string folder)
      : QPainterCanvas(painter), painter_(painter), folder_(std::move(folder)) {}

  void Image(PixelPoint origin, std::string_view name) override {
    const QImage& image = Load(name);
    if (!image.isNull()) painter_.drawImage(QPoint(origin.x, origin.y), image);
  }
  TextSize ImageSize(std::string_view name) override {
    const QImage& image = Load(name);
    return {image.width(), image.height()};
  }

 private:
  const QImage& Load(std::string_view name) {
    const auto [at, added] = images_.try_emplace(std::string(name));
    const bool bare = !name.empty() && name.find_first_of("/\\") == std::string_view::npos &&
                      name != "." && name != "..";
    if (added && bare && !folder_.empty()) {
      at->second.load(QString::fromStdString(JoinPath(folder_, at->first)));
    }
    return at->second;
  }

  QPainter& painter_;
  std::string folder_;
  std::map<std::string, QImage> images_;
};

}  // namespace

bool RenderBoardFile(BoardScene scene, bool whole, const std::string& icon_folder,
                     const std::string& out_path) {
  if (whole) {
    const std::optional<BoardView> view = WholeBoardView(scene.view, scene.file.map, kMostPixels);
    if (!view) {
      std::fprintf(stderr, "corvane-cli: the board is too large for one picture\n");
      return false;
    }
    scene.view = *view;
  }
  // No window is ever shown: without a choice of the user's, draw offscreen
  // so the command runs without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char program_name[] = "corvane-cli";
  static char* argv[] = {program_name, nullptr};
  QGuiApplication application(argc, argv);

  QImage image(scene.view.width, scene.view.height, QImage::Format_RGB32);
  if (image.isNull()) {
    std::fprintf(stderr, "corvane-cli: the board is too large for one picture\n");
    return false;
  }
  {
    QPainter painter(&image);
    IconCanvas canvas(painter, icon_folder);
    DrawBoard(scene, canvas);
  }
  return WritePngFile(image, out_path);
}

}  // namespace corvane
