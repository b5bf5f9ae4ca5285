#include "png_file.h"

#include <QBuffer>
#include <QByteArray>
#include <string_view>

#include "base/file_io.h"
#include "cli_output.h"

namespace corvane {

bool WritePngFile(const QImage& image, const std::string& out_path) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG") ||
      !WriteFileAtomically(
          out_path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())))) {
    PrintNote("cannot write the picture " + out_path);
    return false;
  }
  return true;
}

}  // namespace corvane
