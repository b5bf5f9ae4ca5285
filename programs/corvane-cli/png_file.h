#pragma once
// A picture the tool draws, written as PNG.

#include <QImage>
#include <string>

namespace corvane {

// Writes `image` to `out_path` as PNG through a temporary file and a
// rename, as maps and dia files are written: a failed write never leaves
// half a picture in place of the old one. False (with the tool's message on
// standard error) when the picture could not be written.
bool WritePngFile(const QImage& image, const std::string& out_path);

}  // namespace corvane
